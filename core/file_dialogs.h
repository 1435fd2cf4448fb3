// The open-file dialog as the settings loaders use it: fills the filter table
// and the preset name, asks the platform, and leaves the chosen path in
// `FileDialogResult`.
#pragma once
#include <string>
#include <vector>

namespace sorvan {

// Shows the common open-file dialog (only existing files in existing folders)
// with `filterPairs` (description, mask, description, mask, ...), the preset
// name `presetName`, the default extension, the starting folder and the
// title. Sets `FileDialogFilter` (ended by an empty text) and
// `FileDialogResult`; returns the chosen path, "" when the user cancelled.
std::string ChooseFileToOpen(const std::vector<std::string>& filterPairs,
                             const std::string& presetName, const std::string& defaultExtension,
                             const std::string& startFolder, const std::string& title);

// The folder the last file dialog ended in ("the current folder"), also after
// Cancel; "" before any dialog.
std::string CurrentDialogFolder();

}  // namespace sorvan
