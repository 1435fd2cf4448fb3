// Checks of the shipped default presetting: its 462 lines, the values a first
// start relies on, and that the names it stores match the language file and
// the reference files that ship beside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "tests/core/data_files.h"

namespace {

const char* const kPresetting = "presetting/presetting.set";

class DataPresetting : public ::testing::Test {
 protected:
  std::vector<std::string> lines = datafiles::ReadLines(kPresetting);
  // Line n counted from 1, as the file layout numbers them.
  const std::string& Line(int n) const { return lines.at(n - 1); }
  double Number(int n) const { return plat::TextToNumber(Line(n)); }
};

TEST_F(DataPresetting, Has462LinesEndedByCrLfAndItsSignature) {
  EXPECT_EQ(lines.size(), 462u);
  EXPECT_EQ(Line(1), "Voreinstellung");
  EXPECT_TRUE(datafiles::AllLinesEndCrLf(datafiles::ReadBytes(kPresetting)));
}

TEST_F(DataPresetting, NoTextLineHoldsAComma) {
  // Line 5 is read whole (a "," separator may stand there); every other line
  // is read as one field and would spill into the next value.
  for (int n = 1; n <= 462; ++n) {
    if (n != 5) {
      EXPECT_EQ(Line(n).find(','), std::string::npos) << "line " << n;
    }
  }
}

struct ValueCase {
  int line;
  double value;
  const char* what;
};

TEST_F(DataPresetting, HoldsTheDefaultsOfAFirstStart) {
  const ValueCase cases[] = {
      {2, 3, "averaging points (odd)"},       {3, 0, "binding energy scale"},
      {4, 1, "counts per second"},            {6, 0, "decimal point"},
      {348, 0, "Gauss-Lorentz peaks"},        {352, 1486.6, "Al K alpha"},
      {353, 1, "English"},                    {354, 1, "toolbar shown"},
      {357, 9, "dialog font size"},           {364, 12, "last import format VAMAS"},
      {377, 1, "Al satellite preset"},        {378, 1, "Mg satellite preset"},
      {456, 24, "toolbar button size"},       {461, 1, "Hessian errors"},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(Number(c.line), c.value) << c.what;
  EXPECT_EQ(Line(356), "Arial");
  for (int c = 0; c <= 3; ++c) {
    EXPECT_EQ(Line(7 + 16 * c + 6), "Arial") << "screen font class " << c;
    EXPECT_EQ(Line(7 + 16 * (c + 10) + 6), "Arial") << "printer font class " << c;
    EXPECT_GT(Number(7 + 16 * c + 8), 0) << "font size of class " << c;
  }
}

TEST_F(DataPresetting, ToolbarFlagsAreZeroOrOneAndSomeButtonsShow) {
  int shown = 0;
  for (int n = 387; n <= 455; ++n) {
    const double v = Number(n);
    EXPECT_TRUE(v == 0 || v == 1) << "line " << n;
    shown += v != 0;
  }
  EXPECT_GT(shown, 10);
}

TEST_F(DataPresetting, StoredNamesAreTextsOfTheLanguageFile) {
  const std::vector<std::string> language = datafiles::ReadFields("settings/language 2006.set");
  // MessageTexts i, English slot: after the header, the singles, three separators
  // and the menu and button texts.
  auto message = [&](int i) { return language.at(1 + 25 + 1 + 445 + 1 + 85 + 1 + 5 * (i - 1) + 1); };
  EXPECT_EQ(Line(373), message(3));
  EXPECT_EQ(Line(457), Line(373));
  EXPECT_EQ(Line(374), message(17));
  EXPECT_EQ(Line(375), message(22));
  EXPECT_EQ(Line(376), message(47));
}

TEST_F(DataPresetting, NamedReferenceFilesShip) {
  EXPECT_EQ(Line(379).find('\\'), std::string::npos) << "a bare file name";
  EXPECT_EQ(Line(462).find('\\'), std::string::npos) << "a bare file name";
  EXPECT_TRUE(plat::FileExists(plat::ProgramPath(datafiles::DataPath("sensitifity factors/" + Line(379)))));
  EXPECT_TRUE(plat::FileExists(plat::ProgramPath(datafiles::DataPath("XPS-transfct/" + Line(462)))));
}

}  // namespace
