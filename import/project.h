// Projects: the state of every open spectrum window in one text file
// ("*.svr") beside a copy folder that holds the windows' source files, so
// that the work can be taken up again.
//
// The copy folder of a project file is its folder followed by the file's
// name up to its last point (\data\run4.svr -> \data\run4); saving and
// loading use the same rule. It must be a plain folder: a link or anything
// else in its place is refused with message 3 (naming it), and nothing is
// read or written. Only the sources that single spectra read are copied.
// A save never writes through a link and never replaces a file in the copy
// folder: the copies are written whole under names of their own, then the
// project file is renamed over the old one, then the copies that only the
// old file named are removed. A failed save leaves the old project and every
// file it names as they were; a killed one leaves the old project or the new
// one, whole, and the next save removes what it left. A project is read and
// checked completely before any window is made: a damaged file (message 3:
// records that do not end where the file ends, no window, a source name that
// would lead out of the copy folder) or a single-spectrum window whose source
// is not found (message 8, naming it) loads nothing and changes no open
// window.
#pragma once
#include <string>
#include <vector>

namespace sorvan {

// Commands CmdSaveProject (asks for a path only when there is no current
// project) and CmdSaveProjectAs (always asks), chosen by `CommandId`.
void SaveProject();
// Command CmdOpenProject: asks for a project file and re-creates its windows.
void LoadProject();

// The save without its dialog: writes the project of all open windows to
// `path` (program form) with its copy folder, points the windows' sources at
// their copies and makes `path` the current project. A source that is
// missing is skipped with message 8 (its window keeps its path). Returns
// false when the copy folder is refused (message 3). Throws plat::FileError
// when the copy folder, a copy or the project file cannot be written; the
// old project file, the files in the copy folder and the windows' sources
// are then as they were.
bool SaveProjectTo(const std::string& path);
// The load without its dialog; `path` becomes the current project when it
// was read. Returns false when nothing was loaded (a message said why).
bool LoadProjectFrom(const std::string& path);

// The copy folder of a project file.
std::string ProjectCopyFolder(const std::string& projectPath);

}  // namespace sorvan
