// The import formats: each file format has an even code c (ImportFormat);
// c + 1 marks the re-reading of a window's source without a dialog. The table
// names each format's menu command and its reader.
#pragma once
#include "core/model_codes.h"

namespace sorvan {

struct ImportFormatInfo {
  int code;
  const char* name;
  int command;               // the menu command that imports this format
  void (*reader)(int w);     // nullptr while the format has no reader
};

// The entry of a format code (even or odd); nullptr for an unknown code.
const ImportFormatInfo* FindImportFormat(int code);
// The entry whose menu command is `command` (CmdImportTestSpectrum also
// gives VAMAS).
const ImportFormatInfo* FindImportCommand(int command);

// Runs the reader of `code` (even or odd) for window w; false when the format
// has no reader.
bool RunImportReader(int code, int w);

// Reads the source of window w again (ImportFormat[w] = code + 1, no dialog,
// nothing placed); for a depth profile also the regions that the window's
// block list names. False when the format has no reader.
bool ReadSourceAgain(int code, int w);

}  // namespace sorvan
