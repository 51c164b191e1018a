#pragma once
// The modal progress box of long operations. The loop runs in the caller; the
// box only shows the gauge and notices Cancel while events are processed.

#include <QDialog>

#include "core/Progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace quoxa {

class TProgressBoxForm : public QDialog, public IProgressView {
  Q_OBJECT

 public:
  TProgressBoxForm(const ProgressSpec& setup, QWidget* owner);

  void ShowGauge(int value) override;
  void ShowText(const std::string& text) override;
  void SetCancelEnabled(bool enabled) override;
  void ProcessEvents() override;
  bool CancelPressed() const override { return aborted_; }

  QPushButton* CancelButton() const { return cancel_; }
  QProgressBar* Bar() const { return bar_; }
  QLabel* TextLabel() const { return text_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  QLabel* text_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QPushButton* cancel_ = nullptr;
  bool aborted_ = false;
};

// Opens progress boxes over the active window.
class TQtProgressFactory : public IProgressFactory {
 public:
  std::unique_ptr<IProgressView> Open(const ProgressSpec& setup) override;
};

}  // namespace quoxa
