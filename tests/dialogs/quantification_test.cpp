// Quantification: the line keys, the lookups in the line-position and
// sensitivity tables, the mean free path and transmission terms, the
// percentages (rows without a factor left out, nothing formed from a sum of
// 0), and the page: its groups of rows, the edits taken on OK and the look of
// a "WAG" table.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dialogs/quantification.h"
#include "dialogs/quantification_page.h"
#include "page_fixture.h"
#include "platform/text.h"

namespace {

using namespace sorvan;
using pagetest::FindControl;
namespace script = plat::script;

constexpr int kPage = 21;
constexpr double kHv = 1486.6;

// Window w: an excitation energy, the maximum at binding energy `maxBinding`,
// a fit of `peaks` peaks whose areas (counts x eV) are `area` + p.
void FittedWindow(int w, int peaks, double area, double maxBinding = 300) {
  WindowRecord& win = Win[w];
  win.WindowOpen = true;
  win.SpectrumHeader.Name = "S" + std::to_string(w);
  win.SpectrumHeader.ExcitationEnergy = kHv;
  win.SpectrumHeader.ScanCount = 2;
  win.SpectrumHeader.DwellTime = 0.5;
  win.MaxBindingEnergy = maxBinding;
  win.HasFit = 1;
  win.PeakCount = static_cast<Int16>(peaks);
  for (int p = 1; p <= peaks; ++p) {
    win.PeakArea[p] = area + p;
    win.PartnerArea[p] = 0;
  }
}

void Choose(const std::vector<int>& windows) {
  G.ChosenWindowCount = static_cast<Int16>(windows.size());
  for (std::size_t k = 0; k < windows.size(); ++k) G.ChosenWindows[static_cast<int>(k + 1)] = windows[k];
  TakeChosenWindowsForQuantification();
}

void SensitivityTable(const std::vector<std::pair<std::string, double>>& entries) {
  const long long n = static_cast<long long>(entries.size());
  G.SensitivityLines.Resize(n);
  G.SensitivityFactors.Resize(n);
  for (long long k = 1; k <= n; ++k) {
    G.SensitivityLines[k] = entries[static_cast<std::size_t>(k - 1)].first;
    G.SensitivityFactors[k] = entries[static_cast<std::size_t>(k - 1)].second;
  }
  G.SensitivityCount = static_cast<Int16>(n);
}

void LineTable(const std::vector<std::string>& lines) {
  for (std::size_t k = 0; k < lines.size(); ++k) G.LinePositions[static_cast<long long>(k + 1)] = lines[k];
  G.LineTableCount = static_cast<Int16>(lines.size());
}

class Quantification : public pagetest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    G.SensitivitySource = "\\prog\\sensitifity factors\\Scofield Al Ka.sen";
    G.SensitivityFilePath = "Scofield Al Ka.sen";
    G.TransmissionFilePath = "Unity.trm";
    SetSensitivityName();
    // IERF = 1 everywhere: only c1.
    G.QuantTransmissionCoef[1] = 1;
    LineTable({" 84.0  Au 4f7/2", " 284.6  C 1s *", " 285.0  C 1s second", " 532.0  O 1s *"});
    SensitivityTable({{"C1s", 1.0}, {"O1s", 2.0}, {"O1s", 2.93}, {"Au4f", 17.1}});
    G.CpsMode = 0;
  }

  static double Percent(int i, int p) { return G.QuantPercent[i][p]; }
};

TEST_F(Quantification, LineKeysAndLineNames) {
  const struct {
    const char* name;
    const char* key;
  } keys[] = {
      {"C 1s_sample 3", "C1s"}, {"Si2p_wafer", "Si2p"}, {"_C 1s", ""}, {"", ""},
      {"O 1s  abcdefgh", "O1sabcd"},  // only the first ten characters count
  };
  for (const auto& c : keys) EXPECT_EQ(QuantLineKey(c.name), c.key) << c.name;
  const struct {
    const char* entry;
    const char* name;
  } names[] = {
      {" 284.6  C 1s *", "C1s*"}, {" 84.00  Au 4f7/2", "Au4f7/"}, {"1234567890 C 1s", ""}, {"", ""},
  };
  for (const auto& c : names) EXPECT_EQ(LinePositionName(c.entry), c.name) << c.entry;
}

TEST_F(Quantification, FactorsFromBothTables) {
  // The transmission polynomial in full: x = (E - 1000) / 1000.
  for (int c = 1; c <= 7; ++c) G.QuantTransmissionCoef[c] = 0;
  G.QuantTransmissionCoef[1] = 0.5;
  G.QuantTransmissionCoef[2] = 0.1;
  G.QuantTransmissionCoef[3] = 0.01;
  G.QuantTransmissionCoef[6] = 30;
  G.QuantTransmissionCoef[7] = -0.5;
  FittedWindow(1, 3, 100);
  Choose({1});
  G.QuantLineName[1][1] = "C 1s";
  G.QuantLineName[1][2] = "O1s_x";  // two sensitivity entries: the last wins
  G.QuantLineName[1][3] = "C1";     // a prefix: the first C 1s line, no factor
  ComputeQuantificationFactors();

  const double e = kHv - 284.6, x = (e - 1000) / 1000;
  EXPECT_DOUBLE_EQ(G.QuantKineticEnergy[1][1], e);
  EXPECT_DOUBLE_EQ(G.QuantEnergyVar[1][1], x);
  EXPECT_DOUBLE_EQ(G.QuantSigma[1][1], 1.0);
  EXPECT_DOUBLE_EQ(G.QuantLambda[1][1], std::floor(1.03 * std::pow(e, 0.745) + 0.5) / 10);
  const double t = 0.5 + 0.1 * x + 0.01 * x * x + 30 * std::pow(e, -0.5);
  EXPECT_DOUBLE_EQ(G.QuantTransmission[1][1], std::floor(t * 10000 + 0.5) / 10000);
  EXPECT_DOUBLE_EQ(G.QuantFactor[1][1], G.QuantSigma[1][1] * G.QuantLambda[1][1] * G.QuantTransmission[1][1]);
  EXPECT_DOUBLE_EQ(G.QuantKineticEnergy[1][2], kHv - 532.0);
  EXPECT_DOUBLE_EQ(G.QuantSigma[1][2], 2.93);
  EXPECT_DOUBLE_EQ(G.QuantKineticEnergy[1][3], kHv - 284.6);
  EXPECT_EQ(G.QuantFactor[1][3], 0.0);
}

TEST_F(Quantification, MeanFreePathTermAt1202eV) {
  FittedWindow(1, 1, 100, kHv - 1202);
  Choose({1});
  G.QuantLineName[1][1] = "C1s";
  LineTable({});
  ComputeQuantificationFactors();
  EXPECT_DOUBLE_EQ(G.QuantKineticEnergy[1][1], 1202);
  EXPECT_DOUBLE_EQ(G.QuantLambda[1][1], 20.3);
}

TEST_F(Quantification, RowsWithoutAFactorTakeNoPart) {
  // Peak 1 C 1s (factor), peak 2 a line in no table, peak 3 an empty key,
  // peak 4 an O 1s line whose kinetic energy is not positive.
  SensitivityTable({{"", 5.0}, {"C1s", 1.0}, {"O1s", 2.0}});
  LineTable({" 84.0  Au 4f7/2", " 284.6  C 1s", " 1500.0  O 1s"});
  FittedWindow(1, 4, 1000);
  Choose({1});
  G.QuantLineName[1][1] = "C1s";
  G.QuantLineName[1][2] = "Xx9z";
  G.QuantLineName[1][3] = "_blank";
  G.QuantLineName[1][4] = "O1s";
  ComputeQuantificationFactors();
  ComputeConcentrations();
  EXPECT_TRUE(QuantRowHasFactor(1, 1));
  for (int p = 2; p <= 4; ++p) {
    EXPECT_FALSE(QuantRowHasFactor(1, p)) << p;
    EXPECT_FALSE(QuantPercentShown(1, p)) << p;
    EXPECT_EQ(Percent(1, p), 0.0) << p;
  }
  // The unknown line and the empty key keep the energy of the maximum.
  EXPECT_DOUBLE_EQ(G.QuantKineticEnergy[1][2], kHv - 300);
  EXPECT_DOUBLE_EQ(G.QuantKineticEnergy[1][3], kHv - 300);
  EXPECT_DOUBLE_EQ(Percent(1, 1), 100.0);
}

TEST_F(Quantification, PercentagesShareTheSumOfAllWindows) {
  FittedWindow(1, 1, 99);   // C 1s, area 100
  FittedWindow(2, 1, 299);  // O 1s, area 300
  Win[1].SpectrumHeader.Name = "C1s";
  Win[2].SpectrumHeader.Name = "O1s";
  Choose({1, 2});
  ComputeQuantificationFactors();
  ComputeConcentrations();
  const double f1 = G.QuantFactor[1][1], f2 = G.QuantFactor[2][1];
  // Counts are divided by scans x dwell time, 2 x 0.5 = 1 here.
  const double n1 = 100 / f1, n2 = 300 / f2;
  EXPECT_DOUBLE_EQ(G.QuantNormalisedArea[1][1], n1);
  EXPECT_DOUBLE_EQ(Percent(1, 1), std::floor(100 * n1 / (n1 + n2) * 100 + 0.5) / 100);
  EXPECT_DOUBLE_EQ(Percent(2, 1), std::floor(100 * n2 / (n1 + n2) * 100 + 0.5) / 100);

  // Counts and counts per second give the same percentages.
  const double counts1 = Percent(1, 1);
  Win[1].SpectrumHeader.ScanCount = 4;
  Win[2].SpectrumHeader.ScanCount = 4;
  ComputeConcentrations();
  EXPECT_DOUBLE_EQ(Win[1].IntegratedArea[1], 50);
  EXPECT_DOUBLE_EQ(Percent(1, 1), counts1);
  G.CpsMode = 1;
  ComputeConcentrations();
  EXPECT_DOUBLE_EQ(Win[1].IntegratedArea[1], 100);
  EXPECT_DOUBLE_EQ(Percent(1, 1), counts1);
}

TEST_F(Quantification, SumOfZeroClearsThePercentages) {
  FittedWindow(1, 2, 100);
  Win[1].SpectrumHeader.Name = "C1s";
  Choose({1});
  ComputeQuantificationFactors();
  ComputeConcentrations();
  EXPECT_GT(Percent(1, 1), 0.0);
  Win[1].PeakArea[1] = Win[1].PeakArea[2] = 0;
  ComputeConcentrations();
  EXPECT_EQ(G.QuantNormalisedSum, 0.0);
  EXPECT_FALSE(QuantPercentShown(1, 1));
  EXPECT_EQ(Percent(1, 1), 0.0);
}

TEST_F(Quantification, WagTableTakesItsValuesAsFactors) {
  G.SensitivitySource = "\\x\\wag factors.sen";
  SetSensitivityName();
  EXPECT_TRUE(IsWagTable());
  FittedWindow(1, 1, 100, 5000);  // a negative kinetic energy does not matter
  Win[1].SpectrumHeader.Name = "O1s";
  Choose({1});
  LineTable({});
  ComputeQuantificationFactors();
  EXPECT_DOUBLE_EQ(G.QuantFactor[1][1], 2.93);
  EXPECT_EQ(G.QuantSigma[1][1], 0.0);
}

// ---- The page ----

int Index(int i, int p) { return (i - 1) * 15 + p; }

std::vector<int> RowsShown() {
  std::vector<int> rows;
  for (const plat::ControlInfo& c : plat::Controls(kPage))
    if (c.name == "lb216") rows.push_back(c.index);
  return rows;
}

TEST_F(Quantification, PageShowsGroupsOfWholeWindows) {
  for (int w = 1; w <= 3; ++w) FittedWindow(w, 5, 10.0 * w);
  Choose({1, 2, 3});
  std::vector<std::vector<int>> groups;
  auto record = [&groups] { groups.push_back(RowsShown()); };
  for (int k = 0; k < 3; ++k) {
    script::Run(record, "rows of the group");
    script::Click("cmd216");
  }
  script::Run(record, "rows of the group");
  script::Click("cmdCancel212");
  G.DialogResult = 0;
  do ShowQuantificationPage();
  while (G.DialogResult != 2);
  ASSERT_EQ(groups.size(), 4u);
  std::vector<int> first, third;
  for (int p = 1; p <= 5; ++p) first.push_back(Index(1, p));
  for (int p = 1; p <= 5; ++p) first.push_back(Index(2, p));
  for (int p = 1; p <= 5; ++p) third.push_back(Index(3, p));
  EXPECT_EQ(groups[0], first);
  EXPECT_EQ(groups[1], third);
  EXPECT_EQ(groups[2], first);
  EXPECT_EQ(groups[3], third);
}

TEST_F(Quantification, PageLayoutAndNoFactorRows) {
  FittedWindow(1, 2, 100);
  Win[1].SpectrumHeader.Name = "C1s";
  Choose({1});
  G.QuantLineName[1][1] = "C1s";
  script::Run([] {
    EXPECT_EQ(plat::DialogCaption(kPage), "M80  L8 Scofield Al Ka.sen  L131 Unity.trm");
    EXPECT_EQ(plat::Text(kPage, "lb216", Index(1, 2)), "M341 2");
    EXPECT_EQ(plat::Text(kPage, "ed211", Index(1, 2)), "C1s");
    EXPECT_EQ(FindControl(kPage, "cmd216").isCancel, true);
    EXPECT_EQ(FindControl(kPage, "cmdOk211").isDefault, true);
    EXPECT_TRUE(plat::Enabled(kPage, "ed212", Index(1, 1)));
    EXPECT_FALSE(plat::ControlExists(kPage, "ed215", Index(1, 1)));
    // Both rows name C 1s and share the sum.
    EXPECT_EQ(plat::Text(kPage, "lb2110", Index(1, 1)), plat::NumberToText(100));
  });
  // Peak 2 renamed to a line in no table: its row shows dashes.
  script::SetText("ed211", Index(1, 2), "Zz1q");
  script::Click("cmdOk211");
  script::Run([] {
    for (const char* name : {"ed212", "ed213", "ed214", "lb225", "lb218", "lb219"})
      EXPECT_EQ(plat::Text(kPage, name, Index(1, 2)), "- - -") << name;
    EXPECT_EQ(plat::Text(kPage, "lb219", Index(1, 1)), plat::NumberToText(100));
  });
  script::Click("cmdCancel212");
  G.DialogResult = 0;
  do ShowQuantificationPage();
  while (G.DialogResult != 2);
  EXPECT_EQ(G.QuantLineName[1][2], "Zz1q");
  EXPECT_DOUBLE_EQ(Percent(1, 1), 100);
}

TEST_F(Quantification, NameAndNumberEditsOfOnePressAreBothTaken) {
  FittedWindow(1, 2, 100);
  Win[1].SpectrumHeader.Name = "C1s";
  Choose({1});
  // Peak 1 renamed to O 1s; peak 2's Sigma typed with a decimal comma.
  script::SetText("ed211", Index(1, 1), "O 1s");
  script::SetText("ed212", Index(1, 2), "1,5");
  script::Click("cmdOk211");
  script::Click("cmdCancel212");
  G.DialogResult = 0;
  do ShowQuantificationPage();
  while (G.DialogResult != 2);
  EXPECT_DOUBLE_EQ(G.QuantSigma[1][1], 2.93);
  EXPECT_DOUBLE_EQ(G.QuantKineticEnergy[1][1], kHv - 532.0);
  EXPECT_DOUBLE_EQ(G.QuantSigma[1][2], 1.5);
  EXPECT_DOUBLE_EQ(G.QuantFactor[1][2], 1.5 * G.QuantLambda[1][2] * G.QuantTransmission[1][2]);
  // The rename kept its looked-up factor; the sum is over both rows.
  const double n1 = 101 / G.QuantFactor[1][1], n2 = 102 / G.QuantFactor[1][2];
  EXPECT_DOUBLE_EQ(Percent(1, 1), std::floor(100 * n1 / (n1 + n2) * 100 + 0.5) / 100);
}

TEST_F(Quantification, WagTablePageEditsTheFactor) {
  G.SensitivitySource = "\\x\\WAG.sen";
  FittedWindow(1, 1, 100);
  Win[1].SpectrumHeader.Name = "O1s";
  Choose({1});
  script::Run([] {
    for (const char* name : {"ed212", "ed213", "ed214"}) {
      EXPECT_EQ(plat::Text(kPage, name, Index(1, 1)), "- - -") << name;
      EXPECT_FALSE(plat::Enabled(kPage, name, Index(1, 1))) << name;
    }
    EXPECT_TRUE(plat::Enabled(kPage, "ed215", Index(1, 1)));
    EXPECT_EQ(plat::Text(kPage, "ed215", Index(1, 1)), plat::NumberToText(2.93));
  });
  script::SetText("ed215", Index(1, 1), "4,25");
  script::Click("cmdOk211");
  script::Click("cmdCancel212");
  G.DialogResult = 0;
  do ShowQuantificationPage();
  while (G.DialogResult != 2);
  EXPECT_DOUBLE_EQ(G.QuantFactor[1][1], 4.25);
  EXPECT_DOUBLE_EQ(G.QuantNormalisedArea[1][1], 101 / 4.25);
}

}  // namespace
