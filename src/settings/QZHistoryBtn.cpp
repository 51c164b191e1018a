#include "settings/QZHistoryBtn.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "core/Messages.h"
#include "core/TextFormat.h"
#include "settings/IniFile.h"
#include "settings/SettingsPath.h"
#include "settings/SettingsTexts.h"

namespace quoxa {

namespace {

std::string IniPath(const QString& fileName) {
  return fileName.isEmpty() ? SettingsFilePath() : fileName.toStdString();
}

}  // namespace

TQZHistoryBtn::TQZHistoryBtn(QWidget* parent) : QToolButton(parent) {
  const QPalette pal = QApplication::palette();
  ColorHistoryBack = pal.color(QPalette::Button);
  ColorHistoryText = pal.color(QPalette::ButtonText);
  ColorHLHistoryBack = pal.color(QPalette::Highlight);
  ColorHLHistoryText = pal.color(QPalette::HighlightedText);
  setArrowType(Qt::DownArrow);
  setFocusPolicy(Qt::NoFocus);
  setFixedWidth(kButtonWidth);
  setToolTip("History");
  connect(this, &QToolButton::clicked, this, &TQZHistoryBtn::DropDown);
}

QStringList TQZHistoryBtn::Items() const {
  QStringList items;
  for (const auto& item : history_.Items) items << QString::fromStdString(item);
  return items;
}

bool TQZHistoryBtn::SetEdit(QLineEdit* edit) {
  if (edit == edit_) return true;
  if (edit != nullptr && edit->parentWidget() != nullptr) {
    for (auto* other : edit->parentWidget()->findChildren<TQZHistoryBtn*>(Qt::FindDirectChildrenOnly)) {
      if (other != this && other->Edit() == edit) {
        std::string text = FormatMsgS(msg::kAlreadyLinked, edit->objectName().toStdString());
        ShowError(FormatMsgS(text, other->objectName().toStdString()));
        return false;
      }
    }
  }
  if (edit_ != nullptr) edit_->removeEventFilter(this);
  edit_ = edit;
  if (edit_ == nullptr) return true;
  if (parentWidget() != edit_->parentWidget()) setParent(edit_->parentWidget());
  edit_->installEventFilter(this);
  FollowEdit();
  show();
  return true;
}

void TQZHistoryBtn::FollowEdit() {
  if (edit_ == nullptr) return;
  const QRect r = edit_->geometry();
  setGeometry(r.x() + r.width(), r.y(), kButtonWidth, r.height());
}

void TQZHistoryBtn::Load(const QString& fileName) {
  if (IniSection.isEmpty()) return;
  history_.Load(TIniFile(IniPath(fileName)), IniSection.toStdString());
  if (edit_ != nullptr && !history_.Items.empty()) edit_->setText(QString::fromStdString(history_.Items.front()));
}

bool TQZHistoryBtn::Save(const QString& fileName) {
  if (IniSection.isEmpty()) return true;
  TIniFile ini(IniPath(fileName));
  if (history_.Save(ini, IniSection.toStdString())) return true;
  ShowError(FormatMsgS(msg::kErrorWritingIni, ini.Path()));
  return false;
}

void TQZHistoryBtn::Add(const QString& text) {
  QString value = text;
  bool accept = !value.isEmpty();
  if (OnAdd) OnAdd(this, value, accept);
  if (!accept) return;
  history_.Add(value.toStdString());
}

void TQZHistoryBtn::DropDown() {
  if (edit_ == nullptr || !edit_->isEnabled()) return;
  edit_->setFocus(Qt::OtherFocusReason);
  history_.Tidy();
  if (menu_ == nullptr) menu_ = new QMenu(this);
  menu_->clear();
  menu_->setFont(edit_->font());
  menu_->setStyleSheet(QString("QMenu { background: %1; border: 1px solid palette(shadow); }"
                               "QMenu::item { background: %1; color: %2; padding: 1px 0px; }"
                               "QMenu::item:selected { background: %3; color: %4; }")
                           .arg(ColorHistoryBack.name(), ColorHistoryText.name(), ColorHLHistoryBack.name(),
                                ColorHLHistoryText.name()));
  // As wide as the edit at least, never wider than the dialog.
  const int maxWidth = std::max(edit_->width(), window()->width());
  const QFontMetrics metrics(edit_->font());
  for (size_t i = 0; i < history_.Items.size(); ++i) {
    QString caption = " " + QString::fromStdString(history_.Items[i]) + " ";
    caption.replace('\t', ' ');
    caption = metrics.elidedText(caption, Qt::ElideRight, maxWidth - 8);
    caption.replace("&", "&&");
    QAction* action = menu_->addAction(caption);
    action->setObjectName(QString("_M%1").arg(i));
    const int index = static_cast<int>(i);
    connect(action, &QAction::triggered, this, [this, index] { ChooseEntry(index); });
  }
  menu_->setMinimumWidth(edit_->width());
  menu_->setMaximumWidth(maxWidth);
  if (!history_.Items.empty()) menu_->popup(edit_->mapToGlobal(QPoint(0, edit_->height())));
}

void TQZHistoryBtn::ChooseEntry(int index) {
  if (index < 0 || index >= static_cast<int>(history_.Items.size())) return;
  QString text = QString::fromStdString(history_.Items[static_cast<size_t>(index)]);
  bool accept = true;
  if (OnSelect) OnSelect(this, text, accept);
  if (!accept) return;
  history_.Choose(index);
  if (edit_ == nullptr) return;
  edit_->setFocus(Qt::OtherFocusReason);
  PutIntoEdit(text);
}

void TQZHistoryBtn::PutIntoEdit(const QString& text) {
  edit_->setText(text);
  edit_->selectAll();
}

bool TQZHistoryBtn::HandleKey(int key) {
  const std::string current = edit_->text().toStdString();
  int index = -1;
  switch (key) {
    case Qt::Key_PageUp: index = 0; break;
    case Qt::Key_PageDown: index = static_cast<int>(history_.Items.size()) - 1; break;
    case Qt::Key_Down: index = history_.NextIndex(current); break;
    case Qt::Key_Up: index = history_.PreviousIndex(current); break;
    default: return false;
  }
  if (index < 0) return false;
  QString text = QString::fromStdString(history_.Items[static_cast<size_t>(index)]);
  bool accept = true;
  if (OnSelect) OnSelect(this, text, accept);
  if (accept) PutIntoEdit(text);
  return true;
}

bool TQZHistoryBtn::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) return QToolButton::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
      FollowEdit();
      break;
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      const bool ours = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down;
      if (!ours || history_.Items.empty()) break;
      // The edit's own handling comes first; the key is consumed here.
      static_cast<QObject*>(edit_.data())->event(event);
      HandleKey(key);
      return true;
    }
    case QEvent::FocusOut: {
      // A popup (our own drop-down) or another application taking the focus is no confirmation.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) break;
      static_cast<QObject*>(edit_.data())->event(event);
      Add(edit_->text());
      return true;
    }
    default:
      break;
  }
  return QToolButton::eventFilter(watched, event);
}

}  // namespace quoxa
