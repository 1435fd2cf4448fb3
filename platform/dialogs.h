// The message box and the common dialogs (open and save file, font, colour).
// In test mode each is answered by the test driver's script.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/canvas.h"  // FontSpec, RgbColour

namespace plat {

constexpr int kMessageOk = 0;        // buttons: OK
constexpr int kMessageOkCancel = 1;  // buttons: OK and Cancel
// Shows a modal message box; lines of `text` are separated by character 13.
// An empty title gives the program's name. Returns 1 for OK, 2 for Cancel
// (the close box and Esc give 2, or 1 when the box has OK alone).
int MessageBox(const std::string& text, int buttons, const std::string& title);

struct FileDialogSpec {
  // (description, mask) pairs, e.g. {"Settings", "*.set"}; masks may hold
  // several patterns separated by ';' and match without regard to case.
  std::vector<std::pair<std::string, std::string>> filters;
  std::string fileName;          // preset name; one holding '*' presets nothing
  std::string defaultExtension;  // without the point
  std::string initialFolder;     // program form; empty: the current folder
  std::string title;
  int flags = 0;                 // 0x1000 file must exist, 0x800 path must exist, 0x2 ask before replacing
};
constexpr int kFileOverwritePrompt = 0x2;
constexpr int kFilePathMustExist = 0x800;
constexpr int kFileMustExist = 0x1000;

// The chosen path in program form, or "" on Cancel. The folder of the dialog
// becomes the current folder (also on Cancel).
std::string OpenFileDialog(const FileDialogSpec& spec);
std::string SaveFileDialog(const FileDialogSpec& spec);
// The folder the last file dialog ended in (program form).
std::string CurrentFolder();

// Font dialog: starts from `font`; on OK writes the choice back. The colour
// passes through unchanged. Returns false on Cancel (values left as given).
bool FontDialog(FontSpec& font);
// Colour dialog: returns the chosen colour, or `colour` on Cancel.
int ColourDialog(int colour);

// What the message boxes showed (kept in every mode, cleared by the driver).
struct MessageRecord {
  std::string text;  // with its character-13 line breaks
  std::string title;
  int buttons = 0;
  int answer = 0;
};
const std::vector<MessageRecord>& MessagesShown();

}  // namespace plat
