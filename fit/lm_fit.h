// The Levenberg-Marquardt iteration of the peak fits: a damped Gauss-Newton
// step on a packed normal matrix with a Cholesky solve, trial judged by the
// reduced chi-square, rounds and stop tests. The model is pluggable (the
// Gauss-Lorentz model with analytic derivatives is here; the Doniach-Sunjic,
// relative-peak and transmission fits supply their own), and the window work
// (redraws, caption, key poll, pages, storing) comes in through hooks, so the
// iteration itself runs on plain arrays and is tested without a window.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "fit/chi_square.h"

namespace sorvan {

// A model fitted by the iteration. Variables are p[1..VariableCount()]
// (element 0 is unused), channels are the region first..last of the data.
class FitModel {
 public:
  virtual ~FitModel() = default;
  virtual int VariableCount() const = 0;
  // Called with the accepted parameters before the normal system is built
  // from them (a fitted background refreshes its peak-dependent terms here,
  // a numerical model may compute its whole Jacobian).
  virtual void Linearise(const double* /*p*/) {}
  // Model value at `channel` and its derivatives with respect to every
  // variable, written to derivatives[1..P] (all of them, zeros included).
  virtual double ValueAndDerivatives(const double* p, int channel, double* derivatives) = 0;
  // Called once before the start values are evaluated: a fitted background
  // builds the terms that follow the peaks (Shirley step, loss tail) from
  // the start peaks here, so that the start is judged on the whole model.
  virtual void PrepareStart(const double* /*p*/) {}
  // Called once before Value() is asked for the channels of a trial.
  virtual void PrepareTrial(const double* /*p*/) {}
  virtual double Value(const double* p, int channel) = 0;
  // Keeps the variables inside their limits after a step.
  virtual void ApplyLimits(double* p) = 0;
  // Whether ApplyLimits gives entry k the value of another entry (a partner
  // entry of peaks 2..n linked to peak 1's) rather than limiting it.
  virtual bool Linked(int /*k*/) const { return false; }
  // Limits of the peak entries (0..N) and the scales (0..P) of a peak model;
  // kept by pointer, so they must outlive the fit.
  virtual void SetLimits(const double* /*lower*/, const double* /*upper*/, const double* /*scale*/) {}
  // Whether the loss term of a fitted background enters (free or not 0);
  // without it the tail, a correlation over the region, is not built.
  virtual void SetTailUsed(bool /*used*/) {}
};

// The data a fit runs against.
struct FitData {
  const double* target = nullptr;  // indexed by channel
  const double* sigma = nullptr;   // standard deviations, positive
  int first = 1;
  int last = 0;
  // Per variable (0..P): 0 held fixed, otherwise |scale| multiplies the
  // derivative (the sign marks free -1 and linked +1).
  const double* scale = nullptr;
  double degreesUsed = 0;
  double countsFactor = 1;  // scans x dwell time in counts-per-second mode
};

struct FitSettings {
  double iterationLimit = 2;  // trials per round before a round may end
  int fitRounds = 2;
  // Fits with analytic derivatives accept a trial whose reduced chi-square
  // equals the accepted one; fits with forward-difference derivatives accept
  // only a smaller one (the stop test at the iteration limit still takes an
  // equal value).
  bool acceptOnlySmaller = false;
};

// The window's side of a fit. Every hook may be left empty.
struct FitHooks {
  // First pass of the first round: show the start and ask. Returns false to
  // evaluate the start values only (no step).
  std::function<bool(const double* p)> startQuestion;
  // Called with the accepted parameters before each system is built (redraw).
  std::function<void(const double* p)> acceptedStep;
  // After every trial: caption progress; returns the key read (27 = Esc) or 0.
  std::function<int(const double* p, double iteration)> afterTrial;
  // True when the window was closed while the fit ran: the fit ends at once
  // and nothing is stored.
  std::function<bool()> windowClosed;
  // End of a round (and of an evaluation only): the parameters to keep with
  // their statistics; draws and stores.
  std::function<void(const double* p, const FitStatistics& statistics)> roundEnd;
  // After the last round: 1 fit again, 2 done, any other answer goes on as
  // after a trial (the hook may change p). Empty: done.
  std::function<int(double* p)> finished;
  // The normal matrix could not be factorised even with heavy damping.
  std::function<void()> singular;
};

enum class FitOutcome {
  Finished,       // rounds done, the best parameters stored
  FitAgain,       // the finished page asked to fit again from fresh data
  EvaluatedOnly,  // the start values were evaluated and stored, no step made
  WindowClosed,   // a window was closed meanwhile: nothing stored
  Singular        // the system could not be solved: the best parameters stored
};

// The iteration with its workspace. All vectors are sized once by the
// constructor; nothing is allocated while it iterates.
class LevenbergMarquardt {
 public:
  LevenbergMarquardt(int variableCount, int lastChannel);

  FitOutcome Run(FitModel& model, const FitData& data, double* p, const FitSettings& settings,
                 const FitHooks& hooks);

  // Statistics of the model at p (the trial chi-square).
  FitStatistics Evaluate(FitModel& model, const FitData& data, const double* p);
  // Gradient and undamped packed normal matrix at p, in one pass over the
  // region: model and derivatives are evaluated together per channel.
  void BuildSystem(FitModel& model, const FitData& data, const double* p);
  // Damps the saved matrix with lambda and solves for the step. False when a
  // pivot is not positive.
  bool Solve(double lambda);

  // Results of the last step and trial, read by the callers and tests.
  const std::vector<double>& Step() const { return step_; }
  const std::vector<double>& Gradient() const { return gradient_; }
  const std::vector<double>& NormalMatrixSaved() const { return normalSaved_; }

  double damping = 0;
  double trialReducedChi2 = 0;
  double acceptedReducedChi2 = 0;
  double iteration = 0;
  int round = 0;
  int convergedCount = 0;
  int acceptedSteps = 0;
  int rejectedTrials = 0;
  int lastKey = 0;
  FitStatistics statistics;

 private:
  bool Accepted(const FitSettings& settings) const;
  // Solve with the entries marked in held_ kept where they are.
  bool SolveHolding(double lambda);
  // Solves the trial again with the entries held that sit on a limit.
  void ProjectStep(FitModel& model, double* p);
  // The trial of the solved step: the old entries plus the step, kept
  // inside the limits.
  void LimitedStep(FitModel& model, double* p);
  int variables_;
  std::vector<double> gradient_, step_, derivatives_, normal_, normalSaved_, old_, best_, curve_;
  std::vector<int> active_;
  std::vector<char> held_;
};

// Whether entry k of a peak fit vector of peakCount peaks is linked: a
// partner entry (offsets 1, 3, 5, 7, 9) of peaks 2..n whose scale is +1.
inline bool LinkedPeakEntry(const double* scale, int peakCount, int k) {
  return scale != nullptr && k > 10 && k <= 10 * peakCount && (k - 1) % 2 == 1 &&
         scale[k] == 1.0;
}

// Packed lower triangle: element (k, j), 1 <= j <= k, at k(k-1)/2 + j.
inline int PackedIndex(int k, int j) { return k * (k - 1) / 2 + j; }
inline int PackedSizeFor(int variables) { return variables * (variables + 1) / 2; }

// The six background terms fitted with the peaks: A + B b + C b^2 + D b^3 +
// E S + F T, b the distance in channels from the region's end, S the running
// sum of the peak sum from the region's end, T the loss tail of the peak sum
// with the universal loss cross-section (B = 2866 eV^2, C = 1643 eV^2).
// Builds S and T over [first, last] from peakSum; zero elsewhere.
// `lossKernel` is scratch of last - first + 2 values. With withTail false T
// is left zero. T is one correlation over the region (TailSums), O(n log n).
void BuildFitBackgroundBasis(const double* peakSum, int pointCount, int first, int last,
                             double energyStep, bool withTail, double* shirley, double* tougaard,
                             double* lossKernel);

// How the Shirley and loss terms move with one peak entry: S and T are sums
// of the peak sum, so their derivatives by the entry are the same sums of
// the derivative of the peak sum (`column`, over [first, last]). Adds
// E dS + F dT to out[first..last] (out may be column itself). `lossKernel`
// is the kernel BuildFitBackgroundBasis left (used when F is not 0),
// `scratch` holds last - first + 1 values.
void AddBackgroundTermsDerivative(const double* column, int first, int last, double energyStep,
                                 double E, double F, const double* lossKernel, double* scratch,
                                 double* out);

// The Gauss-Lorentz model of independent peaks (singlets or doublets) with
// the optional background terms, in the fit-vector layout: peak p at base
// 10(p-1)+1, the six background terms at N+1..N+6.
class GaussLorentzFitModel : public FitModel {
 public:
  GaussLorentzFitModel(int peakCount, bool doublet, bool backgroundFitted, int pointCount,
                       int first, int last, double energyStep);
  int VariableCount() const override { return 10 * peakCount_ + 6; }
  // Builds the Shirley and loss terms of p's peaks (unless the last trial
  // built them for the same peaks) and, when E or F is not 0, how they move
  // with every free peak entry.
  void Linearise(const double* p) override;
  // The start and every trial are judged with the Shirley step and loss
  // tail of their own peaks.
  void PrepareStart(const double* p) override { BuildTerms(p); }
  void PrepareTrial(const double* p) override { BuildTerms(p); }
  double ValueAndDerivatives(const double* p, int channel, double* derivatives) override;
  double Value(const double* p, int channel) override;
  void ApplyLimits(double* p) override;

  void SetLimits(const double* lower, const double* upper, const double* scale) override {
    lower_ = lower;
    upper_ = upper;
    scale_ = scale;
  }
  void SetTailUsed(bool used) override {
    tailUsed_ = used;
    termsValid_ = spare_.valid = false;
  }
  bool Linked(int k) const override { return LinkedPeakEntry(scale_, peakCount_, k); }
  const std::vector<double>& Shirley() const { return shirley_; }
  const std::vector<double>& Tougaard() const { return tougaard_; }
  // Times the peak sum and the Shirley and loss terms were built (for tests
  // and benchmarks of the work per step).
  int TermBuilds() const { return termBuilds_; }

 protected:
  // The peaks' part of the model at `channel` and its derivatives by the
  // peak entries, d[1..N]; Linearise has been called for p.
  virtual double PeakValueAndDerivatives(const double* p, int channel, double* d);
  // The absolute entries of peak `peak` (0-based) of p.
  virtual const double* PeakEntries(const double* p, int peak) const { return p + 10 * peak + 1; }
  // The peak sum of p and the Shirley and loss terms built from it; nothing
  // when the terms were last built for the same peak entries.
  void BuildTerms(const double* p);
  double Background(const double* p, int channel) const;
  // Derivatives of the background terms at `channel` into d[N+1..N+6].
  void BackgroundDerivatives(int channel, double* d) const;
  // Rebuilds the Shirley and loss terms from peakSum_ (when fitted).
  void RebuildBasis();
  // A free height or Lorentz share never rests on 0: a product line of
  // height 0 has no derivatives by its shape, and one of share 0 has a
  // derivative by its share proportional to that by its width, so that the
  // share could not leave 0 again. Such an entry at or below 0 is lifted to
  // kFreeFloor before the limits take it (a lower limit above it still holds).
  static constexpr double kFreeFloor = 1e-4;
  void FloorFree(double* p, int k) const;
  int peakCount_;
  bool doublet_;
  bool backgroundFitted_;
  bool tailUsed_ = true;
  int pointCount_, first_, last_;
  double energyStep_;
  const double* lower_ = nullptr;
  const double* upper_ = nullptr;
  const double* scale_ = nullptr;
  std::vector<double> shirley_, tougaard_, peakSum_, lossKernel_;
  // The peak entries the terms were last built for.
  std::vector<double> termsFor_;
  bool termsValid_ = false;
  // The set built before (peak entries, peak sum, S and T).
  struct TermSet {
    std::vector<double> termsFor, peakSum, shirley, tougaard;
    bool valid = false;
  } spare_;
  int termBuilds_ = 0;
  // E dS/dθ + F dT/dθ per peak entry θ (rows of pointCount + 1), filled by
  // Linearise when `coupled_`.
  bool coupled_ = false;
  std::vector<double> coupling_, tailScratch_, columnScratch_, derivativeScratch_;
};

// Gauss-Lorentz peaks 2..n relative to peak 1 (heights, shares, widths and
// asymmetries as ratios, positions as offsets): the analytic derivatives of
// each line are handed to the fit entries by the chain rule, so a change of
// peak 1 is felt through every peak.
class GaussLorentzRelativeFitModel : public GaussLorentzFitModel {
 public:
  using GaussLorentzFitModel::GaussLorentzFitModel;
  void Linearise(const double* p) override;
  void PrepareStart(const double* p) override { PrepareTrial(p); }
  void PrepareTrial(const double* p) override;
  double Value(const double* p, int channel) override;
  void ApplyLimits(double* p) override;

 protected:
  double PeakValueAndDerivatives(const double* p, int channel, double* derivatives) override;
  const double* PeakEntries(const double*, int peak) const override {
    return resolved_.data() + 10 * peak + 1;
  }

 private:
  void Resolve(const double* p);
  std::vector<double> resolved_;  // absolute entries of every peak, fit-vector layout
};

// The Levenberg-Marquardt fit of window w's Gauss-Lorentz peaks relative to
// the first (the window's RelativeMode 1).
void FitPeaksGaussLorentzRelative(int w);

// ---- The fit of a window ----

// Pages of other subsystems that the fit shows; they register themselves at
// start-up. A page not registered is not shown: the iteration-limit question
// then keeps the current limits, the fit-finished page answers 2 (done).
struct FitPages {
  void (*iterationLimitPage)(int w) = nullptr;  // sets IterationLimit, FitRounds, DialogResult
  void (*fitFinishedPage)(int w) = nullptr;     // sets DialogResult
  // Makes w's source the spectrum loaded in the imported store (re-reading
  // its file when another one was read since); false when it cannot.
  bool (*reloadSourceData)(int w) = nullptr;
};
FitPages& FitPageHooks();

// Sizes the fit's work columns for window w and loads its data (column 1)
// and background (column 2) over its points.
void DimFitWorkColumns(int w, int points);
// After each trial of an iteration: the count in the window's caption while
// it is open, then the key pressed meanwhile (kept in FitKey and returned).
int ShowTrialAndPollKey(int w, double iteration);

// What one kind of fit brings to the window loop: its model over the region
// and the window procedures that draw, judge and store its result.
struct WindowFitKind {
  // Builds the model for window w from the set-up fit arrays.
  std::function<std::unique_ptr<FitModel>(int w)> makeModel;
  void (*evaluatePeaks)(int w) = nullptr;  // fills WorkFitSum, draws the peaks
  void (*chiSquare)(int w) = nullptr;      // statistics into G
  void (*store)(int w) = nullptr;          // fit vector back into the peak table
  bool acceptOnlySmaller = false;          // forward-difference derivatives
};

// Whether window w's six background terms are fitted with its peaks (its
// BackgroundState is Fitted). The fits and the error analyses ask this one
// function.
bool BackgroundFittedWithPeaks(int w);
// The model of window w's fit over its region: Gauss-Lorentz (analytic
// derivatives) or Doniach-Sunjic (forward differences), with peaks
// independent or relative to the first, singlets or doublets, the background
// terms fitted or not. Limits and scales are not set. The fits and the error
// analyses build their models here.
std::unique_ptr<FitModel> MakeFitModel(int w, bool doniachSunjic, bool relative);
// The same for the kind the window's PeakModel and RelativeMode name.
std::unique_ptr<FitModel> MakeWindowFitModel(int w);

// Runs the fit of window w, whose fit arrays are set up and loaded: data and
// weights, the iteration with a redraw and caption progress between steps,
// Esc to stop, the rounds, the fit-finished page, and storing. Refuses (with
// a message) a window whose energy step is 0 (message 3), whose raw counts
// cannot be had (message 3) or whose region leaves no degree of freedom
// (message 9). A window closed meanwhile ends the fit with nothing stored.
FitOutcome RunWindowFit(int w, const WindowFitKind& kind);

// The Levenberg-Marquardt fit of the Gauss-Lorentz peaks of window w.
void FitPeaksGaussLorentz(int w);
// The same for Doniach-Sunjic peaks, with forward-difference derivatives.
void FitPeaksDoniachSunjic(int w);

// The Doniach-Sunjic model of independent peaks broadened by a Gaussian,
// with the optional background terms, in the fit-vector layout of the
// Gauss-Lorentz model (the shape entry is the Gaussian half width, the width
// entry the Lorentz half width, in channels). Its derivatives are forward
// differences, peak by peak: only the stepped peak is evaluated again.
class DoniachSunjicFitModel : public FitModel {
 public:
  DoniachSunjicFitModel(int peakCount, bool doublet, bool backgroundFitted, int pointCount,
                        int first, int last, double energyStep);
  int VariableCount() const override { return 10 * peakCount_ + 6; }
  void Linearise(const double* p) override;
  double ValueAndDerivatives(const double* p, int channel, double* derivatives) override;
  void PrepareTrial(const double* p) override;
  double Value(const double* p, int channel) override;
  void ApplyLimits(double* p) override;
  void SetLimits(const double* lower, const double* upper, const double* scale) override {
    lower_ = lower;
    upper_ = upper;
    scale_ = scale;
  }
  void SetTailUsed(bool used) override { tailUsed_ = used; }
  bool Linked(int k) const override { return LinkedPeakEntry(scale_, peakCount_, k); }
  // Curve of peak `peak` (1..n) at the parameters of the last evaluation.
  const double* PeakCurve(int peak) const { return curves_.data() + (peak - 1) * stride_; }

 protected:
  // Peaks 2..n hold ratios and offsets to peak 1 (set by the relative twin).
  bool relative_ = false;
  // The absolute entries of peak `peak` (1..n) of p.
  void PeakEntries(const double* p, int peak, double* entries) const;
  void EvaluatePeak(const double* entries, double* curve);
  void EvaluateAll(const double* p);
  // The Shirley and loss terms of a fitted background from the peak sum of
  // the last evaluation.
  void RebuildBackground();
  double Background(const double* p, int channel) const;
  int peakCount_;
  bool doublet_;
  bool backgroundFitted_;
  bool tailUsed_ = true;
  int pointCount_, first_, last_;
  double energyStep_;
  std::size_t stride_;
  const double* lower_ = nullptr;
  const double* upper_ = nullptr;
  const double* scale_ = nullptr;
  std::vector<double> curves_, sum_, jacobian_, stepped_, partner_, scratchA_, scratchB_;
  std::vector<double> shirley_, tougaard_, lossKernel_, steppedVector_;
};

// Doniach-Sunjic peaks 2..n relative to peak 1. The forward differences of
// peak 1's entries are also taken through every other peak, so that moving
// peak 1 moves the group.
class DoniachSunjicRelativeFitModel : public DoniachSunjicFitModel {
 public:
  DoniachSunjicRelativeFitModel(int peakCount, bool doublet, bool backgroundFitted, int pointCount,
                                int first, int last, double energyStep);
  void ApplyLimits(double* p) override;
};

// The Doniach-Sunjic fit of window w's peaks relative to the first.
void FitPeaksDoniachSunjicRelative(int w);

// Any model given as a whole curve over the region, differentiated by
// forward differences: a variable v is stepped to v + relativeStep * v (to
// zeroStep when v is exactly 0); a variable whose scale is 0 is not
// differentiated. Curves are written to curve[first..last].
class ForwardDifferenceModel : public FitModel {
 public:
  using CurveFunction = std::function<void(const double* p, double* curve)>;
  using LimitFunction = std::function<void(double* p)>;
  ForwardDifferenceModel(int variables, int first, int last, CurveFunction curve,
                         LimitFunction limits, double relativeStep, double zeroStep,
                         const double* scale);
  int VariableCount() const override { return variables_; }
  void Linearise(const double* p) override;
  double ValueAndDerivatives(const double* p, int channel, double* derivatives) override;
  void PrepareTrial(const double* p) override;
  double Value(const double* p, int channel) override { (void)p; return trial_[channel]; }
  void ApplyLimits(double* p) override {
    if (limits_) limits_(p);
  }

 private:
  int variables_, first_, last_;
  std::size_t stride_;
  CurveFunction curve_;
  LimitFunction limits_;
  double relativeStep_, zeroStep_;
  const double* scale_;
  std::vector<double> base_, trial_, stepped_, jacobian_, steppedVector_;
};

}  // namespace sorvan
