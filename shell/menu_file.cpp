// The File menu (see shell/menu_file.h).
#include "shell/menu_file.h"

#include "core/menu_commands.h"
#include "core/model.h"
#include "core/program_exit.h"
#include "core/store.h"
#include "dialogs/block_choice_page.h"
#include "dialogs/spectrum_choice_page.h"
#include "import/formats.h"
#include "import/place.h"
#include "import/project.h"
#include "import/spx.h"
#include "import/vamas.h"
#include "processing/revert.h"
#include "report/bitmap_export.h"
#include "report/export_table.h"
#include "report/print_page.h"
#include "report/print_pages.h"
#include "shell/auger_list_window.h"
#include "shell/commands.h"
#include "shell/menu_state.h"

namespace sorvan {

void ImportWithFormat(int code, int command) {
  Win[0].ImportFormat = static_cast<Byte>(code);
  if (command != CmdImportTestSpectrum) G.SpectraReadSaved = G.SpectraReadCount;
  G.SpectraReadCount = 0;
  if (code == Vamas) G.CommandId = static_cast<Int16>(command);
  RunImportReader(code, 0);
  PlaceImportedSpectra();
}

void OnImport(int command) {
  const ImportFormatInfo* format = FindImportCommand(command);
  if (format == nullptr || format->reader == nullptr) return;
  ImportWithFormat(format->code, command);
}

void OnOpenFileBlocks(int) {
  ShowSpectrumChoicePage();
  if (G.ChosenBlockCount > 0) UpdateMenuState(G.CurrentWindow);
  if (G.DialogResult == 1) PlaceChosenSpectra();
}

void OnOpenDepthProfileBlocks(int) {
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

void OnExportSpectrumTable(int) {
  if (CurrentWindowIsOpen()) RunSpectrumTableCommand(G.CurrentWindow);
}

void OnOpenProject(int) { LoadProject(); }

void OnSaveProject(int command) {
  G.CommandId = static_cast<Int16>(command);
  SaveProject();
}

void OnOpenAugerList(int) { LoadAugerParameterList(); }

void OnPrinterSetup(int) { ShowPrinterSetup(); }

void OnPrintWindow(int) {
  if (CurrentWindowIsOpen()) RunPrintCommand(G.CurrentWindow);
}

void OnExportBitmap(int) {
  if (CurrentWindowIsOpen()) ExportWindowBitmap();
}

void OnRevertSpectrum(int) { RevertSpectrum(G.CurrentWindow); }

void OnExit(int) { RunExitCommand(); }

void OnToolbarExit(int) { RunToolbarExit(); }

// VAMAS is read as its own import command, also after the test spectrum.
void OnReadLastFormatAgain(int) {
  const int code = Win[0].ImportFormat;
  const ImportFormatInfo* format = FindImportFormat(code);
  if (code % 2 != 0 || format == nullptr || format->reader == nullptr) return;
  ImportWithFormat(code, code == Vamas ? CmdImportVamas : format->command);
}

}  // namespace sorvan
