// The interactive loaders driven through the file dialog: a cancelled dialog
// changes nothing, a chosen file is loaded, a wrong one is refused.
#include <string>

#include "core/parameter_set.h"
#include "core/reference_files.h"
#include "core/store.h"
#include "files_fixture.h"
#include "shell/auger_list_window.h"

namespace sorvan::testing_files {
namespace {

class DialogLoaderTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    G.LabelTexts[7] = "Tables";
    G.LabelTexts[9] = "Open a table";
    G.LabelTexts[82] = "Auger parameters";
    G.CaptionTexts[14] = "All files";
    G.CaptionTexts[16] = "Parameter sets";
    G.MessageTexts[129] = "Open a parameter set";
    G.AugerFolder = Path("\\auger parameters");
  }
};

TEST_F(DialogLoaderTest, SensitivityFactorsFromTheDialog) {
  const std::string table = Write("\\elsewhere\\mine.sen", "Sensitivity Factors\r\nC1s,1\r\nO1s,2.93\r\n");
  plat::script::CancelFile();
  LoadSensitivityFactors();
  EXPECT_EQ(G.SensitivityCount, 0);
  EXPECT_EQ(G.FileDialogResult, "");
  EXPECT_EQ(G.FileDialogFilter[0], "Tables");
  EXPECT_EQ(G.FileDialogFilter[1], "*.sen");
  EXPECT_EQ(G.FileDialogFilter[3], "*.*");
  EXPECT_EQ(G.FileDialogFilter[4], "");

  plat::script::AnswerFile(table);
  LoadSensitivityFactors();
  EXPECT_EQ(G.SensitivityCount, 2);
  EXPECT_EQ(G.SensitivitySource, table);
  EXPECT_EQ(G.SensitivityFilePath, "mine.sen");
  EXPECT_EQ(plat::driver::StepsLeft(), 0u);
}

TEST_F(DialogLoaderTest, TransmissionParametersFromTheDialog) {
  std::string text = "name\r\nnot the signature\r\n";
  for (int i = 3; i <= 34; ++i) text += "1\r\n";
  const std::string wrong = Write("\\XPS-transfct\\wrong.trm", text);
  plat::script::AnswerFile(wrong);
  ExpectMessage();
  LoadTransmissionParameters();
  EXPECT_EQ(G.CommandId, 3);
  EXPECT_EQ(G.TransmissionSource, "");
}

TEST_F(DialogLoaderTest, ParameterSetFromTheDialog) {
  std::string text = "Singlet\r\n301\r\n";
  for (int j = 1; j <= 10; ++j) text += "0,2," + std::to_string(j) + ",0\r\n";
  const std::string set = Write("\\sets\\mine.par", text);
  Win[1].SpectrumHeader.ScanCount = 1;
  Win[1].SpectrumHeader.DwellTime = 1;
  G.CpsMode = 1;

  G.DialogResult = 7;
  plat::script::CancelFile();
  LoadParameterSetFile(1);
  EXPECT_EQ(G.ParameterFileName, "");
  EXPECT_EQ(G.DialogResult, 7);
  EXPECT_EQ(Win[1].PeakCount, 0);

  plat::script::AnswerFile(set);
  LoadParameterSetFile(1);
  EXPECT_EQ(G.ParameterFileName, set);
  EXPECT_EQ(G.ParameterSetFolder, Path("\\sets"));
  EXPECT_EQ(Win[1].PeakCount, 1);
  EXPECT_EQ(Win[1].ParameterValue[1][10], 10);
  EXPECT_EQ(G.DialogResult, 1);
}

TEST_F(DialogLoaderTest, AugerListFromTheDialog) {
  WorkData.Resize(5);
  WorkData[5] = 9;
  plat::script::CancelFile();
  LoadAugerParameterList();
  EXPECT_EQ(WorkData.Upper(), 100);  // the work vectors are cleared before the dialog
  EXPECT_EQ(WorkData[5], 0);
  EXPECT_FALSE(Win[1].WindowOpen);

  const std::string list = Write("\\auger parameters\\Copper.aup", " 1851.2=932.6+918.6  Cu metal\r\n");
  plat::script::AnswerFile(list);
  LoadAugerParameterList();
  EXPECT_TRUE(Win[1].WindowOpen);
  EXPECT_EQ(Win[1].WindowKind, 1);
  EXPECT_EQ(Win[1].ChemStateListName, "Copper");
  EXPECT_EQ(G.SourceFilePath, list);
}

}  // namespace
}  // namespace sorvan::testing_files
