#pragma once
// Closes a window, as its close button does, when the process is asked to end (SIGTERM,
// SIGINT, SIGHUP; one ignored when the program started stays ignored). A running command is
// never interrupted: the signal is noted for the core (StopSignal.h), which cancels the command
// as its Cancel button would; the window closes once the command has ended, so that nothing is
// written while it is half done.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

class QDialog;
class QSocketNotifier;
class QTimer;

namespace quoxa {

class TCloseOnSignal : public QObject {
  Q_OBJECT
 public:
  explicit TCloseOnSignal(QWidget* window);
  // Puts the default handlers back.
  ~TCloseOnSignal() override;

 private:
  void SignalArrived();
  // Closes the window when no command runs; else cancels a dialog that waits and tries again.
  void TryClose();
  void CancelWaitingDialog();

  QPointer<QWidget> window_;
  QSocketNotifier* notifier_ = nullptr;
  QTimer* retry_ = nullptr;
  // Each dialog is cancelled once: one that stays open is left to the user.
  QList<QPointer<QDialog>> cancelled_;
  QList<int> handled_;
  bool closing_ = false;
};

}  // namespace quoxa
