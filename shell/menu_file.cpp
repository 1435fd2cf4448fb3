#include "shell/file_commands.h"

#include "core/model.h"
#include "core/store.h"
#include "dialogs/block_choice_page.h"
#include "dialogs/spectrum_choice_page.h"
#include "import/formats.h"
#include "import/place.h"
#include "import/spx.h"
#include "import/vamas.h"
#include "shell/menu_state.h"

namespace sorvan {

void ImportWithFormat(int code, int command) {
  Win[0].ImportFormat = static_cast<Byte>(code);
  if (command != 1700) G.SpectraReadSaved = G.SpectraReadCount;
  G.SpectraReadCount = 0;
  if (code == Vamas) G.CommandId = static_cast<Int16>(command);
  RunImportReader(code, 0);
  PlaceImportedSpectra();
}

void CmdOpenFileBlocks() {
  ShowSpectrumChoicePage();
  if (G.ChosenBlockCount > 0) UpdateMenuState(G.CurrentWindow);
  if (G.DialogResult == 1) PlaceChosenSpectra();
}

void CmdOpenDepthProfileBlocks() {
  ShowBlockChoicePage(G.CurrentWindow);
  if (G.DialogResult != 1) return;
  EraseImportedSpectra();
  if (G.ImportMode == "SDP_VAM") {
    Win[0].ImportFormat = Vamas;
    G.BlockCount = G.VamasBlockCount;
    RereadVamasDepthProfile(G.CurrentWindow);
  } else if (G.ImportMode == "SDP_SPE") {
    Win[0].ImportFormat = SpxExperiment;
    G.BlockCount = G.SpxRegionCount;
    RereadSpxDepthProfile(G.CurrentWindow);
  }
  G.ChosenBlockList = ChosenBlockListText();
  ShowSpectrumChoicePage();
  if (G.ChosenBlockCount > 0) UpdateMenuState(G.CurrentWindow);
  if (G.DialogResult == 1) PlaceChosenSpectra();
}

bool RunImportCommand(int command) {
  if (command == 1800) {
    CmdOpenFileBlocks();
    return true;
  }
  if (command == 11100) {
    CmdOpenDepthProfileBlocks();
    return true;
  }
  const ImportFormatInfo* format = FindImportCommand(command);
  if (format == nullptr || format->reader == nullptr) return false;
  ImportWithFormat(format->code, command);
  return true;
}

}  // namespace sorvan
