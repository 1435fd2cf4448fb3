#include "import/two_column.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/model.h"
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
  const int n = static_cast<int>(file.intensities.size());
  // The energy step divides by n - 1: a spectrum needs two points.
  if (n < 2) {
    RefuseImportFile(w);
    return;
  }

  SpectrumHeaderRecord& h = ImportedHeader[1];
  ClearImportedHeaderTexts(1);
  h.PointCount = static_cast<Int16>(n);
  h.StartEnergy = v.firstLineIsEnd ? file.lastEnergy : file.firstEnergy;
  h.EndEnergy = v.firstLineIsEnd ? file.firstEnergy : file.lastEnergy;
  CheckedVector<double>& values = ImportedValues[1];
  values.Resize(n);
  for (int i = 1; i <= n; ++i)
    values[v.firstLineIsEnd ? n - i + 1 : i] = file.intensities[static_cast<std::size_t>(i - 1)];

  if (file.dataLines > n) ReportPartialImport(w);

  if (!reread) {
    ShowExcitationEnergyPage();
    const double hv = G.DefaultExcitationEnergy;
    h.ExcitationEnergy = hv;
    if (v.binding) {
      h.EndEnergy = hv - h.EndEnergy;
      h.StartEnergy = hv - h.StartEnergy;
    }
    h.EnergyStep = RoundUpwardTo(std::fabs(h.StartEnergy - h.EndEnergy) / (n - 1), 100000);
    h.Date = plat::FileDateText(path);
    G.LineBuffer = "E_I";
    ShowImportHeaderPage(w);
    // The page recomputes the point count from the energies and the rounded
    // step; the values read are what the spectrum holds.
    h.PointCount = static_cast<Int16>(n);
  } else {
    const SpectrumHeaderRecord& own = Win[w].SpectrumHeader;
    h.Name = own.Name;
    h.ShortName = own.ShortName;
    h.Comment = own.Comment;
    h.Date = own.Date;
    h.SourceInfo = own.SourceInfo;
    h.StartEnergy = own.StartEnergy;
    h.EndEnergy = own.EndEnergy;
    h.ExcitationEnergy = own.ExcitationEnergy;
    h.PointCount = own.PointCount;
    h.EnergyStep = own.EnergyStep;
  }
  G.SpectraReadCount = 1;
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

TwoColumnFile ParseTwoColumn(std::string_view text, bool digitFirstUntrimmed) {
  TwoColumnFile file;
  TextItems lines(text);
  while (!lines.AtEnd()) {
    const std::string line = lines.Line();
    if (!IsTwoColumnDataLine(line, digitFirstUntrimmed)) continue;
    ++file.dataLines;
    if (file.dataLines > kMaxSpectrumPoints) continue;
    double energy = 0, intensity = 0;
    SplitTwoColumnLine(line, energy, intensity);
    energy = RoundUpwardTo(energy, 1000);
    if (file.dataLines == 1) file.firstEnergy = energy;
    file.lastEnergy = energy;
    file.intensities.push_back(intensity);
  }
  return file;
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
