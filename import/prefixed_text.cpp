#include "import/prefixed_text.h"

#include <algorithm>
#include <cmath>

#include "core/model_codes.h"
#include "core/store.h"
#include "dialogs/import_header_pages.h"
#include "import/formats.h"
#include "import/reader_support.h"
#include "import/text_reading.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

using plat::Mid;

struct Problem {
  std::string what;
};

int PointCountOf(double number) {
  const long long n = plat::RoundHalfEven(number);
  if (n < 1) throw Problem{"the spectrum has no points"};
  if (n > kMaxPoints) throw Problem{"the spectrum has more points than a spectrum holds"};
  return static_cast<int>(n);
}

// The number in `width` characters after the `nth` ";" of a data item.
double NumberAfterSemicolon(const std::string& item, int nth, long long width) {
  std::size_t at = std::string::npos;
  for (int i = 0; i < nth; ++i) {
    at = item.find(';', at == std::string::npos ? 0 : at + 1);
    if (at == std::string::npos) throw Problem{"a data line has too few fields"};
  }
  return NumberInColumns(item, static_cast<long long>(at) + 2, width);
}

void ParseKomm(TextItems& items, PrefixedTextFile& file) {
  SpectrumHeaderRecord& h = file.header;
  bool longForm = false;
  int n = 0;
  for (int j = 1; j <= 13; ++j) {
    std::string item = items.Item("a header line");
    if (j == 8 && item.rfind("phot_energy", 0) == 0) {
      // Files with a photon-energy line carry the pass energy on the next
      // line and the long data lines.
      longForm = true;
      item = items.Item("a header line");
    }
    switch (j) {
      case 2: h.Date = Mid(item, 15, 14); break;
      case 4: h.SourceInfo = Mid(item, 15, 10); break;
      case 5: h.Technique = Mid(item, 15, 5); break;
      case 6: h.EndEnergy = NumberInColumns(item, 15, 8); break;
      case 7: h.StartEnergy = NumberInColumns(item, 15, 8); break;
      case 8: h.PassEnergy = NumberInColumns(item, 16, 5); break;
      case 9: h.EnergyStep = NumberInColumns(item, 17, 8); break;
      case 10: h.ScanCount = NumberInColumns(item, 18, 2); break;
      case 11: h.DwellTime = NumberInColumns(item, 16, 3) / 1000; break;
      case 12: n = PointCountOf(NumberInColumns(item, 14, 6)); break;
      default: break;
    }
  }
  h.PointCount = static_cast<Int16>(n);
  std::vector<double> quotients(static_cast<std::size_t>(n));
  double largest = 0;
  for (int i = 0; i < n; ++i) {
    const std::string item = items.Item("a data line");
    const double x = NumberAfterSemicolon(item, longForm ? 7 : 1, 9);
    const double y = NumberAfterSemicolon(item, longForm ? 8 : 2, 6);
    const double q = y == 0 ? x : x / y;
    quotients[static_cast<std::size_t>(i)] = q;
    largest = std::max(largest, q);
  }
  const double factor = largest <= 100 ? 1000 : 1;
  file.values.resize(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i)
    file.values[static_cast<std::size_t>(i)] = std::floor(factor * quotients[static_cast<std::size_t>(i)] + 0.5);
}

void ParsePercent(TextItems& items, PrefixedTextFile& file) {
  SpectrumHeaderRecord& h = file.header;
  for (int j = 1; j <= 90; ++j) {
    const std::string item = items.Item("a header line");
    if (j == 61) h.PassEnergy = NumberInColumns(item, 1, 8);
    if (j == 84) h.Date = Mid(item, 1, 10);
  }
  const std::string parameters = items.Item("the parameter line");
  const int n = PointCountOf(NumberInColumns(parameters, 1, 8));
  h.PointCount = static_cast<Int16>(n);
  h.StartEnergy = NumberInColumns(parameters, 24, 14);
  h.EndEnergy = NumberInColumns(parameters, 41, 14);
  h.EnergyStep = RoundUpwardTo(NumberInColumns(parameters, 60, 16), 1000);
  h.DwellTime = RoundUpwardTo(NumberInColumns(parameters, 77, 10), 1000);
  h.ScanCount = 1;
  h.Technique = "FAT";
  h.SourceInfo = " ";
  for (int j = 0; j < 4; ++j) items.Item("a line before the values");
  file.values.resize(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const std::string item = items.Item("a value line");
    file.values[static_cast<std::size_t>(i)] = std::floor(NumberInColumns(item, 7, 10) + 0.5);
    // Each value is followed by a line the reader passes over; the file may
    // end without the last one.
    if (i + 1 < n || !items.AtEnd()) items.Item("a value line");
  }
}

void ParseXps2(TextItems& items, PrefixedTextFile& file) {
  SpectrumHeaderRecord& h = file.header;
  h.Date = items.Line("the date line");
  h.Comment = items.Line("the comment line");
  h.Comment += " / " + items.Line("the comment line");
  const double hv = plat::UpperCase(items.Line("the anode line")) == "MAGNESIUM" ? 1253.6 : 1486.6;
  h.ExcitationEnergy = hv;
  items.Line("a header line");
  h.Name = items.Line("the name line");
  int n = 0;
  for (int j = 1; j <= 26; ++j) {
    const std::string item = items.Item("a header item");
    switch (j) {
      case 2:
        h.Technique = plat::Left(item, 3);
        h.PassEnergy = NumberInColumns(item, 5, 3);
        break;
      case 3: h.ScanCount = plat::TextToNumber(item); break;
      case 4: h.DwellTime = plat::TextToNumber(item) / 1000; break;
      case 20: h.EndEnergy = hv - plat::TextToNumber(item); break;
      case 22: h.StartEnergy = hv - plat::TextToNumber(item); break;
      case 24: n = PointCountOf(plat::TextToNumber(item)); break;
      default: break;
    }
  }
  h.PointCount = static_cast<Int16>(n);
  // The two binding energies bound n intervals; the first point lies one
  // step inside the lower kinetic bound.
  h.EnergyStep = std::fabs(h.StartEnergy - h.EndEnergy) / n;
  h.StartEnergy += h.EnergyStep;
  h.SourceInfo = " ";
  file.values.resize(static_cast<std::size_t>(n));
  for (int i = n; i >= 1; --i) {
    items.Item("a value item");
    file.values[static_cast<std::size_t>(i - 1)] = plat::TextToNumber(items.Item("a value item"));
  }
}

}  // namespace

PrefixedLayout PrefixedLayoutOf(const std::string& firstItem) {
  const std::string prefix = plat::Left(firstItem, 5);
  if (prefix == "komm_") return PrefixedLayout::Komm;
  if (prefix == "%%%%%") return PrefixedLayout::Percent;
  if (prefix == "XPS 2") return PrefixedLayout::Xps2;
  return PrefixedLayout::Unknown;
}

PrefixedTextFile ParsePrefixedText(std::string_view text) {
  PrefixedTextFile file;
  TextItems items(text);
  try {
    file.layout = PrefixedLayoutOf(items.Item("the first line"));
    switch (file.layout) {
      case PrefixedLayout::Komm: ParseKomm(items, file); break;
      case PrefixedLayout::Percent: ParsePercent(items, file); break;
      case PrefixedLayout::Xps2: ParseXps2(items, file); break;
      case PrefixedLayout::Unknown: return file;
    }
    file.complete = true;
  } catch (const FileEnded& e) {
    file.problem = e.what;
  } catch (const Problem& p) {
    file.problem = p.what;
  }
  if (!file.complete) file.values.clear();
  return file;
}

void ImportPrefixedText(int w) {
  G.ImportMode = "NORM";
  const std::string path = ChooseReaderFile(w, PrefixedText, {G.CaptionTexts[20], "*.*"}, "*");
  const bool reread = Win[w].ImportFormat == PrefixedText + 1;
  if (reread) {
    ImportedHeader[1].ExcitationEnergy = Win[w].SpectrumHeader.ExcitationEnergy;
    ImportedHeader[1].Name = Win[w].SpectrumHeader.Name;
  }
  if (path.empty()) return;
  EraseImportedSpectra();
  std::string text;
  if (!ReadImportText(path, text)) {
    RefuseImportFile(w);
    return;
  }
  const PrefixedTextFile file = ParsePrefixedText(text);
  if (file.layout == PrefixedLayout::Unknown || !file.complete) {
    RefuseImportFile(w);
    return;
  }
  G.SpectraReadCount = 1;
  G.SourceFilePath = path;
  const bool fromFile = file.layout == PrefixedLayout::Xps2;
  if (!reread && !fromFile) ShowImportParametersPage(w);

  SpectrumHeaderRecord& H = ImportedHeader[1];
  const std::string name = H.Name;
  const double excitation = H.ExcitationEnergy;
  H = file.header;  // the short name and (but for "XPS 2") the comment empty
  if (!fromFile) {
    H.Name = name;
    H.ExcitationEnergy = excitation;
  }
  const int n = static_cast<int>(file.values.size());
  ImportedValues[1].Resize(n);
  for (int i = 1; i <= n; ++i) ImportedValues[1][i] = file.values[static_cast<std::size_t>(i - 1)];
}

}  // namespace sorvan
