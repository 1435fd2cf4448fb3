// An import test on the started program: the import fixture's temporary
// folder and model, plus a program folder and the program started up to its
// event loop, so that imports run from the real menu.
#pragma once
#include <memory>

#include "platform/driver.h"
#include "support/program_folder.h"
#include "tests/import/vamas_fixture.h"
#include "tests/shell/shell_fixture.h"

namespace importtest {

class StartedProgramTest : public ImportTest {
 protected:
  void SetUp() override {
    ImportTest::SetUp();
    program_ = std::make_unique<testsupport::ProgramFolder>();
    shelltest::StartProgramForTest();
  }
  void TearDown() override {
    plat::driver::Reset();
    program_.reset();
    ImportTest::TearDown();
  }

  std::unique_ptr<testsupport::ProgramFolder> program_;
};

}  // namespace importtest
