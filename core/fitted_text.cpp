// Texts shortened to their room (see fitted_text.h).
#include "core/fitted_text.h"

#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

// The largest n in [0, count] for which fits(n) holds, fits being true for
// small n and false from some n on (widths grow with the characters kept).
template <typename Fits>
std::size_t LongestFitting(std::size_t count, Fits fits) {
  std::size_t low = 0, high = count;
  while (low < high) {
    const std::size_t middle = (low + high + 1) / 2;
    if (fits(middle)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
}

}  // namespace

std::string TextCutToWidth(const std::string& text, double width, const TextMeasure& measure) {
  if (measure(text) <= width) return text;
  const std::string mark = kCutMark;
  if (measure(mark) > width) return "";
  // Cut only where a character ends, never inside one.
  const std::vector<std::size_t> cuts = plat::CutPoints(text);
  const std::size_t kept = LongestFitting(cuts.size() - 1, [&](std::size_t n) {
    return measure(text.substr(0, cuts[n]) + mark) <= width;
  });
  // No blank just before the mark: "Survey ..." reads as a complete word.
  std::size_t end = cuts[kept];
  while (end > 0 && text[end - 1] == ' ') --end;
  return text.substr(0, end) + mark;
}

std::string PathCutToWidth(const std::string& prefix, const std::string& programPath, double width,
                           const TextMeasure& measure) {
  const std::string shown = plat::ShownPath(programPath);
  if (measure(prefix + shown) <= width) return prefix + shown;
  const std::string mark = kCutMark;
  if (measure(prefix + mark) > width) return TextCutToWidth(prefix, width, measure);
  // Leave out whole folders from the left, as few as possible.
  for (std::size_t at = shown.find('/', 1); at != std::string::npos; at = shown.find('/', at + 1)) {
    const std::string candidate = prefix + mark + shown.substr(at);
    if (measure(candidate) <= width) return candidate;
  }
  // Not even the file name fits: keep as much of its end as fits, starting
  // where a character starts.
  const std::vector<std::size_t> cuts = plat::CutPoints(shown);
  const std::size_t last = cuts.size() - 1;
  const std::size_t kept = LongestFitting(last, [&](std::size_t n) {
    return measure(prefix + mark + shown.substr(cuts[last - n])) <= width;
  });
  return prefix + mark + shown.substr(cuts[last - kept]);
}

}  // namespace sorvan
