// The transmission editor, its fit and the commands that start it.
#include "processing/transmission.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/store.h"
#include "dialogs/transmission_pages.h"
#include "display/draw_support.h"
#include "display/frame.h"
#include "display/plotters.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "fit/chi_square.h"
#include "fit/fit_curves.h"
#include "fit/fit_vector.h"
#include "fit/lm_fit.h"
#include "fit/transmission_fit.h"
#include "fiterrors/iteration_page.h"
#include "import/transmission_files.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "processing/revert.h"

namespace sorvan {

namespace {

constexpr int kMessageBadData = 3;
constexpr int kMessageInconsistent = 9;
// MessageTexts: which windows the editor and the three references work on.
constexpr int kTransmissionWindowHint = 112;
constexpr int kReferenceNeedsUnfittedWindowHint = 113;
constexpr int kCoefficients = 10;
constexpr int kFormulaCoefficients = 7;
constexpr int kCancelled = 354;
constexpr int kRecompute = 352;
constexpr int kFit = 353;

void Message(int code, int w) {
  G.CommandId = static_cast<Int16>(code);
  ShowMessage(G.CommandId, w);
}

// The window's region inside the transmission grid and its spectrum.
void RegionOnGrid(int w, int& first, int& last) {
  const WindowRecord& win = Win[w];
  const int points = std::min<int>(win.SpectrumHeader.PointCount, kTransmissionPoints);
  first = std::max<int>(1, win.RegionStart);
  last = std::min<int>(points, win.RegionEnd);
}

// Whether w can hold a transmission curve: 1361 points and a reference.
bool ReferenceUsable(int w) {
  return Win[w].SpectrumHeader.PointCount == kTransmissionPoints &&
         TransmissionReference[w].Upper() >= kTransmissionPoints;
}

void CopyToRestorePoint(int w, int last) {
  for (int c = 1; c <= last; ++c) {
    G.TransmissionCoefCopy[c] = Win[w].TransmissionCoef[c];
    G.TransmissionFixedCopy[c] = Win[w].TransmissionCoefFixed[c];
  }
}

// The reference times the function of coef over w's region into WorkPeak
// and WorkFitSum (the plain reference elsewhere), and into every peak row of
// G.PeakCurves.
void ModelIntoWorkVectors(int w, const double* coef) {
  const int points = Win[w].SpectrumHeader.PointCount;
  const CheckedVector<double>& reference = TransmissionReference[w];
  if (WorkPeak.Upper() < points) DimWorkPeak(w);
  if (WorkFitSum.Upper() < points) DimWorkFitSum(w);
  std::fill(WorkFitSum.begin(), WorkFitSum.end(), 0.0);
  for (int i = 1; i <= kTransmissionPoints; ++i) WorkPeak[i] = reference[i];
  ComputeTransmissionCurve(coef);
  int first = 0, last = 0;
  RegionOnGrid(w, first, last);
  for (int i = first; i <= last; ++i) {
    WorkPeak[i] *= G.TransmissionCurve[i];
    WorkFitSum[i] = WorkPeak[i];
  }
  if (G.PeakCurves.RowUpper() < 1 || G.PeakCurves.ColUpper() < points)
    G.PeakCurves.Resize(std::max<int>(1, Win[w].PeakCount), points);
  for (long long p = 1; p <= G.PeakCurves.RowUpper(); ++p)
    for (int i = 1; i <= points; ++i) G.PeakCurves(p, i) = WorkPeak[i];
}

// The editor's display: the window redrawn with the reference times the
// function as its peak and the fit curve.
void DisplayTransmission(int w) {
  ModelIntoWorkVectors(w, Win[w].TransmissionCoef.begin());
  StoreWorkPeak(w, 1);
  RedrawWindow(w);
  if (!Win[w].WindowOpen) return;
  DrawPeakCurves(w);
  DrawFitCurveAndResiduals(w);
}

// The fit's picture: the spectrum, the model of G.FitVector, its sum and
// residuals.
void DrawTransmissionFit(int w) {
  const WindowRecord& win = Win[w];
  EvaluateTransmissionModel(w);
  if (!win.WindowOpen) return;
  LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
  ComputeIntensityRange(w);
  ComputeEnergyRange(w);
  DrawFrameAndAxes(w, G.FrameColour);
  PlotSpectrum(w, ColourOf(G.CurveColours[0]), G.CurveStyles[0], G.CurveWidths[0]);
  DrawPeakCurves(w);
  DrawFitCurveAndResiduals(w);
}

// The fit's picture with the chi-square of G.FitVector, shown when the
// window is open.
void ShowTransmissionFitState(int w) {
  DrawTransmissionFit(w);
  ChiSquareFromCurve(w);
  if (Win[w].WindowOpen) ShowFitStatistics(w);
}

// The standard deviations of the fit from the raw counts of w's source
// (already in WorkData), as every fit weighs its points.
void WeighByRawCounts(int w) {
  DimWorkSigma(w);
  WeightsFromRawCounts(w, Win[w].SpectrumHeader.PointCount);
}

// The window's peak table made one single peak with the Doniach-Sunjic fit
// arrays: the peak row the editor draws the reference times the function
// into.
void UseOnePeak(int w) {
  WindowRecord& win = Win[w];
  win.PeakCount = 1;
  win.PeakType = G.MessageTexts[47];
  AllocFitArraysDoniachSunjic(w);
}

// Coefficients and statistics of the closing evaluation into the window.
void StoreTransmissionFit(int w) {
  WindowRecord& win = Win[w];
  for (int c = 1; c <= kCoefficients; ++c) win.TransmissionCoef[c] = G.FitVector[c];
  win.FitChi2 = G.ChiSquare;
  win.FitReducedChi2 = G.ReducedChiSquare;
  win.FitSerialCorrelation = G.ResidualCorrelation;
}

}  // namespace

double TransmissionGridValue(const double* coef, int point) {
  return TransmissionParameterValue(coef, TransmissionEnergy(point));
}

void ComputeTransmissionCurve(const double* coef) {
  for (int i = 1; i <= kTransmissionPoints; ++i) G.TransmissionCurve[i] = TransmissionGridValue(coef, i);
}

void ResetTransmissionCoefficients(int w) {
  WindowRecord& win = Win[w];
  for (int c = 1; c <= kCoefficients; ++c) {
    win.TransmissionCoef[c] = 0;
    win.TransmissionCoefFixed[c] = -1;
  }
  for (int c : {1, 6}) {
    win.TransmissionCoef[c] = 1;
    win.TransmissionCoefFixed[c] = 0;
  }
  win.TransmissionCoef[7] = -0.5;
  win.TransmissionCoefFixed[7] = 0;
}

bool ShowsTransmissionFile(int w) {
  return IsSpectrumWindow(w) && plat::LowerCase(plat::Right(Win[w].SourcePath, 3)) == "trm";
}

void EditTransmissionFunction(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  const int points = win.SpectrumHeader.PointCount;
  if (points != kTransmissionPoints) {
    Message(kMessageBadData, w);
    return;
  }
  DimWorkFitSum(w);
  if (!ReloadSourceData(w)) return;
  // The data the residuals are drawn against, as the fit takes them.
  LoadWorkFitTarget(w, 1, 1, points);
  G.DialogResult = 0;
  const bool parameterFile = ShowsTransmissionFile(w);
  if (win.HasFit == 0) {
    if (WorkPeak.Upper() < kTransmissionPoints) {
      Message(kMessageBadData, w);
      return;
    }
    if (!parameterFile) ResetTransmissionCoefficients(w);
    CheckedVector<double>& reference = TransmissionReference[w];
    reference.Resize(kTransmissionPoints);
    for (int i = 1; i <= kTransmissionPoints; ++i) reference[i] = WorkPeak[i];
  }
  if (!ReferenceUsable(w)) {
    Message(kMessageBadData, w);
    return;
  }
  CopyToRestorePoint(w, kCoefficients);
  if (!LoadWindowSource(w)) {
    Message(kMessageBadData, w);
    return;
  }
  WeighByRawCounts(w);
  if (G.CpsMode == 1) {
    const double f = CountsFactor(w);
    for (int i = 1; i <= points; ++i) WorkData[i] /= f;
  }
  if (win.HasFit == 0 && (!parameterFile || G.NormaliseTransmission == 1)) {
    // The reference is made to equal the data at 1000 eV; a reference of 0
    // there cannot be scaled and is left as it is.
    CheckedVector<double>& reference = TransmissionReference[w];
    const double at1000 = reference[kTransmissionPointAt1000eV];
    if (at1000 == 0.0) {
      Message(kMessageInconsistent, w);
    } else {
      const double factor = WorkData[kTransmissionPointAt1000eV] / at1000;
      for (int i = 1; i <= kTransmissionPoints; ++i) reference[i] *= factor;
    }
  }
  bool fitted = false;
  while (true) {
    DisplayTransmission(w);
    // The page's Cancel returns to the set of the last fit or the editor's
    // start.
    if (G.DialogResult == 0 || G.DialogResult == kFit || fitted) {
      CopyToRestorePoint(w, kFormulaCoefficients);
      fitted = false;
    }
    if (G.DialogResult != kCancelled) ShowTransmissionCoefficientPage(w);
    if (G.DialogResult == kRecompute) continue;
    if (G.DialogResult != kFit) return;
    FitTransmissionFunction(w);
    if (!win.WindowOpen) return;
    fitted = true;
  }
}

void EvaluateTransmissionModel(int w) {
  if (!ReferenceUsable(w) || G.FitVector.Upper() < kFormulaCoefficients) return;
  if (G.FitVector[7] > 0.0) G.FitVector[7] = 0.0;
  ModelIntoWorkVectors(w, G.FitVector.begin());
}

void FitTransmissionFunction(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  const int points = win.SpectrumHeader.PointCount;
  int first = 0, last = 0;
  RegionOnGrid(w, first, last);
  // One peak's worth of degrees is taken off the statistics: the region must
  // leave some over.
  if (!ReferenceUsable(w) || last - first + 1 <= DegreesUsedByPeaks(1, false, 0)) {
    Message(kMessageInconsistent, w);
    return;
  }
  if (!LoadWindowSource(w)) {
    Message(kMessageBadData, w);
    return;
  }
  G.FitRunState = FitRunning;
  if (G.FitVector.Upper() < kCoefficients) G.FitVector.Resize(kCoefficients);
  std::vector<double> p(kCoefficients + 1, 0.0);
  bool held[kCoefficients + 1] = {};
  for (int c = 1; c <= kCoefficients; ++c) {
    p[c] = win.TransmissionCoef[c];
    G.FitVector[c] = p[c];
    held[c] = win.TransmissionCoefFixed[c] != 0.0;
  }
  WeighByRawCounts(w);
  DimWorkShirleyShape(w);
  DimWorkTougaardShape(w);
  DimWorkFitTarget(w);
  LoadWorkFitTarget(w, 1, 1, points);
  if (WorkFitSum.Upper() < points) DimWorkFitSum(w);
  win.HasFit = 1;
  G.FitDisplayPass = 1;
  G.FitIteration = 0;
  G.FitRound = 0;
  auto finish = [] {
    G.FitRunState = FitIdle;
    G.FitDisplayPass = 0;
  };
  auto sync = [](const double* q) { std::copy(q, q + kCoefficients + 1, G.FitVector.begin()); };
  auto closingDisplay = [&] {
    G.FitDisplayPass = 1;
    ShowTransmissionFitState(w);
    StoreTransmissionFit(w);
    G.FitDisplayPass = 0;
  };

  // The start, then the question how long to iterate; Cancel there keeps
  // the start values (a positive b2 taken as 0) with their statistics.
  ShowTransmissionFitState(w);
  ShowIterationLimitPage();
  if (G.DialogResult == 2) {
    closingDisplay();
    finish();
    return;
  }
  const bool wasOpen = win.WindowOpen;
  const std::vector<double> target(WorkFitTarget.begin(), WorkFitTarget.begin() + points + 1);
  const std::vector<double> sigma(WorkSigma.begin(), WorkSigma.begin() + points + 1);
  FitSettings settings{G.IterationLimit, G.FitRounds, true};
  FitHooks hooks;
  hooks.acceptedStep = [&](const double* q) {
    sync(q);
    G.FitDisplayPass = 0;
    ShowTransmissionFitState(w);
  };
  hooks.afterTrial = [&](const double* q, double iteration) {
    sync(q);
    G.FitIteration = iteration;
    return ShowTrialAndPollKey(w, iteration);
  };
  hooks.windowClosed = [&] {
    return G.FitRunState == FitStopRequested || (wasOpen && !win.WindowOpen);
  };
  hooks.roundEnd = [&](const double* q, const FitStatistics&) {
    sync(q);
    closingDisplay();
    G.FitRound += 1;
  };
  hooks.finished = [](double*) {
    if (G.BatchMode == 1) G.DialogResult = 2;
    return 2;
  };
  hooks.singular = [&] { Message(kMessageInconsistent, w); };
  FitTransmissionCoefficients(TransmissionReference[w].begin(), target.data(), sigma.data(), first,
                              last, p.data(), held, settings, hooks);
  finish();
}

void RunTransmissionReferenceCommand(int command) {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  if (win.SpectrumHeader.PointCount != kTransmissionPoints) {
    Message(kMessageBadData, w);
    G.SpectraReadCount = 0;
    return;
  }
  if (win.HasFit == 0) {
    // The window becomes a one-peak window only once its reference is read:
    // a missing or unreadable reference leaves it as it was.
    G.CommandId = static_cast<Int16>(command);
    LoadTransmissionReference(command);
    if (win.TransmissionActive == 1 && G.SpectraReadCount != 0) {
      UseOnePeak(w);
      EditTransmissionFunction(w);
    }
  } else {
    // A fitted window keeps its fit; the user is told where the reference goes.
    plat::MessageBox(G.MessageTexts[kReferenceNeedsUnfittedWindowHint], plat::kMessageOk, "");
  }
  G.DialogResult = 0;
}

void RunEditTransmissionCommand() {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  bool edited = false;
  if (ShowsTransmissionFile(w) && win.HasFit == 0) {
    UseOnePeak(w);
    DimWorkPeak(w);
    for (int k = 1; k <= win.SpectrumHeader.PointCount; ++k) WorkPeak[k] = 1;
    EditTransmissionFunction(w);
    win.TransmissionActive = 1;
    edited = true;
  }
  if (win.TransmissionActive == 1 && G.SpectraReadCount != 0 && win.HasFit == 1 &&
      G.DialogResult != kCancelled) {
    EditTransmissionFunction(w);
    edited = true;
  }
  // A window that holds no transmission function is left as it is, and the
  // user is told which windows the command works on.
  if (!edited) plat::MessageBox(G.MessageTexts[kTransmissionWindowHint], plat::kMessageOk, "");
  G.DialogResult = 0;
}

}  // namespace sorvan
