#pragma once
// Help topics by number: the help window installs itself here, every Help button calls it.

#include <functional>

namespace quoxa {

void InstallHelp(std::function<void(int topic)> show);
// Shows the topic; does nothing while no help viewer is installed.
void ShowHelpTopic(int topic);

}  // namespace quoxa
