#pragma once
// The fixed-pitch font of the grids and of every text shown in columns.

#include <QFont>
#include <QString>

namespace quoxa {

// The font of that family at that size; a family the system lacks gives the system's fixed
// font under the asked-for name.
QFont FixedFontFor(const QString& family, int pointSize);

}  // namespace quoxa
