// Readers and writers of the reference files: satellite presets, region names,
// doublets, line positions, sensitivity factors and transmission parameters.
#include "core/reference_files.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/file_dialogs.h"
#include "core/messages.h"
#include "core/model.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {

constexpr int kChannel = 1;
constexpr int kRegionNameCount = 434;
constexpr int kLineTableUpper = 1000;
constexpr int kTransmissionLines = 34;
const char* const kSensitivityHeader = "Sensitivity Factors";
const char* const kTransmissionSignature = "transfct";

// Drops the input channel when a reader leaves, also by an exception.
struct ChannelCloser {
  int channel;
  ~ChannelCloser() { plat::Discard(channel); }
};

void ShowWrongFormat() {
  G.CommandId = 3;
  ShowMessage(G.CommandId, G.CurrentWindow);
}

// The chosen file has gone or cannot be read.
void ShowFileMissing() {
  G.CommandId = 8;
  ShowMessage(G.CommandId, G.CurrentWindow);
}

double LineNumber(const std::string& line) { return plat::TextToNumber(FirstField(line)); }

}  // namespace

// ---------------------------------------------------------------- helpers

std::vector<std::string> ReadAllFields(const std::string& path) {
  plat::OpenInput(kChannel, path);
  ChannelCloser closer{kChannel};
  std::vector<std::string> fields;
  while (!plat::AtEnd(kChannel)) fields.push_back(plat::ReadField(kChannel));
  return fields;
}

std::vector<std::string> ReadAllLines(const std::string& path) {
  plat::OpenInput(kChannel, path);
  ChannelCloser closer{kChannel};
  std::vector<std::string> lines;
  while (!plat::AtEnd(kChannel)) lines.push_back(plat::ReadLine(kChannel));
  return lines;
}

std::string FirstField(const std::string& line) {
  const auto comma = line.find(',');
  return comma == std::string::npos ? line : line.substr(0, comma);
}

std::string FileNameOfPath(const std::string& path) {
  const auto slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOfPath(const std::string& path) {
  const auto slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ResolveReferenceFilePath(const std::string& defaultFolder, const std::string& stored) {
  const std::string prefix = defaultFolder + "\\";
  // Start-up joins the folder to whatever the presetting held; a stored full
  // path then follows the folder's backslash with one of its own.
  if (stored.size() > prefix.size() + 1 && stored.compare(0, prefix.size(), prefix) == 0 &&
      stored[prefix.size()] == '\\')
    return stored.substr(prefix.size());
  if (stored.find('\\') != std::string::npos) return stored;
  return prefix + stored;
}

std::string StoredReferenceName(const std::string& defaultFolder, const std::string& source,
                                const std::string& bareName) {
  if (source.empty() || FileNameOfPath(source) != bareName) return bareName;
  if (FolderOfPath(source) == defaultFolder) return bareName;
  return source;
}

std::string SensitivityFolder() { return G.ProgramFolder + "\\sensitifity factors"; }
std::string TransmissionFolder() { return G.ProgramFolder + "\\XPS-transfct"; }

// ---------------------------------------------------------------- satellites

void ReadSatelliteFile() {
  const std::string path = G.SatelliteFilePath;
  const std::vector<std::string> lines = ReadAllLines(path);
  if (lines.size() < 110)
    throw plat::FileError("the satellite file ends before its 110 lines", path);
  // Block j: label, five (offset, intensity) pairs of aluminium, label, the
  // same for magnesium. The labels are not compared.
  for (int j = 1; j <= 5; ++j) {
    const std::size_t block = static_cast<std::size_t>(22 * (j - 1));
    for (int s = 1; s <= 5; ++s) {
      G.AlSatOffsetPresets[j][s] = LineNumber(lines[block + 2 * s - 1]);
      G.AlSatIntensityPresets[j][s] = LineNumber(lines[block + 2 * s]);
      G.MgSatOffsetPresets[j][s] = LineNumber(lines[block + 11 + 2 * s - 1]);
      G.MgSatIntensityPresets[j][s] = LineNumber(lines[block + 11 + 2 * s]);
    }
  }
}

void WriteSatelliteFile() {
  std::vector<std::string> lines;
  for (int j = 1; j <= 5; ++j) {
    lines.push_back("Aluminiumsatelliteni&");
    for (int s = 1; s <= 5; ++s) {
      lines.push_back(plat::NumberToText(G.AlSatOffsetPresets[j][s]));
      lines.push_back(plat::NumberToText(G.AlSatIntensityPresets[j][s]));
    }
    lines.push_back("Magnesiumsatelliteni&");
    for (int s = 1; s <= 5; ++s) {
      lines.push_back(plat::NumberToText(G.MgSatOffsetPresets[j][s]));
      lines.push_back(plat::NumberToText(G.MgSatIntensityPresets[j][s]));
    }
  }
  // A failed write throws and leaves the old table whole.
  plat::ReplaceFileWithLines(G.SatelliteFilePath, lines);
}

// ---------------------------------------------------------------- region names

void ReadRegionNameTable() {
  const std::vector<std::string> fields = ReadAllFields(G.PhiNamesFilePath);
  const int pairs = static_cast<int>(std::min<std::size_t>(fields.size() / 2, kRegionNameCount));
  for (int i = 1; i <= kRegionNameCount; ++i) {
    const bool read = i <= pairs;
    G.PhiNameCode[i] = read ? fields[static_cast<std::size_t>(2 * i - 2)] : std::string();
    G.PhiNameText[i] = read ? fields[static_cast<std::size_t>(2 * i - 1)] : std::string();
  }
}

// ---------------------------------------------------------------- doublets

void ReadDoubletTable() {
  const std::vector<std::string> fields = ReadAllFields(G.DoubletFilePath);
  // The header field is dropped without a comparison.
  const long long n = fields.empty() ? 0 : static_cast<long long>(fields.size()) - 1;
  const long long count = plat::RoundHalfEven(static_cast<double>(n) / 3.0);
  const long long complete = n / 3;
  G.DoubletCount = static_cast<std::int16_t>(std::min<long long>(count, 32767));
  G.DoubletNames.Resize(G.DoubletCount);
  G.DoubletRatios.Resize(G.DoubletCount);
  G.DoubletSplittings.Resize(G.DoubletCount);
  for (long long i = 1; i <= complete && i <= G.DoubletCount; ++i) {
    const std::size_t f = static_cast<std::size_t>(1 + 3 * (i - 1));
    G.DoubletNames[i] = fields[f];
    G.DoubletRatios[i] = plat::TextToNumber(fields[f + 1]);
    G.DoubletSplittings[i] = plat::TextToNumber(fields[f + 2]);
  }
}

bool FindDoubletValues(const std::string& spectrumName, double& ratio, double& splitting) {
  ratio = 1;
  splitting = 0;
  std::string key;
  for (char c : plat::Left(spectrumName, 10))
    if (c != ' ') key += c;
  bool found = false;
  for (long long i = 1; i <= G.DoubletCount && G.DoubletNames.Contains(i); ++i) {
    const std::string& name = G.DoubletNames[i];
    if (name.empty() || key.compare(0, name.size(), name) != 0) continue;
    ratio = G.DoubletRatios[i];
    splitting = G.DoubletSplittings[i];
    found = true;
  }
  return found;
}

// ---------------------------------------------------------------- line positions

std::string LineElementSymbol(const std::string& line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (static_cast<unsigned char>(line[i]) >= 65) return plat::Trim(plat::Left(line.substr(i), 2));
  }
  return {};
}

void ReadLinePositions() {
  const std::string path = G.LinesFolder + "\\linienlage.pos";
  const std::vector<std::string> lines = ReadAllLines(path);
  const int n = static_cast<int>(std::min<std::size_t>(lines.size(), kLineTableUpper));
  for (int k = 1; k <= n; ++k) G.LinePositions[k] = lines[static_cast<std::size_t>(k - 1)];
  G.LineTableCount = static_cast<std::int16_t>(n);
  if (lines.size() > static_cast<std::size_t>(kLineTableUpper))
    throw plat::FileError("the line table holds more than 1000 lines; only the first 1000 are used",
                          path);
}

void LoadLineSelection() {
  const bool all = G.LineFilterAll == 1;
  const bool marked = G.LineFilterMarked == 1;
  const bool element = G.LineFilterElement == 1;
  const bool ownFile = G.LineFilterOwnFile == 1;
  const std::string path = ownFile ? G.LineFilePath : G.LinesFolder + "\\linienlage.pos";
  const std::vector<std::string> lines = ReadAllLines(path);

  std::vector<const std::string*> chosen;
  for (const std::string& line : lines) {
    // Every test that holds lists the line once more (two options may list it twice).
    if (all) chosen.push_back(&line);
    if (marked && line.find('*') != std::string::npos) chosen.push_back(&line);
    if (element) {
      const std::string symbol = LineElementSymbol(line);
      if (!symbol.empty() && symbol == G.LineFilterSymbol) chosen.push_back(&line);
    }
    if (ownFile) chosen.push_back(&line);
  }
  const int n = static_cast<int>(std::min<std::size_t>(chosen.size(), kLineTableUpper));
  for (int k = 1; k <= n; ++k) G.LineList[k] = *chosen[static_cast<std::size_t>(k - 1)];
  G.ListEntryCount = static_cast<std::int16_t>(n);
  if (chosen.size() > static_cast<std::size_t>(kLineTableUpper))
    throw plat::FileError("more than 1000 lines were selected; only the first 1000 are listed", path);
}

// ---------------------------------------------------------------- sensitivity factors

namespace {

// Stores the name/factor pairs that follow the header field; a name without
// its factor at the end is dropped.
void StoreSensitivityTable(const std::vector<std::string>& fields) {
  const long long m = fields.empty() ? 0 : static_cast<long long>(fields.size()) - 1;
  const long long count = std::min<long long>(m / 2, std::numeric_limits<Int16>::max());
  G.SensitivityLines.Resize(count);
  G.SensitivityFactors.Resize(count);
  for (long long i = 1; i <= count; ++i) {
    const std::size_t f = static_cast<std::size_t>(2 * i - 1);
    G.SensitivityLines[i] = fields[f];
    G.SensitivityFactors[i] = plat::TextToNumber(fields[f + 1]);
  }
  G.SensitivityCount = static_cast<std::int16_t>(count);
}

}  // namespace

void ReadSensitivityFactors() {
  const std::string folder = SensitivityFolder();
  const std::string stored = G.SensitivityFilePath;
  // A presetting that named no table (or was refused) leaves the table empty.
  if (plat::Trim(stored).empty() || stored == folder + "\\") {
    G.SensitivityFilePath.clear();
    return;
  }
  std::string path = ResolveReferenceFilePath(folder, stored);
  // A table remembered from another folder that has gone: try the same name
  // in the default folder before giving up.
  if (!plat::FileExists(path) && FolderOfPath(path) != folder &&
      plat::FileExists(folder + "\\" + FileNameOfPath(path)))
    path = folder + "\\" + FileNameOfPath(path);
  std::vector<std::string> fields;
  try {
    fields = ReadAllFields(path);
  } catch (const plat::FileError&) {
    // Keep the name the presetting held, so that the next start tries again.
    G.SensitivityFilePath = FolderOfPath(path) == folder ? FileNameOfPath(path) : path;
    throw;
  }
  StoreSensitivityTable(fields);
  G.SensitivitySource = path;
  G.SensitivityFilePath = FileNameOfPath(path);
}

bool LoadSensitivityFactorsFrom(const std::string& path) {
  std::vector<std::string> fields;
  try {
    fields = ReadAllFields(path);
  } catch (const plat::FileError&) {
    ShowFileMissing();
    return false;
  }
  if (fields.empty() || fields[0] != kSensitivityHeader) {
    ShowWrongFormat();
    return false;
  }
  StoreSensitivityTable(fields);
  G.SensitivitySource = path;
  G.SensitivityFilePath = FileNameOfPath(path);
  return true;
}

void LoadSensitivityFactors() {
  const std::string path =
      ChooseFileToOpen({G.LabelTexts[7], "*.sen", G.CaptionTexts[14], "*.*"}, "*.sen", "sen",
                       SensitivityFolder(), G.LabelTexts[9]);
  if (path.empty()) return;
  LoadSensitivityFactorsFrom(path);
}

// ---------------------------------------------------------------- transmission parameters

namespace {

// Coefficient c (1..10) stands on line 13 + 2c; its fix flag on the next line.
std::array<double, 11> TransmissionCoefficientsOf(const std::vector<std::string>& lines) {
  std::array<double, 11> coef{};
  for (int c = 1; c <= 10; ++c)
    coef[static_cast<std::size_t>(c)] = LineNumber(lines[static_cast<std::size_t>(12 + 2 * c)]);
  return coef;
}

void StoreTransmissionCoefficients(const std::array<double, 11>& coef) {
  for (int c = 1; c <= 10; ++c) G.QuantTransmissionCoef[c] = coef[static_cast<std::size_t>(c)];
}

}  // namespace

double TransmissionParameterValue(const double* c, double energy) {
  const double x = (energy - 1000.0) / 1000.0;
  return c[1] + x * (c[2] + x * (c[3] + x * (c[4] + x * c[5]))) + c[6] * std::pow(energy, c[7]);
}

bool TransmissionFunctionFinite(const double* coef) {
  for (double energy : {200.0, 1000.0, 1560.0})
    if (!std::isfinite(TransmissionParameterValue(coef, energy))) return false;
  return true;
}

void ReadTransmissionParameters() {
  const std::string folder = TransmissionFolder();
  const std::string stored = G.TransmissionFilePath;
  if (plat::Trim(stored).empty() || stored == folder + "\\") {
    G.TransmissionFilePath.clear();
    return;
  }
  std::string path = ResolveReferenceFilePath(folder, stored);
  if (!plat::FileExists(path) && FolderOfPath(path) != folder &&
      plat::FileExists(folder + "\\" + FileNameOfPath(path)))
    path = folder + "\\" + FileNameOfPath(path);
  std::vector<std::string> lines;
  try {
    lines = ReadAllLines(path);
    if (lines.size() < static_cast<std::size_t>(kTransmissionLines))
      throw plat::FileError("the transmission file ends before its 34 lines", path);
  } catch (const plat::FileError&) {
    G.TransmissionFilePath = FolderOfPath(path) == folder ? FileNameOfPath(path) : path;
    throw;
  }
  const std::array<double, 11> coef = TransmissionCoefficientsOf(lines);
  if (!TransmissionFunctionFinite(coef.data())) {
    G.TransmissionFilePath = FolderOfPath(path) == folder ? FileNameOfPath(path) : path;
    throw plat::FileError("the transmission function of the file is no finite number", path);
  }
  StoreTransmissionCoefficients(coef);
  G.TransmissionSource = path;
  G.TransmissionFilePath = FileNameOfPath(path);
}

bool LoadTransmissionParametersFrom(const std::string& path) {
  std::vector<std::string> lines;
  try {
    lines = ReadAllLines(path);
  } catch (const plat::FileError&) {
    ShowFileMissing();
    return false;
  }
  if (lines.size() < static_cast<std::size_t>(kTransmissionLines) ||
      lines[1] != kTransmissionSignature) {
    ShowWrongFormat();
    return false;
  }
  const std::array<double, 11> coef = TransmissionCoefficientsOf(lines);
  if (!TransmissionFunctionFinite(coef.data())) {
    ShowWrongFormat();
    return false;
  }
  StoreTransmissionCoefficients(coef);
  G.TransmissionSource = path;
  G.TransmissionFilePath = FileNameOfPath(path);
  return true;
}

void LoadTransmissionParameters() {
  const std::string path =
      ChooseFileToOpen({G.LabelTexts[7], "*.trm", G.CaptionTexts[14], "*.*"}, "*.trm", "trm",
                       TransmissionFolder(), G.LabelTexts[9]);
  if (path.empty()) return;
  LoadTransmissionParametersFrom(path);
}

}  // namespace sorvan
