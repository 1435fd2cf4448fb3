// The Transmission menu: the reference spectra of gold, silver and copper,
// the editor of the transmission function and its determination from
// reference-line intensities. Its import of a transmission function is an
// import of the File menu (OnImport, shell/menu_file.h). The rows of these
// commands are in shell/command_table.cpp.
#pragma once

namespace sorvan {

// Gold, silver and copper: the reference spectrum of `command` for the
// current window (processing/transmission.h).
void OnTransmissionReference(int command);
// The transmission editor (processing/transmission.h).
void OnEditTransmission(int command);
// The reference-intensity page (dialogs/transmission_pages.h).
void OnTransmissionFromLines(int command);

}  // namespace sorvan
