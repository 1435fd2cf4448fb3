// Number conversions and Windows-1252 text handling.
#include "platform/text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

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

// Decodes UTF-8 into code points; invalid bytes are taken as Windows-1252.
template <typename F>
void ForEachCodePoint(const std::string& s, F f) {
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = s[i];
    int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    bool ok = len > 0 && i + len <= s.size();
    unsigned cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; ok && k < len; ++k) {
      unsigned char d = s[i + k];
      if ((d & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (d & 0x3F);
    }
    if (!ok) {
      f(CodePointOf(c));
      ++i;
    } else {
      f(cp);
      i += len;
    }
  }
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
  if ((size_t)(start - 1) >= text.size()) return {};
  size_t from = size_t(start - 1);
  size_t len = count < 0 ? std::string::npos : size_t(count);
  return text.substr(from, len);
}

std::string Left(const std::string& text, long long count) {
  if (count <= 0) return {};
  return text.substr(0, size_t(count));
}

std::string Right(const std::string& text, long long count) {
  if (count <= 0) return {};
  if ((size_t)count >= text.size()) return text;
  return text.substr(text.size() - size_t(count));
}

}  // namespace plat
