#include "core/count_rate.h"

namespace sorvan {

double CountsPerSecondDivisor(double scanCount, double dwellTime) {
  const double f = scanCount * dwellTime;
  return f == 0 ? 1.0 : f;
}

double CountsPerSecondDivisor(const SpectrumHeaderRecord& header) {
  return CountsPerSecondDivisor(header.ScanCount, header.DwellTime);
}

}  // namespace sorvan
