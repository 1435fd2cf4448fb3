// The file, import and project commands of the menu.
#include "core/auger_list.h"
#include "core/model.h"
#include "core/startup.h"
#include "import/project.h"
#include "processing/revert.h"
#include "report/bitmap_export.h"
#include "report/export_table.h"
#include "report/print_page.h"
#include "report/print_pages.h"
#include "shell/commands.h"
#include "shell/file_commands.h"

namespace sorvan {

void RunFileCommand(int command) {
  if (command == 11000) {  // File > Exit
    RunExitCommand();  // writes the default presetting and the satellites, then asks
    return;
  }
  if (command == 1900) {  // File > Revert spectrum
    RevertSpectrum(G.CurrentWindow);
    return;
  }
  switch (command) {
    case 1200:  // File > Save spectrum table
      if (CurrentWindowIsOpen()) RunSpectrumTableCommand(G.CurrentWindow);
      return;
    case 1300:  // File > Printer setup
      ShowPrinterSetup();
      return;
    case 1320:  // File > Save window as picture
      if (CurrentWindowIsOpen()) ExportWindowBitmap();
      return;
    case 1330:  // File > Open project
      LoadProject();
      return;
    case 1340:  // File > Save project
    case 1341:  // File > Save project as
      G.CommandId = static_cast<Int16>(command);
      SaveProject();
      return;
    case 5570:  // File > Open Auger-parameter list
      LoadAugerParameterList();
      return;
    case 1400:  // File > Print window
      if (CurrentWindowIsOpen()) RunPrintCommand(G.CurrentWindow);
      return;
    default:
      break;
  }
  RunImportCommand(command);
}

}  // namespace sorvan
