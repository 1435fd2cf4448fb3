// Saving a window as a picture at four times its size (see bitmap_export.h).
#include "report/bitmap_export.h"

#include <algorithm>
#include <cmath>

#include "core/file_dialogs.h"
#include "core/menu_commands.h"
#include "core/messages.h"
#include "core/model.h"
#include "display/redraw.h"
#include "platform/forms.h"
#include "platform/surfaces.h"

namespace sorvan {

namespace {

constexpr int kScale = 4;

// The folder of the last saved picture, where the next save dialog starts.
std::string& LastBitmapFolder() {
  static std::string folder;
  return folder;
}

Int16 Times(Int16 value, double factor) {
  const double v = std::nearbyint(value * factor);
  return static_cast<Int16>(std::clamp(v, -32768.0, 32767.0));
}

// The screen fonts (classes 0..3) and the screen curve and line widths
// (kinds 0..9) scaled for the enlarged drawing; the printer entries are not
// touched. The originals are kept and put back exactly.
class EnlargedDrawing {
 public:
  EnlargedDrawing() {
    for (int f = 0; f <= 3; ++f) {
      fontSize_[f] = G.FontSize[f];
      charWidth_[f] = G.FontCharWidth[f];
      lineHeight_[f] = G.FontLineHeight[f];
      G.FontSize[f] = fontSize_[f] * kScale;
      G.FontCharWidth[f] = Times(charWidth_[f], kScale);
      G.FontLineHeight[f] = Times(lineHeight_[f], kScale);
    }
    for (int k = 0; k <= 9; ++k) {
      curveWidth_[k] = G.CurveWidths[k];
      lineWidth_[k] = G.LineWidths[k];
      G.CurveWidths[k] = curveWidth_[k] * kScale;
      G.LineWidths[k] = lineWidth_[k] * kScale;
    }
  }
  ~EnlargedDrawing() {
    for (int f = 0; f <= 3; ++f) {
      G.FontSize[f] = fontSize_[f];
      G.FontCharWidth[f] = charWidth_[f];
      G.FontLineHeight[f] = lineHeight_[f];
    }
    for (int k = 0; k <= 9; ++k) {
      G.CurveWidths[k] = curveWidth_[k];
      G.LineWidths[k] = lineWidth_[k];
    }
  }
  EnlargedDrawing(const EnlargedDrawing&) = delete;
  EnlargedDrawing& operator=(const EnlargedDrawing&) = delete;

 private:
  Float32 fontSize_[4];
  Int16 charWidth_[4], lineHeight_[4];
  double curveWidth_[10], lineWidth_[10];
};

}  // namespace

bool SaveWindowBitmap(int w, const std::string& path) {
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return false;
  bool saved = false;
  // The drawing paints the window's labels into the picture (on the screen
  // they are label controls over the drawing) while the export command runs.
  const Int16 command = G.CommandId;
  G.CommandId = CmdExportBitmap;
  struct RestoreCommand {
    Int16 id;
    ~RestoreCommand() { G.CommandId = id; }
  } restore{command};
  {
    EnlargedDrawing enlarged;
    plat::BeginBitmap(kScale * plat::ClientWidth(w), kScale * plat::ClientHeight(w), w);
    try {
      RedrawWindow(w);
      saved = plat::SaveBitmap(path);
    } catch (...) {
      plat::EndBitmap();
      throw;
    }
    plat::EndBitmap();
  }
  return saved;
}

void ExportWindowBitmap() {
  const int w = G.CurrentWindow;
  if (!IsSpectrumWindow(w) || !Win[w].WindowOpen) return;
  const std::string path =
      ChooseFileToSave({G.LabelTexts[77], "*.bmp", G.CaptionTexts[14], "*.*"}, "*.bmp", "bmp",
                       LastBitmapFolder(), G.MessageTexts[94]);
  if (!path.empty()) {
    const std::size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos) LastBitmapFolder() = path.substr(0, slash);
    const bool saved = SaveWindowBitmap(w, path);
    G.CommandId = 0;
    if (!saved) ShowMessageNaming(2, w, path);
  }
  RedrawWindow(w);
}

}  // namespace sorvan
