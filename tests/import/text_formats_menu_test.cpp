// The text formats imported from the File menu with the program started:
// the dialogs each format asks, the windows its spectra go to, and the
// re-reading of a window's source when it is reverted.
#include <gtest/gtest.h>

#include <memory>

#include "tests/import/started_program_fixture.h"
#include "tests/shell/shell_fixture.h"
#include "support/program_folder.h"
#include "platform/text.h"

using namespace sorvan;

namespace {

std::string RegionText(const std::string& name, double e1, const std::vector<double>& values) {
  char header[128];
  std::snprintf(header, sizeof header, "%12.4f%12.4f%12.4f%12.0f%12.4f%6d%8.2f", e1, 0.0, 0.5,
                10.0, 0.2, static_cast<int>(values.size()), 20.0);
  std::string text = std::string(header) + "\r\n" + name + "\r\n";
  for (double v : values) text += plat::NumberToText(v) + "\r\n";
  return text;
}

class TextFormatsMenuTest : public importtest::StartedProgramTest {
 protected:
  void SetUp() override {
    StartedProgramTest::SetUp();
    G.CpsMode = 0;
  }
  std::string Write(const std::string& name, const std::string& text) {
    return WriteVamas(text, name);
  }
  // File > Import > numbered region files: the file, the excitation energy,
  // then every spectrum of the set into windows.
  void ImportNumbered(const std::string& path, const std::string& hv) {
    plat::script::AnswerFile(path);
    plat::script::SetText("ed251", -1, hv);
    plat::script::Click("cmdOK251");
    plat::script::Click("cmd23");
    plat::driver::ChooseMenu(1150);
    plat::driver::Finish();
  }

};

TEST_F(TextFormatsMenuTest, NumberedSetOpensInWindowsAndRevertsFromItsFiles) {
  const std::string first =
      Write("run.1", "XPS run\r\n" + RegionText("C 1s", 280, {1, 2, 3}) +
                         RegionText("O 1s", 530, {4, 5, 6, 7}));
  Write("run.2", "XPS run\r\n" + RegionText("N 1s", 400, {8, 9}));
  ImportNumbered(first, "1253.6");
  ASSERT_TRUE(Win[3].WindowOpen);
  EXPECT_FALSE(Win[4].WindowOpen);
  EXPECT_EQ(Win[1].SpectrumHeader.Name, "C 1s_1");
  EXPECT_EQ(Win[2].SpectrumHeader.Name, "O 1s_1");
  EXPECT_EQ(Win[3].SpectrumHeader.Name, "N 1s_2");
  EXPECT_EQ(Win[2].ImportFormat, 8);
  EXPECT_EQ(Win[2].SourceDialogName, first);
  // A window names the file of its own region; a re-read starts at the
  // file the user chose.
  EXPECT_EQ(Win[3].SourcePath, first.substr(0, first.size() - 1) + "2");
  EXPECT_EQ(Win[3].SourceDialogName, first);
  EXPECT_NEAR(Win[2].SpectrumHeader.StartEnergy, 1253.6 - 530 - 1.5, 1e-9);
  EXPECT_EQ(Win[2].SpectrumHeader.ExcitationEnergy, 1253.6);
  // Falling layout: the file's last value is the lowest kinetic energy.
  EXPECT_EQ(SlotData[2](1, 1), 7);
  EXPECT_EQ(SlotData[2](4, 1), 4);
  EXPECT_EQ(G.CurrentWindow, 3);

  // Another set is read meanwhile, with another excitation energy.
  const std::string other = Write("else.1", "AES other\r\n" + RegionText("Fe", 700, {50, 60}));
  ImportNumbered(other, "1486.6");
  ASSERT_TRUE(Win[4].WindowOpen);
  EXPECT_EQ(Win[4].SpectrumHeader.Name, "Fe");

  // Reverting window 2 reads its set again, with its own excitation energy
  // and without asking for anything.
  for (int i = 1; i <= 4; ++i) SlotData[2](i, 1) = -1;
  G.CurrentWindow = 2;
  plat::driver::ChooseMenu(1900);
  plat::driver::Finish();
  EXPECT_EQ(G.NumberedFilePath, first);
  EXPECT_EQ(G.DefaultExcitationEnergy, 1253.6);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(SlotData[2](i, 1), 8 - i) << i;
  EXPECT_EQ(Win[2].SpectrumHeader.Name, "O 1s_1");
}

TEST_F(TextFormatsMenuTest, InfFileOpensItsRegionsWithoutAPage) {
  std::vector<std::string> header = {"IDENTIFICATION:", "a", "b", "c", "d",
                                     std::string(31, ' ') + "01.02.2026",
                                     "comment",
                                     std::string(32, ' ') + "Analyser",
                                     "Mag 2" + std::string(27, ' ') + "Input lens",
                                     "Area",
                                     "1486.6" + std::string(26, ' ') + "ESCA",
                                     "1" + std::string(31, ' ') + "Number of acquisition regions",
                                     "1",
                                     "REGION INFORMATION:", "x", "y"};
  for (int j = 1; j <= 38; ++j) {
    std::string item = "item";
    if (j == 3) item = "Qx7";
    if (j == 6) item = "368";
    if (j == 10) item = "0.5";
    if (j == 11) item = "3";
    if (j == 38) item = "20" + std::string(30, ' ') + "Time";
    header.push_back(item);
  }
  std::string text;
  for (const std::string& l : header) text += l + "\r\n";
  const std::string path = Write("ag.INF", text);
  Write("ag.ASC", "1118.6 10\r\n1119.1 20\r\n1119.6 30\r\n");
  plat::script::AnswerFile(path);
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1140);
  plat::driver::Finish();
  ASSERT_TRUE(Win[1].WindowOpen);
  EXPECT_EQ(Win[1].SpectrumHeader.Name, "Qx7");
  EXPECT_EQ(Win[1].ImportFormat, 10);
  EXPECT_NEAR(Win[1].SpectrumHeader.StartEnergy, 1118.6, 1e-9);
  EXPECT_EQ(SlotData[1](3, 1), 30);
}

TEST_F(TextFormatsMenuTest, KeywordListFileTakesTheTypedHeader) {
  std::string text;
  for (int i = 0; i < 5; ++i)
    text += std::to_string(1200 + 2 * i) + " " + std::to_string(10 * (i + 1)) + "\r\n";
  const std::string path = Write("list.txt", text);
  plat::script::AnswerFile(path);
  plat::script::SetText("ed261", -1, "Cu 2p");
  plat::script::SetText("ed264", -1, "1486.6");
  plat::script::SetText("ed265", -1, "1200");
  plat::script::SetText("ed266", -1, "1208");
  plat::script::SetText("ed267", -1, "0");
  plat::script::SetText("ed268", -1, "0");
  plat::script::SetText("ed269", -1, "2");
  plat::script::Click("cmdOk261");
  plat::script::Click("cmd23");
  plat::driver::ChooseMenu(1130);
  plat::driver::Finish();
  ASSERT_TRUE(Win[1].WindowOpen);
  const SpectrumHeaderRecord& h = Win[1].SpectrumHeader;
  EXPECT_EQ(h.Name, "Cu 2p");
  EXPECT_EQ(h.PointCount, 5);
  EXPECT_EQ(h.DwellTime, 1);  // 0 typed: one second, one scan
  EXPECT_EQ(h.ScanCount, 1);
  EXPECT_EQ(Win[1].ImportFormat, 6);
  EXPECT_EQ(SlotData[1](1, 1), 10);
  EXPECT_EQ(SlotData[1](5, 1), 50);
}

}  // namespace
