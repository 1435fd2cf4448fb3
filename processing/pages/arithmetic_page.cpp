// Page 8x and ApplyWindowArithmetic: a window's spectrum combined point by
// point with the spectrum of the current window (or, in a series, of the
// series template).
#include "processing/pages/arithmetic_page.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/events.h"
#include "core/model.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "platform/controls.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 8;
// Only windows 1..30 can be named on the page.
constexpr int kHighestOtherWindow = 30;

// Column 1 of window w over its region, 0 at every other point.
std::vector<double> RegionSpectrum(int w) {
  const int n = WindowPointCount(w);
  std::vector<double> y(static_cast<std::size_t>(n) + 1, 0.0);
  const int first = std::max<int>(Win[w].RegionStart, 1);
  const int last = std::min<int>(Win[w].RegionEnd, n);
  for (int i = first; i <= last; ++i) y[i] = SlotData[w](i, 1);
  return y;
}

bool Combinable(int a, int b) {
  return IsSpectrumWindow(a) && IsSpectrumWindow(b) && a != b && Win[a].WindowOpen &&
         Win[b].WindowOpen && WindowPointCount(a) == WindowPointCount(b) &&
         WindowPointCount(a) >= 1;
}

}  // namespace

ArithmeticOperation CurrentArithmeticOperation() {
  const std::string& name = G.ArithmeticOperationName;
  if (name.empty()) return ArithmeticOperation::None;
  if (name == G.MessageTexts[21]) return ArithmeticOperation::Add;
  if (name == G.MessageTexts[22]) return ArithmeticOperation::Subtract;
  if (name == G.MessageTexts[23]) return ArithmeticOperation::Multiply;
  if (name == G.MessageTexts[24]) return ArithmeticOperation::Divide;
  return ArithmeticOperation::None;
}

void CombineSpectra(ArithmeticOperation op, std::span<const double> a, std::span<const double> b,
                    std::span<const double> unchanged, std::span<double> result) {
  const std::size_t n = std::min({a.size(), b.size(), unchanged.size(), result.size()});
  for (std::size_t i = 1; i < n; ++i) {
    switch (op) {
      case ArithmeticOperation::Add: result[i] = b[i] + a[i]; break;
      case ArithmeticOperation::Subtract: result[i] = b[i] - a[i]; break;
      case ArithmeticOperation::Multiply: result[i] = b[i] * a[i]; break;
      case ArithmeticOperation::Divide:
        result[i] = a[i] != 0 ? b[i] / a[i] : unchanged[i];
        break;
      case ArithmeticOperation::None: result[i] = unchanged[i]; break;
    }
  }
}

void ShowWindowArithmeticPage(int w) {
  if (!IsSpectrumWindow(w) || !PageCanOpen(kPage)) return;
  int phrase = 26;
  switch (CurrentArithmeticOperation()) {
    case ArithmeticOperation::Subtract: phrase = 27; break;
    case ArithmeticOperation::Multiply: phrase = 28; break;
    case ArithmeticOperation::Divide: phrase = 29; break;
    default: break;
  }
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 31;
  spec.height = 8;
  spec.caption = G.ArithmeticOperationName;
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 6.6;
  spec.firstEntry = "ed81";
  RunPage(spec, [&] {
    const auto none = plat::kNoIndex;
    PageLabel(kPage, "lb81", none, 1, 1, 21, 1.2, G.MessageTexts[25]);
    PageEdit(kPage, "ed81", none, 23, 1, 5, 1.1, plat::NumberToText(G.OtherWindow));
    PageLabel(kPage, "lb82", none, 1, 2.5, 29, 1.2,
              G.MessageTexts[phrase] + " " + G.MessageTexts[25] + plat::Trim(plat::NumberToText(w)));
    PageButton(kPage, "cmdOk81", none, 1, 5, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(kPage, "cmdCancel82", none, 16, 5, 13, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
  });
}

bool ApplyWindowArithmetic(int w) {
  if (!IsSpectrumWindow(w)) return false;
  if (G.BatchMode == 0) {
    if (!plat::ControlExists(kPage, "ed81")) return false;
    // The range is checked on the typed number itself, so that no number
    // wraps round into a window number.
    const double typed = std::nearbyint(ReadPageNumber(kPage, "ed81"));
    if (!(typed >= 1 && typed <= kHighestOtherWindow)) return false;
    G.OtherWindow = static_cast<Byte>(plat::RoundHalfEven(ReadPageNumber(kPage, "ed81")));
  }
  const int other = G.OtherWindow;
  if (other < 1 || other > kHighestOtherWindow || !Combinable(w, other)) return false;

  int a = w;
  int target = other;
  if (G.BatchMode != 0) {
    a = G.SeriesTemplateWindow;
    target = w;
    if (!Combinable(a, w)) return false;
  }
  const std::vector<double> left = RegionSpectrum(a);
  const std::vector<double> right = RegionSpectrum(target);
  const int n = WindowPointCount(target);
  std::vector<double> stored(static_cast<std::size_t>(n) + 1, 0.0);
  for (int i = 1; i <= n; ++i) stored[i] = SlotData[target](i, 1);
  std::vector<double> result(stored.size(), 0.0);
  CombineSpectra(CurrentArithmeticOperation(), left, right, stored, result);

  Win[target].YRangeFixed = 0;
  LoadWorkData(target, 1, 1, n);
  for (int i = 1; i <= n; ++i) WorkData[i] = result[i];
  StoreWorkData(target, 1);
  LoadWorkData(target, 1, Win[target].RegionStart, Win[target].RegionEnd);
  ComputeIntensityRange(target);
  ComputeEnergyRange(target);
  Win[target].ArithmeticDone = 1;
  if (G.BatchMode == 0) Win[w].ArithmeticDone = 1;

  for (int v = 1; v <= kMaxWindows && Win[v].WindowOpen; ++v) RedrawWindow(v);
  return true;
}

void cmdOk81_Click() {
  const int w = G.CurrentWindow;
  ApplyWindowArithmetic(w);
  ClosePage(kPage, 1);
}

void cmdCancel82_Click() { ClosePage(kPage, 2); }

void RegisterArithmeticPageEvents() {
  RegisterEvent("cmdOk81_Click", [](plat::EventArgs&) { cmdOk81_Click(); });
  RegisterEvent("cmdCancel82_Click", [](plat::EventArgs&) { cmdCancel82_Click(); });
}

}  // namespace sorvan
