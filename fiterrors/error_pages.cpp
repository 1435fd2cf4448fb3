// The error pages 32x, 33x and 34x (see error_pages.h).
#include "fiterrors/error_pages.h"

#include <cmath>
#include <span>
#include <string>

#include "core/events.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "fit/fit_format.h"
#include "fiterrors/error_table.h"
#include "platform/controls.h"
#include "platform/text.h"
#include "processing/pages/background_page.h"
#include "processing/kernels/backgrounds.h"
#include "report/fit_report.h"
#include "report/fit_tables.h"

namespace sorvan {

namespace {


std::string WithoutFirst(const std::string& text) { return text.empty() ? text : text.substr(1); }

std::string Number(double value) { return plat::NumberToText(value); }

std::string PeakNumber(int p) { return plat::Trim(plat::NumberToText(p)); }

// "Parameter errors/<method>/<unit>".
std::string PeakPageCaption(const WindowRecord& win) {
  return G.LabelTexts[102] + "/" +
         WithoutFirst(win.ErrorMethod == ErrorMethodProfile ? G.LabelTexts[116] : G.LabelTexts[117]) + "/" +
         WithoutFirst(win.ErrorsInPercent == 0 ? G.LabelTexts[2] : G.LabelTexts[3]);
}

// The toggle shows the unit it switches to.
std::string ToggleCaption(const WindowRecord& win) {
  return win.ErrorsInPercent != 0 ? G.LabelTexts[2] : G.LabelTexts[3];
}

// The seven row titles of the peak pages, in percent mode each with "/%".
void RowTitles(const WindowRecord& win, std::string titles[7]) {
  const bool percent = win.ErrorsInPercent != 0;
  const bool ds = win.PeakModel == PeakModelDoniachSunjic;
  const std::string unit = percent ? "/%" : "";
  titles[0] = G.MessageTexts[37] + unit;
  if (!percent) {
    titles[1] = ds ? G.MessageTexts[42] : G.MessageTexts[38];
    titles[3] = ds ? G.MessageTexts[43] : G.MessageTexts[40];
  } else {
    titles[1] = (ds ? G.LabelTexts[104] : G.MessageTexts[38]) + unit;
    titles[3] = (ds ? G.LabelTexts[103] : G.MessageTexts[127]) + unit;
  }
  titles[2] = G.MessageTexts[126] + (percent ? "/%" : "/eV");
  titles[4] = G.MessageTexts[41] + unit;
  titles[5] = G.MessageTexts[45] + unit;
  titles[6] = G.MessageTexts[46] + unit;
}

// Each page shares its dialog window, and the busy flag of it, with another page.
PageGuard GuardOf(int n) {
  return n == kPeakErrorPage ? PageGuard::Window1
                             : (n == kDoubletErrorPage ? PageGuard::Window2 : PageGuard::Window3);
}

bool PageMayOpen(int w, int n) {
  return IsSpectrumWindow(w) && G.ErrorRunState != ErrorsFailed && PageCanOpen(n, GuardOf(n));
}

// What the three pages have in common: their window and its guard, the
// spectrum window they show, DialogResult cleared and the pointer placed.
PageSpec ErrorPageSpec(int n, int w, Cells width, Cells height, const std::string& caption,
                       double pointerX, double pointerY) {
  PageSpec spec;
  spec.dialogWindow = n;
  spec.guard = GuardOf(n);
  spec.width = width;
  spec.height = height;
  spec.caption = caption;
  spec.clearResult = true;
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = pointerX;
  spec.pointerY = pointerY;
  return spec;
}

// The OK button at the left and the percent toggle at `toggleX`, both
// `width` cells wide.
void PlaceOkAndToggle(int n, const char* okName, const char* toggleName, double y, double toggleX,
                      double width, const WindowRecord& win) {
  PageButton(n, okName, plat::kNoIndex, 1, y, width, 1.2, G.ButtonTexts[2], ButtonRole::Default);
  PageButton(n, toggleName, plat::kNoIndex, toggleX, y, width, 1.2, ToggleCaption(win));
}

// The export and print buttons act on the window of the page alone.
void ChooseOnlyWindow(int w) {
  G.ChosenWindows[1] = w;
  G.ChosenWindowCount = 1;
}

void PlaceReportButtons(int n, const char* exportName, const char* printName, double y) {
  PageButton(n, exportName, plat::kNoIndex, 1, y, 11.5, 1.2, G.LabelTexts[25]);
  PageButton(n, printName, plat::kNoIndex, 14.5, y, 11.5, 1.2, G.ButtonTexts[10]);
}

// The percent toggle: the other unit, the table rebuilt in it, the page
// shown again.
void ToggleUnit(int n, void (*show)(int)) {
  const int w = PageTargetWindow(n);
  ClosePage(n, -1);
  if (!IsSpectrumWindow(w)) return;
  WindowRecord& win = Win[w];
  win.ErrorsInPercent = win.ErrorsInPercent != 0 ? 0 : 1;
  BuildErrorTable(w);
  show(w);
}

void PrintReport(int n, int result) {
  const int w = PageTargetWindow(n);
  G.DialogResult = static_cast<Int16>(result);
  ChooseOnlyWindow(w);
  PrintFitErrorReport();
}

// The error table of the page's window through the columns page into a file;
// the page stays open.
void ExportTable(int n) {
  const int w = PageTargetWindow(n);
  ChooseOnlyWindow(w);
  ExportFitTableWithColumnsPage(true);
}

// A background error cut (not rounded) to five decimals.
double CutToFiveDecimals(double e) { return std::floor(e * 100000) / 100000; }

}  // namespace

void ShowPeakErrorPage(int w) {
  constexpr int n = kPeakErrorPage;
  if (!PageMayOpen(w, n)) return;
  const WindowRecord& win = Win[w];
  const int peaks = HeldPeakCount(w);
  LoadWorkBackground(w, 2, 1, WindowPointCount(w));
  double areaSum = 0;
  for (int p = 1; p <= peaks; ++p) areaSum += win.PeakArea[p];

  const double width = 28 + 14 * (peaks - 1);
  const bool note = win.ErrorsFromNormalMatrix != 0;
  const PageSpec spec =
      ErrorPageSpec(n, w, width, note ? 17 : 15.5, PeakPageCaption(win), 6.5, 12.6);
  RunPage(spec, [&] {
    std::string titles[7];
    RowTitles(win, titles);
    const char* names[7] = {"lb321", "lb322", "lb323", "lb324", "lb325", "lb326", "lb327"};
    for (int r = 0; r < 7; ++r)
      PageLabel(n, names[r], plat::kNoIndex, r == 0 ? 1 : 0.5, 1.7 + 1.2 * r, 12, 1, titles[r]);
    for (int p = 1; p <= peaks; ++p) {
      const double x = 14 * (p - 1);
      PageFrame(n, "fr321", p, 14 + x, 0.5, 13, 10,
                G.MessageTexts[47] + PeakNumber(p) + "      " + G.MessageTexts[48]);
      for (int k = 0; k <= 4; ++k) {
        const int j = 2 * k + 1;
        const int cell = (p - 1) * 5 + k;
        const double y = 1.7 + 1.2 * k;
        FormatParameterError(w, p, j);
        PageLabel(n, "lb3210", cell, 15 + x, y, 9, 1.1, G.NumberText);
        PageLabel(n, "lb3211", cell, 24 + x, y, 2, 1.2, Number(win.ParameterState[p][j]));
      }
      std::string area = Number(0), share = Number(0);
      if (areaSum != 0) {
        FormatAreaErrors(w, p);
        area = G.NumberText;
        share = G.NumberText2;
      }
      PageLabel(n, "lb3212", p, 15 + x, 7.7, 11, 1, area);
      PageLabel(n, "lb3213", p, 15 + x, 8.9, 11, 1, share);
    }
    PlaceOkAndToggle(n, "cmdOk321", "cmdOk324", 11, 14.5, 11.5, win);
    PlaceReportButtons(n, "cmd322", "cmd323", 12.5);
    if (note) PageLabel(n, "lb3214", plat::kNoIndex, 1, 14.1, width - 2, 1.2, G.LabelTexts[135]);
  });
}

void ShowDoubletErrorPage(int w) {
  constexpr int n = kDoubletErrorPage;
  if (!PageMayOpen(w, n)) return;
  const WindowRecord& win = Win[w];
  const int peaks = HeldPeakCount(w);
  LoadWorkBackground(w, 2, 1, WindowPointCount(w));
  double areaSum = 0;
  for (int p = 1; p <= peaks; ++p) areaSum += win.PeakArea[p] + win.PartnerArea[p];

  const double width = 33 + 14 * (peaks - 1);
  const bool note = win.ErrorsFromNormalMatrix != 0;
  const PageSpec spec =
      ErrorPageSpec(n, w, width, note ? 25 : 23.5, PeakPageCaption(win), 6.5, 20.6);
  RunPage(spec, [&] {
    std::string titles[7];
    RowTitles(win, titles);
    const char* names[7] = {"lb331", "lb332", "lb333", "lb334", "lb335", "lb336", "lb337"};
    for (int r = 0; r < 7; ++r) {
      const double y = 1.7 + 2.4 * r;
      PageLabel(n, names[r], plat::kNoIndex, r == 0 ? 1 : 0.5, y, 12, 1, titles[r]);
      PageLabel(n, "lb338", r, 12, y, 6, 1, G.MessageTexts[47] + "1");
      PageLabel(n, "lb339", r, 12, y + 1.2, 6, 1, G.MessageTexts[47] + "2");
    }
    for (int p = 1; p <= peaks; ++p) {
      const double x = 14 * (p - 1);
      PageFrame(n, "fr331", p, 18 + x, 0.5, 14, 18,
                G.MessageTexts[47] + PeakNumber(p) + "      " + G.MessageTexts[48]);
      for (int j = 1; j <= 10; ++j) {
        const int cell = (p - 1) * 10 + j - 1;
        const double y = 1.7 + 1.2 * (j - 1);
        FormatParameterError(w, p, j);
        PageLabel(n, "lb3312", cell, 19 + x, y, 11, 1.1, G.NumberText);
        PageLabel(n, "lb3113", cell, 29.4 + x, y, 2, 1.2, Number(win.ParameterState[p][j]));
      }
      std::string texts[4] = {Number(0), Number(0), Number(0), Number(0)};
      if (areaSum != 0) {
        FormatAreaErrors(w, p);
        texts[0] = G.NumberText;
        texts[1] = G.NumberText3;
        texts[2] = G.NumberText2;
        texts[3] = G.NumberText4;
      }
      const char* areaNames[4] = {"lb3314", "lb3315", "lb3316", "lb3317"};
      for (int r = 0; r < 4; ++r)
        PageLabel(n, areaNames[r], p, 19 + x, 13.7 + 1.2 * r, 11, 1, texts[r]);
    }
    PlaceOkAndToggle(n, "cmdOk331", "cmdOk334", 19, 14.5, 11.5, win);
    PlaceReportButtons(n, "cmd332", "cmd333", 20.5);
    if (note) PageLabel(n, "lb3318", plat::kNoIndex, 1, 22.1, width - 2, 1.2, G.LabelTexts[135]);
  });
}

void ShowBackgroundErrorPage(int w) {
  constexpr int n = kBackgroundErrorPage;
  if (!PageMayOpen(w, n)) return;
  WindowRecord& win = Win[w];
  const int points = WindowPointCount(w);
  LoadWorkFitTarget(w, 1, 1, points);
  LoadWorkBackground(w, 2, 1, points);
  const SpectrumHeaderRecord& h = win.SpectrumHeader;
  // The area between the spectrum and its background over the region. The
  // background keeps its state: the page only shows it.
  win.IntegratedArea[1] = BackgroundArea(
      std::span<const double>(WorkFitTarget.data(), WorkFitTarget.size()),
      std::span<const double>(WorkBackground.data(), WorkBackground.size()), win.RegionStart,
      win.RegionEnd, h.EnergyStep, G.CpsMode == 0, h.ScanCount, h.DwellTime);
  const bool percent = win.ErrorsInPercent != 0;

  const PageSpec spec = ErrorPageSpec(n, w, 35, 15.5, G.LabelTexts[101], 7.5, 16.1);
  RunPage(spec, [&] {
    PageLabel(n, "lb341", plat::kNoIndex, 1, 0.5, 27, 1.2, G.MessageTexts[6]);
    PageLabel(n, "lb342", plat::kNoIndex, 1, 1.5, 27, 1.2,
              BackgroundAreaText(win.IntegratedArea[1]));
    PageFrame(n, "fr341", plat::kNoIndex, 0.5, 3, 33, 9,
              "P(x) = A+Bx+Cx\u00B2+Dx\u00B3+ES+FT              Fix ");
    const char* names[6] = {"lb344", "lb345", "lb346", "lb347", "lb348", "lb349"};
    for (int k = 1; k <= 6; ++k) {
      const double y = 3.3 + 1.2 * k;
      PageLabel(n, names[k - 1], plat::kNoIndex, 1, y, 20, 1.2,
                G.LabelTexts[106 + k] + (percent ? "/%" : ""));
      const double e = win.BackgroundTermError[k];
      const std::string text =
          percent && e == kEmptyResultCell ? std::string(" ----") : Number(CutToFiveDecimals(e));
      PageLabel(n, "lb3410", k, 19, y, 11, 1.1, text);
      PageLabel(n, "lb3411", k, 31, y, 2, 1.1, Number(win.BackgroundTermFixed[k] ? 1 : 0));
    }
    PlaceOkAndToggle(n, "cmdOk344", "cmdOk345", 12.5, 20, 13, win);
  });
}

void cmdOk321_Click() { ClosePage(kPeakErrorPage, 2); }

void cmd322_Click() { ExportTable(kPeakErrorPage); }

void cmd323_Click() { PrintReport(kPeakErrorPage, 323); }

void cmdOk324_Click() { ToggleUnit(kPeakErrorPage, ShowPeakErrorPage); }

void cmdOk331_Click() { ClosePage(kDoubletErrorPage, 2); }

void cmd333_Click() { PrintReport(kDoubletErrorPage, 333); }

void cmdOk334_Click() { ToggleUnit(kDoubletErrorPage, ShowDoubletErrorPage); }

void cmdOk344_Click() { ClosePage(kBackgroundErrorPage, -1); }

void cmdOk345_Click() { ToggleUnit(kBackgroundErrorPage, ShowBackgroundErrorPage); }

void RegisterErrorPageEvents() {
  RegisterEvent("cmdOk321_Click", [](plat::EventArgs&) { cmdOk321_Click(); });
  RegisterEvent("cmd322_Click", [](plat::EventArgs&) { cmd322_Click(); });
  RegisterEvent("cmd332_Click", [](plat::EventArgs&) { ExportTable(kDoubletErrorPage); });
  RegisterEvent("cmd323_Click", [](plat::EventArgs&) { cmd323_Click(); });
  RegisterEvent("cmdOk324_Click", [](plat::EventArgs&) { cmdOk324_Click(); });
  RegisterEvent("cmdOk331_Click", [](plat::EventArgs&) { cmdOk331_Click(); });
  RegisterEvent("cmd333_Click", [](plat::EventArgs&) { cmd333_Click(); });
  RegisterEvent("cmdOk334_Click", [](plat::EventArgs&) { cmdOk334_Click(); });
  RegisterEvent("cmdOk344_Click", [](plat::EventArgs&) { cmdOk344_Click(); });
  RegisterEvent("cmdOk345_Click", [](plat::EventArgs&) { cmdOk345_Click(); });
}

}  // namespace sorvan
