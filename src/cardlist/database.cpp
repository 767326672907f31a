#include "cardlist/database.h"

namespace vx {

void Check1_Click(FormState& state, Host& host) {
  (void)state;
  host.SetDatabaseFrameVisible(host.UseDatabaseTicked());
}

// Placeholder until "Browse" lands.
void Command2_Click(FormState&, Host&) {}

}  // namespace vx
