// Text and number conversions shared by the whole program.
// Program texts are std::string holding Windows-1252 bytes, one byte per
// character; Qt sees them only through the conversions in this layer.
#pragma once
#include <cstdint>
#include <string>

namespace plat {

// The one number-to-text conversion: a blank before a non-negative number,
// '-' before a negative one, plain decimal with a point, at most 15
// significant digits, exponent form ("1.5E-07") only for very small or very
// large magnitudes.
std::string NumberToText(double value);

// The one text-to-number conversion (leading-number rule): leading blanks are
// skipped, then the longest leading part that reads as a decimal number
// (optional sign, digits, at most one point, optional exponent) is taken and
// the rest ignored. A text that does not begin with a number gives 0.
double TextToNumber(const std::string& text);

// Nearest integer, halves to the even neighbour; the conversion of every real
// to an integer field. Values beyond the range of long long are clamped.
long long RoundHalfEven(double value);

// Conversions at the Qt boundary: Windows-1252 bytes <-> UTF-8.
std::string Cp1252ToUtf8(const std::string& text);
// Characters with no Windows-1252 form become '?'.
std::string Utf8ToCp1252(const std::string& text);
// True when every character of the UTF-8 text has a Windows-1252 form.
bool Utf8FitsCp1252(const std::string& text);

// Small text helpers with the meaning the program's procedures give them.
std::string Trim(const std::string& text);        // blanks and tabs at both ends
std::string UpperCase(const std::string& text);    // ASCII letters only
std::string LowerCase(const std::string& text);
// Characters from 1-based position `start`, at most `count` of them (clipped).
std::string Mid(const std::string& text, long long start, long long count = -1);
std::string Left(const std::string& text, long long count);
std::string Right(const std::string& text, long long count);

}  // namespace plat
