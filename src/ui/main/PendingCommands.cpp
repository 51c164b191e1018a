#include "ui/main/PendingCommands.h"

#include <algorithm>
#include <iterator>

namespace quoxa {

namespace {

constexpr Cmd kPending[] = {
    Cmd::ScriptEditor, Cmd::ScriptExecute,
};

}  // namespace

bool NotYetAvailable(Cmd cmd) { return std::find(std::begin(kPending), std::end(kPending), cmd) != std::end(kPending); }

bool CommandUsable(Cmd cmd) { return Commands().Enabled(cmd) && !NotYetAvailable(cmd); }

}  // namespace quoxa
