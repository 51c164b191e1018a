#pragma once
// The main window's menu bar and tool bar, built from one table, with every
// action mirroring the command table's enabled and checked state.

#include <QObject>
#include <QString>
#include <functional>
#include <map>

#include "core/Commands.h"
#include "ui/main/MenuRules.h"

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace quoxa {

class TMainMenu : public QObject {
  Q_OBJECT

 public:
  // Builds the menus into menuBar and the buttons into toolBar; triggered actions go to onCommand.
  TMainMenu(QWidget* window, QMenuBar* menuBar, QToolBar* toolBar, std::function<void(Cmd)> onCommand);

  // The menu item or tool button of a command (the submenu's own action for a submenu).
  QAction* Action(Cmd cmd) const;
  QMenu* Menu(MenuId id) const;
  QMenu* SubMenu(Cmd cmd) const;
  // Hint shown in status panel 3 for a command.
  QString Hint(Cmd cmd) const;

  // Copies the command table's state of one or all commands onto the actions.
  void Mirror(Cmd cmd);
  void MirrorAll();

 private:
  QAction* AddItem(QMenu* menu, Cmd cmd, const char* caption, const QKeySequence& shortcut, const char* hint,
                   bool checkable = false);
  QMenu* AddSubMenu(QMenu* menu, Cmd cmd, const char* caption, const char* hint);
  QAction* AddButton(QToolBar* toolBar, Cmd cmd, const char* glyph, const char* hint);
  void BuildMenus(QMenuBar* menuBar);
  void BuildToolBar(QToolBar* toolBar);

  QWidget* window_;
  std::function<void(Cmd)> onCommand_;
  std::map<Cmd, QAction*> actions_;
  std::map<Cmd, QMenu*> subMenus_;
  std::map<MenuId, QMenu*> menus_;
};

}  // namespace quoxa
