#pragma once
// Acts on the next modal dialog once it is shown, for Qt tests of code that calls exec().

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace quoxa::test {

// Runs action on the next modal widget (other than `except`) as soon as it appears.
inline void OnNextModal(std::function<void(QWidget*)> action, QWidget* except = nullptr) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, action, except] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == except || !modal->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    action(modal);
  });
  timer->start();
}

}  // namespace quoxa::test
