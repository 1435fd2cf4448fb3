// The element table editor (page 4x).
#include "dialogs/element_table_page.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/element_table_files.h"
#include "core/events.h"
#include "core/file_dialogs.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "dialogs/page.h"
#include "fiterrors/progress_page.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = 4;
constexpr int kMaxRows = 20;
constexpr int kWhite = 0xFFFFFF;
constexpr int kMarked = 0xC0C0FF;  // light red: a row that cannot be written
constexpr int kWrongFormatMessage = 3;
constexpr int kMissingFileMessage = 8;
constexpr int kInconsistentInputMessage = 9;

// How the page lays out each kind of table.
struct Layout {
  double windowWidth;
  int columns;
  double firstX, columnStep;  // column x = firstX + (c - 1) * columnStep (doublets: see ColumnX)
  double boxWidth;
  int perGridPage;  // entries per grid page; 0: the whole table on one page
  int blankEntries;
  double okX, okWidth, cancelX, cancelWidth;
  bool nextButton;
};

Layout LayoutOf(ElementTableKind kind) {
  switch (kind) {
    case ElementTableKind::SensitivityFactors: return {123, 10, 1, 12, 12, 200, 13, 1, 15, 18, 15, true};
    case ElementTableKind::Doublets: return {130, 8, 1, 16, 16, 0, 10, 1, 13, 16, 13, false};
    default: return {104, 3, 1, 34, 33, 60, 5, 1, 15, 18, 15, true};
  }
}

double ColumnX(ElementTableKind kind, const Layout& l, int c) {
  // The doublet grid starts its second column one cell closer.
  if (kind == ElementTableKind::Doublets) return c == 1 ? 1 : 16 * (c - 1);
  return l.firstX + (c - 1) * l.columnStep;
}

double BoxWidth(ElementTableKind kind, const Layout& l, int c) {
  return kind == ElementTableKind::Doublets && c == 1 ? 15 : l.boxWidth;
}

// The table being edited: its kind (from the reading mode) and the entries
// marked as malformed by the last OK.
ElementTableKind g_kind = ElementTableKind::LinePositions;
std::set<int> g_marked;

ElementTableKind KindOfMode(int mode) {
  switch (mode) {
    case kEditAugerParametersMode: return ElementTableKind::AugerParameters;
    case kEditSensitivityFactorsMode: return ElementTableKind::SensitivityFactors;
    case kEditDoubletsMode: return ElementTableKind::Doublets;
    default: return ElementTableKind::LinePositions;
  }
}

int Count() { return std::clamp<int>(G.TableEntryCount, 0, G.TableFields.upper()); }

// The first entry shown on the grid page shown, less one.
int GridBase() {
  const Layout l = LayoutOf(g_kind);
  return l.perGridPage == 0 ? 0 : l.perGridPage * G.TableEditorPage;
}

// The rows a grid page needs for the rest of the table.
int RowsLeft() {
  const Layout l = LayoutOf(g_kind);
  return (Count() - GridBase()) / l.columns;
}

int EntryAt(int c, int r) { return GridBase() + (c - 1) * G.TableEditorRows + r; }

// Asks for the file of the mode; "" when none was chosen.
std::string ChooseTableFile(int mode) {
  const std::string all = G.CaptionTexts[14];
  switch (mode) {
    case kEditAugerParametersMode:
      return ChooseFileToOpen({G.LabelTexts[82], "*.aup", all, "*.*"}, "*.aup", "aup", G.AugerFolder,
                              G.LabelTexts[82]);
    case kEditSensitivityFactorsMode:
      return ChooseFileToOpen({G.LabelTexts[9], "*.sen", all, "*.*"}, "*.sen", "sen", SensitivityFolder(),
                              G.LabelTexts[9]);
    case kEditDoubletsMode:
      return ChooseFileToOpen({G.LabelTexts[125], "*.dda", all, "*.*"}, "*.dda", "dda",
                              G.ProgramFolder + "\\settings", G.LabelTexts[125]);
    default:
      return ChooseFileToOpen({G.LabelTexts[75], "*.pos", all, "*.*"}, "*.pos", "pos", G.LinesFolder,
                              G.LabelTexts[74]);
  }
}

void ShowMessageFor(int code) {
  G.CommandId = static_cast<Int16>(code);
  ShowMessage(code, G.CurrentWindow == 0 ? kMainWindowNumber : G.CurrentWindow);
}

// Reads the chosen file into TableFields, sorted, with the blank entries for
// new input. False (after a message) when the file cannot be used.
bool LoadTable(ElementTableKind kind, const std::string& path) {
  std::vector<std::string> entries;
  try {
    if (!ReadElementTableEntries(kind, path, entries)) {
      ShowMessageFor(kWrongFormatMessage);
      return false;
    }
  } catch (const plat::FileError&) {
    ShowMessageFor(kMissingFileMessage);
    return false;
  }
  SortElementTableEntries(kind, path.find('(') != std::string::npos, entries);
  const Layout l = LayoutOf(kind);
  const int n = static_cast<int>(entries.size());
  const int count = l.columns * ((n + l.blankEntries) / l.columns);
  // The table holds 10,000 entries: a longer file is refused unchanged.
  if (n + l.blankEntries > G.TableFields.upper()) {
    ShowMessageFor(kWrongFormatMessage);
    return false;
  }
  for (int k = 1; k <= n + l.blankEntries; ++k)
    G.TableFields[k] = k <= n ? entries[static_cast<std::size_t>(k - 1)] : std::string();
  G.TableEntryCount = static_cast<Int16>(count);
  return true;
}

// Copies the boxes of the grid page shown back into TableFields.
void CopyBoxesBack() {
  if (!PageOpen(kPage)) return;
  const Layout l = LayoutOf(g_kind);
  for (int c = 1; c <= l.columns; ++c) {
    for (int r = 1; r <= G.TableEditorRows; ++r) {
      const int k = EntryAt(c, r);
      if (k >= 1 && k <= Count() && plat::ControlExists(kPage, "ed41", k))
        G.TableFields[k] = plat::Text(kPage, "ed41", k);
    }
  }
}

// The grid page on which entry k is shown.
int GridPageOf(int k) {
  const Layout l = LayoutOf(g_kind);
  return l.perGridPage == 0 ? 0 : (k - 1) / l.perGridPage;
}

// Closes the page and shows grid page TableEditorPage of the table in memory.
void ShowGridPageAgain() {
  ClosePage(kPage, -1);
  const bool factors = g_kind == ElementTableKind::SensitivityFactors;
  ShowElementTablePage(factors ? kNextFactorsPageMode : kNextLinesPageMode);
}

void MarkRows() {
  bool focused = false;
  for (int k : g_marked) {
    if (!plat::ControlExists(kPage, "ed41", k)) continue;
    plat::SetBackColour(kPage, "ed41", k, kMarked);
    if (!focused) plat::SetFocusSelectAll(kPage, "ed41", k);
    focused = true;
  }
}

}  // namespace

void ShowElementTablePage(int mode) {
  if (!PageCanOpen(kPage, PageGuard::ElementTable)) return;
  // The progress page of an analysis keeps the program responsive; the
  // editor does not open while it runs.
  if (PageOpen(kProgressDialogWindow)) return;
  const bool continuation = mode == kNextLinesPageMode || mode == kNextFactorsPageMode;
  if (!continuation) {
    const ElementTableKind kind = KindOfMode(mode);
    const std::string path = ChooseTableFile(mode);
    if (path.empty()) return;
    if (!LoadTable(kind, path)) return;
    g_kind = kind;
    g_marked.clear();
    G.TableEditorPage = 0;
  }

  const Layout l = LayoutOf(g_kind);
  G.TableEditorRows = static_cast<Int16>(l.perGridPage == 0 ? Count() / l.columns
                                                             : std::min(kMaxRows, RowsLeft()));
  const int R = G.TableEditorRows;

  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.guard = PageGuard::ElementTable;
  spec.width = l.windowWidth;
  spec.height = R + 4;
  spec.caption = G.FileDialogResult;
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = R + 3.6;
  if (G.TableEditorPage == 0 && R > 0) {
    spec.firstEntry = "ed41";
    spec.firstEntryIndex = EntryAt(1, 1);
  }
  RunPage(spec, [&] {
    const int n = kPage;
    for (int c = 1; c <= l.columns; ++c) {
      for (int r = 1; r <= R; ++r) {
        const int k = EntryAt(c, r);
        PageEdit(n, "ed41", k, ColumnX(g_kind, l, c), r - 0.5, BoxWidth(g_kind, l, c), 1.2,
                 G.TableFields[k]);
      }
    }
    PageButton(n, "cmdOk41", plat::kNoIndex, l.okX, R + 1.1, l.okWidth, 1.2, G.ButtonTexts[9],
               ButtonRole::Default);
    PageButton(n, "cmdCancel42", plat::kNoIndex, l.cancelX, R + 1.1, l.cancelWidth, 1.2,
               G.ButtonTexts[1], ButtonRole::Cancel);
    if (l.nextButton)
      PageButton(n, "cmdOk43", plat::kNoIndex, 35, R + 1.1, 15, 1.2, G.LabelTexts[16]);
    MarkRows();
  });
}

void cmdOk41_Click() {
  if (!PageOpen(kPage)) return;
  CopyBoxesBack();
  std::vector<std::string> entries;
  for (int k = 1; k <= Count(); ++k) entries.push_back(G.TableFields[k]);
  std::vector<int> malformed;
  const std::vector<std::string> lines = ElementTableFileLines(g_kind, entries, malformed);
  if (!malformed.empty()) {
    // A sensitivity factor without "=" or a doublet without "/" would be
    // lost: nothing is written until every filled row is well formed.
    g_marked = std::set<int>(malformed.begin(), malformed.end());
    ShowMessageFor(kInconsistentInputMessage);
    const int page = GridPageOf(malformed.front());
    if (page != G.TableEditorPage) {
      G.TableEditorPage = page;
      ShowGridPageAgain();
      return;
    }
    MarkRows();
    return;
  }
  try {
    WriteElementTableFile(G.FileDialogResult, lines);
  } catch (const plat::FileError& e) {
    // The old file is whole; the page stays open with what was typed.
    ShowFileNotWrittenMessage(e);
    return;
  }
  g_marked.clear();
  ClosePage(kPage, -1);
  G.TableEditorPage = 0;
}

void cmdCancel42_Click() {
  if (!PageOpen(kPage)) return;
  g_marked.clear();
  ClosePage(kPage, -1);
  G.TableEditorPage = 0;
}

void cmdOk43_Click() {
  if (!PageOpen(kPage) || !LayoutOf(g_kind).nextButton) return;
  CopyBoxesBack();
  // After the last grid page the button goes back to the first.
  if (G.TableEditorRows < RowsLeft()) ++G.TableEditorPage;
  else G.TableEditorPage = 0;
  ShowGridPageAgain();
}

void RegisterElementTablePageEvents() {
  RegisterEvent("cmdOk41_Click", [](plat::EventArgs&) { cmdOk41_Click(); });
  RegisterEvent("cmdCancel42_Click", [](plat::EventArgs&) { cmdCancel42_Click(); });
  RegisterEvent("cmdOk43_Click", [](plat::EventArgs&) { cmdOk43_Click(); });
}

}  // namespace sorvan
