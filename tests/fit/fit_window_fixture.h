// A spectrum window set up for a fit of the window in a test: the model
// cleared, no pages, the kinetic axis in counts, and the window holding the
// given counts with one scan of 1 s, the whole spectrum as its region and the
// same counts as the imported spectrum that the fit takes its weights from.
#pragma once
#include <vector>

#include "core/model.h"
#include "core/store.h"
#include "fit/lm_fit.h"

namespace fittest {

inline void PlaceCountsForFit(int w, const std::vector<double>& counts, double step,
                              double startEnergy) {
  using namespace sorvan;
  InitialiseModel();
  FitPageHooks() = FitPages{};
  G.MessageTexts[47] = "Singlet";
  G.MessageTexts[52] = "Doublet";
  G.EnergyAxisMode = 1;
  G.CpsMode = 0;
  G.BatchMode = 1;
  const int n = static_cast<int>(counts.size());
  WindowRecord& win = Win[w];
  auto& h = win.SpectrumHeader;
  h.PointCount = static_cast<Int16>(n);
  h.EnergyStep = step;
  h.StartEnergy = startEnergy;
  h.EndEnergy = startEnergy + (n - 1) * step;
  h.ExcitationEnergy = 1486.6;
  h.ScanCount = 1;
  h.DwellTime = 1;
  win.RegionStart = 1;
  win.RegionEnd = static_cast<Int16>(n);
  win.RegionLength = static_cast<Int16>(n);
  win.SourceSpectrumIndex = 1;
  ImportedHeader[1] = h;
  ImportedValues[1].Resize(n);
  DimSlotData(w);
  for (int i = 1; i <= n; ++i) {
    SlotData[w](i, 1) = counts[i - 1];
    ImportedValues[1][i] = counts[i - 1];
  }
}

}  // namespace fittest
