// The event handlers of this subsystem, entered into the event registry.
#include "core/events.h"
#include "dialogs/background_polynomial_page.h"
#include "dialogs/block_choice_page.h"
#include "dialogs/element_table_page.h"
#include "dialogs/fit_background_page.h"
#include "dialogs/fit_finished_page.h"
#include "dialogs/fit_table_columns_page.h"
#include "dialogs/import_header_pages.h"
#include "dialogs/line_identification_page.h"
#include "dialogs/option_list_page.h"
#include "dialogs/page.h"
#include "dialogs/quantification_page.h"
#include "dialogs/spectrum_choice_page.h"
#include "dialogs/style_pages.h"
#include "dialogs/window_choice_page.h"
#include "dialogs/window_texts_page.h"

namespace sorvan {

void RegisterDialogEvents() {
  RegisterPageEvents();
  RegisterWindowChoiceEvents();
  RegisterSpectrumChoiceEvents();
  RegisterBlockChoiceEvents();
  RegisterImportHeaderEvents();
  RegisterFitFinishedPageEvents();
  RegisterBackgroundPolynomialPageEvents();
  RegisterFitBackgroundPageEvents();
  RegisterLineIdentificationEvents();
  RegisterOptionListPageEvents();
  RegisterStylePageEvents();
  RegisterQuantificationPageEvents();
  RegisterElementTablePageEvents();
  RegisterWindowTextsPageEvents();
  RegisterFitTableColumnsPageEvents();
}

}  // namespace sorvan
