// The numeric kernels stand alone: spans and numbers in and out. Their build
// sees only the kernels' own folder, and this check also refuses an include
// that climbs out of it by a relative path, which such a build would let in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The quoted includes of a file that do not name a header of the kernels.
std::vector<std::string> IncludesOutsideKernels(std::istream& in) {
  static const std::regex include(R"(^\s*#\s*include\s*"([^"]*)\")");
  static const std::regex kernel(R"(processing/kernels/[A-Za-z0-9_]+\.h)");
  std::vector<std::string> outside;
  std::smatch m;
  for (std::string line; std::getline(in, line);)
    if (std::regex_search(line, m, include) && !std::regex_match(m[1].str(), kernel)) outside.push_back(m[1].str());
  return outside;
}

TEST(KernelIncludes, KernelsIncludeNothingButKernels) {
  const fs::path kernels = fs::path(SORVAN_SOURCE_DIR) / "processing" / "kernels";
  int files = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(kernels)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    std::ifstream in(entry.path());
    for (const std::string& inc : IncludesOutsideKernels(in))
      ADD_FAILURE() << entry.path().filename().string() << " includes \"" << inc << "\"";
  }
  EXPECT_GT(files, 0) << "no kernels found in " << kernels;
}

TEST(KernelIncludes, TheCheckRefusesEveryWayOut) {
  const struct {
    const char* line;
    bool refused;
  } cases[] = {
      {"#include \"processing/kernels/fft.h\"", false},
      {"#include <vector>", false},
      {"#include \"core/model.h\"", true},
      {"#include \"../../core/model.h\"", true},
      {"#include \"processing/kernels/../../core/model.h\"", true},
      {"  #  include \"fft.h\"", true},
  };
  for (const auto& c : cases) {
    std::istringstream in(c.line);
    EXPECT_EQ(!IncludesOutsideKernels(in).empty(), c.refused) << c.line;
  }
}

}  // namespace
