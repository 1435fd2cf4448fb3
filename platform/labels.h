// The label arrays of the spectrum windows: `beschlb` (annotations) and
// `titellb` (titles). Element L = (w-1)*100 + k (1..10000) lies on spectrum
// window w = (L-1)/100 + 1. A mouse press on a label raises
// beschlb_MouseDown / titellb_MouseDown with L, button, shift, x, y.
#pragma once
#include <string>
#include <vector>

#include "platform/canvas.h"  // FontSpec, RgbColour

namespace plat {

enum class LabelArray { Annotation, Title };  // beschlb, titellb

struct LabelSpec {
  std::string text;
  int left = 0, top = 0, width = 0, height = 0;  // client pixels of the window
  int foreColour = 0;
  int backColour = 0xFFFFFF;
  bool transparent = true;
  FontSpec font;
  bool visible = true;
};

// Creates element L, or replaces what it shows. Fails (std::out_of_range)
// when L is outside 1..10000 or its window is not open.
void SetLabel(LabelArray array, int L, const LabelSpec& spec);
void DeleteLabel(LabelArray array, int L);
// Removes every label of window w (both arrays); closing a window does this.
void DeleteWindowLabels(int w);
bool LabelExists(LabelArray array, int L);
LabelSpec Label(LabelArray array, int L);
// Existing elements of the array, ascending.
std::vector<int> LabelIndices(LabelArray array);
const char* LabelArrayName(LabelArray array);  // "beschlb" / "titellb"

}  // namespace plat
