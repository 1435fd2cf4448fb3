// Decimal-sign and mnemonic routines. Only the first occurrence changes:
// "1,5" becomes "1.5", a text with two commas keeps its second one.
#include "core/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/model.h"
#include "platform/text.h"

namespace sorvan {
namespace {

// Replaces the first `from` by `to`, or removes it when `to` is 0.
void ReplaceFirst(std::string& text, char from, char to) {
  const size_t at = text.find(from);
  if (at == std::string::npos) return;
  if (to == 0)
    text.erase(at, 1);
  else
    text[at] = to;
}

}  // namespace

void NormaliseNumberInput() { ReplaceFirst(G.NumberText, ',', '.'); }

void ApplyDecimalComma() {
  if (G.DecimalComma == 1) ReplaceFirst(G.LineBuffer, '.', ',');
}

void ApplyDecimalCommaToExportLine() {
  if (G.DecimalComma == 1) ReplaceFirst(G.ExportLines[G.LoopIndexE], '.', ',');
}

void StripMnemonic() { ReplaceFirst(G.CaptionBuffer, '&', 0); }

void StripActionMnemonic() { ReplaceFirst(G.ActionTextBuffer, '&', 0); }

std::string NumberTextInWidth(double value, int width) {
  std::string text = plat::NumberToText(value);
  if (static_cast<int>(text.size()) <= width || !std::isfinite(value)) return text;
  char buf[64];
  // Fewer significant digits in the program's own form, as long as that
  // keeps every digit before the point (or the exponent).
  for (int digits = 14; digits >= 1; --digits) {
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
    const double rounded = std::strtod(buf, nullptr);
    text = plat::NumberToText(rounded);
    if (static_cast<int>(text.size()) <= width) return text;
  }
  // Plain form too wide even with one digit: exponent form "d.ddE+xx".
  for (int digits = width; digits >= 1; --digits) {
    std::snprintf(buf, sizeof buf, "%.*E", digits - 1, std::fabs(value));
    std::string s(buf);
    const auto e = s.find('E');
    std::string mantissa = s.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
      while (mantissa.back() == '0') mantissa.pop_back();
      if (mantissa.back() == '.') mantissa.pop_back();
    }
    const int exp = std::atoi(s.c_str() + e + 1);
    std::snprintf(buf, sizeof buf, "E%c%02d", exp < 0 ? '-' : '+', std::abs(exp));
    text = (value < 0 ? "-" : " ") + mantissa + buf;
    if (static_cast<int>(text.size()) <= width) return text;
  }
  return text;
}

}  // namespace sorvan
