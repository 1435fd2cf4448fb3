// The program started in a temporary program folder for the text readers:
// files written to a temporary folder, the file dialog answered by the test
// driver, and small helpers that lay out fixed-column items.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "support/program_folder.h"
#include "support/test_support.h"
#include "tests/import/vamas_fixture.h"
#include "tests/shell/shell_fixture.h"

namespace importtest {

// `text` placed so that it begins at 1-based column `column`.
inline std::string AtColumn(int column, const std::string& text) {
  return std::string(static_cast<std::size_t>(column - 1), ' ') + text;
}

// Lines joined with CRLF, the last one ended too.
inline std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

class TextImportTest : public ImportTest {
 protected:
  void SetUp() override {
    ImportTest::SetUp();
    program_ = std::make_unique<testsupport::ProgramFolder>();
    shelltest::StartProgramForTest();
    sorvan::G.CpsMode = 0;
  }
  void TearDown() override {
    plat::driver::Reset();
    program_.reset();
    ImportTest::TearDown();
  }

  // Writes a file and returns its program-form path.
  std::string Write(const std::string& text, const std::string& name) {
    return WriteVamas(text, name);
  }

  // Runs `reader` as a new import of format `code` with the file dialog
  // answered by `path`; `laterSteps` queues what the pages and message
  // boxes after the dialog are answered with.
  template <typename Reader>
  void NewImport(Reader reader, int code, const std::string& path,
                 const std::function<void()>& laterSteps = {}) {
    sorvan::Win[0].ImportFormat = static_cast<sorvan::Byte>(code);
    sorvan::G.SpectraReadCount = 0;
    plat::script::AnswerFile(path);
    if (laterSteps) laterSteps();
    reader(0);
  }

  std::unique_ptr<testsupport::ProgramFolder> program_;
};

}  // namespace importtest
