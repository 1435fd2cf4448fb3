// The Fourier transform, the tail sums built on it and the Tougaard
// background that uses them, each against the plain sum it replaces.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <vector>

#include "processing/kernels/backgrounds.h"
#include "processing/kernels/fft.h"

namespace sorvan {
namespace {

// The transform by its definition, in long double, with each angle reduced
// to one turn before it is taken.
std::vector<std::complex<long double>> DefinitionTransform(const std::vector<std::complex<double>>& x,
                                                           bool inverse) {
  const std::size_t n = x.size();
  const long double pi = 3.141592653589793238462643383279502884L;
  std::vector<std::complex<long double>> result(n);
  for (std::size_t k = 0; k < n; ++k) {
    std::complex<long double> sum = 0;
    for (std::size_t j = 0; j < n; ++j) {
      const long double angle = (inverse ? 2 : -2) * pi * static_cast<long double>(j * k % n) / n;
      sum += std::complex<long double>(x[j].real(), x[j].imag()) *
             std::complex<long double>(std::cos(angle), std::sin(angle));
    }
    result[k] = sum;
  }
  return result;
}

TEST(FourierTransform, AgreesWithTheDefinitionAndComesBack) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> uniform(-1, 1);
  for (std::size_t n = 1; n <= 1024; n *= 2) {
    std::vector<std::complex<double>> x(n);
    for (auto& v : x) v = {uniform(random), uniform(random)};
    for (bool inverse : {false, true}) {
      std::vector<std::complex<double>> transformed = x;
      FourierTransform(transformed, inverse);
      const auto expected = DefinitionTransform(x, inverse);
      for (std::size_t k = 0; k < n; ++k) {
        EXPECT_NEAR(transformed[k].real(), static_cast<double>(expected[k].real()), 1e-13 * n) << n << " " << k;
        EXPECT_NEAR(transformed[k].imag(), static_cast<double>(expected[k].imag()), 1e-13 * n) << n << " " << k;
      }
    }
    std::vector<std::complex<double>> back = x;
    FourierTransform(back, false);
    FourierTransform(back, true);
    for (std::size_t j = 0; j < n; ++j) EXPECT_NEAR(std::abs(back[j] / double(n) - x[j]), 0.0, 1e-14) << n;
  }
  // A size that is no power of two is left as it is.
  std::vector<std::complex<double>> three = {{1, 0}, {2, 0}, {3, 0}};
  FourierTransform(three, false);
  EXPECT_EQ(three[1], std::complex<double>(2, 0));
}

// The sums the transform replaces, as they were summed one by one.
std::vector<double> DirectTailSums(const std::vector<double>& values, const std::vector<double>& weights) {
  std::vector<double> result(values.size(), 0.0);
  for (std::size_t s = 0; s < values.size(); ++s)
    for (std::size_t d = 0; s + d < values.size(); ++d) result[s] += values[s + d] * weights[d];
  return result;
}

double LargestMagnitude(const std::vector<double>& v) {
  double largest = 0;
  for (double x : v) largest = std::max(largest, std::fabs(x));
  return largest;
}

TEST(TailSums, EqualTheDirectSumsForEveryLengthAndKindOfSeries) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> uniform(0, 1);
  enum Series { Counts, ZeroMeanNoise, Spikes, Constant };
  for (std::size_t n : {1u, 2u, 3u, 199u, 200u, 201u, 255u, 256u, 257u, 1000u, 4097u, 9000u}) {
    for (Series series : {Counts, ZeroMeanNoise, Spikes, Constant}) {
      const double step = 0.02 + 2 * uniform(random);
      std::vector<double> values(n), weights(n), result(n);
      for (std::size_t i = 0; i < n; ++i) {
        switch (series) {
          case Counts: values[i] = 1e5 * uniform(random); break;
          case ZeroMeanNoise: values[i] = uniform(random) - 0.5; break;
          case Spikes: values[i] = i % 37 == 0 ? 1e6 : -1.0; break;
          case Constant: values[i] = 3.25; break;
        }
        weights[i] = TougaardKernel((i + 1) * step, kDefaultTougaardC);
      }
      TailSums(values, weights, result);
      const std::vector<double> expected = DirectTailSums(values, weights);
      const double tolerance = 1e-13 * LargestMagnitude(expected);
      for (std::size_t s = 0; s < n; ++s) ASSERT_NEAR(result[s], expected[s], tolerance) << n << " " << s;
    }
  }
}

TEST(TailSums, ValuesThatAreNotFiniteSpreadAsInTheDirectSums) {
  std::vector<double> values(500, 1.0), weights(500, 0.5), result(500);
  values[300] = std::numeric_limits<double>::quiet_NaN();
  TailSums(values, weights, result);
  for (std::size_t s = 0; s < 500; ++s) EXPECT_EQ(std::isnan(result[s]), s <= 300) << s;
  EXPECT_DOUBLE_EQ(result[499], 0.5);
  // All zero: zero, not NaN.
  std::vector<double> zeros(500, 0.0);
  TailSums(zeros, weights, result);
  for (double r : result) EXPECT_EQ(r, 0.0);
}

// The Tougaard background as it was computed before the transform: every
// integral summed point by point (kept here as the reference).
double DirectTougaard(const std::vector<double>& y, std::vector<double>& b, int first, int last,
                      double step, double c, double right) {
  const int n = static_cast<int>(y.size()) - 1;
  std::vector<double> kernel(n + 1, 0.0);
  for (int m = 1; m <= n; ++m) kernel[m] = TougaardKernel((n - m + 1) * step, c);
  auto integral = [&](int i) {
    double sum = 0;
    for (int j = i; j <= last; ++j) sum += (y[j] - right) * step * kernel[n - (j - i)];
    return sum;
  };
  const double start = integral(first);
  double scale = start != 0 && std::isfinite(start) ? (y[first] - right) / start : 0.0;
  if (!std::isfinite(scale)) scale = 0;
  for (int i = first; i <= last; ++i) b[i] = scale == 0 ? right : right + scale * integral(i);
  return scale;
}

// A random spectrum of n points (peaks with counting noise on a step, or
// plain noise) and a random part of it (or all of it), with a random step and
// kernel constant: the background must equal the direct sum within 1e-12 of
// its largest value.
void CompareWithTheDirectSum(int n, bool noiseOnly, bool wholeSpectrum, std::mt19937& random) {
  std::uniform_real_distribution<double> uniform(0, 1);
  std::vector<double> y(n + 1, 0.0);
  const double centre = n * uniform(random), width = 1 + n * 0.05 * uniform(random);
  for (int i = 1; i <= n; ++i) {
    const double peak = 5e4 * std::exp(-std::pow((i - centre) / width, 2));
    y[i] = noiseOnly ? 100 * uniform(random)
                     : 500 + (i < centre ? 300 : 0) + peak + 30 * std::sqrt(peak + 500) * (uniform(random) - 0.5);
  }
  int first = 1, last = n;
  if (!wholeSpectrum) {
    first = 1 + static_cast<int>(uniform(random) * n * 0.3);
    last = std::max(first, n - static_cast<int>(uniform(random) * n * 0.3));
  }
  const double step = 0.01 + 2 * uniform(random);
  const double c = uniform(random) < 0.3 ? kDefaultTougaardC : 5000 * uniform(random);
  const EndLevels ends = AverageEnds(y, first, last, 3);
  std::vector<double> b(n + 1, -1.0), kernel(n + 1, 0.0), expected(n + 1, -1.0);
  const double scale = TougaardBackground(y, b, kernel, first, last, step, c, ends.right);
  const double expectedScale = DirectTougaard(y, expected, first, last, step, c, ends.right);
  EXPECT_EQ(scale, expectedScale) << n;  // the start integral is summed as before
  const double largest = LargestMagnitude(expected);
  double worst = 0;
  for (int i = 0; i <= n; ++i) worst = std::max(worst, std::fabs(b[i] - expected[i]) / largest);
  EXPECT_LE(worst, 1e-12) << "n " << n;
}

TEST(TougaardBackground, EqualsTheDirectSumOnRandomSpectraOfEveryLength) {
  std::mt19937 random(2024);
  std::uniform_real_distribution<double> uniform(0, 1);
  std::vector<int> lengths = {1, 2, 3, 4, 200, 201, 202, 1000, 2047, 2048, 2049};
  for (int k = 0; k < 2; ++k) lengths.push_back(1 + static_cast<int>(uniform(random) * 32766));
  for (std::size_t round = 0; round < lengths.size(); ++round)
    CompareWithTheDirectSum(lengths[round], round % 2 == 1, round % 4 == 0, random);
}

TEST(TougaardBackground, EqualsTheDirectSumOnTheLongestSpectra) {
  std::mt19937 random(99);
  // Plain noise is the hardest case: its integrals cancel, so the rounding
  // of the transform is largest against the curve.
  CompareWithTheDirectSum(32767, true, true, random);
}

}  // namespace
}  // namespace sorvan
