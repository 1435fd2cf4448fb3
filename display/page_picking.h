// Filling the fields of open dialog pages from the cursor of a spectrum
// window: the line list of the identification page, the intensity of the
// scale page in its normalise mode, and the start values of single peaks
// and doublets. Each click with the left button alone (and every further
// mouse event while it stays down) fills the next field.
#pragma once

namespace sorvan {

// Dialog windows of the pages served here.
constexpr int kScalePageWindow = 7;
constexpr int kPeakStartPageWindow = 14;
constexpr int kDoubletStartPageWindow = 15;
constexpr int kLinePageWindow = 23;

// Runs after the readout and label steps of a mouse event on window w, with
// the cursor values (CursorChannel, CursorEnergy, CursorIntensity,
// PickedHeight) of that event.
void PickIntoDialogPages(int w);

}  // namespace sorvan
