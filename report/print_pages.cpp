// The print page and the print options page (see print_pages.h).
#include "report/print_pages.h"

#include <cmath>

#include "core/events.h"
#include "core/messages.h"
#include "core/model.h"
#include "dialogs/page.h"
#include "display/redraw.h"
#include "platform/controls.h"
#include "platform/text.h"
#include "report/print_page.h"

namespace sorvan {

namespace {

constexpr int kPrintPage = 9;
constexpr int kOptionsPage = 10;

std::string WindowText(int w) { return plat::NumberToText(w); }

// Reads the second-window box: a whole number that is 0 (none) or an open
// spectrum window. False, with message 9, for anything else (a number with
// decimals, a closed window, a number outside 1..100).
bool ReadSecondWindow() {
  const double typed = ReadPageNumber(kPrintPage, "ed91");
  const bool whole = std::isfinite(typed) && typed == std::floor(typed);
  const bool none = whole && typed == 0;
  const bool open = whole && IsSpectrumWindow(static_cast<long long>(typed)) &&
                    Win[static_cast<int>(typed)].WindowOpen;
  if (!none && !open) {
    ShowMessage(9, PageTargetWindow(kPrintPage));
    return false;
  }
  G.OtherWindow = static_cast<Byte>(typed);
  G.PrintSecondWindow = G.OtherWindow != 0 ? 1 : 0;
  return true;
}

}  // namespace

void ShowPrintPage(int& w) {
  if (!IsSpectrumWindow(w)) return;
  PageSpec spec;
  spec.dialogWindow = kPrintPage;
  spec.width = 31;
  spec.height = 9;
  spec.caption = G.MessageTexts[31];
  spec.clearResult = true;
  spec.spectrumWindow = w;
  spec.firstEntry = "ed91";
  RunPage(spec, [&] {
    const int n = kPrintPage;
    PageLabel(n, "lb91", plat::kNoIndex, 5, 0.5, 20, 1.2,
              G.MessageTexts[25] + WindowText(w) + G.MessageTexts[30]);
    PageLabel(n, "lb92", plat::kNoIndex, 5, 2, 20, 1.2, G.MessageTexts[25]);
    PageEdit(n, "ed91", plat::kNoIndex, 23, 2, 5, 1.1, WindowText(G.OtherWindow));
    PageButton(n, "cmd93", plat::kNoIndex, 1, 4.5, 28, 1.2, G.ButtonTexts[16]);
    PageButton(n, "cmdOk91", plat::kNoIndex, 1, 6, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(n, "cmdCancel92", plat::kNoIndex, 16, 6, 13, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
  });
}

void cmdOk91_Click() {
  if (!ReadSecondWindow()) return;
  G.DialogResult = 1;
  int w = PageTargetWindow(kPrintPage);
  PrintWindowPage(w);
  ClosePage(kPrintPage, 1);
}

void cmd93_Click() {
  if (!ReadSecondWindow()) return;
  ClosePage(kPrintPage, 93);
}

void cmdCancel92_Click() { ClosePage(kPrintPage, 2); }

void ShowPrintOptionsPage(int& w) {
  if (!IsSpectrumWindow(w)) return;
  PageSpec spec;
  spec.dialogWindow = kOptionsPage;
  spec.width = 41;
  spec.height = 13;
  spec.caption = G.MessageTexts[32];
  spec.clearResult = true;
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 8.6;
  G.DialogResult = 0;
  const int other = G.OtherWindow;
  RunPage(spec, [&] {
    const int n = kOptionsPage;
    const std::string two = "  ";
    PageFrame(n, "frm101", plat::kNoIndex, 1, 1, 38, 8, G.ButtonTexts[16]);
    // The boxes of one window: header and fit table, or the single box of a
    // chemical-state plot.
    auto boxesOf = [&](int window, const std::string& header, const std::string& table, double y) {
      const std::string who = two + G.MessageTexts[34] + WindowText(window);
      if (Win[window].WindowKind == ChemicalStatePlot) {
        PageCheck(n, header, plat::kNoIndex, 2, y, 35, 1.2, who + G.LabelTexts[88],
                  Win[window].PrintHeaderBlock);
        return;
      }
      PageCheck(n, header, plat::kNoIndex, 2, y, 35, 1.1, who + G.MessageTexts[33],
                Win[window].PrintHeaderBlock);
      const bool fit = Win[window].HasFit == 1;
      PageCheck(n, table, plat::kNoIndex, 2, y + 1.2, 35, 1.1, who + G.LabelTexts[212],
                fit ? Win[window].PrintFitTable : 0);
      plat::SetEnabled(n, table, plat::kNoIndex, fit);
    };
    boxesOf(w, "chk101", "chk103", 2.5);
    if (IsSpectrumWindow(other)) {
      boxesOf(other, "chk102", "chk104", 6);
    } else {
      PageCheck(n, "chk102", plat::kNoIndex, 2, 6, 32, 1.2, two + G.MessageTexts[80], Win[0].PrintHeaderBlock);
    }
    PageButton(n, "cmdOk101", plat::kNoIndex, 1, 10, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(n, "cmdCancel102", plat::kNoIndex, 26, 10, 13, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
  });
}

void cmdOk101_Click() {
  const int n = kOptionsPage;
  const int w = PageTargetWindow(n);
  const int other = IsSpectrumWindow(G.OtherWindow) ? G.OtherWindow : 0;
  auto value = [&](const char* name) {
    return static_cast<Byte>(plat::Value(n, name) != 0 ? 1 : 0);
  };
  Win[w].PrintHeaderBlock = value("chk101");
  Win[other].PrintHeaderBlock = value("chk102");
  if (Win[w].HasFit == 1 && plat::ControlExists(n, "chk103")) Win[w].PrintFitTable = value("chk103");
  if (other != 0 && Win[other].HasFit == 1 && plat::ControlExists(n, "chk104"))
    Win[other].PrintFitTable = value("chk104");
  ClosePage(n, 1);
}

void cmdCancel102_Click() { ClosePage(kOptionsPage, 2); }

void RunPrintCommand(int w) {
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  for (;;) {
    ShowPrintPage(w);
    if (G.DialogResult != 93) break;
    ShowPrintOptionsPage(w);
  }
  RedrawWindow(w);
}

void RegisterPrintPageEvents() {
  RegisterEvent("cmdOk91_Click", [](plat::EventArgs&) { cmdOk91_Click(); });
  RegisterEvent("cmdCancel92_Click", [](plat::EventArgs&) { cmdCancel92_Click(); });
  RegisterEvent("cmd93_Click", [](plat::EventArgs&) { cmd93_Click(); });
  RegisterEvent("cmdOk101_Click", [](plat::EventArgs&) { cmdOk101_Click(); });
  RegisterEvent("cmdCancel102_Click", [](plat::EventArgs&) { cmdCancel102_Click(); });
}

}  // namespace sorvan
