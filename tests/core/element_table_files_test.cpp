// The element tables as the editor reads and writes them: the entry forms,
// the sorting, the file lines with their decimal-comma rule, and a save that
// fails without touching the old file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/element_table_files.h"
#include "core/model.h"
#include "core/reference_files.h"
#include "platform/files.h"
#include "support/full_disk.h"
#include "support/test_support.h"

namespace {

using namespace sorvan;
using Kind = ElementTableKind;

TEST(ElementTableFiles, EntriesBecomeFileLines) {
  const struct {
    Kind kind;
    const char* entry;
    EntryLine result;
    const char* line;
  } cases[] = {
      {Kind::LinePositions, "530.0 O 1s", EntryLine::Written, " 530.0  O 1s"},
      {Kind::LinePositions, "  84.0   Au 4f7/2  ", EntryLine::Written, " 84.0  Au 4f7/2"},
      {Kind::LinePositions, "1,5 XY", EntryLine::Written, " 1.5  XY"},
      {Kind::LinePositions, "-3.2 Neg", EntryLine::Written, " -3.2  Neg"},  // a leading minus stays
      {Kind::LinePositions, "12.0-13 x", EntryLine::Written, " 12.0  -13 x"},
      {Kind::LinePositions, "1070.0 (KLL) Na", EntryLine::Written, " 1070.0  (KLL) Na"},
      {Kind::LinePositions, "   ", EntryLine::Skipped, ""},
      {Kind::AugerParameters, "726.0=368.2+357.8  Ag metal", EntryLine::Written, " 726.0=368.2+357.8  Ag metal"},
      {Kind::AugerParameters, "1=2+3", EntryLine::Written, " 1=2+3  "},
      {Kind::SensitivityFactors, "Ag3d=5,6", EntryLine::Written, "Ag3d,5.6"},
      {Kind::SensitivityFactors, " C1s=1 ", EntryLine::Written, "C1s,1"},
      {Kind::SensitivityFactors, "Ag3d 5.6", EntryLine::Malformed, ""},
      {Kind::SensitivityFactors, "", EntryLine::Skipped, ""},
      {Kind::Doublets, "Au4f=0,75/3,67", EntryLine::Written, "Au4f,0.75,3.67"},
      {Kind::Doublets, "Au4f=0,75", EntryLine::Malformed, ""},
      // A name may hold "/" itself: the ratio and the splitting follow the "=".
      {Kind::Doublets, "Ti2p3/2=0.5/5.7", EntryLine::Written, "Ti2p3/2,0.5,5.7"},
      {Kind::Doublets, "Ti2p3/2=0.5", EntryLine::Malformed, ""},
  };
  for (const auto& c : cases) {
    std::string line = "unchanged";
    EXPECT_EQ(ElementTableLine(c.kind, c.entry, line), c.result) << c.entry;
    if (c.result == EntryLine::Written) {
      EXPECT_EQ(line, c.line) << c.entry;
    }
  }
}

TEST(ElementTableFiles, WholeTablesCarryTheirHeaderAndNameTheirMalformedRows) {
  std::vector<int> malformed;
  EXPECT_EQ(ElementTableFileLines(Kind::SensitivityFactors, {"C1s=1", "", "bad", "O1s=2,93", "also bad"},
                                  malformed),
            (std::vector<std::string>{"Sensitivity Factors", "C1s,1", "O1s,2.93"}));
  EXPECT_EQ(malformed, (std::vector<int>{3, 5}));
  EXPECT_EQ(ElementTableFileLines(Kind::Doublets, {}, malformed),
            (std::vector<std::string>{"Dublett Werte"}));
  EXPECT_TRUE(malformed.empty());
  EXPECT_EQ(ElementTableFileLines(Kind::LinePositions, {"", "84 Au"}, malformed),
            (std::vector<std::string>{" 84  Au"}));
}

TEST(ElementTableFiles, Sorting) {
  std::vector<std::string> lines = {" 530.0 O 1s", "84.0 Au 4f7/2", "284.6 C 1s", "x no number"};
  SortElementTableEntries(Kind::LinePositions, false, lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"x no number", "84.0 Au 4f7/2", "284.6 C 1s", " 530.0 O 1s"}));
  SortElementTableEntries(Kind::LinePositions, true, lines);
  EXPECT_EQ(lines, (std::vector<std::string>{" 530.0 O 1s", "284.6 C 1s", "84.0 Au 4f7/2", "x no number"}));
  // Byte by byte: capitals before small letters.
  std::vector<std::string> factors = {"b=1", "B=2", "a=3"};
  SortElementTableEntries(Kind::SensitivityFactors, false, factors);
  EXPECT_EQ(factors, (std::vector<std::string>{"B=2", "a=3", "b=1"}));
}

class ElementTableFileIo : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("sorvan-element-tables-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    plat::CloseAll();
    std::filesystem::remove_all(dir_);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return plat::ProgramPath((dir_ / name).string());
  }
  std::string Read(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::filesystem::path dir_;
};

TEST_F(ElementTableFileIo, ReadsEntryForms) {
  std::vector<std::string> entries;
  EXPECT_TRUE(ReadElementTableEntries(Kind::SensitivityFactors,
                                      Write("a.sen", "Sensitivity Factors\r\nC1s,1\r\n\r\nO1s,2.93\r\nN1s\r\n"), entries));
  // A blank line is skipped; a name without its factor stays to be mended.
  EXPECT_EQ(entries, (std::vector<std::string>{"C1s=1", "O1s=2.93", "N1s="}));
  EXPECT_TRUE(ReadElementTableEntries(Kind::Doublets, Write("d.dda", "Dublett Werte\nAl2p,0.5,0.50\n"), entries));
  EXPECT_EQ(entries, (std::vector<std::string>{"Al2p=0.5/0.50"}));
  EXPECT_FALSE(ReadElementTableEntries(Kind::SensitivityFactors, Write("b.sen", "Sensitivity\r\nC1s,1\r\n"), entries));
  EXPECT_FALSE(ReadElementTableEntries(Kind::Doublets, Write("e.dda", ""), entries));
  EXPECT_TRUE(ReadElementTableEntries(Kind::LinePositions, Write("l.pos", " 84.0  Au\r\n\r\n"), entries));
  EXPECT_EQ(entries, (std::vector<std::string>{" 84.0  Au", ""}));
}

TEST_F(ElementTableFileIo, DoubletTablesReadBackAsWritten) {
  // Saved by the editor, read by the editor and by the start-up reader: every
  // entry comes back with its own name, ratio and splitting.
  const std::vector<std::string> table = {"Ti2p3/2=0.5/5.7", "Au4f7/2-5/2=0.75/3.67", "Al2p=0.5/0.41"};
  std::vector<int> malformed;
  WriteElementTableFile(plat::ProgramPath((dir_ / "d.dda").string()),
                        ElementTableFileLines(Kind::Doublets, table, malformed));
  ASSERT_TRUE(malformed.empty());
  std::vector<std::string> entries;
  ASSERT_TRUE(ReadElementTableEntries(Kind::Doublets, plat::ProgramPath((dir_ / "d.dda").string()), entries));
  EXPECT_EQ(entries, table);

  const std::string oldPath = G.DoubletFilePath;
  G.DoubletFilePath = plat::ProgramPath((dir_ / "d.dda").string());
  ReadDoubletTable();
  G.DoubletFilePath = oldPath;
  ASSERT_GE(G.DoubletCount, 3);
  EXPECT_EQ(G.DoubletNames[1], "Ti2p3/2");
  EXPECT_DOUBLE_EQ(G.DoubletRatios[1], 0.5);
  EXPECT_DOUBLE_EQ(G.DoubletSplittings[1], 5.7);
  EXPECT_EQ(G.DoubletNames[2], "Au4f7/2-5/2");
  EXPECT_DOUBLE_EQ(G.DoubletSplittings[2], 3.67);
  EXPECT_EQ(G.DoubletNames[3], "Al2p");
}

TEST_F(ElementTableFileIo, FailedSaveLeavesTheOldFileWhole) {
  const std::string old = "Sensitivity Factors\r\nC1s,1\r\n";
  const std::string path = Write("t.sen", old);
  std::vector<std::string> lines = {"Sensitivity Factors"};
  for (int k = 0; k < 400; ++k) lines.push_back("X" + std::to_string(k) + ",1.5");
  {
    // The disk fills up after 1000 bytes of the new file.
    testsupport::FullDisk full(1000);
    EXPECT_THROW(WriteElementTableFile(path, lines), plat::FileError);
  }
  EXPECT_EQ(Read("t.sen"), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1) << "no temporary file left";
  WriteElementTableFile(path, {"Sensitivity Factors", "O1s,2"});
  EXPECT_EQ(Read("t.sen"), "Sensitivity Factors\r\nO1s,2\r\n");
}

}  // namespace
