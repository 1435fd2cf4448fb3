// The peak limits page (page 12x).
#include "fiterrors/peak_limits_page.h"

#include <string>

#include "core/events.h"
#include "core/model.h"
#include "dialogs/page.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 12;

}  // namespace

void ShowPeakLimitsPage(int w) {
  if (!IsSpectrumWindow(w) || !PageCanOpen(kPage)) return;
  G.DialogResult = 0;
  // The page shows the limits the fit will use: cells left empty take what
  // the fit region can hold, as every load of the fit completes them.
  if (Win[w].RelativeMode == 1) {
    CompleteLimitTablesRelative(w);
  } else {
    CompleteLimitTables(w);
  }
  const WindowRecord& win = Win[w];
  const int peaks = HeldPeakCount(w);
  const bool doniachSunjic = win.PeakModel == PeakModelDoniachSunjic;
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 19 + 12 * peaks;
  spec.height = 18;
  spec.caption = G.MessageTexts[36] + win.PeakType;
  spec.clearResult = true;
  spec.spectrumWindow = w;
  spec.firstEntry = "ed121";
  spec.firstEntryIndex = 0;
  RunPage(spec, [&] {
    const int n = kPage;
    const std::string titles[5] = {
        G.MessageTexts[37],
        doniachSunjic ? G.MessageTexts[42] : G.MessageTexts[38] + "(0...1)",
        G.MessageTexts[39],
        doniachSunjic ? G.MessageTexts[43] : G.MessageTexts[40],
        G.MessageTexts[41]};
    const char* names[5] = {"lb121", "lb122", "lb123", "lb124", "lb125"};
    for (int k = 0; k <= 4; ++k) {
      const double y = 1.7 + 2.4 * k;
      PageLabel(n, names[k], plat::kNoIndex, 0.5, y, 13, 1, titles[k]);
      PageLabel(n, "lb126", k, 13.4, y, 5, 1, G.MessageTexts[49]);
      PageLabel(n, "lb127", k, 13.4, y + 1.2, 5, 1, G.MessageTexts[50]);
    }
    for (int p = 1; p <= peaks; ++p) {
      const double x = 6 + 12 * p;
      PageLabel(n, "lb128", p, x, 0.5, 9, 1,
                win.PeakType + plat::Trim(plat::NumberToText(p)));
      for (int k = 0; k <= 4; ++k) {
        const int j = 2 * k + 1;
        const double y = 1.7 + 2.4 * k;
        FormatParameterLimits(w, p, j);
        const int cell = (p - 1) * 5 + k;
        PageEdit(n, "ed121", cell, x, y, 11, 1.1, G.NumberText2);
        PageEdit(n, "ed122", cell, x, y + 1.2, 11, 1.1, G.NumberText);
      }
    }
    PageButton(n, "cmdOk121", plat::kNoIndex, 1, 15, 13, 1.2, G.ButtonTexts[2],
               ButtonRole::Default);
    PageButton(n, "cmdCancel122", plat::kNoIndex, 16, 15, 13, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
  });
}

void cmdOk121_Click() {
  const int w = PageTargetWindow(kPage);
  if (IsSpectrumWindow(w)) {
    WindowRecord& win = Win[w];
    const int peaks = HeldPeakCount(w);
    for (int p = 1; p <= peaks; ++p) {
      for (int k = 0; k <= 4; ++k) {
        const int j = 2 * k + 1;
        const int cell = (p - 1) * 5 + k;
        win.ParameterLower[p][j] = ReadPageNumber(kPage, "ed121", cell);
        win.ParameterUpper[p][j] = ReadPageNumber(kPage, "ed122", cell);
        win.ParameterLower[p][j + 1] = win.ParameterLower[p][j];
        win.ParameterUpper[p][j + 1] = win.ParameterUpper[p][j];
      }
    }
  }
  ClosePage(kPage, 1);
}

void cmdCancel122_Click() { ClosePage(kPage, 2); }

void RegisterPeakLimitsPageEvents() {
  RegisterEvent("cmdOk121_Click", [](plat::EventArgs&) { cmdOk121_Click(); });
  RegisterEvent("cmdCancel122_Click", [](plat::EventArgs&) { cmdCancel122_Click(); });
}

}  // namespace sorvan
