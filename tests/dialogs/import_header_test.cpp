// The excitation energy and import header pages: what each layout shows and
// what OK stores into the imported header.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/import_header_pages.h"
#include "page_fixture.h"

namespace {

using namespace sorvan;
using pagetest::FindControl;
using pagetest::kCellHeight;
namespace script = plat::script;

constexpr int kEnergyPage = 25;
constexpr int kHeaderPage = 26;

class ExcitationEnergyPage : public pagetest::PageTest {};

TEST_F(ExcitationEnergyPage, StoresTheTypedEnergy) {
  struct Case {
    const char* typed;
    double stored;
  } cases[] = {{"21,2", 21.2}, {"1253.6", 1253.6}, {"", 0}, {"eV", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    G.DefaultExcitationEnergy = 1486.6;
    script::Run([] {
      EXPECT_EQ(plat::Text(kEnergyPage, "ed251"), " 1486.6");
      EXPECT_TRUE(FindControl(kEnergyPage, "ed251").hasFocus);
    });
    script::SetText("ed251", -1, c.typed);
    script::Click("cmdOK251");
    ShowExcitationEnergyPage();
    EXPECT_DOUBLE_EQ(G.DefaultExcitationEnergy, c.stored);
  }
}

TEST_F(ExcitationEnergyPage, EnterDoesNotPressOkAndTheCloseBoxChangesNothing) {
  G.DefaultExcitationEnergy = 1486.6;
  script::SetText("ed251", -1, "40,8");
  script::Key(script::KeyCode::Enter);
  script::Expect([] { return plat::DialogWindowOpen(kEnergyPage); }, "Enter leaves the page open");
  script::Run([] { plat::RequestDialogClose(kEnergyPage); });
  ShowExcitationEnergyPage();
  EXPECT_DOUBLE_EQ(G.DefaultExcitationEnergy, 1486.6);
  EXPECT_FALSE(plat::DialogWindowOpen(kEnergyPage));
}

class ImportHeaderPage : public pagetest::PageTest {
 protected:
  void SetUp() override {
    PageTest::SetUp();
    SpectrumHeaderRecord& h = ImportedHeader[1];
    h.Name = "Cu 2p";
    h.Comment = "sputtered";
    h.Date = "10.03.2006";
    h.ExcitationEnergy = 1486.6;
    h.StartEnergy = 500;
    h.EndEnergy = 540;
    h.EnergyStep = 0.2;
    h.PointCount = 201;
    h.DwellTime = 0.1;
    h.ScanCount = 5;
    h.PassEnergy = 20;
    h.Technique = "XPS";
  }
};

TEST_F(ImportHeaderPage, FullLayoutRecomputesThePointCount) {
  G.LineBuffer = "Name: Cu 2p";
  script::Run([] {
    const plat::WindowRect r = plat::DialogWindowRect(kHeaderPage);
    EXPECT_EQ(r.height, 16 * kCellHeight);
    EXPECT_EQ(plat::Text(kHeaderPage, "lb263"), "M97 :");
    EXPECT_EQ(plat::Text(kHeaderPage, "ed265"), " 500");
    EXPECT_EQ(FindControl(kHeaderPage, "ed2610").y, 170);  // row 10: 11.3 cells = 169.5 -> 170
    EXPECT_TRUE(FindControl(kHeaderPage, "cmdOk261").isDefault);
    EXPECT_TRUE(FindControl(kHeaderPage, "ed261").hasFocus);
  });
  script::SetText("ed261", -1, "Cu 2p new");
  script::SetText("ed265", -1, "1000");
  script::SetText("ed266", -1, "900");
  script::SetText("ed269", -1, "0,5");
  script::Key(script::KeyCode::Enter);
  ShowImportHeaderPage();
  const SpectrumHeaderRecord& h = ImportedHeader[1];
  EXPECT_EQ(h.Name, "Cu 2p new");
  EXPECT_DOUBLE_EQ(h.EnergyStep, 0.5);
  EXPECT_EQ(h.PointCount, 201);
  EXPECT_EQ(h.Technique, "CAE");
}

TEST_F(ImportHeaderPage, FullLayoutWithStepZeroKeepsThePointCount) {
  G.LineBuffer = "";
  script::SetText("ed269", -1, "0");
  script::SetText("ed265", -1, "100");
  script::Key(script::KeyCode::Enter);
  ShowImportHeaderPage();
  EXPECT_EQ(ImportedHeader[1].PointCount, 201);
  EXPECT_DOUBLE_EQ(ImportedHeader[1].StartEnergy, 100);
}

TEST_F(ImportHeaderPage, KeywordLayoutShowsFiveRowsAndKeepsCountAndTechnique) {
  G.LineBuffer = "xstart 500";
  script::Run([] {
    EXPECT_EQ(plat::DialogWindowRect(kHeaderPage).height, 10 * kCellHeight);
    EXPECT_EQ(plat::Text(kHeaderPage, "lb263"), "M97");
    EXPECT_FALSE(plat::ControlExists(kHeaderPage, "ed265"));
    EXPECT_FALSE(plat::ControlExists(kHeaderPage, "ed269"));
    EXPECT_EQ(FindControl(kHeaderPage, "ed2610").y, FindControl(kHeaderPage, "lb2615").y);
    EXPECT_EQ(FindControl(kHeaderPage, "lb2615").y, 80);  // fifth row: 5.3 cells
    EXPECT_EQ(FindControl(kHeaderPage, "cmdOk261").y, 7 * kCellHeight);
  });
  script::SetText("ed264", -1, "1253,6");
  script::SetText("ed2610", -1, "50");
  script::Key(script::KeyCode::Enter);
  ShowImportHeaderPage();
  const SpectrumHeaderRecord& h = ImportedHeader[1];
  EXPECT_DOUBLE_EQ(h.ExcitationEnergy, 1253.6);
  EXPECT_DOUBLE_EQ(h.PassEnergy, 50);
  EXPECT_EQ(h.PointCount, 201);
  EXPECT_EQ(h.Technique, "XPS");
}

TEST_F(ImportHeaderPage, TwoColumnLayoutShowsTheReadersEnergiesFixed) {
  G.LineBuffer = "E_I";
  script::Run([] {
    EXPECT_EQ(FindControl(kHeaderPage, "lb2617").kind, plat::ControlKind::Label);
    EXPECT_EQ(plat::Text(kHeaderPage, "lb2618"), " 500");
    EXPECT_EQ(plat::Text(kHeaderPage, "lb2619"), " 540");
    // The step is the reader's: shown, but not for editing.
    EXPECT_EQ(FindControl(kHeaderPage, "ed2620").kind, plat::ControlKind::TextBox);
    EXPECT_FALSE(plat::ControlExists(kHeaderPage, "ed264"));
  });
  script::SetText("ed268", -1, "12");
  script::Key(script::KeyCode::Enter);
  ShowImportHeaderPage();
  const SpectrumHeaderRecord& h = ImportedHeader[1];
  EXPECT_DOUBLE_EQ(h.ScanCount, 12);
  EXPECT_DOUBLE_EQ(h.StartEnergy, 500);
  EXPECT_DOUBLE_EQ(h.EnergyStep, 0.2);
  EXPECT_EQ(h.PointCount, 201);
  EXPECT_EQ(h.Technique, "CAE");
}

TEST_F(ImportHeaderPage, PointCountIsHeldToWhatTheHeaderCanHold) {
  G.LineBuffer = "";
  script::SetText("ed265", -1, "0");
  script::SetText("ed266", -1, "100000");
  script::SetText("ed269", -1, "0.001");
  script::Key(script::KeyCode::Enter);
  ShowImportHeaderPage();
  EXPECT_EQ(ImportedHeader[1].PointCount, 32767);
}

}  // namespace

namespace {

using namespace sorvan;
namespace script = plat::script;

class ImportParametersPage : public pagetest::PageTest {};

TEST_F(ImportParametersPage, StoresEnergyAndNameOfTheImportedSpectrum) {
  ImportedHeader[1].ExcitationEnergy = 1486.6;
  ImportedHeader[1].Name = "Test";
  script::Run([] {
    EXPECT_EQ(plat::DialogCaption(6), "M12 BESSY/VSI");
    EXPECT_EQ(plat::Text(6, "ed61"), " 1486.6");
    EXPECT_EQ(plat::Text(6, "ed62"), "Test");
    EXPECT_FALSE(pagetest::FindControl(6, "ed61").hasFocus);
  });
  script::SetText("ed61", -1, "21,2");
  script::SetText("ed62", -1, "He I valence band");
  script::Key(script::KeyCode::Enter);
  ShowImportParametersPage();
  EXPECT_DOUBLE_EQ(ImportedHeader[1].ExcitationEnergy, 21.2);
  EXPECT_EQ(ImportedHeader[1].Name, "He I valence band");
}

}  // namespace
