#include "import/vamas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "core/menu_commands.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/store.h"
#include "import/reader_support.h"
#include "import/text_reading.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

struct FormatProblem {
  std::string what;
};

// The lines of a file held in memory; running out of lines is a problem of
// the file, never a read past its end.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  bool AtEnd() const { return pos_ >= text_.size(); }
  std::string_view Next(const char* item) {
    if (pos_ >= text_.size()) throw FormatProblem{std::string("the file ends before ") + item};
    std::size_t i = pos_;
    const std::size_t n = text_.size();
    while (i < n && text_[i] != '\n' && text_[i] != '\r') ++i;
    std::string_view line = text_.substr(pos_, i - pos_);
    if (i < n) i += (text_[i] == '\r' && i + 1 < n && text_[i + 1] == '\n') ? 2 : 1;
    pos_ = i;
    return line;
  }
  void Skip(long long count, const char* item) {
    for (long long j = 0; j < count; ++j) Next(item);
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

std::string_view TrimView(std::string_view s) {
  std::size_t a = 0, b = s.size();
  while (a < b && (s[a] == ' ' || s[a] == '\t')) ++a;
  while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t')) --b;
  return s.substr(a, b - a);
}

// A count of the file: a whole number, nothing else on the line.
long long Count(LineReader& lines, const char* item, bool mayBeNegative = false) {
  const std::string_view raw = lines.Next(item);
  const std::string_view s = TrimView(raw);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == s.size()) throw FormatProblem{std::string(item) + " is not a number"};
  long long value = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9')
      throw FormatProblem{std::string(item) + " is not a number: " + std::string(s)};
    value = value * 10 + (s[i] - '0');
    if (value > 1000000000LL) throw FormatProblem{std::string(item) + " is out of range"};
  }
  if (negative) value = -value;
  if (value < 0 && !mayBeNegative) throw FormatProblem{std::string(item) + " is negative"};
  return value;
}

double Number(std::string_view line) { return plat::TextToNumber(std::string(line)); }

double NumberItem(LineReader& lines, const char* item) { return Number(lines.Next(item)); }

std::string TextItem(LineReader& lines, const char* item) { return std::string(lines.Next(item)); }

// A value line must start with a number; anything else means the values ran
// out (a block cut short, or the next block's lines).
double Value(LineReader& lines) {
  const std::string_view s = TrimView(lines.Next("an ordinate value"));
  const char c = s.empty() ? ' ' : s[0];
  if (!((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'))
    throw FormatProblem{"an ordinate value is not a number: " + std::string(s)};
  return Number(s);
}

bool IsOneOf(std::string_view s, std::initializer_list<std::string_view> list) {
  return std::find(list.begin(), list.end(), s) != list.end();
}

// Block items that an inclusion or exclusion list names, numbered from 1.
constexpr int kBlockItems = 43;

struct HeaderInfo {
  std::string mode;  // trimmed
  bool regular = true;
  long long experimentalVariables = 0;
  long long futureBlockEntries = 0;
  std::array<bool, kBlockItems + 1> included{};
};

// Reads one block into `b`. The first block of a file carries every item; a
// later one only those the inclusion list names, so `b` comes holding the
// first block's items and keeps those the block leaves out.
void ParseBlock(LineReader& lines, const HeaderInfo& header, bool first, VamasBlock& b) {
  auto has = [&](int item) { return first || header.included[item]; };
  const std::string& mode = header.mode;
  const bool mapMode = IsOneOf(mode, {"MAP", "MAPDP", "MAPSV", "MAPSVDP", "SEM"});
  const bool depthMode = IsOneOf(mode, {"MAPDP", "MAPSVDP", "SDP", "SDPSV"});

  if (has(1)) b.BlockId = TextItem(lines, "the block identifier");
  if (has(2)) b.Sample = TextItem(lines, "the sample identifier");
  if (has(3)) b.Year = TextItem(lines, "the year");
  if (has(4)) b.Month = TextItem(lines, "the month");
  if (has(5)) b.Day = TextItem(lines, "the day");
  for (int item = 6; item <= 9; ++item)
    if (has(item)) lines.Skip(1, "the time of day");
  if (has(10)) {
    const long long n = Count(lines, "the number of block comment lines");
    b.Comment.clear();
    for (long long j = 0; j < n; ++j) b.Comment += lines.Next("a block comment line");
  }
  if (has(11)) b.Technique = std::string(TrimView(lines.Next("the technique")));
  const std::string& tech = b.Technique;
  if (mapMode && has(12)) lines.Skip(2, "the x and y coordinates");
  if (has(13)) {
    for (long long j = 0; j < header.experimentalVariables; ++j) {
      const std::string_view value = lines.Next("an experimental variable value");
      if (j == 0) b.FirstExperimentalValue = std::string(value);
    }
  }
  if (has(14)) lines.Skip(1, "the analysis source label");
  if (has(15) && (depthMode || IsOneOf(tech, {"FABMS", "FABMS energy spec", "ISS", "SIMS",
                                              "SIMS energy spec", "SNMS", "SNMS energy spec"})))
    lines.Skip(3, "the sputtering ion");
  if (has(16)) b.ExcitationEnergy = NumberItem(lines, "the source energy");
  if (has(17)) lines.Skip(1, "the source strength");
  if (has(18)) lines.Skip(2, "the beam width");
  if (has(19) && mapMode) lines.Skip(2, "the field of view");
  if (has(20) && IsOneOf(mode, {"MAPSV", "MAPSVDP", "SEM"})) lines.Skip(6, "the linescan");
  if (has(21)) lines.Skip(1, "the polar angle of incidence");
  if (has(22)) lines.Skip(1, "the source azimuth");
  if (has(23)) b.AnalyserMode = TextItem(lines, "the analyser mode");
  if (has(24)) b.PassEnergy = NumberItem(lines, "the pass energy");
  if (has(25) && tech == "AES diff") lines.Skip(1, "the differential width");
  if (has(26)) lines.Skip(1, "the magnification");
  if (has(27)) lines.Skip(1, "the work function");
  if (has(28)) lines.Skip(1, "the target bias");
  if (has(29)) lines.Skip(2, "the analysis width");
  if (has(30)) lines.Skip(2, "the take-off angles");
  if (has(31)) b.Species = TextItem(lines, "the species label");
  if (has(32)) b.Transition = TextItem(lines, "the transition label");
  if (has(33)) lines.Skip(1, "the charge of the detected particle");
  if (header.regular && has(34)) {
    b.AbscissaLabel = TextItem(lines, "the abscissa label");
    lines.Skip(1, "the abscissa units");
    b.AbscissaStart = NumberItem(lines, "the abscissa start");
    b.AbscissaIncrement = NumberItem(lines, "the abscissa increment");
  }
  if (has(35)) {
    const long long v = Count(lines, "the number of corresponding variables");
    if (v < 1 || v > 1000) throw FormatProblem{"a block has no corresponding variable"};
    b.VariableCount = static_cast<int>(v);
    for (long long j = 0; j < v; ++j) {
      std::string label = TextItem(lines, "a corresponding variable label");
      if (j == 0 && !header.regular) b.AbscissaLabel = std::move(label);
      lines.Skip(1, "a corresponding variable unit");
    }
  }
  if (has(36)) lines.Skip(1, "the signal mode");
  if (has(37)) b.CollectionTime = NumberItem(lines, "the signal collection time");
  if (has(38)) b.ScanCount = NumberItem(lines, "the number of scans");
  if (has(39)) lines.Skip(1, "the signal time correction");
  if (has(40) && depthMode &&
      IsOneOf(tech, {"AES diff", "AES dir", "EDX", "ELS", "UPS", "XPS", "XRF"}))
    lines.Skip(7, "the sputtering source");
  if (has(41)) lines.Skip(2, "the sample tilt");
  if (has(42)) lines.Skip(1, "the sample rotation");
  if (has(43)) {
    const long long n = Count(lines, "the number of additional numerical parameters");
    lines.Skip(3 * n, "an additional numerical parameter");
  }
  lines.Skip(header.futureBlockEntries, "a future upgrade block entry");

  const long long total = Count(lines, "the number of ordinate values");
  const int v = b.VariableCount;
  if (v < 1) throw FormatProblem{"a block has no corresponding variable"};
  if (total % v != 0)
    throw FormatProblem{"the number of ordinate values does not fit the corresponding variables"};
  const long long n = total / v;
  if (n < 1) throw FormatProblem{"a block has no points"};
  if (n > kMaxPoints) throw FormatProblem{"a block has more points than a spectrum holds"};
  lines.Skip(2LL * v, "the ordinate minimum and maximum");

  b.Values.assign(static_cast<std::size_t>(n), 0.0);
  if (header.regular) {
    for (long long i = 0; i < n; ++i) {
      b.Values[static_cast<std::size_t>(i)] = Value(lines);
      for (int j = 1; j < v; ++j) Value(lines);
    }
    return;
  }
  // IRREGULAR: the abscissa is the first variable, the intensity the second.
  if (v < 2) throw FormatProblem{"an irregular block has no intensity variable"};
  std::vector<double> x(static_cast<std::size_t>(n));
  for (long long i = 0; i < n; ++i) {
    x[static_cast<std::size_t>(i)] = Value(lines);
    b.Values[static_cast<std::size_t>(i)] = Value(lines);
    for (int j = 2; j < v; ++j) Value(lines);
  }
  const double step = n > 1 ? (x.back() - x.front()) / static_cast<double>(n - 1) : 0.0;
  const double tolerance = 1e-3 * std::fabs(step) + 1e-9;
  for (long long i = 0; i < n; ++i)
    if (std::fabs(x[static_cast<std::size_t>(i)] - (x.front() + step * static_cast<double>(i))) >
        tolerance)
      throw FormatProblem{"an irregular abscissa is not evenly spaced"};
  b.AbscissaStart = x.front();
  b.AbscissaIncrement = step;
}

}  // namespace

const VamasBlock* VamasFile::Block(long long index) const {
  const auto it = std::lower_bound(Blocks.begin(), Blocks.end(), index,
                                   [](const VamasBlock& b, long long i) { return b.Index < i; });
  return it != Blocks.end() && it->Index == index ? &*it : nullptr;
}

VamasFile ParseVamas(std::string_view text, std::size_t maxBlocks) {
  return ParseVamas(text, [maxBlocks](const VamasFile&, long long index) {
    return index >= 0 && static_cast<std::size_t>(index) < maxBlocks;
  });
}

VamasFile ParseVamas(std::string_view text, const VamasKeep& keep) {
  VamasFile file;
  LineReader lines(text);
  try {
    std::string_view first;
    do {
      if (lines.AtEnd()) {
        file.Status = VamasStatus::NotVamas;
        return file;
      }
      first = lines.Next("the format identifier");
    } while (TrimView(first).empty());
    if (first.substr(0, 5) != "VAMAS") {
      file.Status = VamasStatus::NotVamas;
      return file;
    }
    lines.Skip(4, "the experiment header");
    const long long comments = Count(lines, "the number of comment lines");
    for (long long j = 0; j < comments; ++j) file.Comment += lines.Next("a comment line");
    file.Mode = TextItem(lines, "the experiment mode");
    HeaderInfo header;
    header.mode = std::string(TrimView(file.Mode));
    if (!IsOneOf(header.mode, {"NORM", "MAP", "SDP"})) return file;
    file.ScanMode = std::string(TrimView(lines.Next("the scan mode")));
    header.regular = file.ScanMode != "IRREGULAR";
    file.RegionCount = Count(lines, "the number of spectral regions");
    if (header.mode == "MAP") lines.Skip(3, "the analysis positions");
    header.experimentalVariables = Count(lines, "the number of experimental variables");
    lines.Skip(2 * header.experimentalVariables, "an experimental variable");
    const long long listed = Count(lines, "the parameter inclusion list", true);
    header.included.fill(listed <= 0);
    for (long long j = 0; j < (listed < 0 ? -listed : listed); ++j) {
      const long long item = Count(lines, "a parameter inclusion list entry");
      if (item >= 1 && item <= kBlockItems) header.included[item] = listed > 0;
    }
    lines.Skip(Count(lines, "the number of manually entered items"), "a manually entered item");
    const long long futureExperiment = Count(lines, "the future upgrade experiment entries");
    header.futureBlockEntries = Count(lines, "the future upgrade block entries");
    lines.Skip(futureExperiment, "a future upgrade experiment entry");
    file.BlockCount = Count(lines, "the number of blocks");
    // The first block without its values is the pattern every later block
    // starts from, whether the first block is kept or not; a block that is
    // not kept is read and dropped.
    VamasBlock pattern;
    for (long long k = 0; k < file.BlockCount; ++k) {
      VamasBlock block = pattern;
      block.Index = k;
      ParseBlock(lines, header, k == 0, block);
      ++file.BlocksRead;
      if (k == 0) {
        pattern = block;
        pattern.Values = {};
      }
      if (keep(file, k)) file.Blocks.push_back(std::move(block));
    }
  } catch (const FormatProblem& problem) {
    file.Status = VamasStatus::Malformed;
    file.Problem = problem.what;
  }
  return file;
}

std::string VamasSpectrumName(const VamasBlock& block) {
  std::string name = block.Species;
  if (block.Transition != block.Species) name += block.Transition;
  if (std::string_view(plat::Trim(name)).empty()) name = block.BlockId;
  return name;
}

namespace {

constexpr int kVamasCode = 12;

// Header and values of one NORM or MAP block as imported spectrum k.
void StoreBlock(const VamasBlock& b, int k) {
  const int h = HeaderIndexOfSpectrum(k);
  ClearImportedHeaderTexts(h);
  SpectrumHeaderRecord& H = ImportedHeader[h];
  H.Comment = ExperimentComment + b.Sample + b.Comment;
  H.Date = b.Day + "-" + b.Month + "-" + b.Year;
  H.ExcitationEnergy = b.ExcitationEnergy;
  H.Technique = b.AnalyserMode;
  H.PassEnergy = b.PassEnergy;
  H.SourceInfo = " ";
  H.Name = VamasSpectrumName(b);
  if (plat::Trim(H.Name).empty()) H.Name = "Block " + std::to_string(k);
  H.DwellTime = b.CollectionTime;
  H.ScanCount = b.ScanCount;

  const bool binding = plat::UpperCase(b.AbscissaLabel).find('B') != std::string::npos;
  double start = b.AbscissaStart;
  if (binding) start = b.ExcitationEnergy - start;
  double step = b.AbscissaIncrement;
  const bool reverse = (binding && step > 0) || (!binding && step < 0);
  step = std::fabs(step);
  const int n = static_cast<int>(b.Values.size());
  H.EnergyStep = step;
  H.PointCount = static_cast<Int16>(n);
  if (reverse) {
    H.EndEnergy = start;
    H.StartEnergy = start - (n - 1) * step;
  } else {
    H.StartEnergy = start;
    H.EndEnergy = start + (n - 1) * step;
  }
  CheckedVector<double>& values = ImportedValues[k];
  values.Resize(n);
  for (int i = 1; i <= n; ++i)
    values[i] = reverse ? b.Values[static_cast<std::size_t>(n - i)]
                        : b.Values[static_cast<std::size_t>(i - 1)];
}

// One depth level of a depth profile as spectrum k: read like any block
// (kinetic energies rising), named by its species and its depth, the value of
// the experimental variable.
void StoreDepthLevel(const VamasBlock& b, int k) {
  StoreBlock(b, k);
  SpectrumHeaderRecord& H = ImportedHeader[HeaderIndexOfSpectrum(k)];
  H.ShortName = b.FirstExperimentalValue;
  H.Name = b.Species + "_" + H.ShortName;
}

// The text of the file being read. It keeps its room from one file to the
// next: a large file given back to the system after each import was taken
// anew, page by page, by the next one, which cost more than reading it.
std::string& FileTextBuffer() {
  static std::string text;
  return text;
}

bool ReadFileText(const std::string& path, std::string& text) {
  try {
    plat::ReadWholeTextFile(path, text);
    return true;
  } catch (const plat::FileError&) {
    return false;
  }
}

// Regions of a depth profile the tables can offer, and depth levels per region.
void DepthProfileShape(const VamasFile& file, int& regions, int& levels) {
  const long long r = file.RegionCount;
  regions = static_cast<int>(std::clamp<long long>(r, 0, G.BlockNames.upper()));
  levels = r > 0 ? static_cast<int>(plat::RoundHalfEven(static_cast<double>(file.BlockCount) /
                                                        static_cast<double>(r)))
                 : 0;
}

// The blocks an import keeps: of a NORM or MAP file the first 100 (the
// store's spectra); of a depth profile the first block of each region the
// tables offer (its name and technique).
bool KeptForImport(const VamasFile& file, long long index) {
  if (plat::Trim(file.Mode) != "SDP") return index < kMaxWindows;
  int regions = 0, levels = 0;
  DepthProfileShape(file, regions, levels);
  return levels > 0 && index % levels == 0 && index / levels < regions;
}

// The blocks a depth-profile re-read keeps: every depth level of the chosen
// regions, as far as the store holds them.
bool KeptForDepthLevels(const VamasFile& file, long long index) {
  int regions = 0, levels = 0;
  DepthProfileShape(file, regions, levels);
  if (levels < 1) return false;
  const long long r = index / levels + 1;
  if (r > regions || G.ChosenDepthBlocks[static_cast<int>(r)] != r) return false;
  long long before = 0;  // depth levels of the chosen regions in front of r
  for (int q = 1; q < r; ++q)
    if (G.ChosenDepthBlocks[q] == q) before += levels;
  return before + index % levels < kMaxWindows;
}

}  // namespace

void ImportVamas(int w, int command) {
  ExperimentComment.clear();
  VamasVariableCount = 0;
  const int format = Win[w].ImportFormat;
  if (format == kVamasCode && command == CmdImportVamas) {
    ChooseImportFile({G.LabelTexts[62], "*.vms", G.LabelTexts[18], "*.vam"}, "vms", G.ImportFolder,
                     true);
  } else if (format == kVamasCode && command == CmdImportTestSpectrum) {
    ChooseImportFile({G.LabelTexts[62], "*.vms", G.LabelTexts[18], "*.vam"}, "vms",
                     G.ProgramFolder + "\\test spectra", false);
  } else if (format == kVamasCode + 1) {
    G.FileDialogResult = G.SourceFilePath;
  }
  if (G.FileDialogResult.empty() || G.FileDialogResult.find('*') != std::string::npos) {
    G.VamasBlockCount = G.BlockCount;
    return;
  }

  EraseImportedSpectra();
  G.SourceFilePath = G.FileDialogResult;
  std::string& text = FileTextBuffer();
  if (!ReadFileText(G.FileDialogResult, text)) {
    RefuseImportFile(w);
    return;
  }
  // The parsed file stays until the next import replaces it, so that its
  // blocks' memory is not given back and taken anew by every import.
  static VamasFile lastFile;
  lastFile = ParseVamas(text, KeptForImport);
  const VamasFile& file = lastFile;
  if (file.Status == VamasStatus::NotVamas) {
    RefuseImportFile(w);
    return;
  }
  ExperimentComment = file.Comment;
  const std::string mode(plat::Trim(file.Mode));
  G.ImportMode = mode == "SDP" ? std::string("SDP_VAM") : mode;
  G.SpectraReadCount = 0;
  bool tellUser = file.Status == VamasStatus::Malformed;

  if (mode == "NORM" || mode == "MAP") {
    const std::size_t stored = std::min<std::size_t>(file.Blocks.size(), kMaxWindows);
    if (file.BlocksRead > static_cast<long long>(stored)) tellUser = true;
    for (std::size_t i = 0; i < stored; ++i) StoreBlock(file.Blocks[i], static_cast<int>(i + 1));
    G.SpectraReadCount = static_cast<Int16>(stored);
    G.BlockCount = static_cast<Int16>(std::min<long long>(file.BlockCount, 32767));
  } else if (mode == "SDP") {
    int regions = 0, levels = 0;
    DepthProfileShape(file, regions, levels);
    if (file.Status == VamasStatus::Malformed || levels < 1 ||
        file.BlocksRead < file.RegionCount * levels) {
      RefuseImportFile(w);
      return;
    }
    if (file.RegionCount > regions) tellUser = true;
    for (int r = 1; r <= regions; ++r) {
      const VamasBlock* first = file.Block(static_cast<long long>(r - 1) * levels);
      G.BlockNames[r] = first->Species;
      BlockTechnique = first->Technique;
    }
    G.BlockCount = static_cast<Int16>(regions);
    G.SpectraReadCount = static_cast<Int16>(std::min(levels, 32767));
  }
  G.VamasBlockCount = G.BlockCount;
  VamasVariableCount = 0;
  if (tellUser) {
    // Blocks read completely stay in the store; the user learns that the
    // file was not taken whole.
    G.CommandId = 3;
    ShowMessage(3, w);
  }
}

void RereadVamasDepthProfile(int w) {
  G.SdpBlockCount = 0;
  if (G.FileDialogResult.empty()) return;
  std::string& text = FileTextBuffer();
  if (!ReadFileText(G.FileDialogResult, text)) {
    RefuseImportFile(w);
    return;
  }
  const VamasFile file = ParseVamas(text, KeptForDepthLevels);
  G.ImportMode = std::string(plat::Trim(file.Mode)) + "_VAM";
  int regions = 0, levels = 0;
  DepthProfileShape(file, regions, levels);
  if (file.Status != VamasStatus::Ok || levels < 1 ||
      file.BlocksRead < file.RegionCount * levels) {
    RefuseImportFile(w);
    return;
  }
  G.BlockCount = static_cast<Int16>(regions);
  G.SpectraReadCount = static_cast<Int16>(levels);
  int k = 0;
  for (int r = 1; r <= regions && k < kMaxWindows; ++r) {
    if (G.ChosenDepthBlocks[r] != r) continue;
    for (int level = 0; level < levels && k < kMaxWindows; ++level) {
      const VamasBlock* b = file.Block(static_cast<long long>(r - 1) * levels + level);
      if (b == nullptr) break;
      BlockTechnique = b->Technique;
      StoreDepthLevel(*b, ++k);
    }
  }
  G.SdpBlockCount = static_cast<Int16>(k);
  TidyImportedTexts();
}

}  // namespace sorvan
