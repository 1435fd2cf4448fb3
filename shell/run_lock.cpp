// The menu bar locked during a long run (see run_lock.h).
#include "shell/run_lock.h"

#include "core/model.h"
#include "platform/menus.h"
#include "shell/menu_bar.h"
#include "shell/menu_state.h"

namespace sorvan {

void GrayMenuBarEntries() {
  if (G.MenuBarHandle == 0) return;
  for (const plat::MenuItemInfo& item : plat::MenuBarTree())
    if (!item.separator) plat::EnableMenuItem(G.MenuBarHandle, item.id, kPopupGrayed);
}

LongRunLock::LongRunLock() {
  if (G.LongRunActive != 0) return;
  owner_ = true;
  G.LongRunActive = 1;
  if (G.MenuBarHandle == 0) return;
  for (const plat::MenuItemInfo& item : plat::MenuBarTree()) {
    if (item.separator) continue;
    entries_.emplace_back(item.id, item.enabled);
    plat::EnableMenuItem(G.MenuBarHandle, item.id, kPopupGrayed);
  }
}

LongRunLock::~LongRunLock() {
  if (!owner_) return;
  G.LongRunActive = 0;
  if (G.MenuBarHandle == 0) return;
  for (const auto& [id, enabled] : entries_)
    plat::EnableMenuItem(G.MenuBarHandle, id, enabled ? kPopupEnabled : kPopupGrayed);
  // What the run changed (a fit made, a window closed) shows in the menus.
  if (IsSpectrumWindow(G.CurrentWindow)) UpdateMenuState(G.CurrentWindow);
}

}  // namespace sorvan
