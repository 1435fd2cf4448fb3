// Decimal-sign and mnemonic routines. Only the first occurrence changes:
// "1,5" becomes "1.5", a text with two commas keeps its second one.
#include "shell/number_text.h"

#include <string>

#include "core/model.h"
#include "shell/toolbar.h"

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

void BuildToolbarActionTexts() {
  for (int a = 1; a <= kToolbarActionCount; ++a) {
    G.ActionTextBuffer = ToolbarActionLanguageText(a);
    StripActionMnemonic();
    G.ToolbarActionText[a] = G.ActionTextBuffer;
  }
}

}  // namespace sorvan
