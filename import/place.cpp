#include "import/place.h"

#include <algorithm>
#include <string>

#include "core/count_rate.h"
#include "core/menu_commands.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/store.h"
#include "core/window_state.h"
#include "dialogs/block_choice_page.h"
#include "dialogs/spectrum_choice_page.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "import/reader_support.h"
#include "import/spx.h"
#include "import/vamas.h"
#include "platform/menus.h"
#include "platform/text.h"
#include "shell/menu_state.h"

namespace sorvan {

namespace {

// Keeps a menu flag (0 enabled, 1 grayed) and applies it to the bar at once.
void SetMenuFlag(Int32& flag, int command, int flags) {
  flag = flags;
  const int bar = plat::CurrentMenuBar();
  if (bar != 0) plat::EnableMenuItem(bar, command, flags);
}

// True when header index h holds a spectrum whose values are in the store.
bool HoldsSpectrum(int h) {
  const int k = SpectrumOfHeaderIndex(h);
  if (k == 0) return false;
  const int n = ImportedHeader[h].PointCount;
  return n >= 1 && ImportedValues[k].Upper() >= n;
}

}  // namespace

int LowestFreeSpectrumWindow() {
  int w = 1;
  while (w <= kMaxWindows && Win[w].WindowOpen) ++w;
  return w;
}

std::string ChosenBlockListText() {
  std::string list;
  const int count = std::clamp<int>(G.BlockCount, 0, G.ChosenDepthBlocks.upper());
  for (int r = 1; r <= count; ++r) list += plat::NumberToText(G.ChosenDepthBlocks[r]);
  return list;
}

void PlaceChosenSpectra() {
  const int count = std::clamp<int>(G.ChosenBlockCount, 0, G.ChosenBlocks.upper() + 1);
  for (int i = 0; i < count; ++i) {
    const int h = G.ChosenBlocks[i];
    if (!HoldsSpectrum(h)) continue;
    const int w = LowestFreeSpectrumWindow();
    if (w > kMaxWindows) {
      G.CommandId = 1;
      ShowMessage(1, w);
      return;
    }
    WindowRecord& win = Win[w];
    win.SourceBlockList = G.ChosenBlockList;
    win.SourceSpectrumIndex = static_cast<Int16>(h);
    win.ImportFormat = Win[0].ImportFormat;
    AssignImportedToWindow(w, h);
    LoadImportedSpectrum(h);
    const int n = win.SpectrumHeader.PointCount;
    if (G.CpsMode == 1) {
      const double f =
          CountsPerSecondDivisor(win.SpectrumHeader.ScanCount, win.SpectrumHeader.DwellTime);
      for (int p = 1; p <= n && p <= WorkData.Upper(); ++p) WorkData[p] /= f;
    }
    ComputeIntensityRange(w);
    ComputeEnergyRange(w);
    DimSlotData(w);
    StoreWorkData(w, 1);
    G.CursorStart = 1;
    G.CursorEnd = static_cast<Int16>(n);
    OpenSpectrumWindow(w, ImportedHeader[h].Name);
    RedrawWindow(w);
    G.CurrentWindow = static_cast<Byte>(w);
  }
}

void PlaceImportedSpectra() {
  if (G.SpectraReadCount != 0) {
    SetMenuFlag(G.FileBlocksItemFlag, CmdOpenFileBlocks, plat::kMenuEnabled);
    const bool depthProfile = plat::Left(G.ImportMode, 3) == "SDP";
    if (depthProfile) {
      SetMenuFlag(G.DepthProfileItemFlag, CmdOpenDepthProfileBlocks, plat::kMenuEnabled);
      UpdateMenuState(0);
      ShowBlockChoicePage(G.CurrentWindow);
      const int answer = G.DialogResult;
      if (G.ImportMode == "SDP_VAM") {
        Win[0].ImportFormat = Vamas;
        G.BlockCount = G.VamasBlockCount;
        RereadVamasDepthProfile(G.CurrentWindow);
      } else if (G.ImportMode == "SDP_SPE") {
        Win[0].ImportFormat = SpxExperiment;
        G.BlockCount = G.SpxRegionCount;
        RereadSpxDepthProfile(G.CurrentWindow);
      }
      G.ChosenBlockList = ChosenBlockListText();
      G.DialogResult = static_cast<Int16>(answer);
    } else {
      SetMenuFlag(G.DepthProfileItemFlag, CmdOpenDepthProfileBlocks, plat::kMenuGrayed);
    }
    const bool offerSpectra = G.ImportMode == "NORM" || G.ImportMode == "MAP" ||
                              (depthProfile && G.DialogResult == 1);
    if (offerSpectra) {
      G.ChosenBlockCount = 0;
      ShowSpectrumChoicePage();
      if (G.ChosenBlockCount > 0) {
        // A state with spectra: the spectrum popups and items are usable,
        // the language can no longer be switched.
        G.SpectrumPopupsFlag = plat::kMenuEnabled;
        G.SpectrumItemsFlag = plat::kMenuEnabled;
        G.LanguagePopupFlag = plat::kMenuGrayed;
      }
      if (G.DialogResult == 1) PlaceChosenSpectra();
    }
  }
  if (G.SpectraReadCount == 0) G.SpectraReadCount = G.SpectraReadSaved;
}

}  // namespace sorvan
