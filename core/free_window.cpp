#include "core/free_window.h"

#include "core/messages.h"
#include "core/model.h"

namespace sorvan {

int LowestFreeWindow() {
  int w = 1;
  while (Win[w].WindowOpen && w < kMaxWindows) ++w;
  if (Win[kMaxWindows].WindowOpen && w == kMaxWindows) w = kMaxWindows + 1;
  return w;
}

bool RefuseWhenNoFreeWindow(int w) {
  if (w < kMainWindowNumber) return false;
  G.CommandId = 1;
  ShowMessage(G.CommandId, w);
  return true;
}

}  // namespace sorvan
