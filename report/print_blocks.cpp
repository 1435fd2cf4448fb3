// The text blocks of the printed page (see print_blocks.h).
#include "report/print_blocks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/number_text.h"
#include "dialogs/quantification.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"
#include "platform/canvas.h"
#include "platform/files.h"
#include "platform/printer.h"
#include "platform/text.h"

namespace sorvan {

namespace {

// Shown when a quantification value does not apply.
const char* const kNoValue = "- - -";

}  // namespace

std::string RoundedText(double v, double s) { return plat::NumberToText(std::floor(v * s + 0.5) / s); }
std::string CutText(double v, double s) { return plat::NumberToText(std::floor(v * s) / s); }

std::string BackgroundFormulaText(int w) {
  const WindowRecord& win = Win[w];
  const auto& b = win.BackgroundTermValue;
  return G.MessageTexts[107] + ": B(E)=" + CutText(b[1], 1e5) + "+" + CutText(b[2], 1e5) + "*E+" +
         CutText(b[3], 1e6) + "*E\u00B2+" + CutText(b[4], 1e7) + "*E\u00B3+" + CutText(b[5], 1e6) + "*S(E)+" +
         CutText(b[6], 1e5) + "*T(E)";
}

std::string StatisticsLine(int w, int line) {
  const WindowRecord& win = Win[w];
  switch (line) {
    case 0: return G.MessageTexts[90] + RoundedText(win.FitReducedChi2, 1000);
    case 1: return G.LabelTexts[128] + RoundedText(win.FitChi2, 10);
    default: return G.MessageTexts[114] + RoundedText(win.FitSerialCorrelation, 1000);
  }
}

// A statistics line cut to `width`: the label gives way, the number stays.
static std::string StatisticsLineInWidth(int w, int line, double width, plat::Canvas& page) {
  const std::string whole = StatisticsLine(w, line);
  if (page.TextWidth(whole) <= width) return whole;
  const WindowRecord& win = Win[w];
  std::string label, number;
  switch (line) {
    case 0: label = G.MessageTexts[90], number = RoundedText(win.FitReducedChi2, 1000); break;
    case 1: label = G.LabelTexts[128], number = RoundedText(win.FitChi2, 10); break;
    default: label = G.MessageTexts[114], number = RoundedText(win.FitSerialCorrelation, 1000); break;
  }
  return FittedText(page, label, width - page.TextWidth(number)) + number;
}

void PrintFitBlocks(plat::Canvas& page, const PrintMetrics& m, const PrintZone& z) {
  const int w = z.window;
  const WindowRecord& win = Win[w];
  if (win.HasFit != 1) return;
  const double W = m.W, c = m.c, r = z.rowHeight > 0 ? z.rowHeight : m.r;
  const double T = z.tableTop;
  const double x0 = W / 20 + c;
  auto X = [&](double k) { return x0 + k * W / 9; };
  auto S = [&](double k) { return X(k) - 4 * c; };
  page.SetFont(PrintTextFont());
  page.SetColour(0);
  const bool header = win.PrintHeaderBlock == 1;
  const bool transmission = win.TransmissionActive == 1;
  const int n = std::clamp<int>(win.PeakCount, 0, kMaxPeaks);
  const bool doublet = IsDoubletWindow(w);
  const bool singleSinglet = !transmission && !header && n == 1 && !doublet;

  // Where the statistics go: beside the table, in the statistics box of the
  // narrow header, or (transmission window with a wide header) below it.
  const bool inTable = !header || (!z.narrowHeader && !transmission);
  std::vector<int> lines = singleSinglet ? std::vector<int>{0, 2} : std::vector<int>{0, 1, 2};
  // In the table the lines stand at Tr - 15c, or nearer the left when they
  // would cross the table's frame there; they keep a column unit inside it.
  double statisticsX = z.tableRight - 15 * c;
  if (inTable)
    for (int line : lines)
      statisticsX = std::min(statisticsX, z.tableRight - c - page.TextWidth(StatisticsLine(w, line)));
  // Right ends of the table's texts on the rows the statistics share.
  double rowEnd[3] = {0, 0, 0};
  auto put = [&](int row, double x, double y, const std::string& text) {
    page.Text(x, y, text);
    if (row >= 0 && row < 3) rowEnd[row] = std::max(rowEnd[row], x + page.TextWidth(text));
  };
  auto statistics = [&] {
    if (inTable) {
      for (std::size_t k = 0; k < lines.size(); ++k) {
        const double x = std::max(statisticsX, rowEnd[k] + c);
        page.Text(x, T + (2 * k + 1) * r / 2, StatisticsLineInWidth(w, lines[k], z.tableRight - c - x, page));
      }
    } else if (z.narrowHeader) {
      for (int i = 0; i < 3; ++i) page.Text(z.Xn + c, z.sbTop + r / 2 + i * m.r, StatisticsLine(w, i));
    } else {
      for (int i = 0; i < 3; ++i)
        page.Text(z.hbLeft + c, z.hbBottom + r / 2 + i * m.r, StatisticsLine(w, i));
    }
  };

  if (transmission) {
    // The transmission model: a0 + a1 E + ... + a4 E^4 + b1 E^b2.
    put(0, x0, T + r / 2, "T(E) = a0+a1E+a2E^2+a3E^3+a4E^4+b1E^b2");
    static const char* const labels[11] = {"",        "a0:",       "       a1:", "       a2:",
                                           "       a3:", "       a4:", "b1:",        "       b2:",
                                           "       b3: ", "       b4:", "       Emission:"};
    for (int line = 0; line < 2; ++line) {
      std::string text;
      for (int i = 1 + 5 * line; i <= 5 + 5 * line; ++i)
        text += std::string(labels[i]) + RoundedText(win.TransmissionCoef[i], 10000) +
                " Fix:" + plat::NumberToText(win.TransmissionCoefFixed[i]);
      page.Text(x0, T + (3 + 2 * line) * r / 2, text);
    }
    statistics();
    return;
  }
  if (win.PrintFitTable != 1) return;

  // Head row: each column head cut to its column; the last one also keeps
  // clear of the statistics beside it.
  const double head = T + r / 2;
  const double half = c / 2;
  const double lastRight = inTable ? statisticsX - c : z.tableRight - c;
  put(0, x0, head, FittedText(page, win.PeakType, S(1) - half - x0));
  for (int k = 1; k <= 5; ++k) put(0, S(k), head, FittedText(page, G.MessageTexts[48], X(k) - half - S(k)));
  const bool ds = win.PeakModel == PeakModelDoniachSunjic;
  const std::string heads[5] = {G.MessageTexts[37], G.MessageTexts[ds ? 121 : 38], G.MessageTexts[126],
                                G.MessageTexts[ds ? 122 : 127], G.MessageTexts[123]};
  for (int k = 1; k <= 4; ++k) put(0, X(k), head, FittedText(page, heads[k - 1], S(k + 1) - half - X(k)));
  put(0, X(5), head, FittedText(page, heads[4], X(5.5) - half - X(5)));
  put(0, X(5.5), head, FittedText(page, G.MessageTexts[45], X(6.3) - half - X(5.5)));
  put(0, X(6.3), head, FittedText(page, G.MessageTexts[46], lastRight - X(6.3)));

  // Peak rows.
  double total = 0;
  for (int p = 1; p <= n; ++p) total += win.PeakArea[p] + win.PartnerArea[p];
  for (int p = 1; p <= n; ++p) {
    const int rows = doublet ? 2 : 1;
    for (int row = 1; row <= rows; ++row) {
      const int tableRow = doublet ? 2 * p - 2 + row : p;
      const double y = T + tableRow * r + r / 2;
      std::string label = plat::NumberToText(p);
      if (doublet) label += row == 1 ? "/1" : "/2";
      put(tableRow, x0, y, label);
      for (int k = 1; k <= 5; ++k) {
        const int j = row == 1 ? 2 * k - 1 : 2 * k;
        put(tableRow, S(k), y, plat::NumberToText(win.ParameterState[p][j]));
        FormatParameterValue(w, p, j);
        put(tableRow, X(k), y, G.NumberText);
      }
      FormatPeakAreas(w, p, total);
      put(tableRow, X(5.5), y, row == 1 ? G.NumberText : G.NumberText3);
      put(tableRow, X(6.3), y, row == 1 ? G.NumberText2 : G.NumberText4);
    }
  }
  statistics();
  if (win.BackgroundState == BackgroundFitted) {
    const double y = T + ((doublet ? 2 * n : n) + 1) * r + r / 2;
    page.Text(x0, y, FittedText(page, BackgroundFormulaText(w), z.tableRight - c - x0));
  }
}

void PrintQuantificationTable(plat::Canvas& page, const PrintMetrics& m) {
  const double W = m.W, H = m.H, r = m.r;
  page.SetFont(PrintTextFont());
  page.SetColour(0);
  auto X = [&](double f) { return f * W / 10; };
  const double y0 = H / 2 + H / 20;
  // The paths as the user reads them, kept on the page.
  const double room = W - m.c - X(1);
  page.Text(X(1), y0, FittedPath(page, "", G.SourceFilePath, room));
  page.Text(X(1), y0 + r,
            FittedText(page,
                       G.LabelTexts[8] + " " + plat::ShownPath(G.SensitivityFilePath) + "  " + G.LabelTexts[131] +
                           " " + plat::ShownPath(G.TransmissionFilePath),
                       room));
  auto headRow = [&](double y) {
    page.Text(X(1), y, G.MessageTexts[81]);
    page.Text(X(2), y, G.MessageTexts[82]);
    page.Text(X(3.5), y, "Ekin/eV");
    page.Text(X(4.3), y, "Sigma");
    page.Text(X(5.1), y, "Lambda");
    page.Text(X(5.9), y, "TF");
    page.Text(X(6.7), y, G.MessageTexts[83]);
    page.Text(X(7.5), y, G.MessageTexts[84]);
    page.Text(X(8.7), y, G.MessageTexts[85]);
  };
  headRow(y0 + 3 * r);
  std::string kind = G.SensitivityName.substr(0, 3);
  for (char& ch : kind) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  const bool wag = kind == "WAG";
  double y = y0 + 4 * r;
  const int chosen = QuantRowCount();
  for (int i = 1; i <= chosen; ++i) {
    const int w = QuantWindow(i);
    if (w == 0) continue;
    const int peaks = std::clamp<int>(Win[w].PeakCount, 0, kMaxPeaks);
    double sum = 0;
    bool share = false;
    for (int p = 1; p <= peaks; ++p) {
      if (!QuantPercentShown(i, p)) continue;
      sum += G.QuantPercent[i][p];
      share = true;
    }
    for (int p = 1; p <= peaks; ++p) {
      y += r;
      // Rows that would pass the bottom of the page continue on a new one.
      if (y + r > H) {
        plat::NewPage();
        page.SetFont(PrintTextFont());
        page.SetColour(0);
        headRow(2 * r);
        y = 3 * r;
      }
      page.Text(X(1), y, G.QuantLineName[i][p]);
      page.Text(X(2), y, NumberTextInWidth(Win[w].IntegratedArea[p], 12));
      page.Text(X(3.5), y, NumberTextInWidth(G.QuantKineticEnergy[i][p], 9));
      const bool noFactor = G.QuantFactor[i][p] == 0;
      page.Text(X(4.3), y, wag || noFactor ? kNoValue : plat::NumberToText(G.QuantSigma[i][p]));
      page.Text(X(5.1), y, wag || noFactor ? kNoValue : plat::NumberToText(G.QuantLambda[i][p]));
      page.Text(X(5.9), y, wag || noFactor ? kNoValue : plat::NumberToText(G.QuantTransmission[i][p]));
      page.Text(X(6.7), y, noFactor ? kNoValue : NumberTextInWidth(G.QuantFactor[i][p], 7));
      // Rows without a factor take no part in the sum: no normalised area and
      // no percentage.
      page.Text(X(7.5), y, noFactor ? kNoValue : NumberTextInWidth(G.QuantNormalisedArea[i][p], 12));
      page.Text(X(8.7), y, QuantPercentShown(i, p) ? NumberTextInWidth(G.QuantPercent[i][p], 6) : kNoValue);
      if (p == 1) page.Text(X(9.2), y, share ? NumberTextInWidth(sum, 6) : kNoValue);
    }
  }
}

}  // namespace sorvan
