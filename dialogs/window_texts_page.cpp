// Page 22x: the texts, labels and axis settings of a spectrum window.
#include "dialogs/window_texts_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/events.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/number_text.h"
#include "core/store.h"
#include "dialogs/page.h"
#include "display/redraw.h"
#include "display/window_labels.h"
#include "platform/controls.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kPage = kWindowTextsPage;
constexpr int kCancelAnswer = 222;
constexpr int kDefaultsAnswer = 1;
constexpr int kInconsistentInput = 9;
constexpr int kNoWindow = 255;  // no label waits for a click
// The tick tables hold 100 intervals; a larger count is not drawn.
constexpr int kMaxTickIntervals = 100;
// A count with no limit of its own is stored as typed (up to the largest
// count the field takes); the drawing holds it to the tick tables.
constexpr double kNoTickLimit = 1e6;
constexpr int kMemberLabelLength = 7;
constexpr int kMemberFieldsPerColumn = 20;
constexpr const char* kField = "ed221";

bool IsMultiView(int kind) { return kind >= ColourMap && kind <= MirroredWaterfall; }
bool IsWaterfall(int kind) { return kind == Waterfall || kind == MirroredWaterfall; }

std::string Num(double v) { return plat::NumberToText(v); }

std::string WithoutMnemonic(const std::string& text) {
  G.CaptionBuffer = text;
  StripMnemonic();
  return G.CaptionBuffer;
}

// ---- One label set (annotations or titles) of a window ----

struct LabelSet {
  bool title;
  std::string& text(int L) const { return title ? Labels[L].TitleLabelText : Labels[L].AnnotationText; }
  double& x(int L) const { return title ? Labels[L].TitleLabelX : Labels[L].AnnotationX; }
  double& y(int L) const { return title ? Labels[L].TitleLabelY : Labels[L].AnnotationY; }
  Int16& count(int w) const { return title ? Win[w].TitleLabelCount : Win[w].AnnotationCount; }
  Byte& pendingWindow() const { return title ? G.PendingTitleWindow : G.PendingLabelWindow; }
  Byte& otherPendingWindow() const { return title ? G.PendingLabelWindow : G.PendingTitleWindow; }
  Int16& pendingIndex() const { return title ? G.PendingTitleIndex : G.PendingLabelIndex; }
};

// Label j of w takes the text and position of label j + 1.
void MoveLabelDown(const LabelSet& set, int w, int j) {
  const int to = LabelIndex(w, j), from = LabelIndex(w, j + 1);
  set.text(to) = set.text(from);
  set.x(to) = set.x(from);
  set.y(to) = set.y(from);
}

// Deletes label j of w: the later labels move down, the count drops.
void DeleteLabel(const LabelSet& set, int w, int j) {
  Int16& count = set.count(w);
  for (int k = j; k < count; ++k) MoveLabelDown(set, w, k);
  const int last = LabelIndex(w, count);
  set.text(last).clear();
  set.x(last) = 0;
  set.y(last) = 0;
  --count;
}

// ---- The Cancel copy of the axis and member modes ----

struct CancelCopy {
  int window = 0;
  std::string residualTitle, memberAxisTitle, multiYTitle, xAxisTitle, yAxisTitle;
  Byte yTitleFixed = 0, showMemberLabels = 0, showYScale = 0, memberLabelStepFixed = 0;
  Byte xRangeFixed = 0, yRangeFixed = 0;
  Byte xGrid = 0, yGrid = 0, multiXGrid = 0, multiYGrid = 0, memberGrid = 0;
  Int16 memberCount = 0;
  double memberLabelStep = 0;
  bool allWindows = false;
  double xAxisLeft = 0, xAxisRight = 0, xAxisSpan = 0, firstEnergy = 0, lastEnergy = 0;
  Int16 regionStart = 0, regionEnd = 0, regionLength = 0;
  double multiXLeft = 0, multiXRight = 0, multiXSpan = 0, multiFirstEnergy = 0, multiLastEnergy = 0;
  Int16 multiRegionStart = 0, multiRegionEnd = 0;
  double yAxisBottom = 0, yAxisTop = 0, multiYBottom = 0, multiYTop = 0;
  double xTickCount = 0, yTickCount = 0;
};

struct PageState {
  int mode = 0;
  int window = 0;
  int fields = 0;            // entry fields of a label mode
  bool labelAdded = false;   // a label mode added its new label
  bool allWindows = false;   // the all-windows option, kept between showings
  CancelCopy copy;
} g;

// Calls f(window field, copy field) for every setting the Cancel copy
// holds, so that taking the copy and putting it back name the same fields.
template <class F>
void EachCopiedSetting(WindowRecord& win, CancelCopy& c, F f) {
  f(win.ResidualTitle, c.residualTitle);
  f(win.YTitleFixed, c.yTitleFixed);
  f(win.MemberAxisTitle, c.memberAxisTitle);
  f(win.MemberCount, c.memberCount);
  f(win.MultiYTitle, c.multiYTitle);
  f(win.MemberLabelStep, c.memberLabelStep);
  f(win.ShowMemberLabels, c.showMemberLabels);
  f(win.XAxisTitle, c.xAxisTitle);
  f(win.XAxisLeft, c.xAxisLeft);
  f(win.XAxisRight, c.xAxisRight);
  f(win.XAxisSpan, c.xAxisSpan);
  f(win.FirstEnergy, c.firstEnergy);
  f(win.LastEnergy, c.lastEnergy);
  f(win.RegionStart, c.regionStart);
  f(win.RegionEnd, c.regionEnd);
  f(win.RegionLength, c.regionLength);
  f(win.MultiXLeft, c.multiXLeft);
  f(win.MultiXRight, c.multiXRight);
  f(win.MultiXSpan, c.multiXSpan);
  f(win.MultiFirstEnergy, c.multiFirstEnergy);
  f(win.MultiLastEnergy, c.multiLastEnergy);
  f(win.MultiRegionStart, c.multiRegionStart);
  f(win.MultiRegionEnd, c.multiRegionEnd);
  f(win.YAxisBottom, c.yAxisBottom);
  f(win.YAxisTop, c.yAxisTop);
  f(win.MultiYBottom, c.multiYBottom);
  f(win.MultiYTop, c.multiYTop);
  f(win.XTickCount, c.xTickCount);
  f(win.YTickCount, c.yTickCount);
  f(win.YAxisTitle, c.yAxisTitle);
  f(win.ShowYScale, c.showYScale);
  f(win.MemberLabelStepFixed, c.memberLabelStepFixed);
  f(win.XRangeFixed, c.xRangeFixed);
  f(win.YRangeFixed, c.yRangeFixed);
  f(win.XGridLines, c.xGrid);
  f(win.YGridLines, c.yGrid);
  f(win.MultiXGridLines, c.multiXGrid);
  f(win.MultiYGridLines, c.multiYGrid);
  f(win.MemberGridLines, c.memberGrid);
}

void TakeCancelCopy(int w) {
  CancelCopy& c = g.copy;
  c.window = w;
  EachCopiedSetting(Win[w], c, [](const auto& setting, auto& copy) { copy = setting; });
  for (int k = 1; k <= 100; ++k) G.MemberNameEdit[k] = Win[w].MemberLabel[k];
  c.allWindows = g.allWindows;
}

void PutBackCancelCopy(int w) {
  CancelCopy& c = g.copy;
  if (c.window != w) return;  // no copy of this window was taken
  WindowRecord& win = Win[w];
  EachCopiedSetting(win, c, [](auto& setting, const auto& copy) { setting = copy; });
  for (int k = 1; k <= 100; ++k) win.MemberLabel[k] = G.MemberNameEdit[k];
  g.allWindows = c.allWindows;
  if (win.WindowKind == SingleSpectrum) {
    LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
    G.CursorStart = win.RegionStart;
    G.CursorEnd = win.RegionEnd;
  }
}

// ---- Reading the page ----

std::string Field(int k) { return plat::Text(kPage, kField, k); }
double FieldValue(int k) { return ReadPageNumber(kPage, kField, k); }
// Whether field k holds a number (after the decimal comma is taken as a
// point): a text such as "NaN" or "end" would otherwise read as 0.
bool FieldIsNumber(int k) {
  ReadNumberText(Field(k));
  const std::string t = plat::Trim(G.NumberText);
  std::size_t i = t.size() > 0 && (t[0] == '+' || t[0] == '-') ? 1 : 0;
  if (i < t.size() && t[i] == '.') ++i;
  return i < t.size() && t[i] >= '0' && t[i] <= '9';
}
bool Checked(const char* name) {
  return plat::ControlExists(kPage, name) && plat::Value(kPage, name) != 0;
}
// A check box's value, or `keep` when the page does not show that box.
Byte CheckOr(const char* name, Byte keep) {
  if (!plat::ControlExists(kPage, name)) return keep;
  return plat::Value(kPage, name) != 0 ? 1 : 0;
}

// A count typed into field k: below 1 it is 1, above `cap` it is `cap` (and
// the field shows what is kept).
double TickCountField(int k, double cap) {
  double v = FieldValue(k);
  if (!(v >= 1)) {
    v = 1;
    plat::SetText(kPage, kField, k, "1");
  }
  v = static_cast<double>(plat::RoundHalfEven(std::min(v, 1e6)));
  if (v > cap) {
    v = cap;
    plat::SetText(kPage, kField, k, Num(cap));
  }
  return v;
}

void RedrawOpenWindows() {
  for (int v = 1; v <= kMaxWindows; ++v)
    if (Win[v].WindowOpen) RedrawWindow(v);
}

// ---- The measurement grids that the all-windows option compares ----

bool SameSingleGrid(const WindowRecord& a, const WindowRecord& b) {
  return a.EnergyShift == b.EnergyShift && a.SpectrumHeader.PointCount == b.SpectrumHeader.PointCount &&
         a.SpectrumHeader.EnergyStep == b.SpectrumHeader.EnergyStep &&
         a.SpectrumHeader.StartEnergy == b.SpectrumHeader.StartEnergy && a.HasFit == b.HasFit;
}

bool SameMultiGrid(const WindowRecord& a, const WindowRecord& b) {
  return a.MultiEnergyShift == b.MultiEnergyShift && a.MultiPointCount == b.MultiPointCount &&
         a.MultiEnergyStep == b.MultiEnergyStep && a.MultiStartEnergy == b.MultiStartEnergy;
}

// Open windows of w's family (single spectra, or views of several spectra)
// on the same measurement grid, w itself excluded.
bool SameGridAs(int w, int v) {
  if (v == w || !Win[v].WindowOpen) return false;
  const WindowRecord& a = Win[w];
  const WindowRecord& b = Win[v];
  if (a.WindowKind == SingleSpectrum) return b.WindowKind == SingleSpectrum && SameSingleGrid(a, b);
  return IsMultiView(a.WindowKind) && IsMultiView(b.WindowKind) && SameMultiGrid(a, b);
}

// ---- Label modes ----

bool IsLabelMode(int mode) { return mode == kTextsAnnotations || mode == kTextsTitleLabels; }
LabelSet SetOfMode(int mode) { return LabelSet{mode == kTextsTitleLabels}; }

void BuildLabelPage(int w) {
  const int n = kPage;
  const LabelSet set = SetOfMode(g.mode);
  for (int k = 1; k <= g.fields; ++k) {
    const std::string& text = set.text(LabelIndex(w, k));
    PageEdit(n, kField, k, 1, 0.5 + k - 1, 28, 1.1, text);
    if (text.empty()) set.pendingIndex() = static_cast<Int16>(k);
  }
  const double row = 2.1 + g.fields - 1;
  PageButton(n, "cmdOk221", plat::kNoIndex, 1, row, 13, 1.1, G.ButtonTexts[2], ButtonRole::Default);
  PageButton(n, "cmdCancel222", plat::kNoIndex, 16, row, 13, 1.1, G.ButtonTexts[1], ButtonRole::Cancel);
}

void StoreLabels(int w) {
  const LabelSet set = SetOfMode(g.mode);
  Int16& count = set.count(w);
  const int fields = std::min<int>(g.fields, count);
  for (int k = 1; k <= fields; ++k) set.text(LabelIndex(w, k)) = Field(k);
  int last = fields;
  if (last < 1) return;
  const bool placeNew = g.labelAdded && !set.text(LabelIndex(w, last)).empty();
  if (placeNew) {
    set.pendingWindow() = static_cast<Byte>(w);
    set.otherPendingWindow() = kNoWindow;
  }
  // Labels emptied before the last are deleted; the new label keeps
  // waiting for its click, under its new number.
  for (int k = 1; k < last;) {
    if (set.text(LabelIndex(w, k)).empty()) {
      DeleteLabel(set, w, k);
      --last;
    } else {
      ++k;
    }
  }
  if (placeNew) set.pendingIndex() = static_cast<Int16>(last);
  if (set.text(LabelIndex(w, last)).empty()) DeleteLabel(set, w, last);
  RedrawWindow(w);
}

// ---- Member modes ----

bool IsMemberMode(int mode) { return mode == kTextsMemberLabels || mode == kTextsMemberAxis; }

std::string CutLabel(const std::string& text) { return plat::Left(text, kMemberLabelLength); }

std::string WithDecimals(double v, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return buffer;
}

// The number of labelled members typed into `field` (index for ed221, or
// the single box ed222) turned into the label step.
void TakeLabelStep(WindowRecord& win, const char* name, int index) {
  double labelled = ReadPageNumber(kPage, name, index);
  if (!(labelled >= 1)) {
    labelled = 1;
    plat::SetText(kPage, name, index, "1");
  }
  const double members = std::max<double>(win.MemberCount, 1);
  win.MemberLabelStep = std::clamp(members / labelled, 1.0, members);
}

void CountMemberColumns(int fieldCount, int& columns, int& rows) {
  rows = std::min(fieldCount, 21);
  columns = 1;
  for (int f : {21, 41, 61, 81})
    if (f <= fieldCount) ++columns;
}

void BuildMemberLabelsPage(int w) {
  const int n = kPage;
  const auto none = plat::kNoIndex;
  const WindowRecord& win = Win[w];
  const int members = std::clamp<int>(win.MemberCount, 0, 99);
  const int fieldCount = members + 1;
  int columns = 1, rows = 1;
  CountMemberColumns(fieldCount, columns, rows);
  for (int k = 1; k <= fieldCount; ++k) {
    const int column = (k - 1) / kMemberFieldsPerColumn;
    const int row = (k - 1) % kMemberFieldsPerColumn;
    const std::string text = k == 1 ? win.MemberAxisTitle : win.MemberLabel[k - 1];
    PageEdit(n, kField, k, 1 + 27 * column, 0.5 + row, 25, 1.1, text);
  }
  const double y = rows + 1.0;
  PageLabel(n, "lb2214", none, 1, y, 18, 1.2, G.LabelTexts[163]);
  const double step = win.MemberLabelStep > 0 ? win.MemberLabelStep : 1;
  PageEdit(n, "ed222", none, 20, y, 5, 1.1, Num(std::round(win.MemberCount / step)));
  if (win.WindowKind != StackedCurves)
    PageCheck(n, "chk2216", none, 1, y + 1.5, 24, 1, G.LabelTexts[185], win.MemberGridLines);
  PageCheck(n, "chk2213", none, 1, y + 2.7, 24, 1, G.LabelTexts[165], win.ShowMemberLabels);
}

void BuildMemberAxisPage(int w) {
  const int n = kPage;
  const auto none = plat::kNoIndex;
  const WindowRecord& win = Win[w];
  const int last = std::clamp<int>(win.MemberCount, 1, 100);
  const double step = win.MemberLabelStep > 0 ? win.MemberLabelStep : 1;
  PageEdit(n, kField, 1, 1, 0.5, 28, 1.1, win.MemberAxisTitle);
  PageLabel(n, "lb2211", none, 1, 2, 28, 1.2, G.LabelTexts[154] + " " + plat::Trim(Num(win.MemberCount)));
  PageLabel(n, "lb2212", none, 1, 3.5, 15, 1.2, G.LabelTexts[155]);
  PageEdit(n, kField, 2, 17, 3.5, 12, 1.1, win.MemberLabel[1]);
  PageLabel(n, "lb2213", none, 1, 5, 15, 1.2, G.LabelTexts[156]);
  PageEdit(n, kField, 3, 17, 5, 12, 1.1, win.MemberLabel[last]);
  PageLabel(n, "lb2214", none, 1, 6.5, 15, 1.2, G.LabelTexts[163]);
  PageEdit(n, kField, 4, 17, 6.5, 12, 1.1, Num(std::round(win.MemberCount / step)));
  if (win.WindowKind != StackedCurves)
    PageCheck(n, "chk2216", none, 1, 8, 28, 1, G.LabelTexts[185], win.MemberGridLines);
  PageCheck(n, "chk2213", none, 1, 9.2, 28, 1, G.LabelTexts[165], win.ShowMemberLabels);
}

void StoreMemberLabels(WindowRecord& win) {
  const int members = std::clamp<int>(win.MemberCount, 0, 99);
  win.MemberAxisTitle = Field(1);
  for (int k = 1; k <= members; ++k) win.MemberLabel[k] = CutLabel(Field(k + 1));
  TakeLabelStep(win, "ed222", plat::kNoIndex);
}

// The labels numbered evenly from the first to the last value, as whole
// numbers when the second label is whole, else with one decimal.
void StoreMemberAxis(WindowRecord& win) {
  win.MemberAxisTitle = Field(1);
  const double a = FieldValue(2), b = FieldValue(3);
  const int n = std::clamp<int>(win.MemberCount, 0, 100);
  std::vector<double> values(n + 1, a);
  for (int k = 1; k <= n; ++k) values[k] = n > 1 ? a + (k - 1) * (b - a) / (n - 1) : a;
  const double second = n >= 2 ? values[2] : a;
  const int decimals = std::isfinite(second) && second == std::floor(second) ? 0 : 1;
  for (int k = 1; k <= n; ++k) win.MemberLabel[k] = CutLabel(plat::Trim(WithDecimals(values[k], decimals)));
  TakeLabelStep(win, kField, 4);
}

void StoreMembers(int w) {
  WindowRecord& win = Win[w];
  win.MemberLabelStepFixed = 1;
  win.MemberGridLines = CheckOr("chk2216", win.MemberGridLines);
  win.ShowMemberLabels = CheckOr("chk2213", win.ShowMemberLabels);
  g.allWindows = Checked("chk2214");
  if (g.mode == kTextsMemberLabels) {
    StoreMemberLabels(win);
  } else {
    StoreMemberAxis(win);
  }
  if (g.allWindows) {
    G.MemberGridLinesDefault = win.MemberGridLines;
    for (int v = 1; v <= kMaxWindows; ++v) {
      WindowRecord& other = Win[v];
      if (v == w) continue;
      other.MemberGridLines = win.MemberGridLines;
      other.MemberAxisTitle = win.MemberAxisTitle;
      if (!SameGridAs(w, v) || other.MemberCount != win.MemberCount) continue;
      other.MemberLabelStepFixed = 1;
      other.MemberLabelStep = win.MemberLabelStep;
      for (int k = 1; k <= 100; ++k) other.MemberLabel[k] = win.MemberLabel[k];
      other.ShowMemberLabels = win.ShowMemberLabels;
    }
    RedrawOpenWindows();
  } else {
    RedrawWindow(w);
  }
}

// ---- Energy axis ----

// The point of energy e on window w's grid (single spectrum), rounded.
struct Grid {
  double hv, start, step, shift;
  double PointOf(double e) const {
    const double kinetic = G.EnergyAxisMode == 0 ? hv - e : e;
    return 1 + (kinetic - start - shift) / step;
  }
  double EnergyOf(long long j) const {
    const double kinetic = start + (j - 1) * step + shift;
    return G.EnergyAxisMode == 0 ? hv - kinetic : kinetic;
  }
};

// The typed ends of the energy axis as points of `grid` with `count`
// points: in the order of the points (the typed ends swapped, and shown
// swapped, when they come the other way) and held to the spectrum. False
// for ends that give no range (equal, or wholly outside the spectrum).
bool EnergyRange(const Grid& grid, long long count, double& left, double& right, long long& first,
                 long long& last) {
  if (!FieldIsNumber(2) || !FieldIsNumber(3)) return false;
  left = FieldValue(2);
  right = FieldValue(3);
  if (!(grid.step != 0) || !std::isfinite(grid.step) || left == right) return false;
  double p = grid.PointOf(left), q = grid.PointOf(right);
  if (!std::isfinite(p) || !std::isfinite(q)) return false;
  if (p > q) {
    std::swap(left, right);
    std::swap(p, q);
    plat::SetText(kPage, kField, 2, Num(left));
    plat::SetText(kPage, kField, 3, Num(right));
  }
  p = std::clamp(p, -1e9, 1e9);
  q = std::clamp(q, -1e9, 1e9);
  first = std::max<long long>(plat::RoundHalfEven(p), 1);
  last = std::min<long long>(plat::RoundHalfEven(q), count);
  return first <= last;
}

bool StoreEnergyAxis(int w) {
  WindowRecord& win = Win[w];
  if (win.WindowKind == ChemicalStatePlot) return true;  // its axes are the plot's own
  const bool multi = IsMultiView(win.WindowKind);
  const Grid grid = multi ? Grid{win.MultiExcitationEnergy, win.MultiStartEnergy, win.MultiEnergyStep,
                                 win.MultiEnergyShift + G.MultiViewEnergyOffset}
                          : Grid{win.SpectrumHeader.ExcitationEnergy, win.SpectrumHeader.StartEnergy,
                                 win.SpectrumHeader.EnergyStep, win.EnergyShift + G.GlobalEnergyOffset};
  const long long count = multi ? static_cast<long long>(win.MultiPointCount) : win.SpectrumHeader.PointCount;
  double left = 0, right = 0;
  long long first = 0, last = 0;
  if (!EnergyRange(grid, count, left, right, first, last)) {
    ShowMessage(kInconsistentInput, w);
    return false;
  }
  g.allWindows = Checked("chk2214");
  // A view keeps the energy tick count as typed (its drawing holds it to the
  // tables); the single spectrum's count is held to them here.
  win.XTickCount = TickCountField(4, multi ? kNoTickLimit : kMaxTickIntervals);
  win.XAxisTitle = Field(1);
  const Byte grid16 = Checked("chk2216") ? 1 : 0;
  if (multi) {
    win.MultiXGridLines = grid16;
    win.MultiRegionStart = static_cast<Int16>(first);
    win.MultiRegionEnd = static_cast<Int16>(last);
    win.MultiFirstEnergy = grid.EnergyOf(first);
    win.MultiLastEnergy = grid.EnergyOf(last);
    win.MultiXLeft = left;
    win.MultiXRight = right;
    win.MultiXSpan = std::fabs(right - left);
  } else {
    win.XGridLines = grid16;
    win.RegionStart = static_cast<Int16>(first);
    win.RegionEnd = static_cast<Int16>(last);
    win.RegionLength = static_cast<Int16>(last - first + 1);
    win.RegionPartial = first != 1 || last != count ? 1 : 0;
    G.CursorStart = win.RegionStart;
    G.CursorEnd = win.RegionEnd;
    LoadWorkData(w, 1, win.RegionStart, win.RegionEnd);
    win.FirstEnergy = grid.EnergyOf(first);
    win.LastEnergy = grid.EnergyOf(last);
    win.XAxisLeft = left;
    win.XAxisRight = right;
    win.XAxisSpan = std::fabs(right - left);
  }
  win.XRangeFixed = 1;
  RedrawWindow(w);
  if (!g.allWindows) return true;
  if (multi) {
    G.MultiXGridLinesDefault = win.MultiXGridLines;
  } else {
    G.XGridLinesDefault = win.XGridLines;
  }
  for (int v = 1; v <= kMaxWindows; ++v) {
    if (v == w) continue;
    WindowRecord& other = Win[v];
    if (multi) {
      other.MultiXGridLines = win.MultiXGridLines;
    } else {
      other.XGridLines = win.XGridLines;
    }
    other.XAxisTitle = win.XAxisTitle;
    if (!SameGridAs(w, v)) continue;
    if (multi) {
      other.MultiXLeft = win.MultiXLeft;
      other.MultiXRight = win.MultiXRight;
      other.MultiFirstEnergy = win.MultiFirstEnergy;
      other.MultiLastEnergy = win.MultiLastEnergy;
      other.MultiXSpan = win.MultiXSpan;
      other.MultiRegionStart = win.MultiRegionStart;
      other.MultiRegionEnd = win.MultiRegionEnd;
    } else {
      other.XAxisLeft = win.XAxisLeft;
      other.XAxisRight = win.XAxisRight;
      other.FirstEnergy = win.FirstEnergy;
      other.LastEnergy = win.LastEnergy;
      other.XAxisSpan = win.XAxisSpan;
      other.RegionStart = win.RegionStart;
      other.RegionEnd = win.RegionEnd;
      other.RegionLength = win.RegionLength;
      other.RegionPartial = win.RegionPartial;
    }
    other.XTickCount = win.XTickCount;
    other.XRangeFixed = 1;
  }
  RedrawOpenWindows();
  return true;
}

// ---- Intensity axis ----

bool StoreIntensityAxis(int w) {
  WindowRecord& win = Win[w];
  const bool waterfall = IsWaterfall(win.WindowKind);
  double bottom = FieldValue(3), top = FieldValue(4);
  if (!std::isfinite(bottom) || !std::isfinite(top) || bottom == top) {
    ShowMessage(kInconsistentInput, w);
    return false;
  }
  if (bottom > top) {
    std::swap(bottom, top);
    plat::SetText(kPage, kField, 3, Num(bottom));
    plat::SetText(kPage, kField, 4, Num(top));
  }
  g.allWindows = Checked("chk2214");
  const bool takeRange = Checked("chk2215");
  win.YAxisTitle = Field(1);
  win.MultiYTitle = Field(1);
  win.ShowYScale = Checked("chk2213") ? 1 : 0;
  win.YTitleFixed = 1;
  // The intensity tick count is stored as typed, for every kind of window.
  win.YTickCount = TickCountField(5, kNoTickLimit);
  if (waterfall) {
    win.MultiYBottom = bottom;
    win.MultiYTop = top;
  } else {
    win.ResidualTitle = Field(2);
    win.YAxisBottom = bottom;
    win.YAxisTop = top;
    win.YAxisSpan = top - bottom;
  }
  win.YRangeFixed = 1;
  const Byte grid = Checked("chk2216") ? 1 : 0;
  if (win.WindowKind == SingleSpectrum) {
    win.YGridLines = grid;
  } else {
    win.MultiYGridLines = grid;
  }
  RedrawWindow(w);
  if (!g.allWindows) return true;
  if (win.WindowKind == SingleSpectrum) {
    G.YGridLinesDefault = win.YGridLines;
  } else {
    G.MultiYGridLinesDefault = win.MultiYGridLines;
  }
  for (int v = 1; v <= kMaxWindows; ++v) {
    if (v == w) continue;
    Win[v].YAxisTitle = win.YAxisTitle;
  }
  for (int v = 1; v <= kMaxWindows; ++v) {
    WindowRecord& other = Win[v];
    if (v == w || !other.WindowOpen) continue;
    if (takeRange && SameGridAs(w, v)) {
      other.YTickCount = win.YTickCount;
      if (waterfall) {
        other.MultiYBottom = win.MultiYBottom;
        other.MultiYTop = win.MultiYTop;
      } else {
        other.YAxisBottom = win.YAxisBottom;
        other.YAxisTop = win.YAxisTop;
        other.YAxisSpan = win.YAxisSpan;
      }
      other.YRangeFixed = 1;
    }
    other.YTitleFixed = win.YTitleFixed;
    other.MultiYTitle = win.MultiYTitle;
    other.ShowYScale = win.ShowYScale;
    other.ResidualTitle = win.ResidualTitle;
    if (other.WindowKind == SingleSpectrum) {
      other.YGridLines = win.YGridLines;
    } else {
      other.MultiYGridLines = win.MultiYGridLines;
    }
    RedrawWindow(v);
  }
  return true;
}

// ---- Axis pages ----

void BuildEnergyAxisPage(int w) {
  const int n = kPage;
  const auto none = plat::kNoIndex;
  const WindowRecord& win = Win[w];
  const bool multi = IsMultiView(win.WindowKind);
  PageLabel(n, "lb2211", none, 1, 0.5, 28, 1.2, G.LabelTexts[159]);
  PageEdit(n, kField, 1, 1, 1.7, 28, 1.1, win.XAxisTitle);
  PageLabel(n, "lb2212", none, 1, 3.2, 15, 1.2, G.LabelTexts[161]);
  PageEdit(n, kField, 2, 17, 3.2, 12, 1.1, Num(multi ? win.MultiXLeft : win.XAxisLeft));
  PageLabel(n, "lb2213", none, 1, 4.7, 15, 1.2, G.LabelTexts[162]);
  PageEdit(n, kField, 3, 17, 4.7, 12, 1.1, Num(multi ? win.MultiXRight : win.XAxisRight));
  PageLabel(n, "lb2214", none, 1, 6.2, 15, 1.2, G.LabelTexts[163]);
  PageEdit(n, kField, 4, 17, 6.2, 12, 1.1, Num(win.XTickCount));
  PageCheck(n, "chk2216", none, 1, 7.7, 28, 1, G.LabelTexts[185], multi ? win.MultiXGridLines : win.XGridLines);
}

void BuildIntensityAxisPage(int w) {
  const int n = kPage;
  const auto none = plat::kNoIndex;
  const WindowRecord& win = Win[w];
  const bool waterfall = IsWaterfall(win.WindowKind);
  PageLabel(n, "lb2211", none, 1, 0.5, 28, 1.2, G.LabelTexts[160]);
  PageEdit(n, kField, 1, 1, 1.7, 28, 1.1, waterfall ? win.MultiYTitle : win.YAxisTitle);
  if (!waterfall) PageEdit(n, kField, 2, 1, 3, 28, 1.1, win.ResidualTitle);
  PageFrame(n, "frm221", none, 1, 4.5, 29, 7.5, G.LabelTexts[204]);
  PageLabel(n, "lb2212", none, 2, 6, 14, 1.2, G.LabelTexts[161]);
  PageEdit(n, kField, 3, 17, 6, 12, 1.1, Num(waterfall ? win.MultiYBottom : win.YAxisBottom));
  PageLabel(n, "lb2213", none, 2, 7.5, 14, 1.2, G.LabelTexts[162]);
  PageEdit(n, kField, 4, 17, 7.5, 12, 1.1, Num(waterfall ? win.MultiYTop : win.YAxisTop));
  PageLabel(n, "lb2214", none, 2, 9, 14, 1.2, G.LabelTexts[163]);
  PageEdit(n, kField, 5, 17, 9, 12, 1.1, Num(win.YTickCount));
  PageCheck(n, "chk2213", none, 2, 10.5, 26, 1, G.LabelTexts[165], win.ShowYScale);
  PageCheck(n, "chk2216", none, 1, 12.5, 28, 1, G.LabelTexts[185],
            win.WindowKind == SingleSpectrum ? win.YGridLines : win.MultiYGridLines);
  PageCheck(n, "chk2215", none, 1, 13.7, 28, 1, G.LabelTexts[205], 0);
}

// The all-windows option and the four buttons of the axis and member pages,
// from row y down.
void BuildCommonControls(int w, double x, double y) {
  const int n = kPage;
  const auto none = plat::kNoIndex;
  const std::string all = Win[w].WindowKind == SingleSpectrum ? G.LabelTexts[166] : G.LabelTexts[209];
  PageCheck(n, "chk2214", none, x, y, 28, 1, WithoutMnemonic(all), g.allWindows ? 1 : 0);
  PageButton(n, "cmd223", none, x, y + 1.4, 13, 1.2, WithoutMnemonic(G.LabelTexts[164]));
  PageButton(n, "cmd224", none, x + 15, y + 1.4, 13, 1.2, WithoutMnemonic(G.LabelTexts[122]));
  PageButton(n, "cmdOk221", none, x, y + 2.9, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
  PageButton(n, "cmdCancel222", none, x + 15, y + 2.9, 13, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
}

// ---- Defaults ----

void MemberDefaults(WindowRecord& win, Byte grid) {
  win.MemberLabelStepFixed = 0;
  win.ShowMemberLabels = 1;
  win.MemberGridLines = grid;
  for (int k = 1; k <= 100; ++k) win.MemberLabel[k] = win.MemberLabelDefault[k];
  win.MemberAxisTitle = G.LabelTexts[150];
}

void EnergyDefaults(WindowRecord& win) {
  win.XAxisTitle = G.EnergyAxisMode == 1 ? G.KineticEnergyTitle : G.BindingEnergyTitle;
  if (IsMultiView(win.WindowKind)) {
    win.MultiRegionStart = 1;
    win.MultiRegionEnd = static_cast<Int16>(std::clamp(win.MultiPointCount, 1.0, double{kMaxPoints}));
  } else if (win.WindowKind == SingleSpectrum) {
    win.RegionStart = 1;
    win.RegionEnd = win.SpectrumHeader.PointCount;
    win.RegionLength = win.SpectrumHeader.PointCount;
    win.RegionPartial = 0;
  }
  win.XRangeFixed = 0;
}

void IntensityDefaults(WindowRecord& win) {
  win.YTitleFixed = 0;
  win.YTickCount = 5;
  win.ShowYScale = 1;
  win.ResidualTitle = "R(E)";
  win.YRangeFixed = 0;
  win.MultiYBottom = win.YAxisBottom;
  win.MultiYTop = win.YAxisTop;
  win.YAxisTitle = win.ImportFormat == TransmissionParameterSpectrum ? G.LabelTexts[130]
                   : G.CpsMode == 1                        ? G.CpsTitle
                                                           : G.CountsTitle;
}

void ApplyDefaults(int w) {
  WindowRecord& win = Win[w];
  const bool all = Checked("chk2214");
  g.allWindows = all;
  const Byte grid = CheckOr("chk2216", win.MemberGridLines);
  for (int v = 1; v <= kMaxWindows; ++v) {
    if (v != w && !(all && Win[v].WindowOpen)) continue;
    WindowRecord& target = Win[v];
    switch (g.mode) {
      case kTextsMemberLabels:
      case kTextsMemberAxis:
        if (v != w && (!SameGridAs(w, v) || target.MemberCount != win.MemberCount)) continue;
        MemberDefaults(target, grid);
        break;
      case kTextsEnergyAxis:
        if (v != w && !SameGridAs(w, v)) continue;
        EnergyDefaults(target);
        break;
      case kTextsIntensityAxis: IntensityDefaults(target); break;
      default: continue;
    }
    if (target.WindowOpen) RedrawWindow(v);
  }
}

// ---- Showing ----

void BuildPage(int w) {
  switch (g.mode) {
    case kTextsMemberLabels: {
      BuildMemberLabelsPage(w);
      int columns = 1, rows = 1;
      CountMemberColumns(std::clamp<int>(Win[w].MemberCount, 0, 99) + 1, columns, rows);
      BuildCommonControls(w, 1, rows + 5.0);
      break;
    }
    case kTextsMemberAxis:
      BuildMemberAxisPage(w);
      BuildCommonControls(w, 1, 10.6);
      break;
    case kTextsEnergyAxis:
      BuildEnergyAxisPage(w);
      BuildCommonControls(w, 1, 8.9);
      break;
    case kTextsIntensityAxis:
      BuildIntensityAxisPage(w);
      BuildCommonControls(w, 1, 14.9);
      break;
    default: BuildLabelPage(w); break;
  }
}

void PageSize(int w, PageSpec& spec) {
  switch (g.mode) {
    case kTextsMemberLabels: {
      int columns = 1, rows = 1;
      CountMemberColumns(std::clamp<int>(Win[w].MemberCount, 0, 99) + 1, columns, rows);
      spec.width = 27 + 28 * (columns - 1);
      spec.height = 11 + rows;
      spec.caption = WithoutMnemonic(G.LabelTexts[152]);
      break;
    }
    case kTextsMemberAxis:
      spec.width = 31;
      spec.height = 15.5;
      spec.caption = WithoutMnemonic(G.LabelTexts[153]);
      break;
    case kTextsEnergyAxis:
      spec.width = 31;
      spec.height = 14.4;
      spec.caption = WithoutMnemonic(G.LabelTexts[157]);
      break;
    case kTextsIntensityAxis:
      spec.width = 31;
      spec.height = 20.5;
      spec.caption = WithoutMnemonic(G.LabelTexts[158]);
      break;
    default:
      spec.width = 31;
      spec.height = 5 + g.fields - 1;
      spec.caption = WithoutMnemonic(G.LabelTexts[g.mode == kTextsTitleLabels ? 179 : 180]);
      break;
  }
}

int TargetWindow() {
  const int w = PageWindow(kPage);
  return IsSpectrumWindow(w) ? w : G.CurrentWindow;
}

}  // namespace

void ShowWindowTextsPage(int w) {
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen || !PageCanOpen(kPage)) return;
  const int mode = G.CommandId;
  if (!IsLabelMode(mode) && !IsMemberMode(mode) && mode != kTextsEnergyAxis && mode != kTextsIntensityAxis)
    return;
  g.mode = mode;
  g.window = w;
  g.labelAdded = false;
  if (IsLabelMode(mode)) {
    const LabelSet set = SetOfMode(mode);
    // A window holds 100 labels of each set: a further one is refused, the
    // ones it has can still be edited.
    if (AddWindowLabel(w, set.title) != 0) {
      g.labelAdded = true;
    } else {
      ShowMessage(kInconsistentInput, w);
    }
    g.fields = std::clamp<int>(set.count(w), 0, 100);
  } else if (G.DialogResult == 0) {
    TakeCancelCopy(w);
  }
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.spectrumWindow = w;
  PageSize(w, spec);
  spec.firstEntry = kField;
  spec.firstEntryIndex = 1;
  if (IsLabelMode(mode) && g.fields == 0) spec.firstEntry.clear();
  RunPage(spec, [w] { BuildPage(w); });
}

bool StoreWindowTexts(int w) {
  if (!IsSpectrumWindow(w)) return false;
  if (G.DialogResult == kCancelAnswer) {
    PutBackCancelCopy(w);
    RedrawWindow(w);
    return true;
  }
  if (IsLabelMode(g.mode)) {
    StoreLabels(w);
    return true;
  }
  if (IsMemberMode(g.mode)) {
    StoreMembers(w);
    return true;
  }
  if (g.mode == kTextsEnergyAxis) return StoreEnergyAxis(w);
  if (g.mode == kTextsIntensityAxis) return StoreIntensityAxis(w);
  return false;
}

void cmdOk221_Click() {
  const int w = TargetWindow();
  if (!StoreWindowTexts(w)) return;  // the page stays open for a correction
  ClosePage(kPage, -1);
}

void cmdCancel222_Click() {
  const int w = TargetWindow();
  if (IsLabelMode(g.mode)) {
    if (g.labelAdded && IsSpectrumWindow(w)) {
      const LabelSet set = SetOfMode(g.mode);
      Int16& count = set.count(w);
      if (count > 0) DeleteLabel(set, w, count);
    }
  } else {
    G.DialogResult = kCancelAnswer;
    StoreWindowTexts(w);
  }
  ClosePage(kPage, 0);
  G.PendingTitleWindow = kNoWindow;
  G.PendingLabelWindow = kNoWindow;
  G.DialogResult = 0;
}

void cmd223_Click() {
  const int w = TargetWindow();
  if (!IsSpectrumWindow(w) || IsLabelMode(g.mode)) return;
  ApplyDefaults(w);
  G.DialogResult = kDefaultsAnswer;
  ClosePage(kPage, -1);
  G.CommandId = static_cast<Int16>(g.mode);
  ShowWindowTextsPage(w);
}

void cmd224_Click() { StoreWindowTexts(TargetWindow()); }

void RegisterWindowTextsPageEvents() {
  RegisterEvent("cmdOk221_Click", [](plat::EventArgs&) { cmdOk221_Click(); });
  RegisterEvent("cmdCancel222_Click", [](plat::EventArgs&) { cmdCancel222_Click(); });
  RegisterEvent("cmd223_Click", [](plat::EventArgs&) { cmd223_Click(); });
  RegisterEvent("cmd224_Click", [](plat::EventArgs&) { cmd224_Click(); });
}

}  // namespace sorvan
