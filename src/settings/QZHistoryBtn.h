#pragma once
// A small drop-down button glued to the right edge of an edit: it keeps the
// edit's history in a settings section and offers it in a popup menu and on the
// Page Up, Page Down, Up and Down keys.

#include <QColor>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

#include <functional>

#include "settings/HistoryList.h"

class QMenu;

namespace quoxa {

class TQZHistoryBtn : public QToolButton {
  Q_OBJECT
 public:
  // Called with the text before it is added or put into the edit; may change it or refuse it.
  using TextHook = std::function<void(TQZHistoryBtn* sender, QString& text, bool& accept)>;

  explicit TQZHistoryBtn(QWidget* parent = nullptr);

  QColor ColorHistoryBack;
  QColor ColorHistoryText;
  QColor ColorHLHistoryBack;
  QColor ColorHLHistoryText;
  QString IniSection;
  TextHook OnAdd;
  TextHook OnSelect;

  THistoryList& History() { return history_; }
  const THistoryList& History() const { return history_; }
  QStringList Items() const;

  // Links the button to an edit of the same parent; refused with a message when
  // another history button of that parent already serves the edit.
  bool SetEdit(QLineEdit* edit);
  QLineEdit* Edit() const { return edit_; }

  // Reads the list from IniSection (fileName empty: the settings file); the edit shows entry 0.
  void Load(const QString& fileName = QString());
  // Writes the list; a failed write shows "Error writing <file>" and returns false.
  bool Save(const QString& fileName = QString());
  // A text confirmed in the edit (it lost the focus).
  void Add(const QString& text);
  // Pops the list up below the edit.
  void DropDown();
  // The entry chosen from the drop-down.
  void ChooseEntry(int index);
  // The popup menu of the last drop-down (nullptr before the first).
  QMenu* Menu() const { return menu_; }

  static constexpr int kButtonWidth = 18;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FollowEdit();
  bool HandleKey(int key);
  void PutIntoEdit(const QString& text);

  THistoryList history_;
  QPointer<QLineEdit> edit_;
  QMenu* menu_ = nullptr;
};

}  // namespace quoxa
