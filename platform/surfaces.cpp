// The current drawing surface and the canvases behind it: one per spectrum
// window (drawing into the window's backing image), the main window (draws
// nothing), the printer and a hidden bitmap.
#include "platform/surfaces.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QTimer>
#include <array>
#include <memory>
#include <set>

#include "platform/files.h"
#include "platform/painter_canvas.h"
#include "platform/printer.h"
#include "platform/qt_internal.h"
#include "platform/recording_canvas.h"
#include "platform/text.h"

namespace plat {

namespace {

constexpr int kMaxWindow = 100;

int g_surface = kMainWindowSurface;
std::array<std::unique_ptr<detail::QPainterCanvas>, kMaxWindow + 1> g_windowCanvases;
std::array<RecordingCanvas*, kMaxWindow + 1> g_recording{};
std::unique_ptr<detail::QPainterCanvas> g_mainCanvas;

std::unique_ptr<QImage> g_bitmap;
std::unique_ptr<detail::QPainterCanvas> g_bitmapCanvas;
int g_bitmapWindow = 0;

// Windows drawn into since they were last shown. They are shown together
// when control returns to the event loop, so that a curve of many lines
// costs one repaint, not one per line.
std::set<int> g_dirtyWindows;
bool g_flushScheduled = false;

bool ValidWindow(int window) { return window >= 1 && window <= kMaxWindow; }

void FlushDirtyWindows() {
  g_flushScheduled = false;
  std::set<int> dirty = std::move(g_dirtyWindows);
  g_dirtyWindows.clear();
  for (int window : dirty)
    if (detail::BackingImage(window)) detail::FlushWindow(window);
}

void MarkDrawn(int window) {
  g_dirtyWindows.insert(window);
  if (!g_flushScheduled && QCoreApplication::instance()) {
    g_flushScheduled = true;
    QTimer::singleShot(0, QCoreApplication::instance(), [] { FlushDirtyWindows(); });
  }
}

detail::QPainterCanvas& MainCanvas() {
  if (!g_mainCanvas)
    g_mainCanvas = std::make_unique<detail::QPainterCanvas>([]() -> QPaintDevice* { return nullptr; });
  return *g_mainCanvas;
}

detail::QPainterCanvas& OwnWindowCanvas(int window) {
  auto& slot = g_windowCanvases[window];
  if (!slot) {
    slot = std::make_unique<detail::QPainterCanvas>(
        [window]() -> QPaintDevice* { return detail::BackingImage(window); },
        std::function<QPainter*()>{}, [window] { MarkDrawn(window); },
        [window] {
          g_dirtyWindows.erase(window);
          if (detail::BackingImage(window)) detail::FlushWindow(window);
        });
  }
  return *slot;
}

}  // namespace

Canvas& WindowCanvas(int window) {
  if (!ValidWindow(window)) return MainCanvas();
  if (g_recording[window]) return *g_recording[window];
  if (g_bitmapCanvas && g_bitmapWindow == window) return *g_bitmapCanvas;
  return OwnWindowCanvas(window);
}

Canvas& Surface() {
  if (ValidWindow(g_surface)) return WindowCanvas(g_surface);
  if (g_surface == kPrinterSurface) return PrinterCanvas();
  if (g_surface == kBitmapSurface && g_bitmapCanvas) return *g_bitmapCanvas;
  return MainCanvas();
}

void SetDrawingWindow(int window) {
  g_surface = ValidWindow(window) ? window : kMainWindowSurface;
}

void SetDrawingPrinter() { g_surface = kPrinterSurface; }

void SetDrawingMainWindow() { g_surface = kMainWindowSurface; }

int SurfaceKind() { return g_surface; }

void FlushSurface() { Surface().Flush(); }

void BeginBitmap(int width, int height, int window) {
  width = std::max(1, width);
  height = std::max(1, height);
  g_bitmap = std::make_unique<QImage>(width, height, QImage::Format_RGB32);
  g_bitmap->setDotsPerMeterX(3780);  // 96 dots per inch, as a screen window
  g_bitmap->setDotsPerMeterY(3780);
  g_bitmap->fill(Qt::white);
  g_bitmapCanvas = std::make_unique<detail::QPainterCanvas>(
      []() -> QPaintDevice* { return g_bitmap.get(); });
  g_bitmapWindow = ValidWindow(window) ? window : 0;
}

void SetDrawingBitmap() {
  if (g_bitmapCanvas) g_surface = kBitmapSurface;
}

bool BitmapActive() { return g_bitmap != nullptr; }

bool SaveBitmap(const std::string& path) {
  if (!g_bitmap) return false;
  // Encoded in memory, then written through a temporary file renamed over
  // the old one: a failed write leaves an old picture whole.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!g_bitmap->convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP")) return false;
  try {
    ReplaceFileWithBytes(path, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  } catch (const FileError&) {
    return false;
  }
  return true;
}

void EndBitmap() {
  if (g_surface == kBitmapSurface) g_surface = kMainWindowSurface;
  g_bitmapCanvas.reset();
  g_bitmap.reset();
  g_bitmapWindow = 0;
}

void SetRecordingCanvas(int window, RecordingCanvas* canvas) {
  if (ValidWindow(window)) g_recording[window] = canvas;
}

}  // namespace plat
