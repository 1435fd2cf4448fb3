// Numbered messages and information boxes, with their words from the
// language file. The answers of the questions go to G.MessageAnswer and
// G.InfoBoxAnswer (1 OK, 2 Cancel).
#pragma once

namespace sorvan {

// Shows numbered message `code` (1..10) about window `window`.
void ShowMessage(int code, int window);
// Shows information box `code` (11000 exit question, 11100, ...) about window `window`.
void ShowInfoBox(int code, int window);

}  // namespace sorvan
