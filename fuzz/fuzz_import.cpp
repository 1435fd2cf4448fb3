// Import of one instrument format through its menu command, as a user opens a
// file: File > Import > <format>, the file dialog answered with the input,
// every page answered with OK. A window that was filled is then reverted
// (its source read again without a dialog) and its blocks opened again.
//
// SORVAN_FUZZ_TARGET names the format. The input is the chosen file; lines
// "@@file <name>" start further files beside it (the ASC file of an INF
// file, the further files of a numbered set).
#include <string>
#include <vector>

#include "core/menu_commands.h"
#include "fuzz/harness.h"

namespace {

struct Format {
  const char* target;
  int command;
  const char* file;  // the name the input is written under
};

const Format kFormats[] = {
    {"tap-blocks", sorvan::CmdImportTapBlocks, "spectra.tap"},
    {"eclipse-tap", sorvan::CmdImportEclipseTap, "spectra.tap"},
    {"prefixed-text", sorvan::CmdImportPrefixedText, "spectrum.txt"},
    {"keyword-text", sorvan::CmdImportKeywordText, "spectrum.txt"},
    {"inf-asc", sorvan::CmdImportInfAsc, "spectrum.INF"},
    {"numbered-files", sorvan::CmdImportNumberedFiles, "run.1"},
    {"vamas", sorvan::CmdImportVamas, "spectra.vms"},
    {"npl", sorvan::CmdImportNpl, "spectra.npl"},
    {"two-column-binding", sorvan::CmdImportTwoColumnBinding, "spectrum.dat"},
    {"two-column-binding-reversed", sorvan::CmdImportTwoColumnBindingReversed, "spectrum.dat"},
    {"two-column-kinetic-reversed", sorvan::CmdImportTwoColumnKineticReversed, "spectrum.dat"},
    {"two-column-kinetic", sorvan::CmdImportTwoColumnKinetic, "spectrum.dat"},
    {"spx-experiment", sorvan::CmdImportSpxExperiment, "experiment.exp"},
    {"pcf", sorvan::CmdImportPcf, "spectra.pcf"},
    {"transmission-function", sorvan::CmdImportTransmissionFunction, "function.trm"},
};

const Format* g_format = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  std::vector<std::string> targets;
  for (const Format& f : kFormats) targets.push_back(f.target);
  const std::string chosen = fuzz::ChosenTarget(targets);
  for (const Format& f : kFormats)
    if (chosen == f.target) g_format = &f;
  fuzz::StartProgram(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string folder = fuzz::FreshWorkFolder();
  const std::vector<fuzz::Part> parts = fuzz::SplitInput(data, size);
  const std::string file = folder + "/" + g_format->file;
  fuzz::WriteFile(file, parts[0].bytes);
  for (size_t i = 1; i < parts.size(); ++i) fuzz::WriteFile(folder + "/" + parts[i].name, parts[i].bytes);

  fuzz::RunCommand(g_format->command, {fuzz::ProgramPath(file)});
  if (fuzz::OpenWindowCount() > 0) {
    fuzz::RunCommand(sorvan::CmdRevertSpectrum);
    fuzz::RunCommand(sorvan::CmdOpenFileBlocks);
    fuzz::RunCommand(sorvan::CmdOpenDepthProfileBlocks);
  }
  fuzz::CloseAllWindows();
  fuzz::ForgetMessages();
  return 0;
}
