#pragma once
// The program's own icon (data/icons), for every window and the desktop entry.

#include <QIcon>

namespace quoxa {

// The icon in all its sizes (16 to 256 pixels).
QIcon ApplicationIcon();

}  // namespace quoxa
