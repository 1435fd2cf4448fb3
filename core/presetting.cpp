// The presetting file. One table of line descriptions drives both the writer
// and the reader, so the two can never disagree about the order of the 462
// lines. Text values are read as whole lines (a folder or font name may hold
// a comma); numbers and flags take the first field of their line.
#include "core/presetting.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <type_traits>

#include "core/messages.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "platform/app.h"
#include "platform/canvas.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kLineCount = 462;
const char* const kSignature = "Voreinstellung";

struct Item {
  std::function<std::string()> write;
  std::function<void(const std::string&)> read;  // gets the whole line
};

// A number held in a field of type T: whole numbers rounded and held to the
// type's range; floating numbers held to the type's finite range (a float
// font size of 1E39 becomes the largest float, not infinity, which no
// number line could carry back), no number at all as 0.
template <class T>
T ToField(double value) {
  if constexpr (std::is_floating_point_v<T>) {
    if (std::isnan(value)) return 0;
    constexpr double most = static_cast<double>(std::numeric_limits<T>::max());
    return static_cast<T>(std::clamp(value, -most, most));
  } else {
    long long r = plat::RoundHalfEven(value);
    if (r < static_cast<long long>(std::numeric_limits<T>::min()))
      r = std::numeric_limits<T>::min();
    if (r > static_cast<long long>(std::numeric_limits<T>::max()))
      r = std::numeric_limits<T>::max();
    return static_cast<T>(r);
  }
}

// How a number line is taken apart before conversion.
enum class NumberRead { Field, WholeLine, TrimmedField };

// Written as the value the reader gives back: a field that holds infinity
// or no number (never read from a file, but a computed value could) is
// written as the nearest value its line can carry.
template <class T>
Item Number(T& field, NumberRead how = NumberRead::Field) {
  return {[&field] { return plat::NumberToText(static_cast<double>(ToField<T>(static_cast<double>(field)))); },
          [&field, how](const std::string& line) {
            std::string text = how == NumberRead::WholeLine ? line : FirstField(line);
            if (how == NumberRead::TrimmedField) text = plat::Trim(text);
            field = ToField<T>(plat::TextToNumber(text));
          }};
}

// A set flag is written as -1, a cleared one as 0; any number other than 0
// reads back as set.
template <class T>
Item Flag(T& field) {
  return {[&field] { return plat::NumberToText(field ? -1.0 : 0.0); },
          [&field](const std::string& line) {
            field = static_cast<T>(plat::TextToNumber(FirstField(line)) != 0);
          }};
}

// A text line keeps everything but its line end; line breaks inside a text
// would split it over two lines, so they are written as blanks.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

Item Text(std::string& field) {
  return {[&field] { return OneLine(field); }, [&field](const std::string& line) { field = line; }};
}

// The bare name of a reference table, or its full path when it was loaded
// from outside its default folder.
Item ReferenceName(std::string& bareName, const std::string& source,
                   std::function<std::string()> folder) {
  return {[&bareName, &source, folder] {
            return OneLine(StoredReferenceName(folder(), source, bareName));
          },
          [&bareName](const std::string& line) { bareName = line; }};
}

std::vector<Item> Layout() {
  std::vector<Item> items;
  items.reserve(kLineCount);
  items.push_back({[] { return std::string(kSignature); }, [](const std::string&) {}});
  items.push_back(Number(G.AveragePoints));
  items.push_back(Number(G.EnergyAxisMode, NumberRead::WholeLine));
  items.push_back(Number(G.CpsMode, NumberRead::WholeLine));
  items.push_back(Text(G.ColumnSeparator));
  items.push_back(Number(G.DecimalComma));
  for (int c = 0; c <= 19; ++c) {
    items.push_back(Number(G.CurveStyles[c]));
    items.push_back(Number(G.CurveWidths[c]));
    items.push_back(Number(G.CurveColours[c]));
    items.push_back(Number(G.LineStyles[c]));
    items.push_back(Number(G.LineWidths[c]));
    items.push_back(Number(G.LineColours[c]));
    items.push_back(Text(G.FontName[c]));
    items.push_back(Flag(G.FontItalic[c]));
    items.push_back(Number(G.FontSize[c]));
    items.push_back(Flag(G.FontBold[c]));
    items.push_back(Flag(G.FontUnderline[c]));
    items.push_back(Flag(G.FontStrikeout[c]));
    items.push_back(Number(G.FontDialogText[c]));
    items.push_back(Number(G.FontColour[c]));
    items.push_back(Number(G.FontCharWidth[c]));
    items.push_back(Number(G.FontLineHeight[c]));
  }
  items.push_back(Number(G.PlotBackColour));
  items.push_back(Number(G.TickDirection));
  items.push_back(Number(G.TickSize));
  items.push_back(Number(G.RightTicks));
  items.push_back(Number(G.TopTicks));
  items.push_back(Number(G.MinorTicksX));
  items.push_back(Number(G.MinorTicksY));
  items.push_back(Number(G.WaterfallGuides));
  items.push_back(Number(G.PrintBackColour));
  items.push_back(Number(G.PrintTickDirection));
  items.push_back(Number(G.PrintTickSize));
  items.push_back(Number(G.PrintRightTicks));
  items.push_back(Number(G.PrintTopTicks));
  items.push_back(Number(G.PrintMinorTicksX));
  items.push_back(Number(G.PrintMinorTicksY));
  items.push_back(Number(G.PrintWaterfallGuides));
  items.push_back(Number(G.XGridLinesDefault));
  items.push_back(Number(G.YGridLinesDefault));
  items.push_back(Number(G.MultiXGridLinesDefault));
  items.push_back(Number(G.MultiYGridLinesDefault));
  items.push_back(Number(G.MemberGridLinesDefault));
  items.push_back(Number(G.DefaultPeakModel));
  items.push_back(Number(G.DefaultRelativeMode));
  items.push_back(Number(G.DialogLeft));
  items.push_back(Number(G.DialogTop));
  items.push_back(Number(G.DefaultExcitationEnergy));
  items.push_back(Number(G.LanguageIndex));
  items.push_back(Number(G.ToolbarVisible));
  items.push_back(Text(G.ImportFolder));
  items.push_back(Text(G.DialogFontName));
  items.push_back(Number(G.DialogFontSize));
  // The dialog font's flags run bold, italic, underline, strikeout.
  items.push_back(Flag(G.DialogFontStyle[0]));
  items.push_back(Flag(G.DialogFontStyle[1]));
  items.push_back(Flag(G.DialogFontStyle[2]));
  items.push_back(Flag(G.DialogFontStyle[3]));
  items.push_back(Number(G.DialogFontDialogText));
  items.push_back(Number(G.DialogFontColour));
  items.push_back(Number(Win[0].ImportFormat));
  items.push_back(Number(G.ExportScaleOn));
  for (int i = 1; i <= 7; ++i) items.push_back(Number(G.ExportColumns[i]));
  items.push_back(Text(G.BackgroundName));
  items.push_back(Text(G.ScaleOperationName));
  items.push_back(Text(G.ArithmeticOperationName));
  items.push_back(Text(G.FitTypeName));
  items.push_back(Number(G.AlSatellitePreset));
  items.push_back(Number(G.MgSatellitePreset));
  items.push_back(ReferenceName(G.SensitivityFilePath, G.SensitivitySource, SensitivityFolder));
  items.push_back(Number(G.LineFilterAll, NumberRead::TrimmedField));
  items.push_back(Number(G.LineFilterMarked, NumberRead::TrimmedField));
  items.push_back(Number(G.LineFilterElement, NumberRead::TrimmedField));
  items.push_back(Number(G.LineFilterOwnFile, NumberRead::TrimmedField));
  items.push_back(Text(G.LineFilterSymbol));
  items.push_back(Text(G.LineFilePath));
  items.push_back(Text(G.LineFileName));
  for (int a = 1; a <= 69; ++a) items.push_back(Number(G.ToolbarButtonOfAction[a]));
  items.push_back(Number(G.ToolbarButtonSize));
  // The background name is kept twice; the second copy is the one that counts.
  items.push_back(Text(G.BackgroundName));
  items.push_back(Number(G.DefaultErrorsInPercent));
  items.push_back(Text(G.ProjectFolder));
  items.push_back(Text(G.ExportFolder));
  items.push_back(Number(G.DefaultErrorMethod));
  items.push_back(
      ReferenceName(G.TransmissionFilePath, G.TransmissionSource, TransmissionFolder));
  return items;
}

// Fields whose values are checked after a read, and their values before it.
struct CheckedFields {
  std::uint8_t languageIndex;
  std::int16_t alPreset;
  std::int16_t mgPreset;
  std::int16_t buttonSize;
};

// A value outside its range takes the value it had before the read, or a
// default when that one is outside the range too (a first start).
template <class T>
void KeepInRange(T& field, T before, long long low, long long high, T fallback) {
  auto inRange = [low, high](T v) { return v >= low && v <= high; };
  if (!inRange(field)) field = inRange(before) ? before : fallback;
}

void CheckRanges(const CheckedFields& before) {
  // Also the smoothing window: an even or zero count would divide by zero later.
  if (G.AveragePoints < 1 || G.AveragePoints > 19 || G.AveragePoints % 2 == 0)
    G.AveragePoints = 3;
  KeepInRange<Byte>(G.LanguageIndex, before.languageIndex, 0, 4, 0);
  KeepInRange<Int16>(G.AlSatellitePreset, before.alPreset, 1, 5, 1);
  KeepInRange<Int16>(G.MgSatellitePreset, before.mgPreset, 1, 5, 1);
  KeepInRange<Int16>(G.ToolbarButtonSize, before.buttonSize, 1, 32767, 24);
  if (!G.ColumnSeparator.empty()) G.SeparatorChar = static_cast<Byte>(G.ColumnSeparator[0]);
}


}  // namespace

std::vector<std::string> PresettingLines() {
  std::vector<std::string> lines;
  for (const Item& item : Layout()) lines.push_back(item.write());
  return lines;
}

plat::FontSpec DialogFont() {
  plat::FontSpec font;
  if (!G.DialogFontName.empty()) font.name = G.DialogFontName;
  if (G.DialogFontSize > 0) font.size = G.DialogFontSize;
  font.bold = G.DialogFontStyle[0] != 0;
  font.italic = G.DialogFontStyle[1] != 0;
  font.underline = G.DialogFontStyle[2] != 0;
  font.strikeout = G.DialogFontStyle[3] != 0;
  return font;
}

void WritePresetting() {
  const std::vector<std::string> lines = PresettingLines();
  // Through a temporary file renamed over the old one: a failed write
  // throws and leaves the old presetting whole.
  plat::ReplaceFileWithLines(G.PresettingFilePath, lines);
}

void ReadPresetting(const std::function<void()>& show) {
  const std::string path = G.PresettingFilePath;
  std::vector<std::string> lines = ReadAllLines(path);  // throws when missing
  if (lines.size() > static_cast<std::size_t>(kLineCount)) lines.resize(kLineCount);

  // Only the first field of line 1 is compared.
  if (lines.empty() || FirstField(lines[0]) != kSignature) {
    G.CommandId = 3;
    ShowMessage(G.CommandId, G.CurrentWindow);
    return;
  }

  const CheckedFields before{G.LanguageIndex, G.AlSatellitePreset, G.MgSatellitePreset,
                             G.ToolbarButtonSize};
  const std::vector<Item> items = Layout();
  for (std::size_t i = 1; i < lines.size(); ++i) items[i].read(lines[i]);
  CheckRanges(before);
  if (show) show();

  if (lines.size() < static_cast<std::size_t>(kLineCount))
    throw plat::FileError("the presetting file ends early; the settings it lacks were left as they were",
                          path);
}

}  // namespace sorvan
