// The language file: every text the program shows, five language slots each.
#pragma once

namespace sorvan {

// Reads `LanguageFilePath` and keeps, for each text, the field of slot
// `LanguageIndex` (0..4). With an index above 4 the file is read and no text
// changes. Nothing is cleared first: a text changes only when its field is
// read. A missing file throws plat::FileError and changes nothing; a file that
// ends early keeps the texts it reached and then throws plat::FileError.
void ReadLanguageFile();

}  // namespace sorvan
