// Names and labels in any script, through the menus of the started program
// and the real file system: a VAMAS file and a two-column file imported from
// a folder "α-Fe2O3 Кварц 石英", labels "β-phase Δ=0.3 eV" and "Кварц 石英"
// and an axis title in Cyrillic typed on the pages, a fit with its errors;
// the table of all spectra exported; the project saved
// into a folder of the same name, every window closed and the project opened
// again; the window printed into a PDF file, the tables exported and the
// presetting saved there.
// Every name read back from the files and from the PDF's text is what was
// typed.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/labels.h"
#include "platform/mouse.h"
#include "platform/printer.h"
#include "platform/text.h"
#include "project_fixture.h"
#include "support/test_support.h"
#include "three_singlets_pages.h"

namespace projecttest {
namespace {

const std::string kFolder = "\u03B1-Fe2O3 \u041A\u0432\u0430\u0440\u0446 \u77F3\u82F1";
const std::string kVamasFile = kFolder + "/Probe \u03B2 \u77F3\u82F1.vms";
const std::string kTwoColumnFile = kFolder + "/\u77F3\u82F1 Si2p.xy";
const std::string kTwoColumnName = "\u77F3\u82F1 Si2p";
const std::string kLabel = "\u03B2-phase \u0394=0.3 eV";
const std::string kTitle = "\u041A\u0432\u0430\u0440\u0446 \u77F3\u82F1";
const std::string kAxisTitle = "\u042D\u043D\u0435\u0440\u0433\u0438\u044F \u0441\u0432\u044F\u0437\u0438 (eV)";
const std::string kProject = kFolder + "/" + kFolder + ".svr";
const std::string kCopyFolder = kFolder + "/" + kFolder;

// The lines of a file as the program reads it back.
std::vector<std::string> ReadBack(const std::string& programPath) {
  plat::OpenInput(9, programPath);
  std::vector<std::string> lines;
  while (!plat::AtEnd(9)) lines.push_back(plat::ReadLine(9));
  plat::Close(9);
  return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  for (const std::string& l : lines)
    if (l == line) return true;
  return false;
}

class AnyScriptNames : public ProjectTest {
 protected:
  void SetUp() override {
    ProjectTest::SetUp();
    const std::string sample = testsupport::SamplesDir() + "/vamas/five-regions.vms";
    if (!plat::FileExists(plat::ProgramPath(sample)))
      GTEST_SKIP() << "sample files not found below " << testsupport::SamplesDir();
    G.CpsMode = 1;
    G.ColumnSeparator = ";";
    folder_->Write(kVamasFile, testsupport::ReadFile(sample));
    folder_->Write(kTwoColumnFile, "# Si 2p\r\n100 5\r\n101 7\r\n102 9\r\n");
  }
  void TearDown() override {
    plat::SetPrintToPdf("");
    ProjectTest::TearDown();
  }

  // The C 1s block of the VAMAS file, through the menu and its choice page,
  // which shows the file's path as the user reads it.
  int ImportVamasBlock() {
    script::AnswerFile(Program(kVamasFile));
    script::Run([] {
      // The path as the user reads it, its nearest folder within the label.
      const std::string shown = plat::Text(2, "lb21");
      EXPECT_NE(shown.find("/Probe \u03B2 \u77F3\u82F1.vms"), std::string::npos) << shown;
      EXPECT_FALSE(plat::TextCut(2, "lb21")) << shown;
    });
    script::SelectItems("lib21", -1, {3});
    script::Click("cmdOk21");
    driver::ChooseMenu(CmdImportVamas);
    return G.CurrentWindow;
  }

  // The two-column file, named on its header page by the name offered
  // there: the file's own name.
  int ImportTwoColumnFile() {
    script::AnswerFile(Program(kTwoColumnFile));
    script::SetText("ed251", -1, "1486.6");
    script::Click("cmdOK251");
    script::Expect([] { return plat::Text(26, "ed261") == kTwoColumnName; }, "the offered name");
    script::Click("cmdOk261");
    script::Click("cmd23");
    driver::ChooseMenu(CmdImportTwoColumnKinetic);
    return G.CurrentWindow;
  }

  static void ChooseAllWindows() {
    script::Click("cmd203");
    script::Click("cmdOk201");
  }

  // The window's names and labels as typed.
  static void ExpectNamesAndLabels(int vamas, int twoColumn) {
    EXPECT_EQ(Win[twoColumn].SpectrumHeader.Name, kTwoColumnName);
    ASSERT_EQ(Win[vamas].AnnotationCount, 1);
    ASSERT_EQ(Win[vamas].TitleLabelCount, 1);
    EXPECT_EQ(Labels[LabelIndex(vamas, 1)].AnnotationText, kLabel);
    EXPECT_EQ(Labels[LabelIndex(vamas, 1)].TitleLabelText, kTitle);
    EXPECT_EQ(plat::Label(plat::LabelArray::Annotation, LabelIndex(vamas, 1)).text, kLabel);
    EXPECT_EQ(plat::Label(plat::LabelArray::Title, LabelIndex(vamas, 1)).text, kTitle);
  }
};

TEST_F(AnyScriptNames, ImportLabelFitSaveOpenPrintAndExport) {
  const int vamas = ImportVamasBlock();
  ASSERT_EQ(vamas, 1);
  EXPECT_EQ(Win[vamas].SourcePath, Program(kVamasFile));
  EXPECT_EQ(plat::Caption(vamas), Win[vamas].SpectrumHeader.Name);
  shelltest::FitThreePeaksWithErrors();
  ASSERT_EQ(Win[vamas].HasFit, 1);
  ASSERT_EQ(Win[vamas].ErrorTableValid, 1);
  shelltest::AddLabel(vamas, CmdEditAnnotations, kLabel, 200, 60);
  shelltest::AddLabel(vamas, CmdEditTitleLabels, kTitle, 80, 30);

  // An energy axis title in Cyrillic. The table of all spectra begins with
  // its first six characters: whole letters, never a broken one.
  script::SetText("ed221", 1, kAxisTitle);
  script::Click("cmdOk221");
  driver::ChooseMenu(CmdEditEnergyAxis);
  EXPECT_EQ(Win[vamas].XAxisTitle, kAxisTitle);
  const std::string allSpectra = Program(kFolder + "/" + kFolder + ".dat");
  script::AnswerFile(allSpectra);
  driver::ChooseMenu(CmdExportAllSpectra);
  ASSERT_TRUE(plat::FileExists(allSpectra));
  const std::vector<std::string> allLines = ReadBack(allSpectra);
  ASSERT_FALSE(allLines.empty());
  EXPECT_EQ(allLines[0].rfind(plat::Left(kAxisTitle, 6) + ";", 0), 0u) << allLines[0];
  EXPECT_TRUE(plat::IsUtf8(folder_->Read(kFolder + "/" + kFolder + ".dat")));

  const int twoColumn = ImportTwoColumnFile();
  ASSERT_EQ(twoColumn, 2);
  EXPECT_EQ(plat::Caption(twoColumn), kTwoColumnName);
  ExpectNamesAndLabels(vamas, twoColumn);
  EXPECT_TRUE(plat::MessagesShown().empty());

  // Saved into the folder, beside a copy folder of the same name.
  G.CurrentWindow = static_cast<Byte>(vamas);
  Save(kProject);
  ASSERT_TRUE(folder_->Exists(kProject));
  EXPECT_TRUE(folder_->Exists(kCopyFolder + "/Probe \u03B2 \u77F3\u82F1.vms"));
  EXPECT_TRUE(folder_->Exists(kCopyFolder + "/\u77F3\u82F1 Si2p.xy"));
  const std::vector<std::string> project = ReadBack(Program(kProject));
  EXPECT_TRUE(HasLine(project, kLabel));
  EXPECT_TRUE(HasLine(project, kTitle));
  EXPECT_TRUE(HasLine(project, kTwoColumnName));
  // Texts that Windows-1252 cannot hold are written as UTF-8, byte for byte.
  EXPECT_NE(folder_->Read(kProject).find("\r\n" + kLabel + "\r\n"), std::string::npos);

  CloseAllWindows();
  ASSERT_EQ(OpenWindowCount(), 0);
  Open(kProject);
  ASSERT_EQ(OpenWindowCount(), 2);
  EXPECT_TRUE(plat::MessagesShown().empty());
  ExpectNamesAndLabels(vamas, twoColumn);
  EXPECT_EQ(plat::Caption(twoColumn), kTwoColumnName);
  EXPECT_EQ(Win[vamas].SourcePath, Program(kCopyFolder + "/Probe \u03B2 \u77F3\u82F1.vms"));
  EXPECT_EQ(Win[twoColumn].SourcePath, Program(kCopyFolder + "/\u77F3\u82F1 Si2p.xy"));
  ASSERT_EQ(Win[vamas].HasFit, 1);

  // The window printed into a PDF file in the folder, through the print
  // dialog.
  const std::string pdf = folder_->Path(kFolder + "/" + kLabel + ".pdf");
  G.CurrentWindow = static_cast<Byte>(vamas);
  script::Click("cmdOk91");
  script::AnswerDialog("print", pdf);
  driver::ChooseMenu(CmdPrintWindow);
  const std::string text = testsupport::PdfText(pdf);
  ASSERT_FALSE(text.empty()) << "pdftotext could not read " << pdf;
  EXPECT_NE(text.find(kLabel), std::string::npos) << text;
  EXPECT_NE(text.find(kTitle), std::string::npos) << text;
  EXPECT_NE(text.find(kFolder), std::string::npos) << "the source's folder in the header\n" << text;

  // The tables, written under names in any script and read back.
  const std::string spectrumTable = Program(kFolder + "/" + kLabel + " \u8868.dat");
  script::Click("cmdOk191");
  script::Click("cmdOk181");
  script::AnswerFile(spectrumTable);
  driver::ChooseMenu(CmdExportSpectrumTable);
  ASSERT_TRUE(plat::FileExists(spectrumTable));
  EXPECT_EQ(ReadBack(spectrumTable).size(), static_cast<std::size_t>(Win[vamas].RegionEnd - Win[vamas].RegionStart + 2));

  for (int command : {CmdExportFitTable, CmdExportFitErrorTable}) {
    SCOPED_TRACE(command);
    const std::string table = Program(kFolder + "/\u0394 " + std::to_string(command) + ".dat");
    ChooseAllWindows();
    script::SetValue("chk291", -1, 1);
    script::Click("cmdOk291");
    script::AnswerFile(table);
    driver::ChooseMenu(command);
    ASSERT_TRUE(plat::FileExists(table));
    const std::vector<std::string> lines = ReadBack(table);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind(std::to_string(vamas) + ";", 0), 0u) << lines[0];
  }
  EXPECT_TRUE(plat::MessagesShown().empty());

  // The presetting, saved there and loaded again, keeps the folders it
  // names.
  const std::string importFolder = G.ImportFolder;
  EXPECT_NE(importFolder.find(kFolder), std::string::npos);
  const std::string presetting = Program(kFolder + "/" + kLabel + ".set");
  script::AnswerFile(presetting);
  driver::ChooseMenu(CmdSavePresetting);
  G.ImportFolder.clear();
  CloseAllWindows();  // a presetting is loaded with no window open
  script::AnswerFile(presetting);
  driver::ChooseMenu(CmdLoadPresetting);
  EXPECT_EQ(G.PresettingFilePath, presetting);
  EXPECT_EQ(G.ImportFolder, importFolder);
  EXPECT_TRUE(plat::MessagesShown().empty());
}

}  // namespace
}  // namespace projecttest
