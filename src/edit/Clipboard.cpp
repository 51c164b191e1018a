#include "edit/Clipboard.h"

namespace quoxa {

namespace {
IClipboard* installedClipboard = nullptr;
}

void InstallClipboard(IClipboard* clipboard) { installedClipboard = clipboard; }

IClipboard* InstalledClipboard() { return installedClipboard; }

}  // namespace quoxa
