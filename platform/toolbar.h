// The image list `iml` and the toolbar `tb` of the main window. Buttons are
// numbered from 1 in the order given, separators counted. A click on an
// enabled button that is not a separator raises tb_ButtonClick with the
// button's number in EventArgs::index (after the toolbar has finished its
// own event).
#pragma once
#include <string>
#include <vector>

namespace plat {

// ---- Image list ----
// Empties the list; icons are size x size pixels.
void ClearImageList(int size);
// Adds the icon of an .ico (or other image) file in program form; a missing
// or unreadable file gives a blank icon. Returns the new image's number (1..).
int AddImage(const std::string& path);
int ImageCount();
bool ImageIsBlank(int image);

// ---- Toolbar ----
enum class ToolbarStyle { Plain = 0, Check = 1, Separator = 3 };

struct ToolbarButton {
  std::string key;
  ToolbarStyle style = ToolbarStyle::Plain;
  int image = 0;        // image list number, 0 = none
  std::string tooltip;  // shown as the file holds it, "&" included
  bool enabled = true;
  int value = 0;        // -1 pressed, 0 released (check buttons)
};

// Replaces the toolbar by a new one with these buttons (shown or hidden as
// the previous one was; shown for the first one).
void BuildToolbar(const std::vector<ToolbarButton>& buttons);
// Its height in pixels, valid right after BuildToolbar.
int ToolbarHeight();
void ShowToolbar(bool visible);
bool ToolbarVisible();
int ToolbarButtonCount();
// Button `index` (1..count); throws std::out_of_range for other numbers.
ToolbarButton ToolbarButtonAt(int index);
void SetToolbarButtonEnabled(int index, bool enabled);
// The pressed value of a check button: -1 pressed, 0 released. Only the
// program changes it; a click does not toggle it by itself.
void SetToolbarButtonValue(int index, int value);
int ToolbarButtonValue(int index);

}  // namespace plat
