// A font as the program describes it: face name, size in points and the four
// style flags. Shared by windows, controls, labels, dialogs and drawing.
#pragma once
#include <string>

namespace plat {

struct FontSpec {
  std::string name = "Arial";  // Windows-1252
  double size = 8.25;          // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  bool operator==(const FontSpec&) const = default;
};

// Colours everywhere in the layer: red + 256*green + 65536*blue.
inline int RgbColour(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

}  // namespace plat
