#include "core/Help.h"

#include <utility>

namespace quoxa {

namespace {
std::function<void(int)> helpViewer;
}

void InstallHelp(std::function<void(int topic)> show) { helpViewer = std::move(show); }

void ShowHelpTopic(int topic) {
  if (helpViewer) helpViewer(topic);
}

}  // namespace quoxa
