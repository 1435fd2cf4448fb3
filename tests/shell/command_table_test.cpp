// The command table as the one place of the command numbers: every command
// and every toolbar action has exactly one row, and no program file but the
// names' header writes a command number out.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/model.h"
#include "shell/command_table.h"

namespace {

using namespace sorvan;
namespace fs = std::filesystem;

TEST(CommandTable, EveryCommandAndEveryToolbarActionHasOneRowWithAHandler) {
  std::map<int, int> rowsOfCommand;
  std::map<int, int> rowsOfAction;
  for (const CommandRow& row : CommandTable()) {
    EXPECT_NE(row.run, nullptr) << row.command << " / action " << row.toolbarAction;
    EXPECT_NE(row.group, CommandGroup::None) << row.command;
    if (row.command != 0) ++rowsOfCommand[row.command];
    if (row.toolbarAction != 0) ++rowsOfAction[row.toolbarAction];
    if (row.command == 0) {
      EXPECT_NE(row.toolbarAction, 0) << "a row without a command is a toolbar action";
    }
  }
  for (const auto& [command, rows] : rowsOfCommand) EXPECT_EQ(rows, 1) << command;
  for (int a = 1; a <= kToolbarActionCount; ++a) EXPECT_EQ(rowsOfAction[a], 1) << "action " << a;
  EXPECT_EQ(rowsOfAction.size(), static_cast<size_t>(kToolbarActionCount));
}

// The program's source text with comments, string and character literals
// blanked out, line breaks kept.
std::string CodeOnly(const std::string& text) {
  std::string code = text;
  enum { Code, Line, Block, String, Char } state = Code;
  for (size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    const char next = i + 1 < code.size() ? code[i + 1] : '\0';
    switch (state) {
      case Code:
        if (c == '/' && next == '/') state = Line;
        else if (c == '/' && next == '*') state = Block;
        else if (c == '"') state = String;
        else if (c == '\'' && !(i > 0 && std::isxdigit(static_cast<unsigned char>(code[i - 1])))) state = Char;
        else continue;
        code[i] = ' ';
        break;
      case Line:
        if (c == '\n') state = Code;
        else code[i] = ' ';
        break;
      case Block:
        if (c == '*' && next == '/') {
          code[i] = code[i + 1] = ' ';
          ++i;
          state = Code;
        } else if (c != '\n') {
          code[i] = ' ';
        }
        break;
      case String:
      case Char:
        if (c == '\\') {
          code[i] = ' ';
          if (i + 1 < code.size() && code[i + 1] != '\n') code[++i] = ' ';
        } else if ((state == String && c == '"') || (state == Char && c == '\'')) {
          code[i] = ' ';
          state = Code;
        } else if (c != '\n') {
          code[i] = ' ';
        }
        break;
    }
  }
  return code;
}

// The whole integer literals of a line (not the digits of a name, of a
// number with a point or exponent, or of a suffixed literal).
std::vector<long> IntegerLiterals(const std::string& line) {
  std::vector<long> found;
  auto partOfWord = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '\'';
  };
  for (size_t i = 0; i < line.size();) {
    if (!std::isdigit(static_cast<unsigned char>(line[i])) || (i > 0 && partOfWord(line[i - 1]))) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end]))) ++end;
    if ((end == line.size() || !partOfWord(line[end])) && end - i < 10) found.push_back(std::stol(line.substr(i, end - i)));
    i = end;
  }
  return found;
}

// A command number belongs in core/menu_commands.h only: everywhere else the
// command is named, so that `grep` of its name finds every place that acts
// on it. Two numbers are also a pen scale, a table size and a rounding step
// (1200, 10000); they count only on a line that speaks of commands. The
// information box after a profile error analysis has a number that no
// command uses.
TEST(CommandTable, NoProgramFileButTheNamesWritesACommandNumber) {
  std::set<long> commands;
  for (const CommandRow& row : CommandTable())
    if (row.command != 0) commands.insert(row.command);
  const std::set<long> otherMeanings = {1200, 10000};
  const std::regex commandContext(R"(\bcase\b|[Cc]ommand|\bCmd|Menu|Toolbar)");
  const std::map<std::string, long> ownNumbers = {{"core/messages.h", 11100}};

  const fs::path root = SORVAN_SOURCE_DIR;
  std::vector<std::string> findings;
  size_t filesRead = 0;
  for (const char* folder :
       {"app", "core", "dialogs", "display", "fit", "fiterrors", "import", "platform", "processing", "report", "shell"}) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
      const fs::path& path = entry.path();
      if (!entry.is_regular_file() || (path.extension() != ".cpp" && path.extension() != ".h")) continue;
      const std::string name = fs::relative(path, root).generic_string();
      if (name == "core/menu_commands.h") continue;
      std::ifstream in(path, std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      ++filesRead;
      std::istringstream code(CodeOnly(text.str()));
      std::string line;
      for (int lineNumber = 1; std::getline(code, line); ++lineNumber) {
        for (long number : IntegerLiterals(line)) {
          if (commands.count(number) == 0) continue;
          if (otherMeanings.count(number) != 0 && !std::regex_search(line, commandContext)) continue;
          const auto own = ownNumbers.find(name);
          if (own != ownNumbers.end() && own->second == number) continue;
          findings.push_back(name + ":" + std::to_string(lineNumber) + ": " + std::to_string(number));
        }
      }
    }
  }
  EXPECT_GT(filesRead, 100u) << "the program's sources were not found below " << root;
  std::string list;
  for (const std::string& f : findings) list += "\n  " + f;
  EXPECT_TRUE(findings.empty()) << "command numbers written out; name them (core/menu_commands.h):" << list;
}

// The program's source files, each with its path from the source root and its
// text with comments and literals blanked out.
std::vector<std::pair<std::string, std::string>> ProgramCode() {
  const fs::path root = SORVAN_SOURCE_DIR;
  std::vector<std::pair<std::string, std::string>> files;
  for (const char* folder :
       {"app", "core", "dialogs", "display", "fit", "fiterrors", "import", "platform", "processing", "report", "shell"}) {
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
      const fs::path& path = entry.path();
      if (!entry.is_regular_file() || (path.extension() != ".cpp" && path.extension() != ".h")) continue;
      std::ifstream in(path, std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      files.emplace_back(fs::relative(path, root).generic_string(), CodeOnly(text.str()));
    }
  }
  return files;
}

// The places of a source text where a code field of the model is compared
// with, or set to, a number written out.
std::vector<int> RawCodeLines(const std::string& code) {
  static const std::regex field(
      R"(\b(ImportFormat|ScaleMode|FitRunState|ErrorRunState|ErrorMethod|DefaultErrorMethod|PeakModel|)"
      R"(DefaultPeakModel|ProgressKey|WindowKind|BackgroundState|BackgroundKind|SatelliteState)\b)"
      R"((\s*\[[^\]]*\])?\s*(==|!=|<=|>=|=|<|>)\s*\d)");
  static const std::regex fieldAfter(
      R"(\d\s*(==|!=)\s*[\w.\[\]>-]*\b(ImportFormat|ScaleMode|FitRunState|ErrorRunState|ErrorMethod|PeakModel|)"
      R"(ProgressKey|WindowKind|BackgroundState|BackgroundKind|SatelliteState)\b)");
  std::vector<int> lines;
  std::istringstream in(code);
  std::string line;
  for (int n = 1; std::getline(in, line); ++n)
    if (std::regex_search(line, field) || std::regex_search(line, fieldAfter)) lines.push_back(n);
  return lines;
}

// The value codes of the model (import formats, scale modes, run states,
// error methods, peak models, progress keys) are named in core/model_codes.h
// and nowhere written out as numbers; neither is the point limit, which
// otherwise appears only as the bound of a 16-bit value.
TEST(ModelCodes, NoProgramFileWritesACodeOrThePointLimitAsANumber) {
  std::vector<std::string> findings;
  const auto files = ProgramCode();
  EXPECT_GT(files.size(), 100u);
  for (const auto& [name, code] : files) {
    if (name == "core/model_codes.h") continue;
    if (name != "core/model.h")  // the fields' declarations start them at 0
      for (int n : RawCodeLines(code)) findings.push_back(name + ":" + std::to_string(n) + ": a code as a number");
    std::istringstream in(code);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n)
      if (line.find("32767") != std::string::npos && line.find("32768") == std::string::npos &&
          line.find("Int16") == std::string::npos && line.find("int16_t") == std::string::npos)
        findings.push_back(name + ":" + std::to_string(n) + ": the point limit as a number (kMaxPoints)");
  }
  std::string list;
  for (const std::string& f : findings) list += "\n  " + f;
  EXPECT_TRUE(findings.empty()) << "name these codes (core/model_codes.h):" << list;
}

TEST(ModelCodes, TheCheckSeesComparisonsAndSettingsOfCodeFields) {
  const struct {
    const char* source;
    bool raw;
  } cases[] = {
      {"if (win.ImportFormat == 26) x();", true},
      {"Win[0].ImportFormat = 12;", true},
      {"return G.ProgressKey != 27;", true},
      {"if (3 == Win[w].ScaleMode) y();", true},
      {"if (win.ErrorMethod == ErrorMethodHessian) z();", false},
      {"win.PeakModelName = 2;", false},
      {"// ScaleMode == 3", false},
  };
  for (const auto& c : cases) EXPECT_EQ(!RawCodeLines(CodeOnly(c.source)).empty(), c.raw) << c.source;
}

TEST(CommandTable, TheCheckSeesNumbersInCodeButNotInCommentsOrNames) {
  const struct {
    const char* source;
    std::vector<long> literals;
  } cases[] = {
      {"case 2130: x = Cmd2130;", {2130}},
      {"f(1340); // 1341", {1340}},
      {"/* 1400 */ g(\"1500\", '1');", {}},
      {"double d = 10000.0 + 1.5e3 + 1200u;", {}},
      {"a[1'000] = 0x1F;", {}},
  };
  for (const auto& c : cases) {
    std::vector<long> found;
    std::istringstream code(CodeOnly(c.source));
    for (std::string line; std::getline(code, line);)
      for (long n : IntegerLiterals(line)) found.push_back(n);
    EXPECT_EQ(found, c.literals) << c.source;
  }
}

}  // namespace
