// Reverting a spectrum and reloading a window's source.
#include "processing/revert.h"

#include <string>

#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/paramset.h"
#include "core/store.h"
#include "core/window_state.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "fit/chi_square.h"
#include "platform/files.h"
#include "platform/labels.h"
#include "platform/text.h"
#include "shell/menu_state.h"

namespace sorvan {

namespace {

constexpr int kMessageUnreadable = 8;
constexpr int kMessageBadData = 3;

// Whether the last reload found a plain (not depth-profile, not map) file.
bool g_lastReadNormal = true;

// The imported spectrum of header index h holds values.
bool HoldsSpectrum(int h) {
  const int k = SpectrumOfHeaderIndex(h);
  return k >= 1 && ImportedValues[k].Upper() >= 1;
}

}  // namespace

SourceReader& SourceReaderHook() {
  static SourceReader reader = nullptr;
  return reader;
}

void DecodeBlockList(const std::string& list, int count) {
  const int most = static_cast<int>(G.ChosenDepthBlocks.upper());
  for (int k = 1; k <= count && k <= most; ++k) {
    const std::size_t start = static_cast<std::size_t>(2 * k - 1);  // character 2k, from 1
    const std::string cell = start < list.size() ? list.substr(start, 2) : std::string();
    G.ChosenDepthBlocks[k] = static_cast<Int16>(plat::RoundHalfEven(plat::TextToNumber(cell)));
  }
}

bool ReloadSourceData(int w) {
  if (!IsSpectrumWindow(w)) return false;
  WindowRecord& win = Win[w];
  bool ok = true;
  if (win.SourcePath != G.SourceFilePath || win.SourceBlockList != G.ChosenBlockList) {
    const int code = FormatOfCode(win.ImportFormat);
    ok = !win.SourcePath.empty() && plat::FileExists(win.SourcePath) &&
         SourceReaderHook() != nullptr;
    if (ok) {
      // The reader reads the file named here; the store counts as holding
      // it only when the read succeeded.
      G.SourceFilePath = win.SourcePath;
      G.ChosenBlockList = win.SourceBlockList;
      Win[0].ImportFormat = static_cast<Byte>(code);
      if (code == NumberedRegionFiles) G.NumberedFilePath = win.SourceDialogName;
      win.ImportFormat = static_cast<Byte>(code + 1);
      try {
        ok = SourceReaderHook()(code, w) && HoldsSpectrum(win.SourceSpectrumIndex);
      } catch (const plat::FileError&) {
        ok = false;
      }
      win.ImportFormat = static_cast<Byte>(code);
      g_lastReadNormal = G.ImportMode == "NORM";
    }
    if (!ok) {
      // Whatever the store holds now belongs to no file that can be named.
      G.SourceFilePath.clear();
      G.ChosenBlockList.clear();
      G.CommandId = kMessageUnreadable;
      ShowMessage(G.CommandId, w);
    }
  }
  ShowDepthProfileItemAfterReload(g_lastReadNormal);
  return ok;
}

void RevertSpectrum(int w) {
  if (!IsSpectrumWindow(w) || Win[w].WindowKind != SingleSpectrum) return;
  // Nothing is thrown away unless the measured values can be had again,
  // all of the window's points of them.
  if (!ReloadSourceData(w)) return;
  if (!LoadWindowSource(w)) {
    G.CommandId = kMessageBadData;
    ShowMessage(G.CommandId, w);
    return;
  }
  WindowRecord& win = Win[w];
  const std::string& defaults =
      win.PeakModel == PeakModelDoniachSunjic ? G.ParameterSet2Path : G.ParameterSet1Path;
  ReadParameterSet(w, defaults);

  for (int k = 1; k <= 100; ++k) {
    const int L = (w - 1) * 100 + k;
    Labels[L].AnnotationText.clear();
    Labels[L].TitleLabelText.clear();
  }
  plat::DeleteWindowLabels(w);
  win.AnnotationCount = 0;
  win.TitleLabelCount = 0;

  ResetWindowState(w);
  const int points = WindowPointCount(w);
  win.RegionStart = 1;
  win.RegionEnd = static_cast<Int16>(points);
  win.RegionLength = static_cast<Int16>(points);
  G.CursorStart = 1;
  G.CursorEnd = static_cast<Int16>(points);

  // The background goes; the removed satellite curve (column 3) stays.
  if (!SlotData[w].Contains(points, 3)) DimSlotData(w);
  for (int i = 0; i <= points; ++i) SlotData[w](i, 2) = 0;

  if (G.CpsMode == 1) {
    const double f = CountsFactor(w);
    for (int i = 1; i <= points; ++i) WorkData[i] /= f;
  }
  StoreWorkData(w, 1);
  UpdateMenuState(w);
  ComputeIntensityRange(w);
  ComputeEnergyRange(w);
  RedrawWindow(w);
}

}  // namespace sorvan
