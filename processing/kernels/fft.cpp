// Radix-2 fast Fourier transform and the tail sums of a kernel computed as
// one correlation through it.
#include "processing/kernels/fft.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace sorvan {

namespace {

// Up to this length the tail sums are summed directly: their L^2 / 2 products
// cost less than two transforms of 2L values.
constexpr std::size_t kDirectTailSumsUpTo = 200;
std::size_t directTailSumsUpTo = kDirectTailSumsUpTo;

// The twiddle factors of every stage up to the largest transform asked for so
// far: the stage that joins pairs of transforms of h values reads
// exp(-2 pi i j / 2h), j = 0..h-1, at entries h..2h-1, one after the other.
// The factors of the largest stage are computed each from its own angle (no
// rounding builds up along the table); a smaller stage takes every second
// factor of the next larger one, which is the same number.
struct TwiddleTable {
  std::size_t size = 0;
  std::vector<double> cosines, sines;
};

const TwiddleTable& TwiddlesFor(std::size_t n) {
  thread_local TwiddleTable table;
  if (table.size < n) {
    table.size = n;
    table.cosines.assign(n, 1.0);
    table.sines.assign(n, 0.0);
    const std::size_t largest = n / 2;
    for (std::size_t j = 0; j < largest; ++j) {
      const double angle = 2.0 * std::numbers::pi * static_cast<double>(j) / static_cast<double>(n);
      table.cosines[largest + j] = std::cos(angle);
      table.sines[largest + j] = -std::sin(angle);
    }
    for (std::size_t h = largest / 2; h >= 1; h /= 2) {
      for (std::size_t j = 0; j < h; ++j) {
        table.cosines[h + j] = table.cosines[2 * h + 2 * j];
        table.sines[h + j] = table.sines[2 * h + 2 * j];
      }
    }
  }
  return table;
}

bool PowerOfTwo(std::size_t n) { return n != 0 && (n & (n - 1)) == 0; }

// Puts x[j] at the bit-reversed index of j (values as re, im pairs).
void BitReverse(double* x, std::size_t n) {
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) {
      std::swap(x[2 * i], x[2 * j]);
      std::swap(x[2 * i + 1], x[2 * j + 1]);
    }
  }
}

void DirectTailSums(const double* values, const double* weights, double* result, std::size_t n) {
  for (std::size_t s = 0; s < n; ++s) {
    double sum = 0;
    for (std::size_t d = 0; s + d < n; ++d) sum += values[s + d] * weights[d];
    result[s] = sum;
  }
}

}  // namespace

void FourierTransform(std::span<std::complex<double>> values, bool inverse) {
  const std::size_t n = values.size();
  if (n < 2 || !PowerOfTwo(n)) return;
  // std::complex guarantees the layout of a pair of doubles; the butterflies
  // are written out in real arithmetic, which the compiler keeps free of the
  // checks for infinities that a complex product carries.
  double* x = reinterpret_cast<double*>(values.data());
  BitReverse(x, n);
  const TwiddleTable& table = TwiddlesFor(n);
  const double sign = inverse ? -1.0 : 1.0;
  // Pairs first: their only twiddle is 1.
  for (std::size_t i = 0; i < n; i += 2) {
    const double ar = x[2 * i], ai = x[2 * i + 1], br = x[2 * i + 2], bi = x[2 * i + 3];
    x[2 * i] = ar + br;
    x[2 * i + 1] = ai + bi;
    x[2 * i + 2] = ar - br;
    x[2 * i + 3] = ai - bi;
  }
  for (std::size_t half = 2; half < n; half *= 2) {
    const double* cosines = table.cosines.data() + half;
    const double* sines = table.sines.data() + half;
    for (std::size_t i = 0; i < n; i += 2 * half) {
      double* a = x + 2 * i;
      double* b = x + 2 * (i + half);
      for (std::size_t j = 0; j < half; ++j) {
        const double wr = cosines[j], wi = sign * sines[j];
        const double br = b[2 * j], bi = b[2 * j + 1];
        const double tr = wr * br - wi * bi;
        const double ti = wr * bi + wi * br;
        b[2 * j] = a[2 * j] - tr;
        b[2 * j + 1] = a[2 * j + 1] - ti;
        a[2 * j] += tr;
        a[2 * j + 1] += ti;
      }
    }
  }
}

void TailSums(std::span<const double> values, std::span<const double> weights,
              std::span<double> result) {
  const std::size_t n = values.size();
  if (n == 0 || weights.size() < n || result.size() < n) return;
  if (n <= directTailSumsUpTo) {
    DirectTailSums(values.data(), weights.data(), result.data(), n);
    return;
  }
  // result is the correlation of values with weights at lags 0..n-1. With
  // both zero-padded to m >= 2n - 1 values the circular correlation has no
  // wrapped terms at those lags.
  std::size_t m = 1;
  while (m < 2 * n - 1) m *= 2;
  thread_local std::vector<std::complex<double>> z;
  z.assign(m, {0.0, 0.0});
  // Both real series go through one transform: values as the real part,
  // weights as the imaginary part. The transform's rounding is relative to
  // the size of both together, so the weights are first brought to the size
  // of the values (root of the sum of squares) by a power of two, which is
  // exact both ways.
  double valueSquares = 0, weightSquares = 0;
  for (std::size_t j = 0; j < n; ++j) {
    valueSquares += values[j] * values[j];
    weightSquares += weights[j] * weights[j];
  }
  if (valueSquares == 0 || weightSquares == 0 || !std::isfinite(valueSquares) ||
      !std::isfinite(weightSquares)) {
    DirectTailSums(values.data(), weights.data(), result.data(), n);
    return;
  }
  int valueExponent = 0, weightExponent = 0;
  std::frexp(std::sqrt(valueSquares), &valueExponent);
  std::frexp(std::sqrt(weightSquares), &weightExponent);
  const int shift = valueExponent - weightExponent;
  for (std::size_t j = 0; j < n; ++j) z[j] = {values[j], std::ldexp(weights[j], shift)};
  FourierTransform(z, false);
  // With a = Z_k and b = Z_(m-k): V_k = (a + conj b) / 2 and
  // W_k = (a - conj b) / 2i are the transforms of the two series, and the
  // correlation's transform is Q_k = V_k conj(W_k), with Q_(m-k) = conj(Q_k).
  for (std::size_t k = 0; k <= m / 2; ++k) {
    const std::size_t mk = (m - k) & (m - 1);
    const double ar = z[k].real(), ai = z[k].imag(), br = z[mk].real(), bi = z[mk].imag();
    const double vr = 0.5 * (ar + br), vi = 0.5 * (ai - bi);
    // W = (a - conj b) / 2i = ((ai + bi) - i (ar - br)) / 2
    const double wr = 0.5 * (ai + bi), wi = -0.5 * (ar - br);
    const double qr = vr * wr + vi * wi, qi = vi * wr - vr * wi;
    z[k] = {qr, qi};
    z[mk] = {qr, -qi};
  }
  FourierTransform(z, true);
  const double scale = std::ldexp(1.0 / static_cast<double>(m), -shift);
  for (std::size_t s = 0; s < n; ++s) result[s] = z[s].real() * scale;
}

std::size_t TailSumsDirectUpTo() { return directTailSumsUpTo; }

void SetTailSumsDirectUpTo(std::size_t length) { directTailSumsUpTo = length; }

}  // namespace sorvan
