// The Quantification menu: the quantification of chosen windows and the
// loading of sensitivity factors and transmission parameters. The rows of
// these commands are in shell/command_table.cpp.
#pragma once

namespace sorvan {

// The window choice, then the quantification page (dialogs/quantification_page.h)
// until its Cancel.
void OnQuantify(int command);
void OnLoadSensitivityFactors(int command);
void OnLoadTransmissionParameters(int command);

}  // namespace sorvan
