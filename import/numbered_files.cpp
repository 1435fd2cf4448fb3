#include "import/numbered_files.h"

#include <vector>

#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/store.h"
#include "dialogs/import_header_pages.h"
#include "import/reader_support.h"
#include "import/text_reading.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kCode = 8;
constexpr int kMaxRegions = 80;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool StartsWith(const std::string& s, const char* prefix) {
  return s.rfind(prefix, 0) == 0;
}

// The identification field: one of four signatures in exactly this case.
bool KnownIdentification(const std::string& id) {
  return StartsWith(id, "XPS") || StartsWith(id, "xps") || StartsWith(id, "AES") ||
         StartsWith(id, "aes");
}

// Files whose values run from low to high kinetic energy.
bool RisingLayout(const std::string& id) {
  return StartsWith(id, "XPSREW") || StartsWith(id, "xpsrew") || StartsWith(id, "AESREW") ||
         StartsWith(id, "aesrew");
}

double Column(const std::string& line, int first, int count) {
  return plat::TextToNumber(plat::Mid(line, first, count));
}

enum class ReadResult { Complete, Refused, CutShort };

// Reads the regions of one file of the set into the store from region m + 1
// on. `several`: the file belongs to a set of more than one file.
ReadResult ReadFile(TextItems& file, const std::string& path, bool several, int& m) {
  if (file.AtEnd()) return ReadResult::Refused;
  const std::string id = file.Item();
  if (!KnownIdentification(id)) return ReadResult::Refused;
  const bool rising = RisingLayout(id);
  const std::string shortName = NumberedFileShortName(path);
  const std::string date = plat::FileDateText(path);
  const double hv = G.DefaultExcitationEnergy;

  while (!file.AtEnd()) {
    const std::string headerLine = file.Item();
    // Blank lines after the last region end the file.
    if (plat::Trim(headerLine).empty()) continue;
    if (m >= kMaxRegions) return ReadResult::CutShort;
    const double e1 = Column(headerLine, 1, 12);
    const double s = Column(headerLine, 25, 12);
    const double scans = Column(headerLine, 37, 12);
    const double dwell = Column(headerLine, 49, 12);
    const long long n = plat::RoundHalfEven(Column(headerLine, 61, 6));
    const double pass = Column(headerLine, 67, 8);
    if (n < 1 || n > kMaxPoints || file.AtEnd()) return ReadResult::CutShort;
    std::string name = plat::Trim(file.Item());
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(n));
    for (long long i = 0; i < n; ++i) {
      if (file.AtEnd()) return ReadResult::CutShort;
      values.push_back(plat::TextToNumber(file.Item()));
    }

    ++m;
    const int h = HeaderIndexOfSpectrum(m);
    ClearImportedHeaderTexts(h);
    SpectrumHeaderRecord& H = ImportedHeader[h];
    H.ShortName = shortName;
    H.Name = several ? name + "_" + shortName : name;
    H.EnergyStep = s < 0 ? -s : s;
    const double span = s * static_cast<double>(n - 1);
    if (s > 0 && !rising) {  // binding energy of the first value, falling kinetic energy
      H.StartEnergy = hv - e1 - span;
      H.EndEnergy = hv - e1;
    } else if (s < 0 && !rising) {  // kinetic energy of the first value, falling
      H.StartEnergy = e1 + span;
      H.EndEnergy = e1;
    } else if (s > 0) {  // rising, kinetic energy of the first value
      H.StartEnergy = e1;
      H.EndEnergy = e1 + span;
    } else if (s < 0) {  // rising, binding energy of the first value
      H.StartEnergy = hv - e1;
      H.EndEnergy = hv - e1 - span;
    } else {
      // No step: the region has no energy span; its first energy is taken
      // as the kinetic energy of all points.
      H.StartEnergy = e1;
      H.EndEnergy = e1;
    }
    H.PointCount = static_cast<Int16>(n);
    H.PassEnergy = pass < 0 ? -pass : pass;
    H.Technique = pass < 0 ? "CRR" : "CAE";
    H.ExcitationEnergy = hv;
    H.ScanCount = scans;
    H.DwellTime = dwell;
    H.Comment = id;
    H.Date = date;

    // Stored in rising kinetic energy: a falling file is stored last value
    // first, a rising one in file order.
    CheckedVector<double>& v = ImportedValues[m];
    v.Resize(n);
    for (long long i = 1; i <= n; ++i)
      v[i] = rising ? values[static_cast<std::size_t>(i - 1)]
                    : values[static_cast<std::size_t>(n - i)];
    G.SpectraReadCount = static_cast<Int16>(m);
  }
  return ReadResult::Complete;
}

}  // namespace

std::string NumberedFileSuccessor(const std::string& path) {
  std::size_t digits = path.size();
  while (digits > 0 && IsDigit(path[digits - 1])) --digits;
  if (digits == path.size()) return {};
  std::string number = path.substr(digits);
  // Decimal increment of the digit text, so that leading zeros and any
  // length of number carry over.
  int i = static_cast<int>(number.size()) - 1;
  for (; i >= 0; --i) {
    if (number[static_cast<std::size_t>(i)] == '9') {
      number[static_cast<std::size_t>(i)] = '0';
    } else {
      ++number[static_cast<std::size_t>(i)];
      break;
    }
  }
  if (i < 0) number.insert(number.begin(), '1');
  return path.substr(0, digits) + number;
}

std::string NumberedFilePredecessor(const std::string& path) {
  std::size_t digits = path.size();
  while (digits > 0 && IsDigit(path[digits - 1])) --digits;
  std::string number = path.substr(digits);
  if (number.find_first_not_of('0') == std::string::npos) return {};
  // Decimal decrement of the digit text, its width kept.
  for (std::size_t i = number.size(); i-- > 0;) {
    if (number[i] == '0') {
      number[i] = '9';
    } else {
      --number[i];
      break;
    }
  }
  return path.substr(0, digits) + number;
}

std::string NumberedFileShortName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.find('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

void ImportNumberedFiles(int w) {
  G.ImportMode = "NORM";
  const int format = Win[w].ImportFormat;
  const bool newImport = format == kCode;
  if (newImport) {
    ChooseImportFile({G.LabelTexts[44], "*.1;*.2;*.3;*.4;*.5"}, "*", G.ImportFolder, true);
  } else if (format == kCode + 1) {
    G.FileDialogResult = G.NumberedFilePath;
    G.DefaultExcitationEnergy = Win[w].SpectrumHeader.ExcitationEnergy;
  }
  G.SpectraReadCount = 0;
  int m = 0;
  const std::string chosen = G.FileDialogResult;
  if (!chosen.empty() && chosen.find('*') == std::string::npos) {
    EraseImportedSpectra();
    G.NumberedFilePath = chosen;
    std::string path = chosen;
    bool first = true;
    while (!path.empty()) {
      G.SourceFilePath = path;
      std::string text;
      if (!ReadImportText(path, text)) {
        RefuseImportFile(w);
        return;
      }
      if (newImport && first) {
        // A foreign file is refused before anything is asked.
        TextItems probe(text);
        if (probe.AtEnd() || !KnownIdentification(probe.Item())) {
          RefuseImportFile(w);
          return;
        }
        ShowExcitationEnergyPage();
      }
      const std::string next = NumberedFileSuccessor(path);
      const bool nextExists = !next.empty() && plat::FileExists(next);
      TextItems file(text);
      const ReadResult result = ReadFile(file, path, !first || nextExists, m);
      if (result == ReadResult::Refused) {
        // A foreign file anywhere in the set refuses the set: nothing of it
        // stays in the store.
        EraseImportedSpectra();
        RefuseImportFile(w);
        return;
      }
      if (result == ReadResult::CutShort) {
        ReportPartialImport(w);
        break;
      }
      first = false;
      path = nextExists ? next : std::string();
    }
    G.SourceFilePath = G.NumberedFilePath;
    G.FileDialogResult = G.NumberedFilePath;
  }
  // After a cancelled dialog SourceFilePath still names the file the store
  // holds; pointing it at another set would let a later reload take the
  // store's values for that set's.
}

}  // namespace sorvan
