// The table exports that span several windows or parameters: the fit table
// and the fit-error table of the chosen windows (one line per window), all
// open spectra side by side, and the parameter matrix of a window's error
// analysis. Every file is written whole or not at all: all checks run
// before it is touched, and a failed write leaves the old file as it was.
#pragma once
#include <string>
#include <vector>

namespace sorvan {

// ---- Fit and error tables (ChosenWindows 1..ChosenWindowCount) ----

// The spectrum windows among ChosenWindows[1..ChosenWindowCount], in that
// order (an entry that is no window number is passed over).
std::vector<int> ChosenSpectrumWindows();

// The name of window w in a table: its short name, or its number when the
// name is empty (a row of the fit tables, a column of the all-spectra table).
std::string TableRowName(int w);

// The line of window w: its short name (its number when the name is
// empty), then for every peak the chosen column groups (G.FitTableColumns:
// the main parameter of the group, and the partner parameter for doublets),
// then the six background terms when group 6 is chosen and the background
// was fitted with the peaks. With `errors` the errors in place of the values.
std::string FitTableLine(int w, bool errors);
std::vector<std::string> FitTableLines(bool errors);

// Ask for the file and write the table of the chosen windows.
void ExportFitTable();
void ExportFitErrorTable();
// The fit table columns page, then after its OK the export.
void ExportFitTableWithColumnsPage(bool errors);

// ---- All open spectra ----

// The open single-spectrum windows, in window order.
std::vector<int> AllSpectraWindows();
// True when every window of `windows` has the points, start energy, step
// and energy shift of the first one.
bool SameEnergyGrid(const std::vector<int>& windows);
// The header and one line per region point of the last window; empty when
// `windows` is empty.
std::vector<std::string> AllSpectraLines(const std::vector<int>& windows);
void ExportAllSpectra();

// ---- The error matrix of window w ----

// The parameter indices written: 1, 1 + t, 1 + 2t, ... up to 10 n (t = 1 for
// doublets, 2 otherwise), then the six background terms when the background
// was fitted with the peaks.
std::vector<int> ErrorMatrixIndices(int w);
// True when w has a matrix from an error run that holds every index.
bool ErrorMatrixFitsGrid(int w);
std::vector<std::string> ErrorMatrixLines(int w);
void ExportErrorMatrix(int w);

// ---- The commands ----

// CmdExportFitTable (false) and CmdExportFitErrorTable (true): window choice,
// columns page, export.
void RunFitTableCommand(bool errors);
// CmdExportErrorMatrix on the current window.
void RunErrorMatrixCommand();

}  // namespace sorvan
