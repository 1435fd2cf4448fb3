// Items and lines of the text readers, the leading-number length and the
// upward rounding of the energies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/text_reading.h"

using namespace sorvan;

namespace {

// 'I' reads an item, 'L' a line, 'V'/'v' a value of spectrum 1 / 5.
struct ReadCase {
  const char* what;
  std::string text;
  std::string reads;
  std::vector<std::string> expected;
};

TEST(TextItems, ItemsAndLinesReadAsTheChannelsDo) {
  const ReadCase cases[] = {
      {"items end at commas and line ends", "a,b\r\nc\n", "III", {"a", "b", "c"}},
      {"an empty line is one empty item", "a\r\n\r\nb", "III", {"a", "", "b"}},
      {"a comma before the line end leaves an empty item", "a,\r\nb", "III", {"a", "", "b"}},
      {"a comma at the very end leaves an empty item", "a,", "II", {"a", ""}},
      {"a line takes the rest after an item", "x,y,z\r\nw", "ILL", {"x", "y,z", "w"}},
      {"lone CR ends a line", "a\rb", "LL", {"a", "b"}},
      {"spectra 1 to 4 take a whole line per value", "12.5,7\r\n8", "VV", {"12.5,7", "8"}},
      {"later spectra take one item per value", "12.5,7\r\n8", "vvv", {"12.5", "7", "8"}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    TextItems items(c.text);
    std::vector<std::string> got;
    for (char r : c.reads) {
      if (r == 'I') got.push_back(items.Item());
      if (r == 'L') got.push_back(items.Line());
      if (r == 'V') got.push_back(items.ValueItem(1));
      if (r == 'v') got.push_back(items.ValueItem(5));
    }
    EXPECT_EQ(got, c.expected);
    EXPECT_TRUE(items.AtEnd());
  }
}

TEST(TextItems, ReadingAtTheEndIsAProblemOfTheFile) {
  for (const char* text : {"", "a\r\n"}) {
    TextItems items(text);
    if (*text) items.Line();
    EXPECT_TRUE(items.AtEnd());
    EXPECT_THROW(items.Item(), FileEnded);
    EXPECT_THROW(items.Line(), FileEnded);
  }
}

TEST(LeadingNumber, LengthFollowsTheNumberRule) {
  const struct {
    const char* text;
    std::size_t length;
  } cases[] = {
      {"285.5,1200", 5}, {"-2.5 40", 4},   {"  12 7", 4},    {"1e3 x", 3},   {"1e 3", 1},
      {"1.5D-2;", 6},    {".5 1", 2},      {"+. 3", 0},      {"abc", 0},     {"", 0},
      {"100  8974.5", 3}, {"7.25.3", 4},
  };
  for (const auto& c : cases) EXPECT_EQ(LeadingNumberLength(c.text), c.length) << c.text;
}

TEST(RoundUpward, HalvesGoUp) {
  const struct {
    double value, scale, rounded;
  } cases[] = {
      {1000.0004, 1000, 1000.0}, {1000.0005, 1000, 1000.001}, {999.99951, 1000, 1000.0},
      {-2.0005, 1000, -2.0},     {285.1235, 1000, 285.124}, {-2.0625, 1000, -2.062},     {0.123456, 100000, 0.12346}, {0.5, 1, 1},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(RoundUpwardTo(c.value, c.scale), c.rounded) << c.value;
}

}  // namespace
