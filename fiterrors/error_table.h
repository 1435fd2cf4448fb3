// The error table of a fit: the standard errors that an error analysis left
// per fit variable (in fit units: channels, half widths in channels, partner
// ratios) turned into what the error pages, the printed report and the
// export show: one row per peak and one column per peak parameter, in table
// units (heights, eV on the current energy axis, full widths in eV, absolute
// partner values) or in percent of the value; the background-term errors;
// the area errors as shown. Cells without a value hold kEmptyResultCell.
#pragma once

namespace sorvan {

// One row of the table, computed on plain numbers.
struct ErrorRowInput {
  double e[11] = {};      // errors of the peak's entries 1..10 (fit units)
  double x[11] = {};      // the fitted entries 1..10 (fit units)
  double energyStep = 0;  // eV per channel
  bool relative = false;  // peaks 2..n hold ratios and offsets to peak 1
  bool firstPeak = true;  // peak 1 of its table
  bool doniachSunjic = false;
  bool percent = false;
  bool kinetic = false;   // energy axis of the window
  // Energies (on the window's axis) of the channels x5 and x5 + x6.
  double positionEnergy = 0;
  double partnerEnergy = 0;
};
// Writes row[1..10].
void ErrorTableRow(const ErrorRowInput& in, double row[11]);

// The error of a doublet partner's Lorentz share m = x3 x4 (raw error t):
// never more than the larger of m's distances to 0 and 1.
double LimitPartnerShareError(double share, double error);

// Rebuilds window w's error table from its ParamErrors and area errors in the
// mode of its ErrorsInPercent, and marks it valid. The fit arrays are sized
// again and reloaded from w's peak table (the caller restores its own fit
// vector if it still needs it).
void BuildErrorTable(int w);

}  // namespace sorvan
