// The menu commands of the processing region, the backgrounds, negation,
// derivative, smoothing and satellite removal; copy and paste, energy
// correction, scaling and window arithmetic.
#include "shell/processing_commands.h"

#include <string>

#include "core/model.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/menus.h"
#include "platform/toolbar.h"
#include "processing/arithmetic_page.h"
#include "processing/background_page.h"
#include "processing/calibration_page.h"
#include "processing/poly_background.h"
#include "processing/region.h"
#include "processing/satellite_removal.h"
#include "processing/scale_page.h"
#include "processing/smoothing.h"
#include "processing/snapshot.h"
#include "shell/commands.h"
#include "shell/menu_bar.h"
#include "shell/menu_commands.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/toolbar.h"

namespace sorvan {

namespace {
constexpr int kPickRegionHint = 91;  // MessageTexts: how to pick a cursor pair
constexpr int kNoKeptBackgroundHint = 92;  // MessageTexts: nothing to subtract yet
}  // namespace

bool RunRegionAndBackgroundCommand(int command) {
  const int w = G.CurrentWindow;
  switch (command) {
    case 2110:
      ComputeConstantBackground(w);
      return true;
    case 2120:
      ComputeLinearBackground(w);
      return true;
    case 2130:
      ComputeShirleyBackground(w);
      return true;
    case 2140:
      ComputeTougaardBackground(w);
      return true;
    case 2150:
      ComputePolyShirleyBackground(w);
      return true;
    case 2100:
      // Only a kept or fitted background can be subtracted; otherwise the
      // user learns why nothing changed.
      if (!CommitBackground(w)) plat::MessageBox(G.MessageTexts[kNoKeptBackgroundHint], plat::kMessageOk, "");
      return true;
    case 2200:
      // Only a complete cursor pair makes a region; without one the user is
      // told how to pick it (clicks pick nothing in a fitted spectrum).
      if (G.RegionPickState == 2) {
        SetRegionFromCursors(w);
      } else {
        plat::MessageBox(G.MessageTexts[kPickRegionHint], plat::kMessageOk, "");
      }
      return true;
    case 21100:
      SetRegionFull(w);
      return true;
    case 2400:
      NegateSpectrum(w);
      return true;
    case 2300:
      DifferentiateSpectrum(w);
      return true;
    case 2700:
      SmoothSpectrum(w);
      return true;
    case 2800:
      RemoveXraySatellites(w);
      return true;
    default:
      return false;
  }
}

namespace {

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

bool RunTransferScaleArithmeticCommand(int command) {
  switch (command) {
    case CmdCopySpectrum:
      if (!CurrentWindowIsOpen()) return true;
      try {
        WriteSpectrumSnapshot(G.CurrentWindow);
      } catch (const plat::FileError& e) {
        ShowFileNotWrittenMessage(e.path());
        return true;
      }
      G.PasteItemFlag = 0;
      UpdateMenuState(G.CurrentWindow);
      return true;
    case CmdPasteSpectrum:
      PasteSpectrumSnapshot();
      return true;
    case CmdCorrectEnergy:
      if (!CurrentWindowIsOpen()) return true;
      G.CommandId = CmdCorrectEnergy;
      ShowEnergyValuePage(G.CurrentWindow);
      return true;
    case CmdCorrectEnergyAll:
      // The shared offset needs no open window.
      G.CommandId = CmdCorrectEnergyAll;
      ShowEnergyValuePage(IsSpectrumWindow(G.CurrentWindow) ? G.CurrentWindow : 1);
      return true;
    default:
      break;
  }
  if (!CurrentWindowIsOpen()) {
    switch (command) {
      case CmdShiftSpectrum: case CmdScaleSpectrum: case CmdNormaliseSpectrum:
      case CmdAddWindow: case CmdSubtractWindow: case CmdMultiplyWindow: case CmdDivideWindow:
        return true;
      default:
        return false;
    }
  }
  switch (command) {
    // Each of the three commands hands its own number over, so that the
    // page never takes a shift or a scaling for a normalisation.
    case CmdShiftSpectrum:
      ShowScalePageFor(command, G.MessageTexts[19]);
      return true;
    case CmdScaleSpectrum:
      ShowScalePageFor(command, G.MessageTexts[17]);
      return true;
    case CmdNormaliseSpectrum:
      ShowScalePageFor(command, G.LabelTexts[214]);
      return true;
    case CmdAddWindow:
      ShowArithmeticPageFor(G.MessageTexts[21]);
      return true;
    case CmdSubtractWindow:
      ShowArithmeticPageFor(G.MessageTexts[22]);
      return true;
    case CmdMultiplyWindow:
      ShowArithmeticPageFor(G.MessageTexts[23]);
      return true;
    case CmdDivideWindow:
      ShowArithmeticPageFor(G.MessageTexts[24]);
      return true;
    default:
      return false;
  }
}

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
