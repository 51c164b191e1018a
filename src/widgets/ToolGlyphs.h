#pragma once
// The tool bar's glyphs, drawn as vector shapes so that they stay sharp at every
// size and pixel density.

#include <QIcon>
#include <QString>

namespace quoxa {

// Glyph by resource name: "NEW", "OPEN", "SAVE", "DELETE", "CUT", "COPY", "PASTE",
// "FIND", "REPLACE", "PROPERT", "INFO", "WHATS". An unknown name gives an empty icon.
QIcon ToolGlyph(const QString& name);

}  // namespace quoxa
