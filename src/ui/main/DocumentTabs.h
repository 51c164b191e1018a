#pragma once
// The tab bar above the grids and the Window menu: one entry for each open document, the
// active one current. A single document shows no tab bar.

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QTabBar;
class QWidget;

namespace quoxa {

class TDocument;
class TDocumentCommands;

class TDocumentTabs : public QObject {
  Q_OBJECT

 public:
  // onClose closes the active document with its save question.
  TDocumentTabs(TDocumentCommands& documents, QMenu* windowMenu, QWidget* parent,
                std::function<void()> onClose);

  QTabBar* Bar() const { return bar_; }
  QMenu* WindowMenu() const { return menu_; }
  // Labels, tool tips, the current tab and the Window menu follow the documents. True when the
  // bar was shown or hidden (the window's layout changes).
  bool Refresh();

  // A document's label: its file name, marked while modified.
  static QString Label(const TDocument& doc);

 private:
  void FillMenu();

  TDocumentCommands& documents_;
  QTabBar* bar_;
  QMenu* menu_;
  QAction* next_;
  QAction* previous_;
  bool refreshing_ = false;
};

}  // namespace quoxa
