// Texts of fit values: decimals by parameter and magnitude, the empty error
// cell and the 8-character error entries.
#include <gtest/gtest.h>

#include "fit/fit_format.h"

namespace sorvan {
namespace {

struct FormatCase {
  int parameter;
  double value;
  const char* valueText;
  const char* limitText;
};

const FormatCase kParameterCases[] = {
    {1, 1234.5678, " 1234.6", " 1235"},          // above 1000: 1 and 0 decimals
    {1, 1000.0, " 1000", " 1000"},               // 1000 itself is in the next class
    {1, 123.45678, " 123.457", " 123.46"},       // 3 and 2
    {2, 5.1234567, " 5.12346", " 5.1235"},       // 5 and 4
    {1, 0.05, " 0.05", " 0.05"},                 // 7 and 6, nothing to round
    {1, 0.0512345678, " 0.0512346", " 0.051235"},
    {1, 0.000512345678, " 0.000512346", " 0.00051235"},
    {1, -3.123456789012, "-3.12345678901", "-3.123456789"},  // negative: finest class
    {3, 0.123456789, " 0.12346", " 0.1235"},     // shares 5 and 4
    {5, 284.123456, " 284.1235", " 284.123"},    // positions 4 and 3
    {6, 3.98765, " 3.9877", " 3.988"},
    {7, 1.234567, " 1.23457", " 1.2346"},        // widths 5 and 4
    {9, 0.0123456, " 0.01235", " 0.0123"},       // asymmetries 5 and 4
};

TEST(FitValueTexts, DecimalsByParameterAndMagnitude) {
  for (const FormatCase& c : kParameterCases) {
    EXPECT_EQ(ParameterValueText(c.parameter, c.value), c.valueText) << c.parameter << " " << c.value;
    EXPECT_EQ(ParameterLimitText(c.parameter, c.value), c.limitText) << c.parameter << " " << c.value;
  }
}

TEST(FitValueTexts, AreaAndAreaErrorClassBoundaries) {
  struct Case {
    double value;
    int areaDecimals, errorDecimals;
  } cases[] = {{1000.0, 2, 0}, {1000.5, 0, 0}, {10.0, 4, 2}, {0.1, 6, 4}, {0.05, 6, 6}, {-5, 6, 6}};
  for (const Case& c : cases) {
    EXPECT_EQ(AreaDecimals(c.value), c.areaDecimals) << c.value;
    EXPECT_EQ(AreaErrorDecimals(c.value), c.errorDecimals) << c.value;
  }
  EXPECT_EQ(AreaShareText(1.0, 3.0), " 0.3333");
  EXPECT_EQ(AreaShareText(1.0, 0.0), " 0");
}

TEST(FitValueTexts, ErrorEntries) {
  struct Case {
    double entry;
    const char* text;
  } cases[] = {
      {-1000000.0, " ----"},
      {0.123456, " 0.12346"},
      {1.23456789, " 1.23457"},
      {123.456789, " 123.457"},       // too long: decimals dropped, rounded not cut
      {-98.7654321, "-98.7654"},
      {1234567.89, " 1234568"},
      {12345678.9, " 1.2E+07"},
      {1.5e9, " 1.5E+09"},            // keeps its size in exponent form
      {-2.26e12, "-2.3E+12"},
      {0.0, " 0"},
  };
  for (const Case& c : cases) {
    const std::string text = ParameterErrorText(c.entry);
    EXPECT_EQ(text, c.text) << c.entry;
    EXPECT_LE(text.size(), 8u);
  }
}

}  // namespace
}  // namespace sorvan

#include "core/model.h"

namespace sorvan {
namespace {

TEST(FitValueTexts, WindowProceduresFillNumberBuffers) {
  InitialiseModel();
  WindowRecord& win = Win[4];
  win.ParameterValue[2][1] = 1234.56;
  win.ParameterUpper[2][1] = 5000.4;
  win.ParameterLower[2][1] = 0.05;
  win.PeakArea[2] = 1000.0;
  win.PartnerArea[2] = 500.123;
  win.ParamErrorTable[3][5] = -1000000.0;
  win.AreaErrorShown[2] = 1000.0;
  win.PartnerAreaErrorShown[2] = 12.3456;
  win.AreaShareErrorShown[2] = 0.012345;
  FormatParameterValue(4, 2, 1);
  EXPECT_EQ(G.NumberText, " 1234.6");
  FormatParameterLimits(4, 2, 1);
  EXPECT_EQ(G.NumberText, " 5000");
  EXPECT_EQ(G.NumberText2, " 0.05");
  FormatPeakAreas(4, 2, 2000.0);
  EXPECT_EQ(G.NumberText, " 1000");
  EXPECT_EQ(G.NumberText3, " 500.12");  // the partner takes the decimals of the peak's area
  EXPECT_EQ(G.NumberText2, " 0.5");
  EXPECT_EQ(G.NumberText4, " 0.2501");
  FormatParameterError(4, 3, 5);
  EXPECT_EQ(G.NumberText, " ----");
  FormatAreaErrors(4, 2);
  EXPECT_EQ(G.NumberText, " 1000");
  EXPECT_EQ(G.NumberText3, " 12");
  EXPECT_EQ(G.NumberText2, " 0.0123");
}

}  // namespace
}  // namespace sorvan
