// The printed fit and error reports (see fit_report.h).
#include "report/fit_report.h"

#include <algorithm>
#include <cmath>

#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "dialogs/window_choice_page.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"
#include "platform/canvas.h"
#include "platform/files.h"
#include "platform/printer.h"
#include "platform/surfaces.h"
#include "platform/text.h"
#include "report/fit_tables.h"
#include "report/print_blocks.h"

namespace sorvan {

namespace {

int PeaksOf(const WindowRecord& win) { return std::clamp<int>(win.PeakCount, 0, kMaxPeaks); }

int Whole(double v) { return static_cast<int>(plat::RoundHalfEven(v)); }

// A menu or label text without its first character (the mnemonic).
std::string WithoutFirst(const std::string& text) { return plat::Mid(text, 2); }

// The windows of the report, in the order of ChosenWindows: those with a fit.
std::vector<int> PrintedWindows() {
  std::vector<int> windows;
  for (int w : ChosenSpectrumWindows())
    if (Win[w].HasFit == 1) windows.push_back(w);
  return windows;
}

void PrintBlock(plat::Canvas& page, const ReportMetrics& m, int w, double Y, bool errors) {
  const WindowRecord& win = Win[w];
  const double W = m.W, c = m.c, r = m.r;
  const double x0 = m.L;
  auto X = [&](double k) { return x0 + k * W / 7.5; };
  auto S = [&](double k) { return X(k) - 4 * c; };
  const double y0 = Whole(Y + 3 * r);
  const bool doublet = IsDoubletWindow(w);
  const int n = PeaksOf(win);
  const int rows = ReportTableRows(w);

  // The path in the form the page printout and the boxes show.
  const std::string path = plat::ShownPath(win.SourcePath);
  page.Text(m.L, Y, plat::Right(path, 120));
  page.Text(m.L, Y + 2 * r, win.SpectrumHeader.Name + "     " + ReportBlockLabel(w, errors));

  const double head = y0 + r / 2;
  const double area1 = errors ? X(5.6) : X(5.7);
  const double area2 = errors ? X(6.4) : X(6.3);
  const std::vector<std::string> heads = ReportColumnHeads(w, errors);
  page.Text(x0, head, win.PeakType);
  for (int k = 1; k <= 5; ++k) {
    page.Text(S(k), head, G.MessageTexts[48]);
    page.Text(X(k), head, heads[k - 1]);
  }
  page.Text(area1, head, heads[5]);
  page.Text(area2, head, heads[6]);

  double total = 0;
  for (int p = 1; p <= n; ++p) total += win.PeakArea[p] + win.PartnerArea[p];
  for (int p = 1; p <= n; ++p) {
    const int parts = doublet ? 2 : 1;
    if (errors) {
      FormatAreaErrors(w, p);
    } else {
      FormatPeakAreas(w, p, total);
    }
    const std::string areas[4] = {G.NumberText, G.NumberText2, G.NumberText3, G.NumberText4};
    for (int part = 1; part <= parts; ++part) {
      const double y = head + (doublet ? 2 * p - 2 + part : p) * r;
      std::string label = plat::NumberToText(p);
      if (doublet) label += part == 1 ? "/1" : "/2";
      page.Text(x0, y, label);
      for (int k = 1; k <= 5; ++k) {
        const int j = part == 1 ? 2 * k - 1 : 2 * k;
        page.Text(S(k), y, plat::NumberToText(win.ParameterState[p][j]));
        if (errors) {
          FormatParameterError(w, p, j);
        } else {
          FormatParameterValue(w, p, j);
        }
        page.Text(X(k), y, G.NumberText);
      }
      page.Text(area1, y, part == 1 ? areas[0] : areas[2]);
      page.Text(area2, y, part == 1 ? areas[1] : areas[3]);
    }
  }

  double statisticsRow = rows + 2;
  if (win.BackgroundState == BackgroundFitted) {
    page.Text(m.L, y0 + (rows + 2) * r, errors ? ErrorBackgroundLine(w) : BackgroundFormulaText(w));
    statisticsRow += 1;
  }
  page.Text(m.L, y0 + statisticsRow * r, ReportStatisticsLine(w, errors));
}

void PrintReport(bool errors) {
  const PrintOutcome outcome = PrintDocument("Sorvan", [&](plat::Canvas& page) {
    const ReportMetrics m = MeasureReportPage(plat::PageWidth(), plat::PageHeight());
    page.SetFont(PrintTextFont());
    page.SetDrawMode(plat::kDrawModeCopy);
    page.SetColour(0);
    page.SetOpaqueText(false);
    int current = 1;
    for (const ReportBlockPlace& place : PlaceReportBlocks(m)) {
      if (place.page != current) {
        plat::NewPage();
        page.SetFont(PrintTextFont());
        page.SetColour(0);
        current = place.page;
      }
      PrintBlock(page, m, place.window, place.top, errors);
    }
  });
  if (outcome == PrintOutcome::Failed) {
    G.CommandId = 2;
    ShowMessage(2, G.CurrentWindow);
  }
}

}  // namespace

ReportMetrics MeasureReportPage(double pageWidth, double pageHeight) {
  ReportMetrics m;
  m.W = Whole(pageWidth / 1.05);
  m.H = Whole(pageHeight / 1.05);
  m.c = Whole(m.W / 130.0);
  m.r = Whole(m.H / 80.0);
  m.L = Whole(m.W / 12.0);
  m.T = Whole(m.H / 20.0);
  return m;
}

int ReportTableRows(int w) {
  const WindowRecord& win = Win[w];
  return IsDoubletWindow(w) ? 2 * PeaksOf(win) : PeaksOf(win);
}

double ReportBlockHeight(int w, const ReportMetrics& m) {
  // Path, name, head row, the table, a gap, the background line when the
  // background was fitted, the statistics line.
  const int lines = ReportTableRows(w) + 3 + (Win[w].BackgroundState == BackgroundFitted ? 1 : 0);
  return 3.0 * m.r + lines * m.r;
}

std::vector<ReportBlockPlace> PlaceReportBlocks(const ReportMetrics& m) {
  std::vector<ReportBlockPlace> places;
  const double line = m.H * 70.0 / 80.0;
  double Y = m.T;
  int page = 1;
  int before = 0;  // the block printed last
  for (int w : PrintedWindows()) {
    if (before != 0) Y = Whole(Y + 8.0 * m.r + ReportTableRows(before) * m.r);
    // A block that would pass the line goes to the next page whole; a page's
    // first block stays where it is.
    if (Y > m.T && Y + ReportBlockHeight(w, m) > line) {
      ++page;
      Y = m.T;
    }
    places.push_back({w, page, Y});
    before = w;
  }
  return places;
}

std::string ReportBlockLabel(int w, bool errors) {
  const WindowRecord& win = Win[w];
  if (!errors)
    return win.PeakType + "/" +
           WithoutFirst(G.MenuTexts[win.PeakModel == PeakModelDoniachSunjic ? 63 : 62]) + "/" +
           WithoutFirst(G.LabelTexts[win.RelativeMode == 1 ? 3 : 2]);
  return G.LabelTexts[102] + "/" + WithoutFirst(G.LabelTexts[win.ErrorMethod == ErrorMethodHessian ? 117 : 116]) + "/" +
         WithoutFirst(G.LabelTexts[win.ErrorsInPercent == 1 ? 3 : 2]);
}

std::vector<std::string> ReportColumnHeads(int w, bool errors) {
  const WindowRecord& win = Win[w];
  const bool ds = win.PeakModel == PeakModelDoniachSunjic;
  const auto& M = G.MessageTexts;
  if (!errors)
    return {M[37], M[ds ? 121 : 122], M[126], M[ds ? 122 : 127], M[123], M[45], M[46]};
  if (win.ErrorsInPercent != 1)
    return {M[37], M[ds ? 42 : 122], M[126] + "/eV", M[ds ? 43 : 40], M[123], M[45], M[46]};
  const std::string pc = "/%";
  return {M[37] + pc,
          (ds ? G.LabelTexts[104] : M[122]) + pc,
          M[126] + pc,
          (ds ? G.LabelTexts[103] : M[127]) + pc,
          M[123] + pc,
          M[45] + pc,
          M[46] + pc};
}

std::string ErrorBackgroundLine(int w) {
  const WindowRecord& win = Win[w];
  const bool percent = win.ErrorsInPercent == 1;
  static const double scales[7] = {0, 1e5, 1e5, 1e6, 1e6, 1e6, 1e5};
  std::string line = G.MessageTexts[107] + ":" + (IsDoubletWindow(w) ? " " : "  ");
  for (int k = 1; k <= 6; ++k) {
    const std::string letter(1, static_cast<char>('A' + k - 1));
    const double e = win.BackgroundTermError[k];
    if (e == kEmptyResultCell) {
      line += " " + letter + "= -----,";
    } else if (percent) {
      line += " " + letter + "=" + CutText(e, 1e5) + "%,";
    } else {
      line += " " + letter + "=" + CutText(e, scales[k]) + ",";
    }
  }
  return line;
}

std::string ReportStatisticsLine(int w, bool errors) {
  const WindowRecord& win = Win[w];
  const bool singletErrors = errors && !IsDoubletWindow(w);
  return G.MessageTexts[90] + RoundedText(win.FitReducedChi2, 1000) + (singletErrors ? "   " : "  ") +
         G.LabelTexts[128] + RoundedText(win.FitChi2, 10) + "  " + G.MessageTexts[114] +
         RoundedText(win.FitSerialCorrelation, singletErrors ? 10000 : 1000) +
         (errors && win.ErrorsFromNormalMatrix ? "   " + G.LabelTexts[135] : std::string());
}

void PrintFitReport() { PrintReport(false); }
void PrintFitErrorReport() { PrintReport(true); }

void RunFitReportCommand(bool errors) {
  G.ExcludedWindow = 0;
  ShowWindowChoicePage(G.ExcludedWindow, errors ? G.LabelTexts[121] : G.MessageTexts[87]);
  if (G.DialogResult != 1 || G.ChosenWindowCount < 1) return;
  if (errors) {
    PrintFitErrorReport();
  } else {
    PrintFitReport();
  }
}

}  // namespace sorvan
