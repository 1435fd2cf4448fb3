// The Auger-parameter list window: reads a list into the lowest free window
// as a chemical-state plot, opens and draws it.
#include "shell/auger_list_window.h"

#include <string>
#include <vector>

#include "core/auger_list.h"
#include "core/file_dialogs.h"
#include "core/free_window.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/files.h"

namespace sorvan {

int LoadAugerParameterListFrom(const std::string& path) {
  G.SourceFilePath = path;
  const std::vector<std::string> lines = ReadAllLines(path);

  const int w = LowestFreeWindow();
  if (w > kMaxWindows) {
    G.CommandId = 1;
    ShowMessage(G.CommandId, G.CurrentWindow);
    return 0;
  }
  const AugerListReading reading = FillAugerListWindow(w, lines);

  G.FileDialogResult = path;
  // The caption is the full path.
  OpenSpectrumWindow(w, G.FileDialogResult);
  SetAugerListTitle(w, G.FileDialogResult);

  RedrawWindow(w);  // ends by updating the menu state for w

  const std::string problems = AugerListProblemText(reading);
  if (!problems.empty()) throw plat::FileError(problems, path);
  return w;
}

void LoadAugerParameterList() {
  ZeroAugerWorkVectors();
  const std::string path = ChooseFileToOpen({G.LabelTexts[82], "*.aup", G.CaptionTexts[14], "*.*"},
                                            "*.aup", "aup", G.AugerFolder, G.LabelTexts[82]);
  if (path.empty()) return;
  LoadAugerParameterListFrom(path);
}

}  // namespace sorvan
