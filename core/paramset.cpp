// Parameter-set files: reading, conversion into a window's conventions and
// the loader of the peak model's default set.
#include "core/paramset.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "core/messages.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sorvan {

namespace {


std::int16_t StateField(double state) {
  long long s = plat::RoundHalfEven(std::fabs(state));
  if (s > std::numeric_limits<std::int16_t>::max()) s = std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(s);
}

void ShowCode(int code) {
  G.CommandId = static_cast<std::int16_t>(code);
  ShowMessage(G.CommandId, G.CurrentWindow);
}

}  // namespace

ParameterSetRead ParseParameterSet(const std::string& path, bool wantBackground,
                                   ParameterSetData& data) {
  std::vector<std::string> fields;
  try {
    fields = ReadAllFields(path);
  } catch (const plat::FileError&) {
    return ParameterSetRead::Missing;
  }
  if (fields.size() < 2) return ParameterSetRead::Short;
  data = ParameterSetData{};
  data.typeName = fields[0];
  data.version = plat::TextToNumber(fields[1]);
  const double count = data.version - 100.0 * std::floor(data.version / 100.0);
  const long long peaks = plat::RoundHalfEven(count);
  if (peaks > kMaxPeaks) return ParameterSetRead::TooManyPeaks;
  data.peakCount = static_cast<int>(peaks);

  std::size_t next = 2;
  const std::size_t peakFields = static_cast<std::size_t>(40 * data.peakCount);
  if (fields.size() < next + peakFields) return ParameterSetRead::Short;
  for (int p = 1; p <= data.peakCount; ++p) {
    for (int j = 1; j <= 10; ++j) {
      data.lower[p][j] = plat::TextToNumber(fields[next++]);
      data.upper[p][j] = plat::TextToNumber(fields[next++]);
      data.value[p][j] = plat::TextToNumber(fields[next++]);
      data.state[p][j] = plat::TextToNumber(fields[next++]);
    }
  }
  if (wantBackground && data.version > 400) {
    if (fields.size() < next + 12) return ParameterSetRead::Short;
    for (int i = 1; i <= 6; ++i) {
      data.background[i] = plat::TextToNumber(fields[next++]);
      data.backgroundFixed[i] = plat::TextToNumber(fields[next++]) != 0;
    }
    data.hasBackground = true;
  }
  return ParameterSetRead::Ok;
}

void ConvertParameterSet(ParameterSetData& data, int w, ParameterSetRules rules) {
  const auto& header = Win[w].SpectrumHeader;
  const double t = header.ScanCount * header.DwellTime;
  const double hv = header.ExcitationEnergy;
  const bool counts = G.CpsMode == 0;
  const bool kinetic = G.EnergyAxisMode == 1;
  auto& L = data.lower;
  auto& U = data.upper;
  auto& V = data.value;
  const int n = data.peakCount;

  // Units and energy scale.
  for (int p = 1; p <= n; ++p) {
    for (int j = 1; j <= 10; ++j) {
      if ((j == 1 || j == 2) && counts) {
        L[p][j] *= t;
        U[p][j] *= t;
        V[p][j] *= t;
      } else if ((j == 5 || j == 6) && kinetic) {
        // A position limit of 0 is one left empty: it stays empty, so that
        // the completion gives it the region's end.
        V[p][j] = hv - V[p][j];
        const double lower = U[p][j] == 0 ? 0 : hv - U[p][j];
        U[p][j] = L[p][j] == 0 ? 0 : hv - L[p][j];
        L[p][j] = lower;
      }
    }
  }
  // Background coefficients 1..4 carry the intensity unit.
  if (data.hasBackground && counts)
    for (int i = 1; i <= 4; ++i) data.background[i] *= t;

  if (Win[w].RelativeMode != 1 || n < 1) return;

  // Peak 1: partner values relative to their main value; limits as read.
  for (int j : {2, 4, 8, 10}) V[1][j] = V[1][j - 1] != 0 ? V[1][j] / V[1][j - 1] : 0;
  V[1][6] = V[1][5] != 0 ? V[1][6] - V[1][5] : 0;

  const bool userChosen = rules == ParameterSetRules::UserChosen;
  for (int p = 2; p <= n; ++p) {
    const double ownPosition = V[p][5];
    for (int j = 1; j <= 10; ++j) {
      if (j == 1 || j == 3 || j == 7 || j == 9) {
        const double r = V[1][j];
        if (r != 0) {
          L[p][j] /= r;
          U[p][j] /= r;
          V[p][j] /= r;
        } else {
          L[p][j] = 0;
          U[p][j] = userChosen ? 0 : 1;
          V[p][j] = 0;
        }
        // A negative reference turns the limits round.
        if (U[p][j] < L[p][j]) std::swap(L[p][j], U[p][j]);
      } else if (j == 2 || j == 4 || j == 8 || j == 10) {
        const double q = V[p][j - 1];  // the main entry as just converted
        if (q != 0) {
          if (userChosen) {
            L[p][j] /= q;
            U[p][j] /= q;
            V[p][j] = V[p][j] / q / V[1][j - 1];
          } else {
            // Divided by the peak's own absolute main value.
            const double absolute = q * V[1][j - 1];
            L[p][j] /= absolute;
            U[p][j] /= absolute;
            V[p][j] /= absolute;
          }
        } else {
          L[p][j] = 0;
          U[p][j] = userChosen ? 0 : 1;
          V[p][j] = userChosen ? 0 : 1;
        }
      }
    }
    // Positions: offset from peak 1, partner offset from the peak's own
    // position. A pair of limits left empty stays empty.
    for (int j : {5, 6}) {
      const double origin = j == 5 ? V[1][5] : ownPosition;
      if (L[p][j] != 0 || U[p][j] != 0) {
        L[p][j] -= origin;
        U[p][j] -= origin;
      }
      V[p][j] -= origin;
    }
  }
}

void StoreParameterSet(const ParameterSetData& data, int w) {
  auto& win = Win[w];
  win.PeakType = (!data.typeName.empty() && data.typeName[0] == 'D') ? G.MessageTexts[52]
                                                                      : data.typeName;
  for (int p = 1; p <= data.peakCount; ++p) {
    for (int j = 1; j <= 10; ++j) {
      win.ParameterLower[p][j] = data.lower[p][j];
      win.ParameterUpper[p][j] = data.upper[p][j];
      win.ParameterValue[p][j] = data.value[p][j];
      win.ParameterState[p][j] = StateField(data.state[p][j]);
    }
  }
}

void ReadParameterSet(int w, const std::string& path) {
  if (!G.ParameterSet1Path.empty()) {
    ParameterSetData data;
    const bool wantBackground = Win[w].BackgroundState == BackgroundNone;
    switch (ParseParameterSet(path, wantBackground, data)) {
      case ParameterSetRead::Missing:
        ShowCode(8);
        break;
      case ParameterSetRead::TooManyPeaks:
      case ParameterSetRead::Short:
        ShowCode(3);
        break;
      case ParameterSetRead::Ok:
        G.ParameterSetVersion = data.version;
        ConvertParameterSet(data, w, ParameterSetRules::Default);
        StoreParameterSet(data, w);
        if (data.hasBackground) {
          for (int i = 1; i <= 6; ++i) {
            Win[w].BackgroundTermValue[i] = data.background[i];
            Win[w].BackgroundTermFixed[i] = data.backgroundFixed[i];
          }
        }
        break;
    }
  }
  Win[w].PeakCount = 1;
}

}  // namespace sorvan
