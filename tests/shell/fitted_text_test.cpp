// Texts and paths shortened to their room, measured here one unit a
// character so that the cases read as counts.
#include <gtest/gtest.h>

#include <string>

#include "shell/fitted_text.h"

namespace {

using namespace sorvan;

double Characters(const std::string& text) { return static_cast<double>(text.size()); }

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

}  // namespace
