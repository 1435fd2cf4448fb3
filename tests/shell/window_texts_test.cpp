// The window texts page from the Labels menu: annotation and title labels
// placed by a click, the energy and intensity axes, and the member labels of
// the views of several spectra.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/model.h"
#include "../display/display_fixture.h"
#include "core/store.h"
#include "dialogs/window_texts_page.h"
#include "display/frame.h"
#include "display/multi_windows.h"
#include "display/ranges.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "platform/controls.h"
#include "platform/driver.h"
#include "platform/forms.h"
#include "platform/labels.h"
#include "platform/mouse.h"
#include "platform/text.h"
#include "core/menu_commands.h"
#include "shell/menu_state.h"
#include "shell/toolbar.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

using namespace sorvan;
namespace script = plat::script;

constexpr int kPage = 22;
constexpr int kPoints = 41;
constexpr double kStart = 1486.6 - 300;  // kinetic energy of point 1

// Fills window w with a 41-point spectrum, 1 eV apart, and draws it.
void MakeSpectrum(int w, double scale = 1) {
  std::vector<double> values;
  for (int i = 1; i <= kPoints; ++i) values.push_back(scale * (100 + 10 * i));
  displaytest::PlaceSpectrum(w, values, kStart, 1);
  Win[w].WindowOpen = false;
  Win[w].SpectrumHeader.Name = "C 1s";
  Win[w].SpectrumHeader.ShortName = "C1s" + std::to_string(w);
  OpenSpectrumWindow(w, "C 1s");
  RedrawWindow(w);
}

class WindowTexts : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    G.EnergyAxisMode = 0;
    MakeSpectrum(1);
    Current(1);
  }
  static void Current(int w) {
    G.CurrentWindow = static_cast<Byte>(w);
    UpdateMenuState(w);
  }
  // Gives window w the annotation labels `texts` at distinct positions.
  static void GiveLabels(int w, const std::vector<std::string>& texts) {
    Win[w].AnnotationCount = static_cast<Int16>(texts.size());
    for (size_t k = 1; k <= texts.size(); ++k) {
      LabelRecord& label = Labels[LabelIndex(w, static_cast<int>(k))];
      label.AnnotationText = texts[k - 1];
      label.AnnotationX = 280 + k;
      label.AnnotationY = 200 + 10.0 * k;
    }
  }
  static std::string Annotation(int w, int k) { return Labels[LabelIndex(w, k)].AnnotationText; }
};

TEST_F(WindowTexts, ANewAnnotationWaitsForTheClickThatPlacesIt) {
  GiveLabels(1, {"Cu", "O"});
  script::Run([] {
    EXPECT_EQ(plat::DialogCaption(kPage), "Annotations");
    EXPECT_EQ(plat::Text(kPage, "ed221", 1), "Cu");
    EXPECT_EQ(plat::Text(kPage, "ed221", 3), "");
    EXPECT_EQ(G.PendingLabelIndex, 3);
    EXPECT_EQ(Win[1].AnnotationCount, 3);
  });
  script::SetText("ed221", 3, "C 1s satellite");
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditAnnotations);
  EXPECT_EQ(Win[1].AnnotationCount, 3);
  EXPECT_EQ(G.PendingLabelWindow, 1);
  EXPECT_EQ(G.PendingTitleWindow, 255);
  EXPECT_EQ(G.PendingLabelIndex, 3);
  const int L = LabelIndex(1, 3);
  EXPECT_FALSE(plat::LabelExists(plat::LabelArray::Annotation, L)) << "not shown before its click";
  EXPECT_TRUE(plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(1, 1)));

  // The click places it, where the pointer points, and starts no region pick.
  LayOutSingleSpectrum(1);
  const int x = static_cast<int>(std::lround(G.FirstPointX + 19.5 * G.PixelsPerEnergy));
  const int y = G.AxisY / 2;
  plat::driver::MouseDown(1, x, y, plat::kLeftButton);
  EXPECT_EQ(G.PendingLabelWindow, 0);
  EXPECT_EQ(G.RegionPickState, 0);
  ASSERT_TRUE(plat::LabelExists(plat::LabelArray::Annotation, L));
  const plat::LabelSpec shown = plat::Label(plat::LabelArray::Annotation, L);
  EXPECT_EQ(shown.text, "C 1s satellite");
  EXPECT_EQ(shown.left, x);
  EXPECT_EQ(shown.top, y);
  EXPECT_DOUBLE_EQ(Labels[L].AnnotationX, G.CursorEnergy);
  EXPECT_DOUBLE_EQ(Labels[L].AnnotationY, G.MouseIntensity);
}

TEST_F(WindowTexts, EmptiedLabelsAreDeletedAndTheLaterOnesMoveDown) {
  struct Case {
    const char* what;
    std::string newText;  // typed into the new label's field
  };
  const Case cases[] = {{"nothing new", ""}, {"a new label as well", "Ni 2p"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GiveLabels(1, {"A", "B", "C", "D"});
    G.PendingLabelWindow = 0;
    const double x3 = Labels[LabelIndex(1, 3)].AnnotationX, y4 = Labels[LabelIndex(1, 4)].AnnotationY;
    script::SetText("ed221", 2, "");
    script::SetText("ed221", 5, c.newText);
    script::Click("cmdOk221");
    plat::driver::ChooseMenu(CmdEditAnnotations);
    const bool added = !c.newText.empty();
    ASSERT_EQ(Win[1].AnnotationCount, added ? 4 : 3);
    EXPECT_EQ(Annotation(1, 1), "A");
    EXPECT_EQ(Annotation(1, 2), "C");
    EXPECT_EQ(Annotation(1, 3), "D");
    EXPECT_DOUBLE_EQ(Labels[LabelIndex(1, 2)].AnnotationX, x3);
    EXPECT_DOUBLE_EQ(Labels[LabelIndex(1, 3)].AnnotationY, y4);
    if (added) {
      // The new label still waits for its click, under its new number.
      EXPECT_EQ(Annotation(1, 4), "Ni 2p");
      EXPECT_EQ(G.PendingLabelWindow, 1);
      EXPECT_EQ(G.PendingLabelIndex, 4);
    } else {
      EXPECT_NE(G.PendingLabelWindow, 1);
    }
    EXPECT_FALSE(plat::LabelExists(plat::LabelArray::Annotation, LabelIndex(1, 4)));
  }
}

TEST_F(WindowTexts, CancelLeavesTheLabelsAsTheyWere) {
  GiveLabels(1, {"A", "B"});
  G.PendingLabelWindow = 1;  // a label of an earlier page still waiting
  script::SetText("ed221", 1, "changed");
  script::SetText("ed221", 3, "new");
  script::Click("cmdCancel222");
  plat::driver::ChooseMenu(CmdEditAnnotations);
  EXPECT_EQ(Win[1].AnnotationCount, 2);
  EXPECT_EQ(Annotation(1, 1), "A");
  EXPECT_EQ(Annotation(1, 3), "");
  EXPECT_EQ(G.PendingLabelWindow, 255);
  EXPECT_EQ(G.PendingTitleWindow, 255);
  EXPECT_EQ(G.DialogResult, 0);
}

TEST_F(WindowTexts, TitleLabelsUseTheirOwnSetAndNeverWaitWithAnAnnotation) {
  GiveLabels(1, {"annotation"});
  G.PendingLabelWindow = 1;
  script::Run([] { EXPECT_EQ(plat::DialogCaption(kPage), "Title labels"); });
  script::SetText("ed221", 1, "Sample A, 300 K");
  script::Key(script::KeyCode::Enter);
  plat::driver::ChooseMenu(CmdEditTitleLabels);
  EXPECT_EQ(Win[1].TitleLabelCount, 1);
  EXPECT_EQ(Win[1].AnnotationCount, 1);
  EXPECT_EQ(Labels[LabelIndex(1, 1)].TitleLabelText, "Sample A, 300 K");
  EXPECT_EQ(G.PendingTitleWindow, 1);
  EXPECT_EQ(G.PendingTitleIndex, 1);
  EXPECT_EQ(G.PendingLabelWindow, 255);
  plat::driver::MouseDown(1, 60, 40, plat::kLeftButton);
  EXPECT_EQ(G.PendingTitleWindow, 0);
  EXPECT_TRUE(plat::LabelExists(plat::LabelArray::Title, LabelIndex(1, 1)));
}

TEST_F(WindowTexts, AFullWindowTakesNoFurtherLabel) {
  std::vector<std::string> texts;
  for (int k = 1; k <= 100; ++k) texts.push_back("L" + std::to_string(k));
  GiveLabels(1, texts);
  Labels[LabelIndex(2, 1)].AnnotationText = "window 2";
  script::AnswerMessage(1);  // message 9
  script::Run([] { EXPECT_FALSE(plat::ControlExists(kPage, "ed221", 101)); });
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditAnnotations);
  EXPECT_EQ(Win[1].AnnotationCount, 100);
  EXPECT_EQ(Annotation(1, 100), "L100");
  EXPECT_EQ(Labels[LabelIndex(2, 1)].AnnotationText, "window 2");
  EXPECT_NE(G.PendingLabelWindow, 1);
}

TEST_F(WindowTexts, EnergyAxisOnTheBindingScaleSelectsTheNearestPoints) {
  // Binding energies run from 300 (point 1) down to 260 (point 41).
  script::Run([] {
    EXPECT_EQ(plat::DialogCaption(kPage), "Energy axis");
    EXPECT_EQ(plat::Text(kPage, "chk2214"), "Apply to all open windows");
  });
  script::SetText("ed221", 1, "E(bin) / eV");
  script::SetText("ed221", 2, "290,4");
  script::SetText("ed221", 3, "279,6");
  script::SetText("ed221", 4, "0");
  script::Click("cmd224");  // stored, the page stays
  script::Run([] { EXPECT_EQ(plat::Text(kPage, "ed221", 4), "1"); });
  script::SetText("ed221", 4, "250");
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditEnergyAxis);
  const WindowRecord& win = Win[1];
  EXPECT_EQ(win.RegionStart, 11);  // 300 - 290.4 = 9.6 eV after point 1
  EXPECT_EQ(win.RegionEnd, 21);    // 20.4 eV after point 1
  EXPECT_EQ(win.RegionLength, 11);
  EXPECT_NEAR(win.FirstEnergy, 290, 1e-9);
  EXPECT_NEAR(win.LastEnergy, 280, 1e-9);
  EXPECT_DOUBLE_EQ(win.XAxisLeft, 290.4);
  EXPECT_DOUBLE_EQ(win.XAxisRight, 279.6);
  EXPECT_NEAR(win.XAxisSpan, 10.8, 1e-9);
  EXPECT_EQ(win.XTickCount, 100);
  EXPECT_EQ(win.XRangeFixed, 1);
  EXPECT_EQ(win.XAxisTitle, "E(bin) / eV");
  EXPECT_EQ(G.CursorStart, 11);
  EXPECT_EQ(G.CursorEnd, 21);
  EXPECT_DOUBLE_EQ(WorkData[11], SlotData[1](11, 1));
  EXPECT_EQ(WorkData[10], 0);
}

TEST_F(WindowTexts, EnergyRangesThatGiveNoRegionAreRefused) {
  // Ends typed the other way round are swapped; ends beyond the spectrum
  // are held to it; a range wholly outside, or of no width, is refused.
  script::SetText("ed221", 2, "250");
  script::SetText("ed221", 3, "240");
  script::Click("cmdOk221");
  script::AnswerMessage(1);
  script::SetText("ed221", 2, "280");
  script::SetText("ed221", 3, "280");
  script::Click("cmdOk221");
  script::AnswerMessage(1);
  // An end that is no number is refused with the invalid-input message,
  // not read as 0 (which would move the region to the spectrum's end).
  for (const char* end : {"NaN", "nan", "end", "-"}) {
    script::SetText("ed221", 2, "290");
    script::SetText("ed221", 3, end);
    script::Click("cmdOk221");
    script::AnswerMessage(1, G.LabelTexts[94]);
  }
  script::Run([] { EXPECT_EQ(Win[1].XRangeFixed, 0) << "nothing stored"; });
  script::SetText("ed221", 2, "270");
  script::SetText("ed221", 3, "400");
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditEnergyAxis);
  EXPECT_EQ(Win[1].RegionStart, 1);
  EXPECT_EQ(Win[1].RegionEnd, 31);
  EXPECT_DOUBLE_EQ(Win[1].XAxisLeft, 400);
  EXPECT_DOUBLE_EQ(Win[1].XAxisRight, 270);
}

TEST_F(WindowTexts, AllWindowsOfTheSameGridTakeTheEnergyRange) {
  MakeSpectrum(2, 2);
  MakeSpectrum(3);
  Win[3].SpectrumHeader.StartEnergy += 0.5;  // another grid
  RedrawWindow(3);
  Current(1);
  script::SetText("ed221", 1, "Energy");
  script::SetText("ed221", 2, "295");
  script::SetText("ed221", 3, "285");
  script::SetValue("chk2214", -1, 1);
  script::SetValue("chk2216", -1, 1);
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditEnergyAxis);
  EXPECT_EQ(Win[2].RegionStart, 6);
  EXPECT_EQ(Win[2].RegionEnd, 16);
  EXPECT_EQ(Win[2].XRangeFixed, 1);
  EXPECT_EQ(Win[3].RegionStart, 1) << "another grid keeps its range";
  EXPECT_EQ(Win[3].XRangeFixed, 0);
  for (int v : {2, 3, 50}) {
    EXPECT_EQ(Win[v].XAxisTitle, "Energy") << v;
    EXPECT_EQ(Win[v].XGridLines, 1) << v;
  }
  EXPECT_EQ(G.XGridLinesDefault, 1);
}

TEST_F(WindowTexts, IntensityAxisTakesTitlesRangeAndTicks) {
  MakeSpectrum(2, 2);
  MakeSpectrum(3);
  Win[3].SpectrumHeader.PointCount = 40;  // another grid
  Current(1);
  script::Run([] { EXPECT_EQ(plat::Value(kPage, "chk2215"), 0); });
  script::SetText("ed221", 1, "Counts / s");
  script::SetText("ed221", 2, "res.");
  script::SetText("ed221", 3, "600");
  script::SetText("ed221", 4, "100");
  script::SetText("ed221", 5, "-3");
  script::SetValue("chk2214", -1, 1);
  script::SetValue("chk2215", -1, 1);
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditIntensityAxis);
  const WindowRecord& win = Win[1];
  EXPECT_EQ(win.YAxisTitle, "Counts / s");
  EXPECT_EQ(win.ResidualTitle, "res.");
  EXPECT_DOUBLE_EQ(win.YAxisBottom, 100) << "typed the other way round";
  EXPECT_DOUBLE_EQ(win.YAxisTop, 600);
  EXPECT_EQ(win.YTickCount, 1);
  EXPECT_EQ(win.YRangeFixed, 1);
  EXPECT_EQ(win.YTitleFixed, 1);
  // A count beyond what the tick tables hold is stored as typed; the drawing
  // and the printout hold it to the tables.
  script::SetText("ed221", 5, "250");
  script::Click("cmd224");
  script::Run([] { EXPECT_EQ(plat::Trim(plat::Text(kPage, "ed221", 5)), "250"); });
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditIntensityAxis);
  EXPECT_EQ(win.YTickCount, 250);
  EXPECT_EQ(TickIntervals(win.YTickCount), 100);
  RedrawWindow(1);
  EXPECT_DOUBLE_EQ(Win[2].YAxisTop, 600);
  EXPECT_EQ(Win[2].YRangeFixed, 1);
  EXPECT_NE(Win[3].YAxisTop, 600) << "another grid keeps its range";
  EXPECT_EQ(Win[3].YRangeFixed, 0);
  for (int v : {2, 3}) {
    EXPECT_EQ(Win[v].YAxisTitle, "Counts / s") << v;
    EXPECT_EQ(Win[v].ResidualTitle, "res.") << v;
  }
}

TEST_F(WindowTexts, CancelAfterDefaultsReturnsToTheStateBeforeThePage) {
  Win[1].YAxisTitle = "mine";
  Win[1].ResidualTitle = "r";
  Win[1].YTickCount = 7;
  Win[1].ShowYScale = 0;
  script::SetText("ed221", 1, "typed");
  script::Click("cmd224");
  script::Click("cmd223");  // defaults, the page shown again
  script::Run([] {
    EXPECT_EQ(Win[1].ResidualTitle, "R(E)");
    EXPECT_EQ(Win[1].YTickCount, 5);
    EXPECT_EQ(plat::Text(kPage, "ed221", 5), " 5");
  });
  script::Click("cmdCancel222");
  plat::driver::ChooseMenu(CmdEditIntensityAxis);
  EXPECT_EQ(Win[1].YAxisTitle, "mine");
  EXPECT_EQ(Win[1].ResidualTitle, "r");
  EXPECT_EQ(Win[1].YTickCount, 7);
  EXPECT_EQ(Win[1].ShowYScale, 0);
  EXPECT_EQ(Win[1].YRangeFixed, 0);
  EXPECT_EQ(G.DialogResult, 0);
  EXPECT_FALSE(plat::DialogWindowOpen(kPage));
}

TEST_F(WindowTexts, TheLabelsButtonsOfTheToolbarOpenTheirPages) {
  for (int a = 1; a <= kToolbarActionCount; ++a) G.ToolbarButtonOfAction[a] = 1;
  BuildToolbar();
  UpdateMenuState(1);
  struct Case {
    int action;
    const char* caption;
  };
  const Case cases[] = {{61, "Title labels"}, {62, "Annotations"}, {63, "Energy axis"}, {64, "Intensity axis"}};
  for (const Case& c : cases) {
    script::Run([&c] { EXPECT_EQ(plat::DialogCaption(kPage), c.caption); });
    script::Click("cmdCancel222");
    plat::driver::ClickToolbar(G.ToolbarButtonOfAction[c.action]);
    EXPECT_FALSE(plat::DialogWindowOpen(kPage)) << c.action;
  }
  EXPECT_EQ(Win[1].AnnotationCount, 0);
  EXPECT_EQ(Win[1].TitleLabelCount, 0);
}

// ---- Views of several spectra ----

class ViewTexts : public WindowTexts {
 protected:
  // A view of `kind` with members 1..n, in window v.
  static void MakeView(int kind, int n, int v = kView) {
    for (int w = 2; w <= n; ++w) MakeSpectrum(w, w);
    G.ChosenWindowCount = static_cast<Int16>(n);
    for (int k = 1; k <= n; ++k) G.ChosenWindows[k] = k;
    OpenSpectrumWindow(v, "view");
    Win[v].WindowKind = static_cast<Byte>(kind);
    BuildMultiSpectrumWindow(v);
    RedrawWindow(v);
    Current(v);
  }
  static constexpr int kView = 10;
};

TEST_F(ViewTexts, MemberAxisNumbersTheLabelsEvenly) {
  struct Case {
    int members;
    const char* first;
    const char* last;
    std::vector<std::string> labels;
  };
  const Case cases[] = {{5, "0", "100", {"0", "25", "50", "75", "100"}},
                        {4, "0", "10", {"0.0", "3.3", "6.7", "10.0"}},
                        {1, "7", "9", {"7"}}};
  int view = kView;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.members);
    MakeView(Waterfall, c.members, view);
    script::Run([] { EXPECT_EQ(plat::DialogCaption(kPage), "Member axis"); });
    script::SetText("ed221", 1, "Temperature / K");
    script::SetText("ed221", 2, c.first);
    script::SetText("ed221", 3, c.last);
    script::SetText("ed221", 4, "0");
    script::Click("cmdOk221");
    plat::driver::ChooseMenu(CmdEditMemberLabels);
    const WindowRecord& v = Win[view];
    EXPECT_EQ(v.MemberAxisTitle, "Temperature / K");
    for (int k = 1; k <= c.members; ++k) EXPECT_EQ(v.MemberLabel[k], c.labels[k - 1]) << k;
    EXPECT_EQ(v.MemberLabelStep, c.members) << "one labelled member";
    EXPECT_EQ(v.MemberLabelStepFixed, 1);
    ++view;
  }
}

TEST_F(ViewTexts, MemberLabelsAreCutToSevenCharacters) {
  MakeView(StackedCurves, 3);
  script::Run([] {
    EXPECT_EQ(plat::DialogCaption(kPage), "Member labels");
    EXPECT_FALSE(plat::ControlExists(kPage, "chk2216")) << "no member grid on a stacked view";
    EXPECT_EQ(plat::Text(kPage, "ed221", 2), Win[kView].MemberLabel[1]);
  });
  script::SetText("ed221", 2, "first sample");
  script::SetText("ed221", 4, "after anneal");
  script::SetText("ed222", -1, "2");
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditMemberAxis);
  EXPECT_EQ(Win[kView].MemberLabel[1], "first s");
  EXPECT_EQ(Win[kView].MemberLabel[3], "after a");
  EXPECT_DOUBLE_EQ(Win[kView].MemberLabelStep, 1.5);
}

TEST_F(ViewTexts, TickCountsOfViewsHaveNoUpperLimitAndCancelKeepsThem) {
  MakeView(Waterfall, 2);
  Win[kView].YTickCount = 8;
  script::SetText("ed221", 4, "250");
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(CmdEditEnergyAxis);
  EXPECT_EQ(Win[kView].XTickCount, 250);
  EXPECT_EQ(Win[kView].XRangeFixed, 1);
  // Cancel on the intensity page gives the view its own tick count back.
  script::SetText("ed221", 5, "3");
  script::Click("cmd224");
  script::Click("cmdCancel222");
  plat::driver::ChooseMenu(CmdEditIntensityAxis);
  EXPECT_EQ(Win[kView].YTickCount, 8);
}

}  // namespace
}  // namespace shelltest
