// The two style pages on dialog window 17, which share its guard: the line
// style page (page 17x: style, width and colour of each curve kind and the
// waterfall fill) and the text style page (page 171x: the auxiliary lines,
// the tick marks, the plot background and the fonts of the four text
// classes). Each works on the screen set or on the printer set (the entries
// at kind + 10, the text classes 10 to 13), chosen by CommandId.
#pragma once
#include <string>

namespace sorvan {

inline constexpr int kStylePageWindow = 17;

// Opens the line style page on the screen set (CommandId
// CmdScreenLineStyles) or the printer set (CmdPrinterLineStyles) with `caption` (its first "&" removed) and waits. The
// first argument is not used. Returns at once while window 17 is busy.
void ShowLineStylePage(double unused, const std::string& caption);
// Opens the text style page on the screen set (CommandId CmdScreenFonts) or
// the printer set (CmdPrinterFonts) and waits; returns at once while window 17 is busy.
void ShowTextStylePage(const std::string& caption);

// The width an option button of the width groups stands for: option i
// (0..6) is (i + 1) / 2, 0.5 to 3.5.
double WidthOfOption(int i);
// The width option of a width; -1 when the width is none of the seven.
int OptionOfWidth(double width);

// The printer font size taken over from a screen text class whose line is
// `lineHeight` pixels high on a screen `screenHeight` pixels high; at least
// 1 point.
int PrinterFontSizeFromScreen(double lineHeight, double screenHeight);

void RegisterStylePageEvents();

}  // namespace sorvan
