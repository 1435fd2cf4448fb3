// Tests of the presetting file: round trip, the signature test, flags, text
// lines holding commas, short and missing files, and values out of range.
#include <limits>
#include <vector>

#include "core/presetting.h"
#include "core/reference_files.h"
#include "files_fixture.h"

namespace sorvan::testing_files {
namespace {

constexpr const char* kFile = "\\presetting\\presetting.set";

// Gives every presetting field a value that differs from its neighbours.
void FillPresettingFields() {
  G.AveragePoints = 5;
  G.EnergyAxisMode = 1;
  G.CpsMode = 1;
  G.ColumnSeparator = ",";
  G.DecimalComma = 0;
  for (int c = 0; c <= 19; ++c) {
    G.CurveStyles[c] = c % 7;
    G.CurveWidths[c] = 1 + c / 4.0;
    G.CurveColours[c] = 65536 * c + 255;
    G.LineStyles[c] = c % 5;
    G.LineWidths[c] = 0.5 * c;
    G.LineColours[c] = 1000.0 * c;
    G.FontName[c] = c % 3 == 0 ? std::string() : "Font, number " + std::to_string(c);
    G.FontItalic[c] = c % 2 == 0;
    G.FontSize[c] = 8.25f + static_cast<float>(c);
    G.FontBold[c] = c % 3 == 0;
    G.FontUnderline[c] = c % 4 == 0;
    G.FontStrikeout[c] = c % 5 == 0;
    G.FontDialogText[c] = c;
    G.FontColour[c] = 12345.0 + c;
    G.FontCharWidth[c] = static_cast<Int16>(6 + c);
    G.FontLineHeight[c] = static_cast<Int16>(14 + c);
  }
  G.PlotBackColour = 16777215;
  G.TickDirection = 1;
  G.TickSize = 2;
  G.RightTicks = 1;
  G.TopTicks = 0;
  G.MinorTicksX = 1;
  G.PrintBackColour = 8421504;
  G.PrintTickSize = 1;
  G.XGridLinesDefault = 1;
  G.MemberGridLinesDefault = 1;
  G.DefaultPeakModel = 1;
  G.DefaultRelativeMode = 1;
  G.DialogLeft = -20;
  G.DialogTop = 300;
  G.DefaultExcitationEnergy = 1253.6;
  G.LanguageIndex = 1;
  G.ToolbarVisible = 1;
  G.ImportFolder = "\\data\\run 3, day 2";
  G.DialogFontName = "Liberation Sans";
  G.DialogFontSize = 9.75f;
  G.DialogFontStyle[0] = 1;
  G.DialogFontStyle[3] = 1;
  G.DialogFontDialogText = 4;
  G.DialogFontColour = 255;
  Win[0].ImportFormat = 12;
  G.ExportScaleOn = 1;
  for (int i = 1; i <= 7; ++i) G.ExportColumns[i] = static_cast<Byte>(i % 2);
  G.BackgroundName = "Shirley";
  G.ScaleOperationName = "Normalise";
  G.ArithmeticOperationName = "Subtract";
  G.FitTypeName = "Singlet";
  G.AlSatellitePreset = 2;
  G.MgSatellitePreset = 5;
  G.SensitivityFilePath = "standard.sen";
  G.LineFilterAll = 0;
  G.LineFilterMarked = 1;
  G.LineFilterElement = 1;
  G.LineFilterOwnFile = 0;
  G.LineFilterSymbol = "Cu";
  G.LineFilePath = "\\lines\\own, list.pos";
  G.LineFileName = "own, list.pos";
  for (int a = 1; a <= 69; ++a) G.ToolbarButtonOfAction[a] = static_cast<Byte>(a % 3 == 0);
  G.ToolbarButtonSize = 24;
  G.DefaultErrorsInPercent = 1;
  G.ProjectFolder = "\\projects";
  G.ExportFolder = "\\exports,old";
  G.DefaultErrorMethod = 1;
  G.TransmissionFilePath = "analyser.trm";
}

class PresettingTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    G.PresettingFilePath = Path(kFile);
    plat::CreateFolder(Path("\\presetting"));
  }
  // Clears the model as a fresh start would, keeping the two paths.
  void ClearModel() {
    const std::string folder = G.ProgramFolder;
    InitialiseModel();
    G.ProgramFolder = folder;
    G.PresettingFilePath = Path(kFile);
    G.CurrentWindow = 1;
  }
  // Writes the given lines as the presetting file.
  void WriteLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    Write(kFile, text);
  }
};

TEST_F(PresettingTest, WrittenFileReadsBackLineForLine) {
  FillPresettingFields();
  WritePresetting();
  const std::vector<std::string> written = PresettingLines();
  ASSERT_EQ(written.size(), 462u);

  ClearModel();
  int shown = 0;
  ReadPresetting([&shown] { ++shown; });
  EXPECT_EQ(PresettingLines(), written);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(DialogFont().name, "Liberation Sans");
  EXPECT_TRUE(DialogFont().bold);
  // The texts holding commas and the "," separator come back whole.
  EXPECT_EQ(G.ImportFolder, "\\data\\run 3, day 2");
  EXPECT_EQ(G.FontName[1], "Font, number 1");
  EXPECT_EQ(G.LineFilePath, "\\lines\\own, list.pos");
  EXPECT_EQ(G.ExportFolder, "\\exports,old");
  EXPECT_EQ(G.ColumnSeparator, ",");
  EXPECT_EQ(G.TransmissionFilePath, "analyser.trm");
  EXPECT_EQ(G.DefaultExcitationEnergy, 1253.6);
  EXPECT_EQ(G.DialogLeft, -20);
  EXPECT_EQ(G.FontSize[3], 11.25f);
  EXPECT_EQ(G.ToolbarButtonOfAction[69], 1);
  EXPECT_EQ(G.ToolbarButtonOfAction[68], 0);
}

TEST_F(PresettingTest, SeparatorsSurviveTheirLine) {
  for (const std::string separator : {",", "\t", " ", ";"}) {
    ClearModel();
    FillPresettingFields();
    G.ColumnSeparator = separator;
    WritePresetting();
    ClearModel();
    ReadPresetting();
    EXPECT_EQ(G.ColumnSeparator, separator);
    EXPECT_EQ(G.SeparatorChar, static_cast<Byte>(separator[0]));
    EXPECT_EQ(G.DecimalComma, 0);  // the line after the separator is not shifted
  }
}

TEST_F(PresettingTest, FileWithoutSignatureIsRefusedAndChangesNothing) {
  FillPresettingFields();
  std::vector<std::string> lines = PresettingLines();
  ClearModel();
  G.LanguageIndex = 1;
  G.CharWidth = 7;
  G.CharHeight = 15;
  const std::vector<std::string> before = PresettingLines();
  for (const std::string first : {"Presetting", "voreinstellung", " Voreinstellung", ""}) {
    lines[0] = first;
    WriteLines(lines);
    G.CommandId = 0;
    ExpectMessage();
    bool shown = false;
    ReadPresetting([&shown] { shown = true; });
    EXPECT_FALSE(shown) << first;
    EXPECT_EQ(G.CommandId, 3) << first;
    EXPECT_EQ(PresettingLines(), before) << first;
    EXPECT_EQ(G.CharWidth, 7);
    EXPECT_EQ(G.CharHeight, 15);
  }
}

TEST_F(PresettingTest, OnlyTheFirstFieldOfLineOneIsCompared) {
  FillPresettingFields();
  std::vector<std::string> lines = PresettingLines();
  lines[0] = "Voreinstellung,written by hand";
  ClearModel();
  WriteLines(lines);
  ReadPresetting();
  EXPECT_EQ(G.AveragePoints, 5);
  EXPECT_EQ(G.LanguageIndex, 1);
}

TEST_F(PresettingTest, FlagLinesSetOnAnyNumberButZero) {
  struct Case {
    const char* line;
    bool expected;
  };
  const Case cases[] = {{"0", false}, {" 0", false}, {"-1", true}, {"1", true}, {"2", true},
                        {"True", false}};
  FillPresettingFields();
  std::vector<std::string> lines = PresettingLines();
  for (const Case& c : cases) {
    lines[13] = c.line;  // line 14: FontItalic(0)
    lines[357] = c.line;  // line 358: bold flag of the dialog font
    ClearModel();
    WriteLines(lines);
    ReadPresetting();
    EXPECT_EQ(G.FontItalic[0], c.expected) << c.line;
    EXPECT_EQ(G.DialogFontStyle[0] != 0, c.expected) << c.line;
  }
}

TEST_F(PresettingTest, SecondBackgroundNameWins) {
  FillPresettingFields();
  std::vector<std::string> lines = PresettingLines();
  lines[372] = "Linear";
  lines[456] = "Tougaard";
  ClearModel();
  WriteLines(lines);
  ReadPresetting();
  EXPECT_EQ(G.BackgroundName, "Tougaard");
}

TEST_F(PresettingTest, EmptyTextLineReadsAsEmptyText) {
  FillPresettingFields();
  G.FontName[2] = "before";
  std::vector<std::string> lines = PresettingLines();
  lines[7 + 16 * 2 + 6 - 1] = "";  // FontName(2)
  WriteLines(lines);
  ReadPresetting();
  EXPECT_EQ(G.FontName[2], "");
}

TEST_F(PresettingTest, ValuesOutOfRangeAreCorrected) {
  struct Case {
    const char* averagePoints;
    int expectedPoints;
    const char* language;
    int expectedLanguage;
  };
  const Case cases[] = {{"0", 3, "9", 1}, {"4", 3, "4", 4}, {"21", 3, "255", 1}, {"7", 7, "0", 0},
                        {"-3", 3, "2", 2}};
  FillPresettingFields();
  std::vector<std::string> lines = PresettingLines();
  for (const Case& c : cases) {
    lines[1] = c.averagePoints;
    lines[352] = c.language;
    ClearModel();
    G.LanguageIndex = 1;
    WriteLines(lines);
    ReadPresetting();
    EXPECT_EQ(G.AveragePoints, c.expectedPoints) << c.averagePoints;
    EXPECT_EQ(G.LanguageIndex, c.expectedLanguage) << c.language;
  }
}

// Numbers beyond the range of their field, read from a file or held: what
// is written reads back as what the program holds, and a second write is the
// same as the first. Line 46 is the font size of style 2 (a float), line 39
// the curve width of style 2 (a double).
TEST_F(PresettingTest, NumbersBeyondTheirRangeReadBackAsWritten) {
  constexpr float kFloatMost = std::numeric_limits<float>::max();
  constexpr double kDoubleMost = std::numeric_limits<double>::max();
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  FillPresettingFields();
  ASSERT_EQ(PresettingLines()[46], " 10.25");
  ASSERT_EQ(PresettingLines()[39], " 1.5");
  struct Case {
    const char* what;
    const char* fontSizeLine;  // nullptr: held, not read
    float heldFontSize;
    double heldWidth;
    float fontSize, dialogFontSize;
    double width;
  };
  const Case cases[] = {
      {"read beyond float range", "1E39", 0, 1.5, kFloatMost, 9.75f, 1.5},
      {"read beyond float range, negative", "-1E300", 0, 1.5, -kFloatMost, 9.75f, 1.5},
      {"held infinite", nullptr, std::numeric_limits<float>::infinity(), kInfinity, kFloatMost, kFloatMost,
       kDoubleMost},
      {"held infinite, negative", nullptr, -std::numeric_limits<float>::infinity(), -kInfinity, -kFloatMost,
       kFloatMost, -kDoubleMost},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FillPresettingFields();
    if (c.fontSizeLine != nullptr) {
      std::vector<std::string> lines = PresettingLines();
      lines[46] = c.fontSizeLine;
      WriteLines(lines);
      ClearModel();
      ReadPresetting();
    } else {
      G.FontSize[2] = c.heldFontSize;
      G.DialogFontSize = std::numeric_limits<float>::infinity();
      G.CurveWidths[2] = c.heldWidth;
    }
    WritePresetting();
    const std::vector<std::string> written = PresettingLines();
    ClearModel();
    ReadPresetting();
    EXPECT_EQ(G.FontSize[2], c.fontSize);
    EXPECT_EQ(G.DialogFontSize, c.dialogFontSize);
    EXPECT_EQ(G.CurveWidths[2], c.width);
    EXPECT_EQ(PresettingLines(), written);
  }
}

TEST_F(PresettingTest, PresetsAndButtonSizeOutOfRangeFallBack) {
  struct Case {
    const char* value;
    int before;
    int expectedPreset;
    int expectedSize;
  };
  // Before the read: preset and button size `before` (0 on a first start).
  const Case cases[] = {{"0", 0, 1, 24}, {"6", 3, 3, 6}, {"-2", 4, 4, 4}, {"5", 0, 5, 5}};
  FillPresettingFields();
  std::vector<std::string> lines = PresettingLines();
  for (const Case& c : cases) {
    lines[376] = c.value;  // AlSatellitePreset
    lines[455] = c.value;  // ToolbarButtonSize
    ClearModel();
    G.AlSatellitePreset = static_cast<Int16>(c.before);
    G.ToolbarButtonSize = static_cast<Int16>(c.before);
    WriteLines(lines);
    ReadPresetting();
    EXPECT_EQ(G.AlSatellitePreset, c.expectedPreset) << c.value;
    EXPECT_EQ(G.ToolbarButtonSize, c.expectedSize) << c.value;
    EXPECT_EQ(G.MgSatellitePreset, 5);
  }
}

TEST_F(PresettingTest, ShortFileKeepsWhatItHoldsAndNamesItself) {
  FillPresettingFields();
  std::vector<std::string> lines = PresettingLines();
  lines.resize(352);  // ends before the language line
  ClearModel();
  G.LanguageIndex = 1;
  G.ToolbarButtonSize = 16;
  WriteLines(lines);
  try {
    ReadPresetting();
    FAIL() << "a short presetting was not reported";
  } catch (const plat::FileError& e) {
    EXPECT_EQ(e.path(), Path(kFile));
  }
  EXPECT_EQ(G.AveragePoints, 5);
  EXPECT_EQ(G.DefaultExcitationEnergy, 1253.6);  // line 352, the last one read
  EXPECT_EQ(G.LanguageIndex, 1);
  EXPECT_EQ(G.ToolbarButtonSize, 16);
}

TEST_F(PresettingTest, MissingFileThrowsAndChangesNothing) {
  G.AveragePoints = 9;
  const std::vector<std::string> before = PresettingLines();
  EXPECT_THROW(ReadPresetting(), plat::FileError);
  EXPECT_EQ(PresettingLines(), before);
}

TEST_F(PresettingTest, ReferenceTableFromAnotherFolderIsKeptWithItsFolder) {
  FillPresettingFields();
  G.SensitivityFilePath = "mine.sen";
  G.SensitivitySource = "\\home\\user\\tables\\mine.sen";
  G.TransmissionFilePath = "standard.trm";
  G.TransmissionSource = TransmissionFolder() + "\\standard.trm";
  const std::vector<std::string> lines = PresettingLines();
  EXPECT_EQ(lines[378], "\\home\\user\\tables\\mine.sen");
  EXPECT_EQ(lines[461], "standard.trm");
}

}  // namespace
}  // namespace sorvan::testing_files
