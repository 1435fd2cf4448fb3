// The event handlers of this subsystem, entered into the event registry.
#include "core/events.h"
#include "report/export_table.h"
#include "report/print_pages.h"

namespace sorvan {

void RegisterReportEvents() {
  RegisterPrintPageEvents();
  RegisterExportPageEvents();
}

}  // namespace sorvan
