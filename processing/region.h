// The processing region of a window (the run of points that processing and
// fits work on) and the end levels of the cursor pair that the backgrounds
// start from.
#pragma once

namespace sorvan {

// Makes the cursor pair window w's region, clears user-fixed axis ranges,
// reloads and redraws; marks the region partial unless the pair spans the
// whole spectrum (then the mark stays as it was); ends the pick.
void SetRegionFromCursors(int w);
// Gives window w's region the whole spectrum and clears the partial mark.
void SetRegionFull(int w);

// End levels of the cursor pair from WorkData: L into Scratch1, R into
// Scratch2 (Scratch3 and Scratch4 cleared), each the mean of AveragePoints
// points at its end, held to the spectrum and the pair; then WorkBackground
// := R over the pair.
void AverageRegionEnds();

}  // namespace sorvan
