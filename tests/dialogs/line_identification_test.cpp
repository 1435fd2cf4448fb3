// The line identification page: the list options over a small line table,
// clicks into the spectrum selecting lines while the page waits, and OK
// turning the selected line into a label just above the spectrum.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "dialogs/line_identification_page.h"
#include "dialogs/page.h"
#include "display/display_fixture.h"
#include "display/line_positions.h"
#include "display/mouse.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "page_fixture.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/labels.h"
#include "platform/mouse.h"
#include "platform/text.h"
#include "platform/surfaces.h"
#include "shell/menu_information.h"
#include "support/test_support.h"

namespace sorvan {
namespace {

namespace script = plat::script;

constexpr int kW = 6;
constexpr int kPage = 23;
constexpr int kPoints = 501;
constexpr double kStep = 0.02;
constexpr double kHv = 1486.6;

// Sorted on the binding scale: 99.3 Si 2p*, 150.5 Si 2s, 164.0 S 2p,
// 284.6 C 1s*, 932.7 Cu 2p, 1224 C KVV( (a kinetic 263 eV line).
const char* const kLineTable =
    " 284.6 C 1s*\r\n 99.3  Si 2p*\r\n 150.5 Si 2s\r\n 164.0 S 2p\r\n 932.7 Cu 2p\r\n 263.0 C KVV(\r\n";

class LinePage : public pagetest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    displaytest::SetPlotStyles();
    G.ScreenWidth = 1024;
    G.WorkAreaHeight = 700;
    folder_ = testsupport::MakeTempFolder("lines");
    testsupport::WriteFile(folder_ + "/lines/linienlage.pos", kLineTable);
    testsupport::WriteFile(folder_ + "/lines/Cu 2p.pos", " 932.7 Cu metal\r\n 933.8 CuO\r\n");
    G.LinesFolder = plat::ProgramPath(folder_ + "/lines");
    G.LineFilterAll = 1;
    // A ramp of 0 to 2000 counts from 290 eV down to 280 eV binding energy.
    std::vector<double> v(kPoints);
    for (int i = 0; i < kPoints; ++i) v[i] = 4.0 * i;
    displaytest::PlaceSpectrum(kW, v, kHv - 290, kStep, kHv);
    Win[kW].WindowOpen = false;
    OpenSpectrumWindow(kW, "C 1s");
    RedrawWindow(kW);
    G.CurrentWindow = kW;
  }
  void TearDown() override {
    plat::SetDrawingMainWindow();
    PageTest::TearDown();
  }

  static std::vector<std::string> Listed() {
    std::vector<std::string> items;
    const int n = plat::ListCount(kPage, "lib231");
    for (int i = 0; i < n; ++i) items.push_back(plat::Trim(plat::ListItem(kPage, "lib231", plat::kNoIndex, i)));
    return items;
  }
  static std::vector<int> Selected() {
    std::vector<int> items;
    const int n = plat::ListCount(kPage, "lib231");
    for (int i = 0; i < n; ++i)
      if (plat::ItemSelected(kPage, "lib231", plat::kNoIndex, i)) items.push_back(i);
    return items;
  }
  static void ExpectListed(const std::vector<std::string>& expected) {
    script::Run([expected] { EXPECT_EQ(Listed(), expected); }, "the listed lines");
  }

  std::string folder_;
};

TEST(LineLabelText, StartsAtTheFirstLetterOrAnInnerDash) {
  struct Case {
    const char* entry;
    const char* label;
  };
  const Case cases[] = {
      {"284.6 C 1s", "C 1s"},  {"99.3  Si 2p*  ", "Si 2p*"}, {"12.0 -Auger", "-Auger"},
      {"-3.5 Ne 2s", "Ne 2s"}, {"123.4", ""},                {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LineLabelText(c.entry), c.label) << c.entry;
}

TEST(ConvertLinePositions, BringsTheListToTheCurrentScaleAndSortsIt) {
  struct Case {
    const char* what;
    Byte scale;
    Byte ownFile;
    const char* fileName;
    std::vector<std::string> entries, expected;
  };
  const std::vector<Case> cases = {
      {"binding scale: kinetic lines converted in whole eV, rising order", 0, 0, "",
       {" 284.6 C 1s", " 263.0 C KVV(", " 99.3 Si 2p"},
       {" 99.3 Si 2p", " 284.6 C 1s", " 1224 C KVV("}},
      {"kinetic scale: binding lines converted, falling order", 1, 0, "",
       {" 284.6 C 1s", " 263.0 C KVV("},
       {" 1202 C 1s", " 263.0 C KVV("}},
      {"own file of kinetic energies on the binding scale: exact values", 0, 1, "Cu(",
       {" 918.6 Cu LMM"},
       {" 568 Cu LMM"}},
      {"own file of binding energies on the binding scale: unchanged, sorted", 0, 1, "Cu",
       {" 933.8 CuO", " 932.7 Cu"},
       {" 932.7 Cu", " 933.8 CuO"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InitialiseModel();
    G.CurrentWindow = 3;
    Win[3].SpectrumHeader.ExcitationEnergy = kHv;
    G.EnergyAxisMode = c.scale;
    G.LineFilterOwnFile = c.ownFile;
    G.LineFileName = c.fileName;
    for (std::size_t k = 0; k < c.entries.size(); ++k) G.LineList[static_cast<int>(k) + 1] = c.entries[k];
    G.ListEntryCount = static_cast<Int16>(c.entries.size());
    ConvertLinePositions();
    std::vector<std::string> got;
    for (int k = 1; k <= G.ListEntryCount; ++k) got.push_back(G.LineList[k]);
    EXPECT_EQ(got, c.expected);
  }
}

TEST_F(LinePage, ListOptionsChooseTheLines) {
  struct Case {
    const char* what;
    const char* option;
    int selected;  // entry selected before the option is clicked
    std::vector<std::string> listed;
  };
  const std::vector<Case> cases = {
      {"marked lines", "opt232", 0, {"99.3  Si 2p*", "284.6 C 1s*"}},
      {"element of the selected entry: Si, not S", "opt233", 0, {"99.3  Si 2p*", "150.5 Si 2s"}},
      {"own file named by the entry", "opt234", 4, {"932.7 Cu metal", "933.8 CuO"}},
      {"all lines again", "opt231", 0,
       {"99.3  Si 2p*", "150.5 Si 2s", "164.0 S 2p", "284.6 C 1s*", "932.7 Cu 2p", "1224 C KVV("}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    G.LineFilterAll = 1;
    G.LineFilterMarked = G.LineFilterElement = G.LineFilterOwnFile = 0;
    script::SelectItems("lib231", plat::kNoIndex, {c.selected});
    script::Click(c.option);
    // The page comes back with the new list and the pick mode still on.
    ExpectListed(c.listed);
    script::Expect([] { return G.LinePickActive == 1 && Selected() == std::vector<int>{0}; },
                   "pick mode on, first entry selected");
    script::Click("cmdCancel232");
    OnIdentifyLines(CmdIdentifyLines);
    EXPECT_EQ(G.LinePickActive, 0);
    EXPECT_EQ(G.DialogResult, 0);
  }
}

TEST_F(LinePage, OwnFileThatDoesNotExistKeepsListAndOptions) {
  script::SelectItems("lib231", plat::kNoIndex, {2});  // "S 2p" names no file
  script::Click("opt234");
  script::AnswerMessage(1);
  ExpectListed({"99.3  Si 2p*", "150.5 Si 2s", "164.0 S 2p", "284.6 C 1s*", "932.7 Cu 2p", "1224 C KVV("});
  script::Expect([] { return plat::Value(kPage, "opt231") == 1 && plat::Value(kPage, "opt234") == 0; },
                 "options as stored");
  script::Click("cmdCancel232");
  OnIdentifyLines(CmdIdentifyLines);
  EXPECT_EQ(G.LineFilterAll, 1);
  EXPECT_EQ(G.LineFilterOwnFile, 0);
  ASSERT_FALSE(plat::MessagesShown().empty());
}

TEST_F(LinePage, OkLabelsEachSelectedLineJustAboveTheSpectrumAndStaysOpen) {
  // Entry, label text, energy, the point whose intensity it stands above.
  struct Case {
    int item;
    const char* text;
    double energy;
    int point;
  };
  const std::vector<Case> cases = {
      {3, "C 1s*", 284.6, 271},  // inside the region
      {4, "Cu 2p", 932.7, 1},    // beyond 290 eV: the first point of the region
      {0, "Si 2p*", 99.3, 501},  // below 280 eV: the last point
  };
  for (const Case& c : cases) {
    script::SelectItems("lib231", plat::kNoIndex, {c.item});
    script::Click("cmdOk231");
  }
  script::Expect([] { return plat::DialogWindowOpen(kPage); }, "the page stays open");
  script::Click("cmdCancel232");
  OnIdentifyLines(CmdIdentifyLines);

  const WindowRecord& win = Win[kW];
  ASSERT_EQ(win.AnnotationCount, 3);
  EXPECT_EQ(G.DialogResult, 1);
  const double span = win.YAxisTop - win.YAxisBottom;
  ASSERT_GT(span, 0);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.text);
    const LabelRecord& label = Labels[LabelIndex(kW, static_cast<int>(i) + 1)];
    EXPECT_EQ(label.AnnotationText, c.text);
    EXPECT_DOUBLE_EQ(label.AnnotationX, c.energy);
    double y = 4.0 * (c.point - 1) + span / 10;
    if (y > win.YAxisTop) y = win.YAxisTop - span / 5;
    EXPECT_DOUBLE_EQ(label.AnnotationY, y);
    EXPECT_TRUE(plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(kW, static_cast<int>(i) + 1)));
  }
  // The highest point stands too close to the top: that label goes one fifth below it.
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(kW, 3)].AnnotationY, win.YAxisTop - span / 5);
}

TEST_F(LinePage, ClickInTheSpectrumSelectsTheLineThenOkLabelsIt) {
  script::Run(
      [] {
        LayOutSingleSpectrum(kW);
        const int x = static_cast<int>(std::lround(G.FirstPointX + (271 - 1.5) * G.PixelsPerEnergy * kStep));
        plat::driver::MouseDown(kW, x, 100, plat::kLeftButton);
      },
      "click at 284.6 eV");
  script::Expect([] { return Selected() == std::vector<int>{3}; }, "C 1s selected");
  script::Click("cmdOk231");
  script::Click("cmdCancel232");
  OnIdentifyLines(CmdIdentifyLines);
  ASSERT_EQ(Win[kW].AnnotationCount, 1);
  EXPECT_EQ(Labels[LabelIndex(kW, 1)].AnnotationText, "C 1s*");
  EXPECT_EQ(G.LinePickActive, 0);
}

TEST_F(LinePage, FullWindowRefusesTheLabelWithMessage9) {
  Win[kW].AnnotationCount = 100;
  script::Click("cmdOk231");
  script::AnswerMessage(1);
  script::Click("cmdCancel232");
  OnIdentifyLines(CmdIdentifyLines);
  EXPECT_EQ(Win[kW].AnnotationCount, 100);
  EXPECT_EQ(Win[kW + 1].AnnotationCount, 0);
  EXPECT_EQ(Labels[LabelIndex(kW + 1, 1)].AnnotationText, "");
}

}  // namespace
}  // namespace sorvan
