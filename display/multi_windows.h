// Multi-spectrum windows: filling a window from its member windows, reversing
// the member order, the unit and tick texts that the four views share, and
// the small rules of the views (colour ramp, label steps).
#pragma once
#include <string>

namespace sorvan {

// Fills window w (open, WindowKind set) from the members
// ChosenWindows[1..ChosenWindowCount]: the member model, the copies of the
// first member's header, region and axis state, the intensity range over all
// members, and one component column per member (the measured spectrum, or
// the fitted sum, plus the fitted background when it was fitted with the
// peaks). Columns hold a member's values over the member's own region only,
// zeros elsewhere. The frame colour of the callers is not needed.
void BuildMultiSpectrumWindow(int w);

// Reverses the members of window w: window numbers, names, labels (an
// edited label becomes the new default) and curves. The first member's
// copies stay as they are.
void ReverseMemberOrder(int w);

// YAxisSpan, intensity tick texts, IntensityUnit and MultiYTitle (unless the
// user typed a title), and the energy tick texts of multi-spectrum window w.
void MakeMultiSpectrumUnitLabels(int w);

// The colour of intensity v on the ramp from `backColour` (at `bottom`) to
// `curveColour` (at bottom + range): red rises over the lowest third, green
// over the middle third, blue over the top third. A range of 0 counts as 1.
// Channels outside 0..255 (values outside the range) keep their low 8 bits.
int ColourRampColour(double v, double bottom, double range, int backColour, int curveColour);

// Every how many members the colour map labels: 1, from 21 members 2, from
// 41 4, from 61 6, from 81 8, from 100 10.
int ColourMapLabelStep(int members);
// The same for the stacked and waterfall views: 1 up to 11 members, then one
// more for every further ten (51 members give 6), at most 10.
int StackedLabelStep(int members);

// The first seven characters of a short name, blanks at both ends removed.
std::string MemberLabelFromShortName(const std::string& shortName);

}  // namespace sorvan
