// A text file held in memory, read the way the readers of the simpler
// instrument formats read their files: by fields, which end at a comma or at
// the end of the line, and by whole lines. Running out of text is reported,
// never read past.
#pragma once
#include <cstddef>
#include <string>
#include <utility>

namespace sorvan {

class TextItems {
 public:
  TextItems() = default;
  explicit TextItems(std::string text) : text_(std::move(text)) {}

  // Reads the whole file `path` (program form); false when it cannot be read.
  bool Load(const std::string& path);

  bool AtEnd() const { return pos_ >= text_.size(); }
  // The text up to the next comma or line end, which is consumed; an empty
  // line gives one empty field. "" at the end of the text.
  std::string Field();
  // The rest of the current line without its line end.
  std::string Line();
  // Back to the start of the text.
  void Rewind() { pos_ = 0; }

 private:
  bool AtLineEnd(std::size_t i) const { return text_[i] == '\n' || text_[i] == '\r'; }
  void SkipLineEnd();

  std::string text_;
  std::size_t pos_ = 0;
};

// Rounds to `unit` (0.1, 0.001, ...) the way these files' readers always
// have: add half a unit and drop the fraction. Returns the count of units,
// so that equal roundings compare exactly.
long long UnitsRounded(double value, double perUnit);

}  // namespace sorvan
