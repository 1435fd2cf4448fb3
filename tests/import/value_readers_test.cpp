// The value readers that most import readers share: lines or fields, the
// lines dropped after each value, reversed order, and a file that ends early.
#include <gtest/gtest.h>

#include "core/count_rate.h"
#include "import/reader_support.h"
#include "tests/import/vamas_fixture.h"

using namespace sorvan;

namespace {

class ValueReadersTest : public importtest::ImportTest {
 protected:
  void Open(const std::string& text) { plat::OpenInput(1, WriteVamas(text, "values.txt")); }
  void TearDown() override {
    VamasVariableCount = 0;
    importtest::ImportTest::TearDown();
  }
};

struct ReadCase {
  const char* what;
  int k;
  double variables;
  bool reversed;
  const char* text;
  int points;
  std::vector<double> expected;  // points 1..n
};

TEST_F(ValueReadersTest, ReadsLinesOrFieldsAsTheSpectrumNumberSays) {
  const ReadCase cases[] = {
      {"spectra 1-4 take a whole line", 3, 0, false, "12.5,7\r\n8\r\n", 2, {12.5, 8}},
      {"spectra 5 on take a field", 7, 0, false, "12.5,7\r\n8\r\n", 2, {12.5, 7}},
      {"three variables drop two lines", 1, 3, false, "1\r\nx\r\ny\r\n2\r\nx\r\ny\r\n", 2, {1, 2}},
      {"one variable drops nothing", 1, 1, false, "1\r\n2\r\n", 2, {1, 2}},
      {"reversed", 1, 0, true, "10\r\n20\r\n30\r\n", 3, {30, 20, 10}},
      {"text that is no number", 1, 0, false, "abc\r\n5\r\n", 2, {0, 5}},
      {"file ends early", 1, 0, false, "4\r\n", 3, {4, 0, 0}},
      {"no points", 1, 0, false, "4\r\n", 0, {}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    Open(c.text);
    ImportedHeader[HeaderIndexOfSpectrum(c.k)].PointCount = static_cast<Int16>(c.points);
    VamasVariableCount = c.variables;
    if (c.reversed)
      ReadImportedValuesReversed(c.k);
    else
      ReadImportedValues(c.k);
    ASSERT_EQ(ImportedValues[c.k].Upper(), c.points);
    EXPECT_EQ(ImportedValues[c.k][0], 0);
    for (int i = 1; i <= c.points; ++i) EXPECT_EQ(ImportedValues[c.k][i], c.expected[i - 1]) << i;
    plat::Close(1);
  }
}

TEST_F(ValueReadersTest, CountsPerSecondDivisorNeverZero) {
  EXPECT_EQ(CountsPerSecondDivisor(10, 0.2), 2);
  EXPECT_EQ(CountsPerSecondDivisor(0, 0.2), 1);
  EXPECT_EQ(CountsPerSecondDivisor(10, 0), 1);
}

}  // namespace
