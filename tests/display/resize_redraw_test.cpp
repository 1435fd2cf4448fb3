// What the screen shows after the user changes a window's size: Windows >
// Tile and dragging a corner leave every window showing its whole picture,
// drawn for the new size (no grey band, no cut axes, nothing of the old
// drawing left).
#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <functional>
#include <initializer_list>
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
  void ImportThreeRegions() { ImportRegions({"C", "N", "O"}); }

  // Imports a file of one region for each species from the menu into
  // windows 1, 2, ...
  void ImportRegions(std::initializer_list<const char*> species) {
    importtest::FileSpec file;
    file.blocks.clear();
    for (const char* name : species) {
      importtest::BlockSpec block;
      block.species = name;
      block.values = importtest::Ramp(200, 10 * static_cast<double>(file.blocks.size()) + 1);
      file.blocks.push_back(block);
    }
    plat::script::AnswerFile(WriteVamas(importtest::MakeVamas(file), "regions.vms"));
    plat::script::Click("cmd23");
    plat::driver::ChooseMenu(1160);
    plat::driver::Finish();
    for (int w = 1; w <= static_cast<int>(species.size()); ++w) ASSERT_TRUE(Win[w].WindowOpen);
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

// Tile after one window was made larger by hand moves every window: the
// screen keeps nothing of where they were (the enlarged window's old title
// bar over its neighbour, pieces of pictures in the gaps).
TEST_F(ResizeRedraw, TileAfterAManualResizeLeavesNothingStaleOnTheScreen) {
  ImportRegions({"C", "N", "O", "Si", "Fe", "Cu", "Au"});
  struct Step {
    const char* what;
    std::function<void()> action;
  };
  const Step steps[] = {
      {"Tile", [] { plat::driver::ChooseMenu(9200); }},
      {"window 7 made larger", [] {
         plat::driver::FocusWindow(7);
         plat::driver::ResizeWindow(7, 900, 600);
       }},
      {"Tile again", [] { plat::driver::ChooseMenu(9200); }},
      {"Cascade", [] { plat::driver::ChooseMenu(9100); }},
      {"window 2 made smaller", [] {
         plat::driver::FocusWindow(2);
         plat::driver::ResizeWindow(2, 300, 200);
       }},
      {"Tile after Cascade", [] { plat::driver::ChooseMenu(9200); }},
  };
  for (const Step& step : steps) {
    step.action();
    plat::driver::Finish();
    EXPECT_EQ(plat::driver::MainWindowPixelsStale(), 0) << "after " << step.what;
  }
}

// Windows > Cascade lays the windows over each other, each a step lower
// than the one before, at the size the program opened them with: after
// opening, after Tile and after a window was resized by hand.
TEST_F(ResizeRedraw, CascadeKeepsEveryWindowAtItsOpeningSize) {
  ImportRegions({"C", "N", "O", "Si", "Fe", "Cu", "Au"});
  std::map<int, plat::WindowRect> opened;
  for (int w = 1; w <= 7; ++w) opened[w] = plat::SpectrumWindowRect(w);
  struct Case {
    const char* what;
    std::function<void()> before;
  };
  const Case cases[] = {
      {"as opened", [] {}},
      {"after Tile", [] { plat::driver::ChooseMenu(9200); }},
      {"after a resize", [] {
         plat::driver::FocusWindow(3);
         plat::driver::ResizeWindow(3, 200, 150);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.before();
    plat::driver::ChooseMenu(9100);
    plat::driver::Finish();
    // "3 'O1s' @20,40 512x364 ..." for each window, read as the user sees them.
    std::istringstream lines(plat::driver::DescribeWindows());
    std::set<int> tops;
    int described = 0;
    for (std::string line; std::getline(lines, line);) {
      int w = 0, x = 0, y = 0, width = 0, height = 0;
      const std::size_t at = line.find("' @");
      if (line.rfind("main", 0) == 0 || at == std::string::npos) continue;
      ASSERT_EQ(std::sscanf(line.c_str(), "%d", &w), 1) << line;
      ASSERT_EQ(std::sscanf(line.c_str() + at, "' @%d,%d %dx%d", &x, &y, &width, &height), 4) << line;
      ++described;
      EXPECT_EQ(width, opened[w].width) << line;
      EXPECT_EQ(height, opened[w].height) << line;
      tops.insert(y);
      EXPECT_GT(plat::ClientHeight(w), opened[w].height / 2) << line;
      ExpectDrawnForItsSize(w);
    }
    EXPECT_EQ(described, 7);
    EXPECT_EQ(tops.size(), 7u) << "each window a step below the one before";
    EXPECT_EQ(plat::driver::MainWindowPixelsStale(), 0);
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
