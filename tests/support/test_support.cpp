#include "support/test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace testsupport {

std::string MakeTempFolder(const std::string& tag) {
  static std::mt19937_64 rng{std::random_device{}()};
  for (;;) {
    fs::path p = fs::temp_directory_path() / ("sorvan-" + tag + "-" + std::to_string(rng() % 100000000));
    if (!fs::exists(p)) {
      fs::create_directories(p);
      return p.string();
    }
  }
}

void WriteFile(const std::string& nativePath, const std::string& bytes) {
  fs::path p(nativePath);
  if (p.has_parent_path()) fs::create_directories(p.parent_path());
  {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  KeepTestFile(nativePath);
}

void KeepTestFile(const std::string& nativePath) {
  const char* keep = std::getenv("SORVAN_TEST_FILES_COPY");
  if (keep == nullptr || *keep == 0) return;
  std::error_code ec;
  const fs::path p = fs::absolute(nativePath, ec);
  fs::path relative = p.lexically_relative(fs::temp_directory_path());
  if (relative.empty() || *relative.begin() == "..") relative = p.filename();
  const fs::path copy = fs::path(keep) / relative;
  fs::create_directories(copy.parent_path(), ec);
  if (fs::is_directory(p, ec))
    fs::copy(p, copy,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing | fs::copy_options::copy_symlinks,
             ec);
  else
    fs::copy_file(p, copy, fs::copy_options::overwrite_existing, ec);
}

std::string ReadFile(const std::string& nativePath) {
  std::ifstream in(nativePath, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string SourceDir() { return SORVAN_SOURCE_DIR; }
std::string SamplesDir() { return SORVAN_SAMPLES_DIR; }

std::string PdfText(const std::string& nativePath) {
  const std::string txt = nativePath + ".txt";
  const std::string command = "pdftotext -layout '" + nativePath + "' '" + txt + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return "";
  return ReadFile(txt);
}

}  // namespace testsupport
