// The global tables of the data model, their creation and the start-up
// values of the spectrum windows.
#include "core/model.h"
#include "core/model_codes.h"

#include <memory>

#include "core/store.h"

namespace sorvan {

Table<WindowRecord, 100> Win;
Table<SpectrumHeaderRecord, 110> ImportedHeader;
Table<LabelRecord, 10000> Labels;
GlobalRecord G;

namespace {

// Rebuilds an object in place: the records are too large for a temporary on
// the stack (G alone holds several hundred kilobytes).
template <class T>
void Recreate(T& object) {
  std::destroy_at(&object);
  std::construct_at(&object);
}

void ApplySatellitePreset(int s, const Table2<double, 5, 5>& offsets,
                          const Table2<double, 5, 5>& intensities,
                          Table<double, 5> WindowRecord::*offsetField,
                          Table<double, 5> WindowRecord::*intensityField, int w) {
  for (int j = 1; j <= 5; ++j) {
    (Win[w].*offsetField)[j] = offsets[j][s];
    (Win[w].*intensityField)[j] = intensities[j][s];
  }
}

// False until the model is first initialised in this process: until then
// the tables are as the process constructed them.
bool g_modelInitialised = false;

// The fixed values and the empty spectrum store, on tables that are cleared.
void SetFixedValues() {
  ClearSpectrumStore();
  G.MainWindowNumber = kMainWindowNumber;
  G.MaxWindows = kMaxWindows;
  G.ToolbarActionCount = kToolbarActionCount;
  G.ProgramVersion = 2006;
  g_modelInitialised = true;
}

}  // namespace

void InitialiseModel() {
  for (auto& record : Win) Recreate(record);
  for (auto& header : ImportedHeader) Recreate(header);
  for (auto& label : Labels) Recreate(label);
  Recreate(G);
  SetFixedValues();
}

void InitialiseFreshModel() {
  // Constructing the tables wrote every element (several megabytes); a
  // second clear at the first start of the process would only repeat it.
  if (g_modelInitialised) {
    InitialiseModel();
    return;
  }
  SetFixedValues();
}

const std::string& CurrentXAxisTitle() {
  return G.EnergyAxisMode == 0 ? G.BindingEnergyTitle : G.KineticEnergyTitle;
}

const std::string& CurrentYAxisTitle() {
  return G.CpsMode == 0 ? G.CountsTitle : G.CpsTitle;
}

void ApplyWindowStartupValuesTo(int w) {
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& r = Win[w];
  r.XAxisTitle = CurrentXAxisTitle();
  r.YAxisTitle = CurrentYAxisTitle();
  r.WindowOpen = false;
  r.PrintHeaderBlock = 1;
  r.PrintFitTable = 1;
  r.PeakModel = G.DefaultPeakModel;
  r.RelativeMode = G.DefaultRelativeMode;
  r.ErrorsInPercent = G.DefaultErrorsInPercent;
  r.ErrorMethod = G.DefaultErrorMethod;
  r.HessianValid = 0;
  r.HasFit = 0;
  r.ParamSetLoaded = 0;
  r.EnergyShift = 0;
  r.WindowKind = SingleSpectrum;
  r.XRangeFixed = 0;
  r.YRangeFixed = 0;
  r.XGridLines = G.XGridLinesDefault;
  r.YGridLines = G.YGridLinesDefault;
  r.MultiXGridLines = G.MultiXGridLinesDefault;
  r.MultiYGridLines = G.MultiYGridLinesDefault;
  r.MemberGridLines = G.MemberGridLinesDefault;
  r.YTickCount = 5;
  r.YTitleFixed = 0;
  r.ShowYScale = 1;
  r.MemberLabelStepFixed = 0;
  r.ShowMemberLabels = 1;
  r.ResidualTitle = "R(E)";
  for (int p = 1; p <= kMaxPeaks; ++p) {
    r.IntegratedArea[p] = 0;
    r.PeakArea[p] = 0;
    r.PartnerArea[p] = 0;
  }
  if (Table<double, 5>::Contains(G.AlSatellitePreset))
    ApplySatellitePreset(G.AlSatellitePreset, G.AlSatOffsetPresets, G.AlSatIntensityPresets,
                         &WindowRecord::AlSatOffset, &WindowRecord::AlSatIntensity, w);
  if (Table<double, 5>::Contains(G.MgSatellitePreset))
    ApplySatellitePreset(G.MgSatellitePreset, G.MgSatOffsetPresets, G.MgSatIntensityPresets,
                         &WindowRecord::MgSatOffset, &WindowRecord::MgSatIntensity, w);
}

void ApplyWindowStartupValues() {
  for (int w = 1; w <= kMaxWindows; ++w) ApplyWindowStartupValuesTo(w);
  SpectrumHeaderRecord& h = ImportedHeader[1];
  h.Name = "Test";
  h.PassEnergy = 10;
  h.DwellTime = 1;
  h.ScanCount = 1;
}

void ApplyGlobalStartupValues() {
  G.CurrentWindow = 1;
  G.RegionPickState = 0;
  G.ProjectPath.clear();
  G.FitRunState = FitIdle;
  G.FitPeakCount = 1;
  G.PrintSecondWindow = 0;
  G.ReferenceEnergy = 0;
  G.TableEditorPage = 0;
  G.IterationLimit = 2.0;
  G.FitRounds = 2;
  if (G.DefaultExcitationEnergy == 0) G.DefaultExcitationEnergy = 1486.6;
}

void ApplyAlSatellitePreset(int s) {
  if (!Table<double, 5>::Contains(s)) return;
  for (int w = 1; w <= kMaxWindows; ++w)
    ApplySatellitePreset(s, G.AlSatOffsetPresets, G.AlSatIntensityPresets,
                         &WindowRecord::AlSatOffset, &WindowRecord::AlSatIntensity, w);
}

void ApplyMgSatellitePreset(int s) {
  if (!Table<double, 5>::Contains(s)) return;
  for (int w = 1; w <= kMaxWindows; ++w)
    ApplySatellitePreset(s, G.MgSatOffsetPresets, G.MgSatIntensityPresets,
                         &WindowRecord::MgSatOffset, &WindowRecord::MgSatIntensity, w);
}

}  // namespace sorvan
