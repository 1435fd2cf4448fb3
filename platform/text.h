// Text and number conversions shared by the whole program.
// Program texts are std::string holding UTF-8, so that a name or a label may
// hold any character the keyboard or the file system gives. Files of
// Windows-1252 formats are converted where they are read and written (the
// file channels, platform/files.h); Qt sees texts only through this layer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// Windows-1252 bytes <-> UTF-8.
std::string Cp1252ToUtf8(const std::string& text);
// Characters with no Windows-1252 form become '?'.
std::string Utf8ToCp1252(const std::string& text);
// True when every character of the UTF-8 text has a Windows-1252 form.
bool Utf8FitsCp1252(const std::string& text);
// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view bytes);
// The text itself when it is UTF-8, else its bytes taken as Windows-1252:
// a program text from bytes of unknown origin.
std::string ValidUtf8(std::string_view bytes);

// The edge of the files of Windows-1252 formats. Read: every line that is
// UTF-8 is taken as it is, every other line as Windows-1252, so that old
// files with accents read as before and lines written as UTF-8 read back.
// Line ends stay as they are.
std::string TextOfFileBytes(std::string_view bytes);
// Write: the Windows-1252 bytes of one line when every character has one and
// those bytes read back as the same text; otherwise the UTF-8 text itself,
// which reads back unchanged. A line never comes back changed.
std::string FileBytesOfLine(const std::string& text);

// Small text helpers with the meaning the program's procedures give them.
// They count characters (Unicode code points; a byte that is not part of a
// well-formed UTF-8 sequence counts as one character) and never cut one.
std::string Trim(const std::string& text);        // blanks and tabs at both ends
std::string UpperCase(const std::string& text);    // ASCII letters only
std::string LowerCase(const std::string& text);
// Characters from 1-based position `start`, at most `count` of them (clipped).
std::string Mid(const std::string& text, long long start, long long count = -1);
std::string Left(const std::string& text, long long count);
std::string Right(const std::string& text, long long count);
// The number of characters.
std::size_t CharacterCount(std::string_view text);
// The byte offsets at which the text may be cut without splitting what is
// drawn as one character: before every code point but a combining mark, a
// variation selector or one joined by a zero-width joiner. Holds 0 and
// text.size() (just 0 for an empty text).
std::vector<std::size_t> CutPoints(std::string_view text);

}  // namespace plat
