// A disk that fills up while a command rewrites a file: the spectrum table,
// the window picture, the printout into a PDF file and the snapshot of the
// copy command. Each shows message 2 naming the file, and the old file stays
// byte for byte, with no temporary file left beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "core/menu_commands.h"
#include "platform/dialogs.h"
#include "report_fixture.h"
#include "support/full_disk.h"

namespace {

using namespace sorvan;
using namespace reporttest;
namespace script = plat::script;
namespace fs = std::filesystem;

std::set<std::string> Entries(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

class FullDiskWriters : public ReportTest {};

TEST_F(FullDiskWriters, EveryRewritingCommandKeepsTheOldFile) {
  GiveFit(1, 2);
  UpdateMenuState(1);
  G.SnapshotFilePath = plat::ProgramPath(TempNative("temp.tmp"));
  struct Case {
    const char* file;
    int command;
    std::function<void(const std::string& program)> answers;
  };
  const Case cases[] = {
      {"table.dat", CmdExportSpectrumTable,
       [](const std::string& program) {
         for (int k = 1; k <= 7; ++k) G.ExportColumns[k] = k == 2 ? 1 : 0;
         script::Click("cmdOk191");
         script::Click("cmdOk181");
         script::AnswerFile(program);
       }},
      {"window.bmp", CmdExportBitmap, [](const std::string& program) { script::AnswerFile(program); }},
      {"page.pdf", CmdPrintWindow,
       [](const std::string& program) {
         plat::SetPrintToPdf(plat::NativePath(program));
         script::Click("cmdOk91");
       }},
      {"temp.tmp", CmdCopySpectrum, [](const std::string&) {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string native = TempNative(c.file);
    const std::string old = std::string("the old ") + c.file + "\r\n";
    testsupport::WriteFile(native, old);
    const std::set<std::string> entries = Entries(fs::path(native).parent_path().string());
    const std::size_t shown = plat::MessagesShown().size();
    c.answers(plat::ProgramPath(native));
    script::AnswerMessage(1, G.CaptionTexts[11]);
    {
      testsupport::FullDisk full(old.size() + 10);
      plat::driver::ChooseMenu(c.command);
    }
    plat::SetPrintToPdf("");
    ASSERT_EQ(plat::MessagesShown().size(), shown + 1);
    if (c.command != CmdPrintWindow) {
      EXPECT_NE(plat::MessagesShown().back().text.find(plat::ShownPath(plat::ProgramPath(native))),
                std::string::npos)
          << "the message names the file";
    }
    EXPECT_EQ(testsupport::ReadFile(native), old);
    EXPECT_EQ(Entries(fs::path(native).parent_path().string()), entries) << "no temporary file left";

    // With room on the disk the same command replaces the file.
    c.answers(plat::ProgramPath(native));
    plat::driver::ChooseMenu(c.command);
    plat::SetPrintToPdf("");
    EXPECT_EQ(plat::MessagesShown().size(), shown + 1);
    EXPECT_NE(testsupport::ReadFile(native), old);
    EXPECT_EQ(Entries(fs::path(native).parent_path().string()), entries);
  }
}

}  // namespace
