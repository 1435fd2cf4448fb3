// The page wait as the program runs it (not scripted): real Qt events click
// the buttons and press the close box, and the wait ends when its window
// closes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QPushButton>
#include <QTimer>

#include "platform/app.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/events.h"
#include "platform/forms.h"
#include "platform/loop.h"
#include "platform/qt_internal.h"

using namespace plat;

namespace {

QWidget* FindWidget(const char* objectName) {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (QWidget* w = top->findChild<QWidget*>(objectName)) return w;
  return nullptr;
}

class RealLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    driver::Reset();
    SetTestMode(false);
    previous_ = CurrentEventSink();
    SetEventSink([this](const std::string& name, EventArgs&) {
      events.push_back(name);
      if (name == "cmdOk91_Click" || name == "cmdCancel92_Click") CloseDialogWindow(9);
    });
    ASSERT_TRUE(OpenDialogWindow(9, 40, 40, 240, 100, "Real page"));
    CreateControl(9, ControlKind::CommandButton, "cmdOk91", kNoIndex, 10, 60, 80, 24, "OK");
    CreateControl(9, ControlKind::CommandButton, "cmdCancel92", kNoIndex, 100, 60, 80, 24, "Cancel");
    SetDefaultButton(9, "cmdOk91");
    SetCancelButton(9, "cmdCancel92");
    ShowDialogWindow(9);
    // Never wait for a person: close the page after a few seconds whatever happens.
    guard_.setSingleShot(true);
    QObject::connect(&guard_, &QTimer::timeout, [] { CloseDialogWindow(9); });
    guard_.start(5000);
  }
  void TearDown() override {
    guard_.stop();
    SetEventSink(previous_);
    driver::Reset();
  }
  std::vector<std::string> events;

 private:
  EventSink previous_;
  QTimer guard_;
};

}  // namespace

TEST_F(RealLoop, AClickedButtonEndsTheWait) {
  QTimer::singleShot(20, [] {
    auto* ok = qobject_cast<QPushButton*>(FindWidget("cmdOk91"));
    if (ok) ok->click();
  });
  int left = 0, top = 0;
  WaitWhileOpen(9, left, top);
  EXPECT_EQ(events, std::vector<std::string>{"cmdOk91_Click"});
  EXPECT_FALSE(DialogWindowOpen(9));
}

TEST_F(RealLoop, TheCloseBoxPressesCancel) {
  QWidget* page = FindWidget("cmdOk91")->window();
  QTimer::singleShot(20, [page] { page->close(); });
  int left = 0, top = 0;
  WaitWhileOpen(9, left, top);
  EXPECT_EQ(events, std::vector<std::string>{"cmdCancel92_Click"});
}

TEST_F(RealLoop, UserActivationRaisesGotFocusOnceAndEscReachesTheKeyPoll) {
  CloseDialogWindow(9);
  std::vector<std::string> seen;
  SetEventSink([&](const std::string& name, EventArgs& a) {
    seen.push_back(name + ":" + std::to_string(a.index));
  });
  OpenSpectrumWindow(1, 0, 0, 200, 150, "one");
  OpenSpectrumWindow(33, 50, 50, 200, 150, "thirty-three");
  auto* main = static_cast<QMainWindow*>(detail::MainWindowWidget());
  auto* area = qobject_cast<QMdiArea*>(main->centralWidget());
  ASSERT_NE(area, nullptr);
  ASSERT_EQ(area->subWindowList().size(), 2);
  seen.clear();
  area->setActiveSubWindow(area->subWindowList()[0]);  // as a click on its frame does
  area->setActiveSubWindow(area->subWindowList()[0]);
  area->setActiveSubWindow(area->subWindowList()[1]);
  EXPECT_EQ(seen, (std::vector<std::string>{"Win_1_GotFocus:0", "Form_GotFocus:33"}));

  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(main, &esc);
  EXPECT_EQ(PollKey(), 27);
  EXPECT_EQ(PollKey(), 0);
}
