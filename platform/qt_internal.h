// Internal contract between the parts of the Qt back end of the platform
// layer (windows and controls on one side, drawing and printing on the
// other). Included only by platform/*.cpp; program code never sees it.
#pragma once
#include <string>

class QImage;
class QWidget;

namespace plat::detail {

// Windows side (forms): the backing image of spectrum window w (1..100), which
// holds its picture while it is covered; nullptr when the window is not open.
QImage* BackingImage(int window);
// Shows what was drawn into window w's backing image now (synchronous repaint).
void FlushWindow(int window);
// Drawing side (surfaces): closes the painter window w's canvas keeps open
// during a redraw; called before the backing image is replaced or dropped.
void ReleaseWindowPainter(int window);
// The main window (101) as owner of dialogs; nullptr before it is opened.
QWidget* MainWindowWidget();

// Test driver side: while a test script runs, the next scripted answer for a
// dialog of the given kind ("print", "printsetup", ...). Returns false when no
// script is active (the real dialog is shown then). When a script is active
// but its next step is not of this kind, the driver fails the test.
bool ScriptedAnswer(const std::string& kind, std::string& answer);

}  // namespace plat::detail
