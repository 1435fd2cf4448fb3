// The started program with small spectra placed in open windows, for the
// processing commands driven from the menu.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../display/display_fixture.h"
#include "../shell/shell_fixture.h"
#include "core/model.h"
#include "core/store.h"
#include "display/redraw.h"
#include "display/windows.h"
#include "shell/menu_state.h"

namespace processingtest {

class ProcessingMenu : public shelltest::ShellTest {
 protected:
  // Places `values` in window w (kinetic start e0, step s), opens it and
  // makes it current.
  void Place(int w, const std::vector<double>& values, double e0 = 500, double s = 1) {
    using namespace sorvan;
    const bool open = Win[w].WindowOpen;
    displaytest::PlaceSpectrum(w, values, e0, s);
    if (!open) {
      Win[w].WindowOpen = false;
      OpenSpectrumWindow(w, "window " + std::to_string(w));
    }
    RedrawWindow(w);
    G.CurrentWindow = static_cast<Byte>(w);
    UpdateMenuState(w);
  }
  static std::vector<double> Column(int w, int c) {
    using namespace sorvan;
    std::vector<double> y;
    for (int i = 1; i <= WindowPointCount(w); ++i) y.push_back(SlotData[w](i, c));
    return y;
  }
};

}  // namespace processingtest
