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
#include <cstdint>
#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

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
std::array<Canvas*, kMaxWindow + 1> g_detours{};
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

void Put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The two headers of a BMP file (BITMAPFILEHEADER and BITMAPINFOHEADER,
// little-endian, rows bottom first) for a picture of `bits` a pixel with
// `colours` palette entries following the headers and `dataSize` bytes of
// pixel data after them.
std::string BmpHeaders(int width, int height, int bits, int compression, std::uint32_t dataSize,
                       std::uint32_t colours, int dotsPerMetre) {
  const std::uint32_t offset = 14 + 40 + 4 * colours;
  std::string out;
  out.reserve(offset + dataSize);
  out += "BM";
  Put32(out, offset + dataSize);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  Put32(out, static_cast<std::uint32_t>(compression));
  Put32(out, dataSize);
  Put32(out, static_cast<std::uint32_t>(dotsPerMetre));
  Put32(out, static_cast<std::uint32_t>(dotsPerMetre));
  Put32(out, colours);
  Put32(out, 0);
  return out;
}

// The picture with every pixel an index into a palette of the picture's own
// colours, in the order they first occur; false when it holds more than 256.
bool IndexedExactly(const QImage& picture, std::vector<QRgb>& palette, std::vector<uchar>& indices) {
  const int width = picture.width(), height = picture.height();
  std::unordered_map<QRgb, uchar> indexOf;
  palette.clear();
  indices.resize(static_cast<std::size_t>(width) * height);
  QRgb last = 0;
  uchar lastIndex = 0;
  bool any = false;
  for (int y = 0; y < height; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    uchar* out = indices.data() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      const QRgb colour = row[x] & 0xFFFFFF;
      if (!any || colour != last) {  // a plot is mostly runs of one colour
        auto found = indexOf.find(colour);
        if (found == indexOf.end()) {
          if (palette.size() == 256) return false;
          found = indexOf.emplace(colour, static_cast<uchar>(palette.size())).first;
          palette.push_back(colour);
        }
        last = colour;
        lastIndex = found->second;
        any = true;
      }
      out[x] = lastIndex;
    }
  }
  return true;
}

// A BMP file of an 8-bit palette picture, its rows run-length encoded
// (BI_RLE8, bottom row first): runs of one index as (count, index) pairs,
// stretches of differing indices in absolute mode, each row ended by 0 0 and
// the picture by 0 1. A plot is mostly runs of one colour, so a picture of
// 6400 x 3768 pixels takes some hundred kilobytes instead of 72 MB.
std::string EncodeRle8Bmp(int width, int height, const std::vector<QRgb>& palette,
                          const std::vector<uchar>& indices, int dotsPerMetre) {
  std::string data;
  data.reserve(static_cast<std::size_t>(height) * 64);
  for (int y = height - 1; y >= 0; --y) {
    const uchar* row = indices.data() + static_cast<std::size_t>(y) * width;
    int x = 0;
    while (x < width) {
      int run = 1;
      while (x + run < width && run < 255 && row[x + run] == row[x]) ++run;
      if (run >= 2) {
        data += static_cast<char>(run);
        data += static_cast<char>(row[x]);
        x += run;
        continue;
      }
      // A stretch of pixels none of which starts a run of two.
      int n = 1;
      while (x + n < width && n < 255 && !(x + n + 1 < width && row[x + n] == row[x + n + 1])) ++n;
      if (n < 3) {
        for (int i = 0; i < n; ++i) {
          data += static_cast<char>(1);
          data += static_cast<char>(row[x + i]);
        }
      } else {
        data += static_cast<char>(0);
        data += static_cast<char>(n);
        data.append(reinterpret_cast<const char*>(row + x), static_cast<std::size_t>(n));
        if (n % 2 != 0) data += static_cast<char>(0);
      }
      x += n;
    }
    data += static_cast<char>(0);
    data += static_cast<char>(y == 0 ? 1 : 0);
  }
  const auto colours = static_cast<std::uint32_t>(palette.size());
  std::string out = BmpHeaders(width, height, 8, 1 /* BI_RLE8 */,
                               static_cast<std::uint32_t>(data.size()), colours, dotsPerMetre);
  for (QRgb c : palette) {
    out += static_cast<char>(qBlue(c));
    out += static_cast<char>(qGreen(c));
    out += static_cast<char>(qRed(c));
    out += static_cast<char>(0);
  }
  out += data;
  return out;
}

// A BMP file of 24 bits a pixel, uncompressed (BI_RGB): blue, green, red
// bytes, bottom row first, each row padded to a multiple of four bytes.
std::string Encode24Bmp(const QImage& picture, int dotsPerMetre) {
  const int width = picture.width(), height = picture.height();
  const std::size_t stride = (3 * static_cast<std::size_t>(width) + 3) / 4 * 4;
  std::string out = BmpHeaders(width, height, 24, 0 /* BI_RGB */,
                               static_cast<std::uint32_t>(stride * height), 0, dotsPerMetre);
  const std::size_t start = out.size();
  out.resize(start + stride * height, '\0');
  for (int y = height - 1, line = 0; y >= 0; --y, ++line) {
    const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    char* to = out.data() + start + line * stride;
    for (int x = 0; x < width; ++x) {
      *to++ = static_cast<char>(qBlue(row[x]));
      *to++ = static_cast<char>(qGreen(row[x]));
      *to++ = static_cast<char>(qRed(row[x]));
    }
  }
  return out;
}

}  // namespace

namespace detail {
void ReleaseWindowPainter(int window) {
  if (ValidWindow(window) && g_windowCanvases[window]) g_windowCanvases[window]->ReleasePainter();
}
}  // namespace detail

Canvas& WindowCanvas(int window) {
  if (ValidWindow(window) && g_detours[window]) return *g_detours[window];
  return WindowCanvasBeneathDetour(window);
}

Canvas& WindowCanvasBeneathDetour(int window) {
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
  g_bitmapCanvas.reset();  // before its picture goes
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
  // The picture keeps the colours drawn: a palette of exactly its colours
  // when they are at most 256, else 24 bits a pixel.
  const QImage picture = g_bitmap->convertToFormat(QImage::Format_RGB32);
  if (picture.isNull()) return false;
  const int dotsPerMetre = picture.dotsPerMeterX();
  std::vector<QRgb> palette;
  std::vector<uchar> indices;
  const std::string bytes =
      IndexedExactly(picture, palette, indices)
          ? EncodeRle8Bmp(picture.width(), picture.height(), palette, indices, dotsPerMetre)
          : Encode24Bmp(picture, dotsPerMetre);
  try {
    ReplaceFileWithBytes(path, bytes);
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

void SetDrawingDetour(int window, Canvas* canvas) {
  if (ValidWindow(window)) g_detours[window] = canvas;
}

void SetRecordingCanvas(int window, RecordingCanvas* canvas) {
  if (ValidWindow(window)) g_recording[window] = canvas;
}

}  // namespace plat
