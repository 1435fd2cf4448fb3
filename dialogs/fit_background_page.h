// The fit background page (page 28x): the six terms of the background that
// is fitted together with the peaks, A + Bx + Cx^2 + Dx^3 + E S + F T, each
// with a fix box. The user subtracts the current curve at once, keeps the
// terms for the fit, or confirms them (also into a running fit's vector).
#pragma once
#include <string>

namespace sorvan {

// Shows the page for window w; WorkData and WorkBackground hold the data
// and the current background curve. DialogResult afterwards: 1200
// subtracted, 1201 kept, 1202 confirmed, 0 cancelled. False when the page
// could not open (dialog window 28 busy).
bool ShowFitBackgroundPage(int w);

// Text of term k (1..6) on the page: the constant A with 1 decimal above
// 1000, 3 above 10, 5 above 0.1 and 7 otherwise; the other terms with 6
// decimals; rounded halves up.
std::string FitBackgroundTermText(int k, double value);

// Handlers; they act on the window the page was opened for.
void cmd281_Click();
void cmd282_Click();
void cmdOk283_Click();
void cmdCancel284_Click();
void RegisterFitBackgroundPageEvents();

}  // namespace sorvan
