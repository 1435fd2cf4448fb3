// A temporary program folder for the tests of the settings and reference
// files: the data model starts cleared and `ProgramFolder` points at the
// folder, into which each test writes the small files it needs.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "core/model.h"
#include "platform/app.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/text.h"
#include "support/test_support.h"

namespace sorvan::testing_files {

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();  // test mode: a box nobody answers fails the test
    InitialiseModel();
    native_ = testsupport::MakeTempFolder("files");
    G.ProgramFolder = plat::ProgramPath(native_);
    G.CurrentWindow = 1;
  }
  void TearDown() override {
    plat::CloseAll();
    plat::DestroyAllWindows();  // windows a test opened
  }

  // Program path of `relative` ("\settings\x.set") below the program folder.
  std::string Path(const std::string& relative) const { return G.ProgramFolder + relative; }
  // Writes `content` to `relative` below the program folder; returns its program path.
  std::string Write(const std::string& relative, const std::string& content) const {
    testsupport::WriteFile(plat::NativePath(Path(relative)), content);
    return Path(relative);
  }
  // The next numbered message is expected; it is answered with OK.
  static void ExpectMessage() { plat::script::AnswerMessage(1); }

  std::string Read(const std::string& relative) const {
    return testsupport::ReadFile(plat::NativePath(Path(relative)));
  }

  std::string native_;
};

}  // namespace sorvan::testing_files
