// The doublet start page (page 15x): start values and fix states of a
// doublet fit, one column per peak and two rows (main line and partner) per
// main parameter. A pick takes the main line's height and position from the
// spectrum and places the partner by the intensity ratio and splitting of
// the doublet table entry that matches the spectrum's name.
#pragma once

namespace sorvan {

// DialogResult is 1 after OK (the peaks are then drawn at their start
// values) and 2 after Cancel (the values of a fit present are restored).
// Sets CurrentDoubletRatio and CurrentDoubletSplitting from the doublet
// table (1 and 0 without a matching entry).
void ShowDoubletStartPage(int w);

void cmdOk151_Click();
void cmdCancel152_Click();
void cmd153_Click();
void cmd154_Click();
// Pick with PickedHeight as it stands (Alt+Y).
void cmd155_Click();
// Pick with PickedHeight taken at the pointer's height in the plot (Alt+Z).
void cmd156_Click();
void cmd157_Click();

// The height at the pointer in window w's plot, with the plot's top taken
// 10 pixels below the window's top edge, into PickedHeight (unchanged while
// the window was never drawn).
void TakeDoubletHeightAtPointer(int w);
// Fills the next doublet row of the open page from PickedHeight (less the
// background at the cursor when it is defined or fitted) and CursorEnergy,
// the partner by the doublet's ratio and splitting; the height fields take
// `width` characters. Rows wrap after the window's peak count.
void PickDoubletRow(int w, int width);

void RegisterDoubletStartPageEvents();

}  // namespace sorvan
