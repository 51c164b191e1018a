#include "widgets/FixedFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <algorithm>

namespace quoxa {

QFont FixedFontFor(const QString& family, int pointSize) {
  // The name goes to fontconfig as it is: a Windows name such as "Courier New"
  // finds its metric-compatible stand-in (Liberation Mono) through the aliases.
  QFont font(family);
  font.setStyleHint(QFont::TypeWriter);
  if (!QFontInfo(font).fixedPitch()) {
    // Nothing stands in for the name: the system's fixed font, under the asked-for name.
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies(QStringList{family, font.family()});
  }
  font.setPointSize(std::max(1, pointSize));
  return font;
}

}  // namespace quoxa
