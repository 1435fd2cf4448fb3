#include "core/text_rules.h"

#include <cctype>

namespace sorvan {

std::size_t LeadingNumberLength(const std::string& text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto digit = [&](std::size_t j) { return j < n && std::isdigit(static_cast<unsigned char>(text[j])); };
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (digit(i)) ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (digit(i)) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t expDigits = 0;
    while (digit(j)) ++j, ++expDigits;
    if (expDigits > 0) i = j;
  }
  return i;
}

bool BeginsWithNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  auto digit = [&](std::size_t j) { return j < text.size() && text[j] >= '0' && text[j] <= '9'; };
  if (digit(i)) return true;
  return i < text.size() && text[i] == '.' && digit(i + 1);
}

std::string WithoutControlBytes(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\t') out += ' ';
    else if (c >= 0x20 && c != 0x7F) out += ch;
  }
  return out;
}

}  // namespace sorvan
