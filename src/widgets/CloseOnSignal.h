#pragma once
// Closes a window, as its close button does, when the process is asked to end
// (SIGTERM, SIGINT, SIGHUP): the save question and the settings run as usual.

#include <QObject>
#include <QPointer>
#include <QWidget>

class QSocketNotifier;

namespace quoxa {

class TCloseOnSignal : public QObject {
  Q_OBJECT
 public:
  explicit TCloseOnSignal(QWidget* window);
  // Puts the default handlers back.
  ~TCloseOnSignal() override;

 private:
  void SignalArrived();

  QPointer<QWidget> window_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace quoxa
