// The page answers that set up a three-singlet fit of the C 1s region of the
// real sample: the Shirley background kept, three peaks with their limits and
// start values, Lorentz shares and asymmetries fixed. The caller answers the
// iteration page that follows.
#pragma once

#include "platform/driver.h"
#include "core/menu_commands.h"

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

}  // namespace shelltest
