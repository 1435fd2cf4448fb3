// The mouse: live position and buttons in client pixels of a spectrum window,
// pointer shapes, pointer placement, and the outline drag of a label.
// In test mode the driver sets the state that these calls return.
#pragma once

namespace plat {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

struct MouseState {
  int x = 0, y = 0;  // client pixels of the window asked about
  int buttons = 0;   // sum of kLeftButton, kRightButton, kMiddleButton
};
MouseState MouseStateIn(int w);
int MouseX(int w);
int MouseY(int w);
int MouseButtons();

enum class PointerShape { Standard, Cross, Wait };
// Pointer shape over spectrum window w (0: the whole application).
void SetPointerShape(int w, PointerShape shape);
PointerShape PointerShapeOf(int w);

// Moves the pointer to a screen point; the layer records the last point.
void MovePointer(int screenX, int screenY);
void LastPointerMove(int& screenX, int& screenY);

// Lets the user drag an outline of width x height, starting with its top-left
// corner at (startX, startY) in client pixels of window w, until the left
// button is released. Returns the outline's top-left corner at the drop.
void DragOutline(int w, int startX, int startY, int width, int height, int& dropX, int& dropY);

// Test mode: the state MouseStateIn and kin return (x, y are taken as client
// pixels of whichever window is asked about).
void SetTestMouseState(int x, int y, int buttons);

}  // namespace plat
