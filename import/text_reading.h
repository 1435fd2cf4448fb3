// Reading the text import formats from a file held in memory: items (fields
// that end at a comma or at the end of the line) and whole lines, read the
// way input channel 1 reads them, with the end of the file reported as a
// problem of the file rather than a read past it; and the start that every
// text reader shares (file dialog or re-read path, the file's bytes).
#pragma once
// The leading-number rule and the control-byte clean-up every reader uses.
#include "core/text_rules.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sorvan {

// Thrown by TextItems when the file ends before an item the format needs.
struct FileEnded {
  std::string what;
};

class TextItems {
 public:
  explicit TextItems(std::string_view text) : text_(text) {}
  // True when nothing remains to be read.
  bool AtEnd() const { return pos_ >= text_.size() && !trailingEmptyField_; }
  // The text up to the next comma or the end of the line; the comma or the
  // line end is consumed. An empty line gives one empty item.
  std::string Item(const char* what = "an item");
  // The rest of the current line, without its line end.
  std::string Line(const char* what = "a line");
  // Item(), or a whole line for the value readers' spectra 1 to 4.
  std::string ValueItem(int spectrum, const char* what = "a value");

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool trailingEmptyField_ = false;
};

// The number in characters start..start+count-1 (1-based, clipped) of `text`.
double NumberInColumns(const std::string& text, long long start, long long count);

// Rounds to a multiple of 1/scale, halves upward: Int(x * scale + 0.5) / scale.
double RoundUpwardTo(double value, double scale);

// Reads the whole file; false when it cannot be read.
bool ReadImportText(const std::string& path, std::string& text);


}  // namespace sorvan
