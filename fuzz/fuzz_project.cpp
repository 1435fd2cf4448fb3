// A project opened through File > Open project, then saved under another name
// through File > Save project as, every window closed and the saved project
// opened again: it must open without a message and give the windows that
// were saved, each with its name, its points and its measured values.
//
// The input is the project file; lines "@@file <name>" start the files of
// its copy folder.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/menu_commands.h"
#include "core/model.h"
#include "core/store.h"
#include "fuzz/harness.h"

namespace {

struct Shown {
  std::string name;
  int points = 0;
  std::vector<double> values;
  bool operator==(const Shown& o) const {
    if (name != o.name || points != o.points || values.size() != o.values.size()) return false;
    // Bit for bit, so that a value that is not a number compares too.
    return values.empty() || std::memcmp(values.data(), o.values.data(), values.size() * sizeof(double)) == 0;
  }
};

std::vector<Shown> Windows() {
  using namespace sorvan;
  std::vector<Shown> shown;
  for (int w = 1; w <= kMaxWindows; ++w) {
    if (!Win[w].WindowOpen) continue;
    Shown s;
    s.name = Win[w].SpectrumHeader.Name;
    s.points = Win[w].SpectrumHeader.PointCount;
    if (Win[w].WindowKind == 0)
      for (int i = 1; i <= s.points && SlotData[w].Contains(i, 1); ++i) s.values.push_back(SlotData[w](i, 1));
    shown.push_back(std::move(s));
  }
  return shown;
}

std::string Describe(const std::vector<Shown>& windows) {
  std::string s;
  for (const Shown& w : windows) s += "'" + w.name + "' (" + std::to_string(w.points) + " points) ";
  return s.empty() ? "no window" : s;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::StartProgram(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string folder = fuzz::FreshWorkFolder();
  const std::vector<fuzz::Part> parts = fuzz::SplitInput(data, size);
  fuzz::WriteFile(folder + "/p.svr", parts[0].bytes);
  for (size_t i = 1; i < parts.size(); ++i) fuzz::WriteFile(folder + "/p/" + parts[i].name, parts[i].bytes);

  fuzz::CloseAllWindows();
  fuzz::ForgetMessages();
  // Every input writes its files under the same names: the store must not
  // take the source of this input for the one the last input read there.
  sorvan::G.SourceFilePath.clear();
  sorvan::G.ChosenBlockList.clear();
  fuzz::RunCommand(sorvan::CmdOpenProject, {fuzz::ProgramPath(folder + "/p.svr")});
  if (fuzz::OpenWindowCount() > 0 && fuzz::Messages().empty()) {
    const std::vector<Shown> loaded = Windows();
    fuzz::RunCommand(sorvan::CmdSaveProjectAs, {fuzz::ProgramPath(folder + "/q.svr")});
    const std::vector<std::string> saving = fuzz::Messages();
    if (!saving.empty()) fuzz::Finding("a loaded project is not saved: " + saving.front());
    fuzz::CloseAllWindows();
    fuzz::ForgetMessages();
    fuzz::RunCommand(sorvan::CmdOpenProject, {fuzz::ProgramPath(folder + "/q.svr")});
    const std::vector<std::string> reopening = fuzz::Messages();
    if (!reopening.empty()) fuzz::Finding("a saved project does not open: " + reopening.front());
    const std::vector<Shown> reloaded = Windows();
    if (!(reloaded == loaded))
      fuzz::Finding("the saved project gives other windows: " + Describe(loaded) + "became " + Describe(reloaded));
  }
  fuzz::CloseAllWindows();
  fuzz::ForgetMessages();
  return 0;
}
