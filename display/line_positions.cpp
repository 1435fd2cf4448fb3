// Conversion of the line list between the energy scales (see line_positions.h).
#include "display/line_positions.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "core/model.h"
#include "core/text_rules.h"
#include "platform/text.h"

namespace sorvan {

namespace {

// hv of the current window; 0 when no spectrum window is current.
double CurrentExcitationEnergy() {
  const int w = G.CurrentWindow;
  return IsSpectrumWindow(w) ? Win[w].SpectrumHeader.ExcitationEnergy : 0;
}

}  // namespace

std::string WithLeadingEnergy(const std::string& entry, double energy) {
  const std::size_t start = LeadingNumberLength(entry);
  const std::string rest = start < entry.size() ? plat::Left(entry.substr(start), 20) : std::string();
  return plat::NumberToText(energy) + rest;
}

void ConvertLinePositions() {
  const int n = std::clamp<int>(G.ListEntryCount, 0, static_cast<int>(G.LineList.upper()));
  const double hv = CurrentExcitationEnergy();
  const bool kinetic = G.EnergyAxisMode != 0;
  if (G.LineFilterOwnFile != 1) {
    for (int k = 1; k <= n; ++k) {
      const std::string& entry = G.LineList[k];
      const bool holdsKinetic = entry.find('(') != std::string::npos;
      if (holdsKinetic == kinetic) continue;
      const double e = static_cast<double>(plat::RoundHalfEven(plat::TextToNumber(entry)));
      G.LineList[k] = WithLeadingEnergy(entry, static_cast<double>(plat::RoundHalfEven(hv - e)));
    }
  } else {
    const bool fileKinetic = G.LineFileName.find('(') != std::string::npos;
    if (fileKinetic != kinetic) {
      for (int k = 1; k <= n; ++k)
        G.LineList[k] = WithLeadingEnergy(G.LineList[k], hv - plat::TextToNumber(G.LineList[k]));
    }
  }
  // Exchange sort: entry k is swapped with every later entry m that is out
  // of order with it; equal energies are never swapped.
  std::vector<double> energy(static_cast<std::size_t>(n) + 1);
  for (int k = 1; k <= n; ++k) energy[static_cast<std::size_t>(k)] = plat::TextToNumber(G.LineList[k]);
  for (int k = 1; k < n; ++k) {
    for (int m = k + 1; m <= n; ++m) {
      double& ek = energy[static_cast<std::size_t>(k)];
      double& em = energy[static_cast<std::size_t>(m)];
      if (kinetic ? ek < em : ek > em) {
        std::swap(ek, em);
        std::swap(G.LineList[k], G.LineList[m]);
      }
    }
  }
}

}  // namespace sorvan
