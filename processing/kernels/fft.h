// The fast Fourier transform of the numeric routines and the tail sums built
// on it (the loss integrals of the Tougaard backgrounds). Plain spans and
// numbers in and out.
#pragma once
#include <complex>
#include <cstddef>
#include <span>

namespace sorvan {

// In-place discrete Fourier transform of n values, n a power of two (other
// sizes are left as they are):
//   X_k = sum over j = 0..n-1 of x_j exp(-2 pi i j k / n)   (forward)
//   x_j = sum over k = 0..n-1 of X_k exp(+2 pi i j k / n)   (inverse, not divided by n)
void FourierTransform(std::span<std::complex<double>> values, bool inverse);

// The sums of a kernel over the tail of a series:
//   result[s] = sum over d = 0..L-1-s of values[s + d] * weights[d],   s = 0..L-1,
// with L = values.size(); weights and result must hold at least L values.
// Long series are summed as one correlation through the Fourier transform,
// in O(L log L); short ones directly, where that is faster. The result
// differs from the direct sum only by rounding, a few units in the last
// place of the largest partial sums.
void TailSums(std::span<const double> values, std::span<const double> weights,
              std::span<double> result);

// The longest series that TailSums sums directly; by default those for which
// that is faster than the transform. The benchmarks raise it to time the
// direct sums beside the transform in one run.
std::size_t TailSumsDirectUpTo();
void SetTailSumsDirectUpTo(std::size_t length);

}  // namespace sorvan
