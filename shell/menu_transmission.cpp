// The Transmission menu (see shell/menu_transmission.h).
#include "shell/menu_transmission.h"

#include "core/model.h"
#include "dialogs/transmission_pages.h"
#include "processing/transmission.h"

namespace sorvan {

void OnTransmissionReference(int command) { RunTransmissionReferenceCommand(command); }

void OnEditTransmission(int) { RunEditTransmissionCommand(); }

void OnTransmissionFromLines(int) { ShowReferenceIntensityPage(G.CurrentWindow); }

}  // namespace sorvan
