// The presetting file: the user's options and defaults, one value per line,
// 462 lines, beginning with the signature "Voreinstellung".
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace sorvan {

// The dialog font that the presetting holds; an empty name or a size of 0
// keeps the platform's.
plat::FontSpec DialogFont();

// Writes every presetting field to `PresettingFilePath` (462 lines), whole
// or not at all: throws plat::FileError when the file cannot be written, and
// the old file is then as it was.
void WritePresetting();

// Reads `PresettingFilePath` into the presetting fields, then calls `show`
// (the shell passes ApplyPresettingToScreen, dialogs/pickers.h, so that the
// open windows and the dialog font follow what was read).
// - A file whose first field is not "Voreinstellung" is refused with message
//   3 and changes nothing.
// - A missing or unreadable file throws plat::FileError and changes nothing.
// - A file that ends early keeps the values of the lines it has, leaves the
//   other fields as they were, finishes the read (`show` included) and then throws
//   plat::FileError naming the file.
// Text lines are read whole, so a text holding a comma reads back unchanged;
// values outside their range leave the field as it was (`AveragePoints`
// becomes 3 unless odd and 1..19).
void ReadPresetting(const std::function<void()>& show = nullptr);

// The 462 lines WritePresetting writes, in order (line 1 is the signature).
std::vector<std::string> PresettingLines();

}  // namespace sorvan
