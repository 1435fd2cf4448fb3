// Filling the fields of open dialog pages from the cursor of a spectrum
// window: the line list, the scale page and the start values of peaks.
#pragma once

namespace sorvan {

// Runs after the readout of a mouse event on window w.
void PickIntoDialogPages(int w);

}  // namespace sorvan
