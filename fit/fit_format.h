// Texts of fit values for the result pages, printed reports and exported
// tables: decimals chosen by parameter and, for heights and areas, by the
// magnitude of the value; the empty error cell (-1,000,000) shows as " ----".
#pragma once

#include <string>

namespace sorvan {

// The value that marks an empty cell of a result table.
inline constexpr double kEmptyResultCell = -1000000.0;

// Int(v * 10^k + 0.5) / 10^k: halves away from minus infinity.
double RoundHalfUp(double value, int decimals);
// The rounded value in the program's number text.
std::string FitNumberText(double value, int decimals);

// Decimals of a peak-table value and of a limit for parameter j (1..10);
// heights (j = 1, 2) by the size of the signed value.
int ParameterValueDecimals(int parameter, double value);
int ParameterLimitDecimals(int parameter, double limit);
// Decimals of an area (by the peak's own area) and of an area error.
int AreaDecimals(double area);
int AreaErrorDecimals(double error);

// Texts of the pure formatting rules.
std::string ParameterValueText(int parameter, double value);
std::string ParameterLimitText(int parameter, double limit);
// Share of an area in the total area, 4 decimals; 0 when the total is 0.
std::string AreaShareText(double area, double total);
// An entry of the parameter-error table: " ----" for the empty cell,
// otherwise at most 8 characters. Values that fit are rounded to 5 decimals
// and shortened by dropping decimals; values too large for that keep their
// size in exponent form ("1.2E+09") instead of being cut.
std::string ParameterErrorText(double entry);

}  // namespace sorvan
