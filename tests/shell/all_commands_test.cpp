// Every menu command and every toolbar action that is enabled while a fitted
// window is open, chosen through the real menu bar and toolbar: each must do
// something a user can see.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "core/store.h"
#include "platform/app.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/menus.h"
#include "platform/toolbar.h"
#include "shell/command_table.h"
#include "shell/commands.h"
#include "shell/startup.h"
#include "shell/toolbar.h"
#include "support/program_folder.h"
#include "test_spectra.h"

namespace {

using namespace sorvan;
namespace script = plat::script;
namespace driver = plat::driver;

// What choosing a command must show.
enum class Shows {
  Asks,     // every answer queued for it was taken: its pages, boxes or dialogs came up
  Changes,  // the windows, their pictures, the menus or the toolbar look different afterwards
};

using Steps = std::function<void()>;

// One command: the answers the user gives to what it asks, what it must show,
// and where needed a step before it and a check after it.
struct Row {
  int id;  // menu command number, or toolbar action
  Steps answers;
  Shows shows;
  Steps before = {};
  Steps after = {};
};

const Steps kNothing = [] {};
const Steps kCancelFile = [] { script::CancelFile(); };
const Steps kEsc = [] { script::Key(script::KeyCode::Esc); };
const Steps kEnter = [] { script::Key(script::KeyCode::Enter); };
const Steps kOkBox = [] { script::AnswerMessage(1); };
Steps OkBoxSaying(int messageText) {
  return [messageText] { script::AnswerMessage(1, G.MessageTexts[messageText]); };
}
// An option group's item that is already chosen: its sibling is chosen
// first, so that choosing it moves the check mark back.
Steps Choosing(int sibling) {
  return [sibling] { driver::ChooseMenu(sibling); };
}

// Rows are named by their number in failure messages.
void PrintTo(const Row& row, std::ostream* out) { *out << row.id; }

std::vector<Row> MenuRows() {
  std::vector<Row> rows;
  // File > Import, and everything else that opens a file dialog first.
  for (int id : {1111, 1110, 1120, 1130, 1140, 1150, 1160, 1170, 1184, 1185, 1180, 1181, 1182, 1183, 1700,
                 1330, 1340, 1341, 5570, 1320, 3110, 3118, 4100, 4200, 5540, 5550, 5561, 5562, 9700, 8020})
    rows.push_back({id, kCancelFile, Shows::Asks});
  // Commands that open a page, left with Esc.
  for (int id : {1200, 1400, 2110, 2120, 2130, 2140, 2150, 2800, 2300, 2700, 2910, 2920, 21010, 21020, 21030,
                 21040, 2930, 3114, 3113, 3115, 1500, 31119, 31121, 31120, 3116, 31122, 31124, 31125, 31123,
                 4000, 5530, 6050, 6000, 6030, 6040, 9900, 8510, 8700, 8511, 8701, 5510, 5520})
    rows.push_back({id, kEsc, Shows::Asks});
  // Pages without a cancel button, left with OK as they come.
  for (int id : {21200, 8100, 3120, 8200}) rows.push_back({id, kEnter, Shows::Asks});
  // The count page of a new fit, then the limits page that follows it.
  for (int id : {3111, 3112}) rows.push_back({id, [] { kEnter(); kEsc(); }, Shows::Asks});
  // Boxes.
  for (int id : {5100, 5200, 5500, 5300, 5400, 10000}) rows.push_back({id, kOkBox, Shows::Asks});
  // The references need a window of their length: the C 1s window is not one.
  for (int id : {9400, 9500, 9600})
    rows.push_back({id, [] { script::AnswerMessage(1, "Unexpected data format"); }, Shows::Asks});
  rows.push_back({2200, OkBoxSaying(91), Shows::Asks});
  rows.push_back({2100, OkBoxSaying(92), Shows::Asks});
  rows.push_back({9800, OkBoxSaying(112), Shows::Asks});
  rows.push_back({1300, [] { script::AnswerDialog("printsetup", ""); }, Shows::Asks});
  rows.push_back({8710, [] { script::CancelFont(); }, Shows::Asks});
  rows.push_back({11000, [] { script::AnswerMessage(2); }, Shows::Asks, {},
                  [] { EXPECT_TRUE(plat::SpectrumWindowOpen(1)) << "Cancel keeps the program running"; }});
  rows.push_back({3130, [] { script::Click("cmdOk161"); script::Click("cmdCancel242"); }, Shows::Asks, {},
                  [] { EXPECT_EQ(Win[1].HasFit, 1); }});
  // Commands that act at once.
  for (int id : {1900, 2210, 21100, 2600, 3117, 8730, 9100, 9200}) rows.push_back({id, kNothing, Shows::Changes});
  rows.push_back({2400, kNothing, Shows::Changes, {}, [] { EXPECT_LT(SlotData[1](81, 1), 0.0); }});
  rows.push_back({9300, kNothing, Shows::Changes, {}, [] {
                    EXPECT_FALSE(plat::SpectrumWindowOpen(1));
                    EXPECT_FALSE(plat::SpectrumWindowOpen(2));
                  }});
  rows.push_back({2220, kNothing, Shows::Changes, [] {
                    driver::ChooseMenu(2210);
                    driver::FocusWindow(2);
                  }});
  // Option groups: the items not chosen yet, then the chosen ones after
  // their sibling.
  for (int id : {8131, 8133, 8134, 8135, 8320, 8420, 8112, 8114, 8144, 8116})
    rows.push_back({id, kNothing, Shows::Changes});
  const std::pair<int, int> chosen[] = {{8136, 8131}, {8132, 8134}, {8310, 8320}, {8410, 8420},
                                        {8111, 8112}, {8113, 8114}, {8145, 8144}, {8115, 8116}};
  for (auto [id, sibling] : chosen) rows.push_back({id, kNothing, Shows::Changes, Choosing(sibling)});
  return rows;
}

// The toolbar's own actions; the others run the steps of their menu command
// and are answered as that command is.
std::vector<Row> ToolbarRows() {
  std::vector<Row> rows = {
      {1, kCancelFile, Shows::Asks},                                   // read the last format again
      {12, [] { script::AnswerMessage(2); }, Shows::Asks},             // end the program
      {16, kEsc, Shows::Asks},                                         // the last background again
      {25, kEsc, Shows::Asks},                                         // the last scaling again
      {26, kEsc, Shows::Asks},                                         // the last window arithmetic again
      {28, [] { kEnter(); kEsc(); }, Shows::Asks},                     // a new fit of the last type
      {31, kEsc, Shows::Asks},                                         // start values
      {43, kEsc, Shows::Asks},                                         // series
      {44, kEsc, Shows::Asks}, {45, kEsc, Shows::Asks}, {46, kEsc, Shows::Asks}, {47, kEsc, Shows::Asks},
  };
  const std::vector<Row> menu = MenuRows();
  for (int a = 1; a <= kToolbarActionCount; ++a) {
    if (!RunsItsMenuCommand(a)) continue;
    for (const Row& r : menu)
      if (r.id == ToolbarActionAt(a).command) {
        Row row = r;
        row.id = a;
        rows.push_back(row);
      }
  }
  return rows;
}

// The program as it starts from its shipped program folder, every toolbar
// action on a button, windows 1 and 2 open and window 1 fitted through the
// menu.
class FittedWindowOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    driver::Reset();
    folder_ = std::make_unique<testsupport::ProgramFolder>();
    ASSERT_TRUE(PrepareProgram());
    G.EnergyAxisMode = 0;
    G.CpsMode = 0;
    for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = 1;
    BuildToolbar();
    for (int w = 1; w <= 2; ++w)
      shelltest::OpenTestSpectrum(w, "C 1s " + std::to_string(w), shelltest::kTwoPeakGrid,
                                  [w](int i) { return shelltest::TwoPeakCounts(i, w, 50); });
    shelltest::FitTwoPeaksFromTheMenu(1);
    ASSERT_EQ(Win[1].HasFit, 1);
    ASSERT_EQ(driver::StepsLeft(), 0u);
  }
  void TearDown() override {
    driver::Finish();
    plat::CloseAll();
    plat::DestroyAllWindows();
    folder_.reset();
  }

  // Everything a user sees of the program outside its pages and boxes.
  static std::string Screen() {
    std::string screen = driver::DescribeWindows() + driver::DescribeMenu() + driver::DescribeToolbar();
    for (int w = 1; w <= 2; ++w)
      if (plat::SpectrumWindowOpen(w)) screen += driver::DescribeLabels(w);
    return screen;
  }

  // Runs a row: `choose` picks the command the way the user does.
  static void Run(const Row& row, const std::function<void()>& choose) {
    if (row.before) row.before();
    const std::string before = Screen();
    row.answers();
    const size_t answers = driver::StepsLeft();
    choose();
    EXPECT_EQ(driver::StepsLeft(), 0u) << "not asked: " << driver::DescribeSteps();
    if (row.shows == Shows::Asks) {
      EXPECT_GT(answers, 0u) << "a row that asks needs the answers";
    } else {
      EXPECT_NE(Screen(), before) << "nothing a user can see changed";
    }
    if (row.after) row.after();
  }

  // The command numbers of the enabled menu items, popups left out.
  static void EnabledItems(const std::vector<plat::MenuItemInfo>& tree, std::vector<int>& out) {
    for (const plat::MenuItemInfo& item : tree) {
      if (item.separator || !item.enabled) continue;
      if (item.popup) {
        EnabledItems(item.children, out);
      } else {
        out.push_back(item.id);
      }
    }
  }

  std::unique_ptr<testsupport::ProgramFolder> folder_;
};

TEST_F(FittedWindowOpen, EveryEnabledItemAndButtonHasARow) {
  std::vector<int> items;
  EnabledItems(plat::MenuBarTree(), items);
  ASSERT_FALSE(items.empty());
  std::set<int> menuRows, toolbarRows;
  for (const Row& r : MenuRows()) menuRows.insert(r.id);
  for (const Row& r : ToolbarRows()) toolbarRows.insert(r.id);
  for (int id : items) EXPECT_TRUE(menuRows.count(id)) << "menu item " << id << " has no row";
  for (int a = 1; a <= kToolbarActionCount; ++a) {
    const int b = G.ToolbarButtonOfAction[a];
    if (b >= 1 && plat::ToolbarButtonAt(b).enabled) {
      EXPECT_TRUE(toolbarRows.count(a)) << "toolbar action " << a << " has no row";
    }
  }
}

class MenuCommand : public FittedWindowOpen, public ::testing::WithParamInterface<Row> {};
class ToolbarAction : public FittedWindowOpen, public ::testing::WithParamInterface<Row> {};

TEST_P(MenuCommand, ShowsSomething) {
  const int id = GetParam().id;
  Run(GetParam(), [id] { driver::ChooseMenu(id); });
}

TEST_P(ToolbarAction, ShowsSomething) {
  const int a = GetParam().id;
  Run(GetParam(), [a] { driver::ClickToolbar(G.ToolbarButtonOfAction[a]); });
}

std::string RowName(const ::testing::TestParamInfo<Row>& info) { return std::to_string(info.param.id); }

INSTANTIATE_TEST_SUITE_P(AllCommands, MenuCommand, ::testing::ValuesIn(MenuRows()), RowName);
INSTANTIATE_TEST_SUITE_P(AllActions, ToolbarAction, ::testing::ValuesIn(ToolbarRows()), RowName);

}  // namespace
