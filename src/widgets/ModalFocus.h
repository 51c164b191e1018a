#pragma once
// Puts the activation back after a modal window closes. Under X11 the window manager may
// focus the main window while a modal box still blocks it; Qt then hands the activation to
// the box, the box goes, and no window is active: keys still reach the focused widget, but
// no shortcut works until the user clicks. This filter, installed on the application, makes
// the remaining modal window, else the closed window's owner, else the main window active
// again, and gives the main window's keyboard focus to the widget named by focusMain. A key
// that still finds no window active makes its own window the active one.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace quoxa {

class TModalFocus : public QObject {
  Q_OBJECT

 public:
  TModalFocus(QWidget* mainWindow, std::function<QWidget*()> focusMain);
  ~TModalFocus() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Restore();

  QPointer<QWidget> main_;
  std::function<QWidget*()> focusMain_;
  QPointer<QWidget> owner_;
  bool pending_ = false;
};

}  // namespace quoxa
