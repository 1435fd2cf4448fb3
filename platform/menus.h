// The main window's menu bar, built from popups as the program describes it:
// handles, appended items with flags, enable and check by command number.
// Choosing an enabled item raises Form_MenuEvent with the command number in
// EventArgs::command (after the menu has finished its own event).
#pragma once
#include <string>
#include <vector>

namespace plat {

constexpr int kMenuEnabled = 0;
constexpr int kMenuGrayed = 0x1;
constexpr int kMenuChecked = 0x8;
constexpr int kMenuPopup = 0x10;      // the id is then the popup's handle
constexpr int kMenuSeparator = 0x800;  // id 0, no text

// A new empty menu (a popup or a bar); handles are never command numbers.
int CreatePopupMenu();
int CreateMenu();
// Appends an item; "&" marks the mnemonic. False for an unknown menu handle.
bool AppendMenu(int menu, int flags, int id, const std::string& text);
// Makes `bar` the main window's menu bar.
void SetMenu(int bar);
// Destroys the menu and all its popups; when it is the bar, the main window
// gets a fresh empty bar. Deletion is deferred, so this is safe inside a
// menu event.
void DestroyMenu(int menu);
// Enables (flag bit 1 clear) or grays (bit 1 set) the item with this command
// number or popup handle, searching the whole tree below `menu`. Returns the
// previous flags, -1 (and does nothing) for an unknown id.
int EnableMenuItem(int menu, int idOrHandle, int flags);
// Sets (8) or clears (0) the check mark of the item with this command number
// below `menu`. Returns the previous flags, -1 for an unknown id.
int CheckMenuItem(int menu, int id, int flags);
// The current bar's handle, 0 when none.
int CurrentMenuBar();

// Read-back of a menu tree.
struct MenuItemInfo {
  std::string text;
  int id = 0;  // command number, or the popup's handle
  bool enabled = true;
  bool checked = false;
  bool separator = false;
  bool popup = false;
  std::vector<MenuItemInfo> children;
};
std::vector<MenuItemInfo> MenuTree(int menu);
// The current bar's tree.
std::vector<MenuItemInfo> MenuBarTree();

}  // namespace plat
