#include "import/inf.h"

#include <cmath>
#include <functional>
#include <vector>

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

constexpr int kCode = 10;
constexpr int kMaxRegions = 10;

struct Problem {};

double LeadingNumber(const std::string& item, int count) {
  return plat::TextToNumber(plat::Left(item, count));
}

bool AtColumns(const std::string& item, int first, const char* keyword) {
  const std::string k(keyword);
  return plat::Mid(item, first, static_cast<long long>(k.size())) == k;
}

// Reads items until one satisfies `wanted`; the file ending first is a
// problem of the file.
std::string Search(TextItems& file, const std::function<bool(const std::string&)>& wanted) {
  while (!file.AtEnd()) {
    std::string item = file.Item();
    if (wanted(item)) return item;
  }
  throw Problem{};
}

std::string NextItem(TextItems& file) {
  if (file.AtEnd()) throw Problem{};
  return file.Item();
}

std::string NextLine(TextItems& file) {
  if (file.AtEnd()) throw Problem{};
  return file.Line();
}

struct Region {
  std::string name;
  double start = 0, step = 0, pass = 0, dwell = 0;
  long long points = 0;
  double minutes = 0;
};

struct Header {
  std::string date, comment, technique, lens;
  double hv = 0;
  std::vector<Region> regions;
};

// Reads the header file; false when it lacks its signature.
bool ReadHeader(TextItems& file, Header& h) {
  bool signed_ = false;
  for (int i = 0; i < 5 && !file.AtEnd(); ++i)
    if (plat::Left(file.Item(), 15) == "IDENTIFICATION:") {
      signed_ = true;
      break;
    }
  if (!signed_) return false;

  for (int i = 1; i <= 4; ++i) NextLine(file);
  h.date = plat::Mid(NextLine(file), 32, 25);
  h.comment = plat::Trim(plat::Left(NextLine(file), 32));
  const std::string technique = Search(file, [](const std::string& s) {
    return AtColumns(s, 33, "SCA") || AtColumns(s, 33, "Ana");
  });
  h.technique = plat::Trim(plat::Left(technique, 20));
  const std::string lens =
      Search(file, [](const std::string& s) { return AtColumns(s, 33, "Input lens"); });
  h.lens = plat::Trim(plat::Left(lens, 10)) + " " + plat::Trim(plat::Left(NextItem(file), 10));
  const std::string esca =
      Search(file, [](const std::string& s) { return AtColumns(s, 33, "ESCA"); });
  h.hv = RoundUpwardTo(LeadingNumber(esca, 7), 10);
  const std::string count = Search(
      file, [](const std::string& s) { return AtColumns(s, 33, "Number of acquisition"); });
  const long long n = plat::RoundHalfEven(LeadingNumber(count, 3));
  if (n < 1 || n > kMaxRegions) throw Problem{};
  h.regions.resize(static_cast<std::size_t>(n));
  for (Region& r : h.regions) r.minutes = plat::TextToNumber(NextItem(file));
  Search(file, [](const std::string& s) { return AtColumns(s, 1, "REGION INFORMATION:"); });
  NextItem(file);
  NextItem(file);

  const bool fix = h.technique.rfind("FIX", 0) == 0;
  const bool fat = h.technique.rfind("FAT", 0) == 0;
  for (Region& r : h.regions) {
    for (int j = 1;; ++j) {
      const std::string item = NextItem(file);
      switch (j) {
        case 3: r.name = RegionNameOfCode(plat::Trim(plat::Left(item, 4))); break;
        case 6: r.start = h.hv - LeadingNumber(item, 7); break;
        case 10: r.step = LeadingNumber(item, 6); break;
        case 11: r.points = plat::RoundHalfEven(LeadingNumber(item, 5)); break;
        case 30: if (fix) r.pass = LeadingNumber(item, 7); break;
        case 31: if (!fix) r.pass = LeadingNumber(item, 7); break;
        case 37: if (fat) r.pass = LeadingNumber(item, 7); break;
        case 38: if (!fat) r.pass = LeadingNumber(item, 7); break;
        default: break;
      }
      if (AtColumns(item, 33, "Time")) {
        r.dwell = LeadingNumber(item, 8) / 1000.0;
        break;
      }
    }
    if (r.points < 1 || r.points > kMaxPoints) throw Problem{};
  }
  return true;
}

// The intensity of a value item: the number in the 12 characters after its
// first blank (from its start when it has none).
double Intensity(const std::string& item) {
  const std::size_t blank = item.find_first_of(" \t");
  const long long from = blank == std::string::npos ? 1 : static_cast<long long>(blank) + 2;
  return plat::TextToNumber(plat::Mid(item, from, 12));
}

void WriteRegion(const Header& h, int k) {
  const Region& r = h.regions[static_cast<std::size_t>(k - 1)];
  ClearImportedHeaderTexts(k);
  SpectrumHeaderRecord& H = ImportedHeader[k];
  H.Name = r.name;
  H.StartEnergy = r.start;
  H.EnergyStep = r.step;
  H.PointCount = static_cast<Int16>(r.points);
  H.PassEnergy = r.pass;
  H.DwellTime = r.dwell;
  H.EndEnergy = r.start + r.step * static_cast<double>(r.points - 1);
  H.ExcitationEnergy = h.hv;
  H.Date = h.date;
  H.SourceInfo = h.lens;
  H.Technique = h.technique;
  H.Comment = h.comment;
  // Scans: the acquisition time over the time of one sweep, rounded; one
  // scan when the sweep takes no time.
  const double sweep = r.dwell * static_cast<double>(r.points);
  H.ScanCount = sweep == 0 ? 1.0 : std::floor(r.minutes * 60.0 / sweep + 0.5);
}

}  // namespace

std::string InfCompanionPath(const std::string& infPath) {
  const std::string stem = infPath.size() >= 3 ? infPath.substr(0, infPath.size() - 3) : "";
  const std::string plain = stem + "ASC";
  if (plat::FileExists(plain)) return plain;
  for (int mask = 1; mask < 8; ++mask) {
    std::string candidate = stem;
    const char* upper = "ASC";
    const char* lower = "asc";
    for (int i = 0; i < 3; ++i) candidate += (mask >> i & 1) ? lower[i] : upper[i];
    if (plat::FileExists(candidate)) return candidate;
  }
  return plain;
}

std::string RegionNameOfCode(const std::string& code) {
  for (int c = 1; c <= G.PhiNameCode.upper(); ++c)
    if (!G.PhiNameCode[c].empty() && G.PhiNameCode[c] == code) return G.PhiNameText[c];
  return code;
}

void ImportInfAsc(int w) {
  G.ImportMode = "NORM";
  const int format = Win[w].ImportFormat;
  if (format == kCode) {
    ChooseImportFile({G.LabelTexts[4], "*.INF"}, "INF", G.ImportFolder, true);
  } else if (format == kCode + 1) {
    G.FileDialogResult = G.SourceFilePath;
  }
  const std::string path = G.FileDialogResult;
  if (path.empty() || path.find('*') != std::string::npos) return;

  EraseImportedSpectra();
  G.SourceFilePath = path;
  G.SpectraReadCount = 0;
  Header header;
  std::string headerText, valueText;
  bool ok = ReadImportText(path, headerText);
  try {
    TextItems file(headerText);
    ok = ok && ReadHeader(file, header);
  } catch (const Problem&) {
    ok = false;
  }
  ok = ok && ReadImportText(InfCompanionPath(path), valueText);
  TextItems values(valueText);
  if (!ok) {
    RefuseImportFile(w);
    return;
  }
  G.DefaultExcitationEnergy = header.hv;

  // The value file holds the regions in header order; a region is kept
  // only when all of its values are there.
  int complete = 0;
  const int n = static_cast<int>(header.regions.size());
  for (int k = 1; k <= n; ++k) {
    const Region& r = header.regions[static_cast<std::size_t>(k - 1)];
    std::vector<double> v;
    v.reserve(static_cast<std::size_t>(r.points));
    while (static_cast<long long>(v.size()) < r.points && !values.AtEnd())
      v.push_back(Intensity(values.Item()));
    if (static_cast<long long>(v.size()) < r.points) break;
    WriteRegion(header, k);
    CheckedVector<double>& store = ImportedValues[k];
    store.Resize(r.points);
    for (long long i = 1; i <= r.points; ++i) store[i] = v[static_cast<std::size_t>(i - 1)];
    complete = k;
  }
  G.SpectraReadCount = static_cast<Int16>(complete);
  if (complete < n) ReportPartialImport(w);
}

}  // namespace sorvan
