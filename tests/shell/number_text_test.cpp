// The decimal-sign and mnemonic routines: only the first occurrence changes.
#include <gtest/gtest.h>

#include "core/model.h"
#include "core/number_text.h"

namespace {

using sorvan::G;

struct Case {
  std::string in;
  std::string out;
};

TEST(NumberText, TypedNumbersGetAPointWhateverTheExportSetting) {
  const Case cases[] = {{"1,5", "1.5"}, {"1,5,6", "1.5,6"}, {"2.5", "2.5"}, {"", ""}, {",", "."}};
  for (int comma : {0, 1}) {
    G.DecimalComma = static_cast<sorvan::Byte>(comma);
    for (const Case& c : cases) {
      G.NumberText = c.in;
      sorvan::NormaliseNumberInput();
      EXPECT_EQ(G.NumberText, c.out) << c.in;
    }
  }
}

TEST(NumberText, ExportedNumbersGetACommaOnlyWhenChosen) {
  const Case cases[] = {{" 1.5", " 1,5"}, {" 1,5; 2.5", " 1,5; 2,5"}, {"12", "12"}, {"", ""}};
  for (const Case& c : cases) {
    G.DecimalComma = 0;
    G.LineBuffer = c.in;
    sorvan::ApplyDecimalComma();
    EXPECT_EQ(G.LineBuffer, c.in);
    G.DecimalComma = 1;
    sorvan::ApplyDecimalComma();
    EXPECT_EQ(G.LineBuffer, c.out) << c.in;

    G.LoopIndexE = 7;
    G.ExportLines[7] = c.in;
    sorvan::ApplyDecimalCommaToExportLine();
    EXPECT_EQ(G.ExportLines[7], c.out) << c.in;
  }
  G.DecimalComma = 0;
}

TEST(NumberText, MnemonicMarksLoseOnlyTheFirstAmpersand) {
  const Case cases[] = {{"&File", "File"}, {"Save &as", "Save as"}, {"A&&B", "A&B"},
                        {"plain", "plain"}, {"", ""}};
  for (const Case& c : cases) {
    G.CaptionBuffer = c.in;
    sorvan::StripMnemonic();
    EXPECT_EQ(G.CaptionBuffer, c.out);
    G.ActionTextBuffer = c.in;
    sorvan::StripActionMnemonic();
    EXPECT_EQ(G.ActionTextBuffer, c.out);
  }
}

}  // namespace
