// The error table of a fit (see error_table.h).
#include "fiterrors/error_table.h"

#include <cmath>

#include "core/model.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"

namespace sorvan {

namespace {

constexpr double kNone = kEmptyResultCell;

// 100 * |a / b|, or no value when b is 0 (or the quotient is not finite).
double Percent(double a, double b) {
  if (b == 0) return kNone;
  const double v = std::fabs(a / b) * 100;
  return std::isfinite(v) ? v : kNone;
}

double ErrorOf(const WindowRecord& win, int k) {
  return win.ParamErrors.Contains(k, k) ? win.ParamErrors(k, k) : 0.0;
}

}  // namespace

double LimitPartnerShareError(double share, double error) {
  double t = error;
  if (share < t && share >= 0.5) t = share;
  if (1 - share < t && share < 0.5) t = std::fabs(1 - share);
  return t;
}

void ErrorTableRow(const ErrorRowInput& in, double row[11]) {
  const double* e = in.e;
  const double* x = in.x;
  const double s = in.energyStep;
  const bool ds = in.doniachSunjic;
  if (in.percent) {
    row[1] = Percent(e[1], x[1]);
    row[3] = Percent(e[3], x[3]);
    row[5] = Percent(e[5] * s, in.positionEnergy);
    row[7] = Percent(e[7], x[7]);
    row[9] = Percent(e[9], x[9]);
    if (!in.relative) {
      row[2] = (x[1] == 0 || x[2] == 0) ? kNone : Percent(e[1] * x[2] + e[2] * x[1], x[2] * x[1]);
      const double t = LimitPartnerShareError(x[3] * x[4], std::fabs(e[3] * x[4] + e[4] * x[3]));
      row[4] = (x[3] == 0 || x[4] == 0) ? kNone : Percent(t, x[4] * x[3]);
      row[6] = Percent(s * (e[5] + e[6]), in.partnerEnergy);
      row[8] = (x[7] == 0 || x[8] == 0) ? kNone : Percent(e[7] * x[8] + e[8] * x[7], x[8] * x[7]);
      row[10] =
          (x[9] == 0 || x[10] == 0) ? kNone : Percent(e[9] * x[10] + e[10] * x[9], x[10] * x[9]);
    } else {
      row[2] = Percent(e[2], x[2]);
      row[4] = Percent(e[4], x[4]);
      // The partner entry is the splitting on both axes: its relative error.
      row[6] = Percent(e[6], x[6]);
      row[8] = Percent(e[8], x[8]);
      row[10] = Percent(e[10], x[10]);
    }
    return;
  }
  row[1] = std::fabs(e[1]);
  row[9] = std::fabs(e[9]);
  if (!in.relative) {
    row[2] = std::fabs(e[1] * x[2] + e[2] * x[1]);
    row[3] = ds ? std::fabs(2 * e[3] * s) : std::fabs(e[3]);
    const double shareError = std::fabs(e[3] * x[4] + e[4] * x[3]);
    row[4] = ds ? std::fabs(2 * s * (e[3] * x[4] + e[4] * x[3]))
                : LimitPartnerShareError(x[3] * x[4], shareError);
    row[5] = std::fabs(e[5] * s);
    row[6] = std::fabs(s * (e[5] + e[6]));
    row[7] = std::fabs(2 * e[7] * s);
    row[8] = std::fabs(2 * s * (e[7] * x[8] + e[8] * x[7]));
    row[10] = std::fabs(e[9] * x[10] + e[10] * x[9]);
    return;
  }
  row[2] = std::fabs(e[2]);
  row[3] = (ds && in.firstPeak) ? std::fabs(2 * e[3] * s) : std::fabs(e[3]);
  row[4] = std::fabs(e[4]);
  // Positions and offsets are channels in the fit vector: shown in eV.
  row[5] = std::fabs(e[5] * s);
  row[6] = std::fabs(e[6] * s);
  row[7] = in.firstPeak ? std::fabs(2 * e[7] * s) : std::fabs(e[7]);
  row[8] = std::fabs(e[8]);
  row[10] = std::fabs(e[10]);
}

void BuildErrorTable(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  int n = win.PeakCount;
  if (n < 0) n = 0;
  if (n > kMaxPeaks) n = kMaxPeaks;
  const int N = 10 * n;
  G.ComponentCount = n;
  G.FitPeakCount = static_cast<Int16>(n);
  G.ParameterScale.Clear();
  G.FitVector.Clear();
  G.FitLowerLimits.Clear();
  G.FitUpperLimits.Clear();
  G.ComponentCount = N;
  G.ParameterScale.Resize(N + 6);
  G.FitVector.Resize(N + 6);
  G.FitLowerLimits.Resize(N);
  G.FitUpperLimits.Resize(N);
  if (win.RelativeMode == 1) {
    LoadFitParametersRelative(w);
  } else {
    LoadFitParameters(w);
  }
  win.ErrorTableValid = 1;

  const bool percent = win.ErrorsInPercent != 0;
  const bool doublet = IsDoubletWindow(w);
  const double s = win.SpectrumHeader.EnergyStep;
  for (int p = 1; p <= n; ++p) {
    const int D = 10 * (p - 1) + 1;
    ErrorRowInput in;
    for (int j = 1; j <= 10; ++j) {
      in.e[j] = ErrorOf(win, D + j - 1);
      in.x[j] = G.FitVector[D + j - 1];
    }
    in.energyStep = s;
    in.relative = win.RelativeMode == 1;
    in.firstPeak = p == 1;
    in.doniachSunjic = win.PeakModel == PeakModelDoniachSunjic;
    in.percent = percent;
    in.kinetic = G.EnergyAxisMode == 1;
    in.positionEnergy = EnergyOfChannel(w, in.x[5]);
    in.partnerEnergy = EnergyOfChannel(w, in.x[5] + in.x[6]);
    double row[11] = {};
    ErrorTableRow(in, row);
    for (int j = 1; j <= 10; ++j) win.ParamErrorTable[p][j] = row[j];

    auto shown = [&](double error, double shareError, double area, double& errorShown,
                     double& shareShown) {
      if (!percent) {
        errorShown = error;
        shareShown = shareError;
      } else if (area != 0) {
        errorShown = 100 * error / area;
        // Without a total area the share has no value.
        shareShown = win.TotalArea == 0 ? kNone : 100 * shareError / (area / win.TotalArea);
      }
    };
    shown(win.AreaError[p], win.AreaShareError[p], win.PeakArea[p], win.AreaErrorShown[p],
          win.AreaShareErrorShown[p]);
    if (doublet) {
      shown(win.PartnerAreaError[p], win.PartnerShareError[p], win.PartnerArea[p],
            win.PartnerAreaErrorShown[p], win.PartnerShareErrorShown[p]);
    }
  }
  for (int i = 1; i <= 6; ++i) {
    const double error = ErrorOf(win, N + i);
    const double value = win.BackgroundTermValue[i];
    if (!percent) {
      win.BackgroundTermError[i] = error;
    } else if (value != 0) {
      win.BackgroundTermError[i] = 100 * error / value;
    } else if (G.ParameterScale[N + i] != 0) {
      win.BackgroundTermError[i] = kNone;
    }
  }
}

}  // namespace sorvan
