// Loading a parameter-set file that the user picks into a window's peak table.
#pragma once
#include <string>

namespace sorvan {

// Asks for a "*.par" file (starting in `ParameterSetFolder`, which then takes
// the folder the dialog ended in) and loads it into window w
// (LoadParameterSetFileFrom). Cancel leaves `ParameterFileName` empty and
// changes nothing else.
void LoadParameterSetFile(int w);

// Loads the parameter-set file `path` into window w: peak type, peak count
// and peaks in the window's units, energy scale and relative mode; with
// x > 400 and no background on the window the six background terms, and
// `BackgroundState` 5. Sets `ParamSetLoaded` and `DialogResult` to 1.
// A missing file (message 8), a short file or one with more than 15 peaks
// (message 3) changes nothing; returns false then.
bool LoadParameterSetFileFrom(int w, const std::string& path);

}  // namespace sorvan
