// The program's one printer: setup and print dialogs, a document with pages,
// and the page size. Drawing on the page goes through the printer canvas
// (SetDrawingPrinter() in surfaces.h, or PrinterCanvas()).
//
// Headless printing: when the environment variable SORVAN_PRINT_TO_PDF names
// a file, or SetPrintToPdf() was called, the dialogs are skipped (both answer
// OK) and documents are written to that PDF file.
//
// A printout:
//   if (!plat::ShowPrintDialog()) return;          // Cancel: nothing printed
//   if (!plat::StartDocument("SORVAN")) return;    // printer could not start
//   plat::SetDrawingPrinter();
//   double W = plat::PageWidth() / 1.03;  ... draw on plat::Surface() ...
//   plat::EndDocument();
//   plat::SetDrawingMainWindow();
#pragma once
#include <string>

#include "platform/canvas.h"

namespace plat {

// Printer setup dialog. Returns false on Cancel; the printer stays as it was.
bool ShowPrinterSetup();
// Print dialog shown before each printout. Returns false on Cancel: then no
// document may be started.
bool ShowPrintDialog();

// Starts a document with the given name and its first page; the printer
// canvas draws on it until EndDocument(). Starting a document while one is
// open ends the old one first.
// Returns false when the printer cannot start (e.g. the PDF file cannot be
// written); nothing is drawn then.
// A document printed into a PDF file is written into a temporary file first;
// EndDocument puts it in place once it is complete, and throws FileError
// (the old PDF file then stays as it was) when it is not.
bool StartDocument(const std::string& name);
void NewPage();
void EndDocument();
bool DocumentOpen();

// Page size in printer units (600 dots per inch): the paintable area of the
// page, whose top-left corner is the canvas origin. Valid also outside a
// document.
double PageWidth();
double PageHeight();

// The printer canvas (also reachable as Surface() after SetDrawingPrinter()).
Canvas& PrinterCanvas();

// Test hook: the printer page is this recording canvas instead (nullptr
// removes it). Documents and pages are recorded in it as StartDocument,
// NewPage and EndDocument calls, and PageWidth()/PageHeight() answer its
// size, so that a printout's exact positions can be checked. The dialogs
// still follow the PDF setting or the test script.
class RecordingCanvas;
void SetRecordingPrinter(RecordingCanvas* canvas);

// Test setting: print to this PDF file (native path) and skip the dialogs;
// "" returns to the environment variable or the real dialogs.
void SetPrintToPdf(const std::string& nativePath);
// The PDF target in force ("" when printing goes to the chosen printer).
std::string PrintToPdfTarget();

}  // namespace plat
