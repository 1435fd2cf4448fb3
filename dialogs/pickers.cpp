// Font and colour pickers. The colour of a font and the further value the
// font dialog carries pass through unchanged: the dialog has no use for them.
#include "dialogs/pickers.h"

#include <string>

#include "core/menu_commands.h"
#include "core/model.h"
#include "core/presetting.h"
#include "display/redraw.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/text.h"

namespace sorvan {
namespace {

// The text whose mean character width gives the width of the character cell.
constexpr const char* kCellSample = "ABC DFG HIJ WMHGfg";

struct Cell {
  Int16 width;
  Int16 height;
};

// The character cell of the main form's font.
Cell MeasureMainFontCell() {
  const double width = plat::MainFontTextWidth(kCellSample) / 18.0;
  const double height = 1.1 * plat::MainFontTextHeight(kCellSample);
  return {static_cast<Int16>(plat::RoundHalfEven(width)),
          static_cast<Int16>(plat::RoundHalfEven(height))};
}

}  // namespace

void UseDialogFont() {
  plat::SetMainFont(DialogFont());
  const Cell cell = MeasureMainFontCell();
  G.CharWidth = cell.width;
  G.CharHeight = cell.height;
}

void ApplyPresettingToScreen() {
  for (int w = 1; w <= kMaxWindows; ++w)
    if (Win[w].WindowOpen) RedrawWindow(w);
  UseDialogFont();
}

void PickFont() {
  plat::FontSpec font;
  const int k = G.CommandId;
  const bool dialogFont = k == CmdDialogFont;
  if (dialogFont) {
    font = DialogFont();
  } else {
    if (k < 0 || k > G.FontName.upper()) return;
    font.name = G.FontName[k];
    font.size = G.FontSize[k];
    font.bold = G.FontBold[k];
    font.italic = G.FontItalic[k];
    font.underline = G.FontUnderline[k];
    font.strikeout = G.FontStrikeout[k];
  }
  if (!plat::FontDialog(font)) return;

  if (dialogFont) {
    G.DialogFontName = font.name;
    G.DialogFontSize = static_cast<Float32>(font.size);
    G.DialogFontStyle[0] = font.bold;
    G.DialogFontStyle[1] = font.italic;
    G.DialogFontStyle[2] = font.underline;
    G.DialogFontStyle[3] = font.strikeout;
    UseDialogFont();
    return;
  }
  G.FontName[k] = font.name;
  G.FontSize[k] = static_cast<Float32>(font.size);
  G.FontBold[k] = font.bold;
  G.FontItalic[k] = font.italic;
  G.FontUnderline[k] = font.underline;
  G.FontStrikeout[k] = font.strikeout;
  // Measured in the class font, then the main form gets the dialog font
  // back: the dialog pages keep being laid out in their own cell.
  const plat::FontSpec dialog = plat::MainFont();
  plat::SetMainFont(font);
  const Cell cell = MeasureMainFontCell();
  plat::SetMainFont(dialog);
  G.FontCharWidth[k] = cell.width;
  G.FontLineHeight[k] = cell.height;
}

int PickColour() {
  G.PickedColour = plat::ColourDialog(G.PickedColour);
  return G.PickedColour;
}

}  // namespace sorvan
