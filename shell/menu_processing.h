// The Processing menu: copy and paste, the energy correction, the
// backgrounds and their commit, the satellite removal, the processing
// region, derivative, negation and smoothing, point editing by mouse,
// shifting, scaling, normalising and window arithmetic; and the toolbar's
// repeats of the last background, scaling and arithmetic. The rows of these
// commands are in shell/command_table.cpp; each runs on the current window.
#pragma once
#include <string>

namespace sorvan {

void OnCopySpectrum(int command);
// Pastes into the lowest free window.
void OnPasteSpectrum(int command);
void OnCorrectEnergy(int command);
void OnBackgroundConstant(int command);
void OnBackgroundLinear(int command);
void OnBackgroundShirley(int command);
void OnBackgroundTougaard(int command);
void OnBackgroundPolyShirley(int command);
// Subtracts a kept or fitted background; says why when there is none.
void OnCommitBackground(int command);
void OnRemoveSatellites(int command);
// The region from the cursor pair, once both cursors are set; says how to
// pick them otherwise.
void OnRegionFromCursors(int command);
void OnRegionFull(int command);
void OnDifferentiate(int command);
void OnNegateSpectrum(int command);
void OnSmooth(int command);
void OnEditPointsByMouse(int command);
void OnShiftSpectrum(int command);
void OnScaleSpectrum(int command);
void OnNormaliseSpectrum(int command);
void OnAddWindow(int command);
void OnSubtractWindow(int command);
void OnMultiplyWindow(int command);
void OnDivideWindow(int command);

// Toolbar actions 16, 25 and 26: the background kind computed last, the
// scale page and the arithmetic page with the operation chosen last.
void OnRepeatLastBackground(int command);
void OnRepeatLastScaling(int command);
void OnRepeatLastArithmetic(int command);

// The scale page and the arithmetic page with the operation chosen last.
// The scale page lays itself out for normalising exactly when normalising
// was the operation chosen last.
void RepeatLastScaleOperation();
void RepeatLastArithmeticOperation();

// The procedure of the background kind whose name (MessageTexts 1 to 5, as
// BackgroundName holds it) is `name`; nullptr for any other name.
using BackgroundProcedure = void (*)(int w);
BackgroundProcedure BackgroundProcedureNamed(const std::string& name);

// Point editing by mouse and its toolbar check button: switches the editing
// on (item checked, button pressed, EditPointsMode 1) or off, then the menu
// state of the current window. While the mode is on, a left click in the
// region of a spectrum window moves the point under the pointer to the
// pointer's height.
void ToggleEditPointsMode();

}  // namespace sorvan
