#include "import/npl_pcf.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

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
constexpr double kAluminium = 1486.6;
constexpr double kMagnesium = 1253.6;

// The value of characters start.. (count of them) of a field; false when
// they do not begin with a number.
bool NumberAt(const std::string& field, int start, int count, double& value) {
  const std::string part = plat::Mid(field, start, count);
  value = plat::TextToNumber(part);
  return BeginsWithNumber(part);
}

bool PointCountInRange(long long n, int least) { return n >= least && n <= kMaxPoints; }

// Reads the values of spectrum k; true when the file held all of its
// points. An item that is not a number is the value 0, as the value readers
// take it; only a file that ends inside the values loses the spectrum.
bool ReadValues(int k) {
  const int n = ImportedHeader[HeaderIndexOfSpectrum(k)].PointCount;
  int items = 0;
  ReadImportedValues(k, &items);
  if (items == n) return true;
  ImportedValues[k].Clear();
  return false;
}

// One spectrum of an NPL file: fourteen header fields, then its values.
bool ReadNplSpectrum(int k) {
  std::array<std::string, 15> f;
  for (int j = 1; j <= 14; ++j) f[j] = ReadImportField();
  double points = 0, start = 0, end = 0, step = 0;
  if (!NumberAt(f[3], 1, 4, points) || !NumberAt(f[4], 7, 9, start) ||
      !NumberAt(f[5], 7, 9, end) || !NumberAt(f[6], 7, 9, step))
    return false;
  const long long n = plat::RoundHalfEven(points);
  if (!PointCountInRange(n, 1)) return false;

  const int h = HeaderIndexOfSpectrum(k);
  ClearImportedHeaderTexts(h);
  SpectrumHeaderRecord& H = ImportedHeader[h];
  H.Name = plat::Mid(f[2], 14, 5);
  H.PointCount = static_cast<Int16>(n);
  H.StartEnergy = start;
  H.EndEnergy = end;
  H.EnergyStep = step;
  H.Technique = plat::Mid(f[9], 1, 3);
  H.PassEnergy = plat::TextToNumber(plat::Mid(f[9], 6, 4));
  H.ScanCount = plat::TextToNumber(plat::Mid(f[11], 1, 2));
  // The file gives the dwell time in milliseconds.
  H.DwellTime = plat::TextToNumber(plat::Mid(f[12], 13, 4)) / 1000;
  H.ExcitationEnergy = plat::UpperCase(plat::Left(f[13], 2)) == "AL" ? kAluminium : kMagnesium;
  return ReadValues(k);
}

// Rounds to a multiple of 1/scale, halves upward.
double RoundUpwardHalf(double value, double scale) {
  return std::floor(value * scale + 0.5) / scale;
}

struct PcfParameters {
  long long points = 0;
  double start = 0, end = 0, pass = 0, dwell = 0;
};

}  // namespace

void ImportNpl(int w) {
  G.ImportMode = "NORM";
  const std::string path = ChooseReaderFile(w, Npl, {G.LabelTexts[64], "*.npl"}, "npl");
  if (path.empty()) return;
  if (!OpenImportFile(w, path)) return;
  int kept = 0;
  bool whole = true;
  try {
    if (plat::Left(ReadImportField(), 3) != "---") {
      RefuseImportFile(w);
      return;
    }
    ReadImportField();
    double count = 0;
    const bool numeric = NumberAt(ReadImportField(), 1, 2, count);
    const long long spectra = plat::RoundHalfEven(count);
    if (!numeric || spectra < 1) {
      RefuseImportFile(w);
      return;
    }
    SkipImportFields(2);
    // The store holds 100 spectra; the rest of the file is left unread.
    whole = spectra <= kMaxWindows;
    const int toRead = static_cast<int>(std::min<long long>(spectra, kMaxWindows));
    for (int k = 1; k <= toRead; ++k) {
      if (!ReadNplSpectrum(k)) {
        whole = false;
        break;
      }
      kept = k;
    }
  } catch (const plat::FileError&) {
    whole = false;  // the file ended inside a header or a value section
  }
  plat::Close(kChannel);
  G.SpectraReadCount = static_cast<Int16>(kept);
  if (!whole) ReportPartialImport(w);
}

void ImportPcf(int w) {
  G.ImportMode = "NORM";
  const std::string path = ChooseReaderFile(w, Pcf, {G.LabelTexts[64], "*.dat"}, "dat");
  if (path.empty()) return;
  if (!OpenImportFile(w, path)) return;
  int kept = 0;
  bool whole = true;
  try {
    if (ReadImportLine() != "PCF") {
      RefuseImportFile(w);
      return;
    }
    ReadImportField();
    const std::string date = ReadImportField();
    SkipImportFields(2);
    const std::string countText = ReadImportField();
    const long long spectra = plat::RoundHalfEven(plat::TextToNumber(countText));
    if (!BeginsWithNumber(countText) || spectra < 1) {
      RefuseImportFile(w);
      return;
    }
    // Names and parameters of every spectrum come before the first value, so
    // all of them are read; the store keeps the first 100 spectra.
    whole = spectra <= kMaxWindows;
    const int stored = static_cast<int>(std::min<long long>(spectra, kMaxWindows));
    std::vector<std::string> names(static_cast<std::size_t>(stored) + 1);
    for (long long j = 1; j <= spectra; ++j) {
      const std::string name = ReadImportField();
      if (j <= stored) names[static_cast<std::size_t>(j)] = name;
    }
    ReadImportField();
    const std::string comment = ReadImportLine();
    SkipImportLines(5);
    const std::string technique = ReadImportLine();
    const double scans = plat::TextToNumber(ReadImportLine());
    ReadImportLine();
    const double excitation = plat::TextToNumber(ReadImportLine()) == 1 ? kMagnesium : kAluminium;
    SkipImportLines(3);

    // Spectra up to the first one whose parameters are unusable are kept.
    int usable = stored;
    std::vector<PcfParameters> parameters(static_cast<std::size_t>(stored) + 1);
    for (long long j = 1; j <= spectra; ++j) {
      std::array<std::string, 8> f;
      for (int i = 1; i <= 7; ++i) f[i] = ReadImportField();
      if (j > usable) continue;
      PcfParameters& p = parameters[static_cast<std::size_t>(j)];
      p.points = plat::RoundHalfEven(plat::TextToNumber(f[1]));
      p.start = plat::TextToNumber(f[2]);
      p.end = plat::TextToNumber(f[3]);
      p.pass = plat::TextToNumber(f[4]);
      p.dwell = plat::TextToNumber(f[6]);
      // The step is derived from the two energies over n - 1 intervals.
      if (!BeginsWithNumber(f[1]) || !BeginsWithNumber(f[2]) || !BeginsWithNumber(f[3]) ||
          !PointCountInRange(p.points, 2)) {
        usable = static_cast<int>(j) - 1;
        whole = false;
      }
    }

    for (int k = 1; k <= usable; ++k) {
      const PcfParameters& p = parameters[static_cast<std::size_t>(k)];
      const int h = HeaderIndexOfSpectrum(k);
      ClearImportedHeaderTexts(h);
      SpectrumHeaderRecord& H = ImportedHeader[h];
      H.Name = names[static_cast<std::size_t>(k)];
      H.PointCount = static_cast<Int16>(p.points);
      // Energies to 0.001 eV and the step to 0.00001 eV, halves upward;
      // a falling energy range keeps its order and gets a positive step.
      const double start = RoundUpwardHalf(p.start, 1000);
      const double end = RoundUpwardHalf(p.end, 1000);
      H.StartEnergy = start;
      H.EndEnergy = end;
      H.EnergyStep =
          RoundUpwardHalf(std::fabs(start - end) / static_cast<double>(p.points - 1), 100000);
      H.PassEnergy = p.pass;
      H.DwellTime = p.dwell;
      H.ScanCount = scans;
      H.Comment = comment;
      H.ExcitationEnergy = excitation;
      H.Technique = technique;
      H.Date = date;
      if (!ReadValues(k)) {
        whole = false;
        break;
      }
      kept = k;
      if (!plat::AtEnd(kChannel)) ReadImportLine();
    }
  } catch (const plat::FileError&) {
    whole = false;  // the file ended inside a header or a value section
  }
  plat::Close(kChannel);
  G.SpectraReadCount = static_cast<Int16>(kept);
  if (!whole) ReportPartialImport(w);
}

}  // namespace sorvan
