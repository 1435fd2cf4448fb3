// The window choice page (page 20x).
#include "dialogs/window_choice_page.h"

#include "core/events.h"
#include "core/model.h"
#include "dialogs/page.h"
#include "platform/controls.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 20;
constexpr int kRowsPerColumn = 20;
constexpr double kColumnCells = 28;

// The number of windows listed while the page is open.
int g_listed = 0;

bool PassesModeFilter(int w, const std::string& modeText) {
  if (modeText == G.MessageTexts[87] || modeText == G.LabelTexts[46]) return Win[w].HasFit != 0;
  if (modeText == G.LabelTexts[120] || modeText == G.LabelTexts[121])
    return Win[w].ErrorTableValid != 0;
  return true;
}

}  // namespace

void ShowWindowChoicePage(int excludedWindow, const std::string& modeText) {
  if (!PageCanOpen(kPage)) return;
  G.DialogResult = 0;
  int listed = 0;
  int listHeight = 0;  // pixels: one row of 1.1 cells per window, at most 20 rows
  const int rowPixels = static_cast<int>(plat::RoundHalfEven(1.1 * G.CharHeight));
  for (int w = 1; w <= kMaxWindows; ++w) {
    if (!Win[w].WindowOpen || w == excludedWindow || Win[w].WindowKind != SingleSpectrum) continue;
    if (!PassesModeFilter(w, modeText)) continue;
    ++listed;
    if (listed <= kRowsPerColumn) listHeight += rowPixels;
    G.ChosenWindows[listed] = w;
  }
  g_listed = listed;

  // 1 to 20 windows give one column, 21 to 40 two, and so on.
  const double width = (static_cast<int>(listed / 20.1) + 1) * kColumnCells;
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = width;
  spec.height = Cells(8, listHeight);
  spec.caption = modeText;
  spec.clearResult = true;
  spec.pointerGiven = true;
  spec.pointerX = 7;
  spec.pointerY = Cells(5.6, listHeight);
  if (listed > 0) {
    spec.firstEntry = "chk201";
    spec.firstEntryIndex = 1;
  }
  RunPage(spec, [&] {
    const int n = kPage;
    PageButton(n, "cmdOk201", plat::kNoIndex, 1, Cells(4.7, listHeight), 12, 1.2,
               G.ButtonTexts[2], ButtonRole::Default);
    PageButton(n, "cmdCancel202", plat::kNoIndex, 14, Cells(4.7, listHeight), 12, 1.2,
               G.ButtonTexts[1], ButtonRole::Cancel);
    PageButton(n, "cmd203", plat::kNoIndex, 1, Cells(3.2, listHeight), 25, 1.2, G.LabelTexts[17]);
    PageFrame(n, "frm201", plat::kNoIndex, 1, 1, width - 3, Cells(1.5, listHeight),
              G.MessageTexts[79]);
    for (int k = 1; k <= listed; ++k) {
      const int column = (k - 1) / kRowsPerColumn;
      const int row = k - kRowsPerColumn * column;
      const int w = static_cast<int>(G.ChosenWindows[k]);
      // The prefix text ("Window ") carries its own blank before the number.
      PageCheck(n, "chk201", k, 2 + kColumnCells * column, 1 + 1.1 * row, 25, 1.2, "", 0);
      // A long name is cut where the box ends, never into the next column.
      plat::SetText(n, "chk201", k,
                    TextFittedToControl(n, "chk201", k,
                                        G.MessageTexts[34] + plat::Trim(plat::NumberToText(w)) + " " +
                                            Win[w].SpectrumHeader.Name));
    }
  });
}

void cmdOk201_Click() {
  G.DialogResult = 1;
  // The ticked windows, renumbered from 1; the list always follows the
  // window numbers because the boxes do.
  int chosen = 0;
  for (int k = 1; k <= g_listed; ++k) {
    if (plat::Value(kPage, "chk201", k) != 1) continue;
    ++chosen;
    const int w = static_cast<int>(G.ChosenWindows[k]);
    G.ChosenWindows[chosen] = w;
  }
  G.ChosenWindowCount = static_cast<Int16>(chosen);
  ClosePage(kPage, 1);
}

void cmdCancel202_Click() {
  G.ChosenWindowCount = 0;
  ClosePage(kPage, 2);
}

void cmd203_Click() {
  for (int k = 1; k <= g_listed; ++k) plat::SetValue(kPage, "chk201", k, 1);
}

void RegisterWindowChoiceEvents() {
  RegisterEvent("cmdOk201_Click", [](plat::EventArgs&) { cmdOk201_Click(); });
  RegisterEvent("cmdCancel202_Click", [](plat::EventArgs&) { cmdCancel202_Click(); });
  RegisterEvent("cmd203_Click", [](plat::EventArgs&) { cmd203_Click(); });
}

}  // namespace sorvan
