#include "import/spx.h"

#include <algorithm>
#include <cstring>

#include "core/model.h"
#include "core/model_codes.h"
#include "core/store.h"
#include "import/formats.h"
#include "import/reader_support.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kChannel = 1;
// How many fields the searches for a keyword look at before they give up.
constexpr int kShortSearch = 6;
constexpr int kSearch = 20;

// A region cut short or out of step: a keyword that must follow is missing,
// a point count is no number or too large, or its values run out.
struct RegionBroken {};

// Reads `count` lines, fewer when the file ends first.
void SkipLinesToEnd(int count) {
  for (int j = 0; j < count && !plat::AtEnd(kChannel); ++j) ReadImportLine();
}

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

std::string WithoutLastCharacter(const std::string& text) {
  return plat::Left(text, static_cast<long long>(plat::CharacterCount(text)) - 1);
}

// The number that starts at or after `pos` (blanks skipped), by the
// leading-number rule; `pos` moves to the end of its text.
double NextNumber(const std::string& text, std::size_t& pos) {
  const std::size_t n = text.size();
  while (pos < n && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  const std::size_t start = pos;
  auto digits = [&](std::size_t& i) {
    std::size_t count = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') ++i, ++count;
    return count;
  };
  std::size_t i = pos;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t count = digits(i);
  if (i < n && text[i] == '.') {
    ++i;
    count += digits(i);
  }
  if (count == 0) return 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    if (digits(j) > 0) i = j;
  }
  pos = i;
  return plat::TextToNumber(text.substr(start, i - start));
}

// The experiment comment: every header line up to the first region line,
// each without its first seven characters and its last one, after a blank.
std::string ReadExperimentComment() {
  std::string comment;
  for (;;) {
    const std::string line = ReadImportLine();
    if (StartsWith(line, "region")) return comment;
    comment += " " + (line.size() > 8 ? line.substr(7, line.size() - 8) : std::string());
  }
}

// Before every region but the first: its region line, after a "newgroup"
// field when a new group starts. False when the list of regions ends (the
// end of the file, or the quantification part).
bool NextRegionStarts(int& group) {
  if (plat::AtEnd(kChannel)) return false;
  std::string field = ReadImportField();
  if (field == "newgroup") {
    ++group;
    if (plat::AtEnd(kChannel)) return false;
    field = ReadImportField();
  }
  return !StartsWith(field, "quantification");
}

struct SpxRegion {
  double start = 0, end = 0, step = 0;
  double scans = 0, dwell = 0, pass = 0;
  bool anodeKnown = false;
  double excitation = 0;
  bool modeKnown = false;
  std::string technique;
  std::string source, name, date;
  long long levels = 1;  // depth levels; 1 for a plain region
};

// The items of a region from its first field to its depth item.
SpxRegion ReadRegionItems() {
  SpxRegion r;
  SkipImportFields(2);
  const std::string energies = plat::Mid(ReadImportField(), 7);
  std::size_t pos = 0;
  r.start = NextNumber(energies, pos);
  r.end = NextNumber(energies, pos);
  r.step = NextNumber(energies, pos);
  r.scans = plat::TextToNumber(plat::Mid(ReadImportField(), 7));
  r.dwell = plat::TextToNumber(plat::Mid(ReadImportField(), 7));

  std::string anode;
  for (int j = 0; j < kShortSearch; ++j) {
    anode = plat::Trim(ReadImportField());
    if (StartsWith(anode, "xrs_anode")) break;
  }
  if (anode == "xrs_anode =  Mg;") {
    r.anodeKnown = true;
    r.excitation = 1253.6;
  } else if (anode == "xrs_anode =  Al;") {
    r.anodeKnown = true;
    r.excitation = 1486.6;
  }
  SkipImportFields(5);
  const std::string mode = plat::Trim(ReadImportField());
  if (mode == "ea_mode =  esca_c_ep;") {
    r.modeKnown = true;
    r.technique = "CAE";
  } else if (mode == "ea_mode =  esca_c_rr;") {
    r.modeKnown = true;
    r.technique = "CRR";
  }
  SkipImportFields(2);
  r.pass = plat::TextToNumber(plat::Mid(plat::Trim(ReadImportField()), 11));
  SkipImportFields(4);
  r.source = WithoutLastCharacter(plat::Trim(ReadImportField()));
  for (int j = 0; j < kSearch; ++j)
    if (StartsWith(ReadImportField(), "flood")) break;
  r.name = WithoutLastCharacter(plat::Mid(ReadImportLine(), 7));

  std::string date;
  for (int j = 0; j < kSearch; ++j) {
    date = ReadImportField();
    if (StartsWith(date, "measure_date")) break;
    if (StartsWith(date, "quantification")) throw RegionBroken{};
  }
  r.date = plat::Trim(plat::Mid(date, 14));

  SkipImportFields(2);
  const std::string depth = ReadImportField();
  if (StartsWith(depth, "depth")) {
    const double levels = plat::TextToNumber(plat::Mid(depth, 7));
    r.levels = std::max<long long>(1, plat::RoundHalfEven(levels));
  }
  return r;
}

// Skips one spectrum of a region: up to its closing "endoriginal" field and
// the line after it.
void SkipSpectrum() {
  for (;;) {
    const std::string field = ReadImportField();
    if (StartsWith(field, "endoriginal")) break;
    if (StartsWith(field, "quantification")) throw RegionBroken{};
  }
  SkipLinesToEnd(1);
}

// Header of imported spectrum k from a region.
void StoreRegionHeader(int k, const SpxRegion& r, const std::string& name,
                       const std::string& comment) {
  const int h = HeaderIndexOfSpectrum(k);
  ClearImportedHeaderTexts(h);
  SpectrumHeaderRecord& H = ImportedHeader[h];
  H.Name = name;
  H.Comment = comment;
  H.StartEnergy = r.start;
  H.EndEnergy = r.end;
  H.EnergyStep = r.step;
  H.ScanCount = r.scans;
  H.DwellTime = r.dwell;
  // A region whose anode is not named takes the default excitation energy
  // rather than that of some earlier spectrum.
  H.ExcitationEnergy = r.anodeKnown ? r.excitation : G.DefaultExcitationEnergy;
  H.Technique = r.technique;
  H.PassEnergy = r.pass;
  H.SourceInfo = r.source;
  H.Date = r.date;
}

// The point count of spectrum k from its "original" field, then its values.
void ReadSpectrumValues(int k) {
  std::string field;
  for (;;) {
    field = ReadImportField();
    if (StartsWith(field, "original")) break;
    if (StartsWith(field, "quantification")) throw RegionBroken{};
  }
  const std::string count = plat::Trim(plat::Mid(field, 10));
  const long long n = plat::RoundHalfEven(plat::TextToNumber(count));
  if (!BeginsWithNumber(count) || n < 1 || n > kMaxPoints) throw RegionBroken{};
  ImportedHeader[HeaderIndexOfSpectrum(k)].PointCount = static_cast<Int16>(n);
  if (ReadImportedValues(k) != n) {
    ImportedValues[k].Clear();
    throw RegionBroken{};
  }
}

// A group letter from its character code.
std::string GroupLetter(int group) { return std::string(1, static_cast<char>(group)); }

}  // namespace

std::vector<std::string> SpxDepthLabels(const std::string& depthLine, int levels) {
  std::vector<std::string> labels(static_cast<std::size_t>(std::max(levels, 0)) + 1);
  for (int c = 1; c <= levels; ++c) {
    const std::string key = plat::NumberToText(c) + ":";
    const std::size_t at = depthLine.find(key);
    if (at != std::string::npos)
      labels[c] = plat::NumberToText(plat::TextToNumber(depthLine.substr(at + key.size())));
    else if (c > 1)
      labels[c] = labels[c - 1];
  }
  for (int c = 2; c <= levels; ++c)
    labels[c] =
        plat::NumberToText(plat::TextToNumber(labels[c]) + plat::TextToNumber(labels[c - 1]));
  return labels;
}

void ImportSpxExperiment(int w) {
  G.ImportMode = "NORM";
  const std::string path =
      ChooseReaderFile(w, SpxExperiment, {G.LabelTexts[64], "*.exp"}, "exp");
  if (path.empty()) return;
  if (!OpenImportFile(w, path)) return;
  const int mostRegions = static_cast<int>(G.BlockNames.upper());
  int kept = 0;
  int depthRegions = 0;
  long long levels = 0;
  bool whole = true;
  try {
    if (plat::Left(ReadImportField(), 4) != "#SPX") {
      RefuseImportFile(w);
      return;
    }
    const std::string comment = ReadExperimentComment();
    int group = 'A';
    for (bool first = true;; first = false) {
      if (!first && !NextRegionStarts(group)) break;
      const SpxRegion region = ReadRegionItems();
      if (region.levels > 1) {
        // A depth profile: its levels are read once the regions are chosen.
        for (long long c = 0; c < region.levels; ++c) SkipSpectrum();
        ++depthRegions;
        if (depthRegions <= mostRegions) {
          G.BlockNames[depthRegions] = region.name;
          levels = region.levels;
        } else {
          whole = false;  // the block choice offers the first nine regions
        }
        continue;
      }
      if (kept == kMaxWindows) {
        whole = false;  // the store is full; the rest of the file is left
        break;
      }
      const int k = kept + 1;
      StoreRegionHeader(k, region, region.name + "_" + GroupLetter(group), comment);
      ReadSpectrumValues(k);
      kept = k;
      SkipLinesToEnd(1);
      if (plat::AtEnd(kChannel) || StartsWith(ReadImportLine(), "quantification")) break;
    }
  } catch (const plat::FileError&) {
    whole = false;  // the file ended inside a region
  } catch (const RegionBroken&) {
    whole = false;
  }
  plat::Close(kChannel);
  if (depthRegions > 0) {
    G.ImportMode = "SDP_SPE";
    G.SpxRegionCount = static_cast<Int16>(std::min(depthRegions, mostRegions));
    G.BlockCount = G.SpxRegionCount;
    G.DepthLevelCount = static_cast<Int16>(std::min<long long>(levels, kMaxPoints));
    G.SpectraReadCount = G.DepthLevelCount;
  } else {
    G.SpectraReadCount = static_cast<Int16>(kept);
  }
  if (!whole) ReportPartialImport(w);
}

void RereadSpxDepthProfile(int w) {
  G.SdpBlockCount = 0;
  if (G.FileDialogResult.empty()) {
    G.SpectraReadCount = G.DepthLevelCount;
    return;
  }
  if (!OpenImportFile(w, G.FileDialogResult)) return;
  const int regions = std::clamp<int>(G.BlockCount, 0, G.ChosenDepthBlocks.upper());
  int k = 0;
  int r = 0;
  bool whole = true;
  try {
    if (plat::Left(ReadImportField(), 4) != "#SPX") {
      RefuseImportFile(w);
      return;
    }
    const std::string comment = ReadExperimentComment();
    int group = 'A';
    for (bool first = true; r < regions && whole; first = false) {
      if (!first && !NextRegionStarts(group)) break;
      const SpxRegion region = ReadRegionItems();
      if (region.levels <= 1) {
        SkipSpectrum();  // a plain region among the depth regions
        continue;
      }
      ++r;
      if (G.ChosenDepthBlocks[r] != r) {
        for (long long c = 0; c < region.levels; ++c) SkipSpectrum();
        continue;
      }
      const int levels = static_cast<int>(std::min<long long>(region.levels, kMaxPoints));
      const std::vector<std::string> labels = SpxDepthLabels(ReadImportLine(), levels);
      for (int c = 1; c <= levels; ++c) {
        if (k == kMaxWindows) {
          whole = false;  // the store holds 100 spectra
          break;
        }
        StoreRegionHeader(k + 1, region, region.name + "_" + labels[c], comment);
        ReadSpectrumValues(k + 1);
        ++k;
        SkipLinesToEnd(2);
      }
    }
  } catch (const plat::FileError&) {
    whole = false;
  } catch (const RegionBroken&) {
    whole = false;
  }
  plat::Close(kChannel);
  // A chosen region that the file no longer holds was not read either.
  for (int rest = r + 1; rest <= regions; ++rest)
    if (G.ChosenDepthBlocks[rest] == rest) whole = false;
  G.SpectraReadCount = G.DepthLevelCount;
  G.SdpBlockCount = static_cast<Int16>(k);
  TidyImportedTexts();
  if (!whole) ReportPartialImport(w);
}

}  // namespace sorvan
