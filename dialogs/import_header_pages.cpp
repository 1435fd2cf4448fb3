// The excitation energy page (25x), the import header page (26x) and the
// import parameters page (6x).
#include "dialogs/import_header_pages.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/events.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "dialogs/page.h"
#include "platform/controls.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kEnergyPage = 25;
constexpr int kHeaderPage = 26;
constexpr int kParametersPage = 6;

enum class HeaderLayout { Full, TwoColumn, Keyword };

// The layout shown; OK reads the boxes of this layout, whatever the line
// buffer holds by then.
HeaderLayout g_layout = HeaderLayout::Full;
// The imported header the page shows and its OK stores into.
int g_header = 1;

HeaderLayout LayoutOf(const std::string& selector) {
  if (selector.rfind("xstart", 0) == 0) return HeaderLayout::Keyword;
  if (selector == "E_I") return HeaderLayout::TwoColumn;
  return HeaderLayout::Full;
}

// One row of page 26x: the label at x 1, the value at x 20 (an edit box, or
// a fixed label), the unit at x 33.
struct HeaderRow {
  const char* label;
  int labelText;     // MessageTexts index
  const char* box;   // edit box of the full and keyword layouts
  const char* fixed; // two-column layout: a label instead of the box ("" none)
  double boxHeight;
  const char* unitLabel;
  const char* unit;
  bool inKeywordLayout;
};

constexpr HeaderRow kRows[] = {
    {"lb261", 81, "ed261", "", 1.1, "", "", true},
    {"lb262", 96, "ed262", "", 1.1, "", "", true},
    {"lb263", 97, "ed263", "", 1.1, "", "", true},
    {"lb264", 12, "ed264", "lb2617", 1.1, "lb265", "eV", true},
    {"lb266", 98, "ed265", "lb2618", 1.1, "lb267", "eV", false},
    {"lb268", 99, "ed266", "lb2619", 1.1, "lb269", "eV", false},
    {"lb2610", 100, "ed267", "", 1.2, "lb2611", "s", false},
    {"lb2612", 101, "ed268", "", 1.2, "", "", false},
    {"lb2613", 102, "ed269", "ed2620", 1.2, "lb2614", "eV", false},
    {"lb2615", 103, "ed2610", "", 1.2, "lb2616", "eV", true},
};

std::string RowValue(int row, const SpectrumHeaderRecord& h) {
  switch (row) {
    case 0: return h.Name;
    case 1: return h.Comment;
    case 2: return h.Date;
    case 3: return plat::NumberToText(h.ExcitationEnergy);
    case 4: return plat::NumberToText(h.StartEnergy);
    case 5: return plat::NumberToText(h.EndEnergy);
    case 6: return plat::NumberToText(h.DwellTime);
    case 7: return plat::NumberToText(h.ScanCount);
    case 8: return plat::NumberToText(h.EnergyStep);
    default: return plat::NumberToText(h.PassEnergy);
  }
}

// |start - end| / step + 1 to the nearest integer, held to the range of the
// point count (a reader refuses counts it cannot hold).
void RecomputePointCount(SpectrumHeaderRecord& h) {
  if (h.EnergyStep == 0) return;
  const double count = std::fabs(h.StartEnergy - h.EndEnergy) / h.EnergyStep + 1;
  if (!std::isfinite(count)) return;
  h.PointCount = static_cast<Int16>(std::clamp<long long>(plat::RoundHalfEven(count), 0, kMaxPoints));
}

}  // namespace

void ShowExcitationEnergyPage() {
  PageSpec spec;
  spec.dialogWindow = kEnergyPage;
  spec.width = 18;
  spec.height = 6;
  spec.caption = G.MessageTexts[12];
  spec.firstEntry = "ed251";
  // No default button: the pointer goes to the centre of OK all the same.
  spec.pointerGiven = true;
  spec.pointerX = 8.5;
  spec.pointerY = 4.6;
  RunPage(spec, [] {
    const int n = kEnergyPage;
    PageEdit(n, "ed251", plat::kNoIndex, 1, 1, 10, 1.2, plat::NumberToText(G.DefaultExcitationEnergy));
    PageLabel(n, "lb251", plat::kNoIndex, 13, 1, 3, 1.2, "eV");
    PageButton(n, "cmdOK251", plat::kNoIndex, 2, 3, 13, 1.2, G.ButtonTexts[2]);
  });
}

void cmdOK251_Click() {
  G.DefaultExcitationEnergy = ReadPageNumber(kEnergyPage, "ed251");
  ClosePage(kEnergyPage, -1);
}

void ShowImportHeaderPage(int /*window*/, int header) {
  if (!PageCanOpen(kHeaderPage)) return;
  const HeaderLayout layout = LayoutOf(G.LineBuffer);
  g_layout = layout;
  g_header = ImportedHeader.Contains(header) ? header : 1;
  const bool keyword = layout == HeaderLayout::Keyword;
  PageSpec spec;
  spec.dialogWindow = kHeaderPage;
  spec.width = 37;
  spec.height = keyword ? 10 : 16;
  spec.caption = G.MessageTexts[95];
  spec.firstEntry = "ed261";
  RunPage(spec, [&] {
    const int n = kHeaderPage;
    const SpectrumHeaderRecord& h = ImportedHeader[g_header];
    int place = 0;
    for (int r = 0; r < static_cast<int>(std::size(kRows)); ++r) {
      const HeaderRow& row = kRows[r];
      if (keyword && !row.inKeywordLayout) continue;
      const double y = 0.5 + 1.2 * place++;
      std::string caption = G.MessageTexts[row.labelText];
      if (r == 2 && !keyword) caption += " :";
      PageLabel(n, row.label, plat::kNoIndex, 1, y, 18, 1, caption);
      const bool fixedValue = layout == HeaderLayout::TwoColumn && row.fixed[0] != '\0';
      if (!fixedValue) {
        PageEdit(n, row.box, plat::kNoIndex, 20, y, 12, row.boxHeight, RowValue(r, h));
      } else {
        // The reader computed these from the file; the step is shown but
        // kept, so it is not offered for editing.
        const plat::ControlKind kind =
            r == 8 ? plat::ControlKind::TextBox : plat::ControlKind::Label;
        PageControl(n, kind, row.fixed, plat::kNoIndex, 20, y, 12, row.boxHeight, RowValue(r, h));
      }
      if (row.unitLabel[0] != '\0') PageLabel(n, row.unitLabel, plat::kNoIndex, 33, y, 3, 1, row.unit);
    }
    PageButton(n, "cmdOk261", plat::kNoIndex, 11, keyword ? 7 : 13, 13, 1.2, G.ButtonTexts[2],
               ButtonRole::Default);
  });
}

void cmdOk261_Click() {
  const int n = kHeaderPage;
  SpectrumHeaderRecord& h = ImportedHeader[g_header];
  h.Name = plat::Text(n, "ed261");
  h.Comment = plat::Text(n, "ed262");
  h.Date = plat::Text(n, "ed263");
  switch (g_layout) {
    case HeaderLayout::Keyword:
      h.ExcitationEnergy = ReadPageNumber(n, "ed264");
      h.PassEnergy = ReadPageNumber(n, "ed2610");
      break;
    case HeaderLayout::Full:
      h.ExcitationEnergy = ReadPageNumber(n, "ed264");
      h.StartEnergy = ReadPageNumber(n, "ed265");
      h.EndEnergy = ReadPageNumber(n, "ed266");
      h.DwellTime = ReadPageNumber(n, "ed267");
      h.ScanCount = ReadPageNumber(n, "ed268");
      h.EnergyStep = ReadPageNumber(n, "ed269");
      h.PassEnergy = ReadPageNumber(n, "ed2610");
      RecomputePointCount(h);
      h.Technique = "CAE";
      break;
    case HeaderLayout::TwoColumn:
      h.DwellTime = ReadPageNumber(n, "ed267");
      h.ScanCount = ReadPageNumber(n, "ed268");
      h.PassEnergy = ReadPageNumber(n, "ed2610");
      RecomputePointCount(h);
      h.Technique = "CAE";
      break;
  }
  ClosePage(n, -1);
}

void ShowImportParametersPage(int /*window*/) {
  PageSpec spec;
  spec.dialogWindow = kParametersPage;
  spec.width = 28;
  spec.height = 8;
  spec.caption = G.MessageTexts[12] + " BESSY/VSI";
  RunPage(spec, [] {
    const int n = kParametersPage;
    const SpectrumHeaderRecord& h = ImportedHeader[1];
    PageLabel(n, "lb61", plat::kNoIndex, 1, 1, 10, 1.2, G.MessageTexts[16]);
    PageEdit(n, "ed61", plat::kNoIndex, 13, 1, 10, 1.2, plat::NumberToText(h.ExcitationEnergy));
    PageLabel(n, "lb62", plat::kNoIndex, 24, 1, 3, 1.2, "eV");
    PageLabel(n, "lb63", plat::kNoIndex, 1, 2.5, 10, 1.2, G.MessageTexts[15]);
    PageEdit(n, "ed62", plat::kNoIndex, 13, 2.5, 10, 1.2, h.Name);
    PageButton(n, "cmdOK61", plat::kNoIndex, 8, 5, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
  });
}

void cmdOK61_Click() {
  SpectrumHeaderRecord& h = ImportedHeader[1];
  h.ExcitationEnergy = ReadPageNumber(kParametersPage, "ed61");
  h.Name = plat::Text(kParametersPage, "ed62");
  ClosePage(kParametersPage, -1);
}

void RegisterImportHeaderEvents() {
  RegisterEvent("cmdOK61_Click", [](plat::EventArgs&) { cmdOK61_Click(); });
  RegisterEvent("cmdOK251_Click", [](plat::EventArgs&) { cmdOK251_Click(); });
  RegisterEvent("cmdOk261_Click", [](plat::EventArgs&) { cmdOk261_Click(); });
}

}  // namespace sorvan
