// Rules for texts read from files, shared by the readers, the element-table
// lists and the Auger-parameter list: where a leading number ends, and the
// clean-up of control bytes before a text is shown.
#pragma once
#include <cstddef>
#include <string>

namespace sorvan {

// Length of the number at the start of `text` by the program's leading-number
// rule (leading blanks, sign, digits, one point, exponent); 0 when the text
// does not begin with a number.
std::size_t LeadingNumberLength(const std::string& text);

// True when the text begins with a number by the leading-number rule
// (blanks, an optional sign, then a digit, or a point and a digit).
bool BeginsWithNumber(const std::string& text);

// A text read from a file as the program shows it: NUL and the other
// control bytes (which draw as boxes) dropped, a tab turned into a blank.
std::string WithoutControlBytes(const std::string& text);

}  // namespace sorvan
