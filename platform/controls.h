// Controls created at run time on dialog windows, found by (dialog window,
// name, index) from anywhere. Index -1 is a single control; 0.. are the
// elements of a control array. Positions and sizes are client pixels of the
// dialog window, also for controls inside a frame. Setting a property from
// code never raises a click; only the user (or the test driver) does.
// A click raises "<name>_Click" with the element index in EventArgs::index.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/canvas.h"  // FontSpec, RgbColour

namespace plat {

// A call on a control that does not exist (page closed, wrong name or index).
class ControlError : public std::runtime_error {
 public:
  explicit ControlError(const std::string& what) : std::runtime_error(what) {}
};

constexpr int kNoIndex = -1;

enum class ControlKind {
  Label,          // caption text
  EditBox,        // one line of editable text
  TextBox,        // read-only text field, used as colour swatch or font sample
  CommandButton,  // raises <name>_Click
  CheckBox,       // Value 0/1, or 0/1/2 when three-state
  OptionButton,   // Value 0/1, exclusive within its frame or window
  Frame,          // group box holding other controls
  ListBox,        // items, single or multiple selection, optional check boxes and icons
  ProgressBar,    // Value clamped to minimum..maximum
};

const char* ControlKindName(ControlKind kind);

// Creates (or replaces) control name/index on dialog window n. `frame` names
// a frame (with frameIndex) that holds it; x and y stay window coordinates.
// A command button of zero width or height captioned "&y" is pressed by Alt+Y.
void CreateControl(int n, ControlKind kind, const std::string& name, int index, int x, int y,
                   int width, int height, const std::string& text,
                   const std::string& frame = "", int frameIndex = kNoIndex);
bool ControlExists(int n, const std::string& name, int index = kNoIndex);
void DeleteControl(int n, const std::string& name, int index = kNoIndex);

// Properties. Every call on a missing control throws ControlError.
void SetText(int n, const std::string& name, int index, const std::string& text);  // Text/Caption
std::string Text(int n, const std::string& name, int index = kNoIndex);
void SetValue(int n, const std::string& name, int index, double value);  // check/option/progress
double Value(int n, const std::string& name, int index = kNoIndex);
void SetEnabled(int n, const std::string& name, int index, bool enabled);
bool Enabled(int n, const std::string& name, int index = kNoIndex);
void SetVisible(int n, const std::string& name, int index, bool visible);
void SetForeColour(int n, const std::string& name, int index, int colour);
void SetBackColour(int n, const std::string& name, int index, int colour);
void SetControlFont(int n, const std::string& name, int index, const FontSpec& font);
// What SetBackColour, SetForeColour and SetControlFont gave the control
// (colours as 0x00BBGGRR; the font's name, size and attributes).
int BackColour(int n, const std::string& name, int index = kNoIndex);
FontSpec ControlFont(int n, const std::string& name, int index = kNoIndex);
// Gives the control the focus; an edit box also gets its whole text selected.
void SetFocusSelectAll(int n, const std::string& name, int index = kNoIndex);
// Enter presses the default button wherever the focus is, Esc the cancel
// button; the last button so marked wins.
void SetDefaultButton(int n, const std::string& name, int index = kNoIndex);
void SetCancelButton(int n, const std::string& name, int index = kNoIndex);
// Check boxes: allow Value 2 (grayed, "linked").
void SetThreeState(int n, const std::string& name, int index, bool threeState);
// Progress bars.
void SetProgressRange(int n, const std::string& name, int index, double minimum, double maximum);

// List boxes. Set the selection mode and check boxes before adding items.
// `icon` is an index into the toolbar's image list (1-based, 0 = none).
void SetListMultiSelect(int n, const std::string& name, int index, bool multi);
void SetListCheckable(int n, const std::string& name, int index, bool checkable);
void AddListItem(int n, const std::string& name, int index, const std::string& text, int icon = 0);
int ListCount(int n, const std::string& name, int index = kNoIndex);
std::string ListItem(int n, const std::string& name, int index, int item);
// The current item, -1 for none; setting it selects that item alone.
int ListIndex(int n, const std::string& name, int index = kNoIndex);
void SetListIndex(int n, const std::string& name, int index, int item);
bool ItemSelected(int n, const std::string& name, int index, int item);
void SetItemSelected(int n, const std::string& name, int index, int item, bool selected);
bool ItemChecked(int n, const std::string& name, int index, int item);
void SetItemChecked(int n, const std::string& name, int index, int item, bool checked);

// Text measurement in a control's own font, so that a page can fit a text
// to its control: the width of `text` on one line, and the room the control
// gives one line of text (its width less a check mark or the margins of a
// button or an entry field), both in pixels.
double ControlTextWidth(int n, const std::string& name, int index, const std::string& text);
double ControlTextRoom(int n, const std::string& name, int index = kNoIndex);
// True when the control cannot show its whole text: a label's text, wrapped
// at blanks, needs more lines than its height holds or a word wider than it;
// another control's text is wider than its room.
bool TextCut(int n, const std::string& name, int index = kNoIndex);

// Presses a command button, check box or option button as a user click does
// (changes the value, then raises the click). Fails on a disabled control.
void ClickControl(int n, const std::string& name, int index = kNoIndex);

// Read-back of a page for tests and diagnostics.
struct ControlInfo {
  ControlKind kind = ControlKind::Label;
  std::string name;
  int index = kNoIndex;
  std::string text;
  double value = 0;
  bool enabled = true;
  bool visible = true;
  int x = 0, y = 0, width = 0, height = 0;
  bool isDefault = false;
  bool isCancel = false;
  bool hasFocus = false;
  std::vector<std::string> items;          // list boxes
  std::vector<bool> selected;              // list boxes
  std::vector<bool> checked;               // list boxes with check boxes
};
// Controls of dialog window n in creation order.
std::vector<ControlInfo> Controls(int n);
// The dialog window that holds control name/index (innermost open window
// first), 0 when none.
int FindControlWindow(const std::string& name, int index = kNoIndex);

}  // namespace plat
