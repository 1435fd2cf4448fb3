// Fits and error runs that fail, through the menus: the message says what
// failed, a batch run reports its failure once and ends, the menu bar is
// locked while an error analysis runs, and the caption of an iterating fit
// is in the chosen language.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/menu_commands.h"
#include "core/model.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/menus.h"
#include "shell/commands.h"
#include "shell_fixture.h"
#include "test_spectra.h"

namespace shelltest {
namespace {

using namespace sorvan;
namespace script = plat::script;
namespace driver = plat::driver;

class RunFailures : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.EnergyAxisMode = 0;
    G.CpsMode = 0;
    OpenTestSpectrum(1, "C 1s", kTwoPeakGrid, [](int i) { return TwoPeakCounts(i, 1, 50); });
    driver::FocusWindow(1);
  }

  // A fit region of five points, fewer than the two peaks' free
  // parameters: no fit can be made on it.
  static void RegionOfFivePoints() {
    Win[1].RegionStart = 79;
    Win[1].RegionEnd = 83;
    Win[1].RegionLength = 5;
  }

  // Runs `action` once, at the first key poll of a refit inside a batch run
  // (BatchMode 1); its result is the key the poll returns.
  static void AtFirstBatchPoll(std::function<int()> action, std::shared_ptr<bool> fired) {
    for (int k = 1; k <= 20000; ++k) {
      driver::AtKeyPoll(k, [fired, action] {
        if (*fired || G.BatchMode != 1) return 0;
        *fired = true;
        return action();
      });
    }
  }

  static std::vector<bool> TopLevelEnabled() {
    std::vector<bool> enabled;
    for (const plat::MenuItemInfo& item : plat::MenuBarTree())
      if (!item.separator) enabled.push_back(item.enabled);
    return enabled;
  }

  static bool Contains(const std::string& text, const std::string& part) {
    return !part.empty() && text.find(part) != std::string::npos;
  }
};

TEST_F(RunFailures, AFitThatCannotBeMadeSaysWhatFailed) {
  TwoPeakTable(1);
  RegionOfFivePoints();
  script::AnswerMessage(1);
  driver::ChooseMenu(CmdRunFit);
  const std::vector<plat::MessageRecord>& shown = plat::MessagesShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(Contains(shown[0].text, G.LabelTexts[94])) << shown[0].text;
  EXPECT_TRUE(Contains(shown[0].text, G.LabelTexts[39])) << shown[0].text;
  EXPECT_EQ(G.BatchMode, 0);
}

TEST_F(RunFailures, AProfileErrorRunWhoseRefitsFailReportsOnceAndEnds) {
  FitTwoPeaksFromTheMenu(1);
  ASSERT_EQ(Win[1].HasFit, 1);
  ASSERT_TRUE(plat::MessagesShown().empty());
  Win[1].ErrorMethod = 0;  // chi-square profile
  const double iterationLimit = G.IterationLimit;
  const Int32 fitRounds = G.FitRounds;
  const std::vector<bool> before = TopLevelEnabled();

  auto fired = std::make_shared<bool>(false);
  bool locked = false;
  bool commandRefused = false;
  AtFirstBatchPoll([&] {
    const std::vector<bool> during = TopLevelEnabled();
    locked = G.LongRunActive == 1 && !during.empty();
    for (bool enabled : during) locked = locked && !enabled;
    // A command through the dispatcher starts nothing meanwhile.
    const Byte language = G.LanguageIndex;
    int form = 101, command = language == 0 ? CmdLanguageEnglish : CmdLanguageGerman;
    Form_MenuEvent(form, command);
    commandRefused = G.LanguageIndex == language;
    // Every refit of the profile after this one fails.
    RegionOfFivePoints();
    return 0;
  }, fired);
  script::AnswerMessage(1);
  driver::ChooseMenu(CmdEstimateErrors);

  EXPECT_TRUE(*fired);
  EXPECT_TRUE(locked);
  EXPECT_TRUE(commandRefused);
  const std::vector<plat::MessageRecord>& shown = plat::MessagesShown();
  ASSERT_EQ(shown.size(), 1u);
  const std::string& text = shown[0].text;
  EXPECT_TRUE(Contains(text, G.LabelTexts[94])) << text;
  EXPECT_TRUE(Contains(text, G.MessageTexts[128])) << text;
  EXPECT_TRUE(Contains(text, G.LabelTexts[61])) << text;
  EXPECT_TRUE(Contains(text, G.LabelTexts[39])) << text;
  EXPECT_EQ(Win[1].ErrorTableValid, 0);
  EXPECT_EQ(G.IterationLimit, iterationLimit);
  EXPECT_EQ(G.FitRounds, fitRounds);
  EXPECT_EQ(G.LongRunActive, 0);
  EXPECT_EQ(G.RunFailureCode, 0);
  EXPECT_EQ(TopLevelEnabled(), before);
}

TEST_F(RunFailures, TheCaptionOfAnIteratingFitIsInTheChosenLanguage) {
  // The caption at the first poll of each fit, by the language chosen.
  std::string caption[3];
  for (int k = 1; k <= 5000; ++k) {
    driver::AtKeyPoll(k, [&caption] {
      if (G.LanguageIndex <= 2 && caption[G.LanguageIndex].empty())
        caption[G.LanguageIndex] = plat::Caption(1);
      return 0;
    });
  }
  // German and English are in the menu (Spanish only through a presetting).
  const char* expected[2] = {"Iterationen: ", "Iterations: "};
  for (int language : {0, 1}) {
    // The language is chosen while no window is open.
    ASSERT_TRUE(driver::CloseWindow(1));
    driver::ChooseMenu(CmdLanguageGerman + language);
    ASSERT_EQ(G.LanguageIndex, language);
    OpenTestSpectrum(1, "C 1s", kTwoPeakGrid, [](int i) { return TwoPeakCounts(i, 1, 50); });
    driver::FocusWindow(1);
    FitTwoPeaksFromTheMenu(1);
    EXPECT_EQ(caption[language].rfind(expected[language], 0), 0u) << caption[language];
  }
}

}  // namespace
}  // namespace shelltest
