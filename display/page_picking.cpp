// Filling dialog pages from the cursor (see page_picking.h).
#include "display/page_picking.h"

#include "core/model.h"

namespace sorvan {

void PickIntoDialogPages(int w) {
  if (!IsSpectrumWindow(w)) return;
}

}  // namespace sorvan
