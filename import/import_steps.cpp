#include "import/import_steps.h"

#include "core/model.h"
#include "core/store.h"
#include "import/reader_support.h"
#include "platform/files.h"
#include "shell/messages.h"

namespace sorvan {

std::string ChooseReaderFile(int w, int code, const std::string& description,
                             const std::string& mask, const std::string& defaultExtension) {
  const int format = Win[w].ImportFormat;
  if (format == code) {
    ChooseImportFile({description, mask}, defaultExtension, G.ImportFolder, true);
  } else if (format == code + 1) {
    G.FileDialogResult = G.SourceFilePath;
  } else {
    return std::string();
  }
  // A dialog left with its preset mask has chosen no file.
  if (G.FileDialogResult.find('*') != std::string::npos) return std::string();
  return G.FileDialogResult;
}

bool OpenImportFile(int w, const std::string& path) {
  EraseImportedSpectra();
  G.SourceFilePath = path;
  try {
    plat::OpenInput(1, path);
  } catch (const plat::FileError&) {
    RefuseImportFile(w);
    return false;
  }
  return true;
}

void ReportFileNotTakenWhole(int w) {
  G.CommandId = 3;
  ShowMessage(3, w);
}

}  // namespace sorvan
