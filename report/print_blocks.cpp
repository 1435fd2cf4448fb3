// The text blocks of the printed page (see print_blocks.h).
#include "report/print_blocks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "core/model.h"
#include "dialogs/quantification.h"
#include "fit/fit_format.h"
#include "platform/canvas.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "shell/number_text.h"

namespace sorvan {

namespace {

plat::FontSpec Arial8() {
  plat::FontSpec f;
  f.name = "Arial";
  f.size = 8;
  return f;
}

bool IsDoublet(const WindowRecord& win) { return win.PeakType == G.MessageTexts[52]; }

// Shown when a quantification value does not apply.
const char* const kNoValue = "- - -";

}  // namespace

std::string RoundedText(double v, double s) { return plat::NumberToText(std::floor(v * s + 0.5) / s); }
std::string CutText(double v, double s) { return plat::NumberToText(std::floor(v * s) / s); }

std::string BackgroundFormulaText(int w) {
  const WindowRecord& win = Win[w];
  const auto& b = win.BackgroundTermValue;
  return G.MessageTexts[107] + ": B(E)=" + CutText(b[1], 1e5) + "+" + CutText(b[2], 1e5) + "*E+" +
         CutText(b[3], 1e6) + "*E\xB2+" + CutText(b[4], 1e7) + "*E\xB3+" + CutText(b[5], 1e6) + "*S(E)+" +
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

void PrintFitBlocks(plat::Canvas& page, const PrintMetrics& m, const PrintZone& z) {
  const int w = z.window;
  const WindowRecord& win = Win[w];
  if (win.HasFit != 1) return;
  const double W = m.W, c = m.c, r = z.rowHeight > 0 ? z.rowHeight : m.r;
  const double T = z.tableTop;
  const double x0 = W / 20 + c;
  auto X = [&](double k) { return x0 + k * W / 9; };
  auto S = [&](double k) { return X(k) - 4 * c; };
  page.SetFont(Arial8());
  page.SetColour(0);
  const bool header = win.PrintHeaderBlock == 1;
  const bool transmission = win.TransmissionActive == 1;
  const int n = std::clamp<int>(win.PeakCount, 0, kMaxPeaks);
  const bool doublet = IsDoublet(win);

  // Where the statistics go: beside the table, in the statistics box of the
  // narrow header, or (transmission window with a wide header) below it.
  auto statistics = [&](bool singleSinglet) {
    if (!header) {
      const double x = z.tableRight - 15 * c;
      if (singleSinglet) {
        page.Text(x, T + r / 2, StatisticsLine(w, 0));
        page.Text(x, T + 3 * r / 2, StatisticsLine(w, 2));
      } else {
        for (int i = 0; i < 3; ++i) page.Text(x, T + (2 * i + 1) * r / 2, StatisticsLine(w, i));
      }
    } else if (z.narrowHeader) {
      for (int i = 0; i < 3; ++i) page.Text(z.Xn + c, z.sbTop + r / 2 + i * m.r, StatisticsLine(w, i));
    } else if (transmission) {
      for (int i = 0; i < 3; ++i)
        page.Text(z.hbLeft + c, z.hbBottom + r / 2 + i * m.r, StatisticsLine(w, i));
    } else {
      const double x = z.tableRight - 15 * c;
      for (int i = 0; i < 3; ++i) page.Text(x, T + (2 * i + 1) * r / 2, StatisticsLine(w, i));
    }
  };

  if (transmission) {
    // The transmission model: a0 + a1 E + ... + a4 E^4 + b1 E^b2.
    page.Text(x0, T + r / 2, "T(E) = a0+a1E+a2E^2+a3E^3+a4E^4+b1E^b2");
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
    statistics(false);
    return;
  }
  if (win.PrintFitTable != 1) return;

  // Head row.
  const double head = T + r / 2;
  page.Text(x0, head, win.PeakType);
  for (int k = 1; k <= 5; ++k) page.Text(S(k), head, G.MessageTexts[48]);
  const bool ds = win.PeakModel == 1;
  page.Text(X(1), head, G.MessageTexts[37]);
  page.Text(X(2), head, G.MessageTexts[ds ? 121 : 38]);
  page.Text(X(3), head, G.MessageTexts[126]);
  page.Text(X(4), head, G.MessageTexts[ds ? 122 : 127]);
  page.Text(X(5), head, G.MessageTexts[123]);
  page.Text(X(5.5), head, G.MessageTexts[45]);
  page.Text(X(6.3), head, G.MessageTexts[46]);

  // Peak rows.
  double total = 0;
  for (int p = 1; p <= n; ++p) total += win.PeakArea[p] + win.PartnerArea[p];
  for (int p = 1; p <= n; ++p) {
    const int rows = doublet ? 2 : 1;
    for (int row = 1; row <= rows; ++row) {
      const double y = doublet ? T + (2 * p - 2 + row) * r + r / 2 : T + p * r + r / 2;
      std::string label = plat::NumberToText(p);
      if (doublet) label += row == 1 ? "/1" : "/2";
      page.Text(x0, y, label);
      for (int k = 1; k <= 5; ++k) {
        const int j = row == 1 ? 2 * k - 1 : 2 * k;
        page.Text(S(k), y, plat::NumberToText(win.ParameterState[p][j]));
        FormatParameterValue(w, p, j);
        page.Text(X(k), y, G.NumberText);
      }
      FormatPeakAreas(w, p, total);
      page.Text(X(5.5), y, row == 1 ? G.NumberText : G.NumberText3);
      page.Text(X(6.3), y, row == 1 ? G.NumberText2 : G.NumberText4);
    }
  }
  statistics(!header && n == 1 && !doublet);
  if (win.BackgroundState == 4) {
    const double y = T + ((doublet ? 2 * n : n) + 1) * r + r / 2;
    page.Text(x0, y, BackgroundFormulaText(w));
  }
}

void PrintQuantificationTable(plat::Canvas& page, const PrintMetrics& m) {
  const double W = m.W, H = m.H, r = m.r;
  page.SetFont(Arial8());
  page.SetColour(0);
  auto X = [&](double f) { return f * W / 10; };
  const double y0 = H / 2 + H / 20;
  page.Text(X(1), y0, G.SourceFilePath);
  page.Text(X(1), y0 + r,
            G.LabelTexts[8] + " " + G.SensitivityFilePath + "  " + G.LabelTexts[131] + " " + G.TransmissionFilePath);
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
  const int chosen = std::clamp<int>(G.ChosenWindowCount, 0, 100);
  for (int i = 1; i <= chosen; ++i) {
    const double wd = G.ChosenWindows[i];
    const int w = std::isfinite(wd) ? static_cast<int>(wd) : 0;
    if (!IsSpectrumWindow(w)) continue;
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
        page.SetFont(Arial8());
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
