// The common file dialogs as the loaders and savers use them: fill the filter
// table and the preset name, ask the platform, and hand back the chosen path.
#pragma once
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace sorvan {

// The description of a common file dialog with `filterPairs` (description,
// mask, description, mask, ...), the preset name `presetName`, the default
// extension, the starting folder, the title and the platform's `flags`. Also
// sets `FileDialogFilter` to the pairs (ended by an empty text).
plat::FileDialogSpec FileDialogFor(const std::vector<std::string>& filterPairs,
                                   const std::string& presetName,
                                   const std::string& defaultExtension,
                                   const std::string& startFolder, const std::string& title,
                                   int flags);

// Shows the common open-file dialog (only existing files in existing folders)
// described as for FileDialogFor. Sets `FileDialogResult`; returns the chosen
// path, "" when the user cancelled.
std::string ChooseFileToOpen(const std::vector<std::string>& filterPairs,
                             const std::string& presetName, const std::string& defaultExtension,
                             const std::string& startFolder, const std::string& title);

// Shows the common save-file dialog (an existing folder; asks before an
// existing file is replaced) described as for FileDialogFor. Returns the
// chosen path, "" when the user cancelled.
std::string ChooseFileToSave(const std::vector<std::string>& filterPairs,
                             const std::string& presetName, const std::string& defaultExtension,
                             const std::string& startFolder, const std::string& title);

// The folder the last file dialog ended in ("the current folder"), also after
// Cancel; "" before any dialog.
std::string CurrentDialogFolder();

}  // namespace sorvan
