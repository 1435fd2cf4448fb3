// Writing and reading the snapshot file of a spectrum window, and pasting
// a snapshot into the lowest free window.
#include "processing/snapshot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/count_rate.h"
#include "core/free_window.h"
#include "core/messages.h"
#include "core/model.h"
#include "core/model_codes.h"
#include "core/paramset.h"
#include "core/store.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/files.h"
#include "platform/text.h"
#include "shell/menu_fit.h"

namespace sorvan {

namespace {

constexpr int kChannel = 10;
constexpr int kMessageWrongFormat = 3;
constexpr int kMessageFileMissing = 8;
constexpr int kMaxPointCount = std::numeric_limits<Int16>::max();
constexpr int kLabelsPerWindow = 100;

using PeakRows = std::array<std::array<double, kPeakParameters + 1>, kMaxPeaks + 1>;

// The peak table in the form of the file or of the window.
struct PeakTable {
  PeakRows lower{}, upper{}, value{};
};

const std::string& SnapshotPath(const std::string& path) {
  return path.empty() ? G.SnapshotFilePath : path;
}

bool IsMainEntry(int j) { return j == 1 || j == 3 || j == 7 || j == 9; }
bool IsPartnerEntry(int j) { return j == 2 || j == 4 || j == 8 || j == 10; }

void Multiply(PeakTable& t, int p, int j, double r) {
  t.lower[p][j] *= r;
  t.upper[p][j] *= r;
  t.value[p][j] *= r;
  if (t.upper[p][j] < t.lower[p][j]) std::swap(t.lower[p][j], t.upper[p][j]);
}

void Divide(PeakTable& t, int p, int j, double r) {
  if (r == 0) {
    t.lower[p][j] = t.upper[p][j] = t.value[p][j] = 0;
    return;
  }
  t.lower[p][j] /= r;
  t.upper[p][j] /= r;
  t.value[p][j] /= r;
  if (t.upper[p][j] < t.lower[p][j]) std::swap(t.lower[p][j], t.upper[p][j]);
}

void Add(PeakTable& t, int p, int j, double d) {
  t.lower[p][j] += d;
  t.upper[p][j] += d;
  t.value[p][j] += d;
}

// Peaks relative to the first: ratios and distances into absolute entries.
void RelativeToAbsolute(PeakTable& t, int peaks) {
  auto& V = t.value;
  for (int j : {2, 4, 8, 10}) V[1][j] *= V[1][j - 1];
  V[1][6] += V[1][5];
  for (int p = 2; p <= peaks; ++p) {
    for (int j = 1; j <= kPeakParameters; ++j) {
      if (IsMainEntry(j)) Multiply(t, p, j, V[1][j]);
      if (IsPartnerEntry(j)) Multiply(t, p, j, V[p][j - 1]);
    }
    Add(t, p, 5, V[1][5]);
    Add(t, p, 6, V[p][5]);
  }
}

// The inverse: absolute entries into ratios and distances; a ratio whose
// reference is 0 becomes 0.
void AbsoluteToRelative(PeakTable& t, int peaks) {
  auto& V = t.value;
  for (int p = 2; p <= peaks; ++p) {
    const auto own = V[p];  // the peak's absolute entries
    for (int j = 1; j <= kPeakParameters; ++j) {
      if (IsMainEntry(j)) Divide(t, p, j, V[1][j]);
      if (IsPartnerEntry(j)) Divide(t, p, j, own[j - 1]);
    }
    Add(t, p, 5, -V[1][5]);
    Add(t, p, 6, -own[5]);
  }
  for (int j : {2, 4, 8, 10}) V[1][j] = V[1][j - 1] != 0 ? V[1][j] / V[1][j - 1] : 0;
  V[1][6] -= V[1][5];
}

// Heights per second and positions as binding energies (toFile), or back.
void ConvertUnits(PeakTable& t, int peaks, const SpectrumHeaderRecord& h, bool toFile) {
  const double f = CountsPerSecondDivisor(h);
  const double hv = h.ExcitationEnergy;
  for (int p = 1; p <= peaks; ++p) {
    for (int j = 1; j <= kPeakParameters; ++j) {
      if ((j == 1 || j == 2) && G.CpsMode == 0) {
        if (toFile) {
          t.lower[p][j] /= f;
          t.upper[p][j] /= f;
          t.value[p][j] /= f;
        } else {
          t.lower[p][j] *= f;
          t.upper[p][j] *= f;
          t.value[p][j] *= f;
        }
      } else if ((j == 5 || j == 6) && G.EnergyAxisMode == 1) {
        t.value[p][j] = hv - t.value[p][j];
        const double lower = hv - t.upper[p][j];
        t.upper[p][j] = hv - t.lower[p][j];
        t.lower[p][j] = lower;
      }
    }
  }
}

// ---- Writing ----

void Put(const std::string& text) { plat::WriteLine(kChannel, text); }
void Put(double number) { plat::WriteLine(kChannel, plat::NumberToText(number)); }

void PutLabels(int w, int count, bool titles) {
  for (int k = 0; k <= count; ++k) {
    const LabelRecord& label = Labels[LabelIndex(w, k)];
    Put(titles ? label.TitleLabelText : label.AnnotationText);
    Put(titles ? label.TitleLabelX : label.AnnotationX);
    Put(titles ? label.TitleLabelY : label.AnnotationY);
  }
}

// ---- Reading ----

struct MalformedSnapshot : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Every value is read as a whole line, so that a comma inside a text does
// not shift the values after it.
std::string Text() { return plat::ReadLine(kChannel); }
double Number() { return plat::TextToNumber(Text()); }
long long Whole(long long lowest, long long highest) {
  const double x = Number();
  if (!(x >= lowest - 0.5 && x <= highest + 0.5)) throw MalformedSnapshot("value out of range");
  return std::clamp(plat::RoundHalfEven(x), lowest, highest);
}
Byte ByteValue() { return static_cast<Byte>(Whole(0, 255)); }

}  // namespace

void WriteSpectrumSnapshot(int w, const std::string& path) {
  if (!IsSpectrumWindow(w)) return;
  const std::string& file = SnapshotPath(path);
  const WindowRecord& win = Win[w];
  const SpectrumHeaderRecord& h = win.SpectrumHeader;
  const int n = WindowPointCount(w);
  const double f = CountsPerSecondDivisor(h);
  const double toCounts = G.CpsMode == 1 ? f : 1.0;
  const int annotations = std::clamp<int>(win.AnnotationCount, 0, kLabelsPerWindow);
  const int titles = std::clamp<int>(win.TitleLabelCount, 0, kLabelsPerWindow);
  const int peaks = std::clamp<int>(win.PeakCount, 0, kMaxPeaks);

  const std::size_t cut = file.find_last_of('\\');
  if (cut != std::string::npos && cut > 0 && !plat::FolderExists(file.substr(0, cut)))
    plat::CreateFolder(file.substr(0, cut));

  plat::OpenOutput(kChannel, file);
  try {
    Put(annotations);
    PutLabels(w, annotations, false);
    Put(titles);
    PutLabels(w, titles, true);
    Put(win.SourceSpectrumIndex);
    Put(win.EnergyShift);
    Put(win.BackgroundState);
    Put(win.SatelliteState);
    Put(win.RegionPartial);
    Put(win.DerivativeCount);
    Put(win.SpectrumNegated);
    Put(win.SmoothCount);
    Put(win.ScaleMode);
    Put(win.ArithmeticDone);
    Put(win.PeakModel);
    Put(win.RelativeMode);
    Put(win.HasFit);
    Put(win.ParamSetLoaded);
    Put(peaks);
    Put(win.PeakType);
    Put(win.IntegratedArea[1]);
    Put(win.RegionStart);
    Put(win.RegionEnd);
    // Only a single spectrum reads its source: the source text of a view
    // (a project may hold any text there) does not become the source of a
    // pasted spectrum, which the next project save would copy.
    Put(win.WindowKind == SingleSpectrum ? win.SourcePath : std::string());
    Put(win.SourceBlockList);
    Put(win.ImportFormat);
    Put(h.Name);
    Put(h.ShortName);
    Put(n);
    Put(h.StartEnergy);
    Put(h.EndEnergy);
    Put(h.EnergyStep);
    Put(h.PassEnergy);
    Put(h.ExcitationEnergy);
    Put(h.ScanCount);
    Put(h.DwellTime);
    Put(h.Technique);
    Put(h.Comment);
    Put(h.Date);
    Put(h.SourceInfo);
    for (int c = 1; c <= 2; ++c)
      for (int i = 1; i <= n; ++i) Put(SlotData[w](i, c) * toCounts);

    if (win.HasFit != 0) {
      PeakTable t;
      for (int p = 1; p <= peaks; ++p) {
        for (int j = 1; j <= kPeakParameters; ++j) {
          t.lower[p][j] = win.ParameterLower[p][j];
          t.upper[p][j] = win.ParameterUpper[p][j];
          t.value[p][j] = win.ParameterValue[p][j];
        }
      }
      if (win.RelativeMode == 1 && peaks >= 1) RelativeToAbsolute(t, peaks);
      ConvertUnits(t, peaks, h, true);
      Put(win.PeakType);
      Put(100.0 * win.BackgroundState + peaks);
      for (int p = 1; p <= peaks; ++p) {
        for (int j = 1; j <= kPeakParameters; ++j) {
          Put(t.lower[p][j]);
          Put(t.upper[p][j]);
          Put(t.value[p][j]);
          Put(win.ParameterState[p][j]);
        }
      }
    }
    if (win.BackgroundState == BackgroundFitted) {
      for (int k = 1; k <= kBackgroundTerms; ++k) {
        const double perSecond = k <= 4 && G.CpsMode == 0 ? f : 1.0;
        Put(win.BackgroundTermValue[k] / perSecond);
        Put(win.BackgroundTermFixed[k] ? -1.0 : 0.0);
      }
    }
  } catch (...) {
    // The snapshot written before stays whole.
    plat::Discard(kChannel);
    throw;
  }
  plat::Close(kChannel);
}

SnapshotRead ReadSpectrumSnapshot(int v, const std::string& path) {
  if (!IsSpectrumWindow(v)) return SnapshotRead::Malformed;
  const std::string& file = SnapshotPath(path);
  try {
    plat::OpenInput(kChannel, file);
  } catch (const plat::FileError&) {
    ShowMessage(kMessageFileMissing, v);
    return SnapshotRead::Missing;
  }

  WindowRecord rec = Win[v];
  std::vector<LabelRecord> labels(kLabelsPerWindow + 1);
  for (int k = 1; k <= kLabelsPerWindow; ++k) labels[k] = Labels[LabelIndex(v, k)];
  std::vector<double> spectrum, background;
  try {
    rec.AnnotationCount = static_cast<Int16>(Whole(0, kLabelsPerWindow));
    for (int k = 0; k <= rec.AnnotationCount; ++k) {
      LabelRecord& label = labels[k];  // entry 0 is read and dropped
      label.AnnotationText = Text();
      label.AnnotationX = Number();
      label.AnnotationY = Number();
    }
    rec.TitleLabelCount = static_cast<Int16>(Whole(0, kLabelsPerWindow));
    for (int k = 0; k <= rec.TitleLabelCount; ++k) {
      LabelRecord& label = labels[k];
      label.TitleLabelText = Text();
      label.TitleLabelX = Number();
      label.TitleLabelY = Number();
    }
    rec.SourceSpectrumIndex = static_cast<Int16>(Whole(0, kMaxHeaderIndex));
    rec.EnergyShift = Number();
    rec.BackgroundState = ByteValue();
    rec.SatelliteState = ByteValue();
    rec.RegionPartial = ByteValue();
    rec.DerivativeCount = ByteValue();
    rec.SpectrumNegated = ByteValue();
    rec.SmoothCount = ByteValue();
    rec.ScaleMode = ByteValue();
    rec.ArithmeticDone = ByteValue();
    rec.PeakModel = static_cast<Byte>(Whole(0, 1));
    rec.RelativeMode = static_cast<Byte>(Whole(0, 1));
    rec.HasFit = ByteValue();
    rec.ParamSetLoaded = ByteValue();
    rec.PeakCount = static_cast<Int16>(Whole(0, kMaxPeaks));
    rec.PeakType = Text();
    rec.IntegratedArea[1] = Number();
    const long long regionStart = Whole(1, kMaxPointCount);
    const long long regionEnd = Whole(1, kMaxPointCount);
    rec.SourcePath = Text();
    rec.SourceBlockList = Text();
    rec.ImportFormat = ByteValue();
    SpectrumHeaderRecord& h = rec.SpectrumHeader;
    h.Name = Text();
    h.ShortName = Text();
    const int n = static_cast<int>(Whole(1, kMaxPointCount));
    if (regionStart > regionEnd || regionEnd > n) throw MalformedSnapshot("region");
    h.PointCount = static_cast<Int16>(n);
    rec.RegionStart = static_cast<Int16>(regionStart);
    rec.RegionEnd = static_cast<Int16>(regionEnd);
    h.StartEnergy = Number();
    h.EndEnergy = Number();
    h.EnergyStep = Number();
    h.PassEnergy = Number();
    h.ExcitationEnergy = Number();
    h.ScanCount = Number();
    h.DwellTime = Number();
    h.Technique = Text();
    h.Comment = Text();
    h.Date = Text();
    h.SourceInfo = Text();
    spectrum.assign(static_cast<std::size_t>(n) + 1, 0.0);
    background.assign(static_cast<std::size_t>(n) + 1, 0.0);
    for (int i = 1; i <= n; ++i) spectrum[i] = Number();
    for (int i = 1; i <= n; ++i) background[i] = Number();

    if (rec.HasFit != 0) {
      const std::string type = Text();
      rec.PeakType = !type.empty() && type[0] == 'D' ? G.MessageTexts[52] : type;
      const double x = Number();
      const long long peaks = plat::RoundHalfEven(x - 100 * std::floor(x / 100));
      if (peaks != rec.PeakCount) throw MalformedSnapshot("peak count");
      PeakTable t;
      std::array<std::array<Int16, kPeakParameters + 1>, kMaxPeaks + 1> states{};
      for (int p = 1; p <= peaks; ++p) {
        for (int j = 1; j <= kPeakParameters; ++j) {
          t.lower[p][j] = Number();
          t.upper[p][j] = Number();
          t.value[p][j] = Number();
          states[p][j] = static_cast<Int16>(std::min<long long>(
              plat::RoundHalfEven(std::fabs(Number())), std::numeric_limits<Int16>::max()));
        }
      }
      ConvertUnits(t, static_cast<int>(peaks), h, false);
      if (rec.RelativeMode == 1 && peaks >= 1) AbsoluteToRelative(t, static_cast<int>(peaks));
      for (int p = 1; p <= peaks; ++p) {
        for (int j = 1; j <= kPeakParameters; ++j) {
          rec.ParameterLower[p][j] = t.lower[p][j];
          rec.ParameterUpper[p][j] = t.upper[p][j];
          rec.ParameterValue[p][j] = t.value[p][j];
          rec.ParameterState[p][j] = states[p][j];
        }
      }
    }
    if (rec.BackgroundState == BackgroundFitted) {
      const double f = CountsPerSecondDivisor(h);
      for (int k = 1; k <= kBackgroundTerms; ++k) {
        const double perSecond = k <= 4 && G.CpsMode == 0 ? f : 1.0;
        rec.BackgroundTermValue[k] = Number() * perSecond;
        rec.BackgroundTermFixed[k] = Number() != 0;
      }
    }
    // A snapshot ends with its last value; anything more is not ours.
    while (!plat::AtEnd(kChannel)) {
      if (!plat::Trim(Text()).empty()) throw MalformedSnapshot("trailing values");
    }
  } catch (const plat::FileError&) {
    plat::Close(kChannel);
    ShowMessage(kMessageWrongFormat, v);
    return SnapshotRead::Malformed;
  } catch (const MalformedSnapshot&) {
    plat::Close(kChannel);
    ShowMessage(kMessageWrongFormat, v);
    return SnapshotRead::Malformed;
  }
  plat::Close(kChannel);

  // Everything was read: only now does the window change.
  Win[v] = std::move(rec);
  for (int k = 1; k <= kLabelsPerWindow; ++k) Labels[LabelIndex(v, k)] = labels[k];
  const int n = Win[v].SpectrumHeader.PointCount;
  const double toUnit = G.CpsMode == 1 ? CountsPerSecondDivisor(Win[v].SpectrumHeader) : 1.0;
  WorkData.Resize(n);
  WorkBackground.Resize(n);
  for (int i = 1; i <= n; ++i) {
    WorkData[i] = spectrum[i];
    WorkBackground[i] = background[i] / toUnit;
  }
  if (Win[v].HasFit == 0)
    ReadParameterSet(
        v, Win[v].PeakModel == PeakModelDoniachSunjic ? G.ParameterSet2Path : G.ParameterSet1Path);
  return SnapshotRead::Ok;
}

void OpenRestoredSpectrum(int v) {
  WindowRecord& win = Win[v];
  ComputeIntensityRange(v);
  ComputeEnergyRange(v);
  DimSlotData(v);
  StoreWorkData(v, 1);
  StoreWorkBackground(v, 2);
  G.CursorStart = win.RegionStart;
  G.CursorEnd = win.RegionEnd;
  win.RegionLength = static_cast<Int16>(win.RegionEnd - win.RegionStart + 1);
  OpenSpectrumWindow(v, win.SpectrumHeader.Name);
}

int PasteSpectrumSnapshot() {
  const int v = LowestFreeWindow();
  if (RefuseWhenNoFreeWindow(v)) return 0;
  if (ReadSpectrumSnapshot(v) != SnapshotRead::Ok) return 0;
  WindowRecord& win = Win[v];
  const int n = WindowPointCount(v);
  if (G.CpsMode == 1) {
    const double f = CountsPerSecondDivisor(win.SpectrumHeader);
    for (int i = 1; i <= n; ++i) WorkData[i] /= f;
  }
  G.ImportedIndex = win.SourceSpectrumIndex;
  OpenRestoredSpectrum(v);
  if (win.HasFit != 0) {
    // The evaluation runs under the window's line shape; the user's own
    // defaults for new windows come back afterwards.
    const Byte savedModel = G.DefaultPeakModel;
    const Byte savedRelative = G.DefaultRelativeMode;
    G.BatchMode = 2;
    G.DefaultPeakModel = win.PeakModel;
    G.DefaultRelativeMode = win.RelativeMode;
    G.FitPeakCount = win.PeakCount;
    G.FitTypeName = win.PeakType;
    RunFitSequence(v);
    G.BatchMode = 0;
    G.FitRunState = FitIdle;
    G.DefaultPeakModel = savedModel;
    G.DefaultRelativeMode = savedRelative;
  }
  G.CurrentWindow = static_cast<Byte>(v);
  RedrawWindow(v);
  return v;
}

}  // namespace sorvan
