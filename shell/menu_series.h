// The Series menu: the energy offset of all windows, reverting every
// window, the table of all spectra, the fit and error reports and tables,
// the processing series and the four multi-spectrum views. The rows of these
// commands are in shell/command_table.cpp.
#pragma once

namespace sorvan {

// The energy page for the offset shared by all windows.
void OnCorrectEnergyAll(int command);
void OnRevertAllWindows(int command);
void OnExportAllSpectra(int command);
// The fit report and the fit table, and the error report and table
// (report/fit_report.h, report/fit_tables.h).
void OnPrintFitReport(int command);
void OnExportFitTable(int command);
void OnPrintFitErrorReport(int command);
void OnExportFitErrorTable(int command);
void OnProcessSeries(int command);
void OnStackedView(int command);
void OnWaterfallView(int command);
void OnMirroredWaterfallView(int command);
void OnColourMapView(int command);
// The toolbar's series and views (actions 43 to 47): the series tiles no
// windows, and a view ends without the menu state.
void OnToolbarSeries(int command);
void OnToolbarStackedView(int command);
void OnToolbarWaterfallView(int command);
void OnToolbarMirroredWaterfallView(int command);
void OnToolbarColourMapView(int command);

// Repeats the processing of the current window (the template) on each window
// the user chooses: every target is reverted, takes the template's region,
// background and peak table (CopyFitSetup) and goes through the template's
// background, satellite removal, derivatives, negation, smoothing, scaling,
// window arithmetic and fit without any page. Esc during a fit ends the
// series; a target closed meanwhile is left alone and the others go on; a
// closed template ends it. The menu's series first tiles the windows
// (`arrangeWindows`), the toolbar's does not.
void ProcessSeries(bool arrangeWindows);

// Reverts every open window, in rising order, each followed by its menu
// state.
void RevertAllWindows();

// A new view window of `kind` (2 colour map, 3 stacked, 4 waterfall, 5
// mirrored waterfall) from windows the user chooses; the menu's command ends
// with the new window's menu state (`updateMenu`), the toolbar's does not.
void BuildViewWindow(int kind, bool updateMenu);

}  // namespace sorvan
