// The peak count page (page 11x).
#include "fiterrors/peak_count_page.h"

#include "core/events.h"
#include "core/model.h"
#include "dialogs/page.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 11;
constexpr int kMostPeaks = 15;

}  // namespace

int PeakCountFromTyped(double typed) {
  // Held to the range while still a double: a huge typed count cannot
  // overflow the 16-bit field.
  if (!(typed >= 1)) return 1;
  if (typed > kMostPeaks) return kMostPeaks;
  const int count = static_cast<int>(plat::RoundHalfEven(typed));
  return count < 1 ? 1 : (count > kMostPeaks ? kMostPeaks : count);
}

void ShowPeakCountPage(int w) {
  if (!IsSpectrumWindow(w)) return;
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 18;
  spec.height = 6;
  spec.caption = Win[w].PeakType + G.MessageTexts[35];
  spec.spectrumWindow = w;
  spec.firstEntry = "ed111";
  // The page has no Cancel button: its close box keeps the count.
  spec.onCloseBox = [] {};
  const Int16 resultBefore = G.DialogResult;
  RunPage(spec, [w] {
    const int n = kPage;
    PageEdit(n, "ed111", plat::kNoIndex, 1, 1, 5, 1.1, plat::NumberToText(Win[w].PeakCount));
    PageLabel(n, "lb111", plat::kNoIndex, 8, 1, 10, 1.2, "Max = " + G.MaxPeaksText);
    PageButton(n, "cmdOk111", plat::kNoIndex, 2, 3, 13, 1.2, G.ButtonTexts[2],
               ButtonRole::Default);
  });
  // The count page leaves the answer of the page before it as it was.
  G.DialogResult = resultBefore;
}

void cmdOk111_Click() {
  const int w = PageTargetWindow(kPage);
  if (IsSpectrumWindow(w)) {
    Win[w].PeakCount = static_cast<Int16>(PeakCountFromTyped(ReadPageNumber(kPage, "ed111")));
    Win[w].HasFit = 0;
  }
  ClosePage(kPage, -1);
}

void RegisterPeakCountPageEvents() {
  RegisterEvent("cmdOk111_Click", [](plat::EventArgs&) { cmdOk111_Click(); });
}

}  // namespace sorvan
