// The quantification page (page 21x).
#include "dialogs/quantification_page.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/events.h"
#include "core/model.h"
#include "core/number_text.h"
#include "dialogs/page.h"
#include "dialogs/quantification.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 21;
constexpr int kRowsPerPage = 10;
constexpr int kWhite = 0xFFFFFF;
constexpr int kButtonFace = 0xF0F0F0;
const char* const kNoValue = "- - -";

struct PeakRow {
  int i = 0;  // position in QuantWindows
  int p = 0;  // peak
};

// The rows of the page shown, and the last window position among them.
std::vector<PeakRow> g_rows;
int g_lastRowShown = 0;
// The texts the number entries were shown with, by control name and index:
// an entry counts as edited when its text differs from them.
std::map<std::pair<std::string, int>, std::string> g_shownTexts;

int ControlIndex(const PeakRow& r) { return (r.i - 1) * 15 + r.p; }

int ChosenCount() { return QuantRowCount(); }

// Whole windows from RowIndex on, until at least ten peak rows are taken or
// the list ends.
std::vector<PeakRow> RowsOfPage(int& lastRow) {
  std::vector<PeakRow> rows;
  lastRow = G.RowIndex;
  for (int i = G.RowIndex; i <= ChosenCount() && static_cast<int>(rows.size()) < kRowsPerPage; ++i) {
    for (int p = 1; p <= QuantPeakCount(i); ++p) rows.push_back({i, p});
    lastRow = i;
  }
  return rows;
}

std::string Shown(double value, bool available) {
  return available ? plat::NumberToText(value) : std::string(kNoValue);
}

void NumberEntry(const std::string& name, int index, double x, double y, const std::string& text,
                 bool enabled) {
  PageEdit(kPage, name, index, x, y, 8, 1.1, text);
  plat::SetEnabled(kPage, name, index, enabled);
  plat::SetBackColour(kPage, name, index, enabled ? kWhite : kButtonFace);
  g_shownTexts[{name, index}] = text;
}

void BuildRows(const std::vector<PeakRow>& rows) {
  const int n = kPage;
  const bool wag = IsWagTable();
  g_shownTexts.clear();
  int r = 0;
  double windowSum = 0;
  bool windowHasShare = false;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const PeakRow row = rows[k];
    const int i = row.i, p = row.p, w = QuantWindow(i);
    const int index = ControlIndex(row);
    const double y = 1 + 1.2 * ++r;
    const bool factor = QuantRowHasFactor(i, p);
    PageLabel(n, "lb216", index, 1, y, 13, 1.2,
              G.MessageTexts[34] + plat::Trim(plat::NumberToText(w)) + " " +
                  plat::Trim(plat::NumberToText(p)));
    PageEdit(n, "ed211", index, 15, y, 13, 1.1, G.QuantLineName[i][p]);
    PageLabel(n, "lb217", index, 29, y, 12, 1.2, NumberTextInWidth(Win[w].IntegratedArea[p], 13));
    PageLabel(n, "lb223", index, 42, y, 7, 1.2, NumberTextInWidth(G.QuantKineticEnergy[i][p], 9));
    NumberEntry("ed212", index, 50, y, Shown(G.QuantSigma[i][p], factor && !wag), !wag);
    NumberEntry("ed213", index, 59, y, Shown(G.QuantLambda[i][p], factor && !wag), !wag);
    NumberEntry("ed214", index, 68, y, Shown(G.QuantTransmission[i][p], factor && !wag), !wag);
    if (wag) NumberEntry("ed215", index, 77, y, Shown(G.QuantFactor[i][p], factor), true);
    else PageLabel(n, "lb225", index, 77, y, 8, 1.2, Shown(G.QuantFactor[i][p], factor));
    PageLabel(n, "lb218", index, 86, y, 10, 1.2,
              factor ? NumberTextInWidth(G.QuantNormalisedArea[i][p], 13) : kNoValue);
    PageLabel(n, "lb219", index, 97, y, 5, 1.2, Shown(G.QuantPercent[i][p], QuantPercentShown(i, p)));

    // The window's percentages added up, beside its first peak.
    if (p == 1) {
      windowSum = 0;
      windowHasShare = false;
      for (int q = 1; q <= QuantPeakCount(i); ++q) {
        if (!QuantPercentShown(i, q)) continue;
        windowHasShare = true;
        windowSum = std::floor((windowSum + G.QuantPercent[i][q]) * 100 + 0.5) / 100;
      }
      PageLabel(n, "lb2110", index, 103, y, 5, 1.2, Shown(windowSum, windowHasShare));
    }
  }
}

// The text of a number entry when it was edited; false when it shows what
// it was shown with (or does not exist).
bool EditedNumber(const std::string& name, int index, double& value) {
  if (!plat::ControlExists(kPage, name, index)) return false;
  const std::string text = plat::Text(kPage, name, index);
  const auto shown = g_shownTexts.find({name, index});
  if (shown != g_shownTexts.end() && plat::Trim(shown->second) == plat::Trim(text)) return false;
  value = ReadNumberText(text);
  return true;
}

}  // namespace

void ShowQuantificationPage() {
  if (!PageCanOpen(kPage)) {
    G.DialogResult = 2;
    return;
  }
  SetSensitivityName();
  const int answer = G.DialogResult;
  if (answer == 0) {
    G.RowIndex = 1;
    for (int i = 1; i <= kMaxWindows; ++i) {
      for (int p = 1; p <= kMaxPeaks; ++p) {
        G.QuantFactor[i][p] = 0;
        // Values left from an earlier quantification belong to other lines.
        G.QuantSigma[i][p] = G.QuantLambda[i][p] = G.QuantTransmission[i][p] = 0;
      }
    }
    for (int i = 1; i <= ChosenCount(); ++i)
      for (int p = 1; p <= QuantPeakCount(i); ++p) G.QuantLineName[i][p] = G.QuantLineName[i][1];
    ComputeQuantificationFactors();
  }
  if (answer == 0 || answer == 1) ComputeConcentrations();
  if (G.RowIndex < 1 || G.RowIndex > ChosenCount()) G.RowIndex = 1;

  g_rows = RowsOfPage(g_lastRowShown);
  const int R = static_cast<int>(g_rows.size());
  const double buttonsY = 4 + 1.2 * R;

  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 110;
  spec.height = 7 + 1.2 * R;
  spec.caption = G.MessageTexts[80] + "  " + G.LabelTexts[8] + " " + plat::ShownPath(G.SensitivityFilePath) +
                 "  " + G.LabelTexts[131] + " " + plat::ShownPath(G.TransmissionFilePath);
  spec.clearResult = true;
  spec.pointerGiven = true;
  spec.pointerX = 7;
  spec.pointerY = 5.6 + 1.2 * R;
  const bool shown = RunPage(spec, [&] {
    const int n = kPage;
    PageLabel(n, "lb211", plat::kNoIndex, 15, 0.5, 12, 1.2, G.MessageTexts[81]);
    PageLabel(n, "lb212", plat::kNoIndex, 29, 0.5, 12, 1.2, G.MessageTexts[82]);
    PageLabel(n, "lb220", plat::kNoIndex, 42, 0.5, 7, 1.2, "Ekin/eV");
    PageLabel(n, "lb213", plat::kNoIndex, 50, 0.5, 8, 1.2, "Sigma");
    PageLabel(n, "lb221", plat::kNoIndex, 59, 0.5, 8, 1.2, "Lambda");
    PageLabel(n, "lb222", plat::kNoIndex, 68, 0.5, 8, 1.2, "IERF");
    PageLabel(n, "lb224", plat::kNoIndex, 77, 0.5, 8, 1.2, G.MessageTexts[83]);
    PageLabel(n, "lb214", plat::kNoIndex, 86, 0.5, 10, 1.2, G.MessageTexts[84]);
    PageLabel(n, "lb215", plat::kNoIndex, 98, 0.5, 10, 1.2, G.MessageTexts[85]);
    PageButton(n, "cmdOk211", plat::kNoIndex, 1, buttonsY, 12, 1.2, G.ButtonTexts[17],
               ButtonRole::Default);
    // The cancel flag goes to four buttons in turn; the last, cmd216 (the
    // next group), keeps it, so Esc pages through the groups.
    PageButton(n, "cmdCancel212", plat::kNoIndex, 14, buttonsY, 12, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
    PageButton(n, "cmd213", plat::kNoIndex, 27, buttonsY, 12, 1.2, G.LabelTexts[41]);
    PageButton(n, "cmd214", plat::kNoIndex, 40, buttonsY, 12, 1.2, G.LabelTexts[42],
               ButtonRole::Cancel);
    PageButton(n, "cmd215", plat::kNoIndex, 53, buttonsY, 12, 1.2, G.ButtonTexts[10],
               ButtonRole::Cancel);
    PageButton(n, "cmd216", plat::kNoIndex, 66, buttonsY, 18, 1.2, G.LabelTexts[16],
               ButtonRole::Cancel);
    BuildRows(g_rows);
  });
  if (!shown) G.DialogResult = 2;
}

void cmdOk211_Click() {
  if (!PageOpen(kPage)) return;
  const bool wag = IsWagTable();
  // First the line names: a renamed row is looked up afresh.
  for (const PeakRow& r : g_rows) {
    const int index = ControlIndex(r);
    const std::string name = plat::Text(kPage, "ed211", index);
    if (name == G.QuantLineName[r.i][r.p]) continue;
    G.QuantLineName[r.i][r.p] = name;
    G.QuantFactor[r.i][r.p] = 0;
    G.QuantSigma[r.i][r.p] = G.QuantLambda[r.i][r.p] = G.QuantTransmission[r.i][r.p] = 0;
    ComputeQuantificationRow(r.i, r.p);
  }
  // Then the numbers typed in the same press, also in renamed rows: an entry
  // that still shows what it was shown with is not taken, so a renamed row
  // keeps what it was just given, and a typed value wins over it.
  for (const PeakRow& r : g_rows) {
    const int index = ControlIndex(r);
    double v = 0;
    if (wag) {
      if (EditedNumber("ed215", index, v)) G.QuantFactor[r.i][r.p] = v;
      continue;
    }
    if (EditedNumber("ed212", index, v)) G.QuantSigma[r.i][r.p] = v;
    if (EditedNumber("ed213", index, v)) G.QuantLambda[r.i][r.p] = v;
    if (EditedNumber("ed214", index, v)) G.QuantTransmission[r.i][r.p] = v;
    const double factor = G.QuantSigma[r.i][r.p] * G.QuantLambda[r.i][r.p] * G.QuantTransmission[r.i][r.p];
    G.QuantFactor[r.i][r.p] = std::isfinite(factor) ? factor : 0;
  }
  ClosePage(kPage, 1);
}

void cmdCancel212_Click() {
  if (!PageOpen(kPage)) return;
  ClosePage(kPage, 2);
}

// The three buttons whose purpose is left open: they only answer.
void cmd213_Click() { G.DialogResult = 213; }
void cmd214_Click() { G.DialogResult = 214; }
void cmd215_Click() { G.DialogResult = 215; }

void cmd216_Click() {
  if (!PageOpen(kPage)) return;
  G.RowIndex = static_cast<Int16>(g_lastRowShown >= ChosenCount() ? 1 : g_lastRowShown + 1);
  ClosePage(kPage, 216);
}

void RegisterQuantificationPageEvents() {
  RegisterEvent("cmdOk211_Click", [](plat::EventArgs&) { cmdOk211_Click(); });
  RegisterEvent("cmdCancel212_Click", [](plat::EventArgs&) { cmdCancel212_Click(); });
  RegisterEvent("cmd213_Click", [](plat::EventArgs&) { cmd213_Click(); });
  RegisterEvent("cmd214_Click", [](plat::EventArgs&) { cmd214_Click(); });
  RegisterEvent("cmd215_Click", [](plat::EventArgs&) { cmd215_Click(); });
  RegisterEvent("cmd216_Click", [](plat::EventArgs&) { cmd216_Click(); });
}

}  // namespace sorvan
