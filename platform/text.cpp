// Number conversions and Windows-1252 text handling.
#include "platform/text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <algorithm>

namespace plat {

namespace {

// Unicode code points of the bytes 0x80..0x9F in Windows-1252; 0 where the
// code page leaves the byte undefined (those map to the C1 control itself).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

unsigned CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) {
    char16_t c = kCp1252High[byte - 0x80];
    return c ? c : byte;
  }
  return byte;
}

void AppendUtf8(std::string& out, unsigned cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// Byte of a code point in Windows-1252, or -1 when it has none.
int ByteOf(unsigned cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return int(cp);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == cp) return 0x80 + i;
  if (cp >= 0x80 && cp < 0xA0 && kCp1252High[cp - 0x80] == 0) return int(cp);
  return -1;
}

// Length of the well-formed UTF-8 sequence at `i` and its code point in
// `cp`; 0 when the bytes there are not one (a stray continuation byte, a
// truncated, overlong or surrogate sequence, a value past U+10FFFF).
std::size_t SequenceAt(std::string_view s, std::size_t i, unsigned& cp) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  std::size_t len;
  unsigned min;
  if ((c & 0xE0) == 0xC0) {
    len = 2, min = 0x80, cp = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    len = 3, min = 0x800, cp = c & 0x0F;
  } else if ((c & 0xF8) == 0xF0) {
    len = 4, min = 0x10000, cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const unsigned char d = static_cast<unsigned char>(s[i + k]);
    if ((d & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (d & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// Length of the character at `i`: its UTF-8 sequence, or the single byte
// when none starts there.
std::size_t CharacterLength(std::string_view s, std::size_t i) {
  unsigned cp;
  const std::size_t len = SequenceAt(s, i, cp);
  return len ? len : 1;
}

// Decodes UTF-8 into code points; invalid bytes are taken as Windows-1252.
template <typename F>
void ForEachCodePoint(std::string_view s, F f) {
  std::size_t i = 0;
  while (i < s.size()) {
    unsigned cp;
    const std::size_t len = SequenceAt(s, i, cp);
    if (len == 0) {
      f(CodePointOf(static_cast<unsigned char>(s[i])));
      ++i;
    } else {
      f(cp);
      i += len;
    }
  }
}

// Byte offset of the character `n` (0-based) at or after byte `from`; the
// text's size when it has fewer.
std::size_t OffsetOfCharacter(std::string_view s, std::size_t n, std::size_t from = 0) {
  std::size_t i = from;
  while (n > 0 && i < s.size()) {
    i += CharacterLength(s, i);
    --n;
  }
  return std::min(i, s.size());
}

// A code point drawn together with the one before it.
bool JoinsThePrevious(unsigned cp) {
  return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x1AB0 && cp <= 0x1AFF) ||
         (cp >= 0x1DC0 && cp <= 0x1DFF) || (cp >= 0x20D0 && cp <= 0x20FF) ||
         (cp >= 0xFE20 && cp <= 0xFE2F) || (cp >= 0xFE00 && cp <= 0xFE0F) ||
         (cp >= 0xE0100 && cp <= 0xE01EF) || cp == 0x200D || (cp >= 0x1F3FB && cp <= 0x1F3FF);
}

}  // namespace

std::string NumberToText(double value) {
  if (std::isnan(value)) return " NaN";
  if (std::isinf(value)) return value > 0 ? " Inf" : "-Inf";
  if (value == 0) return " 0";
  double mag = std::fabs(value);
  char buf[64];
  std::string body;
  if (mag >= 1e15 || mag < 1e-4) {
    std::snprintf(buf, sizeof buf, "%.14E", mag);
    std::string s(buf);
    size_t e = s.find('E');
    std::string mant = s.substr(0, e), ex = s.substr(e + 1);
    while (!mant.empty() && mant.back() == '0') mant.pop_back();
    if (!mant.empty() && mant.back() == '.') mant.pop_back();
    int exp = std::atoi(ex.c_str());
    std::snprintf(buf, sizeof buf, "E%c%02d", exp < 0 ? '-' : '+', std::abs(exp));
    body = mant + buf;
  } else {
    std::snprintf(buf, sizeof buf, "%.15G", mag);
    body = buf;
    if (body.find('E') != std::string::npos) {
      // %G chose an exponent for a magnitude we show plainly: print fixed.
      int decimals = std::max(0, 14 - int(std::floor(std::log10(mag))));
      std::snprintf(buf, sizeof buf, "%.*f", decimals, mag);
      body = buf;
    }
    if (body.find('.') != std::string::npos) {
      while (body.back() == '0') body.pop_back();
      if (body.back() == '.') body.pop_back();
    }
  }
  return (value < 0 ? "-" : " ") + body;
}

double TextToNumber(const std::string& text) {
  size_t i = 0, n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  size_t start = i;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < n && std::isdigit((unsigned char)text[i])) ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && std::isdigit((unsigned char)text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  size_t end = i;
  if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < n && std::isdigit((unsigned char)text[j])) ++j, ++expDigits;
    if (expDigits) end = j;
  }
  std::string part = text.substr(start, end - start);
  for (char& c : part)
    if (c == 'd' || c == 'D') c = 'E';
  double v = std::strtod(part.c_str(), nullptr);
  if (!std::isfinite(v)) return v > 0 ? std::numeric_limits<double>::max() : -std::numeric_limits<double>::max();
  return v;
}

long long RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lim = 9.2e18;
  if (value >= lim) return (long long)lim;
  if (value <= -lim) return -(long long)lim;
  // The default rounding mode is to nearest, ties to even. rint rounds as
  // nearbyint does and is expanded inline, where nearbyint is a library call
  // that saves and restores the floating-point state (every pixel of a
  // drawing passes through here).
  return (long long)std::rint(value);
}

std::string Cp1252ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (unsigned char c : text) AppendUtf8(out, CodePointOf(c));
  return out;
}

std::string Utf8ToCp1252(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  ForEachCodePoint(text, [&](unsigned cp) {
    int b = ByteOf(cp);
    out += b < 0 ? '?' : char(b);
  });
  return out;
}

bool Utf8FitsCp1252(const std::string& text) {
  bool ok = true;
  ForEachCodePoint(text, [&](unsigned cp) {
    if (ByteOf(cp) < 0) ok = false;
  });
  return ok;
}

bool IsUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    // Plain ASCII runs are the common case: skip them a byte at a time
    // without decoding.
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    unsigned cp;
    const std::size_t len = SequenceAt(bytes, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::string ValidUtf8(std::string_view bytes) {
  if (IsUtf8(bytes)) return std::string(bytes);
  return Cp1252ToUtf8(std::string(bytes));
}

std::string TextOfFileBytes(std::string_view bytes) {
  if (IsUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = start;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    const std::string_view line = bytes.substr(start, end - start);
    if (IsUtf8(line))
      out += line;
    else
      out += Cp1252ToUtf8(std::string(line));
    while (end < bytes.size() && (bytes[end] == '\n' || bytes[end] == '\r')) out += bytes[end++];
    start = end;
  }
  return out;
}

std::string FileBytesOfLine(const std::string& text) {
  bool plain = true;
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) plain = false;
  if (plain) return text;
  if (!IsUtf8(text)) return text;  // not a program text: the bytes as they are
  if (!Utf8FitsCp1252(text)) return text;
  std::string bytes = Utf8ToCp1252(text);
  // Bytes that happen to form UTF-8 ("\xC3\xA4" for "Ã¤") would read back
  // as another text: such a line is written as UTF-8. A reader decides line
  // by line, so every part between line-end bytes must pass this test.
  std::size_t start = 0;
  while (start <= bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string::npos) end = bytes.size();
    const std::string_view part = std::string_view(bytes).substr(start, end - start);
    bool high = false;
    for (const char c : part)
      if (static_cast<unsigned char>(c) >= 0x80) high = true;
    if (high && IsUtf8(part)) return text;
    start = end + 1;
  }
  return bytes;
}

std::string Trim(const std::string& text) {
  size_t a = 0, b = text.size();
  while (a < b && (text[a] == ' ' || text[a] == '\t')) ++a;
  while (b > a && (text[b - 1] == ' ' || text[b - 1] == '\t')) --b;
  return text.substr(a, b - a);
}

std::string UpperCase(const std::string& text) {
  std::string s = text;
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  return s;
}

std::string LowerCase(const std::string& text) {
  std::string s = text;
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return s;
}

std::string Mid(const std::string& text, long long start, long long count) {
  if (start < 1) start = 1;
  if (count == 0) return {};
  const std::size_t from = OffsetOfCharacter(text, static_cast<std::size_t>(start - 1));
  if (from >= text.size()) return {};
  if (count < 0) return text.substr(from);
  const std::size_t to = OffsetOfCharacter(text, static_cast<std::size_t>(count), from);
  return text.substr(from, to - from);
}

std::string Left(const std::string& text, long long count) {
  if (count <= 0) return {};
  return text.substr(0, OffsetOfCharacter(text, static_cast<std::size_t>(count)));
}

std::string Right(const std::string& text, long long count) {
  if (count <= 0) return {};
  const std::size_t n = CharacterCount(text);
  if (static_cast<std::size_t>(count) >= n) return text;
  return text.substr(OffsetOfCharacter(text, n - static_cast<std::size_t>(count)));
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i)) ++n;
  return n;
}

std::vector<std::size_t> CutPoints(std::string_view text) {
  std::vector<std::size_t> points{0};
  bool joinNext = false;  // the character before was a zero-width joiner
  for (std::size_t i = 0; i < text.size();) {
    unsigned cp;
    std::size_t len = SequenceAt(text, i, cp);
    if (len == 0) len = 1, cp = 0xFFFD;
    if (i > 0 && !JoinsThePrevious(cp) && !joinNext) points.push_back(i);
    joinNext = cp == 0x200D;
    i += len;
  }
  if (!text.empty()) points.push_back(text.size());
  return points;
}

}  // namespace plat
