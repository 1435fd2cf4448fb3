// What the text readers share: the file dialog each offers, the cancelled
// dialog that reads nothing, and a placed spectrum read again from its file
// when the window is reverted.
#include <gtest/gtest.h>

#include <string>

#include "import/formats.h"
#include "tests/import/text_import_fixture.h"

using namespace sorvan;
using importtest::JoinLines;

namespace {

class TextDialogsTest : public importtest::TextImportTest {};

TEST_F(TextDialogsTest, EachReaderOffersItsFilterAndReadsNothingOnCancel) {
  const struct {
    int code;
    int captionText;
    const char* mask;
  } cases[] = {
      {EclipseTap, 19, "*.tap"},       {TapBlocks, 19, "*.tap"},
      {PrefixedText, 20, "*.*"},       {TwoColumnBinding, 20, "*.*"},
      {TwoColumnBindingReversed, 20, "*.*"}, {TwoColumnKineticReversed, 20, "*.*"},
      {TwoColumnKinetic, 20, "*.*"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    ImportedValues[1].Resize(2);
    G.SpectraReadCount = 0;
    G.ImportMode = "SDP_VAM";
    Win[0].ImportFormat = static_cast<Byte>(c.code);
    plat::script::CancelFile();
    RunImportReader(c.code, 0);
    plat::driver::Finish();
    EXPECT_EQ(G.FileDialogFilter[0], G.CaptionTexts[c.captionText]);
    EXPECT_EQ(G.FileDialogFilter[1], c.mask);
    EXPECT_EQ(G.FileDialogFilter[2], G.CaptionTexts[14]);
    EXPECT_EQ(G.FileDialogFilter[3], "*.*");
    EXPECT_EQ(G.FileDialogFilter[4], "");
    EXPECT_EQ(G.ImportMode, "NORM");
    EXPECT_EQ(G.SpectraReadCount, 0);
    EXPECT_EQ(ImportedValues[1].Upper(), 2);  // the store is left as it was
  }
}

TEST_F(TextDialogsTest, ImportFolderFollowsTheChosenFile) {
  const std::string path = Write(JoinLines({"100 5", "101 7"}), "sub/k.txt");
  NewImport([](int w) { RunImportReader(TwoColumnKinetic, w); }, TwoColumnKinetic, path, [] {
    plat::script::Click("cmdOK251");
    plat::script::Click("cmdOk261");
  });
  plat::driver::Finish();
  EXPECT_EQ(G.ImportFolder + "\\k.txt", path);
}

TEST_F(TextDialogsTest, RevertReadsATwoColumnWindowFromItsFileAgain) {
  const std::string first = Write(JoinLines({"100 5", "101 7", "102 9"}), "first.txt");
  const std::string second = Write(JoinLines({"200 1", "201 2"}), "second.txt");
  for (const std::string& path : {first, second}) {
    plat::script::AnswerFile(path);
    plat::script::Click("cmdOK251");
    plat::script::Click("cmdOk261");
    plat::script::Click("cmd23");
    plat::driver::ChooseMenu(1183);
    plat::driver::Finish();
  }
  ASSERT_TRUE(Win[1].WindowOpen);
  ASSERT_TRUE(Win[2].WindowOpen);
  ASSERT_EQ(G.SourceFilePath, second);
  for (int i = 1; i <= 3; ++i) SlotData[1](i, 1) = -1;  // processed
  G.CurrentWindow = 1;
  plat::driver::ChooseMenu(1900);  // no dialog and no page on the way
  plat::driver::Finish();
  EXPECT_EQ(G.SourceFilePath, first);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(SlotData[1](i, 1), 3 + 2 * i) << i;
  EXPECT_EQ(Win[1].ImportFormat, TwoColumnKinetic);
  EXPECT_DOUBLE_EQ(Win[1].SpectrumHeader.StartEnergy, 100);
}

}  // namespace
