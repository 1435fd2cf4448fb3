// An element table (line positions, Auger parameters, sensitivity factors,
// doublets) opened through its Information menu command, shown on the table
// page and saved with OK; then opened and saved again. The second save must
// write what the first one wrote, byte for byte: the writer writes only what
// its reader reads back.
//
// SORVAN_FUZZ_TARGET names the table; the input is its file.
#include <string>
#include <vector>

#include "core/menu_commands.h"
#include "fuzz/harness.h"

namespace {

struct TableKind {
  const char* target;
  int command;
  const char* file;  // below the program folder
};

const TableKind kTables[] = {
    {"line-positions", sorvan::CmdEditLinePositions, "lines/fuzz.pos"},
    {"auger-parameters", sorvan::CmdEditAugerParameters, "auger parameters/fuzz.aup"},
    {"sensitivity-factors", sorvan::CmdEditSensitivityFactors, "sensitifity factors/fuzz.sen"},
    {"doublets", sorvan::CmdEditDoublets, "settings/fuzz.dda"},
};

const TableKind* g_table = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  std::vector<std::string> targets;
  for (const TableKind& t : kTables) targets.push_back(t.target);
  const std::string chosen = fuzz::ChosenTarget(targets);
  for (const TableKind& t : kTables)
    if (chosen == t.target) g_table = &t;
  fuzz::StartProgram(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::WriteFile(g_table->file, std::string(reinterpret_cast<const char*>(data), size));
  const std::string path = fuzz::ProgramPath(g_table->file);
  fuzz::RunCommand(g_table->command, {path});
  const std::string first = fuzz::ReadFile(g_table->file);
  fuzz::RunCommand(g_table->command, {path});
  const std::string second = fuzz::ReadFile(g_table->file);
  if (second != first)
    fuzz::Finding("the table saved again as read changed at " + fuzz::FirstDifference(first, second));
  fuzz::ForgetMessages();
  return 0;
}
