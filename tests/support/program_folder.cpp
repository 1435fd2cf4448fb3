// The test program folder: a copy of data/ and the start-up file naming it.
#include "support/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "support/test_support.h"

namespace fs = std::filesystem;

namespace testsupport {

namespace {

std::vector<std::string> SplitKeepingEnds(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size() - 1;
    lines.push_back(text.substr(start, end - start + 1));
    start = end + 1;
  }
  return lines;
}

}  // namespace

ProgramFolder::ProgramFolder() {
  base_ = MakeTempFolder("program");
  root_ = (fs::path(base_) / "program folder").string();  // a blank in the name, as installs may have
  windowsDir_ = (fs::path(base_) / "windows").string();
  fs::create_directories(root_);
  const fs::path data = fs::path(SourceDir()) / "data";
  if (fs::exists(data)) fs::copy(data, root_, fs::copy_options::recursive);
  // The install step writes a first line and then the folder from character 11 on.
  WriteStartupFile("Sorvan\r\nProgram = " + root_ + "\r\n");
  if (const char* old = std::getenv("SORVAN_WINDOWS_DIR")) {
    hadWindowsDir_ = true;
    savedWindowsDir_ = old;
  }
  setenv("SORVAN_WINDOWS_DIR", windowsDir_.c_str(), 1);
}

ProgramFolder::~ProgramFolder() {
  // The projects the program saved, with their copy folders.
  if (std::getenv("SORVAN_TEST_FILES_COPY") != nullptr) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
      const fs::path& p = it->path();
      if (!it->is_regular_file(ec) || p.extension() != ".svr") continue;
      KeepTestFile(p.string());
      const fs::path copies = p.parent_path() / p.stem();
      if (fs::is_directory(copies, ec) && !fs::is_symlink(copies, ec)) KeepTestFile(copies.string());
    }
  }
  if (hadWindowsDir_)
    setenv("SORVAN_WINDOWS_DIR", savedWindowsDir_.c_str(), 1);
  else
    unsetenv("SORVAN_WINDOWS_DIR");
  std::error_code ec;
  fs::remove_all(base_, ec);
}

std::string ProgramFolder::StartupFilePath() const {
  return (fs::path(windowsDir_) / "System" / "sorvan 2006.ini").string();
}

std::string ProgramFolder::Path(const std::string& relative) const { return (fs::path(root_) / relative).string(); }
std::string ProgramFolder::Read(const std::string& relative) const { return ReadFile(Path(relative)); }
void ProgramFolder::Write(const std::string& relative, const std::string& bytes) const {
  WriteFile(Path(relative), bytes);
}
bool ProgramFolder::Exists(const std::string& relative) const { return fs::exists(Path(relative)); }
void ProgramFolder::Remove(const std::string& relative) const {
  std::error_code ec;
  fs::remove(Path(relative), ec);
}

std::string ProgramFolder::Line(int n, const std::string& relative) const {
  const auto lines = SplitKeepingEnds(Read(relative));
  if (n < 1 || n > static_cast<int>(lines.size())) return std::string();
  std::string line = lines[n - 1];
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

void ProgramFolder::SetLine(int n, const std::string& value, const std::string& relative) const {
  auto lines = SplitKeepingEnds(Read(relative));
  if (n < 1 || n > static_cast<int>(lines.size()))
    throw std::out_of_range("line " + std::to_string(n) + " is not in " + relative);
  std::string& line = lines[n - 1];
  std::string end;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
    end.insert(end.begin(), line.back());
    line.pop_back();
  }
  line = value + end;
  std::string text;
  for (const auto& l : lines) text += l;
  Write(relative, text);
}

void ProgramFolder::WriteStartupFile(const std::string& bytes) const { WriteFile(StartupFilePath(), bytes); }

void ProgramFolder::RemoveStartupFile() const {
  std::error_code ec;
  fs::remove(StartupFilePath(), ec);
}

}  // namespace testsupport
