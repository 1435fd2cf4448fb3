// Texts of fit values.
#include "fit/fit_format.h"

#include <cmath>
#include <cstdio>

#include "core/model.h"
#include "platform/text.h"

namespace sorvan {

double RoundHalfUp(double value, int decimals) {
  const double factor = std::pow(10.0, decimals);
  return std::floor(value * factor + 0.5) / factor;
}

std::string FitNumberText(double value, int decimals) {
  return plat::NumberToText(RoundHalfUp(value, decimals));
}

namespace {

// Decimals of a height by size class, the finest for the smallest values.
int HeightDecimals(double v, int coarsest) {
  if (v > 1000) return coarsest;
  if (v > 10) return coarsest + 2;
  if (v > 0.1) return coarsest + 4;
  if (v > 0.001) return coarsest + 6;
  if (v > 1e-5) return coarsest + 8;
  return coarsest + 10;
}

int FixedDecimals(int parameter, bool limit) {
  const int value = (parameter == 5 || parameter == 6) ? 4 : 5;
  return limit ? value - 1 : value;
}

}  // namespace

int ParameterValueDecimals(int parameter, double value) {
  return parameter <= 2 ? HeightDecimals(value, 1) : FixedDecimals(parameter, false);
}

int ParameterLimitDecimals(int parameter, double limit) {
  return parameter <= 2 ? HeightDecimals(limit, 0) : FixedDecimals(parameter, true);
}

int AreaDecimals(double area) {
  if (area > 1000) return 0;
  if (area > 10) return 2;
  if (area > 0.1) return 4;
  return 6;
}

int AreaErrorDecimals(double error) {
  if (error >= 1000) return 0;
  if (error >= 10) return 2;
  if (error >= 0.1) return 4;
  return 6;
}

std::string ParameterValueText(int parameter, double value) {
  return FitNumberText(value, ParameterValueDecimals(parameter, value));
}

std::string ParameterLimitText(int parameter, double limit) {
  return FitNumberText(limit, ParameterLimitDecimals(parameter, limit));
}

std::string AreaShareText(double area, double total) {
  return FitNumberText(total != 0.0 ? area / total : 0.0, 4);
}

std::string ParameterErrorText(double entry) {
  if (entry == kEmptyResultCell) return " ----";
  constexpr std::size_t kWidth = 8;
  const double rounded = RoundHalfUp(entry, 5);
  std::string text = plat::NumberToText(rounded);
  if (text.size() <= kWidth) return text;
  const std::size_t point = text.find('.');
  const bool exponent = text.find_first_of("Ee") != std::string::npos;
  if (!exponent) {
    // Sign and integer digits fit: keep as many decimals as there is room for.
    const std::size_t integerLength = point == std::string::npos ? text.size() : point;
    if (integerLength <= kWidth) {
      const int room = static_cast<int>(kWidth) - static_cast<int>(integerLength) - 1;
      text = plat::NumberToText(RoundHalfUp(rounded, room > 0 ? room : 0));
      if (text.size() <= kWidth) return text;
    }
  }
  // Too large (or too small) for plain digits: exponent form in the room left.
  for (int digits = 2; digits >= 0; --digits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*E", digits, std::fabs(rounded));
    std::string mantissa = buffer;
    // Two-digit exponents as the program writes them ("E+09", "E-07").
    const std::size_t e = mantissa.find('E');
    std::string power = mantissa.substr(e + 2);
    while (power.size() > 2 && power[0] == '0') power.erase(0, 1);
    mantissa = mantissa.substr(0, e + 2) + power;
    text = (rounded < 0 ? "-" : " ") + mantissa;
    if (text.size() <= kWidth) return text;
  }
  return text.substr(0, kWidth);
}

void FormatParameterValue(int w, int p, int j) {
  G.NumberText = ParameterValueText(j, Win[w].ParameterValue[p][j]);
}

void FormatParameterLimits(int w, int p, int j) {
  G.NumberText = ParameterLimitText(j, Win[w].ParameterUpper[p][j]);
  G.NumberText2 = ParameterLimitText(j, Win[w].ParameterLower[p][j]);
}

void FormatPeakAreas(int w, int p, double totalArea) {
  const double area = Win[w].PeakArea[p];
  const double partner = Win[w].PartnerArea[p];
  const int decimals = AreaDecimals(area);
  G.NumberText = FitNumberText(area, decimals);
  G.NumberText3 = FitNumberText(partner, decimals);
  G.NumberText2 = AreaShareText(area, totalArea);
  G.NumberText4 = AreaShareText(partner, totalArea);
}

void FormatParameterError(int w, int row, int j) {
  G.NumberText = ParameterErrorText(Win[w].ParamErrorTable[row][j]);
}

void FormatAreaErrors(int w, int p) {
  const WindowRecord& win = Win[w];
  const int decimals = AreaErrorDecimals(win.AreaErrorShown[p]);
  G.NumberText = FitNumberText(win.AreaErrorShown[p], decimals);
  G.NumberText3 = FitNumberText(win.PartnerAreaErrorShown[p], decimals);
  G.NumberText2 = FitNumberText(win.AreaShareErrorShown[p], 4);
  G.NumberText4 = FitNumberText(win.PartnerShareErrorShown[p], 4);
}

}  // namespace sorvan
