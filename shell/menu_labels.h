// The Labels menu: the window texts page (dialogs/window_texts_page.h) in
// the mode of each command, for the title labels, the annotations, the
// energy and intensity axes and the members of a view. The rows of these
// commands are in shell/command_table.cpp.
#pragma once

namespace sorvan {

void OnEditAnnotations(int command);
// The title labels, the axes and the member labels and axis.
void OnWindowTexts(int command);

}  // namespace sorvan
