// The divisor between counts and counts per second, for every place that
// converts a spectrum's intensities between the two.
#pragma once
#include "core/model.h"

namespace sorvan {

// Scan count times dwell time, or 1 when that product is 0 (a header without
// scans or dwell time): the values then stay counts rather than becoming
// infinite.
double CountsPerSecondDivisor(double scanCount, double dwellTime);
double CountsPerSecondDivisor(const SpectrumHeaderRecord& header);

}  // namespace sorvan
