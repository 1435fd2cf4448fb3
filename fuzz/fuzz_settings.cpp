// The presetting and the other settings and reference files: each replaced in
// the program folder and read as the program reads it, at start-up or
// through its menu command. A file the program also writes is written,
// read and written again: the second writing must give the bytes of the
// first, as every writer writes only what its reader reads back.
//
// SORVAN_FUZZ_TARGET names the file; the input is its contents.
#include <string>
#include <vector>

#include "core/menu_commands.h"
#include "core/reference_files.h"
#include "fuzz/harness.h"

namespace {

enum class Way {
  Startup,         // read at start-up only
  Presetting,      // start-up, Options > Save presetting, Load presetting, Save again
  Satellites,      // start-up, written, start-up again, written again
  Command,         // read by its menu command
  ParameterSet,    // read by the fit from a parameter file, on the shipped test spectrum
};

struct SettingsFile {
  const char* target;
  const char* file;  // below the program folder
  Way way;
  int command = 0;
};

const SettingsFile kFiles[] = {
    {"presetting", "presetting/presetting.set", Way::Presetting},
    {"language", "settings/language 2006.set", Way::Startup},
    {"region-names", "phi-names/phi_names.ele", Way::Startup},
    {"satellites", "settings/satellite.set", Way::Satellites},
    {"doublet-table", "settings/doublet.dda", Way::Startup},
    {"line-positions", "lines/linienlage.pos", Way::Startup},
    {"sensitivity-factors", "sensitifity factors/fuzz.sen", Way::Command, sorvan::CmdLoadSensitivityFactors},
    {"transmission-parameters", "XPS-transfct/fuzz.trm", Way::Command, sorvan::CmdLoadTransmissionParameters},
    {"auger-list", "auger parameters/fuzz.aup", Way::Command, sorvan::CmdOpenAugerList},
    {"parameter-set", "settings/fuzz.par", Way::ParameterSet},
};

const SettingsFile* g_file = nullptr;

void Restart() {
  if (!fuzz::RestartProgram()) fuzz::Finding("the program does not start from its folder");
}

// The satellite table as the program writes it from what it read.
std::string WrittenSatellites() {
  try {
    sorvan::WriteSatelliteFile();
  } catch (const std::exception& e) {
    fuzz::Finding(std::string("the satellite table is not written: ") + e.what());
  }
  return fuzz::ReadFile(g_file->file);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  std::vector<std::string> targets;
  for (const SettingsFile& f : kFiles) targets.push_back(f.target);
  const std::string chosen = fuzz::ChosenTarget(targets);
  for (const SettingsFile& f : kFiles)
    if (chosen == f.target) g_file = &f;
  fuzz::StartProgram(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::WriteFile(g_file->file, std::string(reinterpret_cast<const char*>(data), size));
  const std::string path = fuzz::ProgramPath(g_file->file);
  switch (g_file->way) {
    case Way::Startup:
      Restart();
      break;
    case Way::Presetting: {
      Restart();
      const std::string folder = fuzz::FreshWorkFolder();
      fuzz::RunCommand(sorvan::CmdSavePresetting, {fuzz::ProgramPath(folder + "/a.set")});
      const std::string first = fuzz::ReadFile(folder + "/a.set");
      if (first.empty()) break;
      fuzz::RunCommand(sorvan::CmdLoadPresetting, {fuzz::ProgramPath(folder + "/a.set")});
      fuzz::RunCommand(sorvan::CmdSavePresetting, {fuzz::ProgramPath(folder + "/b.set")});
      const std::string second = fuzz::ReadFile(folder + "/b.set");
      if (second != first) fuzz::Finding("the presetting saved, loaded and saved again changed at " + fuzz::FirstDifference(first, second));
      break;
    }
    case Way::Satellites: {
      Restart();
      const std::string first = WrittenSatellites();
      Restart();
      const std::string second = WrittenSatellites();
      if (second != first) fuzz::Finding("the satellite table written, read and written again changed at " +
                                           fuzz::FirstDifference(first, second));
      break;
    }
    case Way::Command:
      fuzz::RunCommand(g_file->command, {path});
      fuzz::CloseAllWindows();
      break;
    case Way::ParameterSet:
      fuzz::CloseAllWindows();
      fuzz::RunCommand(sorvan::CmdImportTestSpectrum, {fuzz::ProgramPath("test spectra/Simulated C1s Au4f.vms")});
      if (fuzz::OpenWindowCount() > 0) fuzz::RunCommand(sorvan::CmdFitFromParameterFile, {path});
      fuzz::CloseAllWindows();
      break;
  }
  fuzz::ForgetMessages();
  return 0;
}
