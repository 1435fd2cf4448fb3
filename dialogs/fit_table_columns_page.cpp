// The fit table columns page (29x).
#include "dialogs/fit_table_columns_page.h"

#include <string>

#include "core/events.h"
#include "core/model.h"
#include "dialogs/page.h"
#include "platform/controls.h"

namespace sorvan {

namespace {

constexpr int kPage = 29;

std::string BoxName(int k) { return "chk29" + std::to_string(k); }

}  // namespace

void ShowFitTableColumnsPage() {
  G.DialogResult = 0;
  PageSpec spec;
  spec.dialogWindow = kPage;
  spec.width = 31;
  spec.height = 15;
  spec.caption = G.LabelTexts[47];
  spec.pointerGiven = true;
  spec.pointerX = 7.5;
  spec.pointerY = 11.6;
  const bool gaussLorentz = G.DefaultPeakModel == PeakModelGaussLorentz;
  RunPage(spec, [&] {
    const int n = kPage;
    PageButton(n, "cmdOk291", plat::kNoIndex, 1, 12, 13, 1.2, G.ButtonTexts[2], ButtonRole::Default);
    PageButton(n, "cmdCancel292", plat::kNoIndex, 16, 12, 13, 1.2, G.ButtonTexts[1], ButtonRole::Cancel);
    PageFrame(n, "frm291", plat::kNoIndex, 1, 1, 28, 9, G.LabelTexts[48]);
    const int texts[7] = {0, 37, gaussLorentz ? 38 : 42, 39, gaussLorentz ? 40 : 43, 41, 107};
    for (int k = 1; k <= 6; ++k)
      PageCheck(n, BoxName(k), plat::kNoIndex, 2, 2.5 + 1.2 * (k - 1), 25, 1, G.MessageTexts[texts[k]],
                G.FitTableColumns[k]);
  });
}

void cmdOk291_Click() {
  for (int k = 1; k <= 6; ++k) G.FitTableColumns[k] = plat::Value(kPage, BoxName(k)) != 0 ? 1 : 0;
  ClosePage(kPage, 1);
}

void cmdCancel292_Click() { ClosePage(kPage, 2); }

void RegisterFitTableColumnsPageEvents() {
  RegisterEvent("cmdOk291_Click", [](plat::EventArgs&) { cmdOk291_Click(); });
  RegisterEvent("cmdCancel292_Click", [](plat::EventArgs&) { cmdCancel292_Click(); });
}

}  // namespace sorvan
