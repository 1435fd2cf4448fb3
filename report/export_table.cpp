// The spectrum table export and its two pages (see export_table.h).
#include "report/export_table.h"

#include <cmath>

#include "core/events.h"
#include "core/file_dialogs.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/number_text.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/redraw.h"
#include "fit/chi_square.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "platform/text.h"
#include "processing/revert.h"

namespace sorvan {

namespace {

constexpr int kScalingPage = 19;
constexpr int kColumnsPage = 18;
constexpr int kTableChannel = 5;

int PageTarget(int n) {
  const int w = PageWindow(n);
  return IsSpectrumWindow(w) ? w : G.CurrentWindow;
}

int PeaksOf(const WindowRecord& win) { return std::clamp<int>(win.PeakCount, 0, kMaxPeaks); }

// A number of an exported row with the decimal comma when it is chosen.
std::string ExportNumber(double v) {
  std::string text = plat::NumberToText(v);
  if (G.DecimalComma == 1) {
    const std::size_t at = text.find('.');
    if (at != std::string::npos) text[at] = ',';
  }
  return text;
}

std::string Trimmed(const std::string& text) {
  const std::size_t a = text.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  const std::size_t b = text.find_last_not_of(' ');
  return text.substr(a, b - a + 1);
}

}  // namespace

// ---- Page 19x ----

void ShowExportScalingPage(int& w) {
  G.DialogResult = 1;
  if (!IsSpectrumWindow(w)) return;
  const WindowRecord& win = Win[w];
  const bool fit = win.HasFit == 1;
  const int peaks = PeaksOf(win);
  const int e = fit ? CellsToPixelsY(Cells((peaks + 1) * 1.2)) : 0;
  const std::string unit = G.CpsMode == 1 ? "cps" : "Counts";
  PageSpec spec;
  spec.dialogWindow = kScalingPage;
  spec.width = 37;
  spec.height = Cells(12, e);
  spec.caption = G.MessageTexts[72];
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 8;
  spec.pointerY = Cells(10.6, e);
  RunPage(spec, [&] {
    const int n = kScalingPage;
    PageCheck(n, "chk191", plat::kNoIndex, 1, 0.5, 33, 1, G.MessageTexts[73], G.ExportScaleOn);
    PageLabel(n, "lb191", plat::kNoIndex, 1, 2, 20, 1, G.MessageTexts[74]);
    PageEdit(n, "ed191", plat::kNoIndex, 21, 2, 12, 1.1, NumberTextInWidth(win.IntensityMax, 10));
    PageLabel(n, "lb192", plat::kNoIndex, 1, 3.2, 20, 1, G.MessageTexts[75]);
    PageEdit(n, "ed192", plat::kNoIndex, 21, 3.2, 12, 1.1, plat::NumberToText(0));
    PageLabel(n, "lb193", plat::kNoIndex, 19, 5, 17, 1, G.MessageTexts[76] + " (" + unit + ")");
    PageLabel(n, "lb194", plat::kNoIndex, 1, 6.2, 19, 1, G.MessageTexts[70] + ":");
    PageLabel(n, "lb195", plat::kNoIndex, 19, 6.2, 12, 1, NumberTextInWidth(win.IntensityMax, 12));
    PageButton(n, "cmdOk191", plat::kNoIndex, 1, Cells(9, e), 14, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(n, "cmdCancel192", plat::kNoIndex, 21, Cells(9, e), 14, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
    if (fit) {
      PageLabel(n, "lb196", plat::kNoIndex, 1, 7.4, 18, 1, G.MessageTexts[60] + ":");
      PageLabel(n, "lb197", plat::kNoIndex, 19, 7.4, 12, 1, NumberTextInWidth(win.ComponentMax[peaks + 1], 10));
      for (int i = 1; i <= peaks; ++i) {
        PageLabel(n, "lb198", i, 1, 7.4 + 1.2 * i, 18, 1,
                  G.MessageTexts[77] + " " + plat::NumberToText(i) + ":");
        PageLabel(n, "lb199", i, 19, 7.4 + 1.2 * i, 12, 1, NumberTextInWidth(win.ComponentMax[i], 10));
      }
    }
  });
}

void cmdOk191_Click() {
  const int n = kScalingPage;
  const bool on = plat::Value(n, "chk191") != 0;
  const double divisor = ReadPageNumber(n, "ed191");
  // Dividing by 0 would write infinities into the table.
  if (on && (divisor == 0 || !std::isfinite(divisor))) {
    ShowMessage(9, PageTarget(n));
    return;
  }
  G.ExportScaleOn = on ? 1 : 0;
  G.ExportDivisor = divisor;
  G.ExportOffset = ReadPageNumber(n, "ed192");
  ClosePage(n, 1);
}

void cmdCancel192_Click() { ClosePage(kScalingPage, 2); }

// ---- Page 18x ----

void ShowSpectrumColumnsPage(int& w) {
  if (!IsSpectrumWindow(w)) return;
  const bool fit = Win[w].HasFit == 1;
  const int e = fit ? CellsToPixelsY(Cells(3.6)) : 0;
  PageSpec spec;
  spec.dialogWindow = kColumnsPage;
  spec.width = 36;
  spec.height = Cells(14, e);
  spec.caption = G.MessageTexts[68];
  spec.spectrumWindow = w;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = Cells(12.6, e);
  RunPage(spec, [&] {
    const int n = kColumnsPage;
    PageButton(n, "cmdOk181", plat::kNoIndex, 1, Cells(11, e), 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(n, "cmdCancel182", plat::kNoIndex, 21, Cells(11, e), 13, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
    PageFrame(n, "frm181", plat::kNoIndex, 1, 1, 33, Cells(9, e), G.MessageTexts[69]);
    static const int texts[7] = {56, 70, 57, 58, 59, 60, 71};
    const int boxes = fit ? 7 : 4;
    for (int k = 1; k <= boxes; ++k)
      PageCheck(n, "chk18" + std::to_string(k), plat::kNoIndex, 2, 2.5 + 1.2 * (k - 1), 25, 1,
                G.MessageTexts[texts[k - 1]], G.ExportColumns[k]);
  });
}

void cmdOk181_Click() {
  const int n = kColumnsPage;
  for (int k = 1; k <= 7; ++k) {
    const std::string name = "chk18" + std::to_string(k);
    if (!plat::ControlExists(n, name)) continue;  // the fit columns keep their flags
    G.ExportColumns[k] = plat::Value(n, name) != 0 ? 1 : 0;
  }
  ClosePage(n, 1);
}

void cmdCancel182_Click() { ClosePage(kColumnsPage, 2); }

// ---- The table ----

std::vector<std::string> SpectrumTableLines(int w) {
  std::vector<std::string> lines;
  if (!IsSpectrumWindow(w)) return lines;
  const WindowRecord& win = Win[w];
  const std::string& sep = G.ColumnSeparator;
  if (win.WindowKind == ChemicalStatePlot) {
    const int n = std::clamp(static_cast<int>(win.ChemStatePointCount), 0, 100);
    LoadWorkData(w, 1, 1, n);
    LoadWorkBackground(w, 2, 1, n);
    LoadWorkSigma(w, 3, 1, n);
    auto at = [](const CheckedVector<double>& v, int i) { return v.Contains(i) ? v[i] : 0.0; };
    for (int i = 1; i <= n; ++i) {
      const std::string& entry = win.ChemStateEntries[i];
      const std::size_t blank = entry.find(' ');
      lines.push_back(Trimmed(plat::NumberToText(at(WorkBackground, i))) + sep +
                      Trimmed(plat::NumberToText(at(WorkSigma, i))) + sep +
                      Trimmed(plat::NumberToText(at(WorkData, i))) + sep +
                      Trimmed(blank == std::string::npos ? "" : entry.substr(blank + 1)));
    }
    return lines;
  }
  if (win.WindowKind != SingleSpectrum) return lines;

  const SpectrumHeaderRecord& h = win.SpectrumHeader;
  const int first = std::max<int>(win.RegionStart, 1);
  const int last = std::min<int>(win.RegionEnd, h.PointCount);
  const bool scale = G.ExportScaleOn == 1 && G.ExportDivisor != 0 && std::isfinite(G.ExportDivisor);
  const double f = scale ? G.ExportDivisor : 1, o = scale ? G.ExportOffset : 0;
  std::vector<std::string> rows(last >= first ? last - first + 1 : 0);
  std::string header = "E";
  for (int i = first; i <= last; ++i) {
    const double kinetic = h.StartEnergy + h.EnergyStep * (i - 1) + win.EnergyShift + G.GlobalEnergyOffset;
    const double e = G.EnergyAxisMode == 0 ? h.ExcitationEnergy - kinetic : kinetic;
    rows[i - first] = ExportNumber(std::floor(e * 1000 + 0.5) / 1000);
  }
  auto column = [&](const std::string& code, const CheckedVector<double>& values, double factor,
                    double offset) {
    header += G.ColumnSeparator + code;
    for (int i = first; i <= last; ++i) {
      const double v = values.Contains(i) ? values[i] : 0;
      rows[i - first] += sep + ExportNumber(v / factor + offset);
    }
  };
  const auto& flags = G.ExportColumns;
  if (flags[1] == 1) {
    // The source as imported, read again from its file.
    const bool read = ReloadSourceData(w) && LoadWindowSource(w);
    if (!read) WorkData.Resize(0);
    column("S", WorkData, f * CountsFactor(w), o);
  }
  if (flags[2] == 1) {
    LoadWorkData(w, 1, first, last);
    column("MS", WorkData, f, o);
  }
  if (flags[3] == 1) {
    LoadWorkData(w, 2, first, last);
    column("BG", WorkData, f, o);
  }
  if (flags[4] == 1) {
    LoadWorkData(w, 3, first, last);
    column("ST", WorkData, f, o);
  }
  if (win.HasFit == 1) {
    const int peaks = PeaksOf(win);
    if (flags[5] == 1)
      for (int k = 1; k <= peaks; ++k) {
        LoadComponent(w, k, first, last);
        column("C" + plat::NumberToText(k), WorkData, f, o);
      }
    if (flags[6] == 1) {
      LoadComponent(w, peaks + 1, first, last);
      column("SC", WorkData, f, o);
    }
    if (flags[7] == 1) {
      LoadComponent(w, peaks + 2, first, last);
      column("R", WorkData, 1, 0);
    }
  }
  lines.reserve(rows.size() + 1);
  lines.push_back(header);
  for (std::string& row : rows) lines.push_back(std::move(row));
  return lines;
}

std::string AskTableFile(const std::string& title, const std::string& mask, const std::string& extension) {
  return ChooseFileToSave({G.CaptionTexts[15], mask, G.CaptionTexts[14], "*.*"}, mask, extension, "", title);
}

bool FreeSpaceFor(const std::string& path, double bytes, int w) {
  if (plat::FreeDiskSpace(path) >= bytes) return true;
  G.CommandId = 2;
  ShowMessage(2, w);
  return false;
}

void ExportSpectrumTable(int& w) {
  if (!IsSpectrumWindow(w)) return;
  const WindowRecord& win = Win[w];
  const std::string path = AskTableFile(G.MessageTexts[94], "*.dat", "dat");
  if (path.empty()) return;
  const double estimate =
      1000.0 * PeaksOf(win) + 30.0 * win.SpectrumHeader.PointCount * (1 + (win.HasFit == 1 ? 1 : 0));
  if (!FreeSpaceFor(path, estimate, w)) return;
  const std::vector<std::string> lines = SpectrumTableLines(w);
  try {
    // Through a temporary file: a failed write leaves an old table whole.
    plat::OpenOutput(kTableChannel, path);
    for (const std::string& line : lines) plat::WriteLine(kTableChannel, line);
    plat::Close(kTableChannel);
  } catch (const plat::FileError& e) {
    plat::Discard(kTableChannel);
    ShowFileNotWrittenMessage(e);
  }
}

void RunSpectrumTableCommand(int w) {
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  if (Win[w].WindowKind == SingleSpectrum) {
    ShowExportScalingPage(w);
    if (G.DialogResult != 1) return;
    ShowSpectrumColumnsPage(w);
    if (G.DialogResult != 1) return;
    ExportSpectrumTable(w);
  } else if (Win[w].WindowKind == ChemicalStatePlot) {
    ExportSpectrumTable(w);
  }
}

void RegisterExportPageEvents() {
  RegisterEvent("cmdOk191_Click", [](plat::EventArgs&) { cmdOk191_Click(); });
  RegisterEvent("cmdCancel192_Click", [](plat::EventArgs&) { cmdCancel192_Click(); });
  RegisterEvent("cmdOk181_Click", [](plat::EventArgs&) { cmdOk181_Click(); });
  RegisterEvent("cmdCancel182_Click", [](plat::EventArgs&) { cmdCancel182_Click(); });
}

}  // namespace sorvan
