// Page 7x (scale, shift or normalise a spectrum) and ApplyScaleShift, which
// the page, the toolbar and series runs use to change a window's spectrum.
#include "processing/pages/scale_page.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/events.h"
#include "core/menu_commands.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/page_picking.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "platform/controls.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = kScalePageWindow;  // dialog window 7
constexpr int kMessageInconsistent = 9;
constexpr int kCommandShift = CmdShiftSpectrum;
constexpr int kCommandScale = CmdScaleSpectrum;
constexpr int kCommandNormalise = CmdNormaliseSpectrum;

// " ----" stands for a value that has no reciprocal.
std::string ReciprocalText(double v) {
  return v == 0 ? std::string(" ----") : plat::NumberToText(1 / v);
}

// The window the page works on: the current window as the user left it
// (clicks into another window make that one current), else the window the
// page was opened for.
int WorkingWindow() {
  const int cw = G.CurrentWindow;
  if (IsSpectrumWindow(cw) && Win[cw].WindowOpen) return cw;
  const int w = PageWindow(kPage);
  return IsSpectrumWindow(w) ? w : cw;
}

double PageNumberIfPresent(const std::string& name, double otherwise) {
  if (!plat::ControlExists(kPage, name)) return otherwise;
  return ReadPageNumber(kPage, name);
}

// The normalise page's caption of lb74: the chosen kind and "(normalised)".
void SetNormaliseTexts(const std::string& kind, const std::string& extra, double v) {
  G.CaptionBuffer = kind + " " + G.LabelTexts[219] + extra;
  StripMnemonic();
  plat::SetText(kPage, "lb74", plat::kNoIndex, G.CaptionBuffer);
  plat::SetText(kPage, "ed71", plat::kNoIndex, plat::NumberToText(v));
  plat::SetText(kPage, "lb75", plat::kNoIndex, " = " + ReciprocalText(v));
}

void EndPage(int result) {
  G.PickToScalePage = 0;
  G.CommandId = 0;
  ClosePage(kPage, result);
}

// The factor of ScaleMode `mode` for window w; false when it would divide by
// a zero intensity or name a point outside the spectrum.
bool FactorOfMode(int w, int mode, double& factor) {
  const WindowRecord& win = Win[w];
  switch (mode) {
    case ScaleByTypedValue:
      factor = G.ScaleDivisor;
      return true;
    case ScaleByPickedPoint: {
      const int i = G.PickedChannel;
      if (i < 1 || i > WindowPointCount(w) || WorkData.Upper() < i || WorkData[i] == 0) return false;
      factor = 1 / WorkData[i];
      return true;
    }
    case ScaleByMaximum:
      if (win.IntensityMax == 0) return false;
      factor = 1 / win.IntensityMax;
      return true;
    case ScaleByMinimum:
      if (win.IntensityMin == 0) return false;
      factor = 1 / win.IntensityMin;
      return true;
    default:
      factor = G.ScaleFactor;  // any other mode repeats the last factor
      return true;
  }
}

}  // namespace

ScaleOperation CurrentScaleOperation() {
  if (G.CommandId == kCommandNormalise) return ScaleOperation::Normalise;
  if (G.CommandId == kCommandShift) return ScaleOperation::Shift;
  if (G.CommandId == kCommandScale) return ScaleOperation::Scale;
  const std::string& name = G.ScaleOperationName;
  if (name == G.MessageTexts[19]) return ScaleOperation::Shift;
  if (name == G.MessageTexts[17]) return ScaleOperation::Scale;
  if (!name.empty() && name == G.LabelTexts[214]) return ScaleOperation::Normalise;
  return ScaleOperation::Scale;
}

void ScaleValues(std::span<double> y, int first, int last, double factor, double offset) {
  const int top = static_cast<int>(y.size()) - 1;
  for (int i = std::max(first, 1); i <= std::min(last, top); ++i) y[i] = y[i] * factor + offset;
}

long long ShiftPointCount(double energy, double step) {
  if (step == 0) return 0;
  const double s = std::floor(energy / step + 0.5);
  if (!std::isfinite(s)) return 0;
  // Anything beyond the largest spectrum is held by ShiftRegion anyway.
  return static_cast<long long>(std::clamp(s, -1e9, 1e9));
}

void ShiftRegion(std::span<double> y, int first, int last, long long s) {
  const int top = static_cast<int>(y.size()) - 1;
  first = std::max(first, 1);
  last = std::min(last, top);
  if (last < first || s == 0) return;
  const long long most = last - first;  // a shift never reaches past the region
  s = std::clamp(s, -most, most);
  const int k = static_cast<int>(s);
  if (k > 0) {
    for (int i = first; i <= last - k; ++i) y[i] = y[i + k];
    for (int i = last - k + 1; i <= last; ++i) y[i] = y[last];
  } else if (k < 0) {
    for (int i = last; i >= first - k; --i) y[i] = y[i + k];
    for (int i = first; i < first - k; ++i) y[i] = y[first];
  }
}

void ShowScaleShiftPage(int w) {
  if (!IsSpectrumWindow(w) || !PageCanOpen(kPage)) return;
  WindowRecord& win = Win[w];
  const int n = WindowPointCount(w);
  G.PickToScalePage = 1;
  win.YRangeFixed = 0;
  LoadWorkData(w, 1, 1, n);

  // The value v offered: the mean at a picked point, else the last one.
  if (G.RegionPickState == 1 || win.ScaleMode == ScaleByPickedPoint) {
    if (win.ScaleMode == ScaleByPickedPoint && G.PickedChannel >= 1 && G.PickedChannel <= n)
      G.CursorStart = G.PickedChannel;
    const int start = G.CursorStart;
    const int count = std::max<int>(G.AveragePoints, 1);
    if (start >= 1 && start + count - 1 <= n) {
      double sum = 0;
      for (int i = start; i < start + count; ++i) sum += WorkData[i];
      G.ScaleDivisor = sum / count;
    } else if (start >= 1 && start <= n) {
      G.ScaleDivisor = WorkData[start];
    }
  }

  const ScaleOperation operation = CurrentScaleOperation();
  G.CaptionBuffer = G.ScaleOperationName;
  if (G.CaptionBuffer.empty()) {
    G.CaptionBuffer = operation == ScaleOperation::Shift     ? G.MessageTexts[19]
                      : operation == ScaleOperation::Scale   ? G.MessageTexts[17]
                                                             : G.LabelTexts[214];
  }
  StripMnemonic();

  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.caption = G.CaptionBuffer;
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 5.6;
  spec.firstEntry = "ed71";
  if (operation == ScaleOperation::Normalise) {
    spec.width = 49;
    spec.height = 12.5;
  } else {
    spec.width = 39;
    spec.height = 7.5;
  }
  if (operation != ScaleOperation::Shift && G.ScaleDivisor == 0) G.ScaleDivisor = win.IntensityMax;
  const double v = G.ScaleDivisor;

  RunPage(spec, [&] {
    const auto none = plat::kNoIndex;
    switch (operation) {
      case ScaleOperation::Normalise:
        PageLabel(kPage, "lb74", none, 2, 0.2, 40, 2.4, G.LabelTexts[215] + " " + G.LabelTexts[219]);
        PageLabel(kPage, "lb71", none, 2, 2.2, 8, 1.2, G.MessageTexts[18] + " = ");
        PageLabel(kPage, "lb73", none, 10, 2.2, 3, 1.2, "1 / ");
        PageEdit(kPage, "ed71", none, 13, 2.2, 12, 1.1, plat::NumberToText(v));
        PageLabel(kPage, "lb75", none, 27, 2.2, 20, 1.2, " =  " + ReciprocalText(v));
        PageCheck(kPage, "chk71", none, 2, 4.5, 28, 1.2, G.LabelTexts[166], 0);
        PageEdit(kPage, "ed72", none, 0, 0, 1, 1, plat::NumberToText(0));
        plat::SetVisible(kPage, "ed72", none, false);
        PageButton(kPage, "cmd74", none, 1, 6.5, 22, 1.2, G.LabelTexts[217], ButtonRole::Default);
        PageButton(kPage, "cmd75", none, 25, 6.5, 22, 1.2, G.LabelTexts[218]);
        PageButton(kPage, "cmd72", none, 1, 8, 22, 1.2, G.LabelTexts[215]);
        PageButton(kPage, "cmd73", none, 25, 8, 22, 1.2, G.LabelTexts[216]);
        PageButton(kPage, "cmdOk71", none, 1, 9.5, 22, 1.2, G.ButtonTexts[2], ButtonRole::Default);
        PageButton(kPage, "cmdCancel72", none, 25, 9.5, 22, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
        return;
      case ScaleOperation::Scale:
        PageLabel(kPage, "lb71", none, 1, 1, 10, 1.2, G.MessageTexts[18] + " = ");
        PageLabel(kPage, "lb73", none, 17, 1, 3, 1.2, "1 / ");
        PageEdit(kPage, "ed71", none, 20, 1, 16, 1.1, plat::NumberToText(v));
        PageLabel(kPage, "lb72", none, 1, 2.5, 10, 1.2, G.MessageTexts[75] + " = ");
        PageEdit(kPage, "ed72", none, 20, 2.5, 16, 1.1, plat::NumberToText(G.ScaleOffsetInput));
        break;
      case ScaleOperation::Shift:
        PageLabel(kPage, "lb71", none, 1, 1, 14, 1.2, G.MessageTexts[20] + " = ");
        PageEdit(kPage, "ed71", none, 16, 1, 10, 1.1, plat::NumberToText(G.PickedEnergy));
        PageLabel(kPage, "lb72", none, 27, 1, 4, 1.2, "eV");
        break;
    }
    PageButton(kPage, "cmdOk71", none, 1, 4.5, 17, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(kPage, "cmdCancel72", none, 20, 4.5, 17, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
  });
  // However the page ended, clicks no longer fill it.
  G.PickToScalePage = 0;
}

bool ApplyScaleShift(int w) {
  if (!IsSpectrumWindow(w)) return false;
  WindowRecord& win = Win[w];
  const int n = WindowPointCount(w);
  if (n < 1) return false;
  LoadWorkData(w, 1, 1, n);
  const ScaleOperation operation = CurrentScaleOperation();
  bool scaledBackground = false;

  if (operation == ScaleOperation::Shift) {
    win.ScaleMode = ScaleShifted;
    const long long s = ShiftPointCount(G.PickedEnergy, win.SpectrumHeader.EnergyStep);
    ShiftRegion(std::span<double>(WorkData.data(), WorkData.size()), win.RegionStart,
                win.RegionEnd, s);
  } else {
    double factor = 1;
    if (!FactorOfMode(w, win.ScaleMode, factor)) {
      ShowMessage(kMessageInconsistent, w);
      return false;
    }
    G.ScaleFactor = factor;
    const double offset = operation == ScaleOperation::Scale ? G.ScaleOffset : 0.0;
    ScaleValues(std::span<double>(WorkData.data(), WorkData.size()), 1, n, factor, offset);
    if (win.BackgroundState != BackgroundNone) {
      LoadWorkBackground(w, 2, 1, n);
      ScaleValues(std::span<double>(WorkBackground.data(), WorkBackground.size()), 1, n, factor,
                  offset);
      scaledBackground = true;
      if (win.HasFit == 0) win.IntegratedArea[1] = win.IntegratedArea[1] * factor;
    }
  }

  StoreWorkData(w, 1);
  if (scaledBackground) StoreWorkBackground(w, 2);
  LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
  ComputeIntensityRange(w);
  ComputeEnergyRange(w);
  G.RegionPickState = 0;
  RedrawWindow(w);
  return true;
}

void cmdOk71_Click() {
  if (!PageOpen(kPage)) return;
  const int cw = WorkingWindow();
  const ScaleOperation operation = CurrentScaleOperation();
  const double typed = PageNumberIfPresent("ed71", 0);
  G.ScaleOffsetInput = PageNumberIfPresent("ed72", G.ScaleOffsetInput);
  double v = G.ScaleDivisor;
  if (operation == ScaleOperation::Scale) {
    v = typed;
    G.ScaleOffset = G.ScaleOffsetInput;
  } else if (operation == ScaleOperation::Shift) {
    G.PickedEnergy = typed;
    v = 1;
    G.ScaleFactor = 1;
  }
  G.ScaleDivisor = v == 0 ? 1 : 1 / v;

  if (IsSpectrumWindow(cw)) {
    if (operation == ScaleOperation::Scale) {
      if (G.RegionPickState == 1) {
        Win[cw].ScaleMode = ScaleByPickedPoint;
        G.PickedChannel = G.CursorStart;
      } else {
        Win[cw].ScaleMode = ScaleByTypedValue;
      }
    }
    const bool allWindows = operation == ScaleOperation::Normalise &&
                            plat::ControlExists(kPage, "chk71") &&
                            plat::Value(kPage, "chk71") == 1;
    if (allWindows) {
      const Byte mode = Win[cw].ScaleMode;
      for (int v2 = 1; v2 <= kMaxWindows; ++v2) {
        if (!Win[v2].WindowOpen || Win[v2].WindowKind != SingleSpectrum) continue;
        Win[v2].ScaleMode = mode;
        ApplyScaleShift(v2);
      }
    } else {
      ApplyScaleShift(cw);
    }
  }
  EndPage(1);
}

void cmdCancel72_Click() { EndPage(2); }

void cmd72_Click() {
  const int cw = WorkingWindow();
  if (!PageOpen(kPage) || !IsSpectrumWindow(cw)) return;
  G.ScaleDivisor = Win[cw].IntensityMax;
  Win[cw].ScaleMode = ScaleByMaximum;
  SetNormaliseTexts(G.LabelTexts[215], "", G.ScaleDivisor);
}

void cmd73_Click() {
  const int cw = WorkingWindow();
  if (!PageOpen(kPage) || !IsSpectrumWindow(cw)) return;
  G.ScaleDivisor = Win[cw].IntensityMin;
  Win[cw].ScaleMode = ScaleByMinimum;
  SetNormaliseTexts(G.LabelTexts[216], "", G.ScaleDivisor);
}

void cmd74_Click() {
  const int cw = WorkingWindow();
  if (!PageOpen(kPage) || !IsSpectrumWindow(cw)) return;
  const double typed = ReadPageNumber(kPage, "ed71");
  G.ScaleDivisor = typed == 0 ? 1 : typed;
  Win[cw].ScaleMode = ScaleByTypedValue;
  SetNormaliseTexts(G.LabelTexts[217], "", G.ScaleDivisor);
}

void cmd75_Click() {
  const int cw = WorkingWindow();
  if (!PageOpen(kPage) || !IsSpectrumWindow(cw)) return;
  const double typed = ReadPageNumber(kPage, "ed71");
  G.ScaleDivisor = typed == 0 ? 1 : typed;
  Win[cw].ScaleMode = ScaleByPickedPoint;
  SetNormaliseTexts(G.LabelTexts[218], " E = " + plat::NumberToText(G.PickedEnergy) + " eV",
                    G.ScaleDivisor);
}

void RegisterScalePageEvents() {
  RegisterEvent("cmdOk71_Click", [](plat::EventArgs&) { cmdOk71_Click(); });
  RegisterEvent("cmdCancel72_Click", [](plat::EventArgs&) { cmdCancel72_Click(); });
  RegisterEvent("cmd72_Click", [](plat::EventArgs&) { cmd72_Click(); });
  RegisterEvent("cmd73_Click", [](plat::EventArgs&) { cmd73_Click(); });
  RegisterEvent("cmd74_Click", [](plat::EventArgs&) { cmd74_Click(); });
  RegisterEvent("cmd75_Click", [](plat::EventArgs&) { cmd75_Click(); });
}

}  // namespace sorvan
