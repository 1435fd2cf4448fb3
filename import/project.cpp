// Projects: saving every open window into a project file with a copy folder
// of the sources, and re-creating the windows from it (see project.h).
#include "import/project.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/auger_list.h"
#include "core/count_rate.h"
#include "core/file_dialogs.h"
#include "core/free_window.h"
#include "core/menu_commands.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/paramset.h"
#include "core/reference_files.h"
#include "core/store.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "fit/chi_square.h"
#include "fiterrors/error_table.h"
#include "import/inf.h"
#include "import/numbered_files.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/menus.h"
#include "platform/text.h"
#include "processing/revert.h"
#include "processing/snapshot.h"
#include "shell/menu_fit.h"
#include "shell/menu_state.h"

namespace sorvan {

namespace {

constexpr int kVersion = 2006;
// A single spectrum whose background recipe follows its rows (for a series
// to repeat); the rest of its record is that of kVersion. A window without
// a recipe is written as before, so older readers keep reading it.
constexpr int kRecipeVersion = 2007;
// A fitted single spectrum: its background recipe (kind 0 when it has none)
// and then the trial count of its fit, as its caption shows it, follow its
// rows. A window without a fit is written as before.
constexpr int kTrialsVersion = 2008;
constexpr int kMaxLabels = 100;
constexpr int kMaxEntries = 100;
constexpr int kMessageNoFreeWindow = 1;
constexpr int kMessageDamaged = 3;
constexpr int kMessageMissing = 8;

// ---------------------------------------------------------------------------
// Number texts

// A blank before a non-negative number, a minus sign before a negative one, a
// point as the decimal separator, whole numbers without a point. Every digit
// that the value needs to read back as the same double is written.
void AppendNumber(std::string& out, double v) {
  if (v == 0 || std::isnan(v)) {
    out += " 0";
    return;
  }
  if (std::isinf(v)) {
    out += v > 0 ? " 1E+308" : "-1E+308";
    return;
  }
  char buffer[400];
  char* begin = buffer;
  if (v > 0) *begin++ = ' ';
  const double a = std::fabs(v);
  const auto format = (a >= 1e-5 && a < 1e15) ? std::chars_format::fixed : std::chars_format::scientific;
  char* end = std::to_chars(begin, buffer + sizeof buffer, v, format).ptr;
  for (char* c = begin; c < end; ++c)
    if (*c == 'e') *c = 'E';
  out.append(buffer, end);
}

std::string Whole(long long v) { return v < 0 ? std::to_string(v) : " " + std::to_string(v); }

// A text value takes one line: line ends inside it would split the record.
std::string TextLine(const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

// ---------------------------------------------------------------------------
// Paths

// The name with `suffix` put before its last point ("x.vms" -> "x_2.vms").
std::string NameWithSuffix(const std::string& name, int n) {
  if (n <= 1) return name;
  const std::string suffix = "_" + std::to_string(n);
  const auto dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return name + suffix;
  return name.substr(0, dot) + suffix + name.substr(dot);
}

// The name a source path gives its copy: the part after its last "\";
// empty when that is no plain file name (it holds a "/", a separator of this
// system, or is "." or "..").
std::string CopyNameOf(const std::string& path) {
  const std::string name = FileNameOfPath(path);
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) return {};
  return name;
}

// The same for a source path read from a project file, which may come from
// someone else and hold any text: empty also when a folder of the path is
// "." or "..", as no saved project holds such a path ("..\x", "a\..\..\x").
std::string StoredCopyNameOf(const std::string& path) {
  const std::string folder = FolderOfPath(path);
  std::size_t start = 0;
  while (start <= folder.size()) {
    std::size_t end = folder.find_first_of("\\/", start);
    if (end == std::string::npos) end = folder.size();
    const std::string part = folder.substr(start, end - start);
    if (part == "." || part == "..") return {};
    start = end + 1;
  }
  return CopyNameOf(path);
}

// The companion value file of a source: the file the INF reader takes its
// values from (the path ending in "ASC" in some letter case); "" when none
// exists.
std::string CompanionOf(const std::string& source) {
  if (source.size() < 3) return {};
  const std::string companion = InfCompanionPath(source);
  return companion != source && plat::FileExists(companion) ? companion : std::string();
}

// The files of a numbered set from `first` onward, while they exist.
std::vector<std::string> NumberedSet(const std::string& first) {
  std::vector<std::string> set;
  std::string path = first;
  while (!path.empty() && plat::FileExists(path) && set.size() < 1000) {
    set.push_back(path);
    path = NumberedFileSuccessor(path);
  }
  return set;
}

// The file before `path` in its numbered set ("x.3" -> "x.2"); "" for none.
std::string NumberedPredecessor(const std::string& path) {
  std::size_t digits = path.size();
  while (digits > 0 && path[digits - 1] >= '0' && path[digits - 1] <= '9') --digits;
  if (digits == path.size() || digits == 0 || path[digits - 1] != '.') return {};
  const long long n = std::atoll(path.substr(digits).c_str());
  if (n <= 1) return {};
  return path.substr(0, digits) + std::to_string(n - 1);
}

// ---------------------------------------------------------------------------
// The copies of the sources

// A save over a project is crash-safe without anything to repair: the new
// copies take names that nothing in the copy folder has, the new project
// file is renamed over the old one last, and only then are the copies that
// only the old file named removed. Killed at any moment, the folder holds the
// old project file with all its copies, or the new one with all of its own.
// Before the first new copy takes its name, the names that such a kill could
// leave unused (the new copies, the copies to be removed) are listed in this
// file in the copy folder; the next save removes those that its project file
// does not name, and the temporary files the killed save left.
constexpr const char* kUnfinishedSave = ".unfinished-save";

// Which source goes to which name in the copy folder. Two windows read from
// one file share one copy; files of the same name from different folders get
// names of their own. A copy never takes the name of anything that lies in
// the copy folder already (a copy the old project file names, a link, a
// file of the user's): until the new project file is in place, the old one
// must find its copies as they were.
class CopyPlan {
 public:
  explicit CopyPlan(std::string folder) : folder_(std::move(folder)) {
    for (const std::string& name : plat::FolderEntries(folder_)) taken_.emplace(plat::LowerCase(name), std::string());
    taken_.emplace(plat::LowerCase(kUnfinishedSave), std::string());
  }

  const std::string& Folder() const { return folder_; }

  // A file that already lies in the copy folder keeps its name.
  void Keep(const std::string& path) {
    if (FolderOfPath(path) != folder_) return;
    taken_[plat::LowerCase(FileNameOfPath(path))] = path;
    target_[path] = path;
  }

  // Plans the copies of `group` (a source with its companion or the rest of
  // its set) under one common suffix; returns the targets in group order.
  std::vector<std::string> Place(const std::vector<std::string>& group) {
    for (const std::string& path : group)
      if (target_.count(path) == 0) Keep(path);
    for (int n = 1;; ++n) {
      bool free = true;
      for (const std::string& path : group) {
        if (target_.count(path) != 0) continue;
        const auto taken = taken_.find(plat::LowerCase(NameWithSuffix(FileNameOfPath(path), n)));
        if (taken != taken_.end() && taken->second != path) free = false;
      }
      if (!free) continue;
      std::vector<std::string> targets;
      for (const std::string& path : group) {
        if (target_.count(path) == 0) {
          const std::string name = NameWithSuffix(FileNameOfPath(path), n);
          taken_[plat::LowerCase(name)] = path;
          target_[path] = folder_ + "\\" + name;
        }
        targets.push_back(target_[path]);
      }
      return targets;
    }
  }

  // Copies every planned file that does not lie there yet into a temporary
  // file beside its place; `files` puts them in place. Returns their places.
  std::vector<std::string> StageCopies(plat::FileReplacement& files) const {
    std::vector<std::string> placed;
    for (const auto& [from, to] : target_)
      if (from != to) {
        files.Copy(from, to);
        placed.push_back(to);
      }
    return placed;
  }

  // The names of every file in the copy folder that the new project uses.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& [from, to] : target_) names.insert(FileNameOfPath(to));
    return names;
  }

 private:
  std::string folder_;
  std::map<std::string, std::string> taken_;   // lower-case name -> source
  std::map<std::string, std::string> target_;  // source -> copy
};

// What saving does to a window's source: its new path, and for a numbered
// set the new path of the file the set was chosen by.
struct NewSource {
  bool copied = false;
  std::string path;
  std::string dialogName;
};

// ---------------------------------------------------------------------------
// Writing

// The bytes of the project file, built up line by line. Text rows take the
// file form of their line (Windows-1252 where it reads back unchanged, else
// UTF-8); number rows are ASCII.
class Lines {
 public:
  void Text(const std::string& t) {
    text_ += plat::FileBytesOfLine(TextLine(t));
    text_ += "\r\n";
  }
  void Num(double v) {
    AppendNumber(text_, v);
    text_ += "\r\n";
  }
  void Int(long long v) {
    text_ += Whole(v);
    text_ += "\r\n";
  }
  const std::string& Bytes() const { return text_; }

 private:
  std::string text_;
};

double Cell(const CheckedMatrix<double>& m, long long r, long long c) {
  if (r < 0 || c < 0 || r > m.RowUpper() || c > m.ColUpper()) return 0;
  return m(r, c);
}

void WriteLabels(Lines& out, int w, bool convert) {
  const WindowRecord& win = Win[w];
  const double hv = win.SpectrumHeader.ExcitationEnergy;
  const double f = CountsPerSecondDivisor(win.SpectrumHeader);
  auto x = [&](double v) { return convert && G.EnergyAxisMode == 1 ? hv - v : v; };
  auto y = [&](double v) { return convert && G.CpsMode == 0 ? v / f : v; };
  const int na = std::clamp<int>(win.AnnotationCount, 0, kMaxLabels);
  out.Int(na);
  for (int k = 1; k <= na; ++k) {
    const LabelRecord& l = Labels[LabelIndex(w, k)];
    out.Text(l.AnnotationText);
    out.Num(x(l.AnnotationX));
    out.Num(y(l.AnnotationY));
  }
  const int nt = std::clamp<int>(win.TitleLabelCount, 0, kMaxLabels);
  out.Int(nt);
  for (int k = 1; k <= nt; ++k) {
    const LabelRecord& l = Labels[LabelIndex(w, k)];
    out.Text(l.TitleLabelText);
    out.Num(x(l.TitleLabelX));
    out.Num(y(l.TitleLabelY));
  }
}

struct PeakRows {
  using Grid = double[kMaxPeaks + 1][kPeakParameters + 1];  // [peak][entry], from 1
  Grid value = {}, lower = {}, upper = {};
};

// The peak table in the file's form: absolute values, binding energies,
// heights per second.
PeakRows PeakTableForFile(int w) {
  const WindowRecord& win = Win[w];
  const int P = HeldPeakCount(w);
  const double f = CountsPerSecondDivisor(win.SpectrumHeader);
  const double hv = win.SpectrumHeader.ExcitationEnergy;
  PeakRows t;
  for (int p = 1; p <= P; ++p)
    for (int j = 1; j <= kPeakParameters; ++j) {
      t.value[p][j] = win.ParameterValue[p][j];
      t.lower[p][j] = win.ParameterLower[p][j];
      t.upper[p][j] = win.ParameterUpper[p][j];
    }
  auto scale = [&](int p, int j, double r) {
    t.value[p][j] *= r;
    t.lower[p][j] *= r;
    t.upper[p][j] *= r;
  };
  auto shift = [&](int p, int j, double d) {
    t.value[p][j] += d;
    t.lower[p][j] += d;
    t.upper[p][j] += d;
  };
  const bool counts = G.CpsMode == 0;
  if (win.RelativeMode == 1) {
    if (counts) scale(1, 1, 1 / f);
    // Peak 1's partner from its ratios and distance.
    for (int j : {2, 4, 8, 10}) scale(1, j, t.value[1][j - 1]);
    shift(1, 6, t.value[1][5]);
    const PeakRows table = t;  // peak 1 absolute, peaks 2..P still relative
    for (int p = 2; p <= P; ++p) {
      for (int j : {1, 3, 7, 9}) scale(p, j, t.value[1][j]);
      for (int j : {2, 4, 8, 10}) scale(p, j, table.value[p][j - 1] * t.value[1][j - 1]);
      shift(p, 5, t.value[1][5]);
      shift(p, 6, table.value[p][5] + t.value[1][5]);
    }
  } else if (counts) {
    for (int p = 1; p <= P; ++p)
      for (int j : {1, 2}) scale(p, j, 1 / f);
  }
  if (G.EnergyAxisMode == 1) {
    for (int p = 1; p <= P; ++p)
      for (int j : {5, 6}) {
        const double lower = t.lower[p][j], upper = t.upper[p][j];
        t.value[p][j] = hv - t.value[p][j];
        t.lower[p][j] = hv - upper;
        t.upper[p][j] = hv - lower;
      }
  }
  return t;
}

void WriteSingleSpectrum(Lines& out, int w, const std::string& source) {
  const WindowRecord& win = Win[w];
  const SpectrumHeaderRecord& h = win.SpectrumHeader;
  const double f = CountsPerSecondDivisor(h);
  const int N = std::max<int>(h.PointCount, 0);
  const int P = HeldPeakCount(w);
  // Errors are kept with the fit they belong to.
  const bool errors = win.ErrorTableValid == 1 && win.HasFit != 0;

  WriteLabels(out, w, true);
  out.Int(win.SourceSpectrumIndex);
  out.Num(win.EnergyShift + G.GlobalEnergyOffset);
  out.Int(win.BackgroundState + 10 * (errors ? 1 : 0));
  out.Int(win.SatelliteState);
  out.Int(win.RegionPartial);
  out.Int(win.DerivativeCount);
  out.Int(win.SpectrumNegated);
  out.Int(win.SmoothCount);
  out.Int(win.ScaleMode);
  out.Int(win.ArithmeticDone);
  out.Int(win.PeakModel);
  out.Int(win.RelativeMode);
  out.Int(win.HasFit);
  out.Int(win.ParamSetLoaded);
  out.Int(win.PeakCount);
  out.Text(win.PeakType);
  out.Int(std::clamp<int>(win.AnnotationCount, 0, kMaxLabels));
  out.Num(win.IntegratedArea[1]);
  out.Int(win.RegionStart);
  out.Int(win.RegionEnd);
  out.Text(source);
  out.Text(win.SourceBlockList);
  out.Int(win.ImportFormat);
  out.Text(h.Name);
  out.Text(h.ShortName);
  out.Int(h.PointCount);
  out.Num(h.StartEnergy);
  out.Num(h.EndEnergy);
  out.Num(h.EnergyStep);
  out.Num(h.PassEnergy);
  out.Num(h.ExcitationEnergy);
  out.Num(h.ScanCount);
  out.Num(h.DwellTime);
  out.Text(h.Technique);
  out.Text(h.Comment);
  out.Text(h.Date);
  out.Text(h.SourceInfo);
  const double toCounts = G.CpsMode == 1 ? f : 1.0;
  for (int c = 1; c <= 2; ++c)
    for (int i = 1; i <= N; ++i) out.Num(Cell(SlotData[w], i, c) * toCounts);

  if (win.HasFit != 0) {
    out.Text(win.PeakType);
    out.Int(100 * win.BackgroundState + P);
    const PeakRows t = PeakTableForFile(w);
    for (int p = 1; p <= P; ++p)
      for (int j = 1; j <= kPeakParameters; ++j) {
        out.Num(t.lower[p][j]);
        out.Num(t.upper[p][j]);
        out.Num(t.value[p][j]);
        out.Int(win.ParameterState[p][j]);
      }
  }
  if (win.BackgroundState == BackgroundFitted) {
    for (int i = 1; i <= kBackgroundTerms; ++i) {
      const double v = win.BackgroundTermValue[i];
      out.Num(i <= 4 && G.CpsMode == 0 ? v / f : v);
      out.Int(win.BackgroundTermFixed[i] ? -1 : 0);
    }
  }
  if (errors) {
    out.Int(G.CpsMode);
    out.Int(win.ErrorMethod);
    out.Int(win.ErrorsInPercent);
    const int entries = 10 * P + (win.BackgroundState == BackgroundFitted ? 6 : 0);
    for (int k = 1; k <= entries; ++k) out.Num(Cell(win.ParamErrors, k, k));
    for (int p = 1; p <= P; ++p) {
      out.Num(win.AreaError[p]);
      out.Num(win.PartnerAreaError[p]);
      out.Num(win.AreaShareError[p]);
      out.Num(win.PartnerShareError[p]);
    }
    out.Num(win.TotalArea);
    for (int k = 1; k <= P + 6; ++k)
      for (int l = 1; l <= P + 6; ++l) out.Num(Cell(win.HessianMatrix, k, l));
  }
  // The background recipe (a window with one is written as kRecipeVersion,
  // a fitted window as kTrialsVersion, with or without one).
  const BackgroundRecipeRecord& b = win.BackgroundRecipe;
  const bool trials = win.HasFit != 0;
  if (b.Kind != 0 || trials) {
    out.Int(b.Kind);
    out.Int(b.Start);
    out.Int(b.End);
    out.Int(b.ShirleyPasses);
    out.Num(b.TougaardC);
    out.Int(b.SmoothBefore);
  }
  if (trials) out.Num(win.FitTrialCount);
}

void WriteChemicalStatePlot(Lines& out, int w) {
  const WindowRecord& win = Win[w];
  WriteLabels(out, w, false);
  const int m = std::clamp<int>(static_cast<int>(win.ChemStatePointCount), 0, kMaxEntries);
  out.Num(m);
  out.Text(win.ChemStateListName);
  for (int k = 1; k <= m; ++k) out.Text(win.ChemStateEntries[k]);
}

void WriteMultiSpectrum(Lines& out, int w, const std::string& source) {
  const WindowRecord& win = Win[w];
  const double f = CountsPerSecondDivisor(win.MultiScanCount, win.MultiDwellTime);
  const double toCounts = G.CpsMode == 1 ? f : 1.0;
  out.Text(source);
  WriteLabels(out, w, false);
  out.Num(win.MultiEnergyShift + G.MultiViewEnergyOffset);
  out.Int(win.MultiRegionStart);
  out.Int(win.MultiRegionEnd);
  out.Text(win.MultiSourcePath);
  out.Num(win.MultiPointCount);
  out.Num(win.MultiStartEnergy);
  out.Num(win.MultiEndEnergy);
  out.Num(win.MultiEnergyStep);
  out.Num(win.MultiPassEnergy);
  out.Num(win.MultiExcitationEnergy);
  out.Num(win.MultiScanCount);
  out.Num(win.MultiDwellTime);
  out.Text(win.MultiTechnique);
  out.Text(win.MultiComment);
  out.Text(win.MultiDate);
  out.Text(win.MultiSourceInfo);
  out.Num(win.MultiFirstEnergy);
  out.Num(win.MultiXLeft);
  out.Num(win.MultiLastEnergy);
  out.Num(win.MultiXRight);
  out.Num(win.MultiYTop * toCounts);
  out.Num(win.MultiYBottom * toCounts);
  out.Num(win.MultiXSpan);
  out.Text(win.MemberAxisTitle);
  const int M = std::clamp<int>(win.MemberCount, 0, kMaxWindows);
  out.Int(M);
  for (int k = 1; k <= M; ++k) {
    out.Text(win.MemberName[k]);
    out.Text(win.MemberLabel[k]);
    // Member k is component column k of the window.
    for (int i = win.MultiRegionStart; i <= win.MultiRegionEnd; ++i)
      out.Num(Cell(SlotComponents[w], i, k) * toCounts);
  }
}

// Plans the copy of window w's source (with its companion, or the rest of a
// numbered set). False when the window has no source file to copy.
bool PlanSource(int w, CopyPlan& plan, NewSource& result) {
  const WindowRecord& win = Win[w];
  const std::string& source = win.SourcePath;
  if (CopyNameOf(source).empty() || !plat::FileExists(source)) return false;
  std::vector<std::string> group{source};
  const bool numbered =
      FormatOfCode(win.ImportFormat) == NumberedRegionFiles && win.WindowKind == SingleSpectrum;
  if (numbered && !win.SourceDialogName.empty()) {
    for (const std::string& member : NumberedSet(win.SourceDialogName))
      if (member != source) group.push_back(member);
  }
  const std::string companion = CompanionOf(source);
  if (!companion.empty()) group.push_back(companion);
  const std::vector<std::string> targets = plan.Place(group);
  result.copied = true;
  result.path = targets[0];
  result.dialogName = win.SourceDialogName;
  if (numbered) {
    const auto at = std::find(group.begin(), group.end(), win.SourceDialogName);
    if (at != group.end()) result.dialogName = targets[static_cast<std::size_t>(at - group.begin())];
  }
  return true;
}

// ---------------------------------------------------------------------------
// Reading

struct Damaged {};

// The number of a number row: the first field of the line (up to a comma)
// by the program's text-to-number rule. The plain decimal numbers that a
// save writes are converted directly; anything else takes the general rule.
double NumberOfField(std::string_view line) {
  const std::size_t comma = line.find(',');
  if (comma != std::string_view::npos) line = line.substr(0, comma);
  std::size_t i = 0;
  while (i < line.size() && line[i] == ' ') ++i;
  const char* begin = line.data() + i;
  const char* end = line.data() + line.size();
  const char* digit = begin < end && *begin == '-' ? begin + 1 : begin;
  if (digit < end && ((*digit >= '0' && *digit <= '9') || *digit == '.')) {
    double v = 0;
    const auto r = std::from_chars(begin, end, v);
    if (r.ec == std::errc() && r.ptr == end) return v;
  }
  return plat::TextToNumber(std::string(line));
}

// The rows of a project file, one line each.
class Rows {
 public:
  explicit Rows(plat::LineReader& file) : file_(file) {}
  std::string_view Line() {
    std::string_view line;
    if (!file_.Next(line)) throw Damaged{};
    return line;
  }
  // A text row as a program text: UTF-8 as it is, any other line as Windows-1252.
  std::string Text() { return plat::TextOfFileBytes(Line()); }
  double Num() { return NumberOfField(Line()); }
  long long Int() {
    const double v = Num();
    if (!std::isfinite(v) || std::fabs(v) > 1e9) throw Damaged{};
    return plat::RoundHalfEven(v);
  }
  // A whole number that must lie in lo..hi.
  long long Int(long long lo, long long hi) {
    const long long v = Int();
    if (v < lo || v > hi) throw Damaged{};
    return v;
  }
  // Passes over `count` rows whose contents the first reading does not need.
  void Skip(long long count) {
    for (long long k = 0; k < count; ++k) Line();
  }
  std::uint64_t Offset() const { return file_.Offset(); }
  bool AtEnd() { return file_.AtEnd(); }

 private:
  plat::LineReader& file_;
};

struct LabelRow {
  std::string text;
  double x = 0, y = 0;
};

struct LabelSets {
  std::vector<LabelRow> annotations, titles;
};

LabelSets ReadLabels(Rows& in, bool titles) {
  LabelSets s;
  auto read = [&](std::vector<LabelRow>& set) {
    const long long n = in.Int(0, kMaxLabels);
    for (long long k = 0; k < n; ++k) {
      LabelRow l;
      l.text = in.Text();
      l.x = in.Num();
      l.y = in.Num();
      set.push_back(l);
    }
  };
  read(s.annotations);
  if (titles) read(s.titles);
  return s;
}

struct SingleRecord {
  LabelSets labels;
  int sourceIndex = 0;
  double energyTotal = 0;
  int backgroundState = 0;
  bool errorsValid = false;
  int satellite = 0, regionPartial = 0, derivatives = 0, negated = 0, smooth = 0, scale = 0,
      arithmetic = 0;
  int peakModel = 0, relative = 0, hasFit = 0, paramSetLoaded = 0, peakCount = 0;
  std::string peakType;
  int annotationCount = 0;
  double integratedArea = 0;
  int regionStart = 0, regionEnd = 0;
  std::string sourcePath, blockList;
  int importFormat = 0;
  SpectrumHeaderRecord header;
  std::uint64_t columnsAt = 0;  // where row 42 begins in the file
  // Fit rows
  std::string fitPeakType;
  int fitPeaks = 0;
  PeakRows table;
  int states[kMaxPeaks + 1][kPeakParameters + 1] = {};
  std::array<double, kBackgroundTerms + 1> terms{};
  std::array<bool, kBackgroundTerms + 1> termFixed{};
  // Error rows
  int errorUnit = 0, errorMethod = 0, errorsInPercent = 0;
  std::vector<double> diagonal, areaErrors, hessian;
  double totalArea = 0;
  BackgroundRecipeRecord recipe;
  // The trial count of the fit (files that hold it).
  bool hasTrials = false;
  double trials = 0;
};

SingleRecord ReadSingleSpectrum(Rows& in, bool titles, bool recipe, bool trials) {
  SingleRecord r;
  r.labels = ReadLabels(in, titles);
  r.sourceIndex = static_cast<int>(in.Int(0, kMaxHeaderIndex));
  r.energyTotal = in.Num();
  const long long state = in.Int(0, 15);
  if (state > 5 && state < 10) throw Damaged{};
  r.errorsValid = state >= 10;
  r.backgroundState = static_cast<int>(state % 10);
  r.satellite = static_cast<int>(in.Int(0, 255));
  r.regionPartial = static_cast<int>(in.Int(0, 255));
  r.derivatives = static_cast<int>(in.Int(0, 255));
  r.negated = static_cast<int>(in.Int(0, 255));
  r.smooth = static_cast<int>(in.Int(0, 255));
  r.scale = static_cast<int>(in.Int(0, 255));
  r.arithmetic = static_cast<int>(in.Int(0, 255));
  r.peakModel = static_cast<int>(in.Int());
  r.relative = static_cast<int>(in.Int());
  r.hasFit = static_cast<int>(in.Int(0, 255));
  r.paramSetLoaded = static_cast<int>(in.Int(0, 255));
  r.peakCount = static_cast<int>(in.Int());
  r.peakType = in.Text();
  r.annotationCount = static_cast<int>(in.Int(0, kMaxLabels));
  r.integratedArea = in.Num();
  SpectrumHeaderRecord& h = r.header;
  r.regionStart = static_cast<int>(in.Int());
  r.regionEnd = static_cast<int>(in.Int());
  r.sourcePath = in.Text();
  // A source that would be looked for outside the copy folder.
  if (!r.sourcePath.empty() && StoredCopyNameOf(r.sourcePath).empty()) throw Damaged{};
  r.blockList = in.Text();
  r.importFormat = static_cast<int>(in.Int(0, 29));
  h.Name = in.Text();
  h.ShortName = in.Text();
  const int N = static_cast<int>(in.Int(1, kMaxPoints));
  h.PointCount = static_cast<Int16>(N);
  if (r.regionStart < 1 || r.regionEnd > N || r.regionStart > r.regionEnd) throw Damaged{};
  h.StartEnergy = in.Num();
  h.EndEnergy = in.Num();
  h.EnergyStep = in.Num();
  h.PassEnergy = in.Num();
  h.ExcitationEnergy = in.Num();
  h.ScanCount = in.Num();
  h.DwellTime = in.Num();
  h.Technique = in.Text();
  h.Comment = in.Text();
  h.Date = in.Text();
  h.SourceInfo = in.Text();
  // The columns are converted only when the window is made (a large project
  // would otherwise be held twice): here their place in the file is kept.
  r.columnsAt = in.Offset();
  in.Skip(2LL * N);

  int P = 0;
  if (r.hasFit != 0) {
    if (r.peakModel < 0 || r.peakModel > 1 || r.relative < 0 || r.relative > 1) throw Damaged{};
    r.fitPeakType = in.Text();
    const long long x = in.Int(0, 1e9);
    P = static_cast<int>(x % 100);
    if (P < 1 || P > kMaxPeaks) throw Damaged{};
    r.fitPeaks = P;
    for (int p = 1; p <= P; ++p)
      for (int j = 1; j <= kPeakParameters; ++j) {
        r.table.lower[p][j] = in.Num();
        r.table.upper[p][j] = in.Num();
        r.table.value[p][j] = in.Num();
        r.states[p][j] = static_cast<int>(in.Int(0, 2));
      }
  }
  if (r.backgroundState == 4) {
    for (int i = 1; i <= kBackgroundTerms; ++i) {
      r.terms[i] = in.Num();
      r.termFixed[i] = in.Num() != 0;
    }
  }
  if (r.errorsValid) {
    // Errors belong to a fit: without one the rows cannot be counted.
    if (r.hasFit == 0) throw Damaged{};
    r.errorUnit = static_cast<int>(in.Int(0, 1));
    r.errorMethod = static_cast<int>(in.Int(0, 255));
    r.errorsInPercent = static_cast<int>(in.Int(0, 255));
    const int entries = 10 * P + (r.backgroundState == 4 ? 6 : 0);
    for (int k = 0; k < entries; ++k) r.diagonal.push_back(in.Num());
    for (int k = 0; k < 4 * P; ++k) r.areaErrors.push_back(in.Num());
    r.totalArea = in.Num();
    for (int k = 0; k < (P + 6) * (P + 6); ++k) r.hessian.push_back(in.Num());
  }
  if (recipe) {
    BackgroundRecipeRecord& b = r.recipe;
    b.Kind = static_cast<Byte>(in.Int(0, BackgroundKindFitted));
    b.Start = static_cast<Int16>(in.Int(0, N));
    b.End = static_cast<Int16>(in.Int(0, N));
    b.ShirleyPasses = static_cast<Int16>(in.Int(0, 32767));
    b.TougaardC = in.Num();
    b.SmoothBefore = static_cast<Byte>(in.Int(0, 255));
  }
  if (trials) {
    const double count = in.Num();
    if (!(count >= 0) || !std::isfinite(count)) throw Damaged{};
    r.trials = count;
    r.hasTrials = true;
  }
  return r;
}

struct ChemicalRecord {
  LabelSets labels;
  int count = 0;
  std::string listName;
  std::vector<std::string> entries;
};

ChemicalRecord ReadChemicalStatePlot(Rows& in, bool titles) {
  ChemicalRecord r;
  r.labels = ReadLabels(in, titles);
  r.count = static_cast<int>(in.Int(0, kMaxEntries));
  r.listName = in.Text();
  for (int k = 0; k < r.count; ++k) r.entries.push_back(in.Text());
  return r;
}

struct MultiRecord {
  std::string sourcePath;
  LabelSets labels;
  double energyTotal = 0;
  int regionStart = 0, regionEnd = 0;
  std::string multiSource;
  double pointCount = 0, startEnergy = 0, endEnergy = 0, energyStep = 0, passEnergy = 0,
         excitation = 0, scans = 0, dwell = 0;
  std::string technique, comment, date, sourceInfo;
  double firstEnergy = 0, xLeft = 0, lastEnergy = 0, xRight = 0, yTop = 0, yBottom = 0, xSpan = 0;
  std::string memberAxisTitle;
  std::vector<std::string> names, labelsOfMembers;
  std::vector<std::vector<double>> curves;
};

MultiRecord ReadMultiSpectrum(Rows& in, bool titles) {
  MultiRecord r;
  r.sourcePath = in.Text();
  r.labels = ReadLabels(in, titles);
  r.energyTotal = in.Num();
  r.regionStart = static_cast<int>(in.Int());
  r.regionEnd = static_cast<int>(in.Int());
  r.multiSource = in.Text();
  r.pointCount = static_cast<double>(in.Int(1, kMaxPoints));
  if (r.regionStart < 1 || r.regionEnd > r.pointCount || r.regionStart > r.regionEnd)
    throw Damaged{};
  r.startEnergy = in.Num();
  r.endEnergy = in.Num();
  r.energyStep = in.Num();
  r.passEnergy = in.Num();
  r.excitation = in.Num();
  r.scans = in.Num();
  r.dwell = in.Num();
  r.technique = in.Text();
  r.comment = in.Text();
  r.date = in.Text();
  r.sourceInfo = in.Text();
  r.firstEnergy = in.Num();
  r.xLeft = in.Num();
  r.lastEnergy = in.Num();
  r.xRight = in.Num();
  r.yTop = in.Num();
  r.yBottom = in.Num();
  r.xSpan = in.Num();
  r.memberAxisTitle = in.Text();
  const int M = static_cast<int>(in.Int(1, kMaxWindows));
  for (int k = 0; k < M; ++k) {
    r.names.push_back(in.Text());
    r.labelsOfMembers.push_back(in.Text());
    std::vector<double> curve;
    for (int i = r.regionStart; i <= r.regionEnd; ++i) curve.push_back(in.Num());
    r.curves.push_back(std::move(curve));
  }
  return r;
}

struct WindowEntry {
  int kind = 0;
  SingleRecord single;
  ChemicalRecord chemical;
  MultiRecord multi;
};

// The whole file, checked; throws Damaged. A project holds at least one
// window, and its records end exactly where the file ends: a count lowered
// by one would otherwise leave a window unread, to be lost at the next save.
std::vector<WindowEntry> ReadProjectFile(plat::LineReader& file) {
  Rows in(file);
  const long long count = in.Int(1, kMaxWindows);
  std::vector<WindowEntry> windows;
  for (long long c = 0; c < count; ++c) {
    const std::string kindLine = in.Text();
    const double kind = plat::TextToNumber(plat::Left(kindLine, 2));
    const double version = plat::TextToNumber(plat::Mid(kindLine, 3, 5));
    if (kind != std::floor(kind) || kind < 0 || kind > 5) throw Damaged{};
    const bool trials = version == kTrialsVersion;
    const bool recipe = version == kRecipeVersion || trials;
    const bool titles = version == kVersion || recipe;
    if (recipe && kind != 0) throw Damaged{};
    WindowEntry e;
    e.kind = static_cast<int>(kind);
    if (e.kind == 0) {
      e.single = ReadSingleSpectrum(in, titles, recipe, trials);
    } else if (e.kind == 1) {
      e.chemical = ReadChemicalStatePlot(in, titles);
    } else {
      e.multi = ReadMultiSpectrum(in, titles);
    }
    windows.push_back(std::move(e));
  }
  if (!in.AtEnd()) throw Damaged{};
  return windows;
}

// The source a loaded window reads: in the copy folder beside the project
// file where that now lies; "" for a stored path that names no plain file
// (see StoredCopyNameOf).
std::string RepointedSource(const std::string& saved, const std::string& copyFolder) {
  const std::string name = StoredCopyNameOf(saved);
  return name.empty() ? std::string() : copyFolder + "\\" + name;
}

// The first file of the numbered set that `path` belongs to, as far as the
// copy folder holds it.
std::string FirstOfNumberedSet(const std::string& path) {
  std::string first = path;
  while (true) {
    // The file before is numbered with the width of this one (x.010 ->
    // x.009) or without leading zeros (x.10 -> x.9), whichever exists.
    const std::string unpadded = NumberedPredecessor(first);
    if (unpadded.empty()) return first;
    const std::string padded = NumberedFilePredecessor(first);
    if (plat::FileExists(padded)) {
      first = padded;
    } else if (plat::FileExists(unpadded)) {
      first = unpadded;
    } else {
      return first;
    }
  }
}

// ---------------------------------------------------------------------------
// The copy folder on the disk

// A copy folder must be a plain folder, or not be there yet. A link (to a
// folder elsewhere, to a file, to nothing) or anything else in its place is
// refused: nothing is read through it and nothing written into it.
bool CopyFolderUsable(const std::string& copyFolder) {
  const plat::EntryKind kind = plat::KindOfEntry(copyFolder);
  return kind == plat::EntryKind::None || kind == plat::EntryKind::Folder;
}

// Message 3 naming a copy folder that is not a plain folder.
void ShowCopyFolderRefused(const std::string& copyFolder) {
  G.CommandId = kMessageDamaged;
  ShowMessageNaming(kMessageDamaged, G.CurrentWindow, copyFolder);
}

// The names of the files in the copy folder that the project file at `path`
// uses: each single spectrum's source with its companion and the rest of its
// numbered set (none when there is no file yet). False when the file cannot
// be read as a project: what it uses is then not known.
bool CopiesNamedBy(const std::string& path, const std::string& copyFolder, std::set<std::string>& names) {
  if (plat::KindOfEntry(path) == plat::EntryKind::None) return true;
  std::vector<WindowEntry> windows;
  try {
    plat::LineReader file(path);
    windows = ReadProjectFile(file);
  } catch (const Damaged&) {
    return false;
  } catch (const plat::FileError&) {
    return false;
  }
  for (const WindowEntry& e : windows) {
    if (e.kind != 0) continue;
    const std::string source = RepointedSource(e.single.sourcePath, copyFolder);
    if (source.empty()) continue;
    std::vector<std::string> files{source};
    if (FormatOfCode(e.single.importFormat) == NumberedRegionFiles)
      for (const std::string& member : NumberedSet(FirstOfNumberedSet(source))) files.push_back(member);
    const std::string companion = CompanionOf(source);
    if (!companion.empty()) files.push_back(companion);
    for (const std::string& file : files)
      if (FolderOfPath(file) == copyFolder) names.insert(FileNameOfPath(file));
  }
  return true;
}

// The names an unfinished save listed (none when it finished).
std::set<std::string> UnfinishedSaveNames(const std::string& copyFolder) {
  std::set<std::string> names;
  const std::string record = copyFolder + "\\" + kUnfinishedSave;
  if (plat::KindOfEntry(record) != plat::EntryKind::File) return names;
  std::string text;
  try {
    text = plat::ReadWholeTextFile(record);
  } catch (const plat::FileError&) {
    return names;
  }
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string name = text.substr(start, end - start);
    if (CopyNameOf(name) == name && name != kUnfinishedSave) names.insert(name);
    start = end + 1;
  }
  return names;
}

// Removes files of the copy folder by name (links as links, never a folder)
// and makes the removals durable. A removal that fails leaves the file.
void RemoveCopies(const std::string& copyFolder, const std::set<std::string>& names) {
  if (names.empty()) return;
  for (const std::string& name : names) plat::RemoveFile(copyFolder + "\\" + name);
  try {
    plat::SyncFolder(copyFolder);
  } catch (const plat::FileError&) {
    // Removed, if not yet for certain on the disk: nothing names them.
  }
}

// What a save that was killed left in the copy folder and beside the project
// file: its temporary files, and the names it listed that the project file
// (`named`, when known) does not use.
void RemoveWhatAKilledSaveLeft(const std::string& path, const std::string& copyFolder,
                               const std::set<std::string>& named, bool namedKnown) {
  const std::string projectFolder = FolderOfPath(path);
  plat::RemoveLeftoverTemporaries(projectFolder.empty() ? "." : projectFolder, FileNameOfPath(path));
  if (!plat::FolderExists(copyFolder)) return;
  plat::RemoveLeftoverTemporaries(copyFolder);
  const std::set<std::string> listed = UnfinishedSaveNames(copyFolder);
  if (!namedKnown) return;  // kept until a project file tells which are used
  std::set<std::string> unused;
  for (const std::string& name : listed)
    if (named.count(name) == 0) unused.insert(name);
  RemoveCopies(copyFolder, unused);
  if (plat::KindOfEntry(copyFolder + "\\" + kUnfinishedSave) != plat::EntryKind::None)
    RemoveCopies(copyFolder, {kUnfinishedSave});
}

// ---------------------------------------------------------------------------
// Re-creating the windows

void StoreLabels(int w, const LabelSets& s, bool convert) {
  WindowRecord& win = Win[w];
  const double hv = win.SpectrumHeader.ExcitationEnergy;
  const double f = CountsPerSecondDivisor(win.SpectrumHeader);
  for (int k = 1; k <= kMaxLabels; ++k) {
    LabelRecord& l = Labels[LabelIndex(w, k)];
    l = LabelRecord{};
    if (k <= static_cast<int>(s.annotations.size())) {
      const LabelRow& a = s.annotations[static_cast<std::size_t>(k - 1)];
      l.AnnotationText = a.text;
      l.AnnotationX = a.x;
      l.AnnotationY = a.y;
    }
    if (k <= static_cast<int>(s.titles.size())) {
      const LabelRow& t = s.titles[static_cast<std::size_t>(k - 1)];
      l.TitleLabelText = t.text;
      l.TitleLabelX = t.x;
      l.TitleLabelY = t.y;
    }
    if (convert) {
      if (G.EnergyAxisMode == 1) {
        l.AnnotationX = hv - l.AnnotationX;
        l.TitleLabelX = hv - l.TitleLabelX;
      }
      if (G.CpsMode == 0) {
        l.AnnotationY *= f;
        l.TitleLabelY *= f;
      }
    }
  }
  win.AnnotationCount = static_cast<Int16>(s.annotations.size());
  win.TitleLabelCount = static_cast<Int16>(s.titles.size());
}

// The file's absolute peak table into window w's table in the display
// units, in the window's peak mode.
void ConvertPeakTable(int w, const SingleRecord& r) {
  WindowRecord& win = Win[w];
  const int P = r.fitPeaks;
  const double f = CountsPerSecondDivisor(win.SpectrumHeader);
  const double hv = win.SpectrumHeader.ExcitationEnergy;
  auto& V = win.ParameterValue;
  auto& L = win.ParameterLower;
  auto& U = win.ParameterUpper;
  for (int p = 1; p <= P; ++p)
    for (int j = 1; j <= kPeakParameters; ++j) {
      double lower = r.table.lower[p][j], upper = r.table.upper[p][j], value = r.table.value[p][j];
      if ((j == 5 || j == 6) && G.EnergyAxisMode == 1) {
        value = hv - value;
        const double l = hv - upper;
        upper = hv - lower;
        lower = l;
      }
      if ((j == 1 || j == 2) && G.CpsMode == 0) {
        value *= f;
        lower *= f;
        upper *= f;
      }
      L[p][j] = lower;
      U[p][j] = upper;
      V[p][j] = value;
      win.ParameterState[p][j] = static_cast<Int16>(r.states[p][j]);
    }
  if (win.RelativeMode != 1) return;

  auto divide = [&](int p, int j, double d) {
    L[p][j] /= d;
    U[p][j] /= d;
    V[p][j] /= d;
  };
  auto subtract = [&](int p, int j, double d) {
    L[p][j] -= d;
    U[p][j] -= d;
    V[p][j] -= d;
  };
  // Peak 1's partner as ratios to its main values and a distance.
  for (int j : {2, 4, 8, 10}) {
    if (V[1][j - 1] != 0)
      divide(1, j, V[1][j - 1]);
    else
      V[1][j] = 0;
  }
  if (V[1][5] != 0)
    subtract(1, 6, V[1][5]);
  else
    V[1][6] = 0;
  // Peaks 2..P as ratios to peak 1.
  for (int p = 2; p <= P; ++p)
    for (int j = 1; j <= kPeakParameters; ++j) {
      if (j == 1 || j == 3 || j == 7 || j == 9) {
        if (V[1][j] != 0) {
          divide(p, j, V[1][j]);
        } else {
          L[p][j] = 0;
          U[p][j] = 1;
          V[p][j] = 0;
        }
      } else if (j == 2 || j == 4 || j == 8 || j == 10) {
        if (V[p][j - 1] != 0) {
          divide(p, j, V[p][j - 1]);
          divide(p, j, V[1][j - 1]);
        } else {
          L[p][j] = 0;
          U[p][j] = 1;
          V[p][j] = 1;
        }
      }
    }
  for (int p = 2; p <= P; ++p) {
    subtract(p, 5, V[1][5]);
    subtract(p, 6, V[p][5] + V[1][5]);
  }
}

// The conversions between the file's table (absolute, binding energies,
// heights per second) and the display's (ratios to peak 1, counts, kinetic
// energies) are not exact both ways: a value written again could differ from
// the one read in its last digit, and a project would change a little at
// every load and save. So each held number is moved by the few units in the
// last place that make the table written back hold the file's numbers,
// peak 1 first and each parameter after those it is relative to. A number
// that no neighbour writes back exactly keeps its plain conversion.
void SettlePeakTable(int w, const PeakRows& file) {
  WindowRecord& win = Win[w];
  const int P = HeldPeakCount(w);
  constexpr int kMostSteps = 4;
  // The table as it would be written now, made again only after a value moved
  // (a relative table writes other peaks from peak 1's values).
  PeakRows written = PeakTableForFile(w);
  for (int p = 1; p <= P; ++p)
    for (int j = 1; j <= kPeakParameters; ++j)
      for (int kind = 0; kind < 3; ++kind) {
        double& held = kind == 0   ? win.ParameterValue[p][j]
                       : kind == 1 ? win.ParameterLower[p][j]
                                   : win.ParameterUpper[p][j];
        // On the kinetic scale a lower limit of an energy is the file's upper one.
        int fileKind = kind;
        if (kind != 0 && G.EnergyAxisMode == 1 && (j == 5 || j == 6)) fileKind = 3 - kind;
        const auto& rows = fileKind == 0 ? file.value : fileKind == 1 ? file.lower : file.upper;
        const double target = rows[p][j];
        auto writtenAgain = [&] {
          const PeakRows t = PeakTableForFile(w);
          return (fileKind == 0 ? t.value : fileKind == 1 ? t.lower : t.upper)[p][j];
        };
        const auto& now = fileKind == 0 ? written.value : fileKind == 1 ? written.lower : written.upper;
        if (!std::isfinite(target) || !std::isfinite(held) || now[p][j] == target) continue;
        const double plain = held;
        bool found = false;
        double up = plain, down = plain;
        for (int step = 1; step <= kMostSteps && !found; ++step) {
          up = std::nextafter(up, HUGE_VAL);
          down = std::nextafter(down, -HUGE_VAL);
          for (double candidate : {up, down}) {
            held = candidate;
            if (writtenAgain() == target) {
              found = true;
              break;
            }
          }
        }
        if (found)
          written = PeakTableForFile(w);
        else
          held = plain;
      }
}

void StorePeakTable(int w, const SingleRecord& r) {
  ConvertPeakTable(w, r);
  SettlePeakTable(w, r.table);
}

void RecreateSingleSpectrum(int w, const SingleRecord& r, const std::string& copyFolder,
                            plat::LineReader& file) {
  WindowRecord& win = Win[w];
  SpectrumHeaderRecord& h = win.SpectrumHeader;
  win.WindowKind = SingleSpectrum;
  win.SourceSpectrumIndex = static_cast<Int16>(r.sourceIndex);
  win.EnergyShift = r.energyTotal - G.GlobalEnergyOffset;
  win.BackgroundState = static_cast<Byte>(r.backgroundState);
  win.ErrorTableValid = r.errorsValid ? 1 : 0;
  win.SatelliteState = static_cast<Byte>(r.satellite);
  win.RegionPartial = static_cast<Byte>(r.regionPartial);
  win.DerivativeCount = static_cast<Byte>(r.derivatives);
  win.SpectrumNegated = static_cast<Byte>(r.negated);
  win.SmoothCount = static_cast<Byte>(r.smooth);
  win.BackgroundRecipe = r.recipe;
  win.ScaleMode = static_cast<Byte>(r.scale);
  win.ArithmeticDone = static_cast<Byte>(r.arithmetic);
  win.HasFit = static_cast<Byte>(r.hasFit);
  if (r.hasFit != 0) {
    win.PeakModel = static_cast<Byte>(r.peakModel);
    win.RelativeMode = static_cast<Byte>(r.relative);
  }
  win.ParamSetLoaded = static_cast<Byte>(r.paramSetLoaded);
  win.PeakCount = static_cast<Int16>(std::clamp(r.peakCount, 0, kMaxPeaks));
  win.PeakType = r.peakType;
  win.IntegratedArea[1] = r.integratedArea;
  win.RegionStart = static_cast<Int16>(r.regionStart);
  win.RegionEnd = static_cast<Int16>(r.regionEnd);
  win.SourcePath = RepointedSource(r.sourcePath, copyFolder);
  if (FormatOfCode(r.importFormat) == NumberedRegionFiles) win.SourceDialogName = FirstOfNumberedSet(win.SourcePath);
  win.SourceBlockList = r.blockList;
  win.ImportFormat = static_cast<Byte>(r.importFormat);
  h = r.header;
  h.EndEnergy = h.StartEnergy + h.EnergyStep * (h.PointCount - 1);
  win.HessianValid = 0;

  StoreLabels(w, r.labels, true);
  win.AnnotationCount = static_cast<Int16>(r.annotationCount);

  const int N = h.PointCount;
  const double f = CountsPerSecondDivisor(h);
  // The work vectors keep their room from window to window of one length.
  if (WorkData.Upper() != N) WorkData.Resize(N);
  if (WorkBackground.Upper() != N) WorkBackground.Resize(N);
  WorkData[0] = 0;
  WorkBackground[0] = 0;
  // Rows 42 and 43, where the first reading found them.
  file.Seek(r.columnsAt);
  std::string_view line;
  for (int i = 1; i <= N; ++i) WorkData[i] = file.Next(line) ? NumberOfField(line) : 0;
  const double toUnit = G.CpsMode == 1 ? f : 1.0;
  for (int i = 1; i <= N; ++i) WorkBackground[i] = (file.Next(line) ? NumberOfField(line) : 0) / toUnit;

  ReadParameterSet(
      w, win.PeakModel == PeakModelDoniachSunjic ? G.ParameterSet2Path : G.ParameterSet1Path);
  win.PeakCount = 1;
  if (r.hasFit != 0) {
    win.PeakType = r.fitPeakType;
    if (!win.PeakType.empty() && win.PeakType[0] == 'D') win.PeakType = G.MessageTexts[52];
    win.PeakCount = static_cast<Int16>(r.fitPeaks);
    StorePeakTable(w, r);
  }
  if (r.backgroundState == 4) {
    for (int i = 1; i <= kBackgroundTerms; ++i) {
      win.BackgroundTermValue[i] = i <= 4 && G.CpsMode == 0 ? r.terms[i] * f : r.terms[i];
      win.BackgroundTermFixed[i] = r.termFixed[i];
    }
  }
  if (G.CpsMode == 1)
    for (int i = 1; i <= N; ++i) WorkData[i] /= f;

  OpenRestoredSpectrum(w);

  if (win.HasFit != 0) {
    // The stored peaks are evaluated once: curves, sum, residuals and
    // statistics, without iterating and without pages.
    G.FitPeakCount = win.PeakCount;
    G.FitTypeName = win.PeakType;
    G.BatchMode = 2;
    RunFitSequence(w);
    G.FitRunState = FitIdle;
    G.BatchMode = 2;
    // That evaluation is counted as one trial: the caption takes the count
    // of the fit that was saved.
    if (r.hasTrials && Win[w].HasFit != 0) ShowFitStatistics(w, r.trials);
  }
  G.CurrentWindow = static_cast<Byte>(w);

  if (r.errorsValid) {
    const int P = win.PeakCount;
    const int entries = static_cast<int>(r.diagonal.size());
    const int matrix = std::max(10 * P + 6, P + 6);
    if (win.ParamErrors.RowUpper() < matrix || win.ParamErrors.ColUpper() < matrix)
      win.ParamErrors.Resize(matrix, matrix);
    if (win.HessianMatrix.RowUpper() < matrix || win.HessianMatrix.ColUpper() < matrix)
      win.HessianMatrix.Resize(matrix, matrix);
    win.ErrorMethod = static_cast<Byte>(r.errorMethod);
    win.ErrorsInPercent = static_cast<Byte>(r.errorsInPercent);
    for (int k = 1; k <= entries; ++k) win.ParamErrors(k, k) = r.diagonal[static_cast<std::size_t>(k - 1)];
    for (int p = 1; p <= P; ++p) {
      const std::size_t at = static_cast<std::size_t>(4 * (p - 1));
      win.AreaError[p] = r.areaErrors[at];
      win.PartnerAreaError[p] = r.areaErrors[at + 1];
      win.AreaShareError[p] = r.areaErrors[at + 2];
      win.PartnerShareError[p] = r.areaErrors[at + 3];
    }
    win.TotalArea = r.totalArea;
    std::size_t at = 0;
    for (int k = 1; k <= P + 6; ++k)
      for (int l = 1; l <= P + 6; ++l) win.HessianMatrix(k, l) = r.hessian[at++];
    BuildErrorTable(w);
    win.HessianValid = 0;
    if (r.errorUnit != G.CpsMode) win.ErrorTableValid = 0;
  }
  // Drawn, and its source read, once the whole project is loaded.
}

void RecreateChemicalStatePlot(int w, const ChemicalRecord& r) {
  WindowRecord& win = Win[w];
  win.WindowKind = ChemicalStatePlot;
  WorkData.Resize(kMaxEntries);
  WorkBackground.Resize(kMaxEntries);
  WorkSigma.Resize(kMaxEntries);
  StoreLabels(w, r.labels, false);
  win.ChemStatePointCount = r.count;
  win.ChemStateListName = r.listName;
  for (int k = 1; k <= r.count; ++k) win.ChemStateEntries[k] = r.entries[static_cast<std::size_t>(k - 1)];
  win.SpectrumHeader.PointCount = static_cast<Int16>(r.count);
  for (int k = 1; k <= r.count; ++k) {
    const std::string& e = r.entries[static_cast<std::size_t>(k - 1)];
    const auto equals = e.find('=');
    const auto plus = e.find('+');
    WorkData[k] = plat::TextToNumber(e);
    WorkBackground[k] = equals == std::string::npos ? 0 : plat::TextToNumber(e.substr(equals + 1));
    WorkSigma[k] = plus == std::string::npos ? 0 : plat::TextToNumber(e.substr(plus + 1));
  }
  DimSlotData(w);
  StoreWorkData(w, 1);
  StoreWorkBackground(w, 2);
  StoreWorkSigma(w, 3);
  OpenSpectrumWindow(w, win.ChemStateListName);
  // The kinetic-energy axis of a loaded plot starts one below the smallest
  // entry, not two as when the list is first opened.
  SetChemStateAxes(w, r.count, 1);
  G.CurrentWindow = static_cast<Byte>(w);
}

void RecreateMultiSpectrum(int w, int kind, const MultiRecord& r) {
  WindowRecord& win = Win[w];
  win.WindowKind = static_cast<Byte>(kind);
  win.SourcePath = r.sourcePath;
  StoreLabels(w, r.labels, false);
  win.MultiEnergyShift = r.energyTotal - G.GlobalEnergyOffset;
  G.MultiViewEnergyOffset = G.GlobalEnergyOffset;
  win.MultiRegionStart = static_cast<Int16>(r.regionStart);
  win.MultiRegionEnd = static_cast<Int16>(r.regionEnd);
  win.MultiSourcePath = r.multiSource;
  win.MultiPointCount = r.pointCount;
  win.MultiStartEnergy = r.startEnergy;
  win.MultiEndEnergy = r.endEnergy;
  win.MultiEnergyStep = r.energyStep;
  win.SpectrumHeader.EnergyStep = r.energyStep;
  win.MultiPassEnergy = r.passEnergy;
  win.MultiExcitationEnergy = r.excitation;
  win.MultiScanCount = r.scans;
  win.MultiDwellTime = r.dwell;
  win.MultiTechnique = r.technique;
  win.MultiComment = r.comment;
  win.MultiDate = r.date;
  win.MultiSourceInfo = r.sourceInfo;
  win.MultiFirstEnergy = r.firstEnergy;
  win.MultiXLeft = r.xLeft;
  win.MultiLastEnergy = r.lastEnergy;
  win.MultiXRight = r.xRight;
  win.MultiYTop = r.yTop;
  win.MultiYBottom = r.yBottom;
  win.MultiXSpan = r.xSpan;
  win.MemberAxisTitle = r.memberAxisTitle;
  const int M = static_cast<int>(r.names.size());
  win.MemberCount = static_cast<Int16>(M);
  win.SpectrumHeader.PointCount = static_cast<Int16>(r.pointCount);
  G.ComponentCount = M;
  DimWorkPeak(w);
  DimSlotComponents(w);
  DimSlotData(w);
  const double f = CountsPerSecondDivisor(r.scans, r.dwell);
  const double toUnit = G.CpsMode == 1 ? 1 / f : 1.0;
  win.MultiYTop *= toUnit;
  win.MultiYBottom *= toUnit;
  win.YAxisBottom = win.MultiYBottom;
  win.YAxisTop = win.MultiYTop;
  for (int k = 1; k <= M; ++k) {
    win.MemberName[k] = r.names[static_cast<std::size_t>(k - 1)];
    win.MemberLabel[k] = r.labelsOfMembers[static_cast<std::size_t>(k - 1)];
    win.MemberLabelDefault[k] = win.MemberLabel[k];
    for (long long i = 0; i <= WorkPeak.Upper(); ++i) WorkPeak[i] = 0;
    const std::vector<double>& curve = r.curves[static_cast<std::size_t>(k - 1)];
    for (std::size_t p = 0; p < curve.size(); ++p) WorkPeak[r.regionStart + static_cast<long long>(p)] = curve[p] * toUnit;
    StoreWorkPeak(w, k);
  }
  TransposeComponents(w);
  OpenSpectrumWindow(w, G.FileDialogResult);
  G.CurrentWindow = static_cast<Byte>(w);
}

void SetSpectrumMenuFlags() {
  G.SpectrumPopupsFlag = plat::kMenuEnabled;
  G.SpectrumItemsFlag = plat::kMenuEnabled;
  G.LanguagePopupFlag = plat::kMenuGrayed;
  G.FileBlocksItemFlag = plat::kMenuEnabled;
  G.RevertItemFlag = plat::kMenuEnabled;
  const int bar = plat::CurrentMenuBar();
  if (bar != 0) {
    plat::EnableMenuItem(bar, CmdOpenFileBlocks, plat::kMenuEnabled);
    plat::EnableMenuItem(bar, CmdRevertSpectrum, plat::kMenuEnabled);
  }
}

// The filter of both project dialogs.
plat::FileDialogSpec ProjectDialog(int title, int flags) {
  return FileDialogFor({G.LabelTexts[80], "*.svr", G.CaptionTexts[14], "*.*"}, "*.svr", "svr",
                       G.ProjectFolder, G.LabelTexts[title], flags);
}

}  // namespace

std::string ProjectCopyFolder(const std::string& projectPath) {
  const std::string folder = FolderOfPath(projectPath);
  const std::string name = FileNameOfPath(projectPath);
  const auto dot = name.rfind('.');
  // A name without a point gets a folder beside it that cannot be the file.
  const std::string project = dot == std::string::npos ? name + "_files" : name.substr(0, dot);
  return folder.empty() && projectPath.find('\\') == std::string::npos ? project
                                                                        : folder + "\\" + project;
}

bool SaveProjectTo(const std::string& path) {
  const std::string copyFolder = ProjectCopyFolder(path);
  if (!CopyFolderUsable(copyFolder)) {
    ShowCopyFolderRefused(copyFolder);
    return false;
  }
  // The copies the project file there names now (read when a file of the
  // copy folder may be one that only it names), and what a save that was
  // killed left.
  std::set<std::string> named;
  bool namedKnown = true, namedRead = false;
  auto readNamed = [&] {
    namedKnown = CopiesNamedBy(path, copyFolder, named);
    namedRead = true;
  };
  if (plat::KindOfEntry(copyFolder + "\\" + kUnfinishedSave) != plat::EntryKind::None) readNamed();
  RemoveWhatAKilledSaveLeft(path, copyFolder, named, namedKnown);

  // Only the sources that single spectra read are copied: the source row of
  // a view is a text kept as written, and no file is copied because a text
  // names it.
  auto readsSource = [](int w) { return Win[w].WindowOpen && Win[w].WindowKind == SingleSpectrum; };
  CopyPlan plan(copyFolder);
  for (int w = 1; w <= kMaxWindows; ++w)
    if (readsSource(w)) plan.Keep(Win[w].SourcePath);

  std::vector<NewSource> sources(kMaxWindows + 1);
  int missing = 0;
  int count = 0;
  for (int w = 1; w <= kMaxWindows; ++w) {
    if (!Win[w].WindowOpen) continue;
    ++count;
    if (readsSource(w) && !PlanSource(w, plan, sources[w]) && missing == 0) missing = w;
  }

  Lines out;
  out.Int(count);
  for (int w = 1; w <= kMaxWindows; ++w) {
    const WindowRecord& win = Win[w];
    if (!win.WindowOpen) continue;
    const bool single = win.WindowKind == SingleSpectrum;
    const int version = single && win.HasFit != 0            ? kTrialsVersion
                        : single && win.BackgroundRecipe.Kind != 0 ? kRecipeVersion
                                                                   : kVersion;
    out.Text(Whole(win.WindowKind) + Whole(version));
    if (win.WindowKind == SingleSpectrum)
      WriteSingleSpectrum(out, w, sources[w].copied ? sources[w].path : win.SourcePath);
    else if (win.WindowKind == ChemicalStatePlot)
      WriteChemicalStatePlot(out, w);
    else
      WriteMultiSpectrum(out, w, win.SourcePath);
  }

  // The copies that only the old project file names go once the new one is
  // in place (see kUnfinishedSave).
  const std::set<std::string> used = plan.Names();
  if (!namedRead) {
    // A copy folder that holds nothing but what the new project uses (a
    // project saved again) has nothing the old file alone could name.
    for (const std::string& name : plat::FolderEntries(copyFolder))
      if (used.count(name) == 0 && name != kUnfinishedSave) {
        readNamed();
        break;
      }
  }
  std::set<std::string> unused;
  for (const std::string& name : named)
    if (used.count(name) == 0) unused.insert(name);

  const bool folderMade = !plat::FolderExists(copyFolder);
  if (folderMade) {
    int error = 0;
    if (!plat::CreateFolder(copyFolder, &error))
      throw plat::FileError("the project folder could not be made", copyFolder, error);
  }
  const std::string record = copyFolder + "\\" + kUnfinishedSave;
  std::vector<std::string> placed;
  std::set<std::string> listed = unused;
  bool recorded = false;
  try {
    if (folderMade) {
      const std::string parent = FolderOfPath(copyFolder);
      plat::SyncFolder(parent.empty() ? "." : parent);
    }
    // Every file is written whole under a temporary name first: a save that
    // fails (a full disk) leaves the old project as it was.
    plat::FileReplacement copies;
    const std::vector<std::string> targets = plan.StageCopies(copies);
    plat::FileReplacement projectFile;
    projectFile.Bytes(path, out.Bytes());
    for (const std::string& target : targets) listed.insert(FileNameOfPath(target));
    if (!namedKnown) {
      const std::set<std::string> earlier = UnfinishedSaveNames(copyFolder);
      listed.insert(earlier.begin(), earlier.end());
    }
    if (!listed.empty()) {
      plat::ReplaceFileWithLines(record, std::vector<std::string>(listed.begin(), listed.end()));
      recorded = true;
    }
    // The new copies under names of their own, then the file that names them.
    copies.Commit();
    placed = targets;
    projectFile.Commit();
  } catch (const plat::FileError&) {
    // The old project file is in place: nothing names the new copies.
    std::set<std::string> names;
    for (const std::string& target : placed) names.insert(FileNameOfPath(target));
    // The list goes with them, unless it still holds an earlier save's names.
    if (recorded && namedKnown) names.insert(kUnfinishedSave);
    RemoveCopies(copyFolder, names);
    if (folderMade) plat::RemoveEmptyFolder(copyFolder);
    throw;
  }
  // The new project file is in place: what it does not use goes.
  std::set<std::string> left;
  for (const std::string& name : listed)
    if (used.count(name) == 0) left.insert(name);
  RemoveCopies(copyFolder, left);
  if (recorded) RemoveCopies(copyFolder, {kUnfinishedSave});

  // From now on the windows read the copies.
  for (int w = 1; w <= kMaxWindows; ++w) {
    if (!Win[w].WindowOpen || !sources[w].copied) continue;
    Win[w].SourcePath = sources[w].path;
    if (FormatOfCode(Win[w].ImportFormat) == NumberedRegionFiles && Win[w].WindowKind == SingleSpectrum)
      Win[w].SourceDialogName = sources[w].dialogName;
  }
  G.ProjectPath = path;
  if (missing != 0) {
    G.CommandId = kMessageMissing;
    ShowMessageNaming(kMessageMissing, missing, Win[missing].SourcePath);
  }
  return true;
}

void SaveProject() {
  const std::string previous = G.ProjectPath;
  if (G.CommandId == CmdSaveProjectAs || G.ProjectPath.empty()) {
    G.ProjectPath = "*.svr";
    const std::string chosen = plat::SaveFileDialog(
        ProjectDialog(93, plat::kFilePathMustExist | plat::kFileOverwritePrompt));
    G.ProjectPath = chosen;
    G.ProjectFolder = plat::CurrentFolder();
  }
  if (G.ProjectPath.empty()) return;
  // Nothing saved: the project that was current stays current.
  try {
    if (!SaveProjectTo(G.ProjectPath)) G.ProjectPath = previous;
  } catch (const plat::FileError& e) {
    G.ProjectPath = previous;
    ShowFileNotWrittenMessage(e);
  }
}

bool LoadProjectFrom(const std::string& path) {
  const std::string previousProject = G.ProjectPath;
  const std::string copyFolder = ProjectCopyFolder(path);
  if (!CopyFolderUsable(copyFolder)) {
    G.ProjectPath = previousProject;
    ShowCopyFolderRefused(copyFolder);
    return false;
  }
  std::vector<WindowEntry> windows;
  // Read twice: once through to check it, then each window's columns where
  // that reading found them, as the window is made.
  std::unique_ptr<plat::LineReader> file;
  try {
    file = std::make_unique<plat::LineReader>(path);
    windows = ReadProjectFile(*file);
  } catch (const Damaged&) {
    G.CommandId = kMessageDamaged;
    G.ProjectPath = previousProject;
    ShowMessage(kMessageDamaged, G.CurrentWindow);
    return false;
  } catch (const plat::FileError&) {
    G.CommandId = kMessageMissing;
    G.ProjectPath = previousProject;
    ShowMessageNaming(kMessageMissing, G.CurrentWindow, path);
    return false;
  }
  // Every single spectrum must find its source in the copy folder before
  // anything is made: a fit and a revert read it again. Nothing outside the
  // copy folder is looked at: a name that reaches out of it (a link, say) is
  // refused as a damaged project.
  for (const WindowEntry& e : windows) {
    if (e.kind != 0) continue;
    const std::string source = RepointedSource(e.single.sourcePath, copyFolder);
    if (!source.empty() && !plat::LiesDirectlyInFolder(source, copyFolder)) {
      G.CommandId = kMessageDamaged;
      G.ProjectPath = previousProject;
      ShowMessage(kMessageDamaged, G.CurrentWindow);
      return false;
    }
    if (source.empty() || !plat::FileExists(source)) {
      G.CommandId = kMessageMissing;
      G.ProjectPath = previousProject;
      ShowMessageNaming(kMessageMissing, G.CurrentWindow, source.empty() ? copyFolder : source);
      return false;
    }
  }

  G.ProjectPath = path;
  // Batch use ends with the load, however the load ends.
  struct BatchEnd {
    ~BatchEnd() { G.BatchMode = 0; }
  } batchEnd;
  int last = G.CurrentWindow;
  int lastSingle = 0;
  bool noFreeWindow = false;
  std::vector<int> made;
  for (const WindowEntry& e : windows) {
    G.BatchMode = 2;
    const int w = LowestFreeWindow();
    if (w > kMaxWindows) {
      noFreeWindow = true;
      break;
    }
    if (e.kind == 0) {
      RecreateSingleSpectrum(w, e.single, copyFolder, *file);
      lastSingle = w;
    } else if (e.kind == 1) {
      RecreateChemicalStatePlot(w, e.chemical);
    } else {
      RecreateMultiSpectrum(w, e.kind, e.multi);
    }
    made.push_back(w);
    last = w;
  }
  // Each window is drawn once, now that all are made. The store holds one
  // source at a time: the last single spectrum's is read into it (a fit or
  // a revert of another window reads its own again).
  for (int w : made)
    if (Win[w].WindowOpen) RedrawWindow(w);
  if (lastSingle != 0 && Win[lastSingle].WindowOpen) ReloadSourceData(lastSingle);
  G.CurrentWindow = static_cast<Byte>(last);
  if (noFreeWindow) {
    G.CommandId = kMessageNoFreeWindow;
    ShowMessage(kMessageNoFreeWindow, G.CurrentWindow);
  }
  if (!windows.empty()) SetSpectrumMenuFlags();
  UpdateMenuState(last);
  G.BatchMode = 0;
  return true;
}

void LoadProject() {
  const std::string previous = G.ProjectPath;
  G.ProjectPath = "*.svr";
  const std::string chosen =
      plat::OpenFileDialog(ProjectDialog(92, plat::kFileMustExist | plat::kFilePathMustExist));
  G.ProjectFolder = plat::CurrentFolder();
  if (chosen.empty()) {
    G.ProjectPath.clear();
    G.BatchMode = 0;
    return;
  }
  // A project that cannot be read leaves the current one current.
  G.ProjectPath = previous;
  LoadProjectFrom(chosen);
}

}  // namespace sorvan
