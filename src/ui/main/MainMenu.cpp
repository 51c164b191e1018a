#include "ui/main/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "ui/main/PendingCommands.h"
#include "widgets/ToolGlyphs.h"

namespace quoxa {

namespace {

QKeySequence Keys(const char* keys) { return QKeySequence(QString::fromLatin1(keys)); }

const QKeySequence kNone;

}  // namespace

TMainMenu::TMainMenu(QWidget* window, QMenuBar* menuBar, QToolBar* toolBar, std::function<void(Cmd)> onCommand)
    : QObject(window), window_(window), onCommand_(std::move(onCommand)) {
  BuildMenus(menuBar);
  BuildToolBar(toolBar);
  MirrorAll();
}

QAction* TMainMenu::AddItem(QMenu* menu, Cmd cmd, const char* caption, const QKeySequence& shortcut,
                            const char* hint, bool checkable) {
  auto* action = new QAction(QString::fromUtf8(caption), window_);
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  action->setStatusTip(QString::fromUtf8(hint));
  action->setCheckable(checkable);
  connect(action, &QAction::triggered, this, [this, cmd] {
    // Shortcuts of pending commands never reach a handler, even if Qt let them through.
    if (CommandUsable(cmd) && onCommand_) onCommand_(cmd);
  });
  menu->addAction(action);
  window_->addAction(action);
  actions_[cmd] = action;
  return action;
}

QMenu* TMainMenu::AddSubMenu(QMenu* menu, Cmd cmd, const char* caption, const char* hint) {
  QMenu* sub = menu->addMenu(QString::fromUtf8(caption));
  sub->menuAction()->setStatusTip(QString::fromUtf8(hint));
  actions_[cmd] = sub->menuAction();
  subMenus_[cmd] = sub;
  return sub;
}

QAction* TMainMenu::AddButton(QToolBar* toolBar, Cmd cmd, const char* glyph, const char* hint) {
  auto* action = new QAction(ToolGlyph(QString::fromLatin1(glyph)), QString::fromUtf8(hint), window_);
  action->setObjectName(QString::fromLatin1(glyph));
  action->setToolTip(QString::fromUtf8(hint));
  action->setStatusTip(QString::fromUtf8(hint));
  connect(action, &QAction::triggered, this, [this, cmd] {
    if (CommandUsable(cmd) && onCommand_) onCommand_(cmd);
  });
  toolBar->addAction(action);
  actions_[cmd] = action;
  return action;
}

void TMainMenu::BuildMenus(QMenuBar* menuBar) {
  auto menuFor = [&](MenuId id, const char* caption) {
    QMenu* menu = menuBar->addMenu(QString::fromUtf8(caption));
    menus_[id] = menu;
    connect(menu, &QMenu::aboutToShow, this, [id] { EnableOnMenuOpen(id); });
    connect(menu, &QMenu::aboutToHide, this, [id] { EnableOnMenuClose(id); });
    return menu;
  };

  QMenu* file = menuFor(MenuId::File, "&File");
  AddItem(file, Cmd::New, "&New", Keys("Ctrl+N"), "Create a new, empty file");
  AddItem(file, Cmd::Open, "&Open...", Keys("Ctrl+O"), "Open a file");
  AddSubMenu(file, Cmd::Reopen, "&Reopen", "Open one of the recently used files");
  AddItem(file, Cmd::Save, "&Save", Keys("Ctrl+S"), "Save the file");
  AddItem(file, Cmd::SaveAs, "Save &As...", kNone, "Save the file under a new name");
  AddItem(file, Cmd::Close, "&Close", Keys("Ctrl+F4"), "Close the file");
  file->addSeparator();
  AddItem(file, Cmd::InsertFile, "&Insert...", kNone, "Insert file contents before current address");
  AddItem(file, Cmd::WriteBlock, "&Write block...", kNone, "Write block to file");
  AddItem(file, Cmd::ExportAs, "E&xport as...", kNone,
          "Write the file or the block as Intel HEX, S-record, C or Python source, Base64 or hex lines");
  AddItem(file, Cmd::Import, "I&mport...", kNone, "Open an Intel HEX, S-record, Base64 or hex lines file as bytes");
  file->addSeparator();
  AddItem(file, Cmd::CompareWith, "Compare wi&th...", Keys("Ctrl+Shift+C"),
          "Show the file beside another file or open tab with their differences");
  file->addSeparator();
  AddItem(file, Cmd::Print, "&Print...", Keys("Ctrl+P"), "Print the file or the block as a hex dump");
  file->addSeparator();
  AddItem(file, Cmd::Exit, "&Exit", kNone, "Quit QUOXA");

  QMenu* edit = menuFor(MenuId::Edit, "&Edit");
  AddItem(edit, Cmd::Undo, "&Undo", Keys("Ctrl+Z"), "Undo the last change");
  QAction* redo = AddItem(edit, Cmd::Redo, "&Redo", Keys("Ctrl+Shift+Z"), "Redo the last undone change");
  redo->setShortcuts({Keys("Ctrl+Shift+Z"), Keys("Ctrl+Y")});
  edit->addSeparator();
  AddItem(edit, Cmd::InsertString, "&Insert string...", kNone, "Insert string before current address");
  AddItem(edit, Cmd::OverwriteString, "Over&write string...", kNone, "Overwrite string, beginning at current address");
  edit->addSeparator();
  AddItem(edit, Cmd::BlockMark, "Block &mark", Keys("Ctrl+B"), "Mark begin or end of block");
  AddItem(edit, Cmd::BlockChars, "Block <&n> chars...", kNone, "Mark block consisting of <n> chars");
  AddItem(edit, Cmd::BlockUnmark, "Block &unmark", Keys("Ctrl+U"), "Remove the block marks");
  AddItem(edit, Cmd::BlockDelete, "Block &delete", Keys("Ctrl+D"), "Delete the marked block");
  AddItem(edit, Cmd::BlockCopy, "Block &copy", Keys("Ctrl+K"), "Copy block before current adress");
  AddItem(edit, Cmd::BlockCopyOverwrite, "Block copy/&overwrite", Keys("Ctrl+W"),
          "Copy block at current adress (overwriting)");
  AddItem(edit, Cmd::BlockMove, "Block mo&ve", Keys("Ctrl+M"), "Move block before current adress");
  edit->addSeparator();
  QMenu* clip = AddSubMenu(edit, Cmd::Clipboard, "Clip&board", "Exchange bytes with the clipboard");
  AddItem(clip, Cmd::Cut, "Cut", Keys("Ctrl+X"), "Cut block to clipboard");
  AddItem(clip, Cmd::Copy, "Copy", Keys("Ctrl+C"), "Copy block to clipboard");
  AddItem(clip, Cmd::Paste, "Paste", Keys("Ctrl+V"), "Paste from clipboard before current address");
  AddItem(clip, Cmd::CopyHex, "Copy as hex string", Keys("Ctrl+H"), "Copy block to clipboard as hex string");
  AddItem(clip, Cmd::PasteHex, "Paste from hex string", kNone, "Paste hex string from clipboard as bytes");
  edit->addSeparator();
  AddItem(edit, Cmd::DeleteFromCursor, "Delete &from cursor", kNone, "Delete from current adress (incl.) until end");
  AddItem(edit, Cmd::DeleteToCursor, "Delete &to cursor", kNone, "Delete from begin until current adress (incl.)");

  // Its items toggle windows of the main window, which adds them after its own entries.
  QMenu* view = menuFor(MenuId::View, "&View");
  AddItem(view, Cmd::EntropyMap, "&Entropy map", kNone, "Plot the entropy along the file; a click goes to that address");

  QMenu* search = menuFor(MenuId::Search, "&Search");
  AddItem(search, Cmd::Find, "&Find...", Keys("Ctrl+F"), "Find");
  AddItem(search, Cmd::FindDown, "Find again &down", Keys("F3"), "Find the next occurrence downwards");
  AddItem(search, Cmd::FindUp, "Find again &up", Keys("Shift+F3"), "Find the next occurrence upwards");
  AddItem(search, Cmd::Count, "&Count...", kNone, "Count the occurrences of a string");
  search->addSeparator();
  AddItem(search, Cmd::Replace, "&Replace...", Keys("Ctrl+R"), "Replace");
  AddItem(search, Cmd::ReplaceAgain, "Replace &again down", Keys("F4"), "Replace the next occurrence downwards");
  AddItem(search, Cmd::ReplaceUndo, "Replace &undo", kNone, "Undo last replacement");
  search->addSeparator();
  AddItem(search, Cmd::CharConversion, "C&haracter conversion", kNone, "Convert characters using char table");
  AddItem(search, Cmd::Strings, "&Strings...", kNone, "List the printable strings of the block or file");

  QMenu* address = menuFor(MenuId::Address, "&Address");
  AddItem(address, Cmd::Goto, "&Goto...", Keys("Ctrl+G"), "Goto absolute/relative address");
  AddItem(address, Cmd::JumpWidthDialog, "Jump &width...", kNone, "Enter number of bytes to jump up and down");
  AddItem(address, Cmd::JumpDown, "Jump &down", Keys("F5"), "Jump down by the jump width");
  AddItem(address, Cmd::JumpUp, "Jump &up", Keys("Shift+F5"), "Jump up by the jump width");
  address->addSeparator();
  AddItem(address, Cmd::RememberAddress, "&Remember address", kNone, "Remember current adress");
  AddItem(address, Cmd::GotoRemembered, "Goto &re&membered", kNone, "Goto remembered adress");
  AddItem(address, Cmd::DisplayDifference, "Display di&fference...", kNone,
          "Display difference between current and remembered adress");

  QMenu* marks = menuFor(MenuId::Bookmarks, "&Bookmarks");
  actions_[Cmd::Bookmarks] = marks->menuAction();
  subMenus_[Cmd::Bookmarks] = marks;
  AddItem(marks, Cmd::BookmarkAdd, "&Add...", kNone, "Add new bookmark for current address");
  AddItem(marks, Cmd::BookmarkRemove, "&Remove...", kNone, "Remove a defined bookmark");
  AddItem(marks, Cmd::BookmarkRemoveAll, "R&emove all", kNone, "Remove all currently defined bookmarks");
  AddItem(marks, Cmd::BookmarkSave, "&Save to file...", kNone, "Save all currently defined bookmarks to file");
  AddItem(marks, Cmd::BookmarkLoad, "&Load from file...", kNone, "Load bookmarks from file");
  marks->addSeparator()->setObjectName("Bookmarkdivi");
  for (int i = 0; i < 9; ++i) {
    const auto cmd = static_cast<Cmd>(static_cast<int>(Cmd::Bookmark1) + i);
    QAction* entry = AddItem(marks, cmd, "", kNone, "Go to this bookmark");
    entry->setObjectName(QStringLiteral("Bookmark%1").arg(i + 1));
    entry->setVisible(false);
  }

  QMenu* tools = menuFor(MenuId::Tools, "&Tools");
  AddItem(tools, Cmd::TextModeCheck, "&Text mode", kNone, "Switch the cursor between the text and the hex grid (Tab)", true);
  AddItem(tools, Cmd::OverwriteCheck, "O&verwrite", kNone, "Switch between overwrite and insert mode (Ins)", true);
  tools->addSeparator();
  AddItem(tools, Cmd::DecodeNumber, "&Decode number...", kNone, "Decode 1/2/4 bytes as integer or float");
  AddItem(tools, Cmd::EncodeNumber, "&Encode number...", kNone, "Encode integer or float to 1/2/4 bytes");
  AddItem(tools, Cmd::BitManipulation, "&Bit manipulation...", kNone, "View/set bits in current byte");
  AddItem(tools, Cmd::Patch, "&Patch BP 7.0 EXE", kNone, "Patch BP 7.0 program for execution > 200 Mhz");
  AddItem(tools, Cmd::Checksums, "&Checksums...", Keys("Ctrl+Shift+H"), "Checksums and hashes of the block or the file");
  AddItem(tools, Cmd::Statistics, "&Statistics...", kNone, "Count the byte values of the block or the file");
  tools->addSeparator();
  AddItem(tools, Cmd::OptionsDialog, "&Options...", kNone, "Change the program's options");

  QMenu* script = menuFor(MenuId::Script, "&QUOXAscript");
  AddItem(script, Cmd::ScriptEditor, "&Editor...", kNone, "Edit, check and execute QUOXAscript files");
  AddItem(script, Cmd::ScriptExecute, "E&xecute active", Keys("Ctrl+F9"), "Execute the script in the editor");

  QMenu* helpMenu = menuFor(MenuId::Help, "&Help");
  AddItem(helpMenu, Cmd::HelpContents, "&Contents", kNone, "Show the contents of the help");
  AddItem(helpMenu, Cmd::About, "&About...", kNone, "Program version and memory in use");
}

void TMainMenu::BuildToolBar(QToolBar* toolBar) {
  AddButton(toolBar, Cmd::BtnNew, "NEW", "New file");
  AddButton(toolBar, Cmd::BtnOpen, "OPEN", "Open");
  AddButton(toolBar, Cmd::BtnSave, "SAVE", "Save");
  toolBar->addSeparator();
  AddButton(toolBar, Cmd::BtnDel, "DELETE", "Delete block");
  AddButton(toolBar, Cmd::BtnCut, "CUT", "Cut to clipboard");
  AddButton(toolBar, Cmd::BtnCopy, "COPY", "Copy to clipboard");
  AddButton(toolBar, Cmd::BtnPaste, "PASTE", "Paste from clipboard");
  toolBar->addSeparator();
  AddButton(toolBar, Cmd::BtnFind, "FIND", "Find");
  AddButton(toolBar, Cmd::BtnReplace, "REPLACE", "Replace");
  toolBar->addSeparator();
  AddButton(toolBar, Cmd::BtnOptions, "PROPERT", "Options");
  AddButton(toolBar, Cmd::BtnInfo, "INFO", "About");
  AddButton(toolBar, Cmd::BtnWhats, "WHATS", "What's this?");
}

QAction* TMainMenu::Action(Cmd cmd) const {
  const auto it = actions_.find(cmd);
  return it != actions_.end() ? it->second : nullptr;
}

QMenu* TMainMenu::Menu(MenuId id) const {
  const auto it = menus_.find(id);
  return it != menus_.end() ? it->second : nullptr;
}

QMenu* TMainMenu::SubMenu(Cmd cmd) const {
  const auto it = subMenus_.find(cmd);
  return it != subMenus_.end() ? it->second : nullptr;
}

QString TMainMenu::Hint(Cmd cmd) const {
  const QAction* action = Action(cmd);
  return action != nullptr ? action->statusTip() : QString();
}

void TMainMenu::Mirror(Cmd cmd) {
  QAction* action = Action(cmd);
  if (action == nullptr) return;
  action->setEnabled(CommandUsable(cmd));
  if (action->isCheckable()) action->setChecked(Commands().Checked(cmd));
}

void TMainMenu::MirrorAll() {
  for (int i = 0; i < kCommandCount; ++i) Mirror(static_cast<Cmd>(i));
}

}  // namespace quoxa
