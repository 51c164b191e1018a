#pragma once
// Dialog units of a font and the placement rule shared by every dialog.

#include "widgets/DialogLayout.h"

#include <QRect>
#include <initializer_list>

class QFont;
class QWidget;

namespace quoxa {

// cw = average width of the 52 letters, ch = the font's character height.
DialogUnits DialogUnitsFor(const QFont& font);

// Centres the dialog over the active window, or on the screen when it would not fit.
void CenterOverActiveWindow(QWidget* dialog);

// A dialog-unit box as a widget geometry.
inline QRect ToRect(const Box& b) { return {b.x, b.y, b.w, b.h}; }

// Tab visits the widgets in this order (a container with its children); for dialogs whose
// controls are not created in the order they are laid out.
void SetTabChain(std::initializer_list<QWidget*> widgets);

// Half the width of the screen the dialog will appear on.
int HalfScreenWidth();

}  // namespace quoxa
