// The fit arrays and the fit vector: sizing them for a window, completing the
// limit tables, and converting a window's peak table (heights, energies in eV
// on the current axis, full widths at half maximum, absolute partner values)
// to the fit vector (channels, half widths in channels, partner ratios) and
// back, for independent peaks and for peaks relative to the first.
#pragma once

namespace sorvan {

// True when the window's peak type is the doublet text of the language.
bool IsDoubletWindow(int w);

// Size the fit arrays (and the window's component matrix) for window w.
void AllocFitArraysGaussLorentz(int w);
void AllocFitArraysDoniachSunjic(int w);

// Fill G.FitVector, the fit limits and G.ParameterScale from w's peak table.
// A window whose energy step is 0 cannot be converted to channels: nothing
// is loaded and false is returned.
bool LoadFitParameters(int w);
bool LoadFitParametersRelative(int w);

// Write G.FitVector, the areas and the last statistics back into w's tables.
void StoreFitParameters(int w);
void StoreFitParametersRelative(int w);

// Give empty or out-of-range limit cells their defaults, keep position
// limits inside the spectrum and put start values inside their limits.
void CompleteLimitTables(int w);
void CompleteLimitTablesRelative(int w);

// Channel (1 = first point, fractional) of energy E on the current axis and
// the energy of a channel; the inverse pair used by load and store.
double ChannelOfEnergy(int w, double energy);
double EnergyOfChannel(int w, double channel);

}  // namespace sorvan
