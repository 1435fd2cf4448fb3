#include "import/two_column.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/count_rate.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/reference_files.h"
#include "core/store.h"
#include "dialogs/import_header_pages.h"
#include "import/formats.h"
#include "import/reader_support.h"
#include "import/text_reading.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

struct Variant {
  int code;
  bool binding;              // energies of the file are binding energies
  bool firstLineIsEnd;       // the first data line gives EndEnergy, the last StartEnergy
  bool digitFirstUntrimmed;  // the line test of the kinetic-falling files
};

// What a "Cycle:" line before a run says of it: the run is a scan (or a
// cycle) of a region, its first when every number on the line is 0; with a
// "Scan" number the run is a single scan, without one it holds the region's
// scans of that cycle.
struct ScanMark {
  bool marked = false;
  bool further = false;
  bool singleScan = false;
};

// A run of data lines with the energies of its lines.
struct Run {
  TwoColumnStated stated;
  std::vector<double> energies;
  std::vector<double> intensities;
  bool textBefore = false;   // a line of text (not only empty lines) came before it
  bool regionBefore = false; // a "Region:" line came before it
  std::string name;          // what that line names
  ScanMark scan;
};

// How far an energy may lie from its place on the axis: the rounding of the
// file's energies to 0.001 eV on both ends, and a tenth of a step for
// energies written with fewer digits than the step needs.
double Tolerance(double step) { return 0.0011 + 0.1 * std::fabs(step); }

double StepOf(const std::vector<double>& e) {
  return (e.back() - e.front()) / static_cast<double>(e.size() - 1);
}

bool EvenlySpaced(const std::vector<double>& e) {
  if (e.size() < 2) return false;
  const double step = StepOf(e);
  if (!(std::fabs(step) > 1e-9) || !std::isfinite(step)) return false;
  const double tolerance = Tolerance(step);
  for (std::size_t i = 0; i < e.size(); ++i)
    if (!(std::fabs(e[i] - (e.front() + step * static_cast<double>(i))) <= tolerance)) return false;
  return true;
}

// Whether run b continues the axis of run a: the step of either run (the
// same in both when both have one) leads from a's last energy to b's first.
// Single lines parted by empty lines only (a file whose every other line is
// empty) are taken as one run; their spacing is checked with the region.
bool Continues(const Run& a, const Run& b) {
  if (!b.textBefore && a.energies.size() == 1 && b.energies.size() == 1) return true;
  double step = 0;
  const bool stepA = a.energies.size() >= 2 && EvenlySpaced(a.energies);
  const bool stepB = b.energies.size() >= 2 && EvenlySpaced(b.energies);
  if (stepA && stepB) {
    step = StepOf(a.energies);
    if (!(std::fabs(StepOf(b.energies) - step) <= Tolerance(step))) return false;
  } else if (stepA) {
    step = StepOf(a.energies);
  } else if (stepB) {
    step = StepOf(b.energies);
  } else {
    return false;
  }
  return std::fabs(b.energies.front() - (a.energies.back() + step)) <= Tolerance(step);
}

// The key (lower case, trimmed) and the value (trimmed) of a comment line
// "key: value" or "key = value", after any comment marker; false for a line
// without a key.
bool SplitStatement(const std::string& line, std::string& key, std::string& value) {
  std::size_t start = 0;
  while (start < line.size() && !std::isalpha(static_cast<unsigned char>(line[start]))) ++start;
  const std::size_t colon = line.find_first_of(":=", start);
  if (start >= line.size() || colon == std::string::npos) return false;
  key = plat::LowerCase(plat::Trim(line.substr(start, colon - start)));
  value = plat::Trim(line.substr(colon + 1));
  return true;
}

// The mark of a "Cycle:" line from what follows its key ("0, Curve: 0,
// Scan: 2"): the cycle number, then items "key: number".
ScanMark ReadScanMark(const std::string& value) {
  ScanMark mark;
  mark.marked = true;
  for (std::size_t from = 0; from <= value.size();) {
    const std::size_t comma = std::min(value.find(',', from), value.size());
    const std::string item = value.substr(from, comma - from);
    std::string key, number;
    if (from == 0) number = plat::Trim(item);
    else if (SplitStatement(item, key, number) && key == "scan") mark.singleScan = true;
    if (BeginsWithNumber(number) && plat::TextToNumber(number) != 0) mark.further = true;
    from = comma + 1;
  }
  return mark;
}

// The spectrum name offered on the header page: the file's name without its
// extension, numbered when the file holds several regions.
std::string OfferedName(const std::string& path, int region, int regions) {
  std::string name = FileNameOfPath(path);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  if (regions > 1) name += "_" + std::to_string(region);
  return name;
}

int FreeSpectrumWindowCount() {
  int free = 0;
  for (int w = 1; w <= kMaxWindows; ++w)
    if (!Win[w].WindowOpen) ++free;
  return free;
}

double StatedOr(double stated, double otherwise) { return std::isnan(stated) ? otherwise : stated; }

// The scans and cycles of a region made one spectrum on the axis of its
// first scan. A run marked as a single scan counts one scan, any other run
// the scans its region states. Counts are summed; counts per second become
// the count rate of all scans together, the mean weighted by scans, so that
// times scans and dwell time they give the summed counts. The scan count is
// that of all scans. Scans on another axis leave the region unreadable.
void SumScans(const std::vector<Run>& scans, TwoColumnRegion& r) {
  const Run& first = scans.front();
  const std::vector<double>& axis = first.energies;
  const double tolerance = axis.size() >= 2 ? Tolerance(StepOf(axis)) : Tolerance(0);
  const bool perSecond = first.stated.countsPerSecond == 1;
  std::vector<double> sum(axis.size(), 0.0);
  double total = 0;
  for (const Run& s : scans) {
    bool same = s.energies.size() == axis.size();
    for (std::size_t i = 0; same && i < axis.size(); ++i)
      same = std::fabs(s.energies[i] - axis[i]) <= tolerance;
    if (!same) {
      r.scansOnOneAxis = false;
      r.intensities = first.intensities;
      return;
    }
    const double weight = s.scan.singleScan ? 1 : StatedOr(s.stated.scanCount, 1);
    for (std::size_t i = 0; i < axis.size(); ++i)
      sum[i] += perSecond ? weight * s.intensities[i] : s.intensities[i];
    total += weight;
  }
  if (perSecond)
    for (double& x : sum) x /= total;
  r.intensities = std::move(sum);
  r.stated.scanCount = total;
}

// Spectrum k of the store from region r: its values in rising kinetic
// energy (when the file runs the way the command says) and its energies as
// the file gives them, converted from binding energies with the excitation
// energy the file states for the region, or else hv. Dwell time, scans and
// pass energy are what the file states, or else the program's presets.
void StoreRegion(int k, const TwoColumnRegion& r, const Variant& v, double typedHv) {
  const int h = HeaderIndexOfSpectrum(k);
  SpectrumHeaderRecord& H = ImportedHeader[h];
  ClearImportedHeaderTexts(h);
  const double hv = StatedOr(r.stated.excitationEnergy, typedHv);
  H.DwellTime = StatedOr(r.stated.dwellTime, 1);
  H.ScanCount = StatedOr(r.stated.scanCount, 1);
  H.PassEnergy = StatedOr(r.stated.passEnergy, 10);
  const int n = static_cast<int>(r.intensities.size());
  H.PointCount = static_cast<Int16>(n);
  H.StartEnergy = v.firstLineIsEnd ? r.lastEnergy : r.firstEnergy;
  H.EndEnergy = v.firstLineIsEnd ? r.firstEnergy : r.lastEnergy;
  H.ExcitationEnergy = hv;
  if (v.binding) {
    H.EndEnergy = hv - H.EndEnergy;
    H.StartEnergy = hv - H.StartEnergy;
  }
  H.EnergyStep = RoundUpwardTo(std::fabs(H.StartEnergy - H.EndEnergy) / (n - 1), 100000);
  CheckedVector<double>& values = ImportedValues[k];
  values.Resize(n);
  for (int i = 1; i <= n; ++i)
    values[v.firstLineIsEnd ? n - i + 1 : i] = r.intensities[static_cast<std::size_t>(i - 1)];
}

// Values the file gives as counts per second become counts, with the scans
// and dwell time the header of the spectrum holds in the end.
void StoreAsCounts(int k, const TwoColumnRegion& r) {
  if (r.stated.countsPerSecond != 1) return;
  const SpectrumHeaderRecord& H = ImportedHeader[HeaderIndexOfSpectrum(k)];
  const double f = CountsPerSecondDivisor(H.ScanCount, H.DwellTime);
  CheckedVector<double>& values = ImportedValues[k];
  for (int i = 1; i <= values.Upper(); ++i) values[i] *= f;
}

// The comment offered for a region whose values the file gives per second.
std::string StatedComment(const TwoColumnRegion& r) {
  return r.stated.countsPerSecond == 1 ? "counts/s" : std::string();
}

// How a message names a region that was left out: its place in the file
// (from 1) and the name its "Region:" line gives.
std::string RegionLabel(int index, const TwoColumnRegion& r) {
  std::string label = std::to_string(index + 1);
  if (!r.name.empty()) label += " (" + r.name + ")";
  return label;
}

void ImportTwoColumn(int w, const Variant& v) {
  G.ImportMode = "NORM";
  const std::string path =
      ChooseReaderFile(w, v.code, {G.CaptionTexts[20], "*.*"}, "*");
  if (path.empty()) return;
  const bool reread = Win[w].ImportFormat == v.code + 1;

  G.SourceFilePath = path;
  EraseImportedSpectra();
  std::string text;
  if (!ReadImportText(path, text)) {
    RefuseImportFile(w);
    return;
  }
  const TwoColumnFile file = ParseTwoColumn(text, v.digitFirstUntrimmed);
  // The spectra are the readable regions, numbered in file order: a new
  // import and the re-reading of a window's source count them alike.
  const std::vector<int> readable = ReadableTwoColumnRegions(file);
  const int inFile = static_cast<int>(readable.size());
  // A new import reads as many regions as the store and the free windows
  // take; the re-reading of a window's source reads what the store holds.
  const int free = reread ? kMaxImportedRegions : FreeSpectrumWindowCount();
  if (free == 0) {
    G.CommandId = 1;
    ShowMessage(1, w);
    G.SpectraReadCount = 0;
    return;
  }
  // A file without a region the reader can take is refused before anything
  // is asked: no page, no window.
  if (inFile == 0) {
    RefuseImportFile(w);
    return;
  }
  const int regions = std::min({inFile, kMaxImportedRegions, free});
  auto region = [&](int k) -> const TwoColumnRegion& {
    return file.regions[static_cast<std::size_t>(readable[static_cast<std::size_t>(k - 1)])];
  };

  if (!reread) {
    if (inFile < static_cast<int>(file.regions.size())) {
      std::vector<std::string> leftOut;
      for (std::size_t i = 0; i < file.regions.size(); ++i)
        if (!TwoColumnRegionReadable(file.regions[i]))
          leftOut.push_back(RegionLabel(static_cast<int>(i), file.regions[i]));
      ShowRegionsNotReadMessage(w, leftOut);
    }
    if (regions < inFile) ShowRegionsLeftOutMessage(inFile - regions, inFile);
    ShowExcitationEnergyPage();
    const double hv = G.DefaultExcitationEnergy;
    const std::string date = plat::FileDateText(path);
    for (int k = 1; k <= regions; ++k) {
      const TwoColumnRegion& r = region(k);
      StoreRegion(k, r, v, hv);
      // The header page shows what this file gives and the program's
      // presets, never what an earlier import left.
      const int h = HeaderIndexOfSpectrum(k);
      SpectrumHeaderRecord& H = ImportedHeader[h];
      H.Name = OfferedName(path, k, regions);
      H.Comment = StatedComment(r);
      H.Date = date;
      H.Technique = "CAE";
      G.LineBuffer = "E_I";
      const Int16 n = H.PointCount;
      ShowImportHeaderPage(w, h);
      // The page recomputes the point count from the energies and the
      // rounded step; the values read are what the spectrum holds.
      ImportedHeader[h].PointCount = n;
      StoreAsCounts(k, r);
    }
  } else {
    const SpectrumHeaderRecord& own = Win[w].SpectrumHeader;
    for (int k = 1; k <= regions; ++k) {
      StoreRegion(k, region(k), v, own.ExcitationEnergy);
      ImportedHeader[HeaderIndexOfSpectrum(k)].Name = OfferedName(path, k, regions);
    }
    // The spectrum the window shows takes the window's header.
    int h = Win[w].SourceSpectrumIndex;
    const int k = SpectrumOfHeaderIndex(h);
    if (k < 1 || k > regions) h = 1;
    SpectrumHeaderRecord& H = ImportedHeader[h];
    H.Name = own.Name;
    H.ShortName = own.ShortName;
    H.Comment = own.Comment;
    H.Date = own.Date;
    H.SourceInfo = own.SourceInfo;
    H.StartEnergy = own.StartEnergy;
    H.EndEnergy = own.EndEnergy;
    H.ExcitationEnergy = own.ExcitationEnergy;
    H.PointCount = own.PointCount;
    H.EnergyStep = own.EnergyStep;
    H.DwellTime = own.DwellTime;
    H.ScanCount = own.ScanCount;
    H.PassEnergy = own.PassEnergy;
    for (int j = 1; j <= regions; ++j) StoreAsCounts(j, region(j));
  }
  G.SpectraReadCount = static_cast<Int16>(regions);
}

}  // namespace

bool IsTwoColumnDataLine(const std::string& line, bool digitFirstUntrimmed) {
  if (digitFirstUntrimmed) return !line.empty() && IsDigit(line[0]);
  const std::string t = plat::Trim(line);
  if (t.empty()) return false;
  if (IsDigit(t[0])) return true;
  return (t[0] == '+' || t[0] == '-' || t[0] == '.') && t.size() > 1 && IsDigit(t[1]);
}

void SplitTwoColumnLine(const std::string& line, double& energy, double& intensity) {
  const std::string t = plat::Trim(line);
  energy = plat::TextToNumber(t);
  const std::size_t end = LeadingNumberLength(t);
  intensity = plat::TextToNumber(plat::Trim(plat::Mid(t, static_cast<long long>(end) + 2, 100)));
}

void ReadTwoColumnStatement(const std::string& line, TwoColumnStated& stated) {
  std::string key, value;
  if (!SplitStatement(line, key, value)) return;
  if (key == "counts per second") {
    const std::string v = plat::LowerCase(value);
    if (v == "yes" || v == "true" || v == "1") stated.countsPerSecond = 1;
    if (v == "no" || v == "false" || v == "0") stated.countsPerSecond = 0;
    return;
  }
  // The current exports name the unit of their values instead.
  if (key == "count rate") {
    const std::string v = plat::LowerCase(value);
    if (v == "counts per second" || v == "counts/s" || v == "cps") stated.countsPerSecond = 1;
    if (v == "counts") stated.countsPerSecond = 0;
    return;
  }
  double* target = nullptr;
  if (key == "excitation energy") target = &stated.excitationEnergy;
  else if (key == "dwell time") target = &stated.dwellTime;
  else if (key == "pass energy") target = &stated.passEnergy;
  else if (key == "number of scans") target = &stated.scanCount;
  if (target == nullptr || value.empty() || LeadingNumberLength(value) == 0) return;
  const double x = plat::TextToNumber(value);
  if (std::isfinite(x) && x > 0) *target = x;
}

TwoColumnFile ParseTwoColumn(std::string_view text, bool digitFirstUntrimmed) {
  TwoColumnFile file;
  std::vector<Run> runs;
  bool gap = true;   // a line that is not a data line came since the last data line
  bool textSeen = false;  // and one of them was not empty
  bool regionSeen = false;  // and one of them began a region
  std::string regionName;
  ScanMark scan;     // the last "Cycle:" line among them
  TwoColumnStated stated;
  TextItems lines(text);
  while (!lines.AtEnd()) {
    const std::string line = lines.Line();
    if (!IsTwoColumnDataLine(line, digitFirstUntrimmed)) {
      gap = true;
      if (!plat::Trim(line).empty()) textSeen = true;
      std::string key, value;
      if (SplitStatement(line, key, value)) {
        if (key == "region") {
          regionSeen = true;
          regionName = value;
          scan = ScanMark{};
        } else if (key == "cycle") {
          scan = ReadScanMark(value);
        }
      }
      ReadTwoColumnStatement(line, stated);
      continue;
    }
    ++file.dataLines;
    double energy = 0, intensity = 0;
    SplitTwoColumnLine(line, energy, intensity);
    if (gap) {
      runs.emplace_back();
      Run& run = runs.back();
      run.textBefore = textSeen;
      run.regionBefore = regionSeen;
      if (regionSeen) run.name = regionName;
      run.scan = scan;
      run.stated = stated;
      regionSeen = false;
      scan = ScanMark{};
    }
    gap = false;
    textSeen = false;
    runs.back().energies.push_back(RoundUpwardTo(energy, 1000));
    runs.back().intensities.push_back(intensity);
  }
  // Runs that continue one axis across the lines between them are one scan;
  // a run marked as a further scan or cycle joins the scans of its region.
  // A scan already longer than a spectrum can hold takes no more runs: its
  // region is left out whatever follows, and checking its spacing again for
  // every further line would cost time that grows with its square.
  std::vector<std::vector<Run>> regions;
  for (Run& run : runs) {
    if (!regions.empty() && !run.regionBefore) {
      std::vector<Run>& scans = regions.back();
      Run& last = scans.back();
      if (run.scan.further) {
        scans.push_back(std::move(run));
        continue;
      }
      if (!run.scan.marked && last.energies.size() <= static_cast<std::size_t>(kMaxPoints) &&
          Continues(last, run)) {
        last.energies.insert(last.energies.end(), run.energies.begin(), run.energies.end());
        last.intensities.insert(last.intensities.end(), run.intensities.begin(), run.intensities.end());
        continue;
      }
    }
    regions.emplace_back();
    regions.back().push_back(std::move(run));
  }
  for (std::vector<Run>& scans : regions) {
    Run& first = scans.front();
    TwoColumnRegion r;
    r.firstEnergy = first.energies.front();
    r.lastEnergy = first.energies.back();
    r.evenlySpaced = EvenlySpaced(first.energies);
    r.name = first.name;
    r.stated = first.stated;
    if (first.scan.marked || scans.size() > 1) SumScans(scans, r);
    else r.intensities = std::move(first.intensities);
    file.regions.push_back(std::move(r));
  }
  return file;
}

bool TwoColumnRegionReadable(const TwoColumnRegion& region) {
  const std::size_t n = region.intensities.size();
  return n >= 2 && n <= static_cast<std::size_t>(kMaxPoints) && region.evenlySpaced &&
         region.scansOnOneAxis;
}

std::vector<int> ReadableTwoColumnRegions(const TwoColumnFile& file) {
  std::vector<int> readable;
  for (std::size_t i = 0; i < file.regions.size(); ++i)
    if (TwoColumnRegionReadable(file.regions[i])) readable.push_back(static_cast<int>(i));
  return readable;
}

void ImportTwoColumnBinding(int w) { ImportTwoColumn(w, {TwoColumnBinding, true, false, false}); }
void ImportTwoColumnBindingReversed(int w) {
  ImportTwoColumn(w, {TwoColumnBindingReversed, true, true, false});
}
void ImportTwoColumnKineticReversed(int w) {
  ImportTwoColumn(w, {TwoColumnKineticReversed, false, true, true});
}
void ImportTwoColumnKinetic(int w) { ImportTwoColumn(w, {TwoColumnKinetic, false, false, false}); }

}  // namespace sorvan
