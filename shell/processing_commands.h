// The menu commands of the processing region, the one-shot backgrounds, the
// commit of a kept background and the negation of a spectrum.
#pragma once

namespace sorvan {

// Runs `command` for the CurrentWindow when it is one of 2110, 2120, 2130,
// 2140, 2150 (backgrounds), 2100 (commit), 2200 (region from the cursor pair, only
// once both cursors are set), 21100 (whole spectrum) or 2400 (negate);
// false for any other command.
bool RunRegionAndBackgroundCommand(int command);

}  // namespace sorvan
