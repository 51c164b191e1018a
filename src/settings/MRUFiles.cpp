#include "settings/MRUFiles.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

#include "settings/IniFile.h"
#include "settings/SettingsPath.h"

namespace quoxa {

namespace {

const QString kItemPrefix = QStringLiteral("__MRU_");
const QString kSeparatorName = QStringLiteral("__MRU__");

}  // namespace

TMRUFiles::TMRUFiles(QObject* parent) : QObject(parent) {}

TMRUFiles::~TMRUFiles() { Save(); }

std::string TMRUFiles::IniPath() const {
  if (IniFile.compare(kAppIniName, Qt::CaseInsensitive) == 0 || IniFile.isEmpty()) return SettingsFilePath();
  return IniFile.toStdString();
}

void TMRUFiles::SetFileMenu(QMenu* submenu) {
  submenu_ = submenu;
  parentMenu_ = nullptr;
  separator_ = nullptr;
  RebuildMenu();
}

void TMRUFiles::SetFileMenuSeparator(QMenu* parentMenu, QAction* separator) {
  submenu_ = nullptr;
  parentMenu_ = parentMenu;
  separator_ = separator;
  RebuildMenu();
}

QMenu* TMRUFiles::TargetMenu() const { return submenu_ != nullptr ? submenu_.data() : parentMenu_.data(); }

void TMRUFiles::AddFile(const QString& path) {
  list_.AddFile(path.toStdString());
  RebuildMenu();
}

void TMRUFiles::SetFileCount(int count) {
  list_.SetFileCount(count);
  RebuildMenu();
}

void TMRUFiles::Load() {
  if (IniSection.isEmpty()) return;
  list_.Load(TIniFile(IniPath()), IniSection.toStdString());
  stored_ = list_.Files;
  RebuildMenu();
}

void TMRUFiles::Save() {
  // A list stored already is not written again (closing saves it before the component goes).
  if (IniSection.isEmpty() || (stored_ && *stored_ == list_.Files)) return;
  TIniFile ini(IniPath());
  if (list_.Save(ini, IniSection.toStdString())) stored_ = list_.Files;
}

void TMRUFiles::RebuildMenu() {
  QMenu* menu = TargetMenu();
  if (menu == nullptr) return;
  for (QAction* action : menu->actions()) {
    if (action->objectName().startsWith(kItemPrefix)) {
      menu->removeAction(action);
      // A click handler may still be running on this action.
      action->deleteLater();
    }
  }
  // Separator mode inserts after the separator, before whatever follows it.
  QAction* before = nullptr;
  if (submenu_ == nullptr) {
    const auto actions = menu->actions();
    const qsizetype at = actions.indexOf(separator_.data());
    if (at >= 0 && at + 1 < actions.size()) before = actions[at + 1];
  }
  for (int i = 0; i < static_cast<int>(list_.Files.size()); ++i) {
    auto* action = new QAction(QString::fromStdString(list_.Caption(i)), menu);
    action->setObjectName(kItemPrefix + QString::number(i));
    action->setToolTip(QString::fromStdString(list_.Files[static_cast<size_t>(i)]));
    connect(action, &QAction::triggered, this, [this, action] {
      bool ok = false;
      const int index = action->objectName().mid(kItemPrefix.size()).toInt(&ok);
      if (ok) ClickEntry(index);
    });
    menu->insertAction(before, action);
  }
  if (submenu_ != nullptr) {
    const auto actions = menu->actions();
    const bool onlyEntries = std::all_of(actions.begin(), actions.end(), [](QAction* a) {
      return a->objectName().startsWith(kItemPrefix);
    });
    if (onlyEntries) submenu_->menuAction()->setEnabled(!list_.Files.empty());
  } else if (before != nullptr && !list_.Files.empty()) {
    QAction* line = new QAction(menu);
    line->setSeparator(true);
    line->setObjectName(kSeparatorName);
    menu->insertAction(before, line);
  }
}

void TMRUFiles::ClickEntry(int index) {
  if (index < 0 || index >= static_cast<int>(list_.Files.size())) return;
  const std::string path = list_.Files[static_cast<size_t>(index)];
  emit MRUItemClick(QString::fromStdString(path));
  // Whether or not the file could be opened, it goes to the top.
  const auto it = std::find(list_.Files.begin(), list_.Files.end(), path);
  if (it != list_.Files.end()) list_.MoveToTop(static_cast<int>(it - list_.Files.begin()));
  RebuildMenu();
}

}  // namespace quoxa
