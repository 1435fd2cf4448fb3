// The multi-spectrum views on the printer page: the screen painters laid out
// in a rectangle of the page with the printer's style entries and options.
#include "core/model.h"
#include "core/store.h"
#include "display/redraw.h"
#include "display/view_target.h"
#include "display/views.h"
#include "platform/printer.h"

namespace sorvan {

void PrintMultiSpectrumView(int w, double left, double top, double width, double height) {
  if (!IsSpectrumWindow(w)) return;
  const int kind = Win[w].WindowKind;
  if (kind < ColourMap || kind > MirroredWaterfall) return;
  TransposeComponents(w);
  OffsetCanvas area(plat::PrinterCanvas(), left, top, width, height);
  const ViewTarget target = PrinterTarget(w, area);
  const int frame = static_cast<int>(G.LineColours[10]);
  switch (kind) {
    case ColourMap: PaintColourMapView(w, frame, target); break;
    case StackedCurves: PaintStackedView(w, frame, target); break;
    case Waterfall: PaintWaterfallView(w, frame, target, false); break;
    default: PaintWaterfallView(w, frame, target, true); break;
  }
}

}  // namespace sorvan
