// The spectrum table export: the export scaling page (19x), the spectrum
// columns page (18x), and the text table of a window's columns.
#pragma once
#include <string>
#include <vector>

namespace sorvan {

// Page 19x: whether exported values are divided and shifted. DialogResult
// is 1 on entry, 1 after OK, 2 after Cancel.
void ShowExportScalingPage(int& w);
// Page 18x: which columns the table holds. 1 after OK, 2 after Cancel.
void ShowSpectrumColumnsPage(int& w);

// The lines of window w's table as they are written (without the file).
// A single spectrum: the header row and one row per region point; a
// chemical-state plot: one row per entry; other kinds: none.
std::vector<std::string> SpectrumTableLines(int w);

// The save dialog of the table exports: `title`, the tables filter `mask`
// (preset as the file name) and all files; "" after Cancel.
std::string AskTableFile(const std::string& title, const std::string& mask, const std::string& extension);
// True when the drive of `path` has `bytes` free; else message 2 for window w.
bool FreeSpaceFor(const std::string& path, double bytes, int w);

// Asks for the file and writes window w's table into it.
void ExportSpectrumTable(int& w);

// The save command (CmdExportSpectrumTable) for window w: the pages for a single spectrum,
// then the export; a chemical-state plot is exported at once.
void RunSpectrumTableCommand(int w);

void cmdOk191_Click();
void cmdCancel192_Click();
void cmdOk181_Click();
void cmdCancel182_Click();

void RegisterExportPageEvents();

}  // namespace sorvan
