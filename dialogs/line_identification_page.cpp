// The line identification page (page 23x).
#include "dialogs/line_identification_page.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/events.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/draw_support.h"
#include "display/line_positions.h"
#include "display/page_picking.h"
#include "display/redraw.h"
#include "display/window_labels.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "platform/surfaces.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = kLinePageWindow;
constexpr int kTooManyLabelsMessage = 9;
constexpr int kMissingFileMessage = 8;

// The mode of the page shown last.
int g_mode = kLineModeLines;

double NonZeroStep(double step) { return step != 0 && std::isfinite(step) ? step : 1; }

// The window the page works for: the one it was opened for; the current
// window when that is gone.
int PageTargetWindow() {
  const int w = PageWindow(kPage);
  if (IsSpectrumWindow(w) && Win[w].WindowOpen) return w;
  return G.CurrentWindow;
}

std::vector<int> SelectedItems() {
  std::vector<int> items;
  if (!plat::ControlExists(kPage, "lib231")) return items;
  const int n = plat::ListCount(kPage, "lib231");
  for (int i = 0; i < n; ++i)
    if (plat::ItemSelected(kPage, "lib231", plat::kNoIndex, i)) items.push_back(i);
  return items;
}

std::string SelectedEntry() {
  const std::vector<int> items = SelectedItems();
  if (items.empty()) return {};
  return plat::ListItem(kPage, "lib231", plat::kNoIndex, items.front());
}

// One line label on a single-spectrum window, just above the spectrum at the
// line's energy. False when the window holds 100 labels already.
bool AddLineLabel(int w, const std::string& entry) {
  WindowRecord& win = Win[w];
  const std::string trimmed = plat::Trim(entry);
  const double e = plat::TextToNumber(trimmed);
  const int k = AddWindowLabel(w, false);
  if (k == 0) return false;
  LabelRecord& label = Labels[LabelIndex(w, k)];
  label.AnnotationText = LineLabelText(trimmed);
  label.AnnotationX = e;

  const double offset = (e - win.FirstEnergy) / NonZeroStep(win.SpectrumHeader.EnergyStep);
  const double point = G.EnergyAxisMode == 0 ? win.RegionStart - offset : win.RegionStart + offset;
  long long j = std::isfinite(point) ? plat::RoundHalfEven(point) : win.RegionStart;
  j = std::clamp<long long>(j, win.RegionStart, std::max<long long>(win.RegionStart, win.RegionEnd));
  const CheckedMatrix<double>& data = SlotData[w];
  const double measured = data.Contains(j, 1) ? data(j, 1) : 0;
  const double span = win.YAxisTop - win.YAxisBottom;
  double y = measured + span / 10;
  if (y > win.YAxisTop) y = win.YAxisTop - span / 5;
  label.AnnotationY = y;
  return true;
}

// The label of chemical-state entry k (1-based) at its plotted point, the
// text centred above it. False when the window holds 100 labels already.
bool AddChemicalStateLabel(int w, int k, const std::string& entry) {
  WindowRecord& win = Win[w];
  const std::string trimmed = plat::Trim(entry);
  const std::size_t blank = trimmed.find(' ');
  const std::string text = blank == std::string::npos ? std::string() : plat::Trim(trimmed.substr(blank + 1));
  if (k < 1 || k > WorkBackground.Upper() || k > WorkSigma.Upper()) return true;
  const int slot = AddWindowLabel(w, false);
  if (slot == 0) return false;
  // The plot's scale as its drawing lays it out.
  RedrawWindow(w);
  RecallPlotLayout(w);
  plat::SetDrawingWindow(w);
  plat::Canvas& c = plat::Surface();
  UseClassFont(c, kAnnotationClass);
  const double ppe = G.PixelsPerEnergy != 0 ? G.PixelsPerEnergy : 1;
  const double ppi = G.PixelsPerIntensity != 0 ? G.PixelsPerIntensity : 1;
  double x = G.PlotLeft + (win.ChemStateXMax - WorkBackground[k]) * ppe;
  double y = G.SpacingUnit + (win.ChemStateYMax - WorkSigma[k]) * ppi;
  x -= c.TextWidth(text) / 2;
  y -= 1.5 * LineHeightOf(c, kAnnotationClass);
  LabelRecord& label = Labels[LabelIndex(w, slot)];
  label.AnnotationText = text;
  label.AnnotationX = win.ChemStateXMax - (x - G.PlotLeft) / ppe;
  label.AnnotationY = win.ChemStateYMax - (y - G.SpacingUnit) / ppi;
  return true;
}

// Stores the four option buttons into the filter bytes.
void StoreOptions() {
  G.LineFilterAll = plat::Value(kPage, "opt231") != 0 ? 1 : 0;
  G.LineFilterMarked = plat::Value(kPage, "opt232") != 0 ? 1 : 0;
  G.LineFilterElement = plat::Value(kPage, "opt233") != 0 ? 1 : 0;
  G.LineFilterOwnFile = plat::Value(kPage, "opt234") != 0 ? 1 : 0;
}

// Puts the option buttons back to the stored filter bytes.
void ShowStoredOptions() {
  plat::SetValue(kPage, "opt231", plat::kNoIndex, G.LineFilterAll);
  plat::SetValue(kPage, "opt232", plat::kNoIndex, G.LineFilterMarked);
  plat::SetValue(kPage, "opt233", plat::kNoIndex, G.LineFilterElement);
  plat::SetValue(kPage, "opt234", plat::kNoIndex, G.LineFilterOwnFile);
}

// Ends the page and shows it again with the list just loaded; the new page
// waits inside the handler and takes over the pick mode.
void ShowAgain() {
  ClosePage(kPage, -1);
  ShowLineIdentificationPage(kLineModeLines);
}

// Stores the options, reads the program's line table by them and brings it
// to the current scale. A table that cannot be read keeps the old list.
void ReloadFromTable() {
  const Byte all = G.LineFilterAll, marked = G.LineFilterMarked, element = G.LineFilterElement,
             own = G.LineFilterOwnFile;
  StoreOptions();
  try {
    LoadLineSelection();
  } catch (const plat::FileError&) {
    // More than 1000 selected lines: the first 1000 were taken. A missing
    // table leaves the list as it was, and the options with it.
    if (!plat::FileExists(G.LinesFolder + "\\linienlage.pos")) {
      G.LineFilterAll = all;
      G.LineFilterMarked = marked;
      G.LineFilterElement = element;
      G.LineFilterOwnFile = own;
      ShowMessage(kMissingFileMessage, G.CurrentWindow);
      ShowStoredOptions();
      return;
    }
  }
  ConvertLinePositions();
  ShowAgain();
}

}  // namespace

std::string LineLabelText(const std::string& entry) {
  for (std::size_t i = 0; i < entry.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(entry[i]);
    if (c > 64 || (c == '-' && i > 0)) return plat::Trim(entry.substr(i));
  }
  return {};
}

void ShowLineIdentificationPage(int mode) {
  if (!PageCanOpen(kPage)) return;
  const int w = G.CurrentWindow;
  const bool lines = mode != kLineModeChemicalState;
  std::vector<std::string> entries;
  std::string caption;
  if (lines) {
    const int n = std::clamp<int>(G.ListEntryCount, 0, G.LineList.upper());
    for (int k = 1; k <= n; ++k) entries.push_back(G.LineList[k]);
    caption = G.LabelTexts[65];
  } else {
    if (!IsSpectrumWindow(w)) return;
    const int points = WindowPointCount(w);
    LoadWorkBackground(w, 2, 1, points);
    LoadWorkSigma(w, 3, 1, points);
    const int n = std::clamp<int>(static_cast<int>(Win[w].ChemStatePointCount), 0,
                                  Win[w].ChemStateEntries.upper());
    for (int k = 1; k <= n; ++k) entries.push_back(Win[w].ChemStateEntries[k]);
    G.ListEntryCount = static_cast<Int16>(n);
    caption = Win[w].ChemStateListName;
  }
  g_mode = lines ? kLineModeLines : kLineModeChemicalState;
  G.DialogResult = 0;
  G.LinePickActive = 1;

  const double width = lines ? 31 : 36;
  const double height = lines ? 18.5 : 14.5;
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = width;
  spec.height = height;
  spec.caption = caption;
  spec.spectrumWindow = IsSpectrumWindow(w) ? w : 0;
  spec.movePointer = false;
  const bool shown = RunPage(spec, [&] {
    const int n = kPage;
    PageList(n, "lib231", plat::kNoIndex, 1, 0.5, width - 3, 10, false);
    PageButton(n, "cmdOk231", plat::kNoIndex, 1, height - 3, 13, 1.2, G.MessageTexts[86],
               ButtonRole::Default);
    PageButton(n, "cmdCancel232", plat::kNoIndex, width - 15, height - 3, 13, 1.2, G.ButtonTexts[1],
               ButtonRole::Cancel);
    if (lines) {
      PageOption(n, "opt231", plat::kNoIndex, 2, 11, 25, 1, G.LabelTexts[66], G.LineFilterAll);
      PageOption(n, "opt232", plat::kNoIndex, 2, 12, 25, 1, G.LabelTexts[67], G.LineFilterMarked);
      PageOption(n, "opt233", plat::kNoIndex, 2, 13, 25, 1, G.LabelTexts[68], G.LineFilterElement);
      PageOption(n, "opt234", plat::kNoIndex, 2, 14, 25, 1, G.LabelTexts[71], G.LineFilterOwnFile);
    }
    for (const std::string& e : entries) plat::AddListItem(n, "lib231", plat::kNoIndex, e);
    if (!entries.empty()) plat::SetItemSelected(n, "lib231", plat::kNoIndex, 0, true);
  });
  // A page that could not be shown picks nothing.
  if (!shown) G.LinePickActive = 0;
}

void cmdOk231_Click() {
  if (!PageOpen(kPage)) return;
  const std::vector<int> items = SelectedItems();
  // Nothing selected (an empty list): no label is made.
  if (items.empty()) return;
  G.DialogResult = 1;
  const int w = PageTargetWindow();
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  const int kind = Win[w].WindowKind;
  if (kind != SingleSpectrum && kind != ChemicalStatePlot) return;
  for (int item : items) {
    const std::string entry = plat::ListItem(kPage, "lib231", plat::kNoIndex, item);
    const bool added = kind == SingleSpectrum ? AddLineLabel(w, entry)
                                              : AddChemicalStateLabel(w, item + 1, entry);
    if (!added) {
      ShowMessage(kTooManyLabelsMessage, w);
      break;
    }
  }
  RedrawWindow(w);
}

void cmdCancel232_Click() {
  ClosePage(kPage, -1);
  G.LinePickActive = 0;
}

void opt231_Click() { ReloadFromTable(); }

void opt232_Click() { ReloadFromTable(); }

void opt233_Click() {
  const std::string entry = SelectedEntry();
  // The symbol of an own file's entry means nothing in the table: keep the old one.
  if (G.LineFilterOwnFile != 1) {
    const std::string symbol = LineElementSymbol(entry);
    if (!symbol.empty()) G.LineFilterSymbol = symbol;
  }
  ReloadFromTable();
}

void opt234_Click() {
  const std::string name = LineLabelText(plat::Trim(SelectedEntry()));
  const std::string path = G.LinesFolder + "\\" + name + ".pos";
  if (name.empty() || !plat::FileExists(path)) {
    ShowMessage(kMissingFileMessage, G.CurrentWindow);
    ShowStoredOptions();
    return;
  }
  std::vector<std::string> lines;
  try {
    lines = ReadAllLines(path);
  } catch (const plat::FileError&) {
    ShowMessage(kMissingFileMessage, G.CurrentWindow);
    ShowStoredOptions();
    return;
  }
  // The list holds 1000 entries; the rest of a longer file is not listed.
  if (lines.size() > static_cast<std::size_t>(G.LineList.upper())) lines.resize(G.LineList.upper());
  StoreOptions();
  G.LineFileName = name;
  G.LineFilePath = path;
  const int n = static_cast<int>(lines.size());
  for (int k = 1; k <= n; ++k) G.LineList[k] = lines[static_cast<std::size_t>(k - 1)];
  G.ListEntryCount = static_cast<Int16>(n);
  // A file whose name holds "(" holds kinetic energies, any other binding
  // energies; the entries are brought to the current scale, not sorted.
  const int w = G.CurrentWindow;
  const double hv = IsSpectrumWindow(w) ? Win[w].SpectrumHeader.ExcitationEnergy : 0;
  const bool fileKinetic = name.find('(') != std::string::npos;
  if (fileKinetic != (G.EnergyAxisMode != 0)) {
    for (int k = 1; k <= n; ++k)
      G.LineList[k] = WithLeadingEnergy(G.LineList[k], hv - plat::TextToNumber(G.LineList[k]));
  }
  ShowAgain();
}

void RegisterLineIdentificationEvents() {
  RegisterEvent("cmdOk231_Click", [](plat::EventArgs&) { cmdOk231_Click(); });
  RegisterEvent("cmdCancel232_Click", [](plat::EventArgs&) { cmdCancel232_Click(); });
  RegisterEvent("opt231_Click", [](plat::EventArgs&) { opt231_Click(); });
  RegisterEvent("opt232_Click", [](plat::EventArgs&) { opt232_Click(); });
  RegisterEvent("opt233_Click", [](plat::EventArgs&) { opt233_Click(); });
  RegisterEvent("opt234_Click", [](plat::EventArgs&) { opt234_Click(); });
}

}  // namespace sorvan
