// The prefixed-text reader: one spectrum from a text file of one of three
// layouts, told apart by the first five characters of the file:
// - "komm_": labelled header lines, then one data line per point of
//   semicolon-separated fields, the intensity a quotient of two of them;
// - "%%%%%": a long fixed header, a parameter line, then value lines;
// - "XPS 2": free-text lines, the anode, the name, then numbers one per item,
//   binding energies from high to low.
// The first two layouts hold neither the excitation energy nor a name: a new
// import asks both on page 6x, a re-read takes them from the window.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/model.h"

namespace sorvan {

enum class PrefixedLayout { Unknown, Komm, Percent, Xps2 };

// The layout of a first item ("komm_", "%%%%%", "XPS 2"); Unknown otherwise.
PrefixedLayout PrefixedLayoutOf(const std::string& firstItem);

struct PrefixedTextFile {
  PrefixedLayout layout = PrefixedLayout::Unknown;
  bool complete = false;        // every header item and value was there
  std::string problem;
  SpectrumHeaderRecord header;  // the fields the layout gives
  std::vector<double> values;   // rising kinetic energy, PointCount of them
};

// Parses a file held in memory. The "komm_" intensities are stored as whole
// numbers, multiplied by 1000 when no quotient exceeds 100 (small quotients
// would otherwise round to nothing).
PrefixedTextFile ParsePrefixedText(std::string_view text);

// The reader of format code 4 (5: re-read of window w's source, taking the
// window's excitation energy and name). A file of another prefix, or one
// that ends before its spectrum is complete, is refused with message 3.
void ImportPrefixedText(int w);

}  // namespace sorvan
