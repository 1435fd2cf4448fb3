// The VAMAS reader on files written by real instruments and other programs:
// block count, names, axes, and values equal to those an independent reader
// finds (tests/import/reference, made by make_vamas_references.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "import/vamas.h"
#include "platform/text.h"
#include "tests/import/vamas_fixture.h"

using namespace sorvan;

namespace {

struct RefBlock {
  std::vector<double> x, y;  // in file order
};

std::vector<RefBlock> ReadReference(const std::string& name) {
  std::ifstream in(testsupport::SourceDir() + "/tests/import/reference/" + name + ".ref");
  std::vector<RefBlock> blocks;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("###", 0) == 0) {
      blocks.emplace_back();
      continue;
    }
    std::istringstream s(line);
    double x = 0, y = 0;
    if (s >> x >> y) {
      blocks.back().x.push_back(x);
      blocks.back().y.push_back(y);
    }
  }
  return blocks;
}

struct SampleCase {
  const char* file;
  int blocks;
  std::vector<const char*> names;  // first names, in file order
  bool reference;                  // values compared with the independent reader
};

class VamasSamplesTest : public importtest::ImportTest {
 protected:
  bool ImportSample(const std::string& file) {
    const std::string native = testsupport::SamplesDir() + "/vamas/" + file;
    if (!plat::FileExists(plat::ProgramPath(native))) return false;
    G.FileDialogResult = plat::ProgramPath(native);
    Win[0].ImportFormat = 12;
    G.CommandId = 0;
    ImportVamas(0, 0);
    return true;
  }
};

TEST_F(VamasSamplesTest, EverySampleImportsLikeTheIndependentReader) {
  const SampleCase cases[] = {
      {"binding-axis-lf.vms", 6, {"Block 1", "Block 2"}, true},
      {"descending-kinetic-4-blocks.vms", 4, {"Block 1"}, true},
      {"five-regions.vms", 5, {"wide", "Ni2p", "O1s", "C1s", "W4f"}, true},
      {"map-7-blocks.vms", 7, {"WideNone", "WideNone", "O1s", "N1s", "C1s", "S2p"}, true},
      {"survey-regular.vms", 1, {"Survey"}, true},
      {"survey-irregular.vms", 1, {"Survey"}, false},
  };
  for (const SampleCase& c : cases) {
    SCOPED_TRACE(c.file);
    if (!ImportSample(c.file)) {
      GTEST_SKIP() << "sample files not found below " << testsupport::SamplesDir();
    }
    EXPECT_EQ(G.CommandId, 0) << "the file was reported as damaged";
    ASSERT_EQ(G.SpectraReadCount, c.blocks);
    for (std::size_t k = 1; k <= c.names.size(); ++k)
      EXPECT_EQ(ImportedHeader[HeaderIndexOfSpectrum(int(k))].Name, c.names[k - 1]) << k;
    if (!c.reference) continue;
    const std::vector<RefBlock> ref = ReadReference(std::string(c.file).substr(0, std::strlen(c.file) - 4));
    ASSERT_EQ(int(ref.size()), c.blocks);
    for (int k = 1; k <= c.blocks; ++k) {
      SCOPED_TRACE("block " + std::to_string(k));
      const SpectrumHeaderRecord& h = ImportedHeader[HeaderIndexOfSpectrum(k)];
      const RefBlock& r = ref[k - 1];
      const int n = int(r.y.size());
      ASSERT_EQ(h.PointCount, n);
      // Kinetic energies of the reference points, then in rising order.
      std::vector<std::pair<double, double>> points;
      for (int i = 0; i < n; ++i) points.push_back({r.x[i], r.y[i]});
      const bool bindingAxis = std::string(c.file).find("binding") != std::string::npos;
      if (bindingAxis)
        for (auto& p : points) p.first = h.ExcitationEnergy - p.first;
      if (n > 1 && points.front().first > points.back().first)
        std::reverse(points.begin(), points.end());
      EXPECT_NEAR(h.StartEnergy, points.front().first, 1e-4);
      EXPECT_NEAR(h.EndEnergy, points.back().first, 1e-4);
      if (n > 1) {
        EXPECT_NEAR(h.EnergyStep, (points.back().first - points.front().first) / (n - 1), 1e-6);
      }
      for (int i = 1; i <= n; ++i) {
        const double expected = points[i - 1].second;
        ASSERT_NEAR(ImportedValues[k][i], expected, 1e-6 * std::max(1.0, std::fabs(expected)))
            << "point " << i;
      }
    }
  }
}

TEST_F(VamasSamplesTest, IrregularSurveyMatchesItsRegularTwin) {
  if (!ImportSample("survey-irregular.vms")) GTEST_SKIP() << "sample files not found";
  ASSERT_EQ(G.SpectraReadCount, 1);
  const SpectrumHeaderRecord irregular = ImportedHeader[1];
  const CheckedVector<double> values = ImportedValues[1];
  ASSERT_TRUE(ImportSample("survey-regular.vms"));
  const SpectrumHeaderRecord& regular = ImportedHeader[1];
  EXPECT_EQ(irregular.PointCount, 1351);
  EXPECT_EQ(irregular.PointCount, regular.PointCount);
  EXPECT_NEAR(irregular.StartEnergy, 136.61, 1e-9);
  EXPECT_NEAR(irregular.StartEnergy, regular.StartEnergy, 1e-9);
  EXPECT_NEAR(irregular.EnergyStep, regular.EnergyStep, 1e-9);
  EXPECT_NEAR(irregular.EndEnergy, regular.EndEnergy, 1e-6);
  EXPECT_GT(values[1], 0);
}

}  // namespace
