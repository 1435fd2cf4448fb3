// The page answers that set up a three-singlet fit of the C 1s region of the
// real sample: the Shirley background kept, three peaks with their limits and
// start values, Lorentz shares and asymmetries fixed. The caller answers the
// iteration page that follows.
#pragma once

#include <string>

#include "core/model.h"
#include "platform/driver.h"
#include "core/menu_commands.h"
#include "platform/mouse.h"

namespace shelltest {

inline void EnterThreeSingletsOnTheFitPages(const char* widthUpperOfPeak3 = "4") {
  namespace script = plat::script;
  script::Click("cmd13");
  plat::driver::ChooseMenu(2130);
  script::SetText("ed111", -1, "3");
  script::Click("cmdOk111");
  const char* lower[5] = {"0", "0", "278", "0.3", "-0.5"};
  const char* upper[5] = {"10000", "1", "290", "4", "0.5"};
  for (int cell = 0; cell < 15; ++cell) {
    script::SetText("ed121", cell, lower[cell % 5]);
    script::SetText("ed122", cell, cell == 13 ? widthUpperOfPeak3 : upper[cell % 5]);
  }
  script::Click("cmdOk121");
  const char* start[3][5] = {{"800", "0.3", "282.5", "1.2", "0"},
                             {"150", "0.3", "284.2", "1.5", "0"},
                             {"80", "0.3", "286.5", "1.5", "0"}};
  for (int p = 0; p < 3; ++p) {
    for (int k = 0; k < 5; ++k) script::SetText("ed141", 5 * p + k, start[p][k]);
    script::SetValue("chk141", 5 * p + 1, 1);
    script::SetValue("chk141", 5 * p + 4, 1);
  }
  script::Click("cmdOk141");
}

// The iteration page answered with 100 iterations in 3 rounds, then the fit
// finished on the page that follows it.
inline void IterationPageAndDone() {
  namespace script = plat::script;
  script::SetText("ed161", -1, "100");
  script::SetText("ed162", -1, "3");
  script::Click("cmdOk161");
  script::Click("cmdCancel242");
}

// The three singlets fitted through the menu until the fit has settled,
// then the error estimate with its peak error page.
inline void FitThreePeaksWithErrors() {
  namespace script = plat::script;
  EnterThreeSingletsOnTheFitPages();
  IterationPageAndDone();
  plat::driver::ChooseMenu(sorvan::CmdNewFitSinglets);
  IterationPageAndDone();
  plat::driver::ChooseMenu(sorvan::CmdRunFit);
  script::Click("cmdOk321");  // the peak error page that follows the estimate
  plat::driver::ChooseMenu(sorvan::CmdEstimateErrors);
}

// A label of `command`'s set (annotations or title labels) typed on the
// texts page and placed with a click into window w.
inline void AddLabel(int w, int command, const std::string& text, int x, int y) {
  namespace script = plat::script;
  const sorvan::WindowRecord& win = sorvan::Win[w];
  const int next = (command == sorvan::CmdEditTitleLabels ? win.TitleLabelCount : win.AnnotationCount) + 1;
  script::SetText("ed221", next, text);
  script::Click("cmdOk221");
  plat::driver::ChooseMenu(command);
  plat::driver::MouseDown(w, x, y, plat::kLeftButton);
}

}  // namespace shelltest
