// The started program with small VAMAS spectra imported through the menu,
// and the project commands driven through the menu.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "core/menu_commands.h"
#include "shell_fixture.h"
#include "tests/import/vamas_fixture.h"

namespace projecttest {

using namespace sorvan;
namespace script = plat::script;
namespace driver = plat::driver;

class ProjectTest : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.CpsMode = 0;
    G.EnergyAxisMode = 0;
  }

  // Program form of a path below the test's folder ('/' separated).
  std::string Program(const std::string& relative) const {
    return plat::ProgramPath(folder_->Path(relative));
  }

  // Writes a one-block VAMAS file: a peak at point 20 on a flat 100.
  void WriteSpectrumFile(const std::string& relative, const std::string& species = "C",
                         int points = 41) const {
    importtest::FileSpec file;
    importtest::BlockSpec& block = file.blocks[0];
    block.species = species;
    block.start = 1190;
    block.increment = 0.25;
    block.values.clear();
    for (int i = 1; i <= points; ++i) {
      const double x = (i - 20) / 3.0;
      block.values.push_back(std::round(100 + 900 * std::exp(-0.5 * x * x)));
    }
    folder_->Write(relative, importtest::MakeVamas(file));
  }

  // File > Import > VAMAS of the file at `relative` into the lowest free
  // window; returns the window.
  int Import(const std::string& relative) {
    script::AnswerFile(Program(relative));
    script::SelectItems("lib21", -1, {0});
    script::Click("cmdOk21");
    driver::ChooseMenu(1160);
    return G.CurrentWindow;
  }

  // The save command with its dialog answered by `relative` (1340 asks only
  // when no project is current).
  void Save(const std::string& relative, int command = CmdSaveProjectAs) {
    script::AnswerFile(Program(relative));
    driver::ChooseMenu(command);
  }
  void Open(const std::string& relative) {
    script::AnswerFile(Program(relative));
    driver::ChooseMenu(CmdOpenProject);
  }
  static void CloseAllWindows() {
    for (int w = 1; w <= kMaxWindows; ++w)
      if (Win[w].WindowOpen) driver::CloseWindow(w);
  }
  static int OpenWindowCount() {
    int n = 0;
    for (int w = 1; w <= kMaxWindows; ++w) n += Win[w].WindowOpen ? 1 : 0;
    return n;
  }

  // The lines of a text file below the folder.
  std::vector<std::string> Lines(const std::string& relative) const {
    const std::string text = folder_->Read(relative);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find("\r\n", start);
      if (end == std::string::npos) end = text.size();
      lines.push_back(text.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }
  void WriteLines(const std::string& relative, const std::vector<std::string>& lines,
                  std::size_t count) const {
    std::string text;
    for (std::size_t i = 0; i < count && i < lines.size(); ++i) text += lines[i] + "\r\n";
    folder_->Write(relative, text);
  }
};

}  // namespace projecttest
