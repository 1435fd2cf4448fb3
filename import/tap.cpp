#include "import/tap.h"

#include <algorithm>

#include "core/model_codes.h"
#include "core/store.h"
#include "import/formats.h"
#include "import/reader_support.h"
#include "import/text_reading.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr std::size_t kMaxSpectra = kMaxWindows;

using plat::Mid;

struct Problem {
  std::string what;
};

int PointCountOf(double number, const char* what) {
  const long long n = plat::RoundHalfEven(number);
  if (n < 1) throw Problem{std::string(what) + " has no points"};
  if (n > kMaxPoints) throw Problem{std::string(what) + " has more points than a spectrum holds"};
  return static_cast<int>(n);
}

// The date of an Eclipse header: the 11 characters that begin 4 characters
// after the first "day" of the item ("Tuesday 05-Mar-2002 ...").
std::string EclipseDate(const std::string& item) {
  const std::size_t at = item.find("day");
  const long long start =
      at == std::string::npos ? 0 : static_cast<long long>(plat::CharacterCount(std::string_view(item).substr(0, at))) + 1;
  return Mid(item, start + 4, 11);
}

// Header items 1..66 of an older Eclipse spectrum.
void ReadVersion1Header(TextItems& items, SpectrumHeaderRecord& h) {
  double dwell = 0;
  for (int j = 1; j <= 66; ++j) {
    const std::string item = items.Item("a spectrum header item");
    switch (j) {
      case 5: h.Name = Mid(item, 18, 20); break;
      case 6: h.Comment = Mid(item, 7, 40); break;
      case 8: h.Date = EclipseDate(item); break;
      case 10: h.Technique = Mid(item, 7, 3); break;
      case 11: h.PassEnergy = NumberInColumns(item, 8, 5); break;
      case 20: h.SourceInfo = Mid(item, 14, 18); break;
      case 23: h.ExcitationEnergy = NumberInColumns(item, 9, 10); break;
      case 35: dwell = NumberInColumns(item, 7, 5); break;
      case 36:
        h.ScanCount = NumberInColumns(item, 8, 5);
        // A blank source field marks the files whose dwell time is in ms;
        // the others carry eight more items here and the time as it stands.
        if (h.SourceInfo == std::string(18, ' ')) {
          h.DwellTime = dwell / 1000;
        } else {
          h.DwellTime = dwell;
          for (int skip = 0; skip < 8; ++skip) items.Item("a spectrum header item");
        }
        break;
      case 59: h.StartEnergy = NumberInColumns(item, 17, 10); break;
      case 60: h.EndEnergy = NumberInColumns(item, 17, 10); break;
      case 61: h.EnergyStep = NumberInColumns(item, 21, 10); break;
      case 64: h.PointCount = static_cast<Int16>(PointCountOf(NumberInColumns(item, 16, 8), "a spectrum")); break;
      default: break;
    }
  }
}

// Header items 1..62 of a newer Eclipse spectrum; a "SOURCE:" item 19 and an
// "Abscissa" item 49 stand for items the file leaves out.
void ReadVersion2Header(TextItems& items, SpectrumHeaderRecord& h) {
  bool sourceTag = false;
  double dwell = 0;
  for (int j = 1; j <= 62; ++j) {
    const std::string item = items.Item("a spectrum header item");
    switch (j) {
      case 4: h.Name = Mid(item, 18, 20); break;
      case 5: h.Comment = Mid(item, 7, 40); break;
      case 8: h.Date = EclipseDate(item); break;
      case 10: h.Technique = Mid(item, 7, 3); break;
      case 11: h.PassEnergy = NumberInColumns(item, 8, 5); break;
      case 19:
        if (item == "SOURCE:") {
          sourceTag = true;
          j += 2;  // the next item counts as 22
        }
        break;
      case 20: h.SourceInfo = Mid(item, 14, 18); break;
      case 24: h.ExcitationEnergy = NumberInColumns(item, 9, 8); break;
      case 36:
        dwell = NumberInColumns(item, 7, 8);
        h.DwellTime = sourceTag ? dwell / 1000 : dwell;
        break;
      case 37: h.ScanCount = NumberInColumns(item, 8, 6); break;
      case 49:
        if (item.rfind("Abscissa", 0) == 0) j += 4;  // the next item counts as 54
        break;
      case 55: h.StartEnergy = NumberInColumns(item, 17, 10); break;
      case 56: h.EndEnergy = NumberInColumns(item, 17, 10); break;
      case 57: h.EnergyStep = NumberInColumns(item, 21, 10); break;
      case 60: h.PointCount = static_cast<Int16>(PointCountOf(NumberInColumns(item, 16, 8), "a spectrum")); break;
      default: break;
    }
  }
}

}  // namespace

int EclipseCountOf(const std::string& countLine) {
  const std::size_t at = countLine.find("spectra");
  if (at == std::string::npos) return -1;
  const long long p = static_cast<long long>(plat::CharacterCount(std::string_view(countLine).substr(0, at))) + 1;
  auto containsAt = [&](long long start) {
    return start >= 1 && Mid(countLine, start, 8) == "contains";
  };
  if (!containsAt(p - 11) && !containsAt(p - 12)) return -1;
  const double count = NumberInColumns(countLine, p - 3, 3);
  return static_cast<int>(std::clamp<long long>(plat::RoundHalfEven(count), -1, 999));
}

TapFile ParseEclipseTap(std::string_view text) {
  TapFile file;
  TextItems items(text);
  try {
    std::string countLine = items.Item("the count line");
    if (countLine.rfind("Eclipse", 0) == 0) {
      file.version = 2;
      countLine = items.Item("the count line");
    }
    const int count = EclipseCountOf(countLine);
    if (count < 1) {
      file.status = TapStatus::NotTap;
      file.problem = "no count line";
      return file;
    }
    file.announced = count;
    for (int k = 1; k <= count; ++k) {
      if (file.spectra.size() == kMaxSpectra) throw Problem{"more spectra than the store holds"};
      TapSpectrum s;
      if (file.version == 1)
        ReadVersion1Header(items, s.header);
      else
        ReadVersion2Header(items, s.header);
      const int n = s.header.PointCount;
      s.values.resize(static_cast<std::size_t>(n));
      for (int i = 0; i < n; ++i)
        s.values[static_cast<std::size_t>(i)] = plat::TextToNumber(items.ValueItem(k));
      file.spectra.push_back(std::move(s));
    }
  } catch (const FileEnded& e) {
    file.status = TapStatus::Malformed;
    file.problem = e.what;
  } catch (const Problem& p) {
    file.status = TapStatus::Malformed;
    file.problem = p.what;
  }
  return file;
}

TapFile ParseTapBlocks(std::string_view text, const std::string& fileDate) {
  TapFile file;
  TextItems items(text);
  try {
    while (!items.AtEnd()) {
      const std::string name = items.Item();
      // Empty lines where a name would stand (as after the last block) end
      // nothing: the file goes on with the next block or ends.
      if (plat::Trim(name).empty()) continue;
      if (name.rfind("**", 0) != 0) {
        if (file.spectra.empty()) {
          file.status = TapStatus::NotTap;
          file.problem = "the first block has no name item";
          return file;
        }
        throw Problem{"a block does not begin with its name item"};
      }
      if (file.spectra.size() == kMaxSpectra) throw Problem{"more blocks than the store holds"};
      const std::string parameters = items.Item("the parameter item");
      TapSpectrum s;
      SpectrumHeaderRecord& h = s.header;
      const int n = PointCountOf(NumberInColumns(parameters, 1, 8), "a block");
      h.Name = Mid(name, 3, 8);
      h.PointCount = static_cast<Int16>(n);
      h.EndEnergy = NumberInColumns(parameters, 9, 8);  // the first value's, the highest
      h.Comment = Mid(parameters, 17, 8);
      h.EnergyStep = NumberInColumns(parameters, 25, 8);
      h.PassEnergy = NumberInColumns(parameters, 33, 8);
      h.ExcitationEnergy = NumberInColumns(parameters, 41, 8);
      h.ScanCount = NumberInColumns(parameters, 49, 8);
      h.DwellTime = NumberInColumns(parameters, 57, 8);
      h.StartEnergy = h.EndEnergy - h.EnergyStep * (n - 1);
      h.Date = fileDate;
      // Ten values to a row; a last row of fewer values is read as it stands.
      s.values.assign(static_cast<std::size_t>(n), 0.0);
      for (int first = 0; first < n; first += 10) {
        const std::string row = items.Item("a value row");
        for (int c = 1; c <= 10 && first + c <= n; ++c)
          s.values[static_cast<std::size_t>(n - (first + c))] = NumberInColumns(row, 15LL * c - 14, 7);
      }
      file.spectra.push_back(std::move(s));
    }
  } catch (const FileEnded& e) {
    file.status = TapStatus::Malformed;
    file.problem = e.what;
  } catch (const Problem& p) {
    file.status = TapStatus::Malformed;
    file.problem = p.what;
  }
  return file;
}

namespace {

// Puts the complete spectra of a parsed file into the store and tells the
// user when the file was not read whole.
void StoreTapFile(int w, const TapFile& file, bool keepTechnique) {
  if (file.status == TapStatus::NotTap || file.spectra.empty()) {
    RefuseImportFile(w);
    return;
  }
  int k = 0;
  for (const TapSpectrum& s : file.spectra) {
    ++k;
    const int h = HeaderIndexOfSpectrum(k);
    SpectrumHeaderRecord& H = ImportedHeader[h];
    const std::string technique = H.Technique;
    H = s.header;  // the short name (and the source text, when the file has none) empty
    if (keepTechnique) H.Technique = technique;
    const int n = static_cast<int>(s.values.size());
    ImportedValues[k].Resize(n);
    for (int i = 1; i <= n; ++i) ImportedValues[k][i] = s.values[static_cast<std::size_t>(i - 1)];
  }
  G.SpectraReadCount = static_cast<Int16>(k);
  if (file.status == TapStatus::Malformed) ReportPartialImport(w);
}

std::string ChooseTapFile(int w, int code) {
  return ChooseReaderFile(w, code, {G.CaptionTexts[19], "*.tap"}, "tap");
}

}  // namespace

void ImportEclipseTap(int w) {
  G.ImportMode = "NORM";
  const std::string path = ChooseTapFile(w, EclipseTap);
  if (path.empty()) return;
  EraseImportedSpectra();
  G.SourceFilePath = path;
  std::string text;
  if (!ReadImportText(path, text)) {
    RefuseImportFile(w);
    return;
  }
  StoreTapFile(w, ParseEclipseTap(text), false);
}

void ImportTapBlocks(int w) {
  G.ImportMode = "NORM";
  const std::string path = ChooseTapFile(w, TapBlocks);
  if (path.empty()) return;
  EraseImportedSpectra();
  G.SourceFilePath = path;
  std::string text;
  if (!ReadImportText(path, text)) {
    RefuseImportFile(w);
    return;
  }
  StoreTapFile(w, ParseTapBlocks(text, plat::FileDateText(path)), true);
}

}  // namespace sorvan
