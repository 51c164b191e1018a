#include "ui/main/BookmarkMenu.h"

#include <QAction>
#include <QMenu>

#include "edit/BookmarkCommands.h"
#include "settings/SettingsPath.h"
#include "ui/main/DocumentCommands.h"
#include "ui/main/MainMenu.h"

namespace quoxa {

namespace {

Cmd EntryCommand(int index) { return static_cast<Cmd>(static_cast<int>(Cmd::Bookmark1) + index); }

// The caption's "&" and digit stay an accelerator; the rest is shown as it is.
QString MenuText(const std::string& caption) {
  const QString text = QString::fromStdString(caption);
  return text.left(3) + text.mid(3).replace('&', QStringLiteral("&&"));
}

FileQuestion BookmarkFileQuestion(bool save) {
  FileQuestion question;
  question.save = save;
  question.title = save ? msg::kSaveBookmarksTitle : msg::kLoadBookmarksTitle;
  question.startDir = MakeProgramDirectory();
  question.filter = msg::kBookmarkFilter;
  return question;
}

}  // namespace

TBookmarkMenu::TBookmarkMenu(TMainMenu* menu, QObject* parent) : QObject(parent), menu_(menu) {
  InstallBookmarkMenuView([this] { ShowEntries(); });
  RefreshBookmarkMenu();
}

TBookmarkMenu::~TBookmarkMenu() { InstallBookmarkMenuView(nullptr); }

void TBookmarkMenu::ShowEntries() {
  const std::array<BookmarkMenuEntry, 9> entries = BookmarkMenuEntries();
  bool any = false;
  for (int i = 0; i < 9; ++i) {
    QAction* action = menu_->Action(EntryCommand(i));
    if (action == nullptr) continue;
    const BookmarkMenuEntry& entry = entries[static_cast<size_t>(i)];
    action->setText(entry.visible ? MenuText(entry.caption) : QString());
    action->setVisible(entry.visible);
    any = any || entry.visible;
  }
  if (QMenu* marks = menu_->SubMenu(Cmd::Bookmarks)) {
    for (QAction* action : marks->actions()) {
      if (action->isSeparator() && action->objectName() == QLatin1String("Bookmarkdivi")) action->setVisible(any);
    }
  }
}

bool RunBookmarkCommand(IDocumentHost& host, Cmd cmd) {
  switch (cmd) {
    case Cmd::BookmarkAdd:
      AddBookmarkCommand();
      return true;
    case Cmd::BookmarkRemove:
      RemoveBookmarkCommand();
      return true;
    case Cmd::BookmarkRemoveAll:
      RemoveAllBookmarksCommand();
      return true;
    case Cmd::BookmarkSave: {
      const FileAnswer answer = host.AskFileName(BookmarkFileQuestion(true));
      if (answer.ok) SaveBookmarksTo(answer.path);
      return true;
    }
    case Cmd::BookmarkLoad: {
      const FileAnswer answer = host.AskFileName(BookmarkFileQuestion(false));
      if (answer.ok) LoadBookmarksFrom(answer.path);
      return true;
    }
    default:
      break;
  }
  const int index = static_cast<int>(cmd) - static_cast<int>(Cmd::Bookmark1);
  if (index < 0 || index >= 9) return false;
  ChooseBookmarkCommand(index + 1);
  return true;
}

}  // namespace quoxa
