#include "ui/main/AppIcon.h"

// Resources of a static library are registered by name before first use.
static void InitIconResources() { Q_INIT_RESOURCE(icons); }

namespace quoxa {

QIcon ApplicationIcon() {
  static const bool registered = [] {
    InitIconResources();
    return true;
  }();
  (void)registered;
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/quoxa-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace quoxa
