// Saving a spectrum window as a picture file drawn at four times its size.
#pragma once
#include <string>

namespace sorvan {

// Asks for a file and saves the current window, drawn again off screen at
// four times its size with fonts and line widths four times as large. The
// window on the screen is not closed or changed.
void ExportWindowBitmap();

// Saves window w drawn at four times its size, with its labels painted in,
// into `path` (a BMP with every colour as drawn: a run-length encoded 8-bit
// palette of them when they are at most 256, else 24 bits a pixel); false
// when the window is not open or the file cannot be written. Fonts and
// widths are exactly as before afterwards.
bool SaveWindowBitmap(int w, const std::string& path);

}  // namespace sorvan
