// Texts shortened to the room they are shown in: a page's label, a box of the
// printed page. The width is measured by the caller's own measure (the
// printer canvas, the dialog font), so the same rule serves paper and screen.
// A shortened text shows "..." where it was cut; a cut falls only between
// characters (plat::CutPoints), never inside one.
#pragma once
#include <functional>
#include <string>

namespace sorvan {

// Width of a text in the font it will be drawn in.
using TextMeasure = std::function<double(const std::string&)>;

// The mark that stands for what was cut away.
inline constexpr const char* kCutMark = "...";

// The text when it fits `width`; else its longest start followed by "..."
// that fits (just "..." or "" when not even that fits).
std::string TextCutToWidth(const std::string& text, double width, const TextMeasure& measure);

// A path as the user reads it (this system's separators), after `prefix`
// (a label such as "File: "), fitted to `width`: whole when it fits; else
// the folders nearest the file are kept behind "...", and the file name
// whole as long as it fits at all. A prefix too wide for the room is cut
// like any text.
std::string PathCutToWidth(const std::string& prefix, const std::string& programPath, double width,
                           const TextMeasure& measure);

}  // namespace sorvan
