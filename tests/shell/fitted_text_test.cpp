// Texts and paths shortened to their room, measured here one unit a
// character so that the cases read as counts.
#include <gtest/gtest.h>

#include <string>

#include "core/fitted_text.h"
#include "platform/text.h"

namespace {

using namespace sorvan;

double Characters(const std::string& text) { return static_cast<double>(plat::CharacterCount(text)); }

// A measure in the manner of a font: Chinese characters twice as wide as the
// others, combining marks of no width of their own.
double DrawnWidth(const std::string& text) {
  double width = 0;
  for (std::size_t i = 0, n = plat::CharacterCount(text); i < n; ++i) {
    const std::string c = plat::Mid(text, static_cast<long long>(i) + 1, 1);
    if (c == "\u0301" || c == "\u0308") continue;
    width += (c == "\u77F3" || c == "\u82F1") ? 2 : 1;
  }
  return width;
}

TEST(FittedText, TextIsCutAtItsEndWithAMark) {
  struct Case {
    std::string text;
    double width;
    std::string shown;
  };
  const Case cases[] = {
      {"Comment survey", 14, "Comment survey"},  // fits exactly
      {"Comment survey", 13, "Comment su..."},
      {"Comment survey", 11, "Comment..."},  // no blank before the mark
      {"Comment survey", 3, "..."},
      {"Comment survey", 2, ""},
      {"", 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(TextCutToWidth(c.text, c.width, Characters), c.shown) << c.width;
}

TEST(FittedText, PathKeepsItsFileNameAndNearestFolders) {
  struct Case {
    std::string prefix, path;
    double width;
    std::string shown;
  };
  const Case cases[] = {
      {"", "C:\\data\\spectra\\C1s.vms", 23, "C:/data/spectra/C1s.vms"},
      {"", "C:\\data\\spectra\\C1s.vms", 22, ".../spectra/C1s.vms"},
      {"", "C:\\data\\spectra\\C1s.vms", 11, ".../C1s.vms"},
      // Not even the file name fits: its end stays.
      {"", "C:\\data\\spectra\\C1s.vms", 9, "...1s.vms"},
      {"File ", "\\a\\b\\x.vms", 14, "File .../x.vms"},
      {"File ", "\\a\\b\\long name.vms", 18, "File ...g name.vms"},
      // The label itself is too wide: it is cut like any text.
      {"Source file ", "\\a\\x.vms", 6, "Sou..."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PathCutToWidth(c.prefix, c.path, c.width, Characters), c.shown) << c.path << " in " << c.width;
}

TEST(FittedText, CutsFallBetweenCharactersOfAnyScript) {
  struct Case {
    std::string text;
    double width;
    std::string shown;
  };
  const std::string sample = "\u03B1-Fe2O3 \u041A\u0432\u0430\u0440\u0446 \u77F3\u82F1";  // 18 wide
  const Case cases[] = {
      {sample, 18, sample},
      {sample, 17, "\u03B1-Fe2O3 \u041A\u0432\u0430\u0440\u0446..."},  // the wide character does not fit
      {sample, 6, "\u03B1-F..."},
      {"\u77F3\u82F1 survey", 6, "\u77F3..."},
      // "e" with a combining accent is one character: kept or cut whole.
      {"Ne\u0301e\u0301 survey", 5, "Ne\u0301..."},
      {"Ne\u0301e\u0301 survey", 6, "Ne\u0301e\u0301..."},
  };
  for (const Case& c : cases) EXPECT_EQ(TextCutToWidth(c.text, c.width, DrawnWidth), c.shown) << c.width;
  // A path whose file name does not fit keeps its end from a whole character.
  const std::string path = "\\\u03B1-Fe2O3 \u041A\u0432\u0430\u0440\u0446\\\u77F3\u82F1.vms";
  EXPECT_EQ(PathCutToWidth("", path, 13, DrawnWidth), ".../\u77F3\u82F1.vms");
  EXPECT_EQ(PathCutToWidth("", path, 10, DrawnWidth), "...\u82F1.vms");
  EXPECT_EQ(PathCutToWidth("", path, 8, DrawnWidth), "....vms");
}

}  // namespace
