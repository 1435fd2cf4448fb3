// Small VAMAS files for the reader tests, written the way instruments write
// them, with switches for the optional lists of the format.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "support/test_support.h"

namespace importtest {

struct BlockSpec {
  std::string id = "block";
  std::string sample = "S1";
  std::string species = "C";
  std::string transition = "1s";
  std::string abscissaLabel = "Kinetic Energy";
  double start = 1000;
  double increment = 0.1;
  double excitation = 1486.6;
  int variables = 1;  // corresponding variables; every value is followed by the others
  std::vector<double> values = {1, 2, 3};
  std::vector<std::string> comments;  // block comment lines
  int additionalParameters = 0;
  std::string technique = "XPS";
  std::string ordinateCount;  // "" = the right count
};

struct FileSpec {
  std::string firstLine = "VAMAS Surface Chemical Analysis Standard Data Transfer Format 1988 May 4";
  std::vector<std::string> comments;  // header comment lines
  std::string mode = "NORM";
  int experimentalVariables = 0;
  std::vector<int> inclusionList;  // entries of the parameter inclusion list
  int manualItems = 0;
  int futureExperimentEntries = 0;
  int futureBlockEntries = 0;
  std::vector<BlockSpec> blocks = {BlockSpec{}};
  std::string blockCount;  // "" = the number of blocks
};

inline std::string Num(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

inline std::string MakeVamas(const FileSpec& f) {
  std::vector<std::string> L;
  L.push_back(f.firstLine);
  for (const char* s : {"institution", "model", "operator", "experiment"}) L.push_back(s);
  L.push_back(std::to_string(f.comments.size()));
  for (auto& c : f.comments) L.push_back(c);
  L.push_back(f.mode);
  L.push_back("REGULAR");
  L.push_back("1");
  L.push_back(std::to_string(f.experimentalVariables));
  for (int i = 0; i < f.experimentalVariables; ++i) {
    L.push_back("variable " + std::to_string(i + 1));
    L.push_back("d");
  }
  L.push_back(std::to_string(f.inclusionList.size()));
  for (int e : f.inclusionList) L.push_back(std::to_string(e));
  L.push_back(std::to_string(f.manualItems));
  for (int i = 0; i < f.manualItems; ++i) L.push_back("7");
  L.push_back(std::to_string(f.futureExperimentEntries));
  L.push_back(std::to_string(f.futureBlockEntries));
  for (int i = 0; i < f.futureExperimentEntries; ++i) L.push_back("future");
  L.push_back(f.blockCount.empty() ? std::to_string(f.blocks.size()) : f.blockCount);
  bool first = true;
  for (const BlockSpec& b : f.blocks) {
    // A later block of a file with an inclusion list holds only the listed
    // items; the fixtures list none beyond what they repeat, so they write
    // every block in full and leave the list empty unless a test says so.
    (void)first;
    first = false;
    for (auto& s : {b.id, b.sample, std::string("1988"), std::string("5"), std::string("4"),
                    std::string("10"), std::string("11"), std::string("12"), std::string("0")})
      L.push_back(s);
    L.push_back(std::to_string(b.comments.size()));
    for (auto& c : b.comments) L.push_back(c);
    L.push_back(b.technique);
    for (int i = 0; i < f.experimentalVariables; ++i) L.push_back(std::to_string(i + 10));
    L.push_back("Al");
    L.push_back(Num(b.excitation));
    for (const char* s : {"300", "1E37", "1E37", "1E37", "1E37", "FAT", "20", "1", "4.5", "0",
                          "1E37", "1E37", "1E37", "1E37"})
      L.push_back(s);
    L.push_back(b.species);
    L.push_back(b.transition);
    L.push_back("-1");
    L.push_back(b.abscissaLabel);
    L.push_back("eV");
    L.push_back(Num(b.start));
    L.push_back(Num(b.increment));
    L.push_back(std::to_string(b.variables));
    for (int v = 0; v < b.variables; ++v) {
      L.push_back(v == 0 ? "Intensity" : "Transmission");
      L.push_back("d");
    }
    for (const char* s : {"pulse counting", "0.2", "10", "0", "1E37", "1E37", "1E37"})
      L.push_back(s);
    L.push_back(std::to_string(b.additionalParameters));
    for (int i = 0; i < b.additionalParameters; ++i) {
      L.push_back("parameter");
      L.push_back("d");
      L.push_back("3");
    }
    for (int i = 0; i < f.futureBlockEntries; ++i) L.push_back("future");
    L.push_back(b.ordinateCount.empty() ? std::to_string(b.values.size() * b.variables)
                                        : b.ordinateCount);
    for (int v = 0; v < b.variables; ++v) {
      L.push_back("0");
      L.push_back("100000");
    }
    for (double value : b.values) {
      L.push_back(Num(value));
      for (int v = 1; v < b.variables; ++v) L.push_back("0.5");
    }
  }
  L.push_back("end of experiment");
  std::string text;
  for (auto& l : L) text += l + "\r\n";
  return text;
}

inline std::vector<double> Ramp(int n, double first = 1) {
  std::vector<double> v(n);
  for (int i = 0; i < n; ++i) v[i] = first + i;
  return v;
}

// The model reset and the VAMAS reader ready to read a file without a dialog.
class ImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::driver::Reset();
    sorvan::InitialiseModel();
    folder_ = testsupport::MakeTempFolder("import");
  }
  void TearDown() override { plat::CloseAll(); }

  // Writes `text` to a file and returns its program-form path.
  std::string WriteVamas(const std::string& text, const std::string& name = "test.vms") {
    const std::string native = folder_ + "/" + name;
    testsupport::WriteFile(native, text);
    return plat::ProgramPath(native);
  }

  // Queues the answer of one message box (message 3 or 1).
  static void ExpectMessage() { plat::script::AnswerMessage(1); }
  // Drops the queued answer when the message was not shown as a box (a
  // build whose messages are not worded yet), so that the script ends clean.
  static void EndMessageScript() {
    if (plat::driver::StepsLeft() > 0) plat::driver::Reset();
    plat::driver::Finish();
  }

  std::string folder_;
};

}  // namespace importtest
