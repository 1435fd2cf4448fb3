// Paths as the user meets them on a page: a file imported from the menu out
// of deep folders whose names hold accents is named on the choice page with
// this system's separators, its file name whole and the folders nearest it,
// never cut by the label.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/model.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "support/program_folder.h"
#include "support/test_support.h"
#include "tests/import/started_program_fixture.h"
#include "tests/shell/shell_fixture.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

class ShownPaths : public importtest::StartedProgramTest {};

TEST_F(ShownPaths, ChoicePageOfAnImportNamesTheFileWithinItsLabel) {
  struct Case {
    const char* what;
    std::string folders;  // below the test folder, UTF-8
    std::string name;     // UTF-8
  };
  const Case cases[] = {
      {"deep folders with accents", "Messungen 2005/Katalysator \xC3\xA4/nach dem Tempern",
       "Probe_\xC3\xA4\xC3\xB6\xC3\xBC_\xC2\xB5.vms"},
      {"a long file name", "", "Sputter depth profile of sample B after annealing at 450 C.vms"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    importtest::FileSpec file;
    file.blocks.clear();
    for (const char* species : {"C", "O"}) {
      importtest::BlockSpec block;
      block.species = species;
      block.values = importtest::Ramp(50);
      file.blocks.push_back(block);
    }
    const std::string folder = c.folders.empty() ? folder_ : folder_ + "/" + c.folders;
    std::filesystem::create_directories(folder);
    const std::string native = folder + "/" + c.name;
    testsupport::WriteFile(native, importtest::MakeVamas(file));
    const std::string path = plat::ProgramPath(native);
    const std::string name = plat::ProgramPath(c.name);
    plat::script::AnswerFile(path);
    script::Run([&] {
      const std::string shown = plat::Text(2, "lb21");
      EXPECT_FALSE(plat::TextCut(2, "lb21")) << shown;
      EXPECT_EQ(shown.find('\\'), std::string::npos) << shown;
      const std::string whole = plat::ShownPath(path);
      if (shown != whole) {
        EXPECT_EQ(shown.rfind("...", 0), 0u) << shown;
        EXPECT_EQ(whole.substr(whole.size() - (shown.size() - 3)), shown.substr(3)) << shown;
      }
      // The file name whole, when the label can hold it at all.
      if (plat::ControlTextWidth(2, "lb21", plat::kNoIndex, ".../" + name) <=
          plat::ControlTextRoom(2, "lb21")) {
        EXPECT_EQ(shown.substr(shown.size() - name.size() - 1), "/" + name) << shown;
      }
    });
    script::Key(script::KeyCode::Esc);
    plat::driver::ChooseMenu(1160);
    plat::driver::Finish();
  }
}

}  // namespace
