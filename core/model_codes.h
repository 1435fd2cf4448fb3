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

}  // namespace sorvan
