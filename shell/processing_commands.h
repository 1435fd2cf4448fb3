// The menu commands of the processing region, the one-shot backgrounds, the
// commit of a kept background, the negation, derivative and smoothing of a
// spectrum and the removal of its X-ray satellites.
#pragma once

namespace sorvan {

// Runs `command` for the CurrentWindow when it is one of 2110, 2120, 2130,
// 2140 (backgrounds), 2100 (commit), 2200 (region from the cursor pair, only
// once both cursors are set), 21100 (whole spectrum), 2400 (negate), 2300
// (derivative), 2700 (smoothing) or 2800 (satellite removal);
// false for any other command.
bool RunRegionAndBackgroundCommand(int command);

}  // namespace sorvan
