// The common open- and save-file dialogs.
#include "core/file_dialogs.h"

#include "core/model.h"

namespace sorvan {

plat::FileDialogSpec FileDialogFor(const std::vector<std::string>& filterPairs,
                                   const std::string& presetName,
                                   const std::string& defaultExtension,
                                   const std::string& startFolder, const std::string& title,
                                   int flags) {
  plat::FileDialogSpec spec;
  for (int i = 0; i <= G.FileDialogFilter.upper(); ++i) G.FileDialogFilter[i].clear();
  for (std::size_t i = 0; i + 1 < filterPairs.size(); i += 2) {
    if (static_cast<int>(i + 1) <= G.FileDialogFilter.upper()) {
      G.FileDialogFilter[static_cast<long long>(i)] = filterPairs[i];
      G.FileDialogFilter[static_cast<long long>(i + 1)] = filterPairs[i + 1];
    }
    spec.filters.emplace_back(filterPairs[i], filterPairs[i + 1]);
  }
  spec.fileName = presetName;
  spec.defaultExtension = defaultExtension;
  spec.initialFolder = startFolder;
  spec.title = title;
  spec.flags = flags;
  return spec;
}

std::string ChooseFileToOpen(const std::vector<std::string>& filterPairs,
                             const std::string& presetName, const std::string& defaultExtension,
                             const std::string& startFolder, const std::string& title) {
  const plat::FileDialogSpec spec =
      FileDialogFor(filterPairs, presetName, defaultExtension, startFolder, title,
                    plat::kFileMustExist | plat::kFilePathMustExist | plat::kFileOverwritePrompt);
  G.FileDialogResult = presetName;
  G.FileDialogResult = plat::OpenFileDialog(spec);
  return G.FileDialogResult;
}

std::string ChooseFileToSave(const std::vector<std::string>& filterPairs,
                             const std::string& presetName, const std::string& defaultExtension,
                             const std::string& startFolder, const std::string& title) {
  return plat::SaveFileDialog(FileDialogFor(filterPairs, presetName, defaultExtension, startFolder,
                                            title,
                                            plat::kFilePathMustExist | plat::kFileOverwritePrompt));
}

std::string CurrentDialogFolder() { return plat::CurrentFolder(); }

}  // namespace sorvan
