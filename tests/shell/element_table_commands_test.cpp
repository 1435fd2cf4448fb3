// The element table editor from the menu: each of the four tables opened,
// shown sorted, edited and saved through its page, and read back as it was
// typed; a malformed row refused with message 9 and the file left as it was;
// the grid pages of a long table; Cancel; a file of the wrong kind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/element_table_files.h"
#include "core/model.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "core/menu_commands.h"
#include "shell_fixture.h"
#include "support/full_disk.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

constexpr int kPage = 4;

// The texts of the page's grid boxes in index order.
std::vector<std::string> Boxes() {
  std::vector<std::string> texts;
  for (const plat::ControlInfo& c : plat::Controls(kPage))
    if (c.name == "ed41") texts.push_back(c.text);
  return texts;
}

std::vector<int> BoxIndices() {
  std::vector<int> indices;
  for (const plat::ControlInfo& c : plat::Controls(kPage))
    if (c.name == "ed41") indices.push_back(c.index);
  return indices;
}

std::vector<std::string> Filled(std::vector<std::string> texts) {
  std::vector<std::string> filled;
  for (std::string& t : texts)
    if (!t.empty()) filled.push_back(t);
  return filled;
}

class ElementTableCommands : public shelltest::ShellTest {
 protected:
  // Writes a file below the program folder and returns its program path.
  std::string Table(const std::string& relative, const std::string& bytes) {
    folder_->Write(relative, bytes);
    std::string path = G.ProgramFolder + "\\" + relative;
    for (char& c : path)
      if (c == '/') c = '\\';
    return path;
  }
};

struct EditCase {
  int command;
  const char* file;
  const char* contents;
  std::vector<std::string> shown;     // the entries as the page first shows them
  std::vector<std::pair<int, std::string>> edits;  // box index, typed text
  const char* written;                // the file after OK
  std::vector<std::string> reread;    // the entries the page shows next time
};

TEST_F(ElementTableCommands, EachTableEditedSavedAndReadBack) {
  const EditCase cases[] = {
      {CmdEditLinePositions, "lines/mine.pos", " 530.0 O 1s\r\n84.0 Au 4f7/2\r\n284.6 C 1s\r\n",
       {"84.0 Au 4f7/2", "284.6 C 1s", " 530.0 O 1s"},
       {{2, "285,1 C 1s *"}, {4, "1,5 XY"}},
       " 84.0  Au 4f7/2\r\n 285.1  C 1s *\r\n 530.0  O 1s\r\n 1.5  XY\r\n",
       {" 1.5  XY", " 84.0  Au 4f7/2", " 285.1  C 1s *", " 530.0  O 1s"}},
      {CmdEditAugerParameters, "auger parameters/mine.aup", " 726.0=368.2+357.8  Ag metal\r\n 724.0=367.4+356.6  AgO\r\n",
       {" 724.0=367.4+356.6  AgO", " 726.0=368.2+357.8  Ag metal"},
       {{3, "1=2+3"}},
       " 724.0=367.4+356.6  AgO\r\n 726.0=368.2+357.8  Ag metal\r\n 1=2+3  \r\n",
       {" 1=2+3  ", " 724.0=367.4+356.6  AgO", " 726.0=368.2+357.8  Ag metal"}},
      {CmdEditSensitivityFactors, "sensitifity factors/mine.sen", "Sensitivity Factors\r\nO1s,2.93\r\nC1s,1\r\n",
       {"C1s=1", "O1s=2.93"},
       {{1, ""}, {3, "Ag3d=5,6"}},
       "Sensitivity Factors\r\nO1s,2.93\r\nAg3d,5.6\r\n",
       {"Ag3d=5.6", "O1s=2.93"}},
      {CmdEditDoublets, "settings/mine.dda", "Dublett Werte\r\nSi2p,0.5,0.60\r\nAl2p,0.5,0.50\r\n",
       {"Al2p=0.5/0.50", "Si2p=0.5/0.60"},
       {{3, "Au4f=0,75/3,67"}},
       "Dublett Werte\r\nAl2p,0.5,0.50\r\nSi2p,0.5,0.60\r\nAu4f,0.75,3.67\r\n",
       {"Al2p=0.5/0.50", "Au4f=0.75/3.67", "Si2p=0.5/0.60"}},
      // Names in any script, in a folder named so: an older Windows-1252
      // line reads as it was meant and is written so again, the others as
      // UTF-8.
      {CmdEditLinePositions, "lines/\u03B1-Fe2O3 \u77F3\u82F1/mine.pos",
       " 710.8 Fe 2p \u03B1-Fe2O3\r\n 99.3 Si 2p \u041A\u0432\u0430\u0440\u0446\r\n 530.0 O 1s Stra\xDF" "e\r\n",
       {" 99.3 Si 2p \u041A\u0432\u0430\u0440\u0446", " 530.0 O 1s Stra\u00DF" "e", " 710.8 Fe 2p \u03B1-Fe2O3"},
       {{4, "103,4 Si 2p \u77F3\u82F1"}},
       " 99.3  Si 2p \u041A\u0432\u0430\u0440\u0446\r\n 530.0  O 1s Stra\xDF" "e\r\n 710.8  Fe 2p \u03B1-Fe2O3\r\n"
       " 103.4  Si 2p \u77F3\u82F1\r\n",
       {" 99.3  Si 2p \u041A\u0432\u0430\u0440\u0446", " 103.4  Si 2p \u77F3\u82F1", " 530.0  O 1s Stra\u00DF" "e",
        " 710.8  Fe 2p \u03B1-Fe2O3"}},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = Table(c.file, c.contents);
    script::AnswerFile(path);
    std::vector<std::string> shown;
    script::Run([&shown] { shown = Boxes(); }, "the boxes");
    for (const auto& [index, text] : c.edits) script::SetText("ed41", index, text);
    script::Click("cmdOk41");
    plat::driver::ChooseMenu(c.command);
    plat::driver::Finish();
    EXPECT_EQ(Filled(shown), c.shown);
    EXPECT_EQ(folder_->Read(c.file), c.written);
    EXPECT_FALSE(plat::DialogWindowOpen(kPage));
    EXPECT_EQ(G.ElementTablePageBusy, 0);

    script::AnswerFile(path);
    std::vector<std::string> reread;
    script::Run([&reread] { reread = Boxes(); }, "the boxes again");
    script::Click("cmdCancel42");
    plat::driver::ChooseMenu(c.command);
    plat::driver::Finish();
    EXPECT_EQ(Filled(reread), c.reread);
    // Cancel wrote nothing.
    EXPECT_EQ(folder_->Read(c.file), c.written);
  }
}

TEST_F(ElementTableCommands, MalformedRowGivesMessage9AndKeepsTheFile) {
  const std::string before = "Sensitivity Factors\r\nC1s,1\r\n";
  const std::string path = Table("sensitifity factors/mine.sen", before);
  script::AnswerFile(path);
  script::SetText("ed41", 1, "C1s=1,5");
  script::SetText("ed41", 2, "Ag3d 5.6");  // no "=": the factor would be lost
  script::Click("cmdOk41");
  script::AnswerMessage(1, G.LabelTexts[94]);
  script::Run([this, before] {
    EXPECT_TRUE(plat::DialogWindowOpen(kPage));
    EXPECT_EQ(folder_->Read("sensitifity factors/mine.sen"), before);
  }, "page open, file unchanged");
  script::SetText("ed41", 2, "Ag3d=5.6");
  script::Click("cmdOk41");
  plat::driver::ChooseMenu(CmdEditSensitivityFactors);
  plat::driver::Finish();
  EXPECT_EQ(G.CommandId, 9);
  EXPECT_EQ(folder_->Read("sensitifity factors/mine.sen"), "Sensitivity Factors\r\nC1s,1.5\r\nAg3d,5.6\r\n");
}

TEST_F(ElementTableCommands, MalformedRowOnAnotherGridPageIsShown) {
  std::string contents = "Sensitivity Factors\r\n";
  for (int k = 1; k <= 250; ++k) contents += "L" + std::to_string(1000 + k) + ",1\r\n";
  Table("sensitifity factors/long.sen", contents);
  script::AnswerFile(G.ProgramFolder + "\\sensitifity factors\\long.sen");
  script::SetText("ed41", 5, "broken");
  script::Click("cmdOk43");  // to grid page 1
  script::Click("cmdOk41");
  script::AnswerMessage(1, G.LabelTexts[94]);
  std::vector<int> shown;
  script::Run([&shown] { shown = BoxIndices(); }, "the grid page shown");
  script::Click("cmdCancel42");
  plat::driver::ChooseMenu(CmdEditSensitivityFactors);
  plat::driver::Finish();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), 1);  // back on grid page 0, where entry 5 is
  EXPECT_EQ(folder_->Read("sensitifity factors/long.sen"), contents);
  EXPECT_EQ(G.TableEditorPage, 0);
}

TEST_F(ElementTableCommands, LongLineTablePagesThroughItsGrid) {
  std::string contents;
  for (int k = 1; k <= 130; ++k) contents += " " + std::to_string(k) + ".0  L" + std::to_string(k) + "\r\n";
  Table("lines/long.pos", contents);
  script::AnswerFile(G.ProgramFolder + "\\lines\\long.pos");
  std::vector<std::vector<int>> pages;
  std::vector<int> rows;
  for (int turn = 0; turn < 4; ++turn) {
    script::Run([&pages, &rows] {
      pages.push_back(BoxIndices());
      rows.push_back(G.TableEditorRows);
    }, "grid page");
    script::Click("cmdOk43");
  }
  script::Key(script::KeyCode::Esc);
  plat::driver::ChooseMenu(CmdEditLinePositions);
  plat::driver::Finish();
  ASSERT_EQ(pages.size(), 4u);
  EXPECT_EQ(G.TableEntryCount, 135);
  EXPECT_EQ(rows, (std::vector<int>{20, 20, 5, 20}));
  auto range = [](int first, int last) {
    std::vector<int> v;
    for (int k = first; k <= last; ++k) v.push_back(k);
    return v;
  };
  EXPECT_EQ(pages[0], range(1, 60));
  EXPECT_EQ(pages[1], range(61, 120));
  EXPECT_EQ(pages[2], range(121, 135));
  EXPECT_EQ(pages[3], range(1, 60));
  EXPECT_EQ(G.TableEditorPage, 0);
  EXPECT_EQ(G.ElementTablePageBusy, 0);
}

TEST_F(ElementTableCommands, KineticListSortsDescendingAndWrongHeaderIsRefused) {
  const std::string path = Table("lines/kinetic (KE).pos", "84.0 A\r\n530.0 B\r\n284.6 C\r\n");
  script::AnswerFile(path);
  std::vector<std::string> shown;
  script::Run([&shown] { shown = Filled(Boxes()); }, "the boxes");
  script::Click("cmdCancel42");
  plat::driver::ChooseMenu(CmdEditLinePositions);
  plat::driver::Finish();
  EXPECT_EQ(shown, (std::vector<std::string>{"530.0 B", "284.6 C", "84.0 A"}));

  const std::string wrong = Table("settings/wrong.dda", "Sensitivity Factors\r\nC1s,1\r\n");
  script::AnswerFile(wrong);
  script::AnswerMessage(1);
  plat::driver::ChooseMenu(CmdEditDoublets);
  plat::driver::Finish();
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_FALSE(plat::DialogWindowOpen(kPage));
  EXPECT_EQ(G.ElementTablePageBusy, 0);

  // No file chosen: no page.
  script::CancelFile();
  plat::driver::ChooseMenu(CmdEditSensitivityFactors);
  plat::driver::Finish();
  EXPECT_FALSE(plat::DialogWindowOpen(kPage));
}

// Typed with decimal commas (several in one number part), a table is written
// once with points; saved again as read, it keeps its bytes (the typed rows
// sort after the others, so that the sorting of the page changes nothing).
TEST_F(ElementTableCommands, TableSavedAgainAsReadKeepsItsBytes) {
  struct Case {
    int command;
    const char* file;
    const char* contents;
    const char* typed;
    const char* written;
  };
  const Case cases[] = {
      {CmdEditAugerParameters, "auger parameters/mine.aup", " 726.0=368.2+357.8  Ag metal\r\n",
       "1851,2=932,6+918,6  Cu metal, film",
       " 726.0=368.2+357.8  Ag metal\r\n 1851.2=932.6+918.6  Cu metal, film\r\n"},
      {CmdEditLinePositions, "lines/mine.pos", " 84.0  Au 4f7/2\r\n", "91,2,3 XY, z",
       " 84.0  Au 4f7/2\r\n 91.2.3  XY, z\r\n"},
      {CmdEditSensitivityFactors, "sensitifity factors/mine.sen", "Sensitivity Factors\r\nC1s,1\r\n",
       "Zn2p=5,6,7,8,9", "Sensitivity Factors\r\nC1s,1\r\nZn2p,5.6.7.8.9\r\n"},
      {CmdEditDoublets, "settings/mine.dda", "Dublett Werte\r\nAl2p,0.5,0.50\r\n", "Au4f=0,7,5/3,6,7",
       "Dublett Werte\r\nAl2p,0.5,0.50\r\nAu4f,0.7.5,3.6.7\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = Table(c.file, c.contents);
    script::AnswerFile(path);
    script::SetText("ed41", 2, c.typed);
    script::Click("cmdOk41");
    plat::driver::ChooseMenu(c.command);
    plat::driver::Finish();
    EXPECT_EQ(folder_->Read(c.file), c.written);
    for (int save = 2; save <= 3; ++save) {
      SCOPED_TRACE(save);
      script::AnswerFile(path);
      script::Click("cmdOk41");
      plat::driver::ChooseMenu(c.command);
      plat::driver::Finish();
      EXPECT_EQ(folder_->Read(c.file), c.written);
    }
  }
}

// The disk fills up while the table is written: message 2 names the file,
// the old table stays as it was and the page stays open with what was typed.
TEST_F(ElementTableCommands, FullDiskKeepsTheOldTable) {
  const std::string before = " 84.0  Au 4f7/2\r\n";
  const std::string path = Table("lines/mine.pos", before);
  script::AnswerFile(path);
  script::SetText("ed41", 2, std::string(2000, '1') + " long");
  script::Click("cmdOk41");
  script::AnswerMessage(1, G.CaptionTexts[11]);
  script::Run([] { EXPECT_TRUE(plat::DialogWindowOpen(kPage)); }, "page still open");
  script::Click("cmdCancel42");
  {
    testsupport::FullDisk full(1000);
    plat::driver::ChooseMenu(CmdEditLinePositions);
  }
  plat::driver::Finish();
  EXPECT_EQ(folder_->Read("lines/mine.pos"), before);
  ASSERT_EQ(plat::MessagesShown().size(), 1u);
  EXPECT_NE(plat::MessagesShown()[0].text.find(plat::ShownPath(path)), std::string::npos);
}

// A position or Auger parameter typed with an exponent ("1e1", "2.846E2")
// is written whole, and the table sorts by the number as it is written (a
// decimal comma as a point): the next save reads it and writes the same
// bytes again.
TEST_F(ElementTableCommands, NumbersAreWrittenWholeAndSortedAsWritten) {
  const struct {
    int command;
    const char* file;
    const char* contents;
    const char* written;
  } cases[] = {
      {CmdEditAugerParameters, "auger parameters/mine.aup", "1040.5=284.6+755.9 C graphite\r\n1e1=1e1+0 far\r\n",
       " 1e1=1e1+0  far\r\n 1040.5=284.6+755.9  C graphite\r\n"},
      {CmdEditLinePositions, "lines/mine.pos", "2.846E2 C 1s\r\n 84.0  Au 4f7/2\r\n 1.5e XY\r\n",
       " 1.5  e XY\r\n 84.0  Au 4f7/2\r\n 2.846E2  C 1s\r\n"},
      {CmdEditAugerParameters, "auger parameters/comma.aup", ",068=300+768\r\n!088=300+788\r\n",
       " !088=300+788  \r\n .068=300+768  \r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = Table(c.file, c.contents);
    for (int save = 1; save <= 2; ++save) {
      SCOPED_TRACE(save);
      script::AnswerFile(path);
      script::Click("cmdOk41");
      plat::driver::ChooseMenu(c.command);
      plat::driver::Finish();
      EXPECT_EQ(folder_->Read(c.file), c.written);
    }
  }
}

}  // namespace
