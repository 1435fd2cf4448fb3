// Removal of the X-ray satellites from a window's spectrum, and the page 30x
// on which the satellite presets of the two anodes are edited and chosen.
#pragma once

namespace sorvan {

// Computes the satellites of window w from the five lines of its anode
// (the per-window copies AlSatOffset/AlSatIntensity or MgSatOffset/
// MgSatIntensity, chosen by the excitation energy), shows them as a preview
// (SatelliteState 2) and asks on page 3x; on OK (always in a series,
// BatchMode 1) subtracts them over the region, keeps the removed curve as
// column 3 and sets SatelliteState 1; on Cancel everything is as before with
// SatelliteState 0. The satellites are computed from the background-free
// spectrum: minus a retained background (state 2), or, without any
// background (state 0), minus a Shirley background over the region with the
// passes of the background command's last run, given back afterwards. A window without a positive energy step is
// refused with message 3.
void RemoveXraySatellites(int w);

// Page 30x for the aluminium (material 0) or magnesium (1) presets: the
// intensity and offset of the five lines of each of the five presets, and
// the preset in use. DialogResult is 1 after OK and 2 after Cancel; it is
// not touched on entry. False when the page could not open.
bool ShowSatellitePresetPage(int material);

void cmdOk301_Click();
void cmdCancel302_Click();
void RegisterSatellitePageEvents();

}  // namespace sorvan
