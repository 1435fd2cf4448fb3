// The toolbar: the button of each action, building the image list and the
// buttons, and the tooltips. What an action does and when it can be used
// are in its row of the command table (shell/command_table.cpp). A button's
// index is its 1-based position on the toolbar, separators counted;
// ToolbarButtonOfAction holds show flags before a build and these indices
// after it.
#include "shell/toolbar.h"

#include <stdexcept>
#include <vector>

#include "core/menu_commands.h"
#include "core/model.h"
#include "core/number_text.h"
#include "platform/toolbar.h"
#include "shell/command_table.h"
#include "shell/menu_bar.h"
#include "shell/menu_state.h"

namespace sorvan {
namespace {

// The button of each action: its key (and so its icon) and its language text.
struct ButtonFacts {
  const char* key;
  char textArray;  // 'M' MenuTexts, 'L' LabelTexts
  int textIndex;
};

// clang-format off
constexpr ButtonFacts kActions[kToolbarActionCount + 1] = {
    {"", 'M', 0},
    {"dat1", 'M', 5},     {"dat2", 'L', 12},    {"dat8", 'L', 78},    {"dat9", 'L', 79},    // 1..4
    {"dat10", 'L', 83},   {"dat3", 'M', 9},     {"dat11", 'L', 76},   {"dat12", 'M', 11},   // 5..8
    {"dat4", 'M', 12},    {"dat5", 'L', 20},    {"dat6", 'M', 13},    {"dat7", 'M', 14},    // 9..12
    {"bea7", 'L', 59},    {"bea8", 'L', 60},    {"bea9", 'M', 26},    {"bea10", 'M', 27},   // 13..16
    {"bea11", 'M', 28},   {"bea12", 'M', 29},   {"bea13", 'M', 30},   {"bea14", 'M', 31},   // 17..20
    {"bea15", 'M', 32},   {"bea16", 'M', 33},   {"bea17", 'M', 34},   {"bea18", 'M', 35},   // 21..24
    {"bea19", 'M', 36},   {"bea20", 'M', 37},   {"bea21", 'L', 214},                        // 25..27
    {"fit22", 'M', 40},   {"fit23", 'M', 41},   {"fit24", 'M', 42},   {"fit25", 'M', 43},   // 28..31
    {"fit26", 'M', 44},   {"fit27", 'M', 45},   {"fit28", 'L', 99},   {"fit29", 'L', 118},  // 32..35
    {"ser29", 'L', 13},   {"ser30", 'L', 24},   {"ser31", 'L', 40},   {"ser32", 'M', 10},   // 36..39
    {"ser33", 'L', 45},   {"ser34", 'L', 121},  {"ser35", 'L', 120},  {"ser36", 'L', 23},   // 40..43
    {"ser37", 'L', 145},  {"ser38", 'L', 148},  {"ser39", 'L', 149},  {"ser40", 'L', 146},  // 44..47
    {"kon36", 'M', 46},   {"kon37", 'L', 5},                                                // 48..49
    {"inf41", 'M', 47},   {"inf42", 'M', 48},   {"inf43", 'M', 49},   {"inf38", 'M', 50},   // 50..53
    {"inf44", 'M', 51},   {"inf39", 'L', 70},   {"inf45", 'L', 73},   {"inf40", 'L', 84},   // 54..57
    {"inf46", 'L', 81},   {"inf47", 'L', 123},  {"inf48", 'L', 124},                        // 58..60
    {"besch1", 'L', 179}, {"besch2", 'L', 180}, {"besch3", 'L', 157}, {"besch4", 'L', 158}, // 61..64
    {"besch5", 'L', 152}, {"besch6", 'L', 153},                                             // 65..66
    {"fen40", 'M', 77},   {"fen41", 'M', 78},   {"fen42", 'M', 79},                         // 67..69
};
// clang-format on

}  // namespace

ToolbarActionInfo ToolbarActionAt(int a) {
  if (a < 1 || a > kToolbarActionCount) throw std::out_of_range("no toolbar action " + std::to_string(a));
  const CommandRow* row = RowOfToolbarAction(a);
  return {kActions[a].key, kActions[a].textArray, kActions[a].textIndex, row != nullptr ? row->command : 0};
}

std::string ToolbarActionLanguageText(int a) {
  const ToolbarActionInfo info = ToolbarActionAt(a);
  return info.textArray == 'M' ? G.MenuTexts[info.textIndex] : G.LabelTexts[info.textIndex];
}

int ToolbarActionOfKey(const std::string& key) {
  for (int a = 1; a <= kToolbarActionCount; ++a)
    if (key == kActions[a].key) return a;
  return 0;
}

bool StartsToolbarGroup(int a) {
  return a == 13 || a == 28 || a == 36 || a == 48 || a == 50 || a == 61 || a == 67;
}

const std::int32_t* GoverningFlag(int a) { return FlagOfEnabling(ButtonEnabling(a)); }

namespace {
std::vector<plat::ToolbarButton> g_pending;  // the buttons of the build in progress
}

void BuildToolbar() {
  plat::ClearImageList(G.ToolbarButtonSize);
  for (int a = 1; a <= kToolbarActionCount; ++a)
    plat::AddImage(G.ProgramFolder + "\\icons\\" + kActions[a].key + ".ico");

  g_pending.clear();
  plat::ToolbarButton lead;
  lead.style = plat::ToolbarStyle::Separator;
  g_pending.push_back(lead);
  G.ToolbarTooltip[1] = "";
  for (int a = 1; a <= kToolbarActionCount; ++a) {
    if (StartsToolbarGroup(a) && g_pending.size() > 1) {
      plat::ToolbarButton separator;
      separator.style = plat::ToolbarStyle::Separator;
      g_pending.push_back(separator);
    }
    if (G.ToolbarButtonOfAction[a] == 0) continue;
    plat::ToolbarButton button;
    button.key = kActions[a].key;
    button.style = a == kEditPointsAction ? plat::ToolbarStyle::Check : plat::ToolbarStyle::Plain;
    button.image = a;
    g_pending.push_back(button);
    const int b = static_cast<int>(g_pending.size());
    G.ToolbarTooltip[b] = ToolbarActionLanguageText(a);
    G.ToolbarButtonOfAction[a] = static_cast<Byte>(b);
  }
  SetToolbarTooltips();
  plat::BuildToolbar(g_pending);
  g_pending.clear();
  plat::ShowToolbar(G.ToolbarVisible != 0);
  SyncToolbarButtons();
}

void SetToolbarTooltips() {
  for (size_t i = 0; i < g_pending.size(); ++i)
    g_pending[i].tooltip = G.ToolbarTooltip[static_cast<int>(i) + 1];
}

void FollowToolbarVisibility() {
  const bool shown = G.ToolbarVisible == 1;
  const bool wasShown = G.ToolbarCheckFlag == kItemChecked;
  if (shown) {
    const int height = plat::ToolbarHeight();
    if (wasShown)
      G.WorkAreaHeight = static_cast<Int16>(G.WorkAreaHeight + G.ToolbarHeight - height);
    else
      G.WorkAreaHeight = static_cast<Int16>(G.WorkAreaHeight - height);
    G.ToolbarHeight = static_cast<Int16>(height);
  } else if (wasShown) {
    G.WorkAreaHeight = static_cast<Int16>(G.WorkAreaHeight + G.ToolbarHeight);
  }
  SetOptionMark(PopupOptions, CmdToggleToolbar, shown ? kItemChecked : 0);
}

void BuildToolbarActionTexts() {
  for (int a = 1; a <= kToolbarActionCount; ++a) {
    G.ActionTextBuffer = ToolbarActionLanguageText(a);
    StripActionMnemonic();
    G.ToolbarActionText[a] = G.ActionTextBuffer;
  }
}

}  // namespace sorvan
