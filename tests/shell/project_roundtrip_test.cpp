// A whole session through the menus: spectra of a real file imported, a
// background kept, three peaks fitted and their errors estimated, labels
// placed, a stacked view and a chemical-state plot built; the project saved,
// every window closed and the project opened again. Every window comes back
// with every field the project keeps, and is drawn as it was.
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "display/frame.h"
#include "display/redraw.h"
#include "platform/labels.h"
#include "platform/mouse.h"
#include "platform/recording_canvas.h"
#include "platform/surfaces.h"
#include "project_fixture.h"
#include "support/test_support.h"
#include "three_singlets_pages.h"

namespace projecttest {
namespace {

constexpr int kWindows = 5;  // C 1s fitted, O 1s twice, the stacked view, the plot

// What a window drew, pixel by pixel as the canvas rounds it.
std::vector<std::string> Drawing(const plat::RecordingCanvas& canvas) {
  std::vector<std::string> out;
  for (const plat::DrawCall& d : canvas.Calls()) {
    std::ostringstream s;
    s << plat::DrawCallKindName(d.kind) << ' ' << plat::PixelOf(d.x1) << ',' << plat::PixelOf(d.y1)
      << ' ' << plat::PixelOf(d.x2) << ',' << plat::PixelOf(d.y2) << " r" << plat::PixelOf(d.r)
      << " '" << d.text << "' c" << d.state.colour << " w" << d.state.penWidth << " s"
      << static_cast<int>(d.state.penStyle);
    // The font matters only to what is written with it.
    if (d.kind == plat::DrawCall::Kind::Text) s << " f" << d.state.font.name << d.state.font.size;
    for (std::size_t i = 0; i < d.xs.size(); ++i) s << ' ' << d.xs[i] << ':' << d.ys[i];
    out.push_back(s.str());
  }
  return out;
}

struct Saved {
  std::unique_ptr<WindowRecord> record;
  std::vector<LabelRecord> labels;
  CheckedMatrix<double> data, components;
  std::vector<std::string> drawing;
  std::string labelControls;
};

class ProjectRoundTrip : public ProjectTest {
 protected:
  void SetUp() override {
    ProjectTest::SetUp();
    sample_ = testsupport::SamplesDir() + "/vamas/five-regions.vms";
    if (!plat::FileExists(plat::ProgramPath(sample_)))
      GTEST_SKIP() << "sample files not found below " << testsupport::SamplesDir();
    G.CpsMode = 1;
    G.EnergyAxisMode = 0;
    for (int w = 1; w <= kWindows; ++w) plat::SetRecordingCanvas(w, &canvas_[w]);
  }
  void TearDown() override {
    for (int w = 1; w <= kWindows; ++w) plat::SetRecordingCanvas(w, nullptr);
    ProjectTest::TearDown();
  }

  // File > Import > VAMAS, block `block` of the sample into a new window.
  int ImportBlock(int block) {
    script::AnswerFile(plat::ProgramPath(sample_));
    script::SelectItems("lib21", -1, {block});
    script::Click("cmdOk21");
    driver::ChooseMenu(1160);
    return G.CurrentWindow;
  }

  void BuildSession() {
    ASSERT_EQ(ImportBlock(3), 1);  // C 1s
    shelltest::FitThreePeaksWithErrors();
    ASSERT_EQ(Win[1].HasFit, 1);
    ASSERT_EQ(Win[1].ErrorTableValid, 1);
    shelltest::AddLabel(1, CmdEditTitleLabels, "Sample A", 80, 30);
    shelltest::AddLabel(1, CmdEditAnnotations, "C-C", 200, 60);
    shelltest::AddLabel(1, CmdEditAnnotations, "C-O", 300, 90);
    ASSERT_EQ(ImportBlock(2), 2);  // O 1s, twice
    ASSERT_EQ(ImportBlock(2), 3);
    shelltest::AddLabel(3, CmdEditAnnotations, "O 1s, again", 150, 50);
    script::Click("chk201", 2);
    script::Click("chk201", 3);
    script::Click("cmdOk201");
    driver::ChooseMenu(CmdStackedView);
    ASSERT_EQ(Win[4].WindowKind, StackedCurves);
    folder_->Write("auger parameters/copper.aup",
                   "1851.4=932.7+918.7 Cu\r\n1850.0=933.6+916.4 CuO\r\n1849.2=932.4+916.8 Cu2O\r\n");
    script::AnswerFile(Program("auger parameters/copper.aup"));
    driver::ChooseMenu(CmdOpenAugerList);
    ASSERT_EQ(Win[5].WindowKind, ChemicalStatePlot);
    ASSERT_EQ(OpenWindowCount(), kWindows);
  }

  Saved Keep(int w) {
    Saved s;
    s.record = std::make_unique<WindowRecord>(Win[w]);
    for (int k = 1; k <= 100; ++k) s.labels.push_back(Labels[LabelIndex(w, k)]);
    s.data = SlotData[w];
    s.components = SlotComponents[w];
    // A loaded plot starts its kinetic axis one lower than the list's own
    // command: drawn so, the rest of the picture must be the same.
    WindowRecord& win = Win[w];
    const double yMin = win.ChemStateYMin, ySpan = win.ChemStateYSpan;
    if (win.WindowKind == ChemicalStatePlot) {
      win.ChemStateYMin = yMin + 1;
      win.ChemStateYSpan = win.ChemStateYMax - win.ChemStateYMin;
    }
    canvas_[w].Clear();
    RedrawWindow(w);
    s.drawing = Drawing(canvas_[w]);
    win.ChemStateYMin = yMin;
    win.ChemStateYSpan = ySpan;
    s.labelControls = driver::DescribeLabels(w);
    return s;
  }

  static void Close(double after, double before, const char* what) {
    EXPECT_NEAR(after, before, 1e-9 * std::max(1.0, std::fabs(before))) << what;
  }

  static void ExpectSameLabels(int w, const Saved& s, int annotations, int titles) {
    for (int k = 1; k <= annotations; ++k) {
      const LabelRecord& a = Labels[LabelIndex(w, k)];
      const LabelRecord& b = s.labels[static_cast<std::size_t>(k - 1)];
      EXPECT_EQ(a.AnnotationText, b.AnnotationText) << k;
      Close(a.AnnotationX, b.AnnotationX, "AnnotationX");
      Close(a.AnnotationY, b.AnnotationY, "AnnotationY");
    }
    for (int k = 1; k <= titles; ++k) {
      const LabelRecord& a = Labels[LabelIndex(w, k)];
      const LabelRecord& b = s.labels[static_cast<std::size_t>(k - 1)];
      EXPECT_EQ(a.TitleLabelText, b.TitleLabelText) << k;
      Close(a.TitleLabelX, b.TitleLabelX, "TitleLabelX");
      Close(a.TitleLabelY, b.TitleLabelY, "TitleLabelY");
    }
  }

  static void ExpectSameSingleSpectrum(int w, const Saved& s) {
    const WindowRecord& a = Win[w];
    const WindowRecord& b = *s.record;
#define SAME(f) EXPECT_EQ(a.f, b.f) << #f
#define CLOSE(f) Close(a.f, b.f, #f)
    SAME(WindowKind);
    SAME(AnnotationCount);
    SAME(TitleLabelCount);
    ExpectSameLabels(w, s, b.AnnotationCount, b.TitleLabelCount);
    SAME(SourcePath);
    SAME(SourceSpectrumIndex);
    CLOSE(EnergyShift);
    SAME(BackgroundState);
    SAME(ErrorTableValid);
    SAME(SatelliteState);
    SAME(RegionPartial);
    SAME(DerivativeCount);
    SAME(SpectrumNegated);
    SAME(SmoothCount);
    SAME(ScaleMode);
    SAME(ArithmeticDone);
    SAME(PeakModel);
    SAME(RelativeMode);
    SAME(HasFit);
    SAME(ParamSetLoaded);
    SAME(PeakCount);
    SAME(PeakType);
    CLOSE(IntegratedArea[1]);
    SAME(RegionStart);
    SAME(RegionEnd);
    SAME(RegionLength);
    SAME(SourceBlockList);
    SAME(ImportFormat);
    SAME(SpectrumHeader);
    const int N = b.SpectrumHeader.PointCount;
    for (int i = 1; i <= N; ++i) {
      Close(SlotData[w](i, 1), s.data(i, 1), "spectrum");
      Close(SlotData[w](i, 2), s.data(i, 2), "background");
    }
    // What the evaluation of the stored peaks computes again.
    const int components = b.HasFit != 0 ? b.PeakCount + 1 : 0;
    for (int c = 1; c <= components; ++c)
      for (int i = b.RegionStart; i <= b.RegionEnd; ++i)
        Close(SlotComponents[w](i, c), s.components(i, c), "component");
    // The axes are computed again from what was kept.
    CLOSE(FirstEnergy);
    CLOSE(LastEnergy);
    CLOSE(XAxisLeft);
    CLOSE(XAxisRight);
    CLOSE(YAxisTop);
    CLOSE(YAxisBottom);
    SAME(XTickCount);
    // The peak table and the results belong to the fit; a window without
    // one has its default table.
    if (b.HasFit == 0) return;
    for (int p = 1; p <= b.PeakCount; ++p) {
      for (int j = 1; j <= 10; ++j) {
        SCOPED_TRACE(::testing::Message() << "peak " << p << " parameter " << j);
        // Setting up the evaluation gives an empty partner width its
        // smallest value, as every fit of the window would.
        if (j == 8 && b.ParameterValue[p][j] <= 0)
          EXPECT_EQ(a.ParameterValue[p][j], 0.0001);
        else
          CLOSE(ParameterValue[p][j]);
        CLOSE(ParameterLower[p][j]);
        CLOSE(ParameterUpper[p][j]);
        SAME(ParameterState[p][j]);
        CLOSE(ParamErrorTable[p][j]);
      }
      CLOSE(PeakArea[p]);
      CLOSE(PartnerArea[p]);
      CLOSE(AreaError[p]);
      CLOSE(PartnerAreaError[p]);
      CLOSE(AreaShareError[p]);
      CLOSE(PartnerShareError[p]);
      CLOSE(AreaErrorShown[p]);
      CLOSE(AreaShareErrorShown[p]);
    }
    for (int i = 1; i <= 6; ++i) {
      CLOSE(BackgroundTermValue[i]);
      SAME(BackgroundTermFixed[i]);
    }
    CLOSE(FitChi2);
    CLOSE(FitReducedChi2);
    CLOSE(FitSerialCorrelation);
    if (b.ErrorTableValid == 0) return;
    SAME(ErrorMethod);
    SAME(ErrorsInPercent);
    CLOSE(TotalArea);
    const int P = b.PeakCount;
    for (int k = 1; k <= 10 * P + 6; ++k) CLOSE(ParamErrors(k, k));
    for (int k = 1; k <= P + 6; ++k)
      for (int l = 1; l <= P + 6; ++l) CLOSE(HessianMatrix(k, l));
  }

  static void ExpectSameMultiSpectrum(int w, const Saved& s) {
    const WindowRecord& a = Win[w];
    const WindowRecord& b = *s.record;
    SAME(WindowKind);
    SAME(SourcePath);
    SAME(AnnotationCount);
    SAME(TitleLabelCount);
    ExpectSameLabels(w, s, b.AnnotationCount, b.TitleLabelCount);
    CLOSE(MultiEnergyShift);
    SAME(MultiRegionStart);
    SAME(MultiRegionEnd);
    SAME(MultiSourcePath);
    SAME(MultiPointCount);
    CLOSE(MultiStartEnergy);
    CLOSE(MultiEndEnergy);
    CLOSE(MultiEnergyStep);
    CLOSE(MultiPassEnergy);
    CLOSE(MultiExcitationEnergy);
    CLOSE(MultiScanCount);
    CLOSE(MultiDwellTime);
    SAME(MultiTechnique);
    SAME(MultiComment);
    SAME(MultiDate);
    SAME(MultiSourceInfo);
    CLOSE(MultiFirstEnergy);
    CLOSE(MultiXLeft);
    CLOSE(MultiLastEnergy);
    CLOSE(MultiXRight);
    CLOSE(MultiYTop);
    CLOSE(MultiYBottom);
    CLOSE(MultiXSpan);
    SAME(MemberAxisTitle);
    SAME(MemberCount);
    for (int k = 1; k <= b.MemberCount; ++k) {
      SAME(MemberName[k]);
      SAME(MemberLabel[k]);
      // A loaded member's label is its default, too.
      EXPECT_EQ(a.MemberLabelDefault[k], a.MemberLabel[k]);
      for (int i = b.MultiRegionStart; i <= b.MultiRegionEnd; ++i)
        Close(SlotComponents[w](i, k), s.components(i, k), "member curve");
    }
  }

  static void ExpectSameChemicalStatePlot(int w, const Saved& s) {
    const WindowRecord& a = Win[w];
    const WindowRecord& b = *s.record;
    SAME(WindowKind);
    SAME(AnnotationCount);
    SAME(TitleLabelCount);
    ExpectSameLabels(w, s, b.AnnotationCount, b.TitleLabelCount);
    SAME(ChemStatePointCount);
    SAME(ChemStateListName);
    for (int k = 1; k <= b.ChemStatePointCount; ++k) {
      SAME(ChemStateEntries[k]);
      for (int c = 1; c <= 3; ++c) Close(SlotData[w](k, c), s.data(k, c), "entry");
    }
    SAME(ChemStateXMin);
    SAME(ChemStateXMax);
    SAME(ChemStateYMax);
    // The project's kinetic axis starts one lower than the list's own.
    EXPECT_EQ(a.ChemStateYMin, b.ChemStateYMin + 1);
#undef SAME
#undef CLOSE
  }

  std::string sample_;
  plat::RecordingCanvas canvas_[kWindows + 1];
};

TEST_F(ProjectRoundTrip, EveryWindowComesBackAsItWasSaved) {
  BuildSession();
  std::vector<Saved> saved(kWindows + 1);
  // Saved first, so that the sources already point at their copies.
  Save("projects/session.svr", CmdSaveProject);
  ASSERT_TRUE(folder_->Exists("projects/session/five-regions.vms"));
  for (int w = 1; w <= kWindows; ++w) saved[w] = Keep(w);

  CloseAllWindows();
  ASSERT_EQ(OpenWindowCount(), 0);
  Open("projects/session.svr");
  ASSERT_EQ(OpenWindowCount(), kWindows);
  EXPECT_EQ(G.ProjectPath, Program("projects/session.svr"));

  {
    SCOPED_TRACE("fitted C 1s");
    ExpectSameSingleSpectrum(1, saved[1]);
    // The curvature matrix is kept only in part: it does not count as
    // computed after a load.
    EXPECT_EQ(Win[1].HessianValid, 0);
  }
  for (int w : {2, 3}) {
    SCOPED_TRACE(w);
    ExpectSameSingleSpectrum(w, saved[w]);
  }
  {
    SCOPED_TRACE("stacked view");
    ExpectSameMultiSpectrum(4, saved[4]);
  }
  {
    SCOPED_TRACE("chemical-state plot");
    ExpectSameChemicalStatePlot(5, saved[5]);
  }
  for (int w = 1; w <= kWindows; ++w) {
    SCOPED_TRACE(::testing::Message() << "drawing of window " << w);
    canvas_[w].Clear();
    RedrawWindow(w);
    const std::vector<std::string> drawing = Drawing(canvas_[w]);
    EXPECT_EQ(drawing, saved[w].drawing);
    EXPECT_EQ(driver::DescribeLabels(w), saved[w].labelControls);
  }
}

TEST_F(ProjectRoundTrip, ErrorsKeptPerSecondCountAsInvalidInCountsDisplay) {
  BuildSession();
  Save("projects/session.svr", CmdSaveProject);
  const double chi2 = Win[1].FitChi2;
  const double height = Win[1].ParameterValue[1][1];
  const double f = Win[1].SpectrumHeader.ScanCount * Win[1].SpectrumHeader.DwellTime;
  CloseAllWindows();
  driver::ChooseMenu(CmdCountsUnit);
  ASSERT_EQ(G.CpsMode, 0);
  Open("projects/session.svr");
  ASSERT_EQ(OpenWindowCount(), kWindows);
  const WindowRecord& win = Win[1];
  EXPECT_EQ(win.HasFit, 1);
  EXPECT_EQ(win.ErrorTableValid, 0);
  EXPECT_NEAR(win.ParameterValue[1][1], height * f, 1e-9 * height * f);
  EXPECT_NEAR(win.FitChi2, chi2, 1e-9 * chi2);
}

}  // namespace
}  // namespace projecttest
