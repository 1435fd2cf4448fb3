// A new fit started from the default peak table, through the menu and its
// pages, on real spectra: the limits page shows the limits the fit uses, the
// peaks start where they can separate, and a doublet starts as a doublet of
// its line (the doublet table's ratio and splitting).
#include <cmath>
#include <string>

#include "core/menu_commands.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "core/settings_paths.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/text.h"
#include "shell_fixture.h"
#include "support/test_support.h"
#include "test_spectra.h"
#include "core/paramset.h"
#include "shell/menu_state.h"

namespace shelltest {
namespace {

using namespace sorvan;
namespace script = plat::script;
namespace driver = plat::driver;

class NewFitStart : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    sample_ = testsupport::SamplesDir() + "/vamas/five-regions.vms";
    if (!plat::FileExists(plat::ProgramPath(sample_)))
      GTEST_SKIP() << "sample files not found below " << testsupport::SamplesDir();
    // The shipped default peak tables and doublet table, as start-up reads them.
    SetParameterSetAndSatellitePaths();
    SetElementTablePaths();
    ReadDoubletTable();
    G.CpsMode = 1;
    G.EnergyAxisMode = 0;
  }

  // File > Import > VAMAS, block `block` of the sample into a new window,
  // with its background kept.
  int ImportBlock(int block) {
    script::AnswerFile(plat::ProgramPath(sample_));
    script::SelectItems("lib21", -1, {block});
    script::Click("cmdOk21");
    driver::ChooseMenu(CmdImportVamas);
    // A Shirley background over the whole spectrum, kept under the peaks.
    script::Click("cmd13");
    driver::ChooseMenu(2130);
    return G.CurrentWindow;
  }

  static double Cell(int page, const char* name, int index) {
    return plat::TextToNumber(plat::Text(page, name, index));
  }

  // The limits page of `peaks` peaks read as shown: no limit of a height,
  // a position or a width is left at 0 when the fit will use another.
  static void ExpectLimitsShown(int w, int peaks) {
    script::Run([w, peaks] {
      const WindowRecord& win = Win[w];
      const double low = std::min(win.FirstEnergy, win.LastEnergy);
      const double high = std::max(win.FirstEnergy, win.LastEnergy);
      for (int p = 1; p <= peaks; ++p) {
        const int cell = (p - 1) * 5;
        EXPECT_GT(Cell(12, "ed122", cell), 0) << "height upper, peak " << p;
        EXPECT_NEAR(Cell(12, "ed121", cell + 2), low, 0.01) << "position lower, peak " << p;
        EXPECT_NEAR(Cell(12, "ed122", cell + 2), high, 0.01) << "position upper, peak " << p;
        EXPECT_GT(Cell(12, "ed122", cell + 3), 1) << "width upper, peak " << p;
      }
    }, "the limits shown");
    script::Click("cmdOk121");
  }

  static void IterateAndFinish() {
    script::SetText("ed161", -1, "100");
    script::SetText("ed162", -1, "3");
    script::Click("cmdOk161");
    script::Click("cmdCancel242");
  }

  std::string sample_;
};

TEST_F(NewFitStart, ThreeSingletsFromTheDefaultsStartApartAndFitApart) {
  const int w = ImportBlock(3);  // C 1s
  ASSERT_EQ(Win[w].SpectrumHeader.Name, "C1s");
  script::SetText("ed111", -1, "3");
  script::Click("cmdOk111");
  ExpectLimitsShown(w, 3);
  double start[4] = {};
  script::Run([&start] {
    for (int p = 1; p <= 3; ++p) start[p] = Cell(14, "ed141", (p - 1) * 5 + 2);
  }, "the start positions");
  script::Click("cmdOk141");
  IterateAndFinish();
  driver::ChooseMenu(CmdNewFitSinglets);
  driver::Finish();

  const WindowRecord& win = Win[w];
  ASSERT_EQ(win.HasFit, 1);
  EXPECT_TRUE(plat::MessagesShown().empty());
  for (int p = 1; p <= 3; ++p)
    for (int q = 1; q < p; ++q) {
      EXPECT_GT(std::fabs(start[p] - start[q]), 0.3) << "start of peaks " << q << " and " << p;
      EXPECT_GT(std::fabs(win.ParameterValue[p][5] - win.ParameterValue[q][5]), 0.3)
          << "fitted peaks " << q << " and " << p;
    }
  // The largest peak stands on the C 1s line, not on the table's 284.6 eV
  // stacked three times.
  EXPECT_NEAR(win.ParameterValue[1][5], win.MaxBindingEnergy, 1.5);
  EXPECT_LT(win.FitReducedChi2, 5);
}

// Fe 2p (no sample file holds one): metallic iron at 706.8 eV and an
// oxide at 710.8 eV binding energy, each a 2p3/2 line with its 2p1/2 partner
// 13 eV above at half its height, on a flat line.
TEST_F(NewFitStart, DoubletsFromTheDefaultsStartAsPairsOfTheirLine) {
  const int w = 1;
  const Grid grid = {401, 1486.6 - 740, 0.1};  // binding 740 down to 700 eV
  auto line = [](double e, double centre, double sigma) {
    const double x = (e - centre) / sigma;
    return std::exp(-0.5 * x * x);
  };
  OpenTestSpectrum(w, "Fe 2p", grid, [&](int i) {
    const double e = 740 - 0.1 * (i - 1);
    return 200 + 1000 * (line(e, 706.8, 0.5) + 0.5 * line(e, 719.8, 0.5)) +
           600 * (line(e, 710.8, 1.0) + 0.5 * line(e, 723.8, 1.0));
  });
  ReadParameterSet(w, G.ParameterSet1Path);
  G.CurrentWindow = w;
  UpdateMenuState(w);
  script::Click("cmd13");
  driver::ChooseMenu(CmdBackgroundShirley);
  script::SetText("ed111", -1, "2");
  script::Click("cmdOk111");
  ExpectLimitsShown(w, 2);
  script::Run([w] {
    // The metal's 2p3/2 line starts on the maximum, the oxide's on what the
    // metal leaves.
    EXPECT_NEAR(Cell(15, "ed151", 4), 706.8, 0.3);
    EXPECT_NEAR(Cell(15, "ed151", 14), 710.8, 0.5);
    for (int p = 1; p <= 2; ++p) {
      const int cell = (p - 1) * 10;
      const double height = Cell(15, "ed151", cell), partnerHeight = Cell(15, "ed151", cell + 1);
      const double position = Cell(15, "ed151", cell + 4), partner = Cell(15, "ed151", cell + 5);
      EXPECT_GT(height, 100) << "peak " << p;
      EXPECT_NEAR(partnerHeight, 0.5 * height, 1e-3 * height) << "peak " << p;
      EXPECT_NEAR(partner - position, 13.0, 1e-6) << "peak " << p;
      // Shape and width of the partner are those of the peak, in eV.
      EXPECT_EQ(Cell(15, "ed151", cell + 3), Cell(15, "ed151", cell + 2)) << "peak " << p;
      EXPECT_EQ(Cell(15, "ed151", cell + 7), Cell(15, "ed151", cell + 6)) << "peak " << p;
    }
  }, "the doublet start values");
  script::Click("cmdOk151");
  IterateAndFinish();
  driver::ChooseMenu(CmdNewFitDoublets);
  driver::Finish();

  const WindowRecord& win = Win[w];
  ASSERT_EQ(win.HasFit, 1);
  EXPECT_TRUE(plat::MessagesShown().empty());
  for (int p = 1; p <= 2; ++p) {
    EXPECT_NEAR(win.ParameterValue[p][2] / win.ParameterValue[p][1], 0.5, 1e-4) << "peak " << p;
    EXPECT_NEAR(win.ParameterValue[p][6] - win.ParameterValue[p][5], 13.0, 0.2) << "peak " << p;
    EXPECT_GT(win.PartnerArea[p], 0) << "peak " << p;
  }
  EXPECT_NEAR(win.ParameterValue[1][5], 706.8, 0.1);
  EXPECT_NEAR(win.ParameterValue[2][5], 710.8, 0.1);
  EXPECT_LT(win.FitReducedChi2, 1);
}

}  // namespace
}  // namespace shelltest
