// Page 5x: the averaging points and the toolbar's actions and button size.
#include "dialogs/option_list_page.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/events.h"
#include "core/model.h"
#include "core/number_text.h"
#include "dialogs/page.h"
#include "platform/app.h"
#include "platform/controls.h"
#include "platform/text.h"
#include "shell/toolbar.h"

namespace sorvan {

namespace {

constexpr int kPage = 5;
constexpr int kChoices = 10;  // 1, 3, ..., 19 averaging points

// The mode of the page shown last.
int g_mode = kOptionListAveraging;

// The list texts of the averaging mode: entry k holds 2k - 1.
void FillPointCountChoices() {
  G.PointCountChoices[0].clear();
  for (int k = 1; k <= kChoices; ++k) G.PointCountChoices[k] = plat::NumberToText(2 * k - 1);
}

void BuildAveragingPage() {
  const int n = kPage;
  const auto none = plat::kNoIndex;
  PageLabel(n, "lb51", none, 1, 0.5, 17, 1.2,
            G.MessageTexts[14] + " = " + plat::Trim(plat::NumberToText(G.AveragePoints)));
  PageList(n, "lib51", none, 1, 2, 15, 9, false);
  for (int k = 1; k <= kChoices; ++k) plat::AddListItem(n, "lib51", none, plat::Trim(G.PointCountChoices[k]));
  PageButton(n, "cmdOK51", none, 2, 11.5, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
  PageButton(n, "cmdCancel52", none, 2, 13, 13, 1.2, G.ButtonTexts[1]);
}

void BuildToolbarPage() {
  const int n = kPage;
  const auto none = plat::kNoIndex;
  PageList(n, "lib53", none, 1, 1, 42, 15, false);
  plat::SetListCheckable(n, "lib53", none, true);
  for (int a = 1; a <= kToolbarActionCount; ++a) {
    plat::AddListItem(n, "lib53", none, G.ToolbarActionText[a], a);
    plat::SetItemChecked(n, "lib53", none, a - 1, G.ToolbarButtonOfAction[a] != 0);
  }
  PageLabel(n, "lb56", none, 2, 17, 25, 1.2, G.LabelTexts[91]);
  PageEdit(n, "ed57", none, 23, 17, 4, 1.2, plat::Trim(plat::NumberToText(G.ToolbarButtonSize)));
  PageButton(n, "cmdOK54", none, 1, 19, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
  PageButton(n, "cmdOK55", none, 16, 19, 13, 1.2, G.LabelTexts[19]);
  PageButton(n, "cmdCancel52", none, 30, 19, 13, 1.2, G.ButtonTexts[1]);
}

// The toolbar built again from the settings, with the work area below it
// following its new height, and the windows laid out in that area.
void RebuildToolbar() {
  BuildToolbarActionTexts();
  BuildToolbar();
}

// OK of the toolbar mode: the ticked actions go on the toolbar at the typed
// size. The list holds the actions in action order, so item a - 1 is action a.
void TakeToolbarChoice() {
  const int n = kPage;
  const auto none = plat::kNoIndex;
  const int items = plat::ListCount(n, "lib53", none);
  for (int a = 1; a <= kToolbarActionCount; ++a) {
    const bool ticked = a - 1 < items && plat::ItemChecked(n, "lib53", none, a - 1);
    G.ToolbarButtonOfAction[a] = ticked ? 1 : 0;
  }
  const long long size = ReadPageWholeNumber(n, "ed57");
  G.ToolbarButtonSize =
      static_cast<Int16>(std::clamp<long long>(size, kToolbarButtonSizeMin, kToolbarButtonSizeMax));
  ClosePage(n, -1);
  RebuildToolbar();
  // The height of a shown toolbar comes off the work area once, at its new
  // value.
  FollowToolbarVisibility();
  plat::ArrangeCascade();
}

}  // namespace

void ShowOptionListPage(int mode) {
  if (mode != kOptionListAveraging && mode != kOptionListToolbar) return;
  if (!PageCanOpen(kPage)) return;
  g_mode = mode;
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.pointerGiven = true;
  spec.pointerX = 8.5;
  spec.pointerY = 13.1;
  if (mode == kOptionListAveraging) {
    FillPointCountChoices();
    spec.width = 18;
    spec.height = 16;
    spec.caption = G.MessageTexts[11];
    RunPage(spec, BuildAveragingPage);
  } else {
    spec.width = 45;
    spec.height = 22;
    spec.caption = G.LabelTexts[90];
    // Closed by its close box, the page leaves the toolbar as it was.
    spec.onCloseBox = RebuildToolbar;
    RunPage(spec, BuildToolbarPage);
  }
}

void cmdOK51_Click() {
  const int i = plat::ListIndex(kPage, "lib51");
  const int k = i + 1;
  const double chosen = k >= 1 && k <= kChoices ? plat::TextToNumber(G.PointCountChoices[k]) : 0;
  const long long points = std::isfinite(chosen) ? plat::RoundHalfEven(chosen) : 0;
  G.AveragePoints = static_cast<Byte>(points >= 1 && points <= 19 ? points : 3);
  ClosePage(kPage, -1);
}

void cmdOK54_Click() { TakeToolbarChoice(); }

void cmdOK55_Click() {
  const int items = plat::ListCount(kPage, "lib53");
  for (int i = 0; i < items; ++i) plat::SetItemChecked(kPage, "lib53", plat::kNoIndex, i, true);
  TakeToolbarChoice();
}

void cmdCancel52_Click() {
  const int mode = g_mode;
  ClosePage(kPage, -1);
  if (mode == kOptionListToolbar) RebuildToolbar();
}

void RegisterOptionListPageEvents() {
  RegisterEvent("cmdOK51_Click", [](plat::EventArgs&) { cmdOK51_Click(); });
  RegisterEvent("cmdOK54_Click", [](plat::EventArgs&) { cmdOK54_Click(); });
  RegisterEvent("cmdOK55_Click", [](plat::EventArgs&) { cmdOK55_Click(); });
  RegisterEvent("cmdCancel52_Click", [](plat::EventArgs&) { cmdCancel52_Click(); });
}

}  // namespace sorvan
