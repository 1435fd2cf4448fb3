#include "import/keyword_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/store.h"
#include "dialogs/import_header_pages.h"
#include "import/reader_support.h"
#include "import/text_reading.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kCode = 6;
constexpr int kMaxXpdBlocks = 30;
constexpr int kTableHeaderLines = 229;

KeywordLayout g_lastLayout = KeywordLayout::List;

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// The number in the `count` characters after the first blank of a trimmed
// item (from the item's start when it has no blank).
double NumberAfterBlank(const std::string& item, int count) {
  const std::size_t blank = item.find_first_of(" \t");
  const long long from = blank == std::string::npos ? 1 : static_cast<long long>(blank) + 2;
  return plat::TextToNumber(plat::Mid(item, from, count));
}

// Item 1 of a file: the first item, or the second when the first is empty.
std::string FirstItem(TextItems& file) {
  if (file.AtEnd()) return {};
  std::string item = file.Item();
  if (item.empty() && !file.AtEnd()) item = file.Item();
  return item;
}

void FinishHeader() {
  SpectrumHeaderRecord& H = ImportedHeader[1];
  if (H.DwellTime == 0) H.DwellTime = 1;
  if (H.ScanCount == 0) H.ScanCount = 1;
}

void SayInconsistent(int w) {
  G.CommandId = 9;
  ShowMessage(9, w);
}

// Rounds to 1/perUnit by adding half a unit and dropping the fraction, as
// these files have always been compared; gives the count of units, so that
// equal roundings compare exactly.
long long UnitsRounded(double value, double perUnit) {
  // A half written in decimal is a hair below the half in binary; the
  // allowance rounds it up as the text says.
  const double x = value * perUnit;
  const double scaled = std::floor(x + 0.5 + 1e-9 * std::max(1.0, std::fabs(x)));
  if (!std::isfinite(scaled)) return 0;
  if (scaled > 9e18) return static_cast<long long>(9e18);
  if (scaled < -9e18) return static_cast<long long>(-9e18);
  return static_cast<long long>(scaled);
}

// Whether n is a point count a spectrum may have (1..32767); the header
// typed or read may give any number.
bool ValidPointCount(long long n) { return n >= 1 && n <= kMaxPoints; }

void StoreValues(int k, const std::vector<double>& v) {
  CheckedVector<double>& store = ImportedValues[k];
  const long long n = static_cast<long long>(v.size());
  store.Resize(n);
  for (long long i = 1; i <= n; ++i) store[i] = v[static_cast<std::size_t>(i - 1)];
}

// The list layout: every non-empty item a point; the intensity follows the
// energy after a blank. Points beyond the header's count are not kept, and
// the last point of the file always becomes the last point of the spectrum.
bool ReadList(int w, TextItems& file, const std::string& item1, double checkEnd,
              double checkStep) {
  const SpectrumHeaderRecord& H = ImportedHeader[1];
  const long long n = H.PointCount;
  if (!ValidPointCount(n)) return false;
  std::vector<std::string> points;
  points.push_back(plat::Trim(item1));
  while (!file.AtEnd()) {
    std::string item = plat::Trim(file.Item());
    if (!item.empty()) points.push_back(std::move(item));
  }
  const long long c = static_cast<long long>(points.size()) - 1;
  if (checkStep != 0 &&
      UnitsRounded(std::fabs(H.StartEnergy - checkEnd) / checkStep, 10) != c * 10)
    SayInconsistent(w);  // the values are read anyway
  std::vector<double> values(static_cast<std::size_t>(n), 0.0);
  for (long long i = 1; i <= c && i <= n; ++i)
    values[static_cast<std::size_t>(i - 1)] = NumberAfterBlank(points[static_cast<std::size_t>(i - 1)], 30);
  values[static_cast<std::size_t>(n - 1)] = NumberAfterBlank(points.back(), 30);
  StoreValues(1, values);
  return true;
}

bool ReadXywe(const std::string& text) {
  const long long n = ImportedHeader[1].PointCount;
  if (!ValidPointCount(n)) return false;
  TextItems file(text);  // from the start again
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(n));
  std::string item = FirstItem(file);
  for (long long i = 0; i < n; ++i) {
    if (i > 0) {
      if (file.AtEnd()) return false;
      item = file.Item();
    }
    if (StartsWith(item, "komm")) return false;
    values.push_back(std::floor(XyweNumber(item, 20)));
  }
  StoreValues(1, values);
  return true;
}

bool ReadTable(TextItems& file) {
  const long long n = ImportedHeader[1].PointCount;
  if (!ValidPointCount(n)) return false;
  for (int j = 0; j < kTableHeaderLines; ++j) {
    if (file.AtEnd()) return false;
    file.Line();
  }
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(n));
  for (long long i = 0; i < n; ++i) {
    std::string items[3];
    for (std::string& s : items) {
      if (file.AtEnd()) return false;
      s = file.Item();
      if (StartsWith(s, "EOD")) return false;
    }
    values.push_back(plat::TextToNumber(items[1]));
  }
  StoreValues(1, values);
  return true;
}

// The XPD layout: blocks of a name item and the values; every block is a
// spectrum with the header of spectrum 1 and a name of its own.
void ReadXpd(int w, const std::string& text, const std::string baseName) {
  SpectrumHeaderRecord first = ImportedHeader[1];
  const long long n = first.PointCount;
  G.SpectraReadCount = 0;
  if (!ValidPointCount(n)) {
    ReportPartialImport(w);
    return;
  }
  TextItems file(text);  // from the start again
  int d = 0;
  while (true) {
    std::string lead;
    while (!file.AtEnd() && plat::Trim(lead).empty()) lead = file.Item();
    if (plat::Trim(lead).empty()) break;  // the end of the file
    if (d == kMaxXpdBlocks) {
      ReportPartialImport(w);
      break;
    }
    bool complete = !file.AtEnd();
    const std::string name = complete ? file.Item() : std::string();
    complete = complete && !file.AtEnd();
    if (complete) file.Item();  // the item before the values
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(n));
    while (complete && static_cast<long long>(values.size()) < n) {
      if (file.AtEnd()) {
        complete = false;
        break;
      }
      values.push_back(NumberAfterBlank(plat::Trim(file.Item()), 15));
    }
    if (!complete) {
      ReportPartialImport(w);
      break;
    }
    ++d;
    const int h = HeaderIndexOfSpectrum(d);
    if (d > 1) {
      SpectrumHeaderRecord& H = ImportedHeader[h];
      const std::string technique = first.Technique;
      H = first;
      H.ShortName.clear();
      H.Technique = technique;
    }
    ImportedHeader[h].Name = baseName + "_" + plat::Left(name, 5);
    StoreValues(d, values);
    G.SpectraReadCount = static_cast<Int16>(d);
  }
}

bool ReadXstart(int w, TextItems& file, const std::string& item1, bool newImport) {
  SpectrumHeaderRecord& H = ImportedHeader[1];
  if (file.AtEnd()) return false;
  const std::string item2 = file.Item();
  if (file.AtEnd()) return false;
  const std::string item3 = file.Item();
  H.StartEnergy = RoundUpwardTo(plat::TextToNumber(plat::Mid(item1, 7, 8)), 1000);
  H.EnergyStep = RoundUpwardTo(plat::TextToNumber(plat::Mid(item2, 7, 7)), 10000);
  const long long n = plat::RoundHalfEven(plat::TextToNumber(plat::Mid(item3, 4, 4)));
  if (!ValidPointCount(n)) return false;
  H.PointCount = static_cast<Int16>(n);
  H.EndEnergy = H.StartEnergy - static_cast<double>(n) * H.EnergyStep;
  for (int j = 0; j < 2; ++j) {
    if (file.AtEnd()) return false;
    file.Item();
  }
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(n));
  for (long long i = 0; i < n; ++i) {
    if (file.AtEnd()) return false;
    values.push_back(plat::TextToNumber(file.Item()));
  }
  StoreValues(1, values);
  // The header page is asked only of a file read whole.
  if (newImport) {
    G.LineBuffer = item1;
    ShowImportHeaderPage(w);
  }
  return true;
}

}  // namespace

double XyweNumber(const std::string& item, int searchFrom) {
  const std::size_t from = searchFrom > 1 ? static_cast<std::size_t>(searchFrom - 1) : 0;
  const std::size_t e = item.find('e', from);
  if (e == std::string::npos) return plat::TextToNumber(plat::Mid(item, 5));
  // Column of the "e", counted in characters as Mid counts them.
  const long long p = static_cast<long long>(plat::CharacterCount(std::string_view(item).substr(0, e))) + 1;
  const double mantissa = plat::TextToNumber(plat::Mid(item, 5, p - 5));
  const std::string sign = plat::Mid(item, p + 1, 1);
  double exponent = plat::TextToNumber(plat::Mid(item, p + 2, 2));
  if (sign == "-") exponent = -exponent;
  return mantissa * std::pow(10.0, exponent);
}

bool MatchesStartEnergy(double a, double startEnergy, double excitationEnergy) {
  if (a == 0) return false;
  const long long ra = UnitsRounded(a, 1000);
  const long long rs = UnitsRounded(startEnergy, 1000);
  return ra == rs || ra == UnitsRounded(excitationEnergy, 1000) - rs;
}

KeywordLayout LastKeywordLayout() { return g_lastLayout; }

void ImportKeywordText(int w) {
  G.ImportMode = "NORM";
  SpectrumHeaderRecord& H = ImportedHeader[1];
  H.Name.clear();
  const int format = Win[w].ImportFormat;
  const bool newImport = format == kCode;
  const bool reread = format == kCode + 1;
  if (newImport) {
    ChooseImportFile({G.CaptionTexts[20], "*.*"}, "*", G.ImportFolder, true);
  } else if (reread) {
    G.FileDialogResult = G.SourceFilePath;
  }
  const std::string path = G.FileDialogResult;
  if (path.empty() || path.find('*') != std::string::npos) {
    FinishHeader();
    return;
  }

  EraseImportedSpectra();
  G.SourceFilePath = path;
  std::string text;
  if (!ReadImportText(path, text)) {
    RefuseImportFile(w);
    return;
  }
  TextItems file(text);
  const std::string item1 = FirstItem(file);
  if (plat::Trim(item1).empty()) {
    // An empty file, or one that begins with blank lines: nothing to read.
    RefuseImportFile(w);
    return;
  }
  G.LineBuffer = item1;
  const double a = std::fabs(plat::TextToNumber(item1));
  KeywordLayout layout = KeywordLayout::List;
  if (StartsWith(item1, "xstart")) layout = KeywordLayout::Xstart;
  else if (StartsWith(item1, "xywe")) layout = KeywordLayout::Xywe;
  else if (StartsWith(item1, "TABLE")) layout = KeywordLayout::Table;

  if (newImport && layout != KeywordLayout::Xstart) ShowImportHeaderPage(w);
  // The range the list layout is checked against: the typed header, or on
  // a re-read the window's own.
  double checkEnd = H.EndEnergy;
  double checkStep = H.EnergyStep;
  if (reread) {
    const SpectrumHeaderRecord& win = Win[w].SpectrumHeader;
    H.StartEnergy = win.StartEnergy;
    H.ExcitationEnergy = win.ExcitationEnergy;
    H.PointCount = win.PointCount;
    checkEnd = win.EndEnergy;
    checkStep = win.EnergyStep;
  }
  const double S = H.StartEnergy;
  const double hv = H.ExcitationEnergy;

  if (layout == KeywordLayout::List && !MatchesStartEnergy(a, S, hv) &&
      plat::TextToNumber(item1) > 0) {
    // Not the start energy itself: perhaps an XPD file, whose third item
    // begins with it.
    std::string item3;
    for (int j = 0; j < 2 && !file.AtEnd(); ++j) item3 = file.Item();
    if (!MatchesStartEnergy(plat::TextToNumber(plat::Left(item3, 8)), S, hv)) {
      RefuseImportFile(w);
      return;
    }
    layout = KeywordLayout::Xpd;
  }
  g_lastLayout = layout;

  H.SourceInfo.clear();
  H.ShortName.clear();
  G.SpectraReadCount = 1;
  bool ok = true;
  switch (layout) {
    case KeywordLayout::List:
      ok = ReadList(w, file, item1, checkEnd, checkStep);
      break;
    case KeywordLayout::Xywe: {
      const double energy = XyweNumber(item1, 5);
      ok = UnitsRounded(energy, 10) == UnitsRounded(hv - S, 10) && ReadXywe(text);
      break;
    }
    case KeywordLayout::Table:
      ok = ReadTable(file);
      break;
    case KeywordLayout::Xpd:
      // Every block takes spectrum 1's header, so it gets its dwell time
      // and scan count of at least 1 first.
      FinishHeader();
      ReadXpd(w, text, H.Name);
      break;
    case KeywordLayout::Xstart:
      ok = ReadXstart(w, file, item1, newImport);
      break;
  }
  if (!ok) {
    EraseImportedSpectra();
    RefuseImportFile(w);
    return;
  }
  FinishHeader();
}

}  // namespace sorvan
