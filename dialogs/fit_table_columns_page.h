// The fit table columns page (29x): which column groups the fit table and
// the fit-error table exports write (G.FitTableColumns 1..6: height, shape,
// position, width, asymmetry, the six background terms).
#pragma once

namespace sorvan {

// DialogResult is 1 after OK (the flags taken from the boxes) and 2 after
// Cancel (the flags unchanged). The shape and width boxes are captioned for
// the program-wide default line shape.
void ShowFitTableColumnsPage();

void cmdOk291_Click();
void cmdCancel292_Click();

void RegisterFitTableColumnsPageEvents();

}  // namespace sorvan
