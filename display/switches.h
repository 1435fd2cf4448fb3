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

// One step of a processing series: gives window b the fit set-up of the
// series (a is the window copied from: the template SeriesTemplateWindow in
// the first step, the previous target afterwards). With T the template:
// b takes a's region when T's region is partial; the cursor pair of the last
// background and a's background terms A..E when T has a background; and when
// T is fitted, a's line shape, peak mode, peak count and peak type, T's peak
// table (values, limits, states) and a's fitted background terms A..F with
// their fixed marks. The caller then runs the background and the fit on b.
void CopyFitSetup(int a, int b);

// After the language texts were read again: redraws every open window and
// renames the doublet peak type of fitted windows.
void RefreshWindowsForLanguage();

}  // namespace sorvan
