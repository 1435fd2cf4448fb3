// The font and colour pickers: the platform's common font and colour dialogs,
// and what the program keeps of the choice.
#pragma once

namespace sorvan {

// Edits the dialog font when CommandId is CmdDialogFont, else the font of text class
// CommandId (0..3 screen, 10..13 printer), and measures the character cell
// of the chosen font: CharWidth/CharHeight for the dialog font (the main
// form takes it), FontCharWidth/FontLineHeight of the class otherwise (the
// main form keeps the dialog font). Cancel changes nothing.
void PickFont();
// Shows the colour dialog starting from PickedColour; keeps the choice in
// PickedColour and returns it. Cancel returns (and keeps) the starting colour.
int PickColour();

// The main form takes the dialog font, and the character cell in which the
// dialog pages lay out their controls is measured in it (CharWidth,
// CharHeight).
void UseDialogFont();
// Shows what a read presetting changed: every open window is redrawn, then
// the dialog font is used.
void ApplyPresettingToScreen();

}  // namespace sorvan
