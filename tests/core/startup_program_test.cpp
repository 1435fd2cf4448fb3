// The program started in a test program folder (offscreen, driven by the test
// driver): what start-up leaves behind, the three ways to end the program and
// the files each writes, and start-up with missing or refused files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/events.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/presetting.h"
#include "core/program_exit.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "platform/toolbar.h"
#include "shell/startup.h"
#include "support/full_disk.h"
#include "support/program_folder.h"

namespace {

using namespace sorvan;

constexpr int kLineExcitationEnergy = 352;
constexpr int kLineLanguageIndex = 353;
constexpr int kLineToolbarVisible = 354;
constexpr const char* kSatellite = "settings/satellite.set";

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override { plat::driver::Reset(); }
  void TearDown() override { plat::driver::Finish(); }

  void Start() { ASSERT_TRUE(PrepareProgram()); }
  // Texts of the message boxes shown so far.
  std::string LastMessageText() const {
    const auto& shown = plat::MessagesShown();
    return shown.empty() ? std::string() : shown.back().text;
  }

  testsupport::ProgramFolder folder_;
};

TEST_F(StartupTest, StartsWithTheMainWindowAndNoSpectrumWindow) {
  Start();
  EXPECT_TRUE(plat::MainWindowOpen());
  EXPECT_FALSE(G.CaptionTexts[1].empty());
  EXPECT_EQ(plat::Caption(101), G.CaptionTexts[1]);
  EXPECT_EQ(G.CurrentWindow, 1);
  EXPECT_TRUE(plat::OpenSpectrumWindows().empty());
  for (int w = 1; w <= 100; ++w) ASSERT_FALSE(Win[w].WindowOpen) << w;
  const auto& test = ImportedHeader[1];
  EXPECT_EQ(test.Name, "Test");
  EXPECT_EQ(test.PassEnergy, 10);
  EXPECT_EQ(test.DwellTime, 1);
  EXPECT_EQ(test.ScanCount, 1);
  EXPECT_EQ(G.ProgramVersion, 2006);
  EXPECT_EQ(G.MainWindowNumber, 101);
  EXPECT_EQ(G.MaxWindows, 100);
  EXPECT_EQ(G.ToolbarActionCount, 69);
  EXPECT_GT(G.CharWidth, 0);
  EXPECT_GT(G.CharHeight, 0);
  EXPECT_TRUE(plat::MessagesShown().empty()) << LastMessageText();
}

TEST_F(StartupTest, ExcitationEnergyOfZeroBecomesTheAluminiumLine) {
  const struct {
    const char* line;
    double expected;
  } cases[] = {{"0", 1486.6}, {"1253.6", 1253.6}};
  for (const auto& c : cases) {
    plat::driver::Reset();
    folder_.SetPresettingLine(kLineExcitationEnergy, c.line);
    Start();
    EXPECT_EQ(G.DefaultExcitationEnergy, c.expected) << c.line;
  }
}

TEST_F(StartupTest, WorkAreaLeavesRoomForTheToolbarWhenShown) {
  folder_.SetPresettingLine(kLineToolbarVisible, "0");
  Start();
  const double height = plat::ScreenHeight();
  EXPECT_EQ(G.ToolbarHeight, 0);
  EXPECT_EQ(G.WorkAreaHeight, plat::RoundHalfEven(0.999 * height));

  plat::driver::Reset();
  folder_.SetPresettingLine(kLineToolbarVisible, "1");
  Start();
  if (plat::ToolbarButtonCount() == 0) GTEST_SKIP() << "the toolbar is not built at start-up yet";
  const int toolbar = plat::ToolbarHeight();
  EXPECT_GT(toolbar, 0);
  EXPECT_EQ(G.ToolbarHeight, toolbar);
  EXPECT_EQ(G.WorkAreaHeight, plat::RoundHalfEven(0.999 * plat::ScreenHeight()) - toolbar);
}

TEST_F(StartupTest, MessagesAppearInTheChosenLanguage) {
  std::string shown[2];
  for (int language : {0, 1}) {
    plat::driver::Reset();
    folder_.SetPresettingLine(kLineLanguageIndex, std::to_string(language));
    Start();
    EXPECT_EQ(G.LanguageIndex, language);
    plat::script::AnswerMessage(1);
    ShowMessage(3, G.CurrentWindow);
    shown[language] = LastMessageText();
    EXPECT_EQ(shown[language], G.CaptionTexts[12] + "\r" + G.CaptionTexts[13]);
    plat::script::AnswerMessage(2);
    G.CommandId = 11100;
    ShowInfoBox(G.CommandId, G.CurrentWindow);
    EXPECT_EQ(G.InfoBoxAnswer, 2);
    EXPECT_EQ(LastMessageText(), G.LabelTexts[126] + "\r" + G.LabelTexts[127]);
  }
  EXPECT_NE(shown[0], shown[1]);
}

TEST_F(StartupTest, QuestionsKeepTheirAnswersAndOtherMessagesLeaveThem) {
  Start();
  G.MessageAnswer = 9;
  plat::script::AnswerMessage(1);
  ShowMessage(3, 1);
  EXPECT_EQ(G.MessageAnswer, 9);
  plat::script::AnswerMessage(2);
  ShowMessage(7, 1);
  EXPECT_EQ(G.MessageAnswer, 2);
  plat::script::AnswerMessage(1);
  ShowMessage(5, 1);
  EXPECT_EQ(G.MessageAnswer, 1);
  G.InfoBoxAnswer = 9;
  plat::script::AnswerMessage(1);
  ShowInfoBox(10000, 1);
  EXPECT_EQ(G.InfoBoxAnswer, 9);
  const size_t before = plat::MessagesShown().size();
  ShowMessage(11, 1);
  ShowInfoBox(4711, 1);
  EXPECT_EQ(plat::MessagesShown().size(), before);
}

// The three exit paths. Each writes before it asks; on Cancel nothing is
// written after the question, so the files seen afterwards are those that
// were in place when it was shown.
class ExitTest : public StartupTest {
 protected:
  void SetUp() override {
    StartupTest::SetUp();
    Start();
    // The close event of the main window reaches MainWindowClose through the
    // window events of the display; route it here when they are not built in.
    if (!HasEvent("Form_Close"))
      RegisterEvent("Form_Close", [](plat::EventArgs& a) {
        if (a.index == 101) MainWindowClose(a.cancel);
      });
    // A presetting loaded from another file is the current one.
    folder_.Write(kOther, folder_.Read(testsupport::ProgramFolder::kPresetting));
    G.PresettingFilePath = G.ProgramFolder + "\\presetting\\other.set";
    folder_.Remove(testsupport::ProgramFolder::kPresetting);
    folder_.Remove(kOther);
    folder_.Remove(kSatellite);
    G.CurrentWindow = 7;
  }
  void ExpectFiles(bool defaultWritten, bool otherWritten, bool satelliteWritten) {
    EXPECT_EQ(folder_.Exists(testsupport::ProgramFolder::kPresetting), defaultWritten);
    EXPECT_EQ(folder_.Exists(kOther), otherWritten);
    EXPECT_EQ(folder_.Exists(kSatellite), satelliteWritten);
  }
  void AnswerExitQuestion(int answer) { plat::script::AnswerMessage(answer, G.CaptionTexts[2]); }
  static constexpr const char* kOther = "presetting/other.set";
};

TEST_F(ExitTest, ExitCommandWritesTheDefaultPresettingAndTheSatelliteTable) {
  AnswerExitQuestion(2);
  plat::driver::ChooseMenu(11000);  // File > Exit
  ExpectFiles(true, false, true);
  EXPECT_EQ(G.InfoBoxAnswer, 2);
  EXPECT_EQ(G.CommandId, 11000);
  EXPECT_TRUE(plat::MainWindowOpen());
  EXPECT_EQ(G.PresettingFilePath, G.ProgramFolder + "\\presetting\\presetting.set");

  AnswerExitQuestion(1);
  EXPECT_THROW(RunExitCommand(), plat::ProgramEnded);
  EXPECT_FALSE(plat::MainWindowOpen());
}

TEST_F(ExitTest, ToolbarExitWritesTheCurrentPresettingAndTheTableOnlyWhenConfirmed) {
  AnswerExitQuestion(2);
  RunToolbarExit();
  ExpectFiles(false, true, false);
  EXPECT_TRUE(plat::MainWindowOpen());

  // Confirmed, the satellite table is written before the program ends.
  AnswerExitQuestion(1);
  EXPECT_THROW(RunToolbarExit(), plat::ProgramEnded);
  ExpectFiles(false, true, true);
}

// The disk is full when the exit command writes: each file that could not
// be written is named in message 2, the old files stay byte for byte, and
// the question is asked all the same.
TEST_F(ExitTest, ExitOnAFullDiskKeepsTheOldFilesAndNamesThem) {
  folder_.Write(testsupport::ProgramFolder::kPresetting, "old presetting\r\n");
  folder_.Write(kSatellite, "old satellite table\r\n");
  const std::string presetting = G.ProgramFolder + "\\presetting\\presetting.set";
  const std::string satellite = G.SatelliteFilePath;
  plat::script::AnswerMessage(1, plat::ShownPath(presetting));
  plat::script::AnswerMessage(1, plat::ShownPath(satellite));
  AnswerExitQuestion(2);
  {
    testsupport::FullDisk full(100);
    plat::driver::ChooseMenu(11000);
  }
  ASSERT_EQ(plat::MessagesShown().size(), 3u);
  EXPECT_EQ(plat::MessagesShown()[0].text, G.CaptionTexts[11] + "\r" + plat::ShownPath(presetting));
  EXPECT_EQ(folder_.Read(testsupport::ProgramFolder::kPresetting), "old presetting\r\n");
  EXPECT_EQ(folder_.Read(kSatellite), "old satellite table\r\n");
  EXPECT_TRUE(plat::MainWindowOpen());
}

TEST_F(ExitTest, ClosingTheMainWindowAsksAndCancelKeepsItOpen) {
  AnswerExitQuestion(2);
  EXPECT_FALSE(plat::driver::CloseWindow(101));
  EXPECT_TRUE(plat::MainWindowOpen());
  ExpectFiles(false, true, false);
  // The window current before the question is current again, inside the tables.
  EXPECT_EQ(G.CurrentWindow, 7);

  AnswerExitQuestion(1);
  EXPECT_THROW(plat::driver::CloseWindow(101), plat::ProgramEnded);
  ExpectFiles(false, true, true);
  EXPECT_FALSE(plat::MainWindowOpen());
}

// Start-up with files missing or refused: a message that names the file, and
// either the program ends cleanly (no program folder) or it goes on.
TEST_F(StartupTest, WithoutTheStartupFileTheProgramSaysSoAndDoesNotStart) {
  const char* contents[] = {nullptr, "only one line"};
  for (const char* content : contents) {
    plat::driver::Reset();
    if (content)
      folder_.WriteStartupFile(content);
    else
      folder_.RemoveStartupFile();
    plat::script::AnswerMessage(1, folder_.StartupFilePath());
    EXPECT_FALSE(PrepareProgram());
    EXPECT_FALSE(plat::MainWindowOpen());
  }
}

TEST_F(StartupTest, MissingSettingsFilesAreNamedAndStartUpGoesOn) {
  folder_.Remove("settings/language 2006.set");
  folder_.Remove("settings/doublet.dda");
  plat::script::AnswerMessage(1, "language 2006.set");
  Start();
  EXPECT_NE(LastMessageText().find("doublet.dda"), std::string::npos) << LastMessageText();
  EXPECT_EQ(plat::MessagesShown().size(), 1u);
  EXPECT_TRUE(plat::MainWindowOpen());
  EXPECT_EQ(G.CurrentWindow, 1);
}

TEST_F(StartupTest, LanguageFileEndingEarlyKeepsTheTextsReadSoFar) {
  // Cut the file after the first captions: the captions are there, the label
  // texts that follow them are not.
  const std::string whole = folder_.Read("settings/language 2006.set");
  size_t cut = 0;
  for (int line = 0; line < 1300; ++line) cut = whole.find('\n', cut) + 1;
  folder_.Write("settings/language 2006.set", whole.substr(0, cut));
  plat::script::AnswerMessage(1, "language 2006.set");
  Start();
  EXPECT_FALSE(G.CaptionTexts[1].empty());
  EXPECT_EQ(plat::Caption(101), G.CaptionTexts[1]);
  EXPECT_TRUE(G.LabelTexts[200].empty());
  EXPECT_TRUE(plat::MainWindowOpen());
}

TEST_F(StartupTest, MissingPresettingGivesDefaults) {
  folder_.Remove(testsupport::ProgramFolder::kPresetting);
  plat::script::AnswerMessage(1, "presetting.set");
  Start();
  EXPECT_EQ(G.DefaultExcitationEnergy, 1486.6);
  EXPECT_TRUE(plat::MainWindowOpen());
}

// Without a presetting that can be read the program starts with its own
// defaults; the presetting it then saves must read back as it was written
// (a value the reader takes for out of range would come back as another).
TEST_F(StartupTest, PresettingSavedAfterAStartWithoutOneReadsBackAsWritten) {
  struct Case {
    const char* what;
    bool remove;
    const char* message;
  };
  const Case cases[] = {{"missing", true, "presetting.set"}, {"refused", false, "Unexpected data format."}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    plat::driver::Reset();
    if (c.remove)
      folder_.Remove(testsupport::ProgramFolder::kPresetting);
    else
      folder_.Write(testsupport::ProgramFolder::kPresetting, "Presetting\r\n");
    plat::script::AnswerMessage(1, c.message);
    Start();
    const std::vector<std::string> written = PresettingLines();
    G.PresettingFilePath = G.ProgramFolder + "\\presetting\\saved.set";
    WritePresetting();
    ReadPresetting();
    const std::vector<std::string> read = PresettingLines();
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i) EXPECT_EQ(read[i], written[i]) << "line " << i + 1;
  }
}

TEST_F(StartupTest, RefusedPresettingIsReportedInWordsBeforeAnyLanguageIsLoaded) {
  folder_.SetPresettingLine(1, "Presetting");
  plat::script::AnswerMessage(1, "Unexpected data format.");
  Start();
  EXPECT_EQ(G.DefaultExcitationEnergy, 1486.6);
  // No reference table name came from the presetting: nothing was read from
  // the two folders, and no message names them.
  EXPECT_EQ(plat::MessagesShown().size(), 1u) << LastMessageText();
}

}  // namespace
