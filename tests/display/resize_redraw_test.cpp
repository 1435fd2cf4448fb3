// What the screen shows after the user changes a window's size: Windows >
// Tile and dragging a corner leave every window showing its whole picture,
// drawn for the new size (no grey band, no cut axes, nothing of the old
// drawing left).
#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <string>

#include "core/model.h"
#include "display/redraw.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/qt_internal.h"
#include "support/program_folder.h"
#include "tests/import/started_program_fixture.h"
#include "tests/shell/shell_fixture.h"

namespace {

using namespace sorvan;

class ResizeRedraw : public importtest::StartedProgramTest {
 protected:
  // Imports a file of C 1s, N 1s and O 1s from the menu into windows 1..3.
  void ImportThreeRegions() {
    importtest::FileSpec file;
    file.blocks.clear();
    for (const char* species : {"C", "N", "O"}) {
      importtest::BlockSpec block;
      block.species = species;
      block.values = importtest::Ramp(200, 10 * static_cast<double>(file.blocks.size()) + 1);
      file.blocks.push_back(block);
    }
    plat::script::AnswerFile(WriteVamas(importtest::MakeVamas(file), "three.vms"));
    plat::script::Click("cmd23");
    plat::driver::ChooseMenu(1160);
    plat::driver::Finish();
    for (int w = 1; w <= 3; ++w) ASSERT_TRUE(Win[w].WindowOpen);
  }

  // The window's picture is the one a redraw at its present size makes.
  static void ExpectDrawnForItsSize(int w) {
    ASSERT_NE(plat::detail::BackingImage(w), nullptr);
    const QImage shown = *plat::detail::BackingImage(w);
    EXPECT_EQ(shown.width(), plat::ClientWidth(w));
    EXPECT_EQ(shown.height(), plat::ClientHeight(w));
    RedrawWindow(w);
    EXPECT_TRUE(shown == *plat::detail::BackingImage(w)) << "window " << w << " was not redrawn for its size";
  }

};

TEST_F(ResizeRedraw, TiledWindowsShowTheirWholePicture) {
  ImportThreeRegions();
  plat::driver::ChooseMenu(9200);
  plat::driver::Finish();
  for (int w = 1; w <= 3; ++w) {
    EXPECT_EQ(plat::driver::PixelsNotShown(w), 0) << "window " << w;
    ExpectDrawnForItsSize(w);
  }
}

TEST_F(ResizeRedraw, TileRightAfterAManualResizeRedrawsEveryWindow) {
  ImportThreeRegions();
  struct Case {
    int window, width, height;
  };
  for (const Case& c : {Case{2, 300, 200}, Case{1, 900, 700}, Case{3, 120, 90}}) {
    SCOPED_TRACE(c.window);
    plat::driver::FocusWindow(c.window);
    plat::driver::ResizeWindow(c.window, c.width, c.height);
    plat::driver::ChooseMenu(9200);
    plat::driver::Finish();
    for (int w = 1; w <= 3; ++w) {
      EXPECT_EQ(plat::driver::PixelsNotShown(w), 0) << "window " << w;
      ExpectDrawnForItsSize(w);
    }
  }
}

TEST_F(ResizeRedraw, DraggingACornerShowsTheWholeNewClientArea) {
  ImportThreeRegions();
  struct Case {
    int window, width, height;
  };
  // Wider and higher (new area at the right and the bottom), higher only,
  // smaller, then another window larger.
  for (const Case& c : {Case{2, 662, 484}, Case{2, 480, 560}, Case{2, 300, 200}, Case{3, 500, 380}}) {
    plat::driver::FocusWindow(c.window);
    plat::driver::ResizeWindow(c.window, c.width, c.height);
    EXPECT_EQ(plat::SpectrumWindowRect(c.window).width, c.width);
    EXPECT_EQ(plat::driver::PixelsNotShown(c.window), 0)
        << "window " << c.window << " at " << c.width << " x " << c.height;
    ExpectDrawnForItsSize(c.window);
  }
}

}  // namespace
