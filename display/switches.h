// The energy-scale and intensity-unit switches and the refresh after a
// change of language: they bring every per-window quantity that is held in
// the displayed scale or unit into the new one and redraw the windows.
#pragma once

namespace sorvan {

// After EnergyAxisMode changed: axis titles, label energies and the peak
// positions (with their limits) of every window move to the new scale.
void SwitchEnergyScale();

// After CpsMode changed to u (1 per second, 0 counts): the intensities of
// every single-spectrum window are divided (u = 1) or multiplied (u = 0) by
// scans x dwell time.
void SwitchIntensityUnit(int u);

// The same for the views of several spectra.
void SwitchMultiSpectrumIntensityUnit(int u);

// After the language texts were read again: redraws every open window and
// renames the doublet peak type of fitted windows.
void RefreshWindowsForLanguage();

}  // namespace sorvan
