// The toolbar of the main window and its 69 actions: each action is a button
// with an icon that gives one command of the menu bar, or repeats the last
// choice made in one of its popups. Each action's row in the command table
// (shell/command_table.h) says what it does and when it can be used.
#pragma once
#include <cstdint>
#include <string>

namespace sorvan {

// The action whose button is a check button: point editing by mouse
// (CmdEditPointsByMouse).
inline constexpr int kEditPointsAction = 24;

struct ToolbarActionInfo {
  const char* key;  // button key and icon base name ("\icons\" + key + ".ico")
  char textArray;   // 'M' MenuTexts, 'L' LabelTexts
  int textIndex;
  int command;      // the menu command of its row; 0 for an action without a menu item
};

// Action a = 1..69; throws std::out_of_range for other numbers.
ToolbarActionInfo ToolbarActionAt(int a);
// The language text of action a as the language file holds it ("&" included).
std::string ToolbarActionLanguageText(int a);
// ToolbarActionText(1..69): the action's language text without its first "&".
void BuildToolbarActionTexts();
// The action whose button key is `key`; 0 when none.
int ToolbarActionOfKey(const std::string& key);
// The first action of each of the eight groups; a separator stands before
// each group once any button stands before it.
bool StartsToolbarGroup(int a);
// The menu flag whose gray state (1) disables the button of action a (the
// rule of its row), or nullptr for the actions that are never disabled.
const std::int32_t* GoverningFlag(int a);

// Creates the image list and the toolbar afresh from ToolbarButtonOfAction,
// ToolbarButtonSize, ToolbarVisible and the language texts; numbers the
// buttons (separators counted) into ToolbarButtonOfAction and ends with
// SyncToolbarButtons.
void BuildToolbar();
// Gives every button its tooltip, ToolbarTooltip(its index).
void SetToolbarTooltips();

// After a rebuild that may have shown, hidden or resized the toolbar (a
// presetting load, the toolbar page): the check mark of the toolbar item,
// ToolbarHeight and WorkAreaHeight follow ToolbarVisible, so that the height
// of a shown toolbar is taken off the work area exactly once.
void FollowToolbarVisibility();

}  // namespace sorvan
