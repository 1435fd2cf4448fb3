// The program started in a temporary program folder, up to the event loop:
// presetting, language texts, menu bar, window defaults and toolbar, with the
// menu event routed to the dispatcher. Menu commands and toolbar clicks are
// then driven through the test driver.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/events.h"
#include "core/language.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/presetting.h"
#include "core/settings_paths.h"
#include "platform/app.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/menus.h"
#include "platform/toolbar.h"
#include "shell/menu_bar.h"
#include "shell/menu_state.h"
#include "dialogs/pickers.h"
#include "shell/toolbar.h"
#include "support/program_folder.h"

namespace shelltest {

// Starts the program as start-up does, in the order the shell relies on.
inline void StartProgramForTest() {
  using namespace sorvan;
  BuildEventRegistry();
  InitialiseModel();
  ReadStartupFile();
  plat::OpenMainWindow("Sorvan");
  SetPresettingPath();
  ReadPresetting(ApplyPresettingToScreen);
  SetLanguagePaths();
  ReadLanguageFile();
  SetParameterSetAndSatellitePaths();
  // Without the paths of the default peak tables the windows keep the
  // tables a test gives them; tests of commands that load the defaults set
  // the paths again.
  G.ParameterSet1Path.clear();
  G.ParameterSet2Path.clear();
  InitMenuCommandIds();
  InitMenuItemFlags();
  BuildMenuBar();
  G.ScreenWidth = static_cast<Int16>(plat::ScreenWidth());
  G.ScreenHeight = plat::ScreenHeight();
  G.WorkAreaHeight = static_cast<Int16>(0.999 * G.ScreenHeight);
  ApplyGlobalStartupValues();
  ApplyWindowStartupValues();
  SyncOptionChecks();
  BuildToolbarActionTexts();
  BuildToolbar();
  if (G.ToolbarVisible == 1) {
    G.ToolbarHeight = static_cast<Int16>(plat::ToolbarHeight());
    G.WorkAreaHeight = static_cast<Int16>(G.WorkAreaHeight - G.ToolbarHeight);
  }
}

// Finds the item with this command number (or popup handle) in a menu tree.
inline const plat::MenuItemInfo* FindItem(const std::vector<plat::MenuItemInfo>& tree, int id) {
  for (const plat::MenuItemInfo& item : tree) {
    if (!item.separator && item.id == id) return &item;
    if (const plat::MenuItemInfo* found = FindItem(item.children, id)) return found;
  }
  return nullptr;
}

class ShellTest : public ::testing::Test {
 protected:
  // Each test may adjust the presetting before the program starts.
  virtual void PreparePresetting(testsupport::ProgramFolder&) {}

  void SetUp() override {
    plat::driver::Reset();
    folder_ = std::make_unique<testsupport::ProgramFolder>();
    PreparePresetting(*folder_);
    StartProgramForTest();
  }
  void TearDown() override {
    plat::driver::Finish();
    plat::CloseAll();
    plat::DestroyAllWindows();
    folder_.reset();
  }

  static const plat::MenuItemInfo& Item(int id) {
    static std::vector<plat::MenuItemInfo> tree;
    tree = plat::MenuBarTree();
    const plat::MenuItemInfo* item = FindItem(tree, id);
    if (item == nullptr) throw std::runtime_error("no menu item " + std::to_string(id));
    static plat::MenuItemInfo copy;
    copy = *item;
    return copy;
  }
  static bool Enabled(int id) { return Item(id).enabled; }
  static bool Checked(int id) { return Item(id).checked; }
  static int PopupHandle(int popup) { return sorvan::G.MenuPopupHandles[popup]; }

  // A box the command shows is answered with OK; builds whose messages say
  // nothing leave the answer unused, which is dropped here.
  static void AnswerBoxIfShown() { plat::script::AnswerMessage(1); }
  static void DropUnusedAnswers() {
    if (plat::driver::StepsLeft() > 0) plat::driver::Reset();
  }

  std::unique_ptr<testsupport::ProgramFolder> folder_;
};

}  // namespace shelltest
