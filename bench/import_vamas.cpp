// Importing a VAMAS file of 100 blocks of 2000 points: the parse alone and the
// whole read into the imported-spectrum store. Reading should be bound by
// the conversion of the numbers, not by bookkeeping.
//
// A file of 1 MB whose first block carries 2000 experimental variables and
// whose 65000 later blocks carry only their identifier (the inclusion list
// gives them the rest of the first block): the parse must hold what the
// store keeps (100 blocks), not a copy of the first block per block
// announced. The counter held_kB is what the parsed file holds.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/model.h"
#include "core/store.h"
#include "import/vamas.h"
#include "platform/files.h"

namespace {

std::string MakeFile(int blocks, int points) {
  std::string t;
  auto line = [&t](const std::string& s) { t += s + "\r\n"; };
  line("VAMAS Surface Chemical Analysis Standard Data Transfer Format 1988 May 4");
  for (int i = 0; i < 4; ++i) line("x");
  for (const char* s : {"0", "NORM", "REGULAR", "1", "0", "0", "0", "0", "0"}) line(s);
  line(std::to_string(blocks));
  char buf[32];
  for (int b = 0; b < blocks; ++b) {
    for (const char* s : {"block", "sample", "2020", "1", "2", "3", "4", "5", "0", "0", "XPS", "Al",
                          "1486.6", "300", "1E37", "1E37", "1E37", "1E37", "FAT", "20", "1", "4.5",
                          "0", "1E37", "1E37", "1E37", "1E37", "C", "1s", "-1", "Kinetic Energy",
                          "eV", "1000", "0.05", "1", "Intensity", "d", "pulse counting", "0.1", "3",
                          "0", "1E37", "1E37", "1E37", "0"})
      line(s);
    line(std::to_string(points));
    line("0");
    line("100000");
    for (int i = 0; i < points; ++i) {
      std::snprintf(buf, sizeof buf, "%.1f", 10000.0 + (i * 37 % 5000) + 0.5);
      line(buf);
    }
  }
  line("end of experiment");
  return t;
}

// The header and first block of a file with `variables` experimental
// variables and an inclusion list naming only the block identifier, then
// `blocks` - 1 later blocks of one point each.
std::string MakePatternFile(int variables, int blocks) {
  std::string t;
  auto line = [&t](const std::string& s) { t += s + "\r\n"; };
  line("VAMAS Surface Chemical Analysis Standard Data Transfer Format 1988 May 4");
  for (int i = 0; i < 4; ++i) line("x");
  for (const char* s : {"0", "NORM", "REGULAR", "1"}) line(s);
  line(std::to_string(variables));
  for (int i = 0; i < variables; ++i) {
    line("v");
    line("d");
  }
  for (const char* s : {"1", "1", "0", "0", "0"}) line(s);
  line(std::to_string(blocks));
  for (const char* s : {"block", "sample", "2020", "1", "2", "3", "4", "5", "0", "0", "XPS"}) line(s);
  for (int i = 0; i < variables; ++i) line("1");
  for (const char* s : {"Al", "1486.6", "300", "1E37", "1E37", "1E37", "1E37", "FAT", "20", "1", "4.5",
                        "0", "1E37", "1E37", "1E37", "1E37", "C", "1s", "-1", "Kinetic Energy", "eV",
                        "1000", "0.05", "1", "Intensity", "d", "pulse counting", "0.1", "3", "0",
                        "1E37", "1E37", "1E37", "0", "1", "0", "100000", "5"})
    line(s);
  for (int b = 1; b < blocks; ++b)
    for (const char* s : {"b", "1", "0", "9", "5"}) line(s);
  line("end of experiment");
  return t;
}

std::size_t HeldBytes(const sorvan::VamasFile& file) {
  std::size_t bytes = sizeof file + file.Comment.capacity() + file.Mode.capacity();
  for (const sorvan::VamasBlock& b : file.Blocks) {
    bytes += sizeof b + b.Values.capacity() * sizeof(double);
    for (const std::string* s : {&b.BlockId, &b.Sample, &b.Year, &b.Month, &b.Day, &b.Comment,
                                 &b.Technique, &b.FirstExperimentalValue, &b.AnalyserMode,
                                 &b.Species, &b.Transition, &b.AbscissaLabel})
      bytes += s->capacity();
  }
  return bytes;
}

void BM_ParseVamasBlocksOfOnePattern(benchmark::State& state) {
  static const std::string text = MakePatternFile(2000, 65000);
  std::size_t held = 0;
  for (auto _ : state) {
    sorvan::VamasFile file = sorvan::ParseVamas(text);
    held = HeldBytes(file);
    benchmark::DoNotOptimize(file.Blocks.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
  state.counters["file_kB"] = static_cast<double>(text.size()) / 1024;
  state.counters["held_kB"] = static_cast<double>(held) / 1024;
}
BENCHMARK(BM_ParseVamasBlocksOfOnePattern)->Unit(benchmark::kMillisecond);

const std::string& TestFile() {
  static const std::string text = MakeFile(100, 2000);
  return text;
}

void BM_ParseVamas(benchmark::State& state) {
  const std::string& text = TestFile();
  for (auto _ : state) {
    sorvan::VamasFile file = sorvan::ParseVamas(text);
    benchmark::DoNotOptimize(file.Blocks.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 100 * 2000);
}
BENCHMARK(BM_ParseVamas)->Unit(benchmark::kMillisecond);

void BM_ImportVamasIntoStore(benchmark::State& state) {
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "sorvan_bench.vms";
  std::ofstream(path, std::ios::binary) << TestFile();
  sorvan::InitialiseModel();
  const std::string programPath = plat::ProgramPath(path.string());
  for (auto _ : state) {
    sorvan::G.FileDialogResult = programPath;
    sorvan::Win[0].ImportFormat = 12;
    sorvan::ImportVamas(0, 0);
    benchmark::DoNotOptimize(sorvan::ImportedValues[100].data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 100 * 2000);
  std::filesystem::remove(path);
}
BENCHMARK(BM_ImportVamasIntoStore)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
