// The fit, error, all-spectra and error-matrix tables (see fit_tables.h).
#include "report/fit_tables.h"

#include <algorithm>
#include <cmath>

#include "core/messages.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/store.h"
#include "dialogs/fit_table_columns_page.h"
#include "dialogs/window_choice_page.h"
#include "display/redraw.h"
#include "fit/fit_format.h"
#include "fit/fit_vector.h"
#include "platform/files.h"
#include "platform/text.h"
#include "report/export_table.h"

namespace sorvan {

namespace {

constexpr int kMessageWindowsDiffer = 7;
constexpr int kMessageInconsistent = 9;

int PeaksOf(const WindowRecord& win) { return std::clamp<int>(win.PeakCount, 0, kMaxPeaks); }

// A numeric field with its decimal point turned into a comma when the
// option is set. Names never pass through here: they keep their points.
std::string NumericField(std::string text) {
  if (G.DecimalComma == 1) {
    const std::size_t at = text.find('.');
    if (at != std::string::npos) text[at] = ',';
  }
  return text;
}

// Writes the file whole; a refused write shows message 2 saying what failed.
void WriteTable(const std::string& path, const std::vector<std::string>& lines) {
  try {
    plat::ReplaceFileWithLines(path, lines);
  } catch (const plat::FileError& e) {
    ShowFileNotWrittenMessage(e);
  }
}

}  // namespace

// ---- Fit and error tables ----

std::string TableRowName(int w) {
  const std::string& name = Win[w].SpectrumHeader.ShortName;
  return name.empty() ? plat::Trim(plat::NumberToText(w)) : name;
}

std::string FitTableLine(int w, bool errors) {
  const WindowRecord& win = Win[w];
  const std::string& sep = G.ColumnSeparator;
  std::string line = TableRowName(w);
  const bool doublet = IsDoubletWindow(w);
  const int n = PeaksOf(win);
  for (int p = 1; p <= n; ++p) {
    for (int group = 1; group <= 5; ++group) {
      if (G.FitTableColumns[group] != 1) continue;
      const int main = 2 * group - 1;
      for (int j = main; j <= (doublet ? main + 1 : main); ++j) {
        if (errors) {
          FormatParameterError(w, p, j);
        } else {
          FormatParameterValue(w, p, j);
        }
        line += sep + NumericField(G.NumberText);
      }
    }
  }
  if (G.FitTableColumns[6] == 1 && win.BackgroundState == BackgroundFitted) {
    for (int k = 1; k <= 6; ++k) {
      if (errors) {
        const double e = win.BackgroundTermError[k];
        line += sep + (e == kEmptyResultCell ? std::string("------") : NumericField(plat::NumberToText(e)));
      } else {
        const double v = win.BackgroundTermValue[k];
        line += sep + NumericField(plat::NumberToText(std::floor(v * 1e6 + 0.5) / 1e6));
      }
    }
  }
  return line;
}

std::vector<int> ChosenSpectrumWindows() {
  std::vector<int> windows;
  const int chosen = std::clamp<int>(G.ChosenWindowCount, 0, kMaxWindows);
  for (int i = 1; i <= chosen; ++i) {
    const double w = G.ChosenWindows[i];
    if (std::isfinite(w) && IsSpectrumWindow(static_cast<long long>(w))) windows.push_back(static_cast<int>(w));
  }
  return windows;
}

std::vector<std::string> FitTableLines(bool errors) {
  std::vector<std::string> lines;
  for (int w : ChosenSpectrumWindows()) lines.push_back(FitTableLine(w, errors));
  return lines;
}

namespace {

void ExportTable(bool errors) {
  const std::string path = AskTableFile(G.LabelTexts[49], "*.DAT", "DAT");
  if (path.empty()) return;
  WriteTable(path, FitTableLines(errors));
}

}  // namespace

void ExportFitTable() { ExportTable(false); }
void ExportFitErrorTable() { ExportTable(true); }

void ExportFitTableWithColumnsPage(bool errors) {
  ShowFitTableColumnsPage();
  if (G.DialogResult != 1) return;
  if (errors) {
    ExportFitErrorTable();
  } else {
    ExportFitTable();
  }
}

// ---- All open spectra ----

std::vector<int> AllSpectraWindows() {
  std::vector<int> windows;
  for (int w = 1; w <= kMaxWindows; ++w)
    if (Win[w].WindowOpen && Win[w].WindowKind == SingleSpectrum) windows.push_back(w);
  return windows;
}

bool SameEnergyGrid(const std::vector<int>& windows) {
  if (windows.empty()) return true;
  const WindowRecord& f = Win[windows.front()];
  for (int w : windows) {
    const WindowRecord& c = Win[w];
    if (c.SpectrumHeader.PointCount != f.SpectrumHeader.PointCount ||
        c.SpectrumHeader.StartEnergy != f.SpectrumHeader.StartEnergy ||
        c.SpectrumHeader.EnergyStep != f.SpectrumHeader.EnergyStep || c.EnergyShift != f.EnergyShift)
      return false;
  }
  return true;
}

std::vector<std::string> AllSpectraLines(const std::vector<int>& windows) {
  std::vector<std::string> lines;
  if (windows.empty()) return lines;
  const std::string& sep = G.ColumnSeparator;
  const int count = std::max<int>(Win[windows.front()].SpectrumHeader.PointCount, 0);
  std::string header = plat::Left(Win[windows.front()].XAxisTitle, 6);
  std::vector<std::vector<double>> values;
  for (int w : windows) {
    header += sep + TableRowName(w);
    LoadWorkData(w, 1, 1, count);
    std::vector<double> column(count + 1, 0.0);
    for (int i = 1; i <= count; ++i)
      if (WorkData.Contains(i)) column[i] = WorkData[i];
    values.push_back(std::move(column));
  }
  lines.push_back(header);
  // The energies and the region are those of the last window.
  const WindowRecord& last = Win[windows.back()];
  const SpectrumHeaderRecord& h = last.SpectrumHeader;
  const int first = std::max<int>(last.RegionStart, 1);
  const int end = std::min<int>(last.RegionEnd, count);
  for (int i = first; i <= end; ++i) {
    const double kinetic = h.StartEnergy + h.EnergyStep * (i - 1) + last.EnergyShift + G.GlobalEnergyOffset;
    const double e = G.EnergyAxisMode == 0 ? h.ExcitationEnergy - kinetic : kinetic;
    std::string line = NumericField(NumberTextInWidth(std::floor(e * 1000 + 0.5) / 1000, 10));
    for (const std::vector<double>& column : values) line += sep + NumericField(NumberTextInWidth(column[i], 10));
    lines.push_back(std::move(line));
  }
  return lines;
}

void ExportAllSpectra() {
  const std::string path = AskTableFile(G.MessageTexts[94], "*.dat", "dat");
  if (path.empty()) return;
  const std::vector<int> windows = AllSpectraWindows();
  if (windows.empty()) return;
  // Every row holds one energy for all columns: the windows must share
  // their energy grid.
  if (!SameEnergyGrid(windows)) {
    G.CommandId = kMessageWindowsDiffer;
    ShowMessage(kMessageWindowsDiffer, G.CurrentWindow);
    return;
  }
  const double count = std::max<double>(Win[windows.front()].SpectrumHeader.PointCount, 0);
  if (!FreeSpaceFor(path, 300.0 * count, G.CurrentWindow)) return;
  WriteTable(path, AllSpectraLines(windows));
}

// ---- The error matrix ----

std::vector<int> ErrorMatrixIndices(int w) {
  std::vector<int> indices;
  if (!IsSpectrumWindow(w)) return indices;
  const WindowRecord& win = Win[w];
  const int N = 10 * PeaksOf(win);
  const int t = IsDoubletWindow(w) ? 1 : 2;
  for (int k = 1; k <= N; k += t) indices.push_back(k);
  if (win.BackgroundState == BackgroundFitted)
    for (int k = N + 1; k <= N + 6; ++k) indices.push_back(k);
  return indices;
}

bool ErrorMatrixFitsGrid(int w) {
  if (!IsSpectrumWindow(w)) return false;
  const WindowRecord& win = Win[w];
  const std::vector<int> indices = ErrorMatrixIndices(w);
  if (win.HessianValid == 0 || indices.empty()) return false;
  const int top = indices.back();
  return win.HessianMatrix.RowUpper() >= top && win.HessianMatrix.ColUpper() >= top;
}

std::vector<std::string> ErrorMatrixLines(int w) {
  std::vector<std::string> lines;
  if (!ErrorMatrixFitsGrid(w)) return lines;
  const WindowRecord& win = Win[w];
  const std::vector<int> indices = ErrorMatrixIndices(w);
  for (int r : indices) {
    std::string line;
    for (std::size_t i = 0; i < indices.size(); ++i) {
      if (i > 0) line += G.ColumnSeparator;
      line += NumericField(plat::NumberToText(win.HessianMatrix(r, indices[i])));
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

void ExportErrorMatrix(int w) {
  if (!IsSpectrumWindow(w)) return;
  const std::string path = AskTableFile(G.LabelTexts[119], "*.dat", "dat");
  if (path.empty()) return;
  // A matrix from another fit set-up (more peaks, or the background fitted
  // since) would be read outside its rows: refused before the file is
  // touched.
  if (!ErrorMatrixFitsGrid(w)) {
    G.CommandId = kMessageInconsistent;
    ShowMessage(kMessageInconsistent, w);
    return;
  }
  // About 25 characters per element.
  const double size = static_cast<double>(ErrorMatrixIndices(w).size());
  if (!FreeSpaceFor(path, 25.0 * size * size, w)) return;
  WriteTable(path, ErrorMatrixLines(w));
}

// ---- The commands ----

void RunFitTableCommand(bool errors) {
  G.ExcludedWindow = 0;
  ShowWindowChoicePage(G.ExcludedWindow, errors ? G.LabelTexts[120] : G.LabelTexts[46]);
  if (G.DialogResult != 1 || G.ChosenWindowCount < 1) return;
  ExportFitTableWithColumnsPage(errors);
}

void RunErrorMatrixCommand() {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  G.FitPeakCount = Win[w].PeakCount;
  G.FitTypeName = Win[w].PeakType;
  ExportErrorMatrix(w);
}

}  // namespace sorvan
