// The command table: one row for every menu command and every toolbar
// action, holding what the program knows about it besides its menu text and
// its button's picture: its name, its menu, whether it acts on the current
// window, when it can be used, its toolbar action and its handler. The menu
// dispatcher, the toolbar dispatcher, the menu state, the menu bar and the
// toolbar read their facts from it, so that a command number is written out
// nowhere else (the numbers themselves are named in core/menu_commands.h).
#pragma once
#include <cstdint>
#include <span>

#include "core/menu_commands.h"

namespace sorvan {

// The top-level menu a command stands in. The handlers of a menu are in
// shell/menu_<menu>.cpp (menu_file.cpp, menu_processing.cpp, ...).
enum class CommandGroup {
  None,
  File,
  Processing,
  Fit,
  Series,
  Quantification,
  Information,
  Labels,
  Transmission,
  Options,
  Windows,
  Help,
};

// When a menu item or toolbar button can be used: the menu flag whose gray
// state grays it (see FlagOfEnabling, shell/menu_state.h).
enum class Enabling {
  Always,              // never grayed
  Window,              // WindowItemsFlag: a window is open
  Spectrum,            // SpectrumItemsFlag: the window is a single spectrum
  FileBlocks,          // FileBlocksItemFlag
  DepthProfile,        // DepthProfileItemFlag
  Revert,              // RevertItemFlag
  Paste,               // PasteItemFlag
  Satellite,           // SatelliteItemFlag
  EditPoints,          // EditPointsItemFlag (checked while points are edited)
  FitBackground,       // FitBackgroundItemFlag
  ErrorEstimate,       // ErrorEstimateItemFlag
  ErrorMatrix,         // ErrorMatrixItemFlag
  LineIdentification,  // LineIdentificationItemFlag
  EnergyAxis,          // EnergyAxisItemFlag
  IntensityAxis,       // IntensityAxisItemFlag
  Members,             // MemberItemsFlag
  Presetting,          // PresettingItemsFlag
  // PresettingItemsFlag as the bar is built; the menu state leaves the item
  // as it was built.
  PresettingWhenBuilt,
  // Only for a row's button: the button follows the item's rule.
  LikeItem,
};

// A handler runs one command; commands that pass their own number on to a
// page or a reader share one handler, which receives it.
using CommandHandler = void (*)(int command);

struct CommandRow {
  int command;               // its name in core/menu_commands.h; 0 for a toolbar action of its own
  CommandGroup group;        // its menu, and so the file of its handler
  bool actsOnCurrentWindow;  // refused while the current window is closed (RefusedForClosedWindow)
  Enabling enabling;         // of its menu item, and of its toolbar button unless `buttonEnabling` says
  int toolbarAction;         // 1..kToolbarActionCount; 0 without a button
  CommandHandler run;        // its steps, from the menu and (unless `runFromToolbar`) from the toolbar
  CommandHandler runFromToolbar = nullptr;    // the button's own steps, where they differ
  Enabling buttonEnabling = Enabling::LikeItem;  // the button's own rule, where it differs
};

// Every row, the menu commands in the order of the menu bar, then the
// toolbar actions that have no menu item.
std::span<const CommandRow> CommandTable();
// The row of menu command `command`; nullptr for a number the menu does not
// know (such a command does nothing).
const CommandRow* RowOfCommand(int command);
// The row of toolbar action a; nullptr outside 1..kToolbarActionCount.
const CommandRow* RowOfToolbarAction(int a);

// The group of a menu command number; None for a number the menu does not
// know.
CommandGroup GroupOfCommand(int command);
// True for the commands that act on the current window.
bool ActsOnCurrentWindow(int command);
// The rule of menu item `command`, and of the button of toolbar action a
// (Always for an unknown number).
Enabling ItemEnabling(int command);
Enabling ButtonEnabling(int a);
// True for the toolbar actions that run the steps of their menu command
// unchanged (see ToolbarActionAt(a).command).
bool RunsItsMenuCommand(int a);

}  // namespace sorvan
