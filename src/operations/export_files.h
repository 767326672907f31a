#pragma once
// "Export…" and "Report…": the import file, or the job report, of the record
// in use (the card record of "Keep Record", and the shared record while it is
// connected), narrowed to the card-number file loaded, saved where the
// operator chooses. Nothing is sent to the device.

#include <string>

#include "operations/form_state.h"
#include "operations/host.h"

namespace vx {

// The export: asks for the layout, then where to save it.
void ExportFile_Click(FormState& state, Host& host);

// The job report, in the language `language` names (de, pt-BR ...): asks
// where to save it.
void ReportFile_Click(FormState& state, Host& host, const std::string& language);

}  // namespace vx
