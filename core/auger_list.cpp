// The Auger-parameter list: its entries read into a window's store as a
// chemical-state plot (Auger parameter, binding energy, kinetic energy).
#include "core/auger_list.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/model.h"
#include "core/reference_files.h"
#include "core/store.h"
#include "core/text_rules.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kMaxEntries = 100;
// Energies beyond this (eV) belong to no photoelectron or Auger line; an
// entry holding one is left out, so that the plot's axes stay drawable.
constexpr double kLargestEnergy = 100000;

bool UsableEnergy(double e) { return std::isfinite(e) && std::fabs(e) <= kLargestEnergy; }

struct Entry {
  std::string text;
  double a = 0, b = 0, c = 0;
};

// The plot's name: the file name without its last four characters (".aup");
// a name too short for that stays whole.
std::string ListName(const std::string& path) {
  const std::string name = FileNameOfPath(path);
  const auto n = static_cast<long long>(plat::CharacterCount(name));
  return n > 4 ? plat::Left(name, n - 4) : name;
}

}  // namespace

void SetChemStateAxes(int w, int n, double kineticBelow) {
  double minB = WorkBackground[1], maxB = WorkBackground[1];
  double minC = WorkSigma[1], maxC = WorkSigma[1];
  for (int k = 1; k <= n; ++k) {
    minB = std::min(minB, WorkBackground[k]);
    maxB = std::max(maxB, WorkBackground[k]);
    minC = std::min(minC, WorkSigma[k]);
    maxC = std::max(maxC, WorkSigma[k]);
  }
  WindowRecord& win = Win[w];
  win.ChemStateXMin = std::floor(minB) - 1;
  win.ChemStateXMax = std::floor(maxB) + 2;
  win.ChemStateYMin = std::floor(minC) - kineticBelow;
  win.ChemStateYMax = std::floor(maxC) + 2;
  win.ChemStateXSpan = win.ChemStateXMax - win.ChemStateXMin;
  win.ChemStateYSpan = win.ChemStateYMax - win.ChemStateYMin;
}

bool ParseAugerEntry(const std::string& entry, double& a, double& b, double& c) {
  const auto equals = entry.find('=');
  if (equals == std::string::npos) return false;
  const auto plus = entry.find('+', equals + 1);
  if (plus == std::string::npos) return false;
  a = plat::TextToNumber(entry);
  b = plat::TextToNumber(entry.substr(equals + 1));
  c = plat::TextToNumber(entry.substr(plus + 1));
  return true;
}

void ZeroAugerWorkVectors() {
  WorkData.Resize(kMaxEntries);
  WorkBackground.Resize(kMaxEntries);
  WorkSigma.Resize(kMaxEntries);
}

AugerListReading FillAugerListWindow(int w, const std::vector<std::string>& lines) {
  Win[w].SourcePath = G.SourceFilePath;

  AugerListReading reading;
  std::vector<Entry> entries;
  for (const std::string& line : lines) {
    Entry e;
    if (!ParseAugerEntry(line, e.a, e.b, e.c)) continue;
    if (!UsableEnergy(e.a) || !UsableEnergy(e.b) || !UsableEnergy(e.c)) {
      ++reading.outOfRange;
      continue;
    }
    if (static_cast<int>(entries.size()) == kMaxEntries) {
      reading.tooMany = true;
      break;
    }
    e.text = WithoutControlBytes(line);
    entries.push_back(std::move(e));
  }
  const int n = static_cast<int>(entries.size());

  // Largest Auger parameter first, by this exchange sort (entries with equal
  // a keep the order the exchanges leave them in).
  for (int i = 0; i + 1 < n; ++i)
    for (int j = i + 1; j < n; ++j)
      if (entries[j].a > entries[i].a) std::swap(entries[i], entries[j]);

  ZeroAugerWorkVectors();
  for (int k = 1; k <= n; ++k) {
    const Entry& e = entries[static_cast<std::size_t>(k - 1)];
    Win[w].ChemStateEntries[k] = e.text;
    WorkData[k] = e.a;
    WorkBackground[k] = e.b;
    WorkSigma[k] = e.c;
  }

  G.CurrentWindow = static_cast<std::uint8_t>(w);
  Win[w].ChemStatePointCount = n;
  Win[w].SpectrumHeader.PointCount = static_cast<std::int16_t>(n);
  DimSlotData(w);
  StoreWorkData(w, 1);
  StoreWorkBackground(w, 2);
  StoreWorkSigma(w, 3);
  Win[w].WindowKind = ChemicalStatePlot;
  G.ImportedIndex = 1;

  SetChemStateAxes(w, n, 2);
  return reading;
}

void SetAugerListTitle(int w, const std::string& path) {
  auto& win = Win[w];
  win.ChemStateListName = ListName(path);
  const int m = (w - 1) * 100 + 1;
  Labels[m].TitleLabelText = win.ChemStateListName;
  Labels[m].TitleLabelX = win.ChemStateXMax - win.ChemStateXSpan / 20;
  Labels[m].TitleLabelY = win.ChemStateYMax - win.ChemStateYSpan / 20;
  win.TitleLabelCount = 1;
}

std::string AugerListProblemText(const AugerListReading& reading) {
  std::string problems;
  if (reading.outOfRange > 0)
    problems = std::to_string(reading.outOfRange) + (reading.outOfRange == 1 ? " entry" : " entries") +
               " with an energy beyond 100000 eV left out";
  if (reading.tooMany)
    problems += std::string(problems.empty() ? "" : "; ") +
                "the list holds more than 100 entries; only the first 100 are shown";
  return problems;
}

}  // namespace sorvan
