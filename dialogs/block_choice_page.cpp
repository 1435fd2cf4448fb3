// The block choice page (page 31x).
#include "dialogs/block_choice_page.h"

#include <algorithm>

#include "core/events.h"
#include "core/model.h"
#include "dialogs/page.h"
#include "platform/controls.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 31;
constexpr int kMaxBlocks = 9;  // the room of BlockNames and ChosenDepthBlocks

int Blocks() { return std::clamp<int>(G.BlockCount, 0, kMaxBlocks); }

}  // namespace

void ShowBlockChoicePage(int /*window*/) {
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 31;
  spec.height = 18;
  spec.caption = G.LabelTexts[21];
  spec.clearResult = true;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 16.6;
  RunPage(spec, [] {
    const int n = kPage;
    // The file's path as the user reads it: its name and the folders
    // nearest it, as many as the label holds.
    PageLabel(n, "lb311", plat::kNoIndex, 1, 0.5, 27, 1.2, "");
    plat::SetText(n, "lb311", plat::kNoIndex, PathFittedToControl(n, "lb311", plat::kNoIndex, G.SourceFilePath));
    PageList(n, "lib311", plat::kNoIndex, 1, 2, 28, 11, true);
    PageButton(n, "cmd313", plat::kNoIndex, 1, 13.5, 28, 1.2, G.LabelTexts[19]);
    PageButton(n, "cmdOk311", plat::kNoIndex, 1, 15, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(n, "cmdCancel312", plat::kNoIndex, 16, 15, 13, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
    for (int k = 1; k <= Blocks(); ++k) plat::AddListItem(n, "lib311", plat::kNoIndex, G.BlockNames[k]);
    G.ChosenBlockCount = 0;
  });
}

void cmdOk311_Click() {
  G.DialogResult = 1;
  const int blocks = Blocks();
  for (int k = 1; k <= blocks; ++k) G.ChosenDepthBlocks[k] = 0;
  // A selected name chooses every block of that name.
  const int items = plat::ListCount(kPage, "lib311");
  for (int i = 0; i < items; ++i) {
    if (!plat::ItemSelected(kPage, "lib311", plat::kNoIndex, i)) continue;
    const std::string name = plat::ListItem(kPage, "lib311", plat::kNoIndex, i);
    for (int k = 1; k <= blocks; ++k)
      if (name == G.BlockNames[k]) G.ChosenDepthBlocks[k] = static_cast<Int16>(k);
  }
  ClosePage(kPage, 1);
}

void cmdCancel312_Click() { ClosePage(kPage, -1); }

void cmd313_Click() {
  G.DialogResult = 1;
  const int blocks = Blocks();
  G.ChosenBlockCount = static_cast<Int16>(blocks);
  for (int k = 1; k <= blocks; ++k) G.ChosenDepthBlocks[k] = static_cast<Int16>(k);
  ClosePage(kPage, 1);
}

void RegisterBlockChoiceEvents() {
  RegisterEvent("cmdOk311_Click", [](plat::EventArgs&) { cmdOk311_Click(); });
  RegisterEvent("cmdCancel312_Click", [](plat::EventArgs&) { cmdCancel312_Click(); });
  RegisterEvent("cmd313_Click", [](plat::EventArgs&) { cmd313_Click(); });
}

}  // namespace sorvan
