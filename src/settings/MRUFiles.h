#pragma once
// The recently used files as menu entries ("&Reopen"): entries "&1 path" ...,
// clicked entries move to the top, the list lives in the settings file.

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "settings/RecentList.h"


namespace quoxa {

class TMRUFiles : public QObject {
  Q_OBJECT
 public:
  explicit TMRUFiles(QObject* parent = nullptr);
  // Saves the list (errors are ignored).
  ~TMRUFiles() override;

  // The name that stands for the settings file.
  static constexpr const char* kAppIniName = "<AppIniName>";

  QString IniFile = kAppIniName;
  QString IniSection = "MRU Files";  // empty: the list is neither read nor written

  TRecentList& List() { return list_; }
  const TRecentList& List() const { return list_; }

  // Entries go into this submenu (the menu item's own menu).
  void SetFileMenu(QMenu* submenu);
  // Entries go after this separator of parentMenu.
  void SetFileMenuSeparator(QMenu* parentMenu, QAction* separator);

  void AddFile(const QString& path);
  void SetFileCount(int count);
  int FileCount() const { return list_.FileCount; }

  // Reads the list from IniSection; errors leave what was read so far.
  void Load();
  void Save();

  // Rebuilds the menu entries from the list.
  void RebuildMenu();
  // What a click on entry index does: MRUItemClick, then the entry moves to the top.
  void ClickEntry(int index);

 signals:
  void MRUItemClick(const QString& fileName);

 private:
  std::string IniPath() const;
  QMenu* TargetMenu() const;

  TRecentList list_;
  std::optional<std::vector<std::string>> stored_;  // the list as the file holds it, once known
  QPointer<QMenu> submenu_;
  QPointer<QMenu> parentMenu_;
  QPointer<QAction> separator_;
};

}  // namespace quoxa
