#include "ui/main/StatusPanels.h"

#include <QLabel>

#include "ui/main/ViewTexts.h"

namespace quoxa {

TStatusPanels::TStatusPanels(QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(true);
  for (int i = 0; i < kPanelCount; ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(3, 0, 3, 0);
    label->setTextFormat(Qt::PlainText);
    panels_[static_cast<size_t>(i)] = label;
    addWidget(label, i == kPanelCount - 1 ? 1 : 0);
  }
  SetPanelWidths();
}

void TStatusPanels::SetPanelText(int panel, const std::string& text) {
  if (panel < 0 || panel >= kPanelCount) return;
  panels_[static_cast<size_t>(panel)]->setText(QString::fromStdString(text));
}

std::string TStatusPanels::PanelText(int panel) const {
  if (panel < 0 || panel >= kPanelCount) return {};
  return panels_[static_cast<size_t>(panel)]->text().toStdString();
}

int TStatusPanels::PanelWidth(int panel) const {
  const QLabel* label = panels_[static_cast<size_t>(panel)];
  return label->contentsRect().width();
}

void TStatusPanels::ShowTransient(const std::string& text) {
  showMessage(QString::fromStdString(text), kTransientMs);
}

void TStatusPanels::FitAddressPanel(int64_t lastAddress) {
  if (AddressPanelSample(lastAddress) != addressSample_) SetPanelWidths(lastAddress);
}

void TStatusPanels::SetPanelWidths(int64_t lastAddress) {
  addressSample_ = AddressPanelSample(lastAddress);
  const std::string samples[] = {addressSample_, CharPanelSample(), ModePanelSample()};
  for (int i = 0; i < 3; ++i) {
    QLabel* label = panels_[static_cast<size_t>(i)];
    const int text = label->fontMetrics().horizontalAdvance(QString::fromStdString(samples[i]));
    const QMargins margins = label->contentsMargins();
    label->setFixedWidth(text + 10 + margins.left() + margins.right() + 2 * label->frameWidth());
  }
}

}  // namespace quoxa
