#pragma once
// Commands whose handlers do not exist yet. They stay disabled whatever the
// command table says; a command becomes usable by leaving this set.

#include "core/Commands.h"

namespace quoxa {

bool NotYetAvailable(Cmd cmd);

// Enabled as the user sees it: the table's state and not pending.
bool CommandUsable(Cmd cmd);

}  // namespace quoxa
