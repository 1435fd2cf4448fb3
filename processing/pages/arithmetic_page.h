// Arithmetic between two spectrum windows: page 8x, on which the user names
// the other window, and the point-by-point combination that replaces that
// window's spectrum.
#pragma once
#include <span>

namespace sorvan {

enum class ArithmeticOperation { Add, Subtract, Multiply, Divide, None };

// The operation named by ArithmeticOperationName (MessageTexts 21 to 24);
// None for any other text.
ArithmeticOperation CurrentArithmeticOperation();

// result_i := b_i op a_i for i = 1..n (element 0 unused). Where a division
// meets a_i = 0 the point keeps `unchanged`[i], the named window's own value.
void CombineSpectra(ArithmeticOperation op, std::span<const double> a, std::span<const double> b,
                    std::span<const double> unchanged, std::span<double> result);

// Opens the page for window w (the current window) and waits.
void ShowWindowArithmeticPage(int w);
// Interactive (BatchMode 0): combines window w with the window typed on the
// page and stores the result in that window. Batch: combines the series
// template with w and stores the result in w. True when something was
// computed; a window number outside 1..30, a closed window, w itself or a
// window with another point count changes nothing.
bool ApplyWindowArithmetic(int w);

void cmdOk81_Click();
void cmdCancel82_Click();

void RegisterArithmeticPageEvents();

}  // namespace sorvan
