#pragma once
// Window placement for Qt windows: the settings-file section named after the
// window's class.

#include <QMargins>
#include <QString>

class QWidget;

namespace quoxa {

// Reads the placement of a window (every top-level window when form is null);
// an empty fileName means the settings file. Grids (QTableView) and list views
// (QTreeView) with an object name and no "Tag" property other than 0 get their
// column widths back.
void RestoreFormPlacement(QWidget* form, const QString& fileName = QString());

// Writes the placement; false when the settings file could not be written.
bool SaveFormPlacement(QWidget* form, const QString& fileName = QString());

// The frame the window manager draws around a top-level window; null while it is not framed.
QMargins WindowFrame(const QWidget* window);

// The section name of a window: its class name without namespace.
QString PlacementSection(const QWidget* form);

}  // namespace quoxa
