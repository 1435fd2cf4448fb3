// The transmission function from the menu, driven through the started
// program: a reference spectrum loaded for a 1361-point window, the editor's
// coefficient page with recompute, fit and Cancel, an imported parameter
// file edited over a reference of ones, and the search from reference-line
// percentages with its progress page.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "../shell/test_spectra.h"
#include "core/store.h"
#include "fiterrors/progress_page.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "processing/transmission_lines.h"

namespace {

using namespace sorvan;
namespace script = plat::script;

constexpr int kW = 1;
constexpr int kPoints = 1361;
constexpr int kPage = 28;

double Energy(int i) { return 199.0 + i; }

double Ierf(const double* c, double e) {
  const double x = (e - 1000) / 1000;
  return c[1] + x * (c[2] + x * (c[3] + x * (c[4] + x * c[5]))) + c[6] * std::pow(e, c[7]);
}

// A smooth reference spectrum on the grid: a broad hump over a flat part.
double Reference(int i) {
  const double e = Energy(i);
  return 5000.0 * std::exp(-(e - 600) * (e - 600) / 2e5) + 1000.0;
}

std::string Num(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

// The coefficient and fix mark shown in row k of the coefficient page.
double Shown(int k) { return plat::TextToNumber(plat::Text(kPage, "ed351", k)); }
int FixShown(int k) { return static_cast<int>(plat::Value(kPage, "chk351", k)); }

// The function the measured spectrum was made with: a0, a1, b1, b2.
const double kTruth[8] = {0, 0.8, 0.3, 0, 0, 0, 2.0, -0.5};

class TransmissionFromTheMenu : public shelltest::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.CpsMode = 0;
    G.EnergyAxisMode = 1;
    WriteReference("AU.VMS", "VAMAS Surface Chemical Analysis Standard Data Transfer Format");
    shelltest::OpenTestSpectrum(kW, "Au survey", {kPoints, 200, 1},
                                [](int i) { return Reference(i) * Ierf(kTruth, Energy(i)); });
    G.CurrentWindow = kW;
    UpdateMenuState(kW);
  }

  // A reference file as this program reads it: 66 header lines, then the
  // values of the grid, one a line.
  void WriteReference(const std::string& name, const std::string& first) {
    std::string text = first + "\r\n";
    for (int j = 2; j <= 66; ++j) text += "header line " + std::to_string(j) + "\r\n";
    for (int i = 1; i <= kPoints; ++i) text += Num(Reference(i)) + "\r\n";
    folder_->Write("XPS-transfct/" + name, text);
  }

  static std::vector<double> Coefficients() {
    std::vector<double> c(11);
    for (int k = 1; k <= 10; ++k) c[k] = Win[kW].TransmissionCoef[k];
    return c;
  }
};

TEST_F(TransmissionFromTheMenu, ReferenceLoadedEditedAndFitted) {
  ASSERT_TRUE(Enabled(9400));
  // The first page shows the reset function 1 + E^-0.5 with a1..a4 held.
  script::Run([] {
    EXPECT_EQ(plat::DialogCaption(kPage), G.LabelTexts[138]);
    const double shown[8] = {0, 1, 0, 0, 0, 0, 1, -0.5};
    const int fixed[8] = {0, 0, 1, 1, 1, 1, 0, 0};
    for (int k = 1; k <= 7; ++k) {
      EXPECT_EQ(Shown(k), shown[k]) << k;
      EXPECT_EQ(FixShown(k), fixed[k]) << k;
    }
    // The reference equals the data at 1000 eV, and the curve shown is the
    // reference times the function.
    const double at1000 = SlotData[kW](801, 1);
    EXPECT_NEAR(SlotComponents[kW](801, 1), at1000 * (1 + 1 / std::sqrt(1000.0)), 1e-9 * at1000);
  }, "reset page");
  script::SetValue("chk351", 2, 0);  // a1 free
  script::Click("cmdOk353");
  script::SetText("ed161", -1, "200");
  script::SetText("ed162", -1, "4");
  script::Click("cmdOk161");
  std::vector<double> fitted;
  script::Run([&] {
    fitted = Coefficients();
    // The page shows the reduced chi-square of the fit.
    EXPECT_NE(plat::Text(kPage, "lb362").find(G.LabelTexts[144]), std::string::npos);
  }, "page after the fit");
  // Typed values (one with a decimal comma) are drawn, then dropped by Cancel.
  script::SetText("ed351", 1, "2,5");
  script::Click("cmd352");
  script::Run([] {
    EXPECT_EQ(Win[kW].TransmissionCoef[1], 2.5);
    EXPECT_EQ(Win[kW].TransmissionCoefFixed[2], 0);
    EXPECT_EQ(Win[kW].TransmissionCoefFixed[3], 1);  // the reset's -1 stored as 1
  }, "after recompute");
  script::Click("cmdCancel354");
  plat::driver::ChooseMenu(9400);

  const WindowRecord& win = Win[kW];
  EXPECT_EQ(win.TransmissionActive, 1);
  EXPECT_EQ(win.HasFit, 1);
  EXPECT_EQ(G.DialogResult, 0);
  EXPECT_EQ(G.FitRunState, 0);
  // The reference was scaled to the data at 1000 eV, so the function found
  // is the true one divided by its value there.
  const double n = Ierf(kTruth, 1000);
  for (int c : {1, 2, 6}) EXPECT_NEAR(win.TransmissionCoef[c], kTruth[c] / n, 1e-6 * kTruth[c] / n) << c;
  EXPECT_NEAR(win.TransmissionCoef[7], kTruth[7], 1e-6 * 0.5);
  for (int c : {3, 4, 5, 8, 9, 10}) EXPECT_EQ(win.TransmissionCoef[c], 0) << c;
  EXPECT_LT(win.FitChi2, 1e-6);
  EXPECT_GT(win.FitSerialCorrelation, 0.0);
  // Cancel went back to the fitted set, all of it unrounded.
  ASSERT_EQ(fitted.size(), 11u);
  for (int c = 1; c <= 10; ++c) EXPECT_EQ(win.TransmissionCoef[c], fitted[c]) << c;
}

TEST_F(TransmissionFromTheMenu, CancelAfterRecomputeRestoresTheStartValues) {
  script::SetText("ed351", 7, "-0,7");
  script::SetValue("chk351", 4, 0);
  script::Click("cmd352");
  script::Run([] {
    EXPECT_EQ(Win[kW].TransmissionCoef[7], -0.7);
    // The curve drawn follows the typed function.
    const double c[8] = {0, 1, 0, 0, 0, 0, 1, -0.7};
    const double ref = SlotData[kW](801, 1);
    EXPECT_NEAR(SlotComponents[kW](400, 1), ref / Reference(801) * Reference(400) * Ierf(c, Energy(400)),
                1e-9 * ref);
  });
  script::Click("cmdCancel354");
  plat::driver::ChooseMenu(9400);
  EXPECT_EQ(Win[kW].TransmissionCoef[7], -0.5);
  EXPECT_EQ(Win[kW].TransmissionCoefFixed[4], -1);
  EXPECT_EQ(Win[kW].HasFit, 0);
}

TEST_F(TransmissionFromTheMenu, NormalisingKeepsTheCurveAndOutsideTheRegionTheReferenceIsShown) {
  Win[kW].RegionStart = 301;
  Win[kW].RegionEnd = 1100;
  Win[kW].RegionLength = 800;
  std::vector<double> before(kPoints + 1);
  script::Run([&] {
    for (int i = 1; i <= kPoints; ++i) before[i] = SlotComponents[kW](i, 1);
    const double scale = SlotData[kW](801, 1) / Reference(801);
    EXPECT_NEAR(before[100], scale * Reference(100), 1e-9 * before[100]);  // outside: the reference
    EXPECT_NEAR(before[1300], scale * Reference(1300), 1e-9 * before[1300]);
  });
  script::SetValue("chk352", -1, 1);
  script::Click("cmd352");
  script::Run([&] {
    const double* c = Win[kW].TransmissionCoef.begin();
    EXPECT_NEAR(c[1] + c[6] * std::pow(1000.0, c[7]), 1.0, 1e-12);
    EXPECT_EQ(plat::Value(kPage, "chk352"), 1);
    // The reference took the factor the function gave up.
    for (int i : {301, 801, 1100})
      EXPECT_NEAR(TransmissionReference[kW][i] * Ierf(c, Energy(i)), before[i], 1e-9 * before[i]) << i;
  }, "normalised");
  script::Click("cmdCancel354");
  plat::driver::ChooseMenu(9400);
  EXPECT_EQ(G.NormaliseTransmission, 1);
  // The set Cancel returned to gives the same curve with the scaled reference.
  const double* c = Win[kW].TransmissionCoef.begin();
  for (int i : {301, 801, 1100})
    EXPECT_NEAR(TransmissionReference[kW][i] * Ierf(c, Energy(i)), before[i], 1e-9 * before[i]) << i;
}

TEST_F(TransmissionFromTheMenu, CancellingTheIterationPageKeepsTheStartWithItsStatistics) {
  script::SetText("ed351", 7, "0.3");  // a positive exponent counts as 0
  script::Click("cmdOk353");
  script::Click("cmdCancel162");
  script::Click("cmdCancel354");
  plat::driver::ChooseMenu(9400);
  EXPECT_EQ(Win[kW].TransmissionCoef[1], 1);
  EXPECT_EQ(Win[kW].TransmissionCoef[6], 1);
  EXPECT_EQ(Win[kW].TransmissionCoef[7], 0);
  EXPECT_EQ(Win[kW].HasFit, 1);
  EXPECT_GT(Win[kW].FitChi2, 0);
}

TEST_F(TransmissionFromTheMenu, ReferenceCommandsThatOpenNoEditor) {
  struct Case {
    const char* what;
    int command;
    int points;
    Byte hasFit;
    bool message;
    int commandId;  // 3: the file or window has the wrong form, 8: no file
    const char* messageNames;  // a text the message must hold
  };
  WriteReference("CU.VMS", "not a reference");
  const std::string silver = plat::ShownPath(G.ProgramFolder + "\\XPS-transfct\\AG.VMS");
  const Case cases[] = {
      {"window of another point count", 9400, 1360, 0, true, 3, ""},
      // The missing file is named, with the folder it belongs in.
      {"silver reference missing", 9500, kPoints, 0, true, 8, silver.c_str()},
      {"copper reference of the wrong form", 9600, kPoints, 0, true, 3, ""},
      // The fit is kept, and the user is told where the reference goes.
      {"window with a fit", 9400, kPoints, 1, true, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Win[kW].SpectrumHeader.PointCount = static_cast<Int16>(c.points);
    Win[kW].HasFit = c.hasFit;
    Win[kW].TransmissionActive = 0;
    Win[kW].TransmissionCoef[1] = 7;
    Win[kW].PeakCount = 3;
    G.CommandId = 0;
    if (c.message) script::AnswerMessage(1, c.messageNames);
    plat::driver::ChooseMenu(c.command);
    plat::driver::Finish();
    EXPECT_EQ(G.CommandId, c.commandId);
    EXPECT_EQ(Win[kW].PeakCount, 3);
    EXPECT_EQ(Win[kW].TransmissionActive, 0);
    EXPECT_EQ(Win[kW].TransmissionCoef[1], 7);
    EXPECT_FALSE(plat::DialogWindowOpen(kPage));
  }
}

TEST_F(TransmissionFromTheMenu, ImportedParameterFileIsEditedOverOnes) {
  // An upper-case extension is a parameter file too.
  folder_->Write("function.TRM", folder_->Read("XPS-transfct/FAT E-0.5.trm"));
  script::AnswerFile(plat::ProgramPath(folder_->Path("function.TRM")));
  script::Click("cmd23");
  plat::driver::ChooseMenu(9700);
  plat::driver::Finish();
  const int w = G.CurrentWindow;
  ASSERT_TRUE(Win[w].WindowOpen);
  ASSERT_EQ(Win[w].SpectrumHeader.PointCount, kPoints);
  script::Run([w] {
    // The file's function, not the reset.
    EXPECT_EQ(Shown(6), 31.6228);
    EXPECT_EQ(Shown(7), -0.5);
    EXPECT_EQ(Shown(1), 0);
    // The curve is the function itself: a reference of ones, not rescaled.
    EXPECT_NEAR(SlotComponents[w](801, 1), 1.0, 1e-12);
    EXPECT_NEAR(SlotComponents[w](1, 1), std::sqrt(1000.0 / 200.0), 1e-12);
  });
  script::Click("cmdCancel354");
  plat::driver::ChooseMenu(9800);
  EXPECT_EQ(Win[w].TransmissionActive, 1);
  EXPECT_EQ(Win[w].HasFit, 0);
  EXPECT_DOUBLE_EQ(Win[w].TransmissionCoef[6], 31.622776601683793);
}

TEST_F(TransmissionFromTheMenu, EditOnAWindowWithoutParameterFileOnlyTellsWhy) {
  G.DialogResult = 5;
  script::AnswerMessage(1, G.MessageTexts[112]);
  plat::driver::ChooseMenu(9800);
  EXPECT_EQ(G.DialogResult, 0);
  EXPECT_EQ(Win[kW].TransmissionActive, 0);
}

// ---- From reference lines ----

// Percentages in every group from the function a0 = 1, b1 = 2, b2 = -0.4.
std::vector<std::string> TypedPercentages() {
  const double truth[8] = {0, 1, 0, 0, 0, 0, 2, -0.4};
  const std::vector<std::vector<int>> groups = {{12, 13}, {11, 10}, {9, 8}, {7, 6},
                                                {4, 5},   {1, 2, 3}, {14, 15}};
  std::vector<std::string> typed(kReferenceLineCount + 1);
  for (const auto& group : groups) {
    double sum = 0;
    for (int r : group) sum += Ierf(truth, ReferenceLineRow(r).energy);
    for (int r : group) typed[r] = Num(100 * Ierf(truth, ReferenceLineRow(r).energy) / sum);
  }
  return typed;
}

void TypePercentages(const std::vector<std::string>& typed) {
  for (int r = 1; r <= kReferenceLineCount; ++r) script::SetText("ed381", r, typed[r]);
}

// On the page after the reset: b1 held at 2, a0 and b2 free.
void HoldB1AtTwo() {
  script::Run([] {
    EXPECT_EQ(Shown(1), 5);
    EXPECT_EQ(Shown(6), 5);
    EXPECT_EQ(Shown(7), 0);
  }, "reset for the search");
  script::SetText("ed351", 6, "2");
  script::SetValue("chk351", 6, 1);
}

TEST_F(TransmissionFromTheMenu, SearchFromReferenceLinesFindsTheFunction) {
  script::Run([] {
    EXPECT_EQ(plat::DialogCaption(kPage), G.LabelTexts[142]);
    EXPECT_EQ(plat::Text(kPage, "lb385"), "Ag 3d (1116 eV) =                             % ");
  });
  TypePercentages(TypedPercentages());
  script::Click("cmdOK383");
  HoldB1AtTwo();
  script::Click("cmdOk353");
  script::Run([] {
    EXPECT_FALSE(ProgressPageOpen());
    EXPECT_LT(G.ReducedChiSquare, 1e-12);
    EXPECT_NE(plat::Text(kPage, "lb362").find(G.LabelTexts[144]), std::string::npos);
  }, "result page");
  script::Click("cmdCancel354");
  plat::driver::ChooseMenu(9900);
  const auto& c = Win[kW].TransmissionCoef;
  EXPECT_NEAR(c[1], 1, 1e-9);
  EXPECT_NEAR(c[7], -0.4, 1e-9);
  EXPECT_EQ(c[6], 2);
  for (int k = 2; k <= 5; ++k) EXPECT_EQ(c[k], 0);
  EXPECT_EQ(G.ReferenceLinePercent[15], plat::TextToNumber(TypedPercentages()[15]));
}

TEST_F(TransmissionFromTheMenu, CancelDuringTheSearchLeavesTheFunctionAsItWas) {
  bool pageWasOpen = false;
  plat::driver::AtKeyPoll(2, [&] {
    pageWasOpen = ProgressPageOpen();
    plat::driver::Click("cmdCancel411");
    return 0;
  });
  TypePercentages(TypedPercentages());
  script::Click("cmdOK383");
  HoldB1AtTwo();
  G.ReducedChiSquare = 42;
  script::Click("cmdOk353");
  plat::driver::ChooseMenu(9900);  // no page after the cancelled search
  EXPECT_TRUE(pageWasOpen);
  EXPECT_FALSE(ProgressPageOpen());
  const double shown[8] = {0, 5, 0, 0, 0, 0, 2, 0};
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(Win[kW].TransmissionCoef[k], shown[k]) << k;
  EXPECT_EQ(Win[kW].TransmissionCoefFixed[6], 1);
  EXPECT_EQ(G.ReducedChiSquare, 42);
}

TEST_F(TransmissionFromTheMenu, GroupsNotTotalling100GiveMessage9AndThePageAgain) {
  script::SetText("ed381", 1, "50");
  script::SetText("ed381", 2, "30");
  script::SetText("ed381", 3, "19,4");
  script::Click("cmdOK383");
  script::AnswerMessage(1);
  script::Run([] {
    // The typed values are shown again, the comma read as a point.
    EXPECT_EQ(plat::TextToNumber(plat::Text(kPage, "ed381", 3)), 19.4);
    EXPECT_EQ(plat::TextToNumber(plat::Text(kPage, "ed381", 1)), 50);
  }, "page again");
  script::SetText("ed381", 3, "20");
  script::Click("cmdOK383");
  script::Click("cmdCancel354");  // right after the reset: the reset stays
  G.CommandId = 0;
  plat::driver::ChooseMenu(9900);
  EXPECT_EQ(G.CommandId, 9);
  const double reset[8] = {0, 5, 0, 0, 0, 0, 5, 0};
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(Win[kW].TransmissionCoef[k], reset[k]) << k;
  EXPECT_EQ(Win[kW].TransmissionCoefFixed[2], -1);
}

}  // namespace
