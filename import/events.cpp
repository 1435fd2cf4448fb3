// The event handlers of this subsystem, entered into the event registry, and
// the reader that brings a window's source file back into the imported store.
#include "core/events.h"
#include "import/formats.h"
#include "processing/revert.h"

namespace sorvan {

void RegisterImportEvents() {
  SourceReaderHook() = [](int code, int w) { return ReadSourceAgain(code, w); };
}

}  // namespace sorvan
