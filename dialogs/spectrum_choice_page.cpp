// The spectrum choice page (page 2x).
#include "dialogs/spectrum_choice_page.h"

#include <algorithm>

#include "core/events.h"
#include "core/model.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "platform/controls.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 2;
// Imported spectra 1..100 have header indices up to 110.
constexpr int kMaxImportedSpectra = 100;

int ListedSpectra() { return std::clamp<int>(G.SpectraReadCount, 0, kMaxImportedSpectra); }

}  // namespace

void ShowSpectrumChoicePage() {
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 31;
  spec.height = 18;
  spec.caption = G.MessageTexts[7];
  spec.guard = PageGuard::Window2;
  spec.clearResult = true;
  spec.pointerGiven = true;
  spec.pointerX = 15;
  spec.pointerY = 15.1;
  RunPage(spec, [] {
    const int n = kPage;
    // The file's path as the user reads it: its name and the folders
    // nearest it, as many as the label holds.
    PageLabel(n, "lb21", plat::kNoIndex, 1, 0.5, 27, 1.2, "");
    plat::SetText(n, "lb21", plat::kNoIndex, PathFittedToControl(n, "lb21", plat::kNoIndex, G.SourceFilePath));
    PageList(n, "lib21", plat::kNoIndex, 1, 2, 28, 11, true);
    PageButton(n, "cmd23", plat::kNoIndex, 1, 13.5, 28, 1.2, G.LabelTexts[19]);
    PageButton(n, "cmdOk21", plat::kNoIndex, 1, 15, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(n, "cmdCancel22", plat::kNoIndex, 16, 15, 13, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
    if (G.ImportMode.rfind("SDP", 0) == 0) G.SpectraReadCount = G.SdpBlockCount;
    for (int k = 1; k <= ListedSpectra(); ++k)
      plat::AddListItem(n, "lib21", plat::kNoIndex, ImportedHeader[HeaderIndexOfSpectrum(k)].Name);
    G.ChosenBlockCount = 0;
  });
}

// Item i of the list is imported spectrum i + 1: the choice goes by position,
// so that spectra of the same name are each placed once.
void cmdOk21_Click() {
  G.DialogResult = 1;
  const int items = std::min(ListedSpectra(), plat::ListCount(kPage, "lib21"));
  int chosen = 0;
  for (int i = 0; i < items; ++i) {
    if (!plat::ItemSelected(kPage, "lib21", plat::kNoIndex, i)) continue;
    G.ChosenBlocks[chosen++] = static_cast<Int16>(HeaderIndexOfSpectrum(i + 1));
  }
  G.ChosenBlockCount = static_cast<Int16>(chosen);
  ClosePage(kPage, 1);
}

void cmdCancel22_Click() { ClosePage(kPage, -1); }

void cmd23_Click() {
  G.DialogResult = 1;
  const int items = std::min(ListedSpectra(), plat::ListCount(kPage, "lib21"));
  for (int i = 0; i < items; ++i) G.ChosenBlocks[i] = static_cast<Int16>(HeaderIndexOfSpectrum(i + 1));
  G.ChosenBlockCount = static_cast<Int16>(items);
  ClosePage(kPage, 1);
}

void RegisterSpectrumChoiceEvents() {
  RegisterEvent("cmdOk21_Click", [](plat::EventArgs&) { cmdOk21_Click(); });
  RegisterEvent("cmdCancel22_Click", [](plat::EventArgs&) { cmdCancel22_Click(); });
  RegisterEvent("cmd23_Click", [](plat::EventArgs&) { cmd23_Click(); });
}

}  // namespace sorvan
