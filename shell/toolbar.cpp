// The toolbar: the action table, building the image list and the buttons,
// and the tooltips. A button's index is its 1-based position on the
// toolbar, separators counted; ToolbarButtonOfAction holds show flags before
// a build and these indices after it.
#include "shell/toolbar.h"

#include <stdexcept>
#include <vector>

#include "core/model.h"
#include "platform/toolbar.h"
#include "shell/menu_bar.h"
#include "shell/menu_commands.h"
#include "shell/menu_state.h"

namespace sorvan {
namespace {

// clang-format off
constexpr ToolbarActionInfo kActions[kToolbarActionCount + 1] = {
    {"", 'M', 0, 0},
    {"dat1", 'M', 5, 0},        {"dat2", 'L', 12, 1200},    {"dat8", 'L', 78, 1330},
    {"dat9", 'L', 79, 1340},    {"dat10", 'L', 83, 5570},   {"dat3", 'M', 9, 1400},
    {"dat11", 'L', 76, 1320},   {"dat12", 'M', 11, 1700},   {"dat4", 'M', 12, 1800},
    {"dat5", 'L', 20, 11100},   {"dat6", 'M', 13, 1900},    {"dat7", 'M', 14, 11000},
    {"bea7", 'L', 59, 2210},    {"bea8", 'L', 60, 2220},    {"bea9", 'M', 26, 21200},
    {"bea10", 'M', 27, 0},      {"bea11", 'M', 28, 2100},   {"bea12", 'M', 29, 2800},
    {"bea13", 'M', 30, 2200},   {"bea14", 'M', 31, 21100},  {"bea15", 'M', 32, 2300},
    {"bea16", 'M', 33, 2400},   {"bea17", 'M', 34, 2700},   {"bea18", 'M', 35, 2600},
    {"bea19", 'M', 36, 0},      {"bea20", 'M', 37, 0},      {"bea21", 'L', 214, 2930},
    {"fit22", 'M', 40, 0},      {"fit23", 'M', 41, 3110},   {"fit24", 'M', 42, 3114},
    {"fit25", 'M', 43, 3113},   {"fit26", 'M', 44, 3115},   {"fit27", 'M', 45, 3130},
    {"fit28", 'L', 99, 3120},   {"fit29", 'L', 118, 3121},
    {"ser29", 'L', 13, 8100},   {"ser30", 'L', 24, 3117},   {"ser31", 'L', 40, 3118},
    {"ser32", 'M', 10, 1500},   {"ser33", 'L', 45, 31119},  {"ser34", 'L', 121, 31121},
    {"ser35", 'L', 120, 31120}, {"ser36", 'L', 23, 3116},   {"ser37", 'L', 145, 31122},
    {"ser38", 'L', 148, 31124}, {"ser39", 'L', 149, 31125}, {"ser40", 'L', 146, 31123},
    {"kon36", 'M', 46, 4000},   {"kon37", 'L', 5, 4100},
    {"inf41", 'M', 47, 5100},   {"inf42", 'M', 48, 5200},   {"inf43", 'M', 49, 5500},
    {"inf38", 'M', 50, 5300},   {"inf44", 'M', 51, 5400},   {"inf39", 'L', 70, 5530},
    {"inf45", 'L', 73, 5540},   {"inf40", 'L', 84, 5560},   {"inf46", 'L', 81, 5550},
    {"inf47", 'L', 123, 5561},  {"inf48", 'L', 124, 5562},
    {"besch1", 'L', 179, 6050}, {"besch2", 'L', 180, 6000}, {"besch3", 'L', 157, 6030},
    {"besch4", 'L', 158, 6040}, {"besch5", 'L', 152, 6010}, {"besch6", 'L', 153, 6020},
    {"fen40", 'M', 77, 9100},   {"fen41", 'M', 78, 9200},   {"fen42", 'M', 79, 9300},
};
// clang-format on



}  // namespace

const ToolbarActionInfo& ToolbarActionAt(int a) {
  if (a < 1 || a > kToolbarActionCount) throw std::out_of_range("no toolbar action " + std::to_string(a));
  return kActions[a];
}

std::string ToolbarActionLanguageText(int a) {
  const ToolbarActionInfo& info = ToolbarActionAt(a);
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

const std::int32_t* GoverningFlag(int a) {
  switch (a) {
    case 2: case 4: case 6: case 7: case 61: case 62: case 67: case 68: case 69:
      return &G.WindowItemsFlag;
    case 9: return &G.FileBlocksItemFlag;
    case 10: return &G.DepthProfileItemFlag;
    case 11: return &G.RevertItemFlag;
    case 14: return &G.PasteItemFlag;
    case 18: return &G.SatelliteItemFlag;
    case 24: return &G.EditPointsItemFlag;
    case 32: return &G.FitBackgroundItemFlag;
    case 34: return &G.ErrorEstimateItemFlag;
    case 35: return &G.ErrorMatrixItemFlag;
    case 57: return &G.LineIdentificationItemFlag;
    case 63: return &G.EnergyAxisItemFlag;
    case 64: return &G.IntensityAxisItemFlag;
    case 65: case 66: return &G.MemberItemsFlag;
    case 1: case 3: case 5: case 8: case 12: case 56: case 58: case 59: case 60:
      return nullptr;
    default:
      break;
  }
  if (a == 13 || (a >= 15 && a <= 17) || (a >= 19 && a <= 23) || (a >= 25 && a <= 31) ||
      a == 33 || (a >= 36 && a <= 55))
    return &G.SpectrumItemsFlag;
  return nullptr;
}

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

}  // namespace sorvan
