// Stand-ins for the window side of the Qt back end, used only until that side
// is linked in: weak definitions, so the real ones take precedence.
#include "platform/qt_internal.h"

namespace plat::detail {

__attribute__((weak)) QImage* BackingImage(int) { return nullptr; }
__attribute__((weak)) void FlushWindow(int) {}
__attribute__((weak)) QWidget* MainWindowWidget() { return nullptr; }
__attribute__((weak)) bool ScriptedAnswer(const std::string&, std::string&) { return false; }

}  // namespace plat::detail
