// The quantification computation (see quantification.h).
#include "dialogs/quantification.h"

#include <algorithm>
#include <cmath>

#include "core/count_rate.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "core/transmission_function.h"
#include "platform/text.h"

namespace sorvan {

namespace {

std::string WithoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ') out += c;
  return out;
}

// The inelastic mean free path term, one decimal: Int(1.03 E^0.745 + 0.5) / 10.
double MeanFreePathTerm(double kineticEnergy) {
  return std::floor(1.03 * std::pow(kineticEnergy, 0.745) + 0.5) / 10;
}

// The transmission function at E, rounded half up to four decimals.
double RoundedTransmission(double kineticEnergy) {
  const double t = TransmissionFunction(G.QuantTransmissionCoef.data(), kineticEnergy);
  return std::floor(t * 10000 + 0.5) / 10000;
}

}  // namespace

std::string QuantLineKey(const std::string& lineName) {
  std::string head = plat::Left(lineName, 10);
  const std::size_t underscore = head.find('_');
  if (underscore != std::string::npos) head.resize(underscore);
  return WithoutBlanks(head);
}

std::string LinePositionName(const std::string& entry) {
  const std::string head = plat::Left(entry, 10);
  for (std::size_t k = 0; k < head.size(); ++k) {
    if (static_cast<unsigned char>(entry[k]) > 64) return WithoutBlanks(plat::Left(entry.substr(k), 7));
  }
  return {};
}

bool IsWagTable() { return plat::UpperCase(plat::Left(G.SensitivityName, 3)) == "WAG"; }

void SetSensitivityName() { G.SensitivityName = FileNameOfPath(G.SensitivitySource); }

void TakeChosenWindowsForQuantification() {
  const int count = std::clamp<int>(G.ChosenWindowCount, 0, kMaxWindows);
  G.QuantWindowCount = static_cast<Int16>(count);
  for (int i = 1; i <= count; ++i) {
    G.QuantWindows[i] = G.ChosenWindows[i];
    const int w = QuantWindow(i);
    G.QuantLineName[i][1] = w == 0 ? std::string() : Win[w].SpectrumHeader.Name;
  }
}

int QuantRowCount() { return std::clamp<int>(G.QuantWindowCount, 0, kMaxWindows); }

int QuantWindow(int i) {
  const double w = G.QuantWindows[i];
  return std::isfinite(w) && IsSpectrumWindow(static_cast<long long>(w)) ? static_cast<int>(w) : 0;
}

int QuantPeakCount(int i) {
  const int w = QuantWindow(i);
  return w == 0 ? 0 : std::clamp<int>(Win[w].PeakCount, 0, kMaxPeaks);
}

void ComputeQuantificationRow(int i, int p) {
  const int w = QuantWindow(i);
  if (w == 0) return;
  const std::string key = QuantLineKey(G.QuantLineName[i][p]);
  const double hv = Win[w].SpectrumHeader.ExcitationEnergy;
  G.QuantKineticEnergy[i][p] = hv - Win[w].MaxBindingEnergy;
  G.QuantEnergyVar[i][p] = (hv - Win[w].MaxBindingEnergy - 1000) / 1000;
  // An empty key (an empty name, or one that begins with "_") names no line:
  // it would match the first entry of either table.
  if (key.empty()) return;

  const int lines = std::clamp<int>(G.LineTableCount, 0, G.LinePositions.upper());
  for (int k = 1; k <= lines; ++k) {
    if (LinePositionName(G.LinePositions[k]).substr(0, key.size()) != key) continue;
    G.QuantKineticEnergy[i][p] = hv - plat::TextToNumber(G.LinePositions[k]);
    G.QuantEnergyVar[i][p] = (G.QuantKineticEnergy[i][p] - 1000) / 1000;
    break;
  }

  const bool wag = IsWagTable();
  const double e = G.QuantKineticEnergy[i][p];
  const long long count = std::min<long long>(
      {static_cast<long long>(G.SensitivityCount), G.SensitivityLines.Upper(), G.SensitivityFactors.Upper()});
  for (long long k = 1; k <= count; ++k) {
    if (G.SensitivityLines[k] != key) continue;
    if (wag) {
      G.QuantFactor[i][p] = G.SensitivityFactors[k];
      continue;
    }
    G.QuantSigma[i][p] = G.SensitivityFactors[k];
    // The mean free path and the transmission need a positive kinetic
    // energy; without one the row has no factor.
    if (!(e > 0)) {
      G.QuantFactor[i][p] = 0;
      continue;
    }
    G.QuantLambda[i][p] = MeanFreePathTerm(e);
    G.QuantTransmission[i][p] = RoundedTransmission(e);
    const double factor = G.QuantSigma[i][p] * G.QuantLambda[i][p] * G.QuantTransmission[i][p];
    G.QuantFactor[i][p] = std::isfinite(factor) ? factor : 0;
  }
}

void ComputeQuantificationFactors() {
  const int rows = QuantRowCount();
  for (int i = 1; i <= rows; ++i)
    for (int p = 1; p <= QuantPeakCount(i); ++p) ComputeQuantificationRow(i, p);
}

bool QuantRowHasFactor(int i, int p) {
  const double f = G.QuantFactor[i][p];
  return f != 0 && std::isfinite(f);
}

bool QuantPercentShown(int i, int p) { return G.QuantNormalisedSum != 0 && QuantRowHasFactor(i, p); }

void ComputeConcentrations() {
  const int rows = QuantRowCount();
  double sum = 0;
  for (int i = 1; i <= rows; ++i) {
    const int w = QuantWindow(i);
    for (int p = 1; p <= QuantPeakCount(i); ++p) {
      WindowRecord& win = Win[w];
      if (win.HasFit != 0) {
        win.IntegratedArea[p] = win.PeakArea[p] + win.PartnerArea[p];
        if (G.CpsMode == 0)
          win.IntegratedArea[p] /=
              CountsPerSecondDivisor(win.SpectrumHeader.ScanCount, win.SpectrumHeader.DwellTime);
      }
      // A row without a factor would add a raw area to areas divided by
      // their factors: it is left out of the sum.
      if (!QuantRowHasFactor(i, p)) {
        G.QuantNormalisedArea[i][p] = 0;
        continue;
      }
      G.QuantNormalisedArea[i][p] = win.IntegratedArea[p] / G.QuantFactor[i][p];
      sum += G.QuantNormalisedArea[i][p];
    }
  }
  G.QuantNormalisedSum = std::isfinite(sum) ? sum : 0;
  for (int i = 1; i <= rows; ++i) {
    for (int p = 1; p <= QuantPeakCount(i); ++p) {
      // Percentages that cannot be formed are cleared rather than left
      // standing from an earlier computation.
      G.QuantPercent[i][p] =
          QuantPercentShown(i, p)
              ? std::floor(100 * G.QuantNormalisedArea[i][p] / G.QuantNormalisedSum * 100 + 0.5) / 100
              : 0;
    }
  }
}

}  // namespace sorvan
