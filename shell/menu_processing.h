// The menu commands of the processing region, the one-shot backgrounds, the
// commit of a kept background, the negation, derivative and smoothing of a
// spectrum and the removal of its X-ray satellites.
#pragma once
#include <string>

namespace sorvan {

// Runs `command` for the CurrentWindow when it is one of 2110, 2120, 2130,
// 2140, 2150 (backgrounds), 2100 (commit), 2200 (region from the cursor
// pair, only once both cursors are set), 21100 (whole spectrum), 2400
// (negate), 2300 (derivative), 2700 (smoothing) or 2800 (satellite removal);
// false for any other command.
bool RunRegionAndBackgroundCommand(int command);

// Runs `command` when it is one of 2210 (copy the current window to the
// snapshot file), 2220 (paste it into the lowest free window), 21200 and
// 8100 (energy correction of the current window or of all windows), 2910,
// 2920, 2930 (shift, scale, normalise) or 21010..21040 (arithmetic with
// another window); false for any other command.
bool RunTransferScaleArithmeticCommand(int command);

// The scale page and the arithmetic page with the operation chosen last
// (toolbar actions 25 and 26). The scale page lays itself out for
// normalising exactly when normalising was the operation chosen last.
void RepeatLastScaleOperation();
void RepeatLastArithmeticOperation();

// The procedure of the background kind whose name (MessageTexts 1 to 5, as
// BackgroundName holds it) is `name`; nullptr for any other name.
using BackgroundProcedure = void (*)(int w);
BackgroundProcedure BackgroundProcedureNamed(const std::string& name);

// 2600 and its toolbar check button: switches the point editing by mouse on
// (item checked, button pressed, EditPointsMode 1) or off, then the menu
// state of the current window. While the mode is on, a left click in the
// region of a spectrum window moves the point under the pointer to the
// pointer's height.
void ToggleEditPointsMode();

}  // namespace sorvan
