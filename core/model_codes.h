// The values that the model's code fields take (core/model.h), named once.
// Every comparison with such a field uses these names.
#pragma once

namespace sorvan {

// WindowRecord::WindowKind.
enum WindowKindCode {
  SingleSpectrum = 0,
  ChemicalStatePlot = 1,
  ColourMap = 2,
  StackedCurves = 3,
  Waterfall = 4,
  MirroredWaterfall = 5,
};

// WindowRecord::BackgroundState.
enum BackgroundStateCode {
  BackgroundNone = 0,
  BackgroundSubtracted = 1,   // taken off the spectrum (column 2 keeps it)
  BackgroundDefined = 2,      // kept in column 2 beside the spectrum
  BackgroundPreview = 3,      // computed, waiting for the user's answer
  BackgroundFitted = 4,       // fitted together with the peaks
  BackgroundLoaded = 5,       // terms loaded from a parameter set, curve not yet built
};

// Background kinds, known to the rest of the program by their names
// MessageTexts[kind] kept in BackgroundName.
enum BackgroundKindCode {
  BackgroundKindConstant = 1,
  BackgroundKindLinear = 2,
  BackgroundKindShirley = 3,
  BackgroundKindTougaard = 4,
  BackgroundKindPolyShirley = 5,
  // Not a one-shot kind: the recipe of a fitted background subtracted on
  // its page, named by MessageTexts[kFittedBackgroundText].
  BackgroundKindFitted = 6,
};
inline constexpr int kFittedBackgroundText = 107;

// WindowRecord::SatelliteState.
enum SatelliteStateCode {
  SatellitesNone = 0,
  SatellitesRemoved = 1,
  SatellitesPreview = 2,
};

// WindowRecord::PeakModel and ProgramState::DefaultPeakModel.
enum PeakModelCode {
  PeakModelGaussLorentz = 0,
  PeakModelDoniachSunjic = 1,
};

// The most points a spectrum holds: PointCount and every region are Int16.
inline constexpr int kMaxPoints = 32767;

// WindowRecord::ImportFormat: each file format has an even code c; c + 1
// marks the re-reading of a window's source without a dialog.
enum ImportFormatCode : int {
  EclipseTap = 0,
  TapBlocks = 2,
  PrefixedText = 4,
  KeywordText = 6,
  NumberedRegionFiles = 8,
  InfAsc = 10,
  Vamas = 12,
  Npl = 14,
  TwoColumnBinding = 16,
  TwoColumnBindingReversed = 18,
  TwoColumnKineticReversed = 20,
  TwoColumnKinetic = 22,
  SpxExperiment = 24,
  TransmissionParameterSpectrum = 26,
  Pcf = 28,
};
// The format of an ImportFormat value, whether it marks a re-reading or not.
constexpr int FormatOfCode(int importFormat) { return importFormat & ~1; }

// WindowRecord::ScaleMode: how the factor of a window was found.
enum ScaleModeCode {
  ScaleNotDone = 0,
  ScaleByTypedValue = 1,
  ScaleByPickedPoint = 2,
  ScaleShifted = 3,
  ScaleByMaximum = 4,
  ScaleByMinimum = 5,
};

// WindowRecord::ErrorMethod and ProgramState::DefaultErrorMethod.
enum ErrorMethodCode {
  ErrorMethodProfile = 0,   // chi-square profile
  ErrorMethodHessian = 1,   // curvature matrix
};

// ProgramState::FitRunState.
enum FitRunStateCode {
  FitIdle = 0,
  FitRunning = 1,
  FitStopRequested = 26,    // the window of the run was closed
};

// ProgramState::ErrorRunState.
enum ErrorRunStateCode {
  ErrorsIdle = 0,
  ErrorsRunning = 1,
  ErrorsFailed = 2,
};

// ProgramState::ProgressKey.
enum ProgressKeyCode {
  ProgressIdle = 0,
  ProgressStarted = 1,
  ProgressCancelled = 27,   // Cancel on the progress page
};

// ProgramState::FitKey: the key last read during a run.
inline constexpr int KeyEscape = 27;

}  // namespace sorvan
