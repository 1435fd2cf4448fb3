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

// The program's procedures: they fill the shared number buffers
// G.NumberText .. G.NumberText4 from window w's tables.
// NumberText = value of parameter j of peak p.
void FormatParameterValue(int w, int p, int j);
// NumberText = upper limit, NumberText2 = lower limit.
void FormatParameterLimits(int w, int p, int j);
// NumberText = area, NumberText3 = partner area (both with the decimals of
// the peak's own area), NumberText2 and NumberText4 their shares of T.
void FormatPeakAreas(int w, int p, double totalArea);
// NumberText = entry (row, j) of the parameter-error table.
void FormatParameterError(int w, int row, int j);
// NumberText = area error, NumberText3 = partner area error (decimals of the
// area error), NumberText2 and NumberText4 the share errors.
void FormatAreaErrors(int w, int p);

}  // namespace sorvan
