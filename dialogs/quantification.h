// Quantification: the fitted peak areas of the chosen windows turned into
// atomic percentages. Row i is the position of a window in QuantWindows
// (1..QuantWindowCount), p a peak of that window. Each peak's line name is
// looked up in the line-position table (its kinetic energy) and in the
// sensitivity-factor table; the effective factor is the tabulated factor
// times the inelastic mean free path term times the transmission (IERF)
// value at that energy, or the tabulated value itself for a "WAG" table.
#pragma once
#include <string>

namespace sorvan {

// The key a line name is looked up by: characters 1 to 10, up to the first
// "_", without blanks ("C 1s_sample 3" gives "C1s").
std::string QuantLineKey(const std::string& lineName);
// The name of a line-position entry: the 7 characters from the first of its
// characters 1 to 10 above code 64, without blanks ("" when there is none).
std::string LinePositionName(const std::string& entry);
// True when SensitivityName begins with "WAG" (any case): its values are
// effective factors.
bool IsWagTable();
// SensitivityName := the file-name part of SensitivitySource.
void SetSensitivityName();

// The windows just chosen (ChosenWindows) become the quantification's rows,
// each with its spectrum name as the first line name.
void TakeChosenWindowsForQuantification();
// The number of rows of the quantification (QuantWindowCount, 0..100).
int QuantRowCount();
// The peaks of row i's window that take part (its peak count, 0..15).
int QuantPeakCount(int i);
// The window of row i (0 when the entry is no spectrum window).
int QuantWindow(int i);

// Fills the factor columns of row i, peak p from its line name: the kinetic
// energy (from the line-position table, else the excitation energy less the
// binding energy of the window's maximum), and for a key found in the
// sensitivity table Sigma, Lambda, IERF and the factor. An empty key, a key
// without a sensitivity entry and (for ordinary tables) a kinetic energy that
// is not positive leave the factor 0: the row has no factor.
void ComputeQuantificationRow(int i, int p);
// ComputeQuantificationRow for every chosen row and peak.
void ComputeQuantificationFactors();
// The areas (rebuilt from the fit where there is one, per second), the
// normalised areas and the percentages of every chosen row and peak. Rows
// without a factor take no part in the sum; when the sum is 0 no percentage
// is formed.
void ComputeConcentrations();

// True when row i, peak p has an effective factor.
bool QuantRowHasFactor(int i, int p);
// True when the percentage of row i, peak p is a current share of the sum.
bool QuantPercentShown(int i, int p);

}  // namespace sorvan
