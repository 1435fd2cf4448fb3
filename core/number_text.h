// Small text routines shared by the whole program: the decimal sign of typed
// and exported numbers, the "&" of menu and toolbar texts, and numbers cut
// to a width. Most work in place on one global text of G.
#pragma once
#include <string>

namespace sorvan {

// G.NumberText: the first "," becomes "." (numbers typed with a decimal
// comma), whatever DecimalComma says.
void NormaliseNumberInput();
// G.LineBuffer: the first "." becomes "," when DecimalComma is 1. Call it
// right after a numeric field has been appended, so that the first point
// left is the one of that field; never after a text field (a name keeps its
// points).
void ApplyDecimalComma();
// The same for row G.LoopIndexE of G.ExportLines.
void ApplyDecimalCommaToExportLine();
// G.CaptionBuffer: the first "&" removed.
void StripMnemonic();
// G.ActionTextBuffer: the first "&" removed.
void StripActionMnemonic();

// A number in at most `width` characters (width >= 6), in the program's
// number form (blank or '-' in front): as many significant digits as fit,
// switching to the exponent form when the plain form cannot fit, so that no
// digit before the point and no exponent is ever cut away.
std::string NumberTextInWidth(double value, int width);

}  // namespace sorvan
