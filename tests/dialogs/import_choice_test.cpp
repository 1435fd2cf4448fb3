// The spectrum and block choice pages that an import shows before it places
// spectra: what they list and what they leave for the caller.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/store.h"
#include "dialogs/block_choice_page.h"
#include "dialogs/spectrum_choice_page.h"
#include "page_fixture.h"

namespace {

using namespace sorvan;
using pagetest::FindControl;
namespace script = plat::script;

void ReadSpectra(const std::vector<std::string>& names) {
  G.SpectraReadCount = static_cast<Int16>(names.size());
  for (size_t k = 1; k <= names.size(); ++k)
    ImportedHeader[HeaderIndexOfSpectrum(static_cast<int>(k))].Name = names[k - 1];
}

std::vector<int> ChosenBlocks() {
  std::vector<int> chosen;
  for (int i = 0; i < G.ChosenBlockCount; ++i) chosen.push_back(G.ChosenBlocks[i]);
  return chosen;
}

class SpectrumChoicePage : public pagetest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    G.SourceFilePath = "C:\\measurements\\2006\\march\\depth profile Si.vms";
    ReadSpectra({"C 1s", "O 1s", "Si 2p", "N 1s", "Ar 2p", "Fe 2p", "Cu 2p", "Zn 2p", "Au 4f",
                 "Ag 3d", "In 3d", "Sn 3d"});
  }
};

TEST_F(SpectrumChoicePage, ListsTheSpectraAndTheEndOfThePath) {
  script::Run([] {
    const plat::ControlInfo list = FindControl(2, "lib21");
    ASSERT_EQ(list.items.size(), 12u);
    EXPECT_EQ(list.items[0], "C 1s");
    EXPECT_EQ(list.items[11], "Sn 3d");
    // The end of the path that the label holds, with this system's separators.
    const std::string shown = plat::Text(2, "lb21");
    EXPECT_EQ(shown.rfind(".../", 0), 0u) << shown;
    EXPECT_NE(shown.find("/depth profile Si.vms"), std::string::npos) << shown;
    EXPECT_FALSE(plat::TextCut(2, "lb21")) << shown;
    EXPECT_EQ(plat::DialogCaption(2), "M7");
    EXPECT_EQ(G.ChosenBlockCount, 0);
  });
  script::Key(script::KeyCode::Esc);
  G.ChosenBlockCount = 4;
  ShowSpectrumChoicePage();
  EXPECT_EQ(G.DialogResult, 0);  // Cancel: the caller places nothing
  EXPECT_EQ(G.ChosenBlockCount, 0);
  EXPECT_EQ(G.DialogWindow2Busy, 0);
}

struct ChoiceCase {
  const char* what;
  std::vector<std::string> names;
  std::vector<int> selected;  // list items, from 0
  bool all;
  std::vector<int> chosen;    // header indices
};

// The label shows the file's path as the user reads it: whole when it
// fits, else the file name with the folders nearest it behind "...", and a
// file name too long for the label keeps its end. Never cut by the label.
TEST_F(SpectrumChoicePage, PathIsShownWithItsFileNameWithinTheLabel) {
  struct Case {
    const char* what;
    std::string path;
    std::string shown;  // "" when only its end is checked
    std::string ends;
  };
  const Case cases[] = {
      {"short", "\\data\\Si.vms", "/data/Si.vms", "/data/Si.vms"},
      {"deep folders", "C:\\Messungen\\2005\\Katalysator \u00E4\\nach dem Tempern\\Probe_\u00E4\u00F6\u00FC_\u00B5.vms", "",
       "/Probe_\u00E4\u00F6\u00FC_\u00B5.vms"},
      {"long file name", "\\x\\Sputter depth profile of sample B after annealing at 450 C for one hour.vms", "",
       "one hour.vms"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    G.SourceFilePath = c.path;
    script::Run([&] {
      const std::string shown = plat::Text(2, "lb21");
      if (!c.shown.empty()) {
        EXPECT_EQ(shown, c.shown);
      }
      EXPECT_EQ(shown.find('\\'), std::string::npos) << shown;
      ASSERT_GE(shown.size(), c.ends.size()) << shown;
      EXPECT_EQ(shown.substr(shown.size() - c.ends.size()), c.ends);
      if (c.shown.empty()) {
        EXPECT_EQ(shown.rfind("...", 0), 0u) << shown;
      }
      EXPECT_FALSE(plat::TextCut(2, "lb21")) << shown;
    });
    script::Key(script::KeyCode::Esc);
    ShowSpectrumChoicePage();
  }
}

TEST_F(SpectrumChoicePage, ChosenSpectraComeBackByHeaderIndex) {
  const ChoiceCase cases[] = {
      {"11th and 12th of 12", {}, {10, 11}, false, {21, 22}},
      {"nothing selected", {}, {}, false, {}},
      {"all of 12", {}, {}, true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 21, 22}},
      // Spectra of one name are told apart by their place in the list.
      {"one of two twins", {"C 1s", "C 1s", "O 1s"}, {1}, false, {2}},
      {"all with twins", {"C 1s", "C 1s", "O 1s"}, {}, true, {1, 2, 3}},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.names.empty()) ReadSpectra(c.names);
    if (!c.selected.empty()) script::SelectItems("lib21", -1, c.selected);
    script::Click(c.all ? "cmd23" : "cmdOk21");
    ShowSpectrumChoicePage();
    EXPECT_EQ(G.DialogResult, 1);
    EXPECT_EQ(ChosenBlocks(), c.chosen);
  }
}

TEST_F(SpectrumChoicePage, DepthProfileImportListsItsBlockCount) {
  G.ImportMode = "SDP-VAMAS";
  G.SdpBlockCount = 3;
  script::Run([] { EXPECT_EQ(FindControl(2, "lib21").items.size(), 3u); });
  script::Click("cmd23");
  ShowSpectrumChoicePage();
  EXPECT_EQ(G.SpectraReadCount, 3);
  EXPECT_EQ(ChosenBlocks(), (std::vector<int>{1, 2, 3}));
}

TEST_F(SpectrumChoicePage, BusyWindowTwoReturnsAtOnce) {
  G.DialogWindow2Busy = 1;  // the doublet error page holds it
  G.ChosenBlockCount = 2;
  G.DialogResult = 1;
  ShowSpectrumChoicePage();
  EXPECT_EQ(G.ChosenBlockCount, 2);
  EXPECT_EQ(G.DialogResult, 1);
  EXPECT_FALSE(plat::DialogWindowOpen(2));
}

class BlockChoicePage : public pagetest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    G.SourceFilePath = "profile.vms";
    G.BlockCount = 4;
    const char* names[] = {"", "Si 2p", "O 1s", "Si 2p", "C 1s"};
    for (int k = 1; k <= 4; ++k) G.BlockNames[k] = names[k];
  }
  static std::vector<int> Blocks() {
    std::vector<int> b;
    for (int k = 1; k <= 9; ++k) b.push_back(G.ChosenDepthBlocks[k]);
    return b;
  }
};

TEST_F(BlockChoicePage, ChoosesBlocksByName) {
  for (int k = 1; k <= 9; ++k) G.ChosenDepthBlocks[k] = 7;  // an old choice
  script::Run([] {
    EXPECT_EQ(FindControl(31, "lib311").items.size(), 4u);
    EXPECT_EQ(plat::Text(31, "lb311"), "profile.vms");
  });
  script::SelectItems("lib311", -1, {0});  // "Si 2p": blocks 1 and 3
  script::Key(script::KeyCode::Enter);
  ShowBlockChoicePage();
  EXPECT_EQ(G.DialogResult, 1);
  EXPECT_EQ(Blocks(), (std::vector<int>{1, 0, 3, 0, 7, 7, 7, 7, 7}));
}

TEST_F(BlockChoicePage, AllBlocksAndCancel) {
  script::Click("cmd313");
  ShowBlockChoicePage();
  EXPECT_EQ(G.DialogResult, 1);
  EXPECT_EQ(G.ChosenBlockCount, 4);
  EXPECT_EQ(Blocks(), (std::vector<int>{1, 2, 3, 4, 0, 0, 0, 0, 0}));

  script::Key(script::KeyCode::Esc);
  ShowBlockChoicePage();
  EXPECT_EQ(G.DialogResult, 0);
  EXPECT_EQ(G.ChosenBlockCount, 0);
}

TEST_F(BlockChoicePage, MoreBlocksThanTheTablesHoldListOnlyNine) {
  G.BlockCount = 12;
  for (int k = 1; k <= 9; ++k) G.BlockNames[k] = "B" + std::to_string(k);
  script::Run([] { EXPECT_EQ(FindControl(31, "lib311").items.size(), 9u); });
  script::Click("cmd313");
  ShowBlockChoicePage();
  EXPECT_EQ(G.ChosenBlockCount, 9);
  EXPECT_EQ(G.ChosenDepthBlocks[9], 9);
}

}  // namespace
