// The energies of the line list brought to the energy scale of the current
// window. Entries of a line file start with their energy; in the program's
// table an entry whose text holds "(" carries a kinetic energy, any other a
// binding energy, and a user's line file whose name holds "(" holds kinetic
// energies throughout.
#pragma once
#include <string>

namespace sorvan {

// The entry rewritten with the energy `energy` in front of the (at most 20)
// characters that follow its leading number (LeadingNumberLength).
std::string WithLeadingEnergy(const std::string& entry, double energy);

// Converts `LineList`(1..`ListEntryCount`) to the scale of `EnergyAxisMode`
// with hv the excitation energy of `CurrentWindow` (E := hv - E for the
// entries held in the other scale; whole eV for the program's table, the
// exact value for a user's file), then sorts the list: rising on the binding
// scale, falling on the kinetic scale (equal energies keep their order).
void ConvertLinePositions();

}  // namespace sorvan
