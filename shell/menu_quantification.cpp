// The Quantification menu (see shell/menu_quantification.h).
#include "shell/menu_quantification.h"

#include "core/model.h"
#include "core/reference_files.h"
#include "dialogs/quantification.h"
#include "dialogs/quantification_page.h"
#include "dialogs/window_choice_page.h"

namespace sorvan {

// The window choice, then the quantification page again and again until its
// Cancel: every other answer shows it once more (recomputed after OK, the
// next group after cmd216).
void OnQuantify(int) {
  G.ExcludedWindow = 0;
  ShowWindowChoicePage(G.ExcludedWindow, G.MessageTexts[78]);
  if (G.ChosenWindowCount == 0 || G.DialogResult == 2) return;
  TakeChosenWindowsForQuantification();
  G.DialogResult = 0;
  do {
    ShowQuantificationPage();
  } while (G.DialogResult != 2);
}

void OnLoadSensitivityFactors(int) { LoadSensitivityFactors(); }

void OnLoadTransmissionParameters(int) { LoadTransmissionParameters(); }

}  // namespace sorvan
