// The Labels menu (see shell/menu_labels.h).
#include "shell/menu_labels.h"

#include "core/model.h"
#include "dialogs/window_texts_page.h"

namespace sorvan {

void OnEditAnnotations(int command) {
  G.CommandId = static_cast<Int16>(command);
  ShowWindowTextsPage(G.CurrentWindow);
}

void OnWindowTexts(int command) {
  // These pages keep a copy for their Cancel, taken when they open
  // without an answer pending.
  G.CommandId = static_cast<Int16>(command);
  G.DialogResult = 0;
  ShowWindowTextsPage(G.CurrentWindow);
}

}  // namespace sorvan
