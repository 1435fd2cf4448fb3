// The project file of single spectra through the project commands: what the
// file holds in which unit, the copy folder, and what a load makes of it.
#include <algorithm>
#include <string>
#include <vector>

#include "import/project.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "project_fixture.h"
#include "tests/import/text_reader_fixture.h"

namespace projecttest {
namespace {

class ProjectFile : public ProjectTest {};

// The number a line of the file holds.
double ValueOf(const std::string& line) { return plat::TextToNumber(line); }

TEST_F(ProjectFile, SaveAndOpenBringBackASpectrum) {
  WriteSpectrumFile("data/c1s.vms");
  const int w = Import("data/c1s.vms");
  ASSERT_EQ(w, 1);
  Save("projects/run4.svr");
  EXPECT_EQ(G.ProjectPath, Program("projects/run4.svr"));
  EXPECT_EQ(Win[1].SourcePath, Program("projects/run4/c1s.vms"));
  EXPECT_TRUE(folder_->Exists("projects/run4/c1s.vms"));
  const std::vector<std::string> lines = Lines("projects/run4.svr");
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], " 1");
  EXPECT_EQ(lines[1], " 0 2006");
  CloseAllWindows();
  EXPECT_TRUE(G.ProjectPath.empty());
  Open("projects/run4.svr");
  ASSERT_TRUE(Win[1].WindowOpen);
  EXPECT_EQ(Win[1].SpectrumHeader.PointCount, 41);
  EXPECT_EQ(SlotData[1](20, 1), 1000);
  EXPECT_EQ(G.ProjectPath, Program("projects/run4.svr"));
}

// A kept background's recipe (which background, between which points, with
// which constant, after how many smoothings) goes with the window, marked by
// the window line " 0 2007"; a window without one is written as before.
TEST_F(ProjectFile, TheBackgroundRecipeOfAWindowReadsBack) {
  WriteSpectrumFile("data/c1s.vms");
  ASSERT_EQ(Import("data/c1s.vms"), 1);
  ASSERT_EQ(Import("data/c1s.vms"), 2);
  driver::FocusWindow(1);
  script::Click("cmdOk31");
  driver::ChooseMenu(CmdSmooth);
  script::Click("cmd13");
  driver::ChooseMenu(CmdBackgroundTougaard);
  const BackgroundRecipeRecord recipe = Win[1].BackgroundRecipe;
  ASSERT_EQ(recipe.Kind, 4);
  EXPECT_EQ(recipe.SmoothBefore, 1);
  EXPECT_EQ(recipe.Start, 1);
  EXPECT_EQ(recipe.End, 41);
  EXPECT_GT(recipe.TougaardC, 0);
  Save("projects/recipe.svr");
  const std::vector<std::string> lines = Lines("projects/recipe.svr");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), " 0 2007"), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), " 0 2006"), 1);
  CloseAllWindows();
  Open("projects/recipe.svr");
  ASSERT_TRUE(Win[2].WindowOpen);
  EXPECT_EQ(Win[1].BackgroundRecipe, recipe);
  EXPECT_EQ(Win[1].BackgroundState, 2);
  EXPECT_EQ(Win[2].BackgroundRecipe, BackgroundRecipeRecord{});
}

// The trial count of a window's fit, shown at the head of its caption,
// goes with the window: after a load the caption reads as before the save.
// A project of the version before holds no count: it still loads, and its
// caption counts the one evaluation that the load makes.
TEST_F(ProjectFile, TheCaptionKeepsTheTrialCountOfTheFit) {
  WriteSpectrumFile("data/c1s.vms");
  ASSERT_EQ(Import("data/c1s.vms"), 1);
  WindowRecord& win = Win[1];
  // One line at point 20 (1194.75 eV kinetic) started off its place.
  win.PeakType = G.MessageTexts[47];
  win.PeakCount = 1;
  const double start[5] = {700, 0.2, win.SpectrumHeader.ExcitationEnergy - 1195, 1.4, 0};
  const double lower[5] = {0, 0, win.SpectrumHeader.ExcitationEnergy - 1200, 0.3, -0.5};
  const double upper[5] = {1e4, 1, win.SpectrumHeader.ExcitationEnergy - 1190, 5, 0.5};
  for (int k = 0; k <= 4; ++k) {
    for (int j : {2 * k + 1, 2 * k + 2}) {
      win.ParameterValue[1][j] = j % 2 == 1 ? start[k] : 0;
      win.ParameterState[1][j] = j % 2 == 1 && k < 4 ? 0 : 1;
      win.ParameterLower[1][j] = lower[k];
      win.ParameterUpper[1][j] = upper[k];
    }
  }
  script::SetText("ed161", -1, "40");
  script::SetText("ed162", -1, "3");
  script::Click("cmdOk161");
  script::Click("cmdCancel242");
  driver::ChooseMenu(CmdRunFit);
  ASSERT_EQ(win.HasFit, 1);
  const std::string prefix = G.MessageTexts[89] + ": ";
  auto trials = [&prefix](const std::string& caption) {
    EXPECT_EQ(caption.rfind(prefix, 0), 0u) << caption;
    return plat::TextToNumber(caption.substr(prefix.size()));
  };
  const std::string caption = plat::Caption(1);
  ASSERT_GT(trials(caption), 40) << caption;
  const double chi2 = win.FitChi2;

  Save("projects/fit.svr");
  const std::vector<std::string> lines = Lines("projects/fit.svr");
  ASSERT_GT(lines.size(), 2u);
  EXPECT_EQ(lines[1], " 0 2008");
  CloseAllWindows();
  Open("projects/fit.svr");
  ASSERT_TRUE(Win[1].WindowOpen);
  ASSERT_EQ(Win[1].HasFit, 1);
  EXPECT_EQ(plat::Caption(1), caption);

  // The same window as the version before wrote it: its rows end with the
  // fit's (no background, no errors): the peak type, the peak count and the
  // peak's 40 rows.
  std::vector<std::string> old = lines;
  const auto type = std::find(old.rbegin(), old.rend(), G.MessageTexts[47]);
  ASSERT_NE(type, old.rend());
  const std::size_t fitRowsEnd = static_cast<std::size_t>(old.rend() - type) - 1 + 2 + 40;
  ASSERT_LE(fitRowsEnd, old.size());
  old[1] = " 0 2006";
  old.resize(fitRowsEnd);
  WriteLines("projects/fit.svr", old, old.size());
  CloseAllWindows();
  Open("projects/fit.svr");
  ASSERT_TRUE(Win[1].WindowOpen);
  ASSERT_EQ(Win[1].HasFit, 1);
  EXPECT_NEAR(Win[1].FitChi2, chi2, 1e-9 * chi2);
  EXPECT_EQ(trials(plat::Caption(1)), 1);
}

// Text rows in the file form that reads back: an accented label in
// Windows-1252, as older projects hold it, and one that Windows-1252 cannot
// hold in UTF-8. A project saved and opened again brings back both.
TEST_F(ProjectFile, TextRowsOfAnyScriptReadBack) {
  WriteSpectrumFile("data/c1s.vms");
  Import("data/c1s.vms");
  const std::vector<std::string> texts = {"Probe \u00E4", "\u03B2-phase \u0394=0.3 eV"};
  Win[1].AnnotationCount = 2;
  for (int k = 1; k <= 2; ++k) Labels[LabelIndex(1, k)].AnnotationText = texts[k - 1];
  Save("projects/texts.svr");
  const std::string bytes = folder_->Read("projects/texts.svr");
  EXPECT_NE(bytes.find("\r\nProbe \xE4\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\n" + texts[1] + "\r\n"), std::string::npos);
  CloseAllWindows();
  Open("projects/texts.svr");
  ASSERT_TRUE(Win[1].WindowOpen);
  EXPECT_TRUE(plat::MessagesShown().empty());
  for (int k = 1; k <= 2; ++k) EXPECT_EQ(Labels[LabelIndex(1, k)].AnnotationText, texts[k - 1]);
}


// A window on a spectrum file of its own, with scans x dwell time 10, one
// label and one fitted peak, so that every converted quantity has a value.
class ProjectUnits : public ProjectTest {
 protected:
  void SetUp() override {
    ProjectTest::SetUp();
    WriteSpectrumFile("data/c1s.vms");
    Import("data/c1s.vms");
  }

  // Gives window 1 the state of the display mode now in force: labels and
  // peaks as they are shown, columns in the unit shown.
  static void SetShownState(double labelX, double labelY, double height, double position,
                            double spectrum) {
    WindowRecord& win = Win[1];
    win.SpectrumHeader.ScanCount = 20;
    win.SpectrumHeader.DwellTime = 0.5;
    win.AnnotationCount = 1;
    Labels[LabelIndex(1, 1)].AnnotationText = "C-C";
    Labels[LabelIndex(1, 1)].AnnotationX = labelX;
    Labels[LabelIndex(1, 1)].AnnotationY = labelY;
    win.HasFit = 1;
    win.PeakCount = 1;
    win.PeakType = G.MessageTexts[47];
    win.ParameterValue[1][1] = height;
    win.ParameterLower[1][1] = 0;
    win.ParameterUpper[1][1] = 2 * height;
    win.ParameterValue[1][5] = position;
    win.ParameterLower[1][5] = position - 1;
    win.ParameterUpper[1][5] = position + 1;
    win.ParameterValue[1][7] = 1.5;
    win.ParameterLower[1][7] = 0.5;
    win.ParameterUpper[1][7] = 3;
    SlotData[1](1, 1) = spectrum;
  }
};

TEST_F(ProjectUnits, FileHoldsBindingEnergiesHeightsPerSecondAndColumnsInCounts) {
  // Rows of a window with one annotation and no title label, N = 41 points:
  // label x and y at lines 4 and 5, the first spectrum value at 44, the
  // peak height's lower limit, upper limit and value from 128, the
  // position's from 144.
  constexpr int kN = 41;
  constexpr std::size_t kLabelX = 4, kSpectrum = 44, kHeight = 46 + 2 * kN, kPosition = kHeight + 16;
  struct Case {
    int kinetic, cps;
    double labelX, labelY, height, position, spectrum;
    double fileX, fileY, fileHeight, filePosition, filePositionLower, fileSpectrum;
  };
  const Case cases[] = {
      {0, 0, 286.6, 500, 500, 286.6, 500, 286.6, 50, 50, 286.6, 285.6, 500},
      {1, 0, 1200, 500, 500, 1200, 500, 286.6, 50, 50, 286.6, 285.6, 500},
      {0, 1, 286.6, 50, 50, 286.6, 50, 286.6, 50, 50, 286.6, 285.6, 500},
      {1, 1, 1200, 50, 50, 1200, 50, 286.6, 50, 50, 286.6, 285.6, 500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "kinetic " << c.kinetic << " cps " << c.cps);
    G.EnergyAxisMode = static_cast<Byte>(c.kinetic);
    G.CpsMode = static_cast<Byte>(c.cps);
    SetShownState(c.labelX, c.labelY, c.height, c.position, c.spectrum);
    SaveProjectTo(Program("projects/units.svr"));
    const std::vector<std::string> lines = Lines("projects/units.svr");
    ASSERT_GT(lines.size(), kPosition + 2);
    EXPECT_NEAR(ValueOf(lines[kLabelX]), c.fileX, 1e-9);
    EXPECT_NEAR(ValueOf(lines[kLabelX + 1]), c.fileY, 1e-9);
    EXPECT_NEAR(ValueOf(lines[kSpectrum]), c.fileSpectrum, 1e-9);
    EXPECT_NEAR(ValueOf(lines[kHeight + 2]), c.fileHeight, 1e-9);
    EXPECT_NEAR(ValueOf(lines[kPosition + 2]), c.filePosition, 1e-9);
    // In kinetic display the upper limit becomes the lower one.
    EXPECT_NEAR(ValueOf(lines[kPosition]), c.filePositionLower, 1e-9);

    // Loaded in the same display, the window is as it was.
    ASSERT_TRUE(LoadProjectFrom(Program("projects/units.svr")));
    const int v = G.CurrentWindow;
    ASSERT_EQ(v, 2);
    EXPECT_DOUBLE_EQ(Labels[LabelIndex(v, 1)].AnnotationX, c.labelX);
    EXPECT_DOUBLE_EQ(Labels[LabelIndex(v, 1)].AnnotationY, c.labelY);
    EXPECT_DOUBLE_EQ(SlotData[v](1, 1), c.spectrum);
    EXPECT_EQ(Labels[LabelIndex(v, 1)].AnnotationText, "C-C");
    driver::CloseWindow(v);
  }
}

TEST_F(ProjectUnits, LoadConvertsIntoTheDisplayOfTheMoment) {
  // Saved in binding energy and counts: label y 500 and height 500 counts
  // are 50 per second in the file, the column value 500 stays 500.
  SetShownState(286.6, 500, 500, 286.6, 500);
  SaveProjectTo(Program("projects/units.svr"));
  G.EnergyAxisMode = 1;
  G.CpsMode = 1;
  ASSERT_TRUE(LoadProjectFrom(Program("projects/units.svr")));
  const int v = G.CurrentWindow;
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(v, 1)].AnnotationX, 1200);
  EXPECT_DOUBLE_EQ(Labels[LabelIndex(v, 1)].AnnotationY, 50);
  EXPECT_DOUBLE_EQ(SlotData[v](1, 1), 50);
  EXPECT_DOUBLE_EQ(Win[v].EnergyShift, 0);
}

TEST_F(ProjectUnits, RelativePeaksAreWrittenAbsoluteAndComeBackRelative) {
  G.EnergyAxisMode = 1;
  G.CpsMode = 1;
  WindowRecord& win = Win[1];
  SetShownState(1200, 50, 50, 1200, 50);
  win.RelativeMode = 1;
  win.PeakCount = 2;
  win.ParameterLower[1][5] = 1199;
  win.ParameterUpper[1][5] = 1201;
  // Peak 2: 0.5 of peak 1's height, 2 eV above it, the same width.
  const double relative[11][3] = {{}, {0.25, 1, 0.5}, {}, {}, {}, {-5, 5, 2}, {}, {0.5, 2, 1}};
  for (int j : {1, 5, 7}) {
    win.ParameterLower[2][j] = relative[j][0];
    win.ParameterUpper[2][j] = relative[j][1];
    win.ParameterValue[2][j] = relative[j][2];
  }
  SaveProjectTo(Program("projects/relative.svr"));
  const std::vector<std::string> lines = Lines("projects/relative.svr");
  constexpr std::size_t kPeak1Position = 46 + 2 * 41 + 16, kPeak2 = 46 + 2 * 41 + 40;
  EXPECT_NEAR(ValueOf(lines[kPeak1Position]), 285.6, 1e-9);
  EXPECT_NEAR(ValueOf(lines[kPeak1Position + 1]), 287.6, 1e-9);
  EXPECT_NEAR(ValueOf(lines[kPeak1Position + 2]), 286.6, 1e-9);
  EXPECT_NEAR(ValueOf(lines[kPeak2 + 2]), 25, 1e-9);      // height 0.5 x 50
  EXPECT_NEAR(ValueOf(lines[kPeak2 + 16 + 2]), 284.6, 1e-9);  // 1202 kinetic

  // Back in a table the spectrum can hold (positions between 1190 and 1200
  // eV kinetic, every limit given), the relative values and limits come
  // back as they were.
  const double peak1[11][3] = {{},        {10, 200, 50},    {}, {0, 1, 0.3}, {},
                               {1194, 1196, 1195}, {}, {0.5, 3, 1.5}, {}, {-0.5, 0.5, 0}};
  const double peak2[11][3] = {{},        {0.25, 1, 0.5}, {}, {0.5, 2, 1}, {},
                               {-2, 2, 1.5},      {}, {0.5, 2, 1},   {}, {0, 0, 0}};
  for (int j : {1, 3, 5, 7, 9}) {
    for (int p = 1; p <= 2; ++p) {
      const double(&t)[11][3] = p == 1 ? peak1 : peak2;
      win.ParameterLower[p][j] = t[j][0];
      win.ParameterUpper[p][j] = t[j][1];
      win.ParameterValue[p][j] = t[j][2];
    }
  }
  win.ParameterState[1][9] = win.ParameterState[2][9] = 1;
  SaveProjectTo(Program("projects/relative.svr"));
  ASSERT_TRUE(LoadProjectFrom(Program("projects/relative.svr")));
  const WindowRecord& back = Win[G.CurrentWindow];
  ASSERT_EQ(back.RelativeMode, 1);
  for (int p = 1; p <= 2; ++p)
    for (int j : {1, 3, 5, 7}) {
      SCOPED_TRACE(::testing::Message() << "peak " << p << " parameter " << j);
      EXPECT_NEAR(back.ParameterValue[p][j], win.ParameterValue[p][j], 1e-9);
      EXPECT_NEAR(back.ParameterLower[p][j], win.ParameterLower[p][j], 1e-9);
      EXPECT_NEAR(back.ParameterUpper[p][j], win.ParameterUpper[p][j], 1e-9);
    }
}

// Numbers that the conversions between the file's units and the display's
// cannot carry both ways exactly (a ratio times its peak, counts over scans x
// dwell time 2.1, kinetic energies from hv): a project loaded and saved again
// is the same file, byte for byte, in every display mode and peak mode, at
// every load and save.
TEST_F(ProjectUnits, LoadedAndSavedAgainTheFileKeepsItsBytes) {
  // 41 points from 1190 eV kinetic in steps of 0.1 eV: 292.6 to 296.6 eV binding.
  importtest::FileSpec file;
  file.blocks[0].start = 1190;
  file.blocks[0].increment = 0.1;
  file.blocks[0].values.clear();
  for (int i = 1; i <= 41; ++i)
    file.blocks[0].values.push_back(100 + 900 * std::exp(-0.02 * (i - 20) * (i - 20)));
  folder_->Write("data/step.vms", importtest::MakeVamas(file));
  for (int kinetic = 0; kinetic <= 1; ++kinetic)
    for (int cps = 0; cps <= 1; ++cps)
      for (int relative = 0; relative <= 1; ++relative)
        for (double factor : {1.0, 1.000274, 1.000411}) {
          SCOPED_TRACE(::testing::Message() << "factor " << factor << " kinetic " << kinetic
                                            << " cps " << cps << " relative " << relative);
          CloseAllWindows();
          G.EnergyAxisMode = static_cast<Byte>(kinetic);
          G.CpsMode = static_cast<Byte>(cps);
          Import("data/step.vms");
          const int w = G.CurrentWindow;
          WindowRecord& win = Win[w];
          win.SpectrumHeader.ScanCount = 3;
          win.SpectrumHeader.DwellTime = 0.7;
          const double hv = win.SpectrumHeader.ExcitationEnergy;
          auto x = [&](double binding) { return kinetic == 1 ? hv - binding : binding; };
          win.AnnotationCount = 1;
          Labels[LabelIndex(w, 1)].AnnotationText = "C-C";
          Labels[LabelIndex(w, 1)].AnnotationX = x(295.31);
          Labels[LabelIndex(w, 1)].AnnotationY = 777.7777777777778;
          for (int i = 1; i <= 41; ++i) SlotData[w](i, 2) = 100.0 / (i + 2.1);
          win.HasFit = 1;
          win.RelativeMode = static_cast<Byte>(relative);
          win.PeakCount = 2;
          win.PeakType = G.MessageTexts[52];
          // Value, lower and upper limit of the ten parameters of two peaks, in
          // binding energies; in the relative mode peak 1's partner and peak 2
          // are ratios and distances. The values are scaled by `factor`, which
          // gives other last digits.
          using Table = double[11][3];
          const Table absolute[2] = {
              {{}, {1234.5678901234567, 0.1, 2469.1357802469134}, {617.2839450617284, 0.1, 1900},
               {0.3, 0, 1}, {0.3, 0, 1}, {293.62345678901234, 293.1, 294.7}, {294.1234567890123, 293.6, 295.3},
               {1.4999999999999998, 0.7, 3.3}, {1.4999999999999998, 0.7, 3.3}, {0.1, 0, 0.6}, {0.1, 0, 0.6}},
              {{}, {411.52263374485, 0.1, 900}, {205.761316872428, 0.1, 900}, {0.3, 0, 1}, {0.3, 0, 1},
               {294.7234567890123, 294.1, 295.3}, {295.2234567890123, 294.8, 296.3},
               {2.2499999999999996, 0.7, 3.3}, {2.2499999999999996, 0.7, 3.3}, {0.1, 0, 0.6}, {0.1, 0, 0.6}}};
          const Table related[2] = {
              {{}, {1234.5678901234567, 0.1, 2469.1357802469134}, {0.5, 0.3, 0.9}, {0.3, 0, 1},
               {1.0999999999999999, 0.5, 2}, {293.62345678901234, 293.1, 294.7}, {0.49999999999999994, 0.3, 0.9},
               {1.4999999999999998, 0.7, 3.3}, {1, 0.5, 2}, {0.1, 0, 0.6}, {1, 0.5, 2}},
              {{}, {0.3333333333333333, 0.1, 1.7}, {0.5, 0.3, 0.9}, {0.3, 0, 1}, {1.0999999999999999, 0.5, 2},
               {1.0999999999999999, -1.3, 1.3}, {0.49999999999999994, 0.3, 0.9},
               {1.4999999999999998, 0.3, 2.7}, {1, 0.5, 2}, {0.1, 0, 0.6}, {1, 0.5, 2}}};
          for (int p = 1; p <= 2; ++p)
            for (int j = 1; j <= 10; ++j) {
              const double(&t)[3] = (relative == 1 ? related : absolute)[p - 1][j];
              const bool energy = j == 5 || (j == 6 && relative == 0);
              const double a = energy && !(relative == 1 && p == 2) ? x(t[1]) : t[1];
              const double b = energy && !(relative == 1 && p == 2) ? x(t[2]) : t[2];
              win.ParameterValue[p][j] = (energy && !(relative == 1 && p == 2) ? x(t[0]) : t[0]) * factor;
              win.ParameterLower[p][j] = std::min(a, b);
              win.ParameterUpper[p][j] = std::max(a, b);
            }
          // The first load may complete the limits of the table (as any fit
          // start does); from then on nothing changes.
          ASSERT_TRUE(SaveProjectTo(Program("projects/again.svr")));
          CloseAllWindows();
          ASSERT_TRUE(LoadProjectFrom(Program("projects/again.svr")));
          ASSERT_TRUE(SaveProjectTo(Program("projects/again.svr")));
          std::string bytes = folder_->Read("projects/again.svr");
          for (int round = 1; round <= 3; ++round) {
            SCOPED_TRACE(::testing::Message() << "load and save " << round);
            CloseAllWindows();
            ASSERT_TRUE(LoadProjectFrom(Program("projects/again.svr")));
            ASSERT_TRUE(SaveProjectTo(Program("projects/again.svr")));
            const std::string again = folder_->Read("projects/again.svr");
            if (again != bytes) {
              // Names the rows that changed.
              folder_->Write("projects/before.svr", bytes);
              const std::vector<std::string> was = Lines("projects/before.svr"), is = Lines("projects/again.svr");
              ASSERT_EQ(was.size(), is.size());
              for (std::size_t k = 0; k < was.size(); ++k)
                if (was[k] != is[k]) ADD_FAILURE() << "row " << k + 1 << ": " << was[k] << " became " << is[k];
              bytes = again;
            }
          }
        }
}

TEST_F(ProjectUnits, StateRowsAndTheRowsThatFollowThem) {
  struct Case {
    int background, peaks, errors;
    const char* row7;
    const char* row45;
    std::size_t extraLines;  // after the columns
  };
  // Fit rows: 2 + 40 per peak; background terms 12; error rows
  // 3 + 10 P (+ 6) + 4 P + 1 + (P + 6)^2; a fitted window's background
  // recipe 6 and its trial count 1.
  const Case cases[] = {
      {2, 3, 1, " 12", " 203", 2 + 120 + 3 + 30 + 12 + 1 + 81 + 7},
      {4, 3, 0, " 4", " 403", 2 + 120 + 12 + 7},
      {4, 3, 1, " 14", " 403", 2 + 120 + 12 + 3 + 36 + 12 + 1 + 81 + 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row7);
    SetShownState(286.6, 500, 500, 286.6, 500);
    WindowRecord& win = Win[1];
    win.BackgroundState = static_cast<Byte>(c.background);
    win.PeakCount = static_cast<Int16>(c.peaks);
    win.ErrorTableValid = static_cast<Byte>(c.errors);
    SaveProjectTo(Program("projects/rows.svr"));
    const std::vector<std::string> lines = Lines("projects/rows.svr");
    EXPECT_EQ(lines[1], " 0 2008");
    EXPECT_EQ(lines[9], c.row7);
    const std::size_t columnsEnd = 44 + 2 * 41;
    ASSERT_GT(lines.size(), columnsEnd + 1);
    EXPECT_EQ(lines[columnsEnd + 1], c.row45);
    EXPECT_EQ(lines.size(), columnsEnd + c.extraLines);
  }
  // Without a fit, the six background pairs follow the columns directly.
  Win[1].HasFit = 0;
  Win[1].ErrorTableValid = 0;
  Win[1].BackgroundState = 4;
  Win[1].BackgroundTermValue[1] = 30;
  Win[1].BackgroundTermFixed[1] = true;
  SaveProjectTo(Program("projects/rows.svr"));
  const std::vector<std::string> lines = Lines("projects/rows.svr");
  ASSERT_EQ(lines.size(), 44 + 2 * 41 + 12u);
  EXPECT_EQ(lines[44 + 2 * 41], " 3");  // 30 counts / 10
  EXPECT_EQ(lines[44 + 2 * 41 + 1], "-1");
}

// ---- The copy folder ----

TEST_F(ProjectFile, CopyFolderIsTheProjectNameUpToItsLastPoint) {
  EXPECT_EQ(ProjectCopyFolder("\\data\\run4.svr"), "\\data\\run4");
  EXPECT_EQ(ProjectCopyFolder("\\data\\run.4.project"), "\\data\\run.4");
  EXPECT_EQ(ProjectCopyFolder("\\da.ta\\run4"), "\\da.ta\\run4_files");
}

TEST_F(ProjectFile, EachSourceGetsOneCopyOfItsOwn) {
  WriteSpectrumFile("data/a/c1s.vms", "C");
  WriteSpectrumFile("data/b/c1s.vms", "O");
  Import("data/a/c1s.vms");
  Import("data/a/c1s.vms");
  Import("data/b/c1s.vms");
  Save("projects/two.svr");
  EXPECT_EQ(Win[1].SourcePath, Program("projects/two/c1s.vms"));
  EXPECT_EQ(Win[2].SourcePath, Win[1].SourcePath);
  EXPECT_EQ(Win[3].SourcePath, Program("projects/two/c1s_2.vms"));
  EXPECT_EQ(folder_->Read("projects/two/c1s.vms"), folder_->Read("data/a/c1s.vms"));
  EXPECT_EQ(folder_->Read("projects/two/c1s_2.vms"), folder_->Read("data/b/c1s.vms"));
  // Saved again in its place: the copies stay, nothing is renamed.
  driver::ChooseMenu(CmdSaveProject);
  EXPECT_EQ(Win[3].SourcePath, Program("projects/two/c1s_2.vms"));
  EXPECT_FALSE(folder_->Exists("projects/two/c1s_3.vms"));

  CloseAllWindows();
  Open("projects/two.svr");
  ASSERT_EQ(OpenWindowCount(), 3);
  EXPECT_EQ(Win[3].SpectrumHeader.Name, Win[3].SpectrumHeader.Name);
  EXPECT_EQ(Win[3].SourcePath, Program("projects/two/c1s_2.vms"));
  EXPECT_NE(Win[3].SpectrumHeader.Name, Win[1].SpectrumHeader.Name);
}

TEST_F(ProjectFile, CompanionsAndNumberedSetsAreCopiedWhole) {
  WriteSpectrumFile("data/c1s.vms");
  Import("data/c1s.vms");
  Import("data/c1s.vms");
  // Window 1 stands for an INF header file with a companion in capitals,
  // window 2 for the second file of a numbered set chosen by its first.
  folder_->Write("data/probe.INF", "header");
  folder_->Write("data/probe.Asc", "values");
  Win[1].SourcePath = Program("data/probe.INF");
  for (int k = 1; k <= 3; ++k) folder_->Write("data/set." + std::to_string(k), "region " + std::to_string(k));
  Win[2].SourcePath = Program("data/set.2");
  Win[2].SourceDialogName = Program("data/set.1");
  Win[2].ImportFormat = 8;
  SaveProjectTo(Program("projects/sets.svr"));
  EXPECT_EQ(folder_->Read("projects/sets/probe.Asc"), "values");
  EXPECT_EQ(Win[1].SourcePath, Program("projects/sets/probe.INF"));
  for (int k = 1; k <= 3; ++k) EXPECT_TRUE(folder_->Exists("projects/sets/set." + std::to_string(k))) << k;
  EXPECT_EQ(Win[2].SourcePath, Program("projects/sets/set.2"));
  EXPECT_EQ(Win[2].SourceDialogName, Program("projects/sets/set.1"));
}

// A loaded window of a numbered set is read again from the set's first file,
// whether the set numbers its files with leading zeros or without.
TEST_F(ProjectFile, NumberedSetIsReadAgainFromItsFirstFile) {
  struct Case {
    const char* what;
    const char* names[3];
  } cases[] = {{"without leading zeros", {"run.8", "run.9", "run.10"}},
               {"with leading zeros", {"scan.008", "scan.009", "scan.010"}}};
  WriteSpectrumFile("data/c1s.vms");
  Import("data/c1s.vms");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // One C 1s region of three points in each file of the set.
    using importtest::Field;
    const std::string region = "XPS\r\n" + Field(280, 12) + Field(0, 12) + Field(0.5, 12) + Field(10, 12, 0) +
                               Field(0.2, 12) + "     3" + Field(20, 8, 2) + "\r\n  C 1s  \r\n" +
                               Field(1, 10, 1) + "\r\n" + Field(2, 10, 1) + "\r\n" + Field(3, 10, 1) + "\r\n";
    for (const char* name : c.names) folder_->Write(std::string("data/") + name, region);
    Win[1].SourcePath = Program(std::string("data/") + c.names[2]);
    Win[1].SourceDialogName = Program(std::string("data/") + c.names[0]);
    Win[1].ImportFormat = 8;
    SaveProjectTo(Program("projects/sets.svr"));
    ASSERT_TRUE(LoadProjectFrom(Program("projects/sets.svr")));
    const int w = G.CurrentWindow;
    ASSERT_NE(w, 1);
    EXPECT_EQ(Win[w].SourcePath, Program(std::string("projects/sets/") + c.names[2]));
    EXPECT_EQ(Win[w].SourceDialogName, Program(std::string("projects/sets/") + c.names[0]));
    driver::CloseWindow(w);
  }
}

TEST_F(ProjectFile, MissingSourceIsSkippedWithAWarningAndTheFileIsStillWritten) {
  WriteSpectrumFile("data/c1s.vms");
  Import("data/c1s.vms");
  Import("data/c1s.vms");
  Win[1].SourcePath = Program("data/gone.vms");
  script::AnswerFile(Program("projects/gone.svr"));
  script::AnswerMessage(1, G.LabelTexts[72]);
  driver::ChooseMenu(CmdSaveProjectAs);
  EXPECT_EQ(plat::MessagesShown().size(), 1u);
  EXPECT_EQ(Win[1].SourcePath, Program("data/gone.vms"));
  EXPECT_EQ(Win[2].SourcePath, Program("projects/gone/c1s.vms"));
  const std::vector<std::string> lines = Lines("projects/gone.svr");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], " 2");
}

TEST_F(ProjectFile, EmptyProjectHoldsOneLineAndIsNotOpened) {
  SaveProjectTo(Program("projects/empty.svr"));
  EXPECT_EQ(Lines("projects/empty.svr"), std::vector<std::string>{" 0"});
  // A project without a window would become the current project and take
  // the next save without a question: it is refused.
  G.ProjectPath.clear();
  script::AnswerMessage(1, "Unexpected data format");
  EXPECT_FALSE(LoadProjectFrom(Program("projects/empty.svr")));
  EXPECT_EQ(OpenWindowCount(), 0);
  EXPECT_TRUE(G.ProjectPath.empty());
}

TEST_F(ProjectFile, ToolbarSavesAndOpensProjects) {
  for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = 1;
  BuildToolbar();
  WriteSpectrumFile("data/c1s.vms");
  Import("data/c1s.vms");
  script::AnswerFile(Program("projects/bar.svr"));
  driver::ClickToolbar(G.ToolbarButtonOfAction[4]);
  EXPECT_EQ(G.ProjectPath, Program("projects/bar.svr"));
  ASSERT_FALSE(Lines("projects/bar.svr").empty());
  // The next save writes to the current project without asking.
  Win[1].SmoothCount = 2;
  driver::ClickToolbar(G.ToolbarButtonOfAction[4]);
  CloseAllWindows();
  script::AnswerFile(Program("projects/bar.svr"));
  driver::ClickToolbar(G.ToolbarButtonOfAction[3]);
  ASSERT_TRUE(Win[1].WindowOpen);
  EXPECT_EQ(Win[1].SmoothCount, 2);
  // Cancel in the open dialog loads nothing and leaves no current project.
  script::CancelFile();
  driver::ClickToolbar(G.ToolbarButtonOfAction[3]);
  EXPECT_EQ(OpenWindowCount(), 1);
  EXPECT_TRUE(G.ProjectPath.empty());
}

TEST_F(ProjectFile, WithoutAFreeWindowTheLoadStopsWithMessageOne) {
  WriteSpectrumFile("data/c1s.vms");
  for (int k = 1; k <= 3; ++k) Import("data/c1s.vms");
  Save("projects/three.svr");
  CloseAllWindows();
  // Windows 2 to 100 count as open; window 1 is the only free one.
  for (int w = 2; w <= kMaxWindows; ++w) Win[w].WindowOpen = true;
  script::AnswerFile(Program("projects/three.svr"));
  script::AnswerMessage(1);
  driver::ChooseMenu(CmdOpenProject);
  EXPECT_TRUE(Win[1].WindowOpen);
  EXPECT_EQ(Win[1].SpectrumHeader.PointCount, 41);
  EXPECT_EQ(plat::MessagesShown().size(), 1u);
  EXPECT_EQ(G.BatchMode, 0);
}

// ---- Loading what cannot be loaded ----

// One spectrum open that a failed load must leave alone, and a saved
// project of one window to damage.
class ProjectLoadFailure : public ProjectTest {
 protected:
  void SetUp() override {
    ProjectTest::SetUp();
    WriteSpectrumFile("data/c1s.vms");
    Import("data/c1s.vms");
    Win[1].AnnotationCount = 1;
    Labels[LabelIndex(1, 1)].AnnotationText = "kept";
    Save("projects/good.svr");
    lines_ = Lines("projects/good.svr");
    WriteSpectrumFile("data/o1s.vms", "O");
    Import("data/o1s.vms");
    header_ = Win[2].SpectrumHeader;
    ASSERT_EQ(OpenWindowCount(), 2);
  }

  // Opens `relative` through the menu, expecting the message `text`, and
  // checks that nothing changed.
  void ExpectRefused(const std::string& relative, const std::string& text) {
    const std::string project = G.ProjectPath;
    script::AnswerFile(Program(relative));
    script::AnswerMessage(1, text);
    driver::ChooseMenu(CmdOpenProject);
    EXPECT_EQ(OpenWindowCount(), 2);
    EXPECT_FALSE(Win[3].WindowOpen);
    EXPECT_EQ(Win[2].SpectrumHeader, header_);
    EXPECT_EQ(Labels[LabelIndex(1, 1)].AnnotationText, "kept");
    EXPECT_EQ(G.ProjectPath, project);
  }

  std::vector<std::string> lines_;
  SpectrumHeaderRecord header_;
};

TEST_F(ProjectLoadFailure, FileCutAfterAnyLineLoadsNothing) {
  for (std::size_t n = 0; n < lines_.size(); ++n) {
    SCOPED_TRACE(n);
    WriteLines("projects/good.svr", lines_, n);
    ExpectRefused("projects/good.svr", "Unexpected data format");
  }
  WriteLines("projects/good.svr", lines_, lines_.size());
  Open("projects/good.svr");
  EXPECT_TRUE(Win[3].WindowOpen);
}

TEST_F(ProjectLoadFailure, CountsAndKindsOutsideTheTablesAreRefused) {
  struct Case {
    std::size_t line;
    const char* text;
  };
  const Case cases[] = {
      {0, " 101"},     // more windows than there are
      {0, "-1"},
      {1, " 6 2006"},  // no such kind
      {1, "-1 2006"},
      {2, " 101"},     // 101 annotation labels
      {9, " 7"},       // background state
      {32, " 0"},      // point count
      {26, " 42"},     // region end beyond the points
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<std::string> damaged = lines_;
    damaged[c.line] = c.text;
    WriteLines("projects/good.svr", damaged, damaged.size());
    ExpectRefused("projects/good.svr", "Unexpected data format");
  }
}

TEST_F(ProjectLoadFailure, SourcesNotFoundBesideTheFileLoadNothing) {
  WriteLines("elsewhere/good.svr", lines_, lines_.size());
  ExpectRefused("elsewhere/good.svr", "");
  // Message 8 names the file it looked for.
  EXPECT_EQ(plat::MessagesShown().back().text,
            G.LabelTexts[72] + "\r" + plat::ShownPath(Program("elsewhere/good/c1s.vms")));
}

TEST_F(ProjectLoadFailure, ProjectMovedWithItsCopyFolderFindsItsSources) {
  WriteLines("moved/good.svr", lines_, lines_.size());
  folder_->Write("moved/good/c1s.vms", folder_->Read("projects/good/c1s.vms"));
  Open("moved/good.svr");
  ASSERT_TRUE(Win[3].WindowOpen);
  EXPECT_EQ(Win[3].SourcePath, Program("moved/good/c1s.vms"));
  EXPECT_EQ(Labels[LabelIndex(3, 1)].AnnotationText, "kept");
}

TEST_F(ProjectLoadFailure, LineEndsOfOtherSystemsAreRead) {
  for (const char* end : {"\n", "\r"}) {
    SCOPED_TRACE(end[0] == '\n' ? "LF" : "CR");
    std::string text;
    for (const std::string& line : lines_) text += line + end;
    text.pop_back();  // and no line end after the last line
    folder_->Write("projects/good.svr", text);
    Open("projects/good.svr");
    ASSERT_TRUE(Win[3].WindowOpen);
    EXPECT_EQ(SlotData[3](20, 1), 1000);
    EXPECT_EQ(Labels[LabelIndex(3, 1)].AnnotationText, "kept");
    driver::CloseWindow(3);
  }
}

TEST_F(ProjectLoadFailure, OlderVersionHasNoTitleLabelRows) {
  std::vector<std::string> old = lines_;
  old[1] = " 0 2005";
  old.erase(old.begin() + 6);  // the title-label count
  WriteLines("projects/good.svr", old, old.size());
  Open("projects/good.svr");
  ASSERT_TRUE(Win[3].WindowOpen);
  EXPECT_EQ(Win[3].TitleLabelCount, 0);
  EXPECT_EQ(Win[3].SpectrumHeader.PointCount, 41);
}

}  // namespace
}  // namespace projecttest
