#pragma once
// The Bookmarks menu of the main window: its nine entries show the bookmark list, and its
// commands ask for bookmark files through the window's file dialog.

#include <QObject>

#include "core/Commands.h"

namespace quoxa {

class IDocumentHost;
class TMainMenu;

class TBookmarkMenu : public QObject {
  Q_OBJECT

 public:
  // Shows the list in menu's entries from now on.
  TBookmarkMenu(TMainMenu* menu, QObject* parent);
  ~TBookmarkMenu() override;

 private:
  void ShowEntries();

  TMainMenu* menu_;
};

// Runs Add, Remove, Remove all, Save to file, Load from file or Bookmark1 ... Bookmark9, asking
// host for the file names; false for any other command.
bool RunBookmarkCommand(IDocumentHost& host, Cmd cmd);

}  // namespace quoxa
