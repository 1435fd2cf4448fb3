// Composition of the numbered messages and information boxes from the
// language texts and the fields of a window (no box is shown here).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/messages.h"
#include "core/model.h"

namespace {

using namespace sorvan;

// Stub language texts that show which text was used: "C7", "L33", "M9".
void StubLanguageTexts() {
  for (int i = 1; i <= 20; ++i) G.CaptionTexts[i] = "C" + std::to_string(i);
  for (int i = 1; i <= 129; ++i) G.MessageTexts[i] = "M" + std::to_string(i);
  for (int i = 1; i <= 220; ++i) G.LabelTexts[i] = "L" + std::to_string(i);
}

class MessageComposeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitialiseModel();
    StubLanguageTexts();
    G.CurrentWindow = 1;
  }
};

struct MessageCase {
  int code;
  const char* text;
  bool okCancel;
};

TEST_F(MessageComposeTest, PlainMessagesTakeTheirTexts) {
  const MessageCase cases[] = {
      {1, "C7 C8 100 C9!\rC10", false},
      {2, "C11", false},
      {3, "C12\rC13", false},
      {4, "L22", false},
      {6, "L38", false},
      {7, "L147", true},
      {8, "L72", false},
      {9, "L94", false},
      {10, "L100", false},
  };
  for (const auto& c : cases) {
    const BoxContent box = ComposeMessage(c.code, 1);
    EXPECT_TRUE(box.shown) << c.code;
    EXPECT_EQ(box.text, c.text) << c.code;
    EXPECT_EQ(box.okCancel, c.okCancel) << c.code;
  }
}

TEST_F(MessageComposeTest, UnknownCodesShowNothing) {
  for (int code : {0, -1, 11, 5100, 11000}) EXPECT_FALSE(ComposeMessage(code, 1).shown) << code;
}

TEST_F(MessageComposeTest, SeriesMessagesTakeTheTitleFromTheWindowPassed) {
  Win[1].SourcePath = "/data/current.vms";
  Win[7].SourcePath = "/data/template.vms";
  EXPECT_EQ(ComposeMessage(5, 7).title, "/data/template.vms");
  EXPECT_EQ(ComposeMessage(6, 7).title, "/data/template.vms");
  EXPECT_EQ(ComposeMessage(3, 7).title, "");
  // The main window's number lies outside the window tables: default title.
  EXPECT_EQ(ComposeMessage(5, 101).title, "");
}

struct SummaryCase {
  const char* what;
  void (*prepare)(int w);
  const char* text;
};

TEST_F(MessageComposeTest, ProcessingSummaryListsWhatWasDone) {
  const SummaryCase cases[] = {
      {"nothing", [](int) {}, "L33\r"},
      {"smoothed twice", [](int w) { Win[w].SmoothCount = 2; }, "L33\r\rM9 2x"},
      {"fitted background, no satellites", [](int w) { Win[w].BackgroundState = 4; }, "L33\r"},
      {"fitted background, satellites removed",
       [](int w) {
         Win[w].BackgroundState = 4;
         Win[w].SatelliteState = 1;
       },
       "L33\r\rM10\rL36"},
      {"subtracted background on a partial region",
       [](int w) {
         Win[w].RegionPartial = 1;
         Win[w].BackgroundState = 1;
       },
       "L33\r\rL34\rShirley"},
      {"everything in order",
       [](int w) {
         Win[w].DerivativeCount = 1;
         Win[w].SpectrumNegated = 1;
         Win[w].ScaleMode = 3;
         Win[w].ArithmeticDone = 1;
         Win[w].HasFit = 1;
       },
       "L33\r\rM8 1x\rL35\rM19\rSum\rL37"},
      {"scaled by a factor", [](int w) { Win[w].ScaleMode = 2; }, "L33\r\rM17"},
  };
  for (const auto& c : cases) {
    InitialiseModel();
    StubLanguageTexts();
    G.BackgroundName = "Shirley";
    G.ArithmeticOperationName = "Sum";
    G.CurrentWindow = 4;
    c.prepare(4);
    // The summary follows the current window, whatever window is passed.
    EXPECT_EQ(ComposeMessage(5, 9).text, c.text) << c.what;
  }
}

TEST_F(MessageComposeTest, EmptyLanguageTextsFallBackToEnglishWords) {
  InitialiseModel();  // no language file read: every text empty
  const BoxContent wrongFormat = ComposeMessage(3, 1);
  EXPECT_EQ(wrongFormat.text,
            "Unexpected data format.\rThe file (or the spectrum) does not have the expected form.");
  for (int code = 1; code <= 10; ++code) {
    const std::string text = ComposeMessage(code, 1).text;
    EXPECT_NE(text.find_first_not_of("\r !0123456789"), std::string::npos) << "code " << code << " has no words";
  }
  EXPECT_EQ(ComposeInfoBox(11000, 1).text, "Do you really want to quit?");
}

class InfoBoxComposeTest : public MessageComposeTest {
 protected:
  void SetUp() override {
    MessageComposeTest::SetUp();
    auto& h = Win[3].SpectrumHeader;
    h.Name = "C 1s";
    h.Comment = "sample A";
    h.Date = "01.02.2006";
    h.ExcitationEnergy = 1486.6;
    h.StartEnergy = 1180.5;
    h.EndEnergy = 1200.12345;
    h.PointCount = 201;
    h.EnergyStep = 0.1;
    h.ScanCount = 5;
    h.DwellTime = 0.2;
    h.Technique = "XPS";
    h.PassEnergy = 20;
    h.SourceInfo = "Al Ka";
    Win[3].SourcePath = "/data/c1s.vms";
  }
};

TEST_F(InfoBoxComposeTest, DescriptionSourceAndShift) {
  EXPECT_EQ(ComposeInfoBox(5100, 3).text, "M81 C 1s\rM96 sample A\rM97 01.02.2006");
  EXPECT_EQ(ComposeInfoBox(5100, 3).title, "C 1s");
  EXPECT_EQ(ComposeInfoBox(5400, 3).text, "/data/c1s.vms");
  // Shown with this system's separators.
  Win[3].SourcePath = "C:\\data\\c1s.vms";
  EXPECT_EQ(ComposeInfoBox(5400, 3).text, "C:/data/c1s.vms");
  Win[3].EnergyShift = 0.5;
  G.GlobalEnergyOffset = -1.25;
  EXPECT_EQ(ComposeInfoBox(5500, 3).text, "M117 -0.75 eV");
}

TEST_F(InfoBoxComposeTest, AcquisitionRoundsBindingEnergiesHalfUpToMilli) {
  G.EnergyAxisMode = 0;
  // 1486.6 - 1200.12345 = 286.47655 -> 286.477; 1486.6 - 1180.5 = 306.1.
  EXPECT_EQ(ComposeInfoBox(5200, 3).text,
            "M12: 1486.6 eV\rM119 Al Ka\r\rM98 286.477 eV\rM99 306.1 eV\r\rM116 201\rM102 0.1 eV"
            "\r\rM101 5\rM100 0.2 s\r\rM118 XPS\rM103 20 eV");
  G.EnergyAxisMode = 1;  // kinetic: end and start energy as stored
  const std::string kinetic = ComposeInfoBox(5200, 3).text;
  EXPECT_NE(kinetic.find("M98 1200.12345 eV\rM99 1180.5 eV"), std::string::npos) << kinetic;
}

TEST_F(InfoBoxComposeTest, ExtremesCutTheIntensityToTenCharacters) {
  Win[3].IntensityMax = 123456.789012;
  Win[3].IntensityMin = 12.5;
  Win[3].MaxBindingEnergy = 284.8;
  Win[3].MinBindingEnergy = 300;
  G.EnergyAxisMode = 0;
  G.CpsMode = 1;
  EXPECT_EQ(ComposeInfoBox(5300, 3).text,
            "C3 = 123456.789 cps\rC5 284.8 eV\rC4 = 12.5 cps\rC5 300 eV");
  G.EnergyAxisMode = 1;
  G.CpsMode = 0;
  EXPECT_EQ(ComposeInfoBox(5300, 3).text,
            "C3 = 123456.789 Counts\rL14 1201.8 eV\rC4 = 12.5 Counts\rL14 1186.6 eV");
}

TEST_F(InfoBoxComposeTest, EmptyWindowShowsEmptyValuesAndEmptyTitle) {
  const BoxContent box = ComposeInfoBox(5100, 50);
  EXPECT_TRUE(box.shown);
  EXPECT_EQ(box.title, "");
  EXPECT_EQ(box.text, "M81 \rM96 \rM97 ");
}

TEST_F(InfoBoxComposeTest, QuestionsAndUnknownCodes) {
  const BoxContent exitQuestion = ComposeInfoBox(11000, 101);
  EXPECT_TRUE(exitQuestion.shown);
  EXPECT_TRUE(exitQuestion.okCancel);
  EXPECT_EQ(exitQuestion.text, "C2");
  EXPECT_EQ(exitQuestion.title, "");
  EXPECT_EQ(ComposeInfoBox(11100, 1).text, "L126\rL127");
  EXPECT_TRUE(ComposeInfoBox(11100, 1).okCancel);
  for (int code : {0, 5, 5150, 5600, 12000}) EXPECT_FALSE(ComposeInfoBox(code, 1).shown) << code;
  // Window facts for a number outside the window tables show nothing.
  EXPECT_FALSE(ComposeInfoBox(5100, 101).shown);
}

TEST_F(InfoBoxComposeTest, AboutTextFollowsTheLanguageIndex) {
  const std::string english = AboutText(1);
  EXPECT_NE(AboutText(0), english);
  EXPECT_NE(AboutText(2), english);
  EXPECT_EQ(AboutText(3), english);
  EXPECT_EQ(AboutText(4), english);
  EXPECT_EQ(AboutText(5), "");
  for (int i = 0; i <= 4; ++i) {
    const std::string about = AboutText(i);
    EXPECT_EQ(std::count(about.begin(), about.end(), '\r'), 4) << "five lines in language " << i;
  }
  G.LanguageIndex = 3;
  EXPECT_EQ(ComposeInfoBox(10000, 1).text, english);
  EXPECT_FALSE(ComposeInfoBox(10000, 1).okCancel);
}

}  // namespace
