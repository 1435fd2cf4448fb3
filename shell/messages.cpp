// Numbered messages and information boxes (filled in with the shell).
#include "shell/messages.h"

namespace sorvan {

void ShowMessage(int, int) {}
void ShowInfoBox(int, int) {}

}  // namespace sorvan
