// Checks of the shipped language file: its field layout, the rules its texts
// must keep for the program to work (no comma, distinct toolbar texts, stored
// names that survive a language switch) and its single-byte encoding, which
// the program reads into its UTF-8 texts.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/core/data_files.h"

namespace {

const char* const kLanguageFile = "settings/language 2006.set";

enum Group { kMenu, kButton, kMessage, kCaption, kLabel };
const int kGroupSize[] = {89, 17, 129, 20, 220};

// The language file split into its texts, as the program assigns them.
class LanguageFile {
 public:
  LanguageFile() : fields_(datafiles::ReadFields(kLanguageFile)) {
    int position = 1 + 25;  // header, five single texts
    for (int g = 0; g < 5; ++g) {
      ++position;  // separator
      start_[g] = position;
      position += 5 * kGroupSize[g];
    }
    end_ = position;
  }
  size_t FieldCount() const { return fields_.size(); }
  int LayoutFieldCount() const { return end_; }
  const std::string& Text(Group g, int index, int slot) const {
    return fields_.at(start_[g] + 5 * (index - 1) + slot);
  }
  const std::string& Single(int which, int slot) const { return fields_.at(1 + 5 * which + slot); }
  const std::vector<std::string>& Fields() const { return fields_; }

 private:
  std::vector<std::string> fields_;
  int start_[5] = {};
  int end_ = 0;
};

std::string StripFirstAmpersand(std::string text) {
  auto k = text.find('&');
  if (k != std::string::npos) text.erase(k, 1);
  return text;
}

TEST(DataLanguage, HasTheFieldsOfTheLayoutAndNoComma) {
  LanguageFile file;
  EXPECT_EQ(file.LayoutFieldCount(), 2406);
  EXPECT_EQ(file.FieldCount(), 2406u);
  const std::string bytes = datafiles::ReadBytes(kLanguageFile);
  EXPECT_EQ(bytes.find(','), std::string::npos) << "a comma would shift every later text";
  EXPECT_TRUE(datafiles::AllLinesEndCrLf(bytes));
}

TEST(DataLanguage, IsSingleByteWindows1252) {
  const std::string bytes = datafiles::ReadBytes(kLanguageFile);
  // UTF-8 would put a lead byte 0xC3 before every umlaut and accent.
  EXPECT_EQ(bytes.find('\xC3'), std::string::npos);
  LanguageFile file;
  // German slot of "Smooth" and Spanish slot of "Remove satellites", as the
  // file channels give them to the program.
  EXPECT_EQ(file.Text(kMenu, 34, 0), "&Gl\u00E4tten");
  EXPECT_EQ(file.Text(kMenu, 29, 2), "Eliminar &sat\u00E9lites");
}

TEST(DataLanguage, SlotsThreeAndFourCopyEnglishAndNoTextIsEmpty) {
  LanguageFile file;
  for (int g = 0; g < 5; ++g)
    for (int i = 1; i <= kGroupSize[g]; ++i)
      for (int slot = 0; slot < 5; ++slot) {
        const std::string& text = file.Text(Group(g), i, slot);
        EXPECT_FALSE(text.empty()) << "group " << g << " index " << i << " slot " << slot;
        if (slot >= 3) {
          EXPECT_EQ(text, file.Text(Group(g), i, 1)) << "group " << g << " index " << i;
        }
      }
}

TEST(DataLanguage, ToolbarActionTextsAreDistinctInEverySlot) {
  const int menu[] = {5,  9,  10, 11, 12, 13, 14, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 40,
                      41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 77, 78, 79};
  const int label[] = {5,  12, 13, 20,  23,  24,  40,  45,  59,  60,  70,  73,  76,  78,  79,  81,  83, 84,
                       99, 118, 120, 121, 123, 124, 145, 146, 148, 149, 152, 153, 157, 158, 179, 180, 214};
  LanguageFile file;
  for (int slot = 0; slot < 5; ++slot) {
    std::set<std::string> seen;
    for (int i : menu) EXPECT_TRUE(seen.insert(StripFirstAmpersand(file.Text(kMenu, i, slot))).second)
        << "MenuTexts " << i << " slot " << slot;
    for (int i : label) EXPECT_TRUE(seen.insert(StripFirstAmpersand(file.Text(kLabel, i, slot))).second)
        << "LabelTexts " << i << " slot " << slot;
    EXPECT_EQ(seen.size(), 69u);
  }
}

struct DistinctCase {
  const char* what;
  std::vector<std::pair<Group, int>> texts;
};

TEST(DataLanguage, TextsTheProgramComparesAreDistinct) {
  const DistinctCase cases[] = {
      {"background names", {{kMessage, 1}, {kMessage, 2}, {kMessage, 3}, {kMessage, 4}, {kMessage, 5}}},
      {"confirm titles", {{kMessage, 8}, {kMessage, 10}}},
      {"confirm titles", {{kMessage, 9}, {kMessage, 10}}},
      {"scale operations", {{kMessage, 17}, {kMessage, 19}, {kLabel, 214}}},
      {"arithmetic operations", {{kMessage, 21}, {kMessage, 22}, {kMessage, 23}, {kMessage, 24}}},
      {"peak types", {{kMessage, 47}, {kMessage, 52}}},
  };
  LanguageFile file;
  for (int slot = 0; slot < 5; ++slot)
    for (const auto& c : cases) {
      std::set<std::string> seen;
      for (auto [g, i] : c.texts) seen.insert(file.Text(g, i, slot));
      EXPECT_EQ(seen.size(), c.texts.size()) << c.what << " slot " << slot;
    }
}

TEST(DataLanguage, WindowChoiceModesListingFittedWindowsDifferFromTheOthers) {
  LanguageFile file;
  for (int slot = 0; slot < 5; ++slot) {
    const std::set<std::string> fitted = {file.Text(kMessage, 87, slot), file.Text(kLabel, 46, slot),
                                          file.Text(kLabel, 120, slot), file.Text(kLabel, 121, slot)};
    EXPECT_EQ(fitted.count(file.Text(kLabel, 33, slot)), 0u) << "slot " << slot;
    EXPECT_EQ(fitted.count(file.Text(kMessage, 78, slot)), 0u) << "slot " << slot;
  }
}

TEST(DataLanguage, StoredNamesReadTheSameInEverySlot) {
  const std::pair<Group, int> stored[] = {{kMessage, 1},  {kMessage, 2},  {kMessage, 3},  {kMessage, 4},
                                          {kMessage, 5},  {kMessage, 17}, {kMessage, 19}, {kMessage, 21},
                                          {kMessage, 22}, {kMessage, 23}, {kMessage, 24}, {kMessage, 47},
                                          {kMessage, 52}, {kLabel, 214}};
  LanguageFile file;
  for (auto [g, i] : stored) {
    const std::string& english = file.Text(g, i, 1);
    EXPECT_NE(english.front(), ' ') << "index " << i;
    EXPECT_NE(english.back(), ' ') << "index " << i;
    for (int slot = 0; slot < 5; ++slot) EXPECT_EQ(file.Text(g, i, slot), english) << "index " << i;
  }
  for (int slot = 0; slot < 5; ++slot) {
    EXPECT_EQ(file.Text(kMessage, 52, slot).front(), 'D');
    EXPECT_NE(file.Text(kMessage, 47, slot).front(), 'D');
  }
}

TEST(DataLanguage, TextsThatLoseTheirFirstCharacterBeginWithAnAmpersand) {
  const std::pair<Group, int> texts[] = {{kMenu, 62},  {kMenu, 63},   {kLabel, 2},
                                         {kLabel, 3},  {kLabel, 116}, {kLabel, 117}};
  LanguageFile file;
  for (auto [g, i] : texts)
    for (int slot = 0; slot < 5; ++slot) EXPECT_EQ(file.Text(g, i, slot).front(), '&') << i;
}

TEST(DataLanguage, TextsJoinedToANumberCarryTheirBlank) {
  LanguageFile file;
  for (int slot = 0; slot < 5; ++slot) {
    EXPECT_EQ(file.Single(4, slot).back(), ' ') << "cursor readout prefix, slot " << slot;
    for (int i : {25, 34, 36, 37, 90, 114}) EXPECT_EQ(file.Text(kMessage, i, slot).back(), ' ') << i;
    for (int i : {128, 144}) EXPECT_EQ(file.Text(kLabel, i, slot).back(), ' ') << i;
    EXPECT_EQ(file.Text(kMessage, 30, slot).front(), ' ');
  }
  EXPECT_EQ(file.Single(0, 1), "Binding energy / eV");
  EXPECT_EQ(file.Text(kCaption, 1, 1).rfind("Sorvan", 0), 0u);
}

}  // namespace
