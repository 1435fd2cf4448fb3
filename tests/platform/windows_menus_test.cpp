// Window events by name, menus, toolbar, labels, message boxes and common
// dialogs through the layer, with the test driver answering.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <filesystem>

#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/labels.h"
#include "platform/loop.h"
#include "platform/menus.h"
#include "platform/mouse.h"
#include "platform/toolbar.h"
#include "platform/qt_internal.h"
#include "support/driver_fixture.h"
#include "support/test_support.h"

using namespace plat;
using testsupport::DriverTest;

TEST(EventNames, FollowTheNamingRule) {
  struct Case {
    int window;
    const char* event;
    const char* name;
  };
  for (Case c : {Case{1, "GotFocus", "Win_1_GotFocus"}, Case{10, "Close", "Win_10_Close"},
                 Case{31, "ReSize", "Win_31_ReSize"}, Case{32, "Close", "Form_Close"},
                 Case{100, "MouseDown", "Form_MouseDown"}, Case{101, "Close", "Form_Close"}})
    EXPECT_EQ(WindowEventName(c.window, c.event), c.name);
}

TEST_F(DriverTest, ClosingAWindowRaisesItsCloseEventAndMayBeRefused) {
  std::vector<std::string> seen;
  bool refuse = false;
  for (const char* name : {"Win_10_Close", "Form_Close"})
    On(name, [&, name](EventArgs& a) {
      seen.push_back(std::string(name) + ":" + std::to_string(a.index));
      a.cancel = refuse;
    });
  OpenMainWindow("Main");
  OpenSpectrumWindow(10, 0, 0, 300, 200, "ten");
  OpenSpectrumWindow(32, 20, 20, 300, 200, "thirty-two");
  EXPECT_TRUE(driver::CloseWindow(10));
  EXPECT_TRUE(driver::CloseWindow(32));
  EXPECT_EQ(seen, (std::vector<std::string>{"Win_10_Close:0", "Form_Close:32"}));
  EXPECT_FALSE(SpectrumWindowOpen(10));
  EXPECT_FALSE(SpectrumWindowOpen(32));

  refuse = true;
  EXPECT_FALSE(driver::CloseWindow(kMainWindow));
  EXPECT_TRUE(MainWindowOpen());
  EXPECT_EQ(seen.back(), "Form_Close:101");
  refuse = false;
  EXPECT_TRUE(driver::CloseWindow(kMainWindow));
  EXPECT_FALSE(MainWindowOpen());
}

TEST_F(DriverTest, SpectrumWindowsReportFocusSizeAndMouse) {
  std::vector<std::string> seen;
  for (const char* name : {"Win_3_GotFocus", "Win_3_ReSize", "Win_3_MouseDown", "Form_GotFocus"})
    On(name, [&, name](EventArgs& a) { seen.push_back(std::string(name) + ":" + std::to_string(a.index)); });
  OpenSpectrumWindow(3, 10, 10, 400, 300, "three");
  OpenSpectrumWindow(40, 30, 30, 400, 300, "forty");
  EXPECT_TRUE(seen.empty()) << "opening raises nothing";
  EXPECT_EQ(Caption(3), "three");
  EXPECT_GT(ClientWidth(3), 300);
  EXPECT_LT(ClientWidth(3), 400);
  ASSERT_NE(detail::BackingImage(3), nullptr);
  driver::FocusWindow(3);
  driver::FocusWindow(40);
  driver::ResizeWindow(3, 500, 350);
  EXPECT_EQ(SpectrumWindowRect(3).width, 500);
  EXPECT_EQ(detail::BackingImage(3)->width(), ClientWidth(3));
  driver::MouseDown(3, 17, 23, kRightButton);
  EXPECT_EQ(MouseX(3), 17);
  EXPECT_EQ(MouseButtons(), kRightButton);
  EXPECT_EQ(seen, (std::vector<std::string>{"Win_3_GotFocus:0", "Form_GotFocus:40", "Win_3_ReSize:0",
                                            "Win_3_MouseDown:0"}));
  EXPECT_EQ(ActiveSpectrumWindow(), 40);
}

namespace {
// Menu: File (1001 Open, separator, 1002 Save grayed), View popup grayed
// (2001), Help (3001 checked).
int BuildMenu() {
  int bar = CreateMenu();
  int file = CreatePopupMenu();
  AppendMenu(file, kMenuEnabled, 1001, "&Open");
  AppendMenu(file, kMenuSeparator, 0, "");
  AppendMenu(file, kMenuGrayed, 1002, "&Save");
  int view = CreatePopupMenu();
  AppendMenu(view, kMenuEnabled, 2001, "&Stack");
  int help = CreatePopupMenu();
  AppendMenu(help, kMenuChecked, 3001, "&Tips");
  AppendMenu(bar, kMenuPopup, file, "&File");
  AppendMenu(bar, kMenuPopup | kMenuGrayed, view, "&View");
  AppendMenu(bar, kMenuPopup, help, "&Help");
  SetMenu(bar);
  return bar;
}
}  // namespace

TEST_F(DriverTest, AChosenMenuItemRaisesItsCommand) {
  std::vector<int> commands;
  On("Form_MenuEvent", [&](EventArgs& a) { commands.push_back(a.command); });
  BuildMenu();
  driver::ChooseMenu(1001);
  EXPECT_EQ(commands, std::vector<int>{1001});
  for (int refused : {1002, 2001, 4711}) EXPECT_THROW(driver::ChooseMenu(refused), DriverFailure) << refused;
  EXPECT_EQ(commands.size(), 1u);
}

TEST_F(DriverTest, MenuStateIsFoundByCommandAnywhereInTheTree) {
  int bar = BuildMenu();
  EXPECT_EQ(EnableMenuItem(bar, 1002, kMenuEnabled), kMenuGrayed);
  EXPECT_EQ(EnableMenuItem(bar, 8123, kMenuGrayed), -1);
  EXPECT_EQ(CheckMenuItem(bar, 3001, 0), kMenuChecked);
  EXPECT_EQ(CheckMenuItem(bar, 1001, kMenuChecked), 0);
  std::vector<MenuItemInfo> tree = MenuBarTree();
  ASSERT_EQ(tree.size(), 3u);
  EXPECT_EQ(tree[0].text, "&File");
  EXPECT_TRUE(tree[0].children[2].enabled);
  EXPECT_TRUE(tree[0].children[0].checked);
  EXPECT_TRUE(tree[0].children[1].separator);
  EXPECT_FALSE(tree[2].children[0].checked);
  EXPECT_FALSE(tree[1].enabled);
  EnableMenuItem(bar, tree[1].id, kMenuEnabled);  // a popup by its handle
  driver::ChooseMenu(2001);
}

TEST_F(DriverTest, TheMenuBarCanBeRebuiltFromInsideAMenuEvent) {
  int rebuilt = 0;
  On("Form_MenuEvent", [&](EventArgs&) {
    DestroyMenu(CurrentMenuBar());
    BuildMenu();
    ++rebuilt;
  });
  BuildMenu();
  // The user's way: the action's signal, delivered queued.
  QMenuBar* qbar = static_cast<QMainWindow*>(detail::MainWindowWidget())->menuBar();
  QAction* open = qbar->actions()[0]->menu()->actions()[0];
  open->trigger();
  EXPECT_EQ(rebuilt, 0) << "delivered after the menu's own event";
  DoEvents();
  EXPECT_EQ(rebuilt, 1);
  driver::ChooseMenu(1001);
  EXPECT_EQ(rebuilt, 2);
}

TEST_F(DriverTest, AnExceptionInAHandlerThatQtDeliveredReachesTheTestLater) {
  On("Form_MenuEvent", [](EventArgs&) { throw FileError("cannot open", "\\x\\y.par"); });
  BuildMenu();
  QMenuBar* qbar = static_cast<QMainWindow*>(detail::MainWindowWidget())->menuBar();
  qbar->actions()[0]->menu()->actions()[0]->trigger();
  EXPECT_THROW(DoEvents(), FileError);
  EXPECT_NO_THROW(DoEvents());
}

TEST_F(DriverTest, ToolbarButtonsAreNumberedWithSeparators) {
  std::vector<int> clicks;
  On("tb_ButtonClick", [&](EventArgs& a) { clicks.push_back(a.index); });
  ClearImageList(16);
  EXPECT_EQ(AddImage("\\no\\such\\icon.ico"), 1);
  EXPECT_TRUE(ImageIsBlank(1));
  std::vector<ToolbarButton> buttons(5);
  buttons[0].style = ToolbarStyle::Separator;
  buttons[1].key = "open";
  buttons[1].image = 1;
  buttons[2].style = ToolbarStyle::Separator;
  buttons[3].style = ToolbarStyle::Separator;
  buttons[4].key = "edit";
  buttons[4].style = ToolbarStyle::Check;
  BuildToolbar(buttons);
  EXPECT_GT(ToolbarHeight(), 0);
  EXPECT_EQ(ToolbarButtonCount(), 5);
  driver::ClickToolbar(2);
  driver::ClickToolbar(5);
  EXPECT_EQ(clicks, (std::vector<int>{2, 5}));
  EXPECT_EQ(ToolbarButtonValue(5), 0) << "a click does not toggle by itself";
  SetToolbarButtonValue(5, -1);
  EXPECT_EQ(ToolbarButtonAt(5).value, -1);
  SetToolbarButtonEnabled(2, false);
  for (int refused : {1, 2, 3, 6}) EXPECT_THROW(driver::ClickToolbar(refused), DriverFailure) << refused;
  int height = ScreenHeight();
  ShowToolbar(false);
  EXPECT_FALSE(ToolbarVisible());
  EXPECT_GT(height, 0);
}

// An icon is read when it is added: the picture the button shows is the
// file's as it was then, even when the file is gone before anything asks for
// the picture.
TEST_F(DriverTest, AnIconShowsThePictureItsFileHeldWhenItWasAdded) {
  const std::string folder = testsupport::MakeTempFolder("icon");
  const std::string original = testsupport::SourceDir() + "/data/icons/dat1.ico";
  const std::string copy = folder + "/dat1.ico";
  testsupport::WriteFile(copy, testsupport::ReadFile(original));
  ClearImageList(16);
  ASSERT_EQ(AddImage(ProgramPath(copy)), 1);
  std::filesystem::remove_all(folder);
  std::vector<ToolbarButton> buttons(1);
  buttons[0].key = "dat1";
  buttons[0].image = 1;
  BuildToolbar(buttons);
  EXPECT_FALSE(ImageIsBlank(1));
  auto* window = static_cast<QMainWindow*>(detail::MainWindowWidget());
  QAction* action = window->findChild<QAction*>("dat1");
  ASSERT_NE(action, nullptr);
  const QImage shown = action->icon().pixmap(16, 16).toImage();
  const QImage expected = QPixmap(QString::fromStdString(original)).toImage();
  ASSERT_FALSE(expected.isNull());
  EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32), expected.convertToFormat(QImage::Format_ARGB32));
}

TEST_F(DriverTest, LabelsAreReplacedAndGoWithTheirWindow) {
  std::vector<int> pressed;
  On("beschlb_MouseDown", [&](EventArgs& a) { pressed.push_back(a.index); });
  OpenSpectrumWindow(2, 0, 0, 300, 200, "two");
  LabelSpec spec;
  spec.text = "C 1s";
  spec.left = 10;
  spec.width = 40;
  spec.height = 15;
  SetLabel(LabelArray::Annotation, 101, spec);
  spec.text = "O 1s";
  SetLabel(LabelArray::Annotation, 101, spec);
  SetLabel(LabelArray::Title, 102, spec);
  EXPECT_EQ(Label(LabelArray::Annotation, 101).text, "O 1s");
  EXPECT_EQ(LabelIndices(LabelArray::Annotation), std::vector<int>{101});
  EXPECT_THROW(SetLabel(LabelArray::Annotation, 1, spec), std::out_of_range) << "window 1 is not open";
  EXPECT_THROW(SetLabel(LabelArray::Annotation, 10001, spec), std::out_of_range);
  driver::MouseDownOnLabel(false, 101, 3, 4, kLeftButton);
  EXPECT_EQ(pressed, std::vector<int>{101});
  EXPECT_TRUE(driver::CloseWindow(2));
  EXPECT_TRUE(LabelIndices(LabelArray::Annotation).empty());
  EXPECT_TRUE(LabelIndices(LabelArray::Title).empty());
}

TEST_F(DriverTest, MessageBoxesAreAnsweredByTheScriptAndRecorded) {
  script::AnswerMessage(2, "really");
  script::AnswerMessage(2);
  EXPECT_EQ(MessageBox("Quit?\rreally", kMessageOkCancel, "Exit"), 2);
  EXPECT_EQ(MessageBox("Done", kMessageOk, ""), 1) << "an OK-only box answers 1";
  ASSERT_EQ(MessagesShown().size(), 2u);
  EXPECT_EQ(MessagesShown()[0].text, "Quit?\rreally");
  EXPECT_EQ(MessagesShown()[0].title, "Exit");
  EXPECT_EQ(MessagesShown()[0].answer, 2);
  script::AnswerMessage(1, "other text");
  EXPECT_THROW(MessageBox("Quit?", kMessageOkCancel, ""), DriverFailure);
  EXPECT_THROW(MessageBox("No step left", kMessageOk, ""), DriverFailure);
}

TEST_F(DriverTest, FileDialogsAreAnsweredByTheScript) {
  FileDialogSpec spec;
  spec.filters = {{"Settings", "*.set"}, {"", ""}};
  spec.title = "Load";
  script::AnswerFile("\\data\\spectra\\au.set");
  script::CancelFile();
  EXPECT_EQ(OpenFileDialog(spec), "\\data\\spectra\\au.set");
  EXPECT_EQ(CurrentFolder(), "\\data\\spectra");
  EXPECT_EQ(SaveFileDialog(spec), "");
  spec.flags = kFileMustExist | kFilePathMustExist;
  script::AnswerFile("\\no\\such\\file.set");
  EXPECT_THROW(OpenFileDialog(spec), DriverFailure);
}

TEST_F(DriverTest, FontAndColourDialogsKeepTheInputOnCancel) {
  FontSpec font;
  font.name = "Arial";
  font.size = 10;
  FontSpec chosen = font;
  chosen.name = "Liberation Serif";
  chosen.bold = true;
  script::CancelFont();
  script::AnswerFont(chosen);
  script::CancelColour();
  script::AnswerColour(RgbColour(1, 2, 3));
  EXPECT_FALSE(FontDialog(font));
  EXPECT_EQ(font.name, "Arial");
  EXPECT_TRUE(FontDialog(font));
  EXPECT_EQ(font, chosen);
  EXPECT_EQ(ColourDialog(255), 255);
  EXPECT_EQ(ColourDialog(255), 1 + 2 * 256 + 3 * 65536);
}

TEST_F(DriverTest, KeyPollsAndWaitsRunWithoutAPerson) {
  driver::EscAtKeyPoll(3);
  EXPECT_EQ(PollKey(), 0);
  EXPECT_EQ(PollKey(), 0);
  EXPECT_EQ(PollKey(), 27);
  EXPECT_EQ(PollKey(), 0);
  Sleep(110);
  Sleep(275);
  EXPECT_EQ(SleepLog(), (std::vector<int>{110, 275}));
}

TEST_F(DriverTest, TheMainWindowHasAFixedSizeInTests) {
  OpenMainWindow("Sorvan");
  EXPECT_EQ(Caption(kMainWindow), "Sorvan");
  EXPECT_GT(ScreenWidth(), 900);
  EXPECT_LE(ScreenWidth(), 1024);
  EXPECT_GT(ScreenHeight(), 600);
  EXPECT_LE(ScreenHeight(), 768);
  FontSpec font;
  font.name = "Arial";
  font.size = 10;
  SetMainFont(font);
  double w = MainFontTextWidth("ABC DFG HIJ WMHGfg");
  EXPECT_GT(w, 60);
  EXPECT_LT(w, 250);
  EXPECT_GT(MainFontTextHeight("A"), 8);
}

TEST_F(DriverTest, OutlineDragsTakeTheDropFromTheScript) {
  OpenSpectrumWindow(5, 0, 0, 300, 200, "five");
  script::AnswerDrag(120, 40);
  int x = 0, y = 0;
  DragOutline(5, 10, 10, 50, 12, x, y);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 40);
}
