#include "import/text_reading.h"

#include <cctype>
#include <algorithm>
#include <cmath>

#include "core/messages.h"
#include "core/model.h"
#include "import/reader_support.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

std::string TextItems::Item(const char* what) {
  if (trailingEmptyField_) {
    trailingEmptyField_ = false;
    return {};
  }
  if (pos_ >= text_.size()) throw FileEnded{std::string("the file ends before ") + what};
  std::size_t i = pos_;
  const std::size_t n = text_.size();
  while (i < n && text_[i] != ',' && text_[i] != '\n' && text_[i] != '\r') ++i;
  std::string item(text_.substr(pos_, i - pos_));
  if (i < n) {
    if (text_[i] == ',') {
      // A comma at the very end leaves one empty item to read, as a comma
      // before a line end does.
      ++i;
      if (i == n) trailingEmptyField_ = true;
    } else if (text_[i] == '\r') {
      ++i;
      if (i < n && text_[i] == '\n') ++i;
    } else {
      ++i;
    }
  }
  pos_ = i;
  return item;
}

std::string TextItems::Line(const char* what) {
  if (trailingEmptyField_) {
    trailingEmptyField_ = false;
    return {};
  }
  if (pos_ >= text_.size()) throw FileEnded{std::string("the file ends before ") + what};
  std::size_t i = pos_;
  const std::size_t n = text_.size();
  while (i < n && text_[i] != '\n' && text_[i] != '\r') ++i;
  std::string line(text_.substr(pos_, i - pos_));
  if (i < n) {
    ++i;
    if (text_[i - 1] == '\r' && i < n && text_[i] == '\n') ++i;
  }
  pos_ = i;
  return line;
}

std::string TextItems::ValueItem(int spectrum, const char* what) {
  // Spectra 1 to 4 take a whole line per value, later spectra one item: the
  // files of these formats are written to that rule.
  return spectrum <= 4 ? Line(what) : Item(what);
}

double NumberInColumns(const std::string& text, long long start, long long count) {
  return plat::TextToNumber(plat::Mid(text, start, count));
}

double RoundUpwardTo(double value, double scale) {
  // A half written in decimal (1000.0005) is a hair below the half in binary;
  // the small allowance rounds it up as the text says.
  const double scaled = value * scale;
  return std::floor(scaled + 0.5 + 1e-9 * std::max(1.0, std::fabs(scaled))) / scale;
}

bool ReadImportText(const std::string& path, std::string& text) {
  try {
    text = plat::ReadWholeTextFile(path);
    return true;
  } catch (const plat::FileError&) {
    return false;
  }
}


}  // namespace sorvan
