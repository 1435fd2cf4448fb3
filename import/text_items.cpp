#include "import/text_items.h"

#include <cmath>

#include "platform/files.h"

namespace sorvan {

bool TextItems::Load(const std::string& path) {
  try {
    text_ = plat::ReadWholeFile(path);
  } catch (const plat::FileError&) {
    text_.clear();
    pos_ = 0;
    return false;
  }
  pos_ = 0;
  return true;
}

void TextItems::SkipLineEnd() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  } else if (text_[pos_] == '\n') {
    ++pos_;
  }
}

std::string TextItems::Field() {
  const std::size_t start = pos_;
  while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd(pos_)) ++pos_;
  std::string field = text_.substr(start, pos_ - start);
  if (pos_ < text_.size()) {
    if (text_[pos_] == ',') {
      ++pos_;
      // A comma that ends a line leaves an empty field before the line end;
      // it is read by the next call, as the file channels do.
    } else {
      SkipLineEnd();
    }
  }
  return field;
}

std::string TextItems::Line() {
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !AtLineEnd(pos_)) ++pos_;
  std::string line = text_.substr(start, pos_ - start);
  SkipLineEnd();
  return line;
}

long long UnitsRounded(double value, double perUnit) {
  const double scaled = std::floor(value * perUnit + 0.5);
  if (!std::isfinite(scaled)) return 0;
  if (scaled > 9e18) return static_cast<long long>(9e18);
  if (scaled < -9e18) return static_cast<long long>(-9e18);
  return static_cast<long long>(scaled);
}

}  // namespace sorvan
