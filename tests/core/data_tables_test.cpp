// Checks of the shipped reference tables: each has the field count and form
// its reader expects, and the physics in it is what a user will rely on
// (calibration lines, Scofield factors, doublet ratios, satellite lines,
// transmission functions normalised at 1000 eV, Auger parameters a = b + c).
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "platform/text.h"
#include "tests/core/data_files.h"

namespace {

using datafiles::ReadFields;
using datafiles::ReadLines;

double Num(const std::string& text) { return plat::TextToNumber(text); }

TEST(DataTables, EveryShippedTextFileEndsItsLinesWithCrLf) {
  const char* files[] = {"phi-names/phi_names.ele",
                         "settings/satellite.set",
                         "settings/doublet.dda",
                         "lines/linienlage.pos",
                         "sensitifity factors/Scofield Al Ka.sen",
                         "sensitifity factors/Scofield Mg Ka.sen",
                         "XPS-transfct/Unity.trm",
                         "XPS-transfct/FAT E-0.5.trm",
                         "auger parameters/Copper.aup",
                         "test spectra/Simulated C1s Au4f.vms"};
  for (const char* f : files) EXPECT_TRUE(datafiles::AllLinesEndCrLf(datafiles::ReadBytes(f))) << f;
}

TEST(DataTables, RegionNamesAre434PairsOfOneFieldPerLine) {
  const auto fields = ReadFields("phi-names/phi_names.ele");
  const auto lines = ReadLines("phi-names/phi_names.ele");
  EXPECT_EQ(fields.size(), 868u);
  EXPECT_EQ(lines, fields) << "no field may hold a comma";
  std::map<std::string, std::string> names;
  for (size_t i = 0; i + 1 < fields.size(); i += 2) {
    EXPECT_LE(fields[i].size(), 4u) << "the import compares the first four characters";
    EXPECT_FALSE(fields[i + 1].empty());
    names[fields[i]] = fields[i + 1];
  }
  EXPECT_EQ(names["C1"], "C 1s");
  EXPECT_EQ(names["Au4"], "Au 4f");
}

TEST(DataTables, SatellitePresetsHoldTheStandardLinesOfBothAnodes) {
  const auto f = ReadFields("settings/satellite.set");
  ASSERT_EQ(f.size(), 110u);
  // Block j (line j of every preset): label, 5 x (offset, intensity) for Al,
  // label, the same for Mg.
  auto al = [&](int j, int s, int k) { return Num(f.at(22 * (j - 1) + 1 + 2 * (s - 1) + k)); };
  auto mg = [&](int j, int s, int k) { return Num(f.at(22 * (j - 1) + 12 + 2 * (s - 1) + k)); };
  const double alOffset[] = {9.8, 11.8, 20.1, 23.4, 69.7};
  const double mgOffset[] = {8.4, 10.2, 17.5, 20.0, 48.5};
  double alSum = 0, mgSum = 0;
  for (int j = 1; j <= 5; ++j) {
    EXPECT_DOUBLE_EQ(al(j, 1, 0), alOffset[j - 1]);
    EXPECT_DOUBLE_EQ(mg(j, 1, 0), mgOffset[j - 1]);
    alSum += al(j, 1, 1);
    mgSum += mg(j, 1, 1);
    EXPECT_DOUBLE_EQ(al(j, 3, 1), 0.0) << "preset 3 is a monochromated source";
  }
  // Intensities are fractions of K alpha 1,2, not per cent.
  EXPECT_NEAR(alSum, 0.1085, 1e-9);
  EXPECT_NEAR(mgSum, 0.1360, 1e-9);
}

TEST(DataTables, DoubletsCarryStatisticalRatiosAndTheirSplittings) {
  const auto f = ReadFields("settings/doublet.dda");
  ASSERT_FALSE(f.empty());
  EXPECT_EQ(f[0], "Dublett Werte");
  ASSERT_EQ((f.size() - 1) % 3, 0u);
  std::map<std::string, std::pair<double, double>> table;
  for (size_t i = 1; i + 2 < f.size(); i += 3) {
    const double ratio = Num(f[i + 1]), split = Num(f[i + 2]);
    EXPECT_TRUE(ratio == 0.5 || std::abs(ratio - 2.0 / 3) < 1e-3 || ratio == 0.75) << f[i];
    EXPECT_GT(split, 0) << f[i];
    table[f[i]] = {ratio, split};
  }
  const std::tuple<const char*, double, double> known[] = {
      {"Au4f", 0.75, 3.67}, {"Ag3d", 0.6667, 6.0}, {"Cu2p", 0.5, 19.83}, {"Si2p", 0.5, 0.6}, {"Fe2p", 0.5, 13.0}};
  for (auto [name, ratio, split] : known) {
    ASSERT_TRUE(table.count(name)) << name;
    EXPECT_NEAR(table[name].first, ratio, 1e-3) << name;
    EXPECT_NEAR(table[name].second, split, 0.05) << name;
  }
}

// The name the quantification gives a line entry: from the first letter
// among columns 1 to 10, seven characters without blanks.
std::string EntryName(const std::string& entry) {
  for (size_t i = 0; i < entry.size() && i < 10; ++i)
    if (static_cast<unsigned char>(entry[i]) > 64) {
      std::string name;
      for (char c : entry.substr(i, 7))
        if (c != ' ') name += c;
      return name;
    }
  return "";
}

TEST(DataTables, LinePositionsFitTheTableAndTheQuantificationFindsTheirNames) {
  const auto lines = ReadLines("lines/linienlage.pos");
  EXPECT_GT(lines.size(), 500u);
  EXPECT_LE(lines.size(), 1000u);
  std::map<std::string, std::string> firstByName;
  for (const auto& l : lines) {
    EXPECT_GT(Num(l), 0) << l;
    EXPECT_FALSE(EntryName(l).empty()) << "name beyond column 10: " << l;
    firstByName.emplace(EntryName(l), l);
  }
  // Calibration lines at their reference energies, main lines marked.
  const std::pair<const char*, double> reference[] = {
      {"Au4f7/", 84.0}, {"Ag3d5/", 368.2}, {"Cu2p3/", 932.6}, {"C1s*", 284.8}};
  for (auto [name, energy] : reference) {
    ASSERT_TRUE(firstByName.count(name)) << name;
    EXPECT_DOUBLE_EQ(Num(firstByName[name]), energy) << name;
  }
  // Auger lines carry kinetic energies and say so with "(".
  bool cuAuger = false;
  for (const auto& l : lines)
    if (l.find("Cu L3M45M45") != std::string::npos) {
      cuAuger = true;
      EXPECT_NE(l.find('('), std::string::npos);
      EXPECT_NEAR(Num(l), 918.7, 0.05);
    }
  EXPECT_TRUE(cuAuger);
}

TEST(DataTables, SensitivityFactorsAreScofieldRelativeToCarbon) {
  struct Case {
    const char* file;
    std::map<std::string, double> expected;  // published Scofield values
  };
  const Case cases[] = {
      {"sensitifity factors/Scofield Al Ka.sen",
       {{"C1s", 1.0}, {"O1s", 2.93}, {"N1s", 1.80}, {"F1s", 4.43}, {"Cu2p3", 16.73}, {"Au4f7", 9.58},
        {"Ag3d5", 10.66}}},
      {"sensitifity factors/Scofield Mg Ka.sen", {{"C1s", 1.0}, {"O1s", 2.85}, {"Au4f7", 9.6}}},
  };
  for (const auto& c : cases) {
    const auto f = ReadFields(c.file);
    ASSERT_FALSE(f.empty());
    EXPECT_EQ(f[0], "Sensitivity Factors") << c.file;
    EXPECT_EQ((f.size() - 1) % 2, 0u) << c.file;
    std::map<std::string, double> table;
    for (size_t i = 1; i + 1 < f.size(); i += 2) {
      EXPECT_GT(Num(f[i + 1]), 0) << f[i];
      EXPECT_TRUE(table.emplace(f[i], Num(f[i + 1])).second) << "twice: " << f[i];
    }
    for (const auto& [key, value] : c.expected) {
      ASSERT_TRUE(table.count(key)) << c.file << " " << key;
      EXPECT_NEAR(table[key], value, 0.03 * value) << c.file << " " << key;
    }
  }
  // A whole doublet is the sum of its two lines.
  const auto f = ReadFields("sensitifity factors/Scofield Al Ka.sen");
  std::map<std::string, double> t;
  for (size_t i = 1; i + 1 < f.size(); i += 2) t[f[i]] = Num(f[i + 1]);
  EXPECT_NEAR(t["Cu2p"], t["Cu2p3"] + t["Cu2p1"], 0.01);
}

TEST(DataTables, TransmissionFilesAreNormalisedAt1000eV) {
  const char* files[] = {"Unity.trm", "FAT E-0.5.trm", "FAT E-0.7.trm", "FAT E-1.trm"};
  for (const char* name : files) {
    const auto f = ReadFields(std::string("XPS-transfct/") + name);
    ASSERT_EQ(f.size(), 34u) << name;
    EXPECT_EQ(f[1], "transfct");
    EXPECT_EQ(Num(f[2]), 1361);
    double c[11] = {};
    for (int k = 1; k <= 10; ++k) {
      c[k] = Num(f[12 + 2 * k]);
      const double fixFlag = Num(f[13 + 2 * k]);
      EXPECT_TRUE(fixFlag == 0 || fixFlag == -1);
    }
    auto ierf = [&](double e) {
      const double x = (e - 1000) / 1000;
      return c[1] + c[2] * x + c[3] * x * x + c[4] * x * x * x + c[5] * x * x * x * x + c[6] * std::pow(e, c[7]);
    };
    EXPECT_NEAR(ierf(1000), 1.0, 1e-9) << name;
    EXPECT_GE(ierf(200), ierf(1500)) << name;
  }
}

TEST(DataTables, AugerParametersAreTheSumOfTheirTwoEnergies) {
  const char* files[] = {"Copper.aup", "Zinc.aup", "Silver.aup", "Silicon.aup", "Indium.aup"};
  for (const char* name : files) {
    const auto lines = ReadLines(std::string("auger parameters/") + name);
    ASSERT_FALSE(lines.empty()) << name;
    for (const auto& l : lines) {
      const auto eq = l.find('='), plus = l.find('+');
      ASSERT_TRUE(eq != std::string::npos && plus != std::string::npos && eq < plus) << l;
      const double a = Num(l), b = Num(l.substr(eq + 1)), c = Num(l.substr(plus + 1));
      EXPECT_NEAR(a, b + c, 0.051) << l;
      EXPECT_GT(b, 0);
      EXPECT_GT(c, 0);
    }
  }
}

TEST(DataTables, TestSpectrumIsAVamasFileWithTwoRegions) {
  const auto lines = ReadLines("test spectra/Simulated C1s Au4f.vms");
  ASSERT_GT(lines.size(), 100u);
  EXPECT_EQ(lines[0].substr(0, 5), "VAMAS");
  EXPECT_EQ(lines.back(), "end of experiment");
  EXPECT_EQ(lines[7], "NORM");
}

}  // namespace
