#include "ui/main/PendingCommands.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace quoxa {

namespace {

// Every command is available; the list stays for commands that are added before they work.
constexpr std::array<Cmd, 0> kPending{};

}  // namespace

bool NotYetAvailable(Cmd cmd) { return std::find(std::begin(kPending), std::end(kPending), cmd) != std::end(kPending); }

bool CommandUsable(Cmd cmd) { return Commands().Enabled(cmd) && !NotYetAvailable(cmd); }

}  // namespace quoxa
