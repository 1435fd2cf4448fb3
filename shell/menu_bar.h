// The menu bar of the main window: its popups and items, their texts from
// the language texts, and the flags each item is built with.
#pragma once

namespace sorvan {

// The flag values of menu items (as the platform's menu functions take them).
inline constexpr int kItemEnabled = 0;
inline constexpr int kItemGrayed = 1;
inline constexpr int kItemChecked = 8;
inline constexpr int kPopupEnabled = 0x10;
inline constexpr int kPopupGrayed = 0x11;
inline constexpr int kSeparatorFlag = 0x800;

// The 28 popups, numbered in the order they are created; their handles are
// G.MenuPopupHandles[popup].
enum MenuPopup {
  PopupImport = 1,
  PopupFile,
  PopupBackground,
  PopupShiftScale,
  PopupWindowArithmetic,
  PopupProcessing,
  PopupNewFit,
  PopupFit,
  PopupSeries,
  PopupQuantification,
  PopupInformation,
  PopupLabels,
  PopupEnergyScale,
  PopupIntensityUnit,
  PopupDefaultPeakModel,
  PopupDefaultPeakRelation,
  PopupLanguage,
  PopupSatellites,
  PopupDecimalSign,
  PopupColumnSeparator,
  PopupDefaultErrorDisplay,
  PopupDefaultErrorMethod,
  PopupExportFormat,
  PopupOptions,
  PopupWindows,
  PopupHelp,
  PopupTransmissionReference,
  PopupTransmission,
};
inline constexpr int kMenuPopupCount = 28;

// The command numbers are compile-time constants (core/menu_commands.h);
// kept as the start-up step that would set them, it checks nothing and
// changes nothing.
void InitMenuCommandIds();
// Gives every menu flag its start value: group items grayed, the presetting
// items and the Language popup enabled, the decimal-sign and toolbar marks
// from the presetting (DecimalComma, ToolbarVisible).
void InitMenuItemFlags();
// Creates the popups and the bar from the current flags and language texts
// and makes the bar the main window's menu. Does not destroy an earlier bar.
void BuildMenuBar();
// Destroys the bar in MenuBarHandle with all its popups (before a rebuild).
void DestroyMenuBar();

}  // namespace sorvan
