// The fit and error tables of chosen windows with the columns page, the
// table of all open spectra and the error matrix: the lines as they are
// laid out, and each command from the menu and the toolbar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/fit_table_columns_page.h"
#include "fit/fit_format.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "report/fit_tables.h"
#include "report_fixture.h"
#include "shell/toolbar.h"

namespace {

using namespace sorvan;
using namespace reporttest;
namespace script = plat::script;

// The lines of a file written by the program (CRLF line ends).
std::vector<std::string> FileLines(const std::string& programPath) {
  const std::string bytes = plat::ReadWholeFile(programPath);
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", at);
    EXPECT_NE(end, std::string::npos) << "every line ends with CRLF";
    if (end == std::string::npos) break;
    lines.push_back(bytes.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

std::vector<std::string> Split(const std::string& line, char sep) {
  std::vector<std::string> fields;
  std::size_t at = 0;
  for (;;) {
    const std::size_t end = line.find(sep, at);
    fields.push_back(line.substr(at, end - at));
    if (end == std::string::npos) return fields;
    at = end + 1;
  }
}

// Window w with a fit of `peaks` peaks of the given type: height 50 p,
// shape 0.3, position 284.5 + p, width 1.5, asymmetry 0; the partner entries
// 0.5, 0.25, 5.5, 1 and 0.
void GiveTable(int w, int peaks, bool doublet) {
  GiveFit(w, peaks);
  WindowRecord& win = Win[w];
  win.PeakType = G.MessageTexts[doublet ? 52 : 47];
  for (int p = 1; p <= peaks; ++p) {
    const double values[11] = {0, 50.0 * p, 0.5, 0.3, 0.25, 284.5 + p, 5.5, 1.5, 1, 0, 0};
    for (int j = 1; j <= 10; ++j) win.ParameterValue[p][j] = values[j];
  }
}

void SetFlags(const std::vector<int>& groups) {
  for (int k = 1; k <= 6; ++k) G.FitTableColumns[k] = 0;
  for (int k : groups) G.FitTableColumns[k] = 1;
}

// Makes the toolbar action of `command` the toolbar's only button, and
// returns the action.
int OnlyToolbarButtonFor(int command) {
  int action = 0;
  for (int a = 1; a <= kToolbarActionCount; ++a)
    if (ToolbarActionAt(a).command == command) action = a;
  for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = a == action ? 1 : 0;
  BuildToolbar();
  return action;
}

// A file of one line "old content", which a refused export must leave.
class OldFileTest : public ReportTest {
 protected:
  void MakeOldFile(const std::string& name) {
    path_ = TempProgram(name);
    plat::ReplaceFileWithLines(path_, {"old content"});
  }
  std::string path_;
};

class FitTables : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    MakeSpectrumWindow(2, 5, 1200.0, 100.0, "Si2p");
    G.ColumnSeparator = ";";
    G.DecimalComma = 0;
    SetFlags({});
  }
};

TEST_F(FitTables, LineFieldsFollowGroupsPeakTypeBackgroundAndDecimalSign) {
  struct Case {
    const char* what;
    bool doublet, errors, comma;
    std::vector<int> groups;
    int backgroundState;
    std::string shortName;
    std::string line;
  };
  const Case cases[] = {
      {"no group chosen: the name alone", false, false, false, {}, 4, "Si2p", "Si2p"},
      {"singlet: one field per group and peak", false, false, false, {1, 3}, 0, "Si2p",
       "Si2p; 50; 285.5; 100; 286.5"},
      {"doublet: the partner follows each main entry", true, false, false, {1, 3}, 0, "Si2p",
       "Si2p; 50; 0.5; 285.5; 5.5; 100; 0.5; 286.5; 5.5"},
      {"background terms only when fitted with the peaks", false, false, false, {6}, 2, "Si2p", "Si2p"},
      {"background terms rounded to 6 decimals", false, false, false, {6}, 4, "Si2p",
       "Si2p; 1.234568;-2; 0; 0; 0; 0.5"},
      {"errors: an empty cell and an empty background term", false, true, false, {1, 3, 6}, 4, "Si2p",
       "Si2p; 0.25; ----; 0.5; ----;------; 0.125; 0; 0; 0; 0"},
      {"decimal comma in numbers, never in the name", false, false, true, {3}, 0, "A.1",
       "A.1; 285,5; 286,5"},
      {"no short name: the window number", false, false, false, {}, 0, "", "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GiveTable(2, 2, c.doublet);
    WindowRecord& win = Win[2];
    win.SpectrumHeader.ShortName = c.shortName;
    win.BackgroundState = static_cast<Byte>(c.backgroundState);
    win.BackgroundTermValue[1] = 1.2345678;
    win.BackgroundTermValue[2] = -2.0000004;
    win.BackgroundTermValue[6] = 0.5;
    for (int p = 1; p <= 2; ++p)
      for (int j = 1; j <= 10; ++j) win.ParamErrorTable[p][j] = j == 5 ? kEmptyResultCell : 0.25 * p;
    win.BackgroundTermError[1] = kEmptyResultCell;
    win.BackgroundTermError[2] = 0.125;
    G.DecimalComma = c.comma ? 1 : 0;
    SetFlags(c.groups);
    EXPECT_EQ(FitTableLine(2, c.errors), c.line);
  }
}

TEST_F(FitTables, FitTableFromTheMenuThroughWindowChoiceAndColumnsPage) {
  GiveTable(1, 1, false);
  GiveTable(2, 2, true);
  G.CurrentWindow = 2;
  UpdateMenuState(2);
  const std::string path = TempProgram("fits.DAT");
  script::Click("cmd203");  // every listed window
  script::Click("cmdOk201");
  // After start-up every box is empty; shape and width follow the default
  // line shape (Gauss-Lorentz here).
  script::Expect([] {
    for (int k = 1; k <= 6; ++k)
      if (plat::Value(29, "chk29" + std::to_string(k)) != 0) return false;
    return true;
  }, "all boxes empty");
  script::Expect([] { return plat::Text(29, "chk292") == G.MessageTexts[38]; }, "Gauss-Lorentz shape");
  script::Expect([] { return plat::Text(29, "chk294") == G.MessageTexts[40]; }, "Gauss-Lorentz width");
  script::SetValue("chk291", -1, 1);
  script::SetValue("chk293", -1, 1);
  script::Click("cmdOk291");
  script::AnswerFile(path);
  plat::driver::ChooseMenu(31119);
  EXPECT_EQ(G.FitTableColumns[1], 1);
  EXPECT_EQ(G.FitTableColumns[2], 0);
  const std::vector<std::string> expected = {"C1s; 50; 285.5",
                                             "Si2p; 50; 0.5; 285.5; 5.5; 100; 0.5; 286.5; 5.5"};
  EXPECT_EQ(FileLines(path), expected);
}

TEST_F(FitTables, ErrorTableFromTheToolbarAndCancelOnTheColumnsPage) {
  GiveTable(2, 1, false);
  Win[2].ErrorTableValid = 1;
  Win[2].ParamErrorTable[1][7] = 0.0625;
  G.CurrentWindow = 2;
  G.DefaultPeakModel = 1;
  SetFlags({4});
  const int action = OnlyToolbarButtonFor(31120);
  ASSERT_GT(action, 0);
  UpdateMenuState(2);
  const std::string path = TempProgram("errors.DAT");
  // Cancel on the columns page: no file dialog, the flags kept.
  script::Expect([] { return plat::ControlExists(20, "chk201", 1) && !plat::ControlExists(20, "chk201", 2); },
                 "only the window with an error table");
  script::SetValue("chk201", 1, 1);
  script::Click("cmdOk201");
  script::Expect([] { return plat::Text(29, "chk292") == G.MessageTexts[42]; }, "Doniach-Sunjic shape");
  script::Expect([] { return plat::Text(29, "chk294") == G.MessageTexts[43]; }, "Doniach-Sunjic width");
  script::SetValue("chk291", -1, 1);
  script::Click("cmdCancel292");
  plat::driver::ClickToolbar(G.ToolbarButtonOfAction[action]);
  EXPECT_FALSE(plat::FileExists(path));
  EXPECT_EQ(G.FitTableColumns[1], 0);
  EXPECT_EQ(G.FitTableColumns[4], 1);
  // Again with OK.
  script::SetValue("chk201", 1, 1);
  script::Click("cmdOk201");
  script::Click("cmdOk291");
  script::AnswerFile(path);
  plat::driver::ClickToolbar(G.ToolbarButtonOfAction[action]);
  EXPECT_EQ(FileLines(path), std::vector<std::string>{"Si2p; 0.0625"});
}

TEST_F(FitTables, AFailedWriteSaysSoAndKeepsTheOldFile) {
  GiveTable(2, 1, false);
  G.ChosenWindowCount = 1;
  G.ChosenWindows[1] = 2;
  const std::string folder = TempProgram("taken.DAT");
  plat::CreateFolder(folder);
  script::AnswerFile(folder);
  script::AnswerMessage(1);
  ExportFitTable();
  EXPECT_EQ(G.CommandId, 2);
  EXPECT_TRUE(plat::FolderExists(folder));
}

// ---- All open spectra ----

class AllSpectra : public OldFileTest {
 protected:
  void SetUp() override {
    OldFileTest::SetUp();
    // Three windows of 11 points from 1200 eV kinetic, 0.5 eV apart.
    MakeSpectrumWindow(2, 11, 1200.0, 200.0, "O1s");
    MakeSpectrumWindow(3, 11, 1200.0, 300.0, "N1s");
    Win[1].XAxisTitle = "Kinetic energy / eV";
    Win[3].RegionStart = 2;
    Win[3].RegionEnd = 4;
    G.CurrentWindow = 1;
    G.ColumnSeparator = ";";
    G.DecimalComma = 0;
    G.EnergyAxisMode = 1;
    G.GlobalEnergyOffset = 34.5678;
    UpdateMenuState(1);
    MakeOldFile("all.dat");
  }
};

TEST_F(AllSpectra, HeaderNamesEveryWindowAndRowsCoverTheLastRegion) {
  G.CursorStart = 3;
  G.CursorEnd = 7;
  script::AnswerFile(path_);
  plat::driver::ChooseMenu(3118);
  // Energies rounded to 3 decimals (1234.5678 + 0.5 gives 1235.068).
  const std::vector<std::string> expected = {"Kineti;C1s;O1s;N1s", " 1235.068; 102; 202; 302",
                                             " 1235.568; 103; 203; 303", " 1236.068; 104; 204; 304"};
  EXPECT_EQ(FileLines(path_), expected);
  EXPECT_EQ(G.CursorStart, 3) << "the cursor pair is kept";
  EXPECT_EQ(G.CursorEnd, 7);
  // Binding energies and the decimal comma.
  G.EnergyAxisMode = 0;
  G.GlobalEnergyOffset = 0;
  G.DecimalComma = 1;
  Win[1].SpectrumHeader.ShortName = "C.1";
  script::AnswerFile(path_);
  plat::driver::ChooseMenu(3118);
  const std::vector<std::string> lines = FileLines(path_);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Kineti;C.1;O1s;N1s");
  EXPECT_EQ(lines[1], " 286,1; 102; 202; 302");
  // A window without a short name is named by its number, as in the fit table.
  Win[2].SpectrumHeader.ShortName = "";
  script::AnswerFile(path_);
  plat::driver::ChooseMenu(3118);
  EXPECT_EQ(FileLines(path_).at(0), "Kineti;C.1;2;N1s");
}

TEST_F(AllSpectra, WindowsOnAnotherGridAreRefusedBeforeTheFileIsTouched) {
  struct Case {
    const char* what;
    int points;
    double start, shift;
    int message;
  };
  const Case cases[] = {
      {"another point count", 9, 1200.0, 0, 7},
      {"another start energy", 11, 1201.0, 0, 7},
      {"another energy shift", 11, 1200.0, 0.25, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Win[2].SpectrumHeader.PointCount = static_cast<Int16>(c.points);
    Win[2].SpectrumHeader.StartEnergy = c.start;
    Win[2].EnergyShift = c.shift;
    script::AnswerFile(path_);
    script::AnswerMessage(1);
    plat::driver::ChooseMenu(3118);
    EXPECT_EQ(G.CommandId, c.message);
    EXPECT_EQ(FileLines(path_), std::vector<std::string>{"old content"});
  }
}

TEST_F(AllSpectra, TooLittleFreeSpaceOrCancelLeavesTheFile) {
  plat::SetFreeDiskSpaceOverride(300.0 * 11 - 1);
  script::AnswerFile(path_);
  script::AnswerMessage(1);
  plat::driver::ChooseMenu(3118);
  EXPECT_EQ(G.CommandId, 2);
  EXPECT_EQ(FileLines(path_), std::vector<std::string>{"old content"});
  plat::SetFreeDiskSpaceOverride(300.0 * 11);
  script::CancelFile();
  plat::driver::ChooseMenu(3118);
  EXPECT_EQ(FileLines(path_), std::vector<std::string>{"old content"});
  EXPECT_EQ(plat::MessagesShown().size(), 1u);
}

// ---- The error matrix ----

class ErrorMatrix : public OldFileTest {
 protected:
  void SetUp() override {
    OldFileTest::SetUp();
    GiveTable(1, 2, false);
    WindowRecord& win = Win[1];
    win.HessianValid = 1;
    win.HessianMatrix.Resize(26, 26);
    for (int r = 1; r <= 26; ++r)
      for (int c = 1; c <= 26; ++c) win.HessianMatrix(r, c) = r + c / 100.0;
    G.ColumnSeparator = ";";
    G.DecimalComma = 0;
    UpdateMenuState(1);
    MakeOldFile("matrix.dat");
  }
};

TEST_F(ErrorMatrix, IndicesFollowPeakTypeAndFittedBackground) {
  struct Case {
    const char* what;
    bool doublet;
    int backgroundState;
    std::vector<int> indices;
  };
  const Case cases[] = {
      {"singlets leave out the partner entries", false, 0, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19}},
      {"the fitted background adds its six terms", false, 4,
       {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 22, 23, 24, 25, 26}},
      {"doublets take every entry", true, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Win[1].PeakType = G.MessageTexts[c.doublet ? 52 : 47];
    Win[1].BackgroundState = static_cast<Byte>(c.backgroundState);
    EXPECT_EQ(ErrorMatrixIndices(1), c.indices);
  }
}

TEST_F(ErrorMatrix, MenuWritesOneLinePerIndexWithTheDecimalComma) {
  Win[1].BackgroundState = 4;
  G.DecimalComma = 1;
  script::AnswerFile(path_);
  plat::driver::ChooseMenu(3121);
  const std::vector<std::string> lines = FileLines(path_);
  ASSERT_EQ(lines.size(), 16u);
  for (const std::string& line : lines) EXPECT_EQ(Split(line, ';').size(), 16u);
  const std::vector<std::string> third = Split(lines[1], ';');
  EXPECT_EQ(third[0], " 3,01");
  EXPECT_EQ(third[1], " 3,03");
  EXPECT_EQ(third[15], " 3,26");
  EXPECT_EQ(Split(lines[15], ';')[10], " 26,21");
}

TEST_F(ErrorMatrix, AMatrixThatDoesNotHoldTheIndicesIsRefusedBeforeTheFileIsTouched) {
  struct Case {
    const char* what;
    int peaks, backgroundState, size;
  };
  const Case cases[] = {
      {"the background fitted after the run", 2, 4, 20},
      {"more peaks than the run had", 3, 0, 26},
      {"no matrix at all", 2, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GiveTable(1, c.peaks, false);
    Win[1].BackgroundState = static_cast<Byte>(c.backgroundState);
    Win[1].HessianMatrix.Resize(c.size, c.size);
    script::AnswerFile(path_);
    script::AnswerMessage(1);
    int w = 1;
    ExportErrorMatrix(w);
    EXPECT_EQ(G.CommandId, 9);
    EXPECT_EQ(FileLines(path_), std::vector<std::string>{"old content"});
  }
}

TEST_F(ErrorMatrix, ToolbarActionAndItsRefusals) {
  const int action = OnlyToolbarButtonFor(3121);
  ASSERT_GT(action, 0);
  UpdateMenuState(1);
  // Cancel in the dialog; then too little room for 10 x 10 numbers.
  script::CancelFile();
  plat::driver::ClickToolbar(G.ToolbarButtonOfAction[action]);
  plat::SetFreeDiskSpaceOverride(100);
  script::AnswerFile(path_);
  script::AnswerMessage(1);
  plat::driver::ClickToolbar(G.ToolbarButtonOfAction[action]);
  EXPECT_EQ(G.CommandId, 2);
  EXPECT_EQ(FileLines(path_), std::vector<std::string>{"old content"});
  plat::SetFreeDiskSpaceOverride(-1);
  script::AnswerFile(path_);
  plat::driver::ClickToolbar(G.ToolbarButtonOfAction[action]);
  EXPECT_EQ(FileLines(path_).size(), 10u);
}

}  // namespace
