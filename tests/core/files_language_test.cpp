// Tests of the language file reader: the chosen slot, an index beyond the
// five slots, a file that ends early and a missing file.
#include <string>
#include <vector>

#include "core/language.h"
#include "files_fixture.h"

namespace sorvan::testing_files {
namespace {

constexpr const char* kFile = "\\settings\\language 2006.set";

struct Group {
  const char* name;
  int size;
};
const Group kGroups[] = {{"M", 89}, {"B", 17}, {"Msg", 129}, {"C", 20}, {"L", 220}};

// A language file in which field "<slot>:<group><index>" names itself.
std::vector<std::string> LanguageFields() {
  std::vector<std::string> fields{"Sorvan language file"};
  auto text = [&fields](const std::string& name) {
    for (int slot = 0; slot < 5; ++slot) fields.push_back(std::to_string(slot) + ":" + name);
  };
  for (const char* single : {"BE", "KE", "Counts", "Cps", "Readout"}) text(single);
  for (const Group& g : kGroups) {
    fields.push_back("--- separator: any text ---");
    for (int i = 1; i <= g.size; ++i) text(std::string(g.name) + std::to_string(i));
  }
  return fields;
}

std::string Joined(const std::vector<std::string>& fields) {
  std::string out;
  for (const std::string& f : fields) out += f + "\r\n";
  return out;
}

class LanguageTest : public FilesTest {
 protected:
  void SetUp() override {
    FilesTest::SetUp();
    G.LanguageFilePath = Path(kFile);
  }
};

TEST_F(LanguageTest, FileHasTheDocumentedFieldCount) { EXPECT_EQ(LanguageFields().size(), 2406u); }

TEST_F(LanguageTest, EveryTextTakesTheFieldOfItsSlot) {
  Write(kFile, Joined(LanguageFields()));
  for (int slot : {0, 1, 4}) {
    G.LanguageIndex = static_cast<Byte>(slot);
    ReadLanguageFile();
    const std::string p = std::to_string(slot) + ":";
    EXPECT_EQ(G.BindingEnergyTitle, p + "BE");
    EXPECT_EQ(G.KineticEnergyTitle, p + "KE");
    EXPECT_EQ(G.CountsTitle, p + "Counts");
    EXPECT_EQ(G.CpsTitle, p + "Cps");
    EXPECT_EQ(G.ReadoutPrefix, p + "Readout");
    for (int i = 1; i <= 89; ++i) EXPECT_EQ(G.MenuTexts[i], p + "M" + std::to_string(i));
    for (int i = 1; i <= 17; ++i) EXPECT_EQ(G.ButtonTexts[i], p + "B" + std::to_string(i));
    for (int i = 1; i <= 129; ++i) EXPECT_EQ(G.MessageTexts[i], p + "Msg" + std::to_string(i));
    for (int i = 1; i <= 20; ++i) EXPECT_EQ(G.CaptionTexts[i], p + "C" + std::to_string(i));
    for (int i = 1; i <= 220; ++i) EXPECT_EQ(G.LabelTexts[i], p + "L" + std::to_string(i));
  }
}

TEST_F(LanguageTest, IndexBeyondTheSlotsChangesNothing) {
  Write(kFile, Joined(LanguageFields()));
  G.MenuTexts[1] = "old menu";
  G.LabelTexts[220] = "old label";
  G.ReadoutPrefix = "old prefix";
  G.LanguageIndex = 5;
  ReadLanguageFile();
  EXPECT_EQ(G.MenuTexts[1], "old menu");
  EXPECT_EQ(G.LabelTexts[220], "old label");
  EXPECT_EQ(G.ReadoutPrefix, "old prefix");
}

TEST_F(LanguageTest, FileEndingEarlyKeepsTheTextsItReached) {
  std::vector<std::string> fields = LanguageFields();
  // Cut inside the message texts: after the field of slot 1 of text 10.
  const std::size_t cut = 1 + 25 + 1 + 445 + 1 + 85 + 1 + 9 * 5 + 2;
  fields.resize(cut);
  Write(kFile, Joined(fields));
  G.LanguageIndex = 1;
  G.MessageTexts[11] = "kept";
  G.LabelTexts[1] = "kept too";
  try {
    ReadLanguageFile();
    FAIL() << "a short language file was not reported";
  } catch (const plat::FileError& e) {
    EXPECT_EQ(e.path(), Path(kFile));
  }
  EXPECT_EQ(G.MenuTexts[89], "1:M89");
  EXPECT_EQ(G.MessageTexts[10], "1:Msg10");
  EXPECT_EQ(G.MessageTexts[11], "kept");
  EXPECT_EQ(G.LabelTexts[1], "kept too");
}

TEST_F(LanguageTest, MissingFileThrowsAndChangesNothing) {
  G.CaptionTexts[1] = "Sorvan";
  EXPECT_THROW(ReadLanguageFile(), plat::FileError);
  EXPECT_EQ(G.CaptionTexts[1], "Sorvan");
}

TEST_F(LanguageTest, CommaInATextShiftsTheFollowingTexts) {
  // The file format ends a field at a comma; the shipped file holds none.
  std::vector<std::string> fields = LanguageFields();
  fields[1] = "0:BE, cut";
  Write(kFile, Joined(fields));
  G.LanguageIndex = 1;
  ReadLanguageFile();
  EXPECT_EQ(G.BindingEnergyTitle, " cut");
  EXPECT_EQ(G.KineticEnergyTitle, "0:KE");  // slot 0's field, one position late
}

}  // namespace
}  // namespace sorvan::testing_files
