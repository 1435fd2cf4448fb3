// The Processing menu (see shell/menu_processing.h).
#include "shell/menu_processing.h"

#include <string>

#include "core/menu_commands.h"
#include "core/messages.h"
#include "core/model.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/menus.h"
#include "platform/toolbar.h"
#include "processing/background_procedures.h"
#include "processing/pages/arithmetic_page.h"
#include "processing/pages/background_page.h"
#include "processing/pages/calibration_page.h"
#include "processing/pages/scale_page.h"
#include "processing/poly_background.h"
#include "processing/region.h"
#include "processing/satellite_removal.h"
#include "processing/smoothing.h"
#include "processing/snapshot.h"
#include "shell/commands.h"
#include "shell/menu_bar.h"
#include "shell/menu_state.h"
#include "shell/toolbar.h"

namespace sorvan {

namespace {

constexpr int kPickRegionHint = 91;  // MessageTexts: how to pick a cursor pair
constexpr int kNoKeptBackgroundHint = 92;  // MessageTexts: nothing to subtract yet

void ShowScalePageFor(int command, const std::string& operationName) {
  G.CommandId = static_cast<Int16>(command);
  G.ScaleOperationName = operationName;
  ShowScaleShiftPage(G.CurrentWindow);
}

void ShowArithmeticPageFor(const std::string& operationName) {
  G.ArithmeticOperationName = operationName;
  ShowWindowArithmeticPage(G.CurrentWindow);
}

}  // namespace

void OnCopySpectrum(int) {
  if (!CurrentWindowIsOpen()) return;
  try {
    WriteSpectrumSnapshot(G.CurrentWindow);
  } catch (const plat::FileError& e) {
    ShowFileNotWrittenMessage(e);
    return;
  }
  G.PasteItemFlag = 0;
  UpdateMenuState(G.CurrentWindow);
}

void OnPasteSpectrum(int) { PasteSpectrumSnapshot(); }

void OnCorrectEnergy(int) {
  if (!CurrentWindowIsOpen()) return;
  G.CommandId = CmdCorrectEnergy;
  ShowEnergyValuePage(G.CurrentWindow);
}

void OnBackgroundConstant(int) { ComputeConstantBackground(G.CurrentWindow); }
void OnBackgroundLinear(int) { ComputeLinearBackground(G.CurrentWindow); }
void OnBackgroundShirley(int) { ComputeShirleyBackground(G.CurrentWindow); }
void OnBackgroundTougaard(int) { ComputeTougaardBackground(G.CurrentWindow); }
void OnBackgroundPolyShirley(int) { ComputePolyShirleyBackground(G.CurrentWindow); }

void OnCommitBackground(int) {
  const int w = G.CurrentWindow;
  // Only a kept or fitted background can be subtracted; otherwise the
  // user learns why nothing changed.
  if (!CommitBackground(w)) plat::MessageBox(G.MessageTexts[kNoKeptBackgroundHint], plat::kMessageOk, "");
}

void OnRemoveSatellites(int) { RemoveXraySatellites(G.CurrentWindow); }

void OnRegionFromCursors(int) {
  const int w = G.CurrentWindow;
  // Only a complete cursor pair makes a region; without one the user is
  // told how to pick it (clicks pick nothing in a fitted spectrum).
  if (G.RegionPickState == 2) {
    SetRegionFromCursors(w);
  } else {
    plat::MessageBox(G.MessageTexts[kPickRegionHint], plat::kMessageOk, "");
  }
}

void OnRegionFull(int) { SetRegionFull(G.CurrentWindow); }
void OnDifferentiate(int) { DifferentiateSpectrum(G.CurrentWindow); }
void OnNegateSpectrum(int) { NegateSpectrum(G.CurrentWindow); }
void OnSmooth(int) { SmoothSpectrum(G.CurrentWindow); }
void OnEditPointsByMouse(int) { ToggleEditPointsMode(); }

// Each of the three scale commands hands its own number over, so that the
// page never takes a shift or a scaling for a normalisation.
void OnShiftSpectrum(int command) {
  if (CurrentWindowIsOpen()) ShowScalePageFor(command, G.MessageTexts[19]);
}
void OnScaleSpectrum(int command) {
  if (CurrentWindowIsOpen()) ShowScalePageFor(command, G.MessageTexts[17]);
}
void OnNormaliseSpectrum(int command) {
  if (CurrentWindowIsOpen()) ShowScalePageFor(command, G.LabelTexts[214]);
}

void OnAddWindow(int) {
  if (CurrentWindowIsOpen()) ShowArithmeticPageFor(G.MessageTexts[21]);
}
void OnSubtractWindow(int) {
  if (CurrentWindowIsOpen()) ShowArithmeticPageFor(G.MessageTexts[22]);
}
void OnMultiplyWindow(int) {
  if (CurrentWindowIsOpen()) ShowArithmeticPageFor(G.MessageTexts[23]);
}
void OnDivideWindow(int) {
  if (CurrentWindowIsOpen()) ShowArithmeticPageFor(G.MessageTexts[24]);
}

// A name that is none of the five kinds (nothing computed yet) does nothing.
void OnRepeatLastBackground(int) {
  if (BackgroundProcedure compute = BackgroundProcedureNamed(G.BackgroundName))
    compute(G.CurrentWindow);
}

void OnRepeatLastScaling(int) { RepeatLastScaleOperation(); }
void OnRepeatLastArithmetic(int) { RepeatLastArithmeticOperation(); }

void RepeatLastScaleOperation() {
  if (!CurrentWindowIsOpen()) return;
  const std::string& name = G.ScaleOperationName;
  if (!name.empty() && name == G.LabelTexts[214]) {
    G.CommandId = CmdNormaliseSpectrum;
  } else if (name == G.MessageTexts[19]) {
    G.CommandId = CmdShiftSpectrum;
  } else {
    G.CommandId = CmdScaleSpectrum;
  }
  ShowScaleShiftPage(G.CurrentWindow);
}

void RepeatLastArithmeticOperation() {
  if (!CurrentWindowIsOpen()) return;
  ShowWindowArithmeticPage(G.CurrentWindow);
}

BackgroundProcedure BackgroundProcedureNamed(const std::string& name) {
  const BackgroundProcedure procedures[] = {nullptr,
                                            ComputeConstantBackground,
                                            ComputeLinearBackground,
                                            ComputeShirleyBackground,
                                            ComputeTougaardBackground,
                                            ComputePolyShirleyBackground};
  for (int k = BackgroundKindConstant; k <= BackgroundKindPolyShirley; ++k)
    if (name == G.MessageTexts[k]) return procedures[k];
  return nullptr;
}

void ToggleEditPointsMode() {
  const int processing = G.MenuPopupHandles[PopupProcessing];
  const int button = G.ToolbarButtonOfAction[kEditPointsAction];
  const bool hasButton = button != 0 && button <= plat::ToolbarButtonCount();
  // The flag is read twice on purpose: the first step does not change it,
  // so exactly one of the two runs (neither while the item is grayed).
  const std::int32_t flag = G.EditPointsItemFlag;
  if (flag == 0) {
    if (processing != 0) plat::CheckMenuItem(processing, CmdEditPointsByMouse, kItemChecked);
    G.EditPointsMode = 1;
    if (hasButton) plat::SetToolbarButtonValue(button, -1);
  }
  if (flag == kItemChecked) {
    if (processing != 0) plat::CheckMenuItem(processing, CmdEditPointsByMouse, 0);
    G.EditPointsMode = 0;
    if (hasButton) plat::SetToolbarButtonValue(button, 0);
  }
  UpdateMenuState(G.CurrentWindow);
}

}  // namespace sorvan
