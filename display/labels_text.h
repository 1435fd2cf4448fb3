// Unit and tick labels of a single-spectrum window: the intensity unit with
// its prefix, the intensity title, and the texts of every tick.
#pragma once

namespace sorvan {

// Fills IntensityUnit and YAxisTitle of window w (when its intensity scale
// is shown) and the global tick texts YTickText and XTickText.
void MakeUnitAndTickLabels(int w);

}  // namespace sorvan
