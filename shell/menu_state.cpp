// Menu and toolbar state. The flags are the only state: UpdateMenuState
// computes the window-dependent ones for the window given, the option
// commands keep the check flags, and every rebuild of the bar reads them.
#include "shell/menu_state.h"
#include "shell/run_lock.h"

#include <stdexcept>
#include <string>

#include "core/menu_commands.h"
#include "core/model.h"
#include "platform/menus.h"
#include "platform/toolbar.h"
#include "shell/command_table.h"
#include "shell/menu_bar.h"
#include "shell/toolbar.h"

namespace sorvan {
namespace {

// The option items in the order of G.MenuCheckFlags (from 1).
constexpr int kCheckItems[] = {
    CmdDefaultGaussLorentz,  CmdDefaultDoniachSunjic, CmdDefaultIndependentPeaks,
    CmdDefaultRelativePeaks, CmdDefaultErrorsAbsolute, CmdDefaultErrorsPercent,
    CmdLanguageGerman,       CmdLanguageEnglish,      CmdLanguageSpanish,
    CmdSeparatorSemicolon,   CmdSeparatorComma,       CmdSeparatorTab,
    CmdSeparatorBlank,       CmdDefaultErrorsProfile, CmdDefaultErrorsHessian,
    CmdBindingEnergyScale,   CmdKineticEnergyScale,   CmdCountsUnit,
    CmdCpsUnit};

void Enable(int idOrHandle, int flag) {
  if (G.MenuBarHandle != 0) plat::EnableMenuItem(G.MenuBarHandle, idOrHandle, flag);
}

void Popup(MenuPopup popup, int flag) {
  const int handle = G.MenuPopupHandles[popup];
  if (handle != 0) Enable(handle, flag);
}

bool AnyWindowOpen() {
  for (int w = 1; w <= kMaxWindows; ++w)
    if (Win[w].WindowOpen) return true;
  return false;
}

void SetNoWindowFlags() {
  G.EditPointsItemFlag = 1;
  G.WindowItemsFlag = 1;
  G.EnergyAxisItemFlag = 1;
  G.IntensityAxisItemFlag = 1;
  G.MemberItemsFlag = 1;
  G.LanguagePopupFlag = kPopupEnabled;
  G.PresettingItemsFlag = 0;
  G.SpectrumItemsFlag = 1;
  G.SpectrumPopupsFlag = kPopupGrayed;
  G.SatelliteItemFlag = 1;
  G.FitBackgroundItemFlag = 1;
  G.LineIdentificationItemFlag = 1;
  G.RevertItemFlag = 1;
  G.ProjectPath.clear();
}

// The flags of a window that is not a single spectrum: everything that
// needs a spectrum grayed; the caller then enables what the kind allows.
void SetNonSpectrumFlags() {
  G.EditPointsItemFlag = 1;
  G.WindowItemsFlag = 0;
  G.EnergyAxisItemFlag = 0;
  G.IntensityAxisItemFlag = 0;
  G.MemberItemsFlag = 1;
  G.LanguagePopupFlag = kPopupGrayed;
  G.PresettingItemsFlag = 1;
  G.SpectrumItemsFlag = 1;
  G.SpectrumPopupsFlag = kPopupGrayed;
  G.SatelliteItemFlag = 1;
  G.FitBackgroundItemFlag = 1;
  G.LineIdentificationItemFlag = 1;
  G.RevertItemFlag = 1;
}

void SetWindowFlags(int w) {
  const WindowRecord& win = Win[w];
  if (win.WindowKind == SingleSpectrum && win.TransmissionActive != 1) {
    G.EditPointsItemFlag = G.EditPointsMode == 1 ? kItemChecked : 0;
    G.WindowItemsFlag = 0;
    G.EnergyAxisItemFlag = 0;
    G.IntensityAxisItemFlag = 0;
    G.MemberItemsFlag = 1;
    G.LanguagePopupFlag = kPopupGrayed;
    G.PresettingItemsFlag = 1;
    G.SpectrumItemsFlag = 0;
    G.SpectrumPopupsFlag = kPopupEnabled;
    G.LineIdentificationItemFlag = 1;
    G.RevertItemFlag = 0;
    if (w >= 1 && w < kMainWindowNumber && win.WindowOpen) {
      G.SatelliteItemFlag = win.SatelliteState == SatellitesNone ? 0 : 1;
      G.FitBackgroundItemFlag =
          (win.BackgroundState == BackgroundNone || win.BackgroundState == BackgroundFitted) ? 0
                                                                                             : 1;
      G.DepthProfileItemFlag = G.ImportMode.substr(0, 3) == "SDP" ? 0 : 1;
    } else {
      G.SatelliteItemFlag = 0;
    }
    return;
  }
  SetNonSpectrumFlags();
  switch (win.WindowKind) {
    case 0:  // a spectrum holding a transmission reference
      break;
    case 1:  // chemical-state plot
      G.EnergyAxisItemFlag = 1;
      G.IntensityAxisItemFlag = 1;
      G.LineIdentificationItemFlag = 0;
      break;
    case 2:
    case 3:  // colour map, stacked curves
      G.IntensityAxisItemFlag = 1;
      G.MemberItemsFlag = 0;
      break;
    default:  // waterfalls
      G.MemberItemsFlag = 0;
      break;
  }
}

// Grays and enables every item by the rule of its row, then the popups.
void ApplyFlags() {
  for (const CommandRow& row : CommandTable()) {
    if (row.command == 0 || row.enabling == Enabling::PresettingWhenBuilt) continue;
    if (const std::int32_t* flag = FlagOfEnabling(row.enabling)) Enable(row.command, *flag);
  }
  for (MenuPopup p : {PopupBackground, PopupShiftScale, PopupWindowArithmetic, PopupNewFit,
                      PopupTransmissionReference})
    Popup(p, G.SpectrumPopupsFlag);
  Popup(PopupLanguage, G.LanguagePopupFlag);
}

// Checks the item of the chosen value among `items`; with `uncheckOthers`
// the other items lose their marks too. The check flags of all items are
// written (8 for the chosen one, 0 for the others).
void MarkChoice(MenuPopup popup, std::initializer_list<int> items, int chosen, bool uncheckOthers) {
  for (int c : items) {
    const int mark = c == chosen ? kItemChecked : 0;
    MenuCheckFlag(c) = mark;
    if (G.MenuPopupHandles[popup] != 0 && (c == chosen || uncheckOthers))
      plat::CheckMenuItem(G.MenuPopupHandles[popup], c, mark);
  }
}

}  // namespace

const std::int32_t* FlagOfEnabling(Enabling rule) {
  switch (rule) {
    case Enabling::Window: return &G.WindowItemsFlag;
    case Enabling::Spectrum: return &G.SpectrumItemsFlag;
    case Enabling::FileBlocks: return &G.FileBlocksItemFlag;
    case Enabling::DepthProfile: return &G.DepthProfileItemFlag;
    case Enabling::Revert: return &G.RevertItemFlag;
    case Enabling::Paste: return &G.PasteItemFlag;
    case Enabling::Satellite: return &G.SatelliteItemFlag;
    case Enabling::EditPoints: return &G.EditPointsItemFlag;
    case Enabling::FitBackground: return &G.FitBackgroundItemFlag;
    case Enabling::ErrorEstimate: return &G.ErrorEstimateItemFlag;
    case Enabling::ErrorMatrix: return &G.ErrorMatrixItemFlag;
    case Enabling::LineIdentification: return &G.LineIdentificationItemFlag;
    case Enabling::EnergyAxis: return &G.EnergyAxisItemFlag;
    case Enabling::IntensityAxis: return &G.IntensityAxisItemFlag;
    case Enabling::Members: return &G.MemberItemsFlag;
    case Enabling::Presetting:
    case Enabling::PresettingWhenBuilt: return &G.PresettingItemsFlag;
    case Enabling::Always:
    case Enabling::LikeItem: return nullptr;
  }
  return nullptr;
}

std::int32_t& MenuCheckFlag(int command) {
  int slot = 1;
  for (int c : kCheckItems) {
    if (c == command) return G.MenuCheckFlags[slot];
    ++slot;
  }
  throw std::out_of_range("no option item " + std::to_string(command));
}

void SetOptionMark(int popup, int command, int mark) {
  if (popup >= 1 && popup <= kMenuPopupCount && G.MenuPopupHandles[popup] != 0)
    plat::CheckMenuItem(G.MenuPopupHandles[popup], command, mark);
  if (command == CmdDecimalPoint)
    G.DecimalPointCheckFlag = mark;
  else if (command == CmdDecimalComma)
    G.DecimalCommaCheckFlag = mark;
  else if (command == CmdToggleToolbar)
    G.ToolbarCheckFlag = mark;
  else
    MenuCheckFlag(command) = mark;
}

void UpdateMenuState(int w) {
  if (w < 0 || w > kMaxWindows) return;
  G.CursorStart = Win[w].RegionStart;
  G.CursorEnd = Win[w].RegionEnd;

  if (G.LanguageIndex <= 2)
    MarkChoice(PopupLanguage, {CmdLanguageGerman, CmdLanguageEnglish, CmdLanguageSpanish},
               CmdLanguageGerman + G.LanguageIndex, true);

  if (!AnyWindowOpen())
    SetNoWindowFlags();
  else
    SetWindowFlags(w);

  G.ErrorEstimateItemFlag = (Win[w].HasFit == 0 || Win[w].TransmissionActive == 1) ? 1 : 0;
  const int current = G.CurrentWindow;
  const bool currentValid = current >= 0 && current <= kMaxWindows;
  G.ErrorMatrixItemFlag = (currentValid && Win[current].HessianValid != 0) ? 0 : 1;
  if (currentValid && Win[current].TransmissionActive == 1) {
    G.RevertItemFlag = 0;
    G.ErrorEstimateItemFlag = 1;
  }

  ApplyFlags();
  SyncToolbarButtons();
  if (G.LongRunActive != 0) GrayMenuBarEntries();
}

void SyncToolbarButtons() {
  const int count = plat::ToolbarButtonCount();
  for (int a = 1; a <= kToolbarActionCount; ++a) {
    const int button = G.ToolbarButtonOfAction[a];
    if (button == 0 || button > count) continue;
    const std::int32_t* flag = GoverningFlag(a);
    if (flag == nullptr) continue;
    plat::SetToolbarButtonEnabled(button, *flag != 1);
  }
}

void SyncOptionChecks() {
  auto pair = [](MenuPopup popup, int value, int first, int second) {
    if (value == 0 || value == 1) MarkChoice(popup, {first, second}, value == 0 ? first : second, false);
  };
  pair(PopupDefaultPeakModel, G.DefaultPeakModel, CmdDefaultGaussLorentz, CmdDefaultDoniachSunjic);
  pair(PopupDefaultPeakRelation, G.DefaultRelativeMode, CmdDefaultIndependentPeaks,
       CmdDefaultRelativePeaks);
  pair(PopupDefaultErrorDisplay, G.DefaultErrorsInPercent, CmdDefaultErrorsAbsolute,
       CmdDefaultErrorsPercent);
  pair(PopupDefaultErrorMethod, G.DefaultErrorMethod, CmdDefaultErrorsProfile,
       CmdDefaultErrorsHessian);
  if (G.DecimalComma == 0 || G.DecimalComma == 1) {
    const int chosen = G.DecimalComma == 0 ? CmdDecimalPoint : CmdDecimalComma;
    if (G.MenuPopupHandles[PopupDecimalSign] != 0)
      plat::CheckMenuItem(G.MenuPopupHandles[PopupDecimalSign], chosen, kItemChecked);
    G.DecimalPointCheckFlag = G.DecimalComma == 0 ? kItemChecked : 0;
    G.DecimalCommaCheckFlag = G.DecimalComma == 0 ? 0 : kItemChecked;
  }
  if (G.LanguageIndex <= 2)
    MarkChoice(PopupLanguage, {CmdLanguageGerman, CmdLanguageEnglish, CmdLanguageSpanish},
               CmdLanguageGerman + G.LanguageIndex, true);
  const std::string& separator = G.ColumnSeparator;
  int chosen = 0;
  if (separator == ";")
    chosen = CmdSeparatorSemicolon;
  else if (separator == ",")
    chosen = CmdSeparatorComma;
  else if (separator == "\t")
    chosen = CmdSeparatorTab;
  else if (separator == " ")
    chosen = CmdSeparatorBlank;
  if (chosen != 0) {
    MarkChoice(PopupColumnSeparator,
               {CmdSeparatorSemicolon, CmdSeparatorComma, CmdSeparatorTab, CmdSeparatorBlank},
               chosen, false);
    G.SeparatorChar = static_cast<Byte>(separator[0]);
  }
  if (G.CpsMode == 0 || G.CpsMode == 1)
    MarkChoice(PopupIntensityUnit, {CmdCountsUnit, CmdCpsUnit},
               G.CpsMode == 0 ? CmdCountsUnit : CmdCpsUnit, true);
  if (G.EnergyAxisMode == 0 || G.EnergyAxisMode == 1)
    MarkChoice(PopupEnergyScale, {CmdBindingEnergyScale, CmdKineticEnergyScale},
               G.EnergyAxisMode == 0 ? CmdBindingEnergyScale : CmdKineticEnergyScale, true);
}

void ShowDepthProfileItemAfterReload(bool plainFile) {
  const int bar = plat::CurrentMenuBar();
  if (bar != 0) plat::EnableMenuItem(bar, CmdOpenDepthProfileBlocks, plainFile ? 1 : 0);
}

}  // namespace sorvan
