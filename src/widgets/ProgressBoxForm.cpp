#include "widgets/ProgressBoxForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "widgets/DialogLayout.h"
#include "widgets/DialogPlacement.h"

namespace quoxa {

TProgressBoxForm::TProgressBoxForm(const ProgressSpec& setup, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
  setWindowTitle(QString::fromStdString(setup.caption));
  setWindowModality(Qt::ApplicationModal);
  const DialogUnits du = DialogUnitsFor(font());
  const bool withText = !setup.text.empty();
  const ProgressLayout layout = LayoutProgressBox(du, withText, du.ch, setup.withCancel);
  setFixedSize(layout.clientW, layout.clientH);

  if (withText) {
    text_ = new QLabel(this);
    text_->setTextFormat(Qt::PlainText);
    text_->setObjectName("Text");
    text_->setGeometry(ToRect(layout.text));
    text_->setText(QString::fromStdString(setup.text));
  }
  bar_ = new QProgressBar(this);
  bar_->setObjectName("Gauge");
  bar_->setGeometry(ToRect(layout.bar));
  bar_->setTextVisible(setup.gauge);
  if (setup.gauge) {
    bar_->setRange(TProgressBox::kGaugeMin, TProgressBox::kGaugeMax);
    bar_->setValue(TProgressBox::kGaugeMin);
  } else {
    bar_->setRange(0, 0);  // a plain moving bar: no percentage to show
  }
  if (setup.withCancel) {
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName("Cancel");
    cancel_->setGeometry(ToRect(layout.cancel));
    connect(cancel_, &QPushButton::clicked, this, [this] { aborted_ = true; });
  }
  CenterOverActiveWindow(this);
  show();
  QApplication::processEvents();
}

void TProgressBoxForm::ShowGauge(int value) { bar_->setValue(value); }

void TProgressBoxForm::ShowText(const std::string& text) {
  if (text_ != nullptr) text_->setText(QString::fromStdString(text));
}

void TProgressBoxForm::SetCancelEnabled(bool enabled) {
  if (cancel_ != nullptr) cancel_->setEnabled(enabled);
}

void TProgressBoxForm::ProcessEvents() { QApplication::processEvents(); }

void TProgressBoxForm::closeEvent(QCloseEvent* event) { event->ignore(); }

void TProgressBoxForm::reject() {
  // Esc works like Cancel; the box itself closes only when its operation ends.
  if (cancel_ != nullptr && cancel_->isEnabled()) aborted_ = true;
}

std::unique_ptr<IProgressView> TQtProgressFactory::Open(const ProgressSpec& setup) {
  return std::make_unique<TProgressBoxForm>(setup, QApplication::activeWindow());
}

}  // namespace quoxa
