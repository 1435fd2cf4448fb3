// Assigning an imported spectrum to a window and resetting a window.
#include "core/window_state.h"

#include "core/model.h"
#include "core/model_codes.h"
#include "core/paramset.h"
#include "core/store.h"

namespace sorvan {

namespace {

// The numbered region files (*.1 to *.5), read through the file dialog or
// again from a window's source.
bool IsNumberedRegionFormat(int format) { return format == 8 || format == 9; }

std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string NumberedRegionSourcePath(const std::string& path, const std::string& shortName) {
  const auto nameStart = path.find_last_of("\\/");
  const std::size_t fileStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  // For these files the short name is the region file's extension.
  const auto dot = path.rfind('.');
  if (dot == std::string::npos || dot < fileStart) return path + "." + shortName;
  return path.substr(0, dot + 1) + shortName;
}

bool AssignImportedToWindow(int w, int h) {
  if (!IsSpectrumWindow(w) || SpectrumOfHeaderIndex(h) == 0) return false;
  WindowRecord& r = Win[w];
  const SpectrumHeaderRecord& imported = ImportedHeader[h];

  r.SourcePath = G.SourceFilePath;
  r.SpectrumHeader.Name = imported.Name;
  r.SpectrumHeader.ShortName = imported.ShortName;
  if (IsNumberedRegionFormat(r.ImportFormat)) {
    r.SourcePath = NumberedRegionSourcePath(r.SourcePath, r.SpectrumHeader.ShortName);
    r.SourceDialogName = G.NumberedFilePath;
  }
  r.SpectrumHeader.PointCount = imported.PointCount;
  r.SpectrumHeader.StartEnergy = imported.StartEnergy;
  r.SpectrumHeader.EndEnergy = imported.EndEnergy;
  r.SpectrumHeader.EnergyStep = imported.EnergyStep;
  r.SpectrumHeader.PassEnergy = imported.PassEnergy;
  r.SpectrumHeader.ExcitationEnergy = imported.ExcitationEnergy;
  r.SpectrumHeader.ScanCount = imported.ScanCount;
  r.SpectrumHeader.DwellTime = imported.DwellTime;
  r.SpectrumHeader.Technique = imported.Technique;
  r.SpectrumHeader.Comment = imported.Comment;
  r.SpectrumHeader.Date = imported.Date;
  r.SpectrumHeader.SourceInfo = TrimBlanks(imported.SourceInfo);

  r.RegionStart = 1;
  r.RegionEnd = imported.PointCount;
  r.RegionLength = imported.PointCount;

  if (r.PeakModel == PeakModelGaussLorentz) {
    ReadParameterSet(w, G.ParameterSet1Path);
  } else if (r.PeakModel == PeakModelDoniachSunjic) {
    ReadParameterSet(w, G.ParameterSet2Path);
  }

  for (int c = 1; c <= 10; ++c) {
    r.TransmissionCoef[c] = G.TransmissionCoefCopy[c];
    r.TransmissionCoefFixed[c] = G.TransmissionFixedCopy[c];
  }
  return true;
}

bool ResetWindowState(int w) {
  if (!IsSpectrumWindow(w)) return false;
  WindowRecord& r = Win[w];
  r.XAxisTitle = CurrentXAxisTitle();
  r.YAxisTitle = CurrentYAxisTitle();
  r.ResidualTitle = "R(E)";
  r.YTickCount = 5;
  r.ShowYScale = 1;
  r.XRangeFixed = 0;
  r.YRangeFixed = 0;
  r.YTitleFixed = 0;
  r.AnnotationCount = 0;
  r.TitleLabelCount = 0;
  r.EnergyShift = 0;
  r.WindowKind = SingleSpectrum;
  r.BackgroundState = BackgroundNone;
  r.BackgroundRecipe = {};
  r.SatelliteState = SatellitesNone;
  r.RegionPartial = 0;
  r.DerivativeCount = 0;
  r.SpectrumNegated = 0;
  r.SmoothCount = 0;
  r.ScaleMode = ScaleNotDone;
  r.ArithmeticDone = 0;
  r.TransmissionActive = 0;
  r.PeakCount = 1;
  r.HasFit = 0;
  r.ParamSetLoaded = 0;
  r.IntegratedArea[1] = 0;
  r.HessianValid = 0;
  r.ErrorsFromNormalMatrix = 0;
  r.ErrorTableValid = 0;
  r.MemberLabelStepFixed = 0;
  r.ShowMemberLabels = 1;
  return true;
}

}  // namespace sorvan
