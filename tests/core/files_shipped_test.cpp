// Every settings and reference file that ships in data/ loads without a
// message and without a file error.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "core/auger_list.h"
#include "core/language.h"
#include "core/paramset.h"
#include "core/presetting.h"
#include "core/reference_files.h"
#include "core/store.h"
#include "files_fixture.h"
#include "fit/fit_vector.h"

namespace sorvan::testing_files {
namespace {

// Reads the shipped data folder in place, as the installed program would.
class ShippedFilesTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    G.ProgramFolder = plat::ProgramPath(testsupport::SourceDir() + "/data");
    G.CommandId = 0;
  }
  bool Ships(const std::string& relative) const { return plat::FileExists(Path(relative)); }
};

TEST_F(ShippedFilesTest, PresettingReadsWhole) {
  G.PresettingFilePath = Path("\\presetting\\presetting.set");
  ASSERT_TRUE(Ships("\\presetting\\presetting.set"));
  EXPECT_NO_THROW(ReadPresetting());
  EXPECT_EQ(G.CommandId, 0);
  // What was read writes out as it reads in.
  const auto lines = PresettingLines();
  EXPECT_EQ(lines.size(), 462u);
  EXPECT_EQ(lines[0], "Voreinstellung");
  EXPECT_GE(G.AveragePoints, 1);
  EXPECT_LE(G.LanguageIndex, 4);
}

TEST_F(ShippedFilesTest, LanguageFileFillsEverySlot) {
  G.LanguageFilePath = Path("\\settings\\language 2006.set");
  ASSERT_TRUE(Ships("\\settings\\language 2006.set"));
  for (int slot = 0; slot <= 4; ++slot) {
    G.LanguageIndex = static_cast<Byte>(slot);
    G.CaptionTexts[1].clear();
    G.LabelTexts[220].clear();
    EXPECT_NO_THROW(ReadLanguageFile()) << slot;
    EXPECT_FALSE(G.CaptionTexts[1].empty()) << slot;
    EXPECT_FALSE(G.BindingEnergyTitle.empty()) << slot;
  }
  // The doublet type begins with "D" in every slot, the single type does not.
  for (int slot = 0; slot <= 4; ++slot) {
    G.LanguageIndex = static_cast<Byte>(slot);
    ReadLanguageFile();
    ASSERT_FALSE(G.MessageTexts[52].empty());
    EXPECT_EQ(G.MessageTexts[52][0], 'D') << slot;
    EXPECT_NE(G.MessageTexts[47].substr(0, 1), "D") << slot;
  }
}

TEST_F(ShippedFilesTest, ReferenceTablesLoad) {
  struct Case {
    const char* file;
    void (*read)();
  };
  G.SatelliteFilePath = Path("\\settings\\satellite.set");
  G.PhiNamesFilePath = Path("\\phi-names\\phi_names.ele");
  G.DoubletFilePath = Path("\\settings\\doublet.dda");
  G.LinesFolder = Path("\\lines");
  const Case cases[] = {
      {"\\settings\\satellite.set", ReadSatelliteFile},
      {"\\phi-names\\phi_names.ele", ReadRegionNameTable},
      {"\\settings\\doublet.dda", ReadDoubletTable},
      {"\\lines\\linienlage.pos", ReadLinePositions},
  };
  for (const Case& c : cases) {
    if (!Ships(c.file)) continue;
    EXPECT_NO_THROW(c.read()) << c.file;
  }
  if (Ships("\\settings\\doublet.dda")) {
    EXPECT_GT(G.DoubletCount, 0);
  }
  if (Ships("\\lines\\linienlage.pos")) {
    EXPECT_GT(G.LineTableCount, 0);
  }
  EXPECT_EQ(G.CommandId, 0);
}

TEST_F(ShippedFilesTest, SensitivityAndTransmissionTablesLoad) {
  // Every "*.sen" and "*.trm" file shipped in the two folders.
  struct Kind {
    std::string folder;
    std::string extension;
    bool (*load)(const std::string&);
  };
  const Kind kinds[] = {{SensitivityFolder(), ".sen", LoadSensitivityFactorsFrom},
                        {TransmissionFolder(), ".trm", LoadTransmissionParametersFrom}};
  for (const Kind& k : kinds) {
    const std::filesystem::path native(plat::NativePath(k.folder));
    if (!std::filesystem::is_directory(native)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(native)) {
      if (entry.path().extension() != k.extension) continue;
      const std::string path = k.folder + "\\" + entry.path().filename().string();
      EXPECT_TRUE(k.load(path)) << path;
    }
  }
  EXPECT_EQ(G.CommandId, 0);
}

TEST_F(ShippedFilesTest, AugerListsHoldOnlyEntries) {
  const std::filesystem::path folder(plat::NativePath(Path("\\auger parameters")));
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no Auger lists shipped yet";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".aup") continue;
    int entries = 0;
    for (const std::string& line : ReadAllLines(plat::ProgramPath(entry.path().string()))) {
      double a, b, c;
      EXPECT_TRUE(ParseAugerEntry(line, a, b, c)) << entry.path() << ": " << line;
      EXPECT_NEAR(a, b + c, 0.051) << line;
      ++entries;
    }
    EXPECT_GT(entries, 0) << entry.path();
    EXPECT_LE(entries, 100) << entry.path();
  }
}

TEST_F(ShippedFilesTest, DefaultParameterSetsLoad) {
  G.ParameterSet1Path = Path("\\settings\\paraset1.par");
  for (const char* file : {"\\settings\\paraset1.par", "\\settings\\paraset2.par"}) {
    if (!Ships(file)) continue;
    ParameterSetData data;
    EXPECT_EQ(ParseParameterSet(Path(file), true, data), ParameterSetRead::Ok) << file;
    Win[1].SpectrumHeader.ScanCount = 1;
    Win[1].SpectrumHeader.DwellTime = 1;
    ReadParameterSet(1, Path(file));
    EXPECT_EQ(Win[1].PeakCount, 1);
  }
  EXPECT_EQ(G.CommandId, 0);
}

// The defaults of every peak a fit may have cut no real spectrum: an O 1s
// region of up to 8000 counts per second (32000 counts in 4 s), in counts or
// per second, on either energy axis, Gauss-Lorentz or Doniach-Sunjic.
TEST_F(ShippedFilesTest, DefaultParameterSetsCutNoRealSpectrum) {
  G.ParameterSet1Path = Path("\\settings\\paraset1.par");
  G.ParameterSet2Path = Path("\\settings\\paraset2.par");
  ASSERT_TRUE(Ships("\\settings\\paraset1.par"));
  ASSERT_TRUE(Ships("\\settings\\paraset2.par"));
  G.MessageTexts[47] = "Peak";
  G.MessageTexts[52] = "Doublet";
  constexpr int kPoints = 151;  // binding 540 eV down to 525 eV
  for (int model = 0; model <= 1; ++model) {
    for (int cps = 0; cps <= 1; ++cps) {
      for (int axis = 0; axis <= 1; ++axis) {
        const std::string what = "model " + std::to_string(model) + " cps " +
                                 std::to_string(cps) + " axis " + std::to_string(axis);
        G.CpsMode = static_cast<Byte>(cps);
        G.EnergyAxisMode = static_cast<Byte>(axis);
        Win[1] = WindowRecord{};
        WindowRecord& win = Win[1];
        auto& h = win.SpectrumHeader;
        h.ScanCount = 20;
        h.DwellTime = 0.2;
        h.ExcitationEnergy = 1486.6;
        h.PointCount = kPoints;
        h.StartEnergy = 1486.6 - 540;
        h.EnergyStep = 0.1;
        h.EndEnergy = h.StartEnergy + (kPoints - 1) * h.EnergyStep;
        win.RegionStart = 21;  // 538 eV
        win.RegionEnd = 121;   // 528 eV
        win.PeakModel = static_cast<Byte>(model);
        DimSlotData(1);
        double largest = 0;
        for (int i = 1; i <= kPoints; ++i) {
          const double x = (i - 71) / 9.0;
          SlotData[1](i, 1) = (200 + 7800 * std::exp(-x * x)) * (cps ? 1 : 4);
          largest = std::max(largest, SlotData[1](i, 1));
        }
        ReadParameterSet(1, model == 0 ? G.ParameterSet1Path : G.ParameterSet2Path);
        EXPECT_EQ(G.CommandId, 0) << what;
        EXPECT_EQ(G.ParameterSetVersion, 315) << what;  // every peak a fit may have
        win.PeakCount = 15;
        CompleteLimitTables(1);
        const double low = axis == 0 ? 528.0 : 1486.6 - 538;
        const double high = axis == 0 ? 538.0 : 1486.6 - 528;
        for (int p = 1; p <= 15; ++p) {
          EXPECT_GE(win.ParameterUpper[p][1], 10 * largest) << what << " peak " << p;
          EXPECT_LE(win.ParameterLower[p][1], 0) << what << " peak " << p;
          EXPECT_NEAR(win.ParameterLower[p][5], low, 1e-6) << what << " peak " << p;
          EXPECT_NEAR(win.ParameterUpper[p][5], high, 1e-6) << what << " peak " << p;
          EXPECT_GE(win.ParameterValue[p][5], low - 1e-6) << what << " peak " << p;
          EXPECT_LE(win.ParameterValue[p][5], high + 1e-6) << what << " peak " << p;
          // Any width from 0.1 eV up to the region's 10 eV; a start width of 1.2 eV.
          EXPECT_LE(win.ParameterLower[p][7], 0.1) << what << " peak " << p;
          EXPECT_GE(win.ParameterUpper[p][7], 10 - 1e-9) << what << " peak " << p;
          EXPECT_EQ(win.ParameterValue[p][7], 1.2) << what << " peak " << p;
          if (model == 1) {
            EXPECT_GE(win.ParameterUpper[p][3], 10 - 1e-9) << what << " peak " << p;
            EXPECT_EQ(win.ParameterUpper[p][9], 0.5) << what << " peak " << p;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace sorvan::testing_files
