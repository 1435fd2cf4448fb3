// Fit arrays, limit completion and the conversions between a window's peak
// table and the fit vector.
#include "fit/fit_vector.h"

#include <algorithm>
#include <cmath>

#include "core/model.h"
#include "core/store.h"
#include "fit/peak_models.h"

namespace sorvan {

namespace {

bool Binding() { return G.EnergyAxisMode == 0; }

bool DoniachSunjic(int w) { return Win[w].PeakModel == PeakModelDoniachSunjic; }

// Energy of the first point (kinetic: start energy plus offsets) on the
// current axis.
double AxisEnergyOfKinetic(int w, double kinetic) {
  const double e = kinetic + G.GlobalEnergyOffset + Win[w].EnergyShift;
  if (!Binding()) return e;
  return std::floor((Win[w].SpectrumHeader.ExcitationEnergy - e) * 1000.0 + 0.5) / 1000.0;
}

// What the window's region gives the limit cells that were left empty.
struct RegionDefaults {
  double lowest = 0, highest = 0;  // energies of the region's ends on the current axis
  double span = 0;                 // highest - lowest, at least one energy step
  double height = 0;               // the default upper limit of a height
  // True when `energy` lies between the region's ends.
  bool Holds(double energy) const { return energy >= lowest && energy <= highest; }
};

RegionDefaults DefaultsOfRegion(int w) {
  const WindowRecord& win = Win[w];
  const SpectrumHeaderRecord& h = win.SpectrumHeader;
  RegionDefaults d;
  const int points = std::max<int>(1, h.PointCount);
  const int first = std::clamp<int>(win.RegionStart, 1, points);
  const int last = std::clamp<int>(win.RegionEnd, first, points);
  const double a = AxisEnergyOfKinetic(w, h.StartEnergy + (first - 1) * h.EnergyStep);
  const double b = AxisEnergyOfKinetic(w, h.StartEnergy + (last - 1) * h.EnergyStep);
  d.lowest = std::min(a, b);
  d.highest = std::max(a, b);
  d.span = std::max(d.highest - d.lowest, std::fabs(h.EnergyStep));
  // Ten times the largest value of the region; a region with no positive
  // value (a negated or difference spectrum) still gives a positive limit.
  double largest = 0.0, magnitude = 0.0;
  const CheckedMatrix<double>& data = SlotData[w];
  for (int i = first; i <= last; ++i) {
    if (i > data.RowUpper() || data.ColUpper() < 1) break;
    largest = std::max(largest, data(i, 1));
    magnitude = std::max(magnitude, std::fabs(data(i, 1)));
  }
  const double top = largest > 0.0 ? largest : magnitude > 0.0 ? magnitude : 1.0;
  d.height = 10.0 * top;
  return d;
}

double Ratio(double value, double divisor) { return divisor != 0.0 ? value / divisor : 0.0; }

void SizeCommonArrays(int w, int extraEntries) {
  WindowRecord& win = Win[w];
  const int n = win.PeakCount;
  const int N = 10 * n;
  G.FitTypeName = win.PeakType;
  G.FitPeakCount = win.PeakCount;
  G.ComponentCount = n;
  G.FitVector.Clear();
  G.ParameterScale.Clear();
  G.FitLowerLimits.Clear();
  G.FitUpperLimits.Clear();
  G.FitDerivatives.Clear();
  G.FitGradient.Clear();
  G.FitStep.Clear();
  G.NormalMatrix.Clear();
  G.NormalMatrixSaved.Clear();
  G.NormalMatrixCopy.Clear();
  G.PeakCurves.Clear();
  G.Jacobian.Clear();
  G.PeakAreaSums.Resize(n);
  G.PartnerAreaSums.Resize(n);
  if (extraEntries) G.PeakCurves.Resize(n, win.SpectrumHeader.PointCount);
  DimSlotComponents(w);
  G.ComponentCount = N;
  const int top = N + 6 + extraEntries;
  G.ParameterScale.Resize(top);
  G.FitVector.Resize(top);
  G.FitDerivatives.Resize(top);
  G.FitGradient.Resize(top);
  G.FitStep.Resize(top);
  G.FitLowerLimits.Resize(N);
  G.FitUpperLimits.Resize(N);
  if (extraEntries) G.Jacobian.Resize(N + 6, win.SpectrumHeader.PointCount);
  G.PackedSize = double(top) * (top + 1) / 2;
  const long long packed = static_cast<long long>(G.PackedSize);
  G.NormalMatrix.Resize(packed);
  G.NormalMatrixSaved.Resize(packed);
  G.NormalMatrixCopy.Resize(packed);
}

// Scales, background terms and start statistics, shared by both loads.
void LoadScalesAndBackground(int w) {
  const WindowRecord& win = Win[w];
  const int N = 10 * win.PeakCount;
  for (int p = 1; p <= win.PeakCount; ++p) {
    for (int j = 1; j <= 10; ++j) G.ParameterScale[10 * (p - 1) + j] = win.ParameterState[p][j] - 1;
  }
  for (int i = 1; i <= 6; ++i) {
    G.FitVector[N + i] = win.BackgroundTermValue[i];
    G.ParameterScale[N + i] = win.BackgroundTermFixed[i] ? 0.0 : 1.0;
  }
  G.ResidualCorrelation = win.FitSerialCorrelation;
  G.AcceptedReducedChi2 = win.FitReducedChi2 * ((win.RegionEnd - win.RegionStart + 1) - N);
}

void StoreAreasAndStatistics(int w) {
  WindowRecord& win = Win[w];
  const double s = win.SpectrumHeader.EnergyStep;
  const int N = 10 * win.PeakCount;
  for (int p = 1; p <= win.PeakCount; ++p) {
    win.PeakArea[p] = (p <= G.PeakAreaSums.Upper() ? G.PeakAreaSums[p] : 0.0) * s;
    win.PartnerArea[p] = (p <= G.PartnerAreaSums.Upper() ? G.PartnerAreaSums[p] : 0.0) * s;
  }
  for (int i = 1; i <= 6; ++i) win.BackgroundTermValue[i] = G.FitVector[N + i];
  win.FitSerialCorrelation = G.ResidualCorrelation;
  win.FitReducedChi2 = G.ReducedChiSquare;
  win.FitChi2 = G.ChiSquare;
}

// Limit rules that both completions share for one peak p with absolute
// entries; `relative` drops the rules that do not apply to peak 1 of a
// relative table. Empty cells (a peak added to the fit, a set that leaves
// them open) get limits the region can hold: the region's ends for the
// position, the region's span for a width, ten times the region's largest
// value for the height.
void CompleteOnePeak(int w, int p, bool relative, const RegionDefaults& region) {
  WindowRecord& win = Win[w];
  auto& L = win.ParameterLower[p];
  auto& U = win.ParameterUpper[p];
  auto& V = win.ParameterValue[p];
  const SpectrumHeaderRecord& h = win.SpectrumHeader;
  if (U[1] <= 0) U[1] = region.height;
  for (int j : {5, 6}) {
    // Both limits 0 is a pair never filled in. A single 0 is empty only
    // where 0 eV is not an energy of the region (it is on a valence band).
    if (L[j] == 0 && U[j] == 0) {
      L[j] = region.lowest;
      U[j] = region.highest;
    }
    if (L[j] == 0 && !region.Holds(0)) L[j] = region.lowest;
    if (U[j] == 0 && !region.Holds(0)) U[j] = region.highest;
  }
  for (int j : {7, 8}) {
    if (U[j] <= 0) U[j] = region.span;
  }
  if (DoniachSunjic(w)) {
    // The Gaussian width of the Doniach-Sunjic line, in eV as well.
    for (int j : {3, 4}) {
      if (U[j] <= 0) U[j] = region.span;
    }
  }
  const double first = AxisEnergyOfKinetic(w, h.StartEnergy);
  const double last = AxisEnergyOfKinetic(w, h.EndEnergy);
  // On the binding axis the first point has the highest energy.
  const double lowest = Binding() ? last : first;
  const double highest = Binding() ? first : last;
  if (!DoniachSunjic(w)) {
    if (!relative && U[2] <= 0) U[2] = 0;
    for (int j : {3, 4}) {
      if (U[j] <= 0 || U[j] >= 1) U[j] = 1;
      if (L[j] >= 1 || L[j] <= 0) L[j] = 0;
    }
    for (int j : {9, 10}) {
      if (U[j] <= -1 || U[j] >= 1) U[j] = 1;
      if (L[j] >= 1 || L[j] <= -1) L[j] = -1;
    }
    if (!relative) {
      if (V[4] >= 1) V[4] = 1;
      if (V[4] <= 0) V[4] = 0;
    }
  } else {
    for (int j : {3, 4, 7, 8}) {
      if (L[j] < 0) L[j] = 1e-8;
      if (U[j] < 0) U[j] = 1e-8;
    }
    for (int j : {9, 10}) {
      if (U[j] >= 0.5) U[j] = 0.5;
      if (relative) {
        if (L[j] <= 0) L[j] = 0;
      } else if (L[j] <= -0.5) {
        L[j] = -0.5;
      }
    }
  }
  for (int j : {5, 6}) {
    if (L[j] <= lowest) L[j] = lowest;
    if (U[j] >= highest) U[j] = highest;
  }
}

void CompleteCommonPasses(int w) {
  WindowRecord& win = Win[w];
  for (int p = 1; p <= win.PeakCount; ++p) {
    auto& L = win.ParameterLower[p];
    auto& U = win.ParameterUpper[p];
    auto& V = win.ParameterValue[p];
    for (int j = 1; j <= 10; ++j) {
      if (U[j] <= L[j]) U[j] = L[j];
    }
    if (V[7] <= 0) V[7] = 0.0001;
    if (V[8] <= 0) V[8] = 0.0001;
    for (int j : {1, 3, 5, 7, 9}) {
      if (V[j] > U[j]) V[j] = U[j];
      if (V[j] < L[j]) V[j] = L[j];
    }
  }
}

}  // namespace

bool IsDoubletWindow(int w) { return Win[w].PeakType == G.MessageTexts[52]; }

double ChannelOfEnergy(int w, double energy) {
  const SpectrumHeaderRecord& h = Win[w].SpectrumHeader;
  const double origin = h.StartEnergy + G.GlobalEnergyOffset + Win[w].EnergyShift;
  if (Binding()) return (h.ExcitationEnergy - origin - energy) / h.EnergyStep + 1.0;
  return (energy - origin) / h.EnergyStep + 1.0;
}

double EnergyOfChannel(int w, double channel) {
  const SpectrumHeaderRecord& h = Win[w].SpectrumHeader;
  const double origin = h.StartEnergy + G.GlobalEnergyOffset + Win[w].EnergyShift;
  if (Binding()) return h.ExcitationEnergy - origin - (channel - 1.0) * h.EnergyStep;
  return (channel - 1.0) * h.EnergyStep + origin;
}

void AllocFitArraysGaussLorentz(int w) { SizeCommonArrays(w, 0); }

void AllocFitArraysDoniachSunjic(int w) { SizeCommonArrays(w, 1); }

void CompleteLimitTables(int w) {
  const RegionDefaults region = DefaultsOfRegion(w);
  for (int p = 1; p <= Win[w].PeakCount; ++p) CompleteOnePeak(w, p, false, region);
  CompleteCommonPasses(w);
}

void CompleteLimitTablesRelative(int w) {
  WindowRecord& win = Win[w];
  const RegionDefaults region = DefaultsOfRegion(w);
  if (win.PeakCount >= 1) CompleteOnePeak(w, 1, true, region);
  const double span = std::fabs(win.SpectrumHeader.EndEnergy - win.SpectrumHeader.StartEnergy);
  // Peak 1's start values inside its limits: the empty cells of the other
  // peaks are given relative to them.
  const auto& L1 = win.ParameterLower[1];
  const auto& U1 = win.ParameterUpper[1];
  const auto& V1 = win.ParameterValue[1];
  auto startOfFirst = [&](int j) { return std::clamp(V1[j], L1[j], std::max(L1[j], U1[j])); };
  for (int p = 2; p <= win.PeakCount; ++p) {
    auto& L = win.ParameterLower[p];
    auto& U = win.ParameterUpper[p];
    auto& V = win.ParameterValue[p];
    // Empty ratio and offset cells: room for the peak anywhere in the
    // region, up to ten times the region's largest value and as wide as
    // the region.
    if (U[1] <= 0) {
      const double height = startOfFirst(1);
      U[1] = height > 0 ? region.height / height : 10.0;
    }
    if (L[5] == 0 && U[5] == 0) {
      L[5] = region.lowest - startOfFirst(5);
      U[5] = region.highest - startOfFirst(5);
    }
    if (U[7] <= 0) {
      const double width = startOfFirst(7);
      U[7] = region.span / (width > 0 ? width : 0.0001);
    }
    if (U[3] <= 0) {
      const double shape = startOfFirst(3);
      if (!DoniachSunjic(w)) {
        U[3] = shape > 0 ? 1.0 / shape : 1.0;  // an absolute share up to 1
      } else if (shape > 0) {
        U[3] = region.span / shape;
      }
    }
    for (int j : {5, 6}) {
      if (L[j] <= -span) L[j] = -span;
      if (U[j] >= span) U[j] = span;
    }
    const auto& first = win.ParameterValue[1];
    if (!DoniachSunjic(w)) {
      if (V[4] <= 0) V[4] = 0.0001;
      if (first[3] * V[3] * V[4] >= 1) V[4] = Ratio(1.0, first[3] * V[3]);
    } else {
      if (L[9] <= 0) L[9] = 0;
      if (first[9] * V[9] * V[10] >= 0.5) V[10] = Ratio(0.5, V[9] * first[9]);
    }
  }
  CompleteCommonPasses(w);
}

bool LoadFitParameters(int w) {
  WindowRecord& win = Win[w];
  const double s = win.SpectrumHeader.EnergyStep;
  if (s == 0.0) return false;
  CompleteLimitTables(w);
  const bool doublet = IsDoubletWindow(w);
  const bool ds = DoniachSunjic(w);
  auto& x = G.FitVector;
  auto& lo = G.FitLowerLimits;
  auto& up = G.FitUpperLimits;
  auto channelLimits = [&](int k, double L, double U) {
    if (Binding()) {
      lo[k] = ChannelOfEnergy(w, U);
      up[k] = ChannelOfEnergy(w, L);
    } else {
      lo[k] = ChannelOfEnergy(w, L);
      up[k] = ChannelOfEnergy(w, U);
    }
  };
  for (int p = 1; p <= win.PeakCount; ++p) {
    const int D = 10 * (p - 1) + 1;
    const auto& V = win.ParameterValue[p];
    const auto& L = win.ParameterLower[p];
    const auto& U = win.ParameterUpper[p];
    x[D] = V[1];
    lo[D] = L[1];
    up[D] = U[1];
    if (doublet) {
      x[D + 1] = Ratio(V[2], x[D]);
      lo[D + 1] = L[2];
      up[D + 1] = U[2];
    }
    const double shapeUnit = ds ? 1.0 / s / 2.0 : 1.0;
    x[D + 2] = V[3] * shapeUnit;
    lo[D + 2] = L[3] * shapeUnit;
    up[D + 2] = U[3] * shapeUnit;
    if (doublet) {
      x[D + 3] = Ratio(V[4] * shapeUnit, x[D + 2]);
      if (!ds && x[D + 3] * x[D + 2] > 1.0) x[D + 3] = 1.0 / x[D + 2];
      lo[D + 3] = L[4] * shapeUnit;
      up[D + 3] = U[4] * shapeUnit;
    }
    x[D + 4] = ChannelOfEnergy(w, V[5]);
    channelLimits(D + 4, L[5], U[5]);
    if (doublet) {
      x[D + 5] = ChannelOfEnergy(w, V[6]) - x[D + 4];
      channelLimits(D + 5, L[6], U[6]);
    }
    x[D + 6] = V[7] / s / 2.0;
    lo[D + 6] = L[7] / s / 2.0;
    up[D + 6] = U[7] / s / 2.0;
    if (doublet) {
      x[D + 7] = Ratio(V[8] / s / 2.0, x[D + 6]);
      lo[D + 7] = L[8] / s / 2.0;
      up[D + 7] = U[8] / s / 2.0;
    }
    x[D + 8] = V[9];
    lo[D + 8] = L[9];
    up[D + 8] = U[9];
    x[D + 9] = Ratio(V[10], x[D + 8]);
    lo[D + 9] = L[10];
    up[D + 9] = U[10];
  }
  LoadScalesAndBackground(w);
  return true;
}

void StoreFitParameters(int w) {
  WindowRecord& win = Win[w];
  const double s = win.SpectrumHeader.EnergyStep;
  const bool ds = DoniachSunjic(w);
  const auto& x = G.FitVector;
  for (int p = 1; p <= win.PeakCount; ++p) {
    const int D = 10 * (p - 1) + 1;
    auto& V = win.ParameterValue[p];
    V[1] = x[D];
    V[2] = x[D + 1] * x[D];
    V[3] = ds ? 2.0 * x[D + 2] * s : x[D + 2];
    V[4] = ds ? 2.0 * x[D + 3] * x[D + 2] * s : x[D + 3] * x[D + 2];
    V[5] = EnergyOfChannel(w, x[D + 4]);
    V[6] = EnergyOfChannel(w, x[D + 4] + x[D + 5]);
    V[7] = 2.0 * x[D + 6] * s;
    V[8] = 2.0 * x[D + 7] * x[D + 6] * s;
    V[9] = x[D + 8];
    V[10] = x[D + 8] * x[D + 9];
  }
  StoreAreasAndStatistics(w);
}

bool LoadFitParametersRelative(int w) {
  WindowRecord& win = Win[w];
  const double s = win.SpectrumHeader.EnergyStep;
  if (s == 0.0) return false;
  CompleteLimitTablesRelative(w);
  const bool doublet = IsDoubletWindow(w);
  const bool ds = DoniachSunjic(w);
  auto& x = G.FitVector;
  auto& lo = G.FitLowerLimits;
  auto& up = G.FitUpperLimits;
  // Energy offsets become channel offsets; on the binding axis a positive
  // energy offset is a negative channel offset.
  const double sign = Binding() ? -1.0 : 1.0;
  auto offsets = [&](int k, double V, double L, double U) {
    x[k] = sign * V / s;
    lo[k] = Binding() ? -U / s : L / s;
    up[k] = Binding() ? -L / s : U / s;
  };
  for (int p = 1; p <= win.PeakCount; ++p) {
    const int D = 10 * (p - 1) + 1;
    const auto& V = win.ParameterValue[p];
    const auto& L = win.ParameterLower[p];
    const auto& U = win.ParameterUpper[p];
    auto same = [&](int k, int j) {
      x[k] = V[j];
      lo[k] = L[j];
      up[k] = U[j];
    };
    same(D, 1);
    if (doublet) same(D + 1, 2);
    const double shapeUnit = (p == 1 && ds) ? 1.0 / s / 2.0 : 1.0;
    x[D + 2] = V[3] * shapeUnit;
    lo[D + 2] = L[3] * shapeUnit;
    up[D + 2] = U[3] * shapeUnit;
    if (doublet) same(D + 3, 4);
    if (p == 1) {
      x[D + 4] = ChannelOfEnergy(w, V[5]);
      if (Binding()) {
        lo[D + 4] = ChannelOfEnergy(w, U[5]);
        up[D + 4] = ChannelOfEnergy(w, L[5]);
      } else {
        lo[D + 4] = ChannelOfEnergy(w, L[5]);
        up[D + 4] = ChannelOfEnergy(w, U[5]);
      }
    } else {
      offsets(D + 4, V[5], L[5], U[5]);
    }
    if (doublet) offsets(D + 5, V[6], L[6], U[6]);
    const double widthUnit = p == 1 ? 1.0 / s / 2.0 : 1.0;
    x[D + 6] = V[7] * widthUnit;
    lo[D + 6] = L[7] * widthUnit;
    up[D + 6] = U[7] * widthUnit;
    if (doublet) same(D + 7, 8);
    same(D + 8, 9);
    if (doublet) {
      same(D + 9, 10);
      if (x[D + 8] == 0.0) x[D + 9] = 0.0;
    }
  }
  LoadScalesAndBackground(w);
  return true;
}

void StoreFitParametersRelative(int w) {
  WindowRecord& win = Win[w];
  const double s = win.SpectrumHeader.EnergyStep;
  const bool ds = DoniachSunjic(w);
  const double sign = Binding() ? -1.0 : 1.0;
  const auto& x = G.FitVector;
  for (int p = 1; p <= win.PeakCount; ++p) {
    const int D = 10 * (p - 1) + 1;
    auto& V = win.ParameterValue[p];
    for (int j : {1, 2, 4, 8, 9, 10}) V[j] = x[D + j - 1];
    V[3] = (p == 1 && ds) ? 2.0 * x[D + 2] * s : x[D + 2];
    V[7] = p == 1 ? 2.0 * x[D + 6] * s : x[D + 6];
    V[5] = p == 1 ? EnergyOfChannel(w, x[D + 4]) : sign * x[D + 4] * s;
    V[6] = sign * x[D + 5] * s;
  }
  StoreAreasAndStatistics(w);
}

}  // namespace sorvan
