// The two label sets of the spectrum windows (annotations and titles):
// placing a waiting label with a click and dragging a placed one.
#pragma once

namespace sorvan {

// Places the waiting annotation label, then the waiting title label, when
// window w is the window they wait for and the left button alone is down.
void PlacePendingLabels(int w);

// Mouse press on label control L (1..10000) of the annotation set
// (`title` false) or the title set: the label is dragged as an outline and
// its stored position converted from the drop point with the layout of its
// own window.
void DragLabel(bool title, int L);

// True while label k (1..100) of window w's annotation (or title) set waits
// for the click that places it: it has no position yet and is not shown.
bool LabelWaiting(int w, bool title, int k);

// Adds an empty label to window w's annotation (or title) set and returns
// its number k (1..100), or 0 when the window already holds 100 labels of
// that set; a label never takes a slot of the next window.
int AddWindowLabel(int w, bool title);

}  // namespace sorvan
