// The current drawing surface: every plot, printout and export draws through
// plat::Surface(), which the program points at a spectrum window, the
// printer, the main window (draws nothing) or a hidden bitmap.
#pragma once
#include <string>

#include "platform/canvas.h"

namespace plat {

class RecordingCanvas;

// The canvas of the current surface. Before any choice it is the main window.
Canvas& Surface();

// Spectrum window w (1..100) becomes the surface: drawing goes into the
// window's backing image and is shown when control returns to the event loop
// or at FlushSurface(). A window that is not open measures like a screen
// window and draws nothing.
void SetDrawingWindow(int window);
// The printer page becomes the surface (see printer.h for the document).
void SetDrawingPrinter();
// The main window becomes the surface: it draws nothing, measures as a
// screen window.
void SetDrawingMainWindow();

// What the surface is: a window number 1..100, kMainWindowSurface,
// kPrinterSurface or kBitmapSurface.
constexpr int kMainWindowSurface = 101;
constexpr int kPrinterSurface = -1;
constexpr int kBitmapSurface = -2;
int SurfaceKind();

// The canvas of window w without making it current (each window keeps its
// own drawing state and font).
Canvas& WindowCanvas(int window);

// Shows now what was drawn into the current window (synchronous repaint).
void FlushSurface();

// Drawing a window again at four times its size into a picture file:
//   plat::BeginBitmap(4 * plat::ClientWidth(w), 4 * plat::ClientHeight(w), w);
//   RedrawWindow(w);                 // draws through SetDrawingWindow(w)
//   bool saved = plat::SaveBitmap(path);
//   plat::EndBitmap();
// The window on the screen is neither resized nor drawn on meanwhile.
//
// Hidden bitmap of the given size in pixels (96 dots per inch, filled white).
// While it is active, SetDrawingWindow(window) draws into the bitmap instead
// of the window (so that a window can be drawn again at another size without
// showing it); window 0 sends no window there, only SetDrawingBitmap() does.
void BeginBitmap(int width, int height, int window = 0);
// Makes the bitmap the surface (after BeginBitmap).
void SetDrawingBitmap();
bool BitmapActive();
// Saves the bitmap as a BMP file (program-form path) through a temporary
// file, with every colour as drawn: a picture of at most 256 colours as 8-bit
// palette entries of exactly those colours, run-length encoded (RLE8), one of
// more colours with 24 bits a pixel, uncompressed; false when the bitmap is
// not active or the file cannot be written, and an old file of that name is
// then as it was.
bool SaveBitmap(const std::string& path);
// Drops the bitmap; the surface returns to the main window if it was current.
void EndBitmap();

// Window w draws into `canvas` instead of the canvas it would draw into
// (its own, a bitmap's or a recording canvas); nullptr removes the detour.
// The program uses it to hold a picture back and draw it later
// (display/run_redraws.h). The canvas is owned by the caller and must
// outlive its use.
void SetDrawingDetour(int window, Canvas* canvas);
// The canvas window w draws into when no detour is set.
Canvas& WindowCanvasBeneathDetour(int window);

// Test hook: window w draws into `canvas` instead of its backing image (also
// while a bitmap redirect is active). nullptr removes the substitute. The
// canvas is owned by the caller and must outlive its use.
void SetRecordingCanvas(int window, RecordingCanvas* canvas);

}  // namespace plat
