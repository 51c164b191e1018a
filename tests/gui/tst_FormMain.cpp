// The main window: commands by document state, the document commands, start-up
// from the command line, drop, About, help and the busy text.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTabBar>
#include <QTemporaryFile>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThisClickedEvent>
#include <csignal>

#include "MainWindowFixture.h"
#include "TestDocument.h"
#include "core/Busy.h"
#include "core/DocWrite.h"
#include "core/View.h"
#include "core/HelpTopics.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "core/Progress.h"
#include "core/StopSignal.h"
#include "edit/BookmarkCommands.h"
#include "search/SearchState.h"
#include "ui/main/AppIcon.h"
#include "ui/main/DocumentTabs.h"
#include "ui/main/FormAbout.h"
#include "ui/main/GridView.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/PendingCommands.h"
#include "ui/main/QZScrollBar.h"
#include "ui/main/QZStrGrid.h"
#include "ui/main/StatusPanels.h"

using quoxa::Cmd;
using quoxa::test::MainWindowFixture;

namespace {

std::vector<std::string> Texts(const MainWindowFixture& f) { return f.rec.messages.Texts(); }

quoxa::FileAnswer Chosen(const std::string& path) { return {true, path, false}; }

// What the window shows and keeps of the active document.
struct TabState {
  std::string bytes;
  int64_t cursor = 0, top = 0, blockBegin = 0, blockEnd = 0, remembered = 0;
  std::vector<std::string> bookmarks;
  bool modified = false;
  QString title, firstCell, bookmarkEntry, address;
  std::vector<bool> commands;
  bool operator==(const TabState&) const = default;
};
TabState StateOf(MainWindowFixture& f) {
  const quoxa::TDocument& doc = quoxa::Doc();
  TabState state{quoxa::test::DocumentBytes(), quoxa::CursorAddress(), doc.TopAddress, doc.BlockBegin,
                 doc.BlockEnd, doc.RememberedAddress, doc.Bookmarks.Entries(), doc.Modified,
                 f.form.windowTitle(), f.form.QZStrGridHex()->Cell(0, 0), f.Action(Cmd::Bookmark1)->text(),
                 QString::fromStdString(f.form.PanelText(0)), {}};
  for (Cmd cmd : {Cmd::Undo, Cmd::Redo, Cmd::ReplaceUndo, Cmd::BlockUnmark, Cmd::BlockCopy, Cmd::Save}) {
    state.commands.push_back(f.Action(cmd)->isEnabled());
  }
  return state;
}

}  // namespace

class TestFormMain : public QObject {
  Q_OBJECT

 private slots:
  void startsWithNoDocument() {
    MainWindowFixture f;
    QCOMPARE(f.form.windowTitle(), QString("QUOXA"));
    QVERIFY(!quoxa::Doc().ViewReady);
    QVERIFY(quoxa::Doc().DocBuffer != nullptr);
    QVERIFY(!f.form.Grids()->ScrollBar()->isEnabled());
    QCOMPARE(f.form.PanelText(0), std::string());
    QCOMPARE(f.form.PanelText(1), std::string());
    QCOMPARE(f.form.PanelText(2), std::string("Overwrite"));
    QVERIFY(quoxa::Doc().TextMode);
    QVERIFY(f.Action(Cmd::TextModeCheck)->isChecked());
    QVERIFY(f.Action(Cmd::OverwriteCheck)->isChecked());
  }

  void theProgramHasAnIconOfItsOwnInEverySize() {
    const QIcon icon = quoxa::ApplicationIcon();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
      QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
      QCOMPARE(icon.pixmap(size).toImage().pixelColor(size / 2, size / 12).alpha(), 255);
    }
  }

  void onlyCommandsWithoutTagOneAreUsableWithoutDocument() {
    MainWindowFixture f;
    for (int i = 0; i < quoxa::kCommandCount; ++i) {
      const auto cmd = static_cast<Cmd>(i);
      QAction* action = f.Action(cmd);
      // "&Reopen" follows its list of recently used files, and the bookmark commands and entries
      // (hidden ones are never enabled) their list, both empty here.
      if (action == nullptr || !action->isVisible() || cmd == Cmd::Reopen || cmd == Cmd::BookmarkRemove ||
          cmd == Cmd::BookmarkRemoveAll || cmd == Cmd::BookmarkSave) {
        continue;
      }
      const bool expected = quoxa::Commands().Tag(cmd) != quoxa::kTagNeedsDocument && !quoxa::NotYetAvailable(cmd);
      QVERIFY2(action->isEnabled() == expected, qPrintable(action->text() + QString(" %1").arg(i)));
    }
    for (Cmd cmd : {Cmd::New, Cmd::Open, Cmd::Exit, Cmd::HelpContents, Cmd::About, Cmd::TextModeCheck, Cmd::OverwriteCheck,
                    Cmd::BtnNew, Cmd::BtnOpen, Cmd::BtnInfo, Cmd::BtnWhats}) {
      QVERIFY(f.Action(cmd)->isEnabled());
    }
    QVERIFY(!f.Action(Cmd::Reopen)->isEnabled());
    for (Cmd cmd : {Cmd::Save, Cmd::SaveAs, Cmd::Close, Cmd::InsertFile, Cmd::DeleteFromCursor, Cmd::BtnSave}) {
      QVERIFY(!f.Action(cmd)->isEnabled());
    }
  }

  void menuAndToolBarAreComplete() {
    MainWindowFixture f;
    QStringList titles;
    for (QAction* menu : f.form.menuBar()->actions()) titles << menu->text();
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&View", "&Search", "&Address", "&Bookmarks", "&Tools",
                                  "&QUOXAscript", "&Window", "&Help"}));
    QCOMPARE(f.Action(Cmd::Close)->shortcut(), QKeySequence("Ctrl+F4"));
    QCOMPARE(f.Action(Cmd::InsertFile)->text(), QString("&Insert..."));
    QCOMPARE(f.Action(Cmd::InsertFile)->statusTip(), QString("Insert file contents before current address"));
    QCOMPARE(f.Action(Cmd::BlockMark)->shortcut(), QKeySequence("Ctrl+B"));
    QCOMPARE(f.Action(Cmd::FindUp)->shortcut(), QKeySequence("Shift+F3"));
    QCOMPARE(f.Action(Cmd::ScriptExecute)->shortcut(), QKeySequence("Ctrl+F9"));
    QCOMPARE(f.Action(Cmd::GotoRemembered)->text(), QString("Goto &re&membered"));
    QCOMPARE(f.form.Menu()->SubMenu(Cmd::Clipboard)->actions().size(), 5);
    QStringList hints;
    for (QAction* button : f.form.ToolBar()->actions()) {
      if (!button->isSeparator()) hints << button->toolTip();
    }
    QCOMPARE(hints, QStringList({"New file", "Open", "Save", "Delete block", "Cut to clipboard", "Copy to clipboard",
                                 "Paste from clipboard", "Find", "Replace", "Options", "About", "What's this?"}));
    for (QAction* button : f.form.ToolBar()->actions()) {
      if (button->isSeparator()) continue;
      const QImage image = button->icon().pixmap(QSize(16, 16), 2.0).toImage();
      QCOMPARE(image.size(), QSize(32, 32));
      int painted = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
      }
      QVERIFY2(painted > 60, qPrintable(button->toolTip()));
    }
  }

  void menuHintsGoToTheMessagePanel() {
    MainWindowFixture f;
    f.Action(Cmd::InsertFile)->showStatusText(&f.form);
    QCOMPARE(f.form.PanelText(3), std::string("Insert file contents before current address"));
    f.Action(Cmd::BtnFind)->showStatusText(&f.form);
    QCOMPARE(f.form.PanelText(3), std::string("Find"));
  }

  void newTwiceGivesNoName1AndNoName2() {
    MainWindowFixture f;
    f.Trigger(Cmd::New);
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - NoName1"));
    f.Trigger(Cmd::BtnNew);
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - NoName2"));
    QVERIFY(f.Action(Cmd::Save)->isEnabled());
    QVERIFY(f.Action(Cmd::Close)->isEnabled());
    QVERIFY(f.form.Grids()->ScrollBar()->isEnabled());
    QVERIFY(Texts(f).empty());
  }

  void cancelOnTheSaveQuestionKeepsEverything() {
    MainWindowFixture f;
    f.Load("abcdef");
    quoxa::SetByte(2, 'X');
    quoxa::Doc().Modified = true;
    f.rec.messages.answers = {quoxa::mrCancel, quoxa::mrCancel};
    f.Trigger(Cmd::Close);
    // New asks nothing: the new document has a tab of its own.
    f.Trigger(Cmd::New);
    QCOMPARE(f.form.Documents().Count(), 2);
    f.form.close();
    QCOMPARE(Texts(f), std::vector<std::string>(2, "document.bin modified. Save now?"));
    QVERIFY(f.form.isVisible());
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - document.bin"));
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("aXcdef"));
    QVERIFY(quoxa::Doc().Modified);
  }

  void aSignalNeverClosesDuringACommandAndAsksNobodyWithoutADisplay() {
    MainWindowFixture f;
    f.Load("abcdef");
    quoxa::SetByte(2, 'X');
    quoxa::Doc().Modified = true;
    const std::string file = quoxa::Doc().FileName;
    quoxa::NoteStopSignal(SIGTERM);
    {
      // A loop at work owns the document until it ends.
      quoxa::TProgressBox box({true, true, "", ""});
      QVERIFY(!f.form.close());
    }
    quoxa::BeginBusy("");
    QVERIFY(!f.form.close());
    quoxa::EndBusy();
    QVERIFY(quoxa::Doc().DocBuffer != nullptr);
    // Offscreen nobody answers: no question, nothing saved, and standard error says so.
    QTemporaryFile errors;
    QVERIFY(errors.open());
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(errors.handle(), STDERR_FILENO);
    const bool closed = f.form.close();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    ::close(saved);
    quoxa::ClearStopSignal();
    QVERIFY(closed);
    QVERIFY(Texts(f).empty());
    QVERIFY(errors.seek(0));
    QCOMPARE(errors.readAll().toStdString(),
             "QUOXA: Ended by SIGTERM: the changes to " + file + " were not saved.\n");
    QFile original(QString::fromStdString(file));
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(original.readAll(), QByteArray("abcdef"));
  }

  void closingTheWindowReleasesTheDocument() {
    MainWindowFixture f;
    f.Load("abc");
    QVERIFY(f.form.close());
    QVERIFY(quoxa::Doc().DocBuffer == nullptr);
    QVERIFY(Texts(f).empty());
  }

  void commandLineFileOpensAtStart() {
    QTemporaryDir dir;
    const QString path = dir.filePath("start.bin");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("0123456789");
    file.close();
    // A winding relative path is opened under its canonical absolute name.
    const QString winding = QDir::current().relativeFilePath(dir.filePath("x/../start.bin"));
    QDir(dir.path()).mkdir("x");
    MainWindowFixture f({winding});
    QVERIFY(quoxa::Doc().ViewReady);
    QCOMPARE(QString::fromStdString(quoxa::Doc().FileName), QFileInfo(path).canonicalFilePath());
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - start.bin"));
    QCOMPARE(f.form.QZStrGridText()->Cell(9, 0), QString("9"));
  }

  void fileInUseOpensReadOnlyAndDisablesSave() {
    QTemporaryDir dir;
    const QString path = dir.filePath("shared.bin");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.write("abc");
    file.flush();
    // Another program keeps the file open for writing.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    QCOMPARE(fcntl(file.handle(), F_OFD_SETLK, &lock), 0);

    MainWindowFixture f({path}, {quoxa::mrOK, quoxa::mrYes});
    QCOMPARE(Texts(f), (std::vector<std::string>{"Error reading\nshared.bin\nError 32: File sharing violation",
                                                  "shared.bin is opened by another application.\nOpen in Read Only mode?"}));
    QVERIFY(quoxa::Doc().ReadOnly);
    QCOMPARE(f.form.PanelText(3), std::string("File opened in Read Only mode!"));
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - shared.bin"));
    ReadOnlyDocumentSavesOnlyUnderANewName(f);
  }

  void writeProtectedFileOpensReadOnly() {
    QTemporaryDir dir;
    const QString path = dir.filePath("locked.bin");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("abc");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    MainWindowFixture f({path});
    QVERIFY(quoxa::Doc().ReadOnly);
    QCOMPARE(f.form.PanelText(3), std::string("File is in Read Only mode!"));
    ReadOnlyDocumentSavesOnlyUnderANewName(f);
  }

 private:
  static void ReadOnlyDocumentSavesOnlyUnderANewName(MainWindowFixture& f) {
    QVERIFY(!f.Action(Cmd::Save)->isEnabled());
    QVERIFY(!f.Action(Cmd::BtnSave)->isEnabled());
    QVERIFY(f.Action(Cmd::SaveAs)->isEnabled());
    // Ctrl+S does nothing while Save is off.
    f.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    f.form.SetFileQuestionHandler([](const quoxa::FileQuestion&) -> quoxa::FileAnswer {
      QTest::qFail("no dialog expected", __FILE__, __LINE__);
      return {};
    });
    QTest::keyClick(f.form.QZStrGridText(), Qt::Key_S, Qt::ControlModifier);
    const std::string copy = f.Path("copy.bin");
    f.form.SetFileQuestionHandler([&](const quoxa::FileQuestion&) { return Chosen(copy); });
    f.Trigger(Cmd::SaveAs);
    QVERIFY(!quoxa::Doc().ReadOnly);
    QVERIFY(f.Action(Cmd::Save)->isEnabled());
    QVERIFY(f.Action(Cmd::BtnSave)->isEnabled());
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - copy.bin"));
  }

 private slots:
  void undoAndRedoByTheirKeysAfterTypingAndSaving() {
    MainWindowFixture f;
    f.Load("abcdef");
    f.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    QMenu* edit = f.form.menuBar()->actions().at(1)->menu();
    QCOMPARE(edit->actions().at(0)->text(), QString("&Undo"));
    QCOMPARE(edit->actions().at(1)->text(), QString("&Redo"));
    QCOMPARE(f.Action(Cmd::Redo)->shortcuts(),
             (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    QVERIFY(!f.Action(Cmd::Undo)->isEnabled());
    QWidget* grid = f.form.QZStrGridText();
    grid->setFocus();
    if (!quoxa::Doc().TextMode) f.Trigger(Cmd::TextModeCheck);
    if (quoxa::Doc().OverwriteMode) f.Trigger(Cmd::OverwriteCheck);
    QTest::keyClicks(grid, "XY");
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("XYabcdef"));
    QVERIFY(f.Action(Cmd::Undo)->isEnabled());
    QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!quoxa::Doc().Modified);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("Xabcdef"));
    QVERIFY(quoxa::Doc().Modified);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("abcdef"));
    QVERIFY(!f.Action(Cmd::Undo)->isEnabled());
    QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("XYabcdef"));
    QVERIFY(!quoxa::Doc().Modified);
    QVERIFY(!f.Action(Cmd::Redo)->isEnabled());
    f.Trigger(Cmd::Close);
    QVERIFY(!f.Action(Cmd::Undo)->isEnabled());
    QVERIFY(Texts(f).empty());
  }

  void undoNotesShowWholeInTheStatusBarAndTheNextKeyStillWorks() {
    MainWindowFixture f;
    f.Load("abcdef");
    f.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    quoxa::TStatusPanels* bar = f.form.Panels();
    QWidget* grid = f.form.QZStrGridText();
    grid->setFocus();
    if (!quoxa::Doc().TextMode) f.Trigger(Cmd::TextModeCheck);
    if (quoxa::Doc().OverwriteMode) f.Trigger(Cmd::OverwriteCheck);
    // Ctrl+Z and Ctrl+Y with nothing to take back; then a change too large for the journal.
    const std::pair<QKeyCombination, const char*> steps[] = {
        {Qt::ControlModifier | Qt::Key_Z, "Nothing to undo"},
        {Qt::ControlModifier | Qt::Key_Y, "Nothing to redo"},
        {Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z, "Nothing to redo"},
        {Qt::NoModifier | Qt::Key_X, "This change cannot be undone (not enough undo memory)"},
        {Qt::ControlModifier | Qt::Key_Z, "Nothing to undo"},
    };
    const int64_t budget = quoxa::Doc().Journal.Budget();
    for (const auto& [key, note] : steps) {
      bar->clearMessage();
      if (key.key() == Qt::Key_X) quoxa::Doc().Journal.SetBudget(1);
      QTest::keyClick(grid, key.key(), key.keyboardModifiers());
      QCOMPARE(bar->currentMessage(), QString(note));
      QVERIFY2(bar->fontMetrics().horizontalAdvance(QString(note)) < bar->width() - 20, note);
    }
    quoxa::Doc().Journal.SetBudget(budget);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("xabcdef"));
    QVERIFY(Texts(f).empty());
    // The note steps aside for the next busy text.
    quoxa::BeginBusy("Delete...");
    QVERIFY(bar->currentMessage().isEmpty());
    quoxa::EndBusy();
  }

  void openAndSaveThroughTheFileDialog() {
    MainWindowFixture f;
    const std::string path = f.WriteFile("edit.bin", "hello");
    std::vector<quoxa::FileQuestion> asked;
    f.form.SetFileQuestionHandler([&](const quoxa::FileQuestion& q) {
      asked.push_back(q);
      return Chosen(path);
    });
    f.Trigger(Cmd::BtnOpen);
    QCOMPARE(asked.size(), size_t{1});
    QCOMPARE(asked[0].title, std::string("Open file"));
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - edit.bin"));
    quoxa::SetByte(1, 'J');
    quoxa::Doc().Modified = true;
    f.Trigger(Cmd::BtnSave);
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Jello"));
    QVERIFY(!quoxa::Doc().Modified);
  }

  void insertFileAtPositionFive() {
    MainWindowFixture f;
    f.Load(std::string(20, '.'));
    const std::string ten = f.WriteFile("ten.bin", "0123456789");
    QTest::mouseClick(f.form.QZStrGridText(), Qt::LeftButton, {},
                      f.form.QZStrGridText()->CellRect(4, 0).center());
    QCOMPARE(quoxa::CursorAddress(), 5);
    f.form.SetFileQuestionHandler([&](const quoxa::FileQuestion&) { return Chosen(ten); });
    f.Trigger(Cmd::InsertFile);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("....0123456789................"));
    QCOMPARE(quoxa::CursorAddress(), 15);
    QCOMPARE(f.form.QZStrGridText()->Cell(4, 0), QString("0"));
    QCOMPARE(f.form.QZStrGridHex()->Cell(13, 0), QString("39"));
    QCOMPARE(f.form.QZStrGridText()->Col(), 14);
    QCOMPARE(f.form.QZStrGridText()->Row(), 0);
    QCOMPARE(f.form.PanelText(0), std::string("Adr. dec: 14"));
  }

  void deleteCommandsOfTheEditMenuWork() {
    MainWindowFixture f;
    f.Load("abcdefgh");
    quoxa::GotoAddress(5, true, false);
    f.Trigger(Cmd::DeleteFromCursor);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("abcd"));
    quoxa::GotoAddress(2, true, false);
    f.Trigger(Cmd::DeleteToCursor);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("cd"));
    QCOMPARE(f.form.QZStrGridText()->Cell(0, 0), QString("c"));
    QCOMPARE(f.form.QZStrGridText()->Cell(2, 0), QString());
  }

  void sizeDependentCommandsAreSetWhenTheirMenuOpens() {
    MainWindowFixture f;
    f.Trigger(Cmd::New);
    QMenu* edit = f.form.Menu()->Menu(quoxa::MenuId::Edit);
    emit edit->aboutToShow();
    QVERIFY(!f.Action(Cmd::DeleteFromCursor)->isEnabled());
    QVERIFY(!f.Action(Cmd::DeleteToCursor)->isEnabled());
    f.Load("xy");
    emit edit->aboutToShow();
    QVERIFY(f.Action(Cmd::DeleteFromCursor)->isEnabled());
    QVERIFY(f.Action(Cmd::DeleteToCursor)->isEnabled());
  }

  void droppedFilesOpenInTabsAndCtrlInsertsWhereDropped() {
    MainWindowFixture f;
    const std::string a = f.WriteFile("a.bin", "A");
    const std::string b = f.WriteFile("b.bin", "BB");
    auto drop = [&](const QList<QUrl>& urls, QPoint at, Qt::KeyboardModifiers modifiers) {
      QMimeData mime;
      mime.setUrls(urls);
      QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, modifiers);
      QApplication::sendEvent(&f.form, &enter);
      QVERIFY(enter.isAccepted());
      QDropEvent event(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, modifiers);
      QApplication::sendEvent(&f.form, &event);
      QCoreApplication::processEvents();
    };
    const auto url = [](const std::string& path) { return QUrl::fromLocalFile(QString::fromStdString(path)); };
    drop({url(a), url(b)}, QPoint(20, 80), Qt::NoModifier);
    QVERIFY(Texts(f).empty());
    QCOMPARE(f.form.Documents().Count(), 2);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("BB"));
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - b.bin"));
    // A file open already is shown, not opened twice.
    drop({url(a)}, QPoint(20, 80), Qt::NoModifier);
    QCOMPARE(f.form.Documents().Count(), 2);
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - a.bin"));
    // With Ctrl on a grid the bytes go in before the byte under the drop, as one undo step.
    const std::string inserted = f.WriteFile("in.bin", "xyz");
    quoxa::TQZStrGrid* hex = f.form.QZStrGridHex();
    drop({url(inserted)}, hex->mapTo(&f.form, hex->CellRect(1, 0).center()), Qt::ControlModifier);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("Axyz"));
    QCOMPARE(f.form.Documents().Count(), 2);
    QVERIFY(quoxa::Doc().Modified);
    f.Trigger(Cmd::Undo);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("A"));
    QVERIFY(Texts(f).empty());
  }

  void commandLineFilesOpenInTabsOnceEach() {
    QTemporaryDir dir;
    QStringList files;
    for (const char* name : {"a.bin", "b.bin", "c.bin"}) {
      QFile file(dir.filePath(name));
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(name);
      files << file.fileName();
    }
    // The same file under another name is the file open already.
    QVERIFY(QFile::link(files[1], dir.filePath("link.bin")));
    MainWindowFixture f(files + QStringList{dir.filePath("link.bin")});
    QCOMPARE(f.form.Documents().Count(), 3);
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - a.bin"));
    QTabBar* bar = f.form.Tabs()->Bar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->tabText(2), QString("c.bin"));
    QCOMPARE(bar->tabToolTip(2), QFileInfo(files[2]).canonicalFilePath());
    QStringList entries;
    QMenu* window = f.form.Tabs()->WindowMenu();
    emit window->aboutToShow();
    for (QAction* action : window->actions()) entries << action->text() + (action->isChecked() ? "+" : "");
    QCOMPARE(entries, QStringList({"&Next document", "&Previous document", "", "&1 a.bin+", "&2 b.bin", "&3 c.bin"}));
    // Closing down to one document hides the tabs, and the window looks as with one file.
    const int height = f.form.height();
    f.Trigger(Cmd::Close);
    f.Trigger(Cmd::Close);
    QVERIFY(bar->isHidden());
    QVERIFY(!window->actions().at(0)->isEnabled());
    QVERIFY(f.form.height() < height);
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - c.bin"));
    f.Trigger(Cmd::Close);
    QCOMPARE(f.form.windowTitle(), QString("QUOXA"));
    QCOMPARE(f.form.Documents().Count(), 1);
    QVERIFY(Texts(f).empty());
  }

  void eachTabKeepsItsOwnStateWhateverHappensInAnother() {
    using Op = std::function<void(MainWindowFixture&)>;
    const std::vector<std::pair<const char*, Op>> rows = {
        {"typing", [](MainWindowFixture& f) { QTest::keyClicks(f.form.QZStrGridHex(), "4142"); }},
        {"typing and undo",
         [](MainWindowFixture& f) {
           QTest::keyClicks(f.form.QZStrGridHex(), "4142");
           f.Trigger(Cmd::Undo);
         }},
        {"block",
         [](MainWindowFixture& f) {
           quoxa::GotoAddress(5, true, false);
           f.Trigger(Cmd::BlockMark);
           quoxa::GotoAddress(9, true, false);
           f.Trigger(Cmd::BlockMark);
         }},
        {"scroll", [](MainWindowFixture&) { quoxa::GotoAddress(300, true, false); }},
        {"remembered address and bookmark",
         [](MainWindowFixture& f) {
           quoxa::GotoAddress(20, true, false);
           f.Trigger(Cmd::RememberAddress);
           quoxa::Doc().Bookmarks.Append(20, "here");
           quoxa::RefreshBookmarkMenu();
         }},
        {"replace",
         [](MainWindowFixture& f) {
           quoxa::Search().FindString = "b";
           quoxa::Search().ReplaceString = "Z";
           quoxa::GotoAddress(1, true, false);
           f.form.RunCommand(Cmd::ReplaceAgain);
         }},
        {"save",
         [](MainWindowFixture& f) {
           QTest::keyClicks(f.form.QZStrGridHex(), "43");
           f.Trigger(Cmd::Save);
         }},
    };
    for (const auto& [name, op] : rows) {
      MainWindowFixture f;
      f.form.SetGridSize(16, 4);
      const std::string a = f.WriteFile("a.bin", std::string(400, 'a'));
      const std::string b = f.WriteFile("b.bin", std::string(400, 'b'));
      f.form.Documents().OpenInTab(a, false);
      quoxa::GotoAddress(99, true, false);
      f.form.Documents().OpenInTab(b, false);
      QAction* next = f.form.Tabs()->WindowMenu()->actions().at(0);
      next->trigger();
      const TabState first = StateOf(f);
      next->trigger();
      const TabState before = StateOf(f);
      op(f);
      const TabState after = StateOf(f);
      QVERIFY2(!(after == before), name);
      next->trigger();
      QVERIFY2(StateOf(f) == first, name);
      next->trigger();
      QVERIFY2(StateOf(f) == after, name);
      QVERIFY2(Texts(f).empty(), name);
    }
  }

  void closingAndExitAskForEachModifiedTab() {
    // Close of the active tab: the answer decides what happens to it and its file.
    const std::vector<std::tuple<int, int, std::string, QString>> rows = {
        {quoxa::mrYes, 1, "Xbc", "QUOXA - b.bin"},
        {quoxa::mrNo, 1, "abc", "QUOXA - b.bin"},
        {quoxa::mrCancel, 2, "abc", "QUOXA - a.bin"},
    };
    for (const auto& [answer, tabs, bytes, title] : rows) {
      MainWindowFixture f;
      const std::string a = f.WriteFile("a.bin", "abc");
      f.form.Documents().OpenInTab(a, false);
      f.form.Documents().OpenInTab(f.WriteFile("b.bin", "123"), false);
      f.form.Documents().Activate(0);
      quoxa::SetByte(1, 'X');
      quoxa::Doc().Modified = true;
      quoxa::UpdateStatus();
      QCOMPARE(f.form.Tabs()->Bar()->tabText(0), QString("*a.bin"));
      f.rec.messages.answers = {answer};
      f.Trigger(Cmd::Close);
      QCOMPARE(Texts(f), std::vector<std::string>{"a.bin modified. Save now?"});
      QCOMPARE(f.form.Documents().Count(), tabs);
      QCOMPARE(f.form.windowTitle(), title);
      QFile file(QString::fromStdString(a));
      QVERIFY(file.open(QIODevice::ReadOnly));
      QCOMPARE(file.readAll().toStdString(), bytes);
    }
    // Exit asks for every modified tab, the active one first; Cancel stops it there.
    MainWindowFixture f;
    for (const char* name : {"a.bin", "b.bin", "c.bin"}) {
      f.form.Documents().OpenInTab(f.WriteFile(name, "abc"), false);
      if (std::string(name) != "b.bin") quoxa::Doc().Modified = true;
    }
    f.rec.messages.answers = {quoxa::mrNo, quoxa::mrCancel};
    QVERIFY(!f.form.close());
    QCOMPARE(Texts(f), (std::vector<std::string>{"c.bin modified. Save now?", "a.bin modified. Save now?"}));
    QCOMPARE(f.form.windowTitle(), QString("QUOXA - a.bin"));
    f.rec.messages.answers = {quoxa::mrNo, quoxa::mrNo};
    QVERIFY(f.form.close());
    QCOMPARE(Texts(f).size(), size_t{4});
  }

  void aboutShowsTheMemoryInUse() {
    MainWindowFixture f;
    f.Load(std::string(20, 'x'));
    QString shown;
    QTimer::singleShot(0, [&] {
      auto* about = qobject_cast<quoxa::TFormAbout*>(QApplication::activeModalWidget());
      if (about == nullptr) return;
      shown = about->LabelInfo()->text();
      about->accept();
    });
    f.Trigger(Cmd::BtnInfo);
    QCOMPARE(shown, QString("Current file size: 20 bytes\nMemory allocated: 524,288 bytes"));
  }

  void helpShowsTopicsByNumber() {
    MainWindowFixture f;
    f.Trigger(Cmd::HelpContents);
    quoxa::THelpWindow* help = quoxa::CurrentHelpWindow();
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    QCOMPARE(help->Topic(), quoxa::help::kContents);
    QVERIFY(help->Browser()->toPlainText().contains("address column"));

    f.Load("abc");
    f.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    f.form.QZStrGridText()->setFocus();
    QTest::keyClick(f.form.QZStrGridText(), Qt::Key_F1);
    QCOMPARE(quoxa::CurrentHelpWindow()->Topic(), quoxa::help::kKeyboard);
    QVERIFY(quoxa::CurrentHelpWindow()->Browser()->toPlainText().contains("Marking a block"));

    for (int topic : {8, 35, 36, 37, 38, 39, 40, 70}) {
      QVERIFY2(!quoxa::HelpTopicHtml(topic).isEmpty(), qPrintable(QString::number(topic)));
    }
    QCOMPARE(f.form.QZStrGridHex()->whatsThis(), quoxa::HelpTopicHtml(quoxa::help::kHexGrid));
    QCOMPARE(f.form.QZStrGridAddr()->whatsThis(), quoxa::HelpTopicHtml(quoxa::help::kAddressColumn));
    QCOMPARE(f.form.Panels()->Panel(2)->whatsThis(), quoxa::HelpTopicHtml(quoxa::help::kStatusMode));
    QCOMPARE(f.form.ToolBar()->whatsThis(), quoxa::HelpTopicHtml(quoxa::help::kToolBar));
    QVERIFY(quoxa::HelpTopicHtml(4242).isEmpty());

    // A link in a popup opens its topic in the help window.
    QWhatsThisClickedEvent clicked("t2.html");
    QApplication::sendEvent(f.form.QZStrGridHex(), &clicked);
    QCOMPARE(quoxa::CurrentHelpWindow()->Topic(), quoxa::help::kFileCommands);
  }

  void busyTextShowsInTheMessagePanelWithTheWaitCursor() {
    MainWindowFixture f;
    quoxa::BeginBusy("Allocating memory");
    QCOMPARE(f.form.PanelText(3), std::string("Allocating memory"));
    QVERIFY(QApplication::overrideCursor() != nullptr);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    quoxa::EndBusy();
    QCOMPARE(f.form.PanelText(3), std::string());
    QVERIFY(QApplication::overrideCursor() == nullptr);

    const std::string longText(400, 'W');
    quoxa::BeginBusy(longText);
    const std::string shown = f.form.PanelText(3);
    quoxa::EndBusy();
    QVERIFY(shown.size() < longText.size());
    QVERIFY(shown.ends_with("..."));
  }

  void statusPanelsAreWideEnoughForTheirSamples() {
    MainWindowFixture f;
    for (int panel = 0; panel < 3; ++panel) {
      QLabel* label = f.form.Panels()->Panel(panel);
      const std::string sample = panel == 0 ? "Adr. dec: 999,999,999" : panel == 1 ? "Char dec: 255" : "Overwrite";
      QVERIFY(label->contentsRect().width() >= label->fontMetrics().horizontalAdvance(QString::fromStdString(sample)));
    }
  }
};

QTEST_MAIN(TestFormMain)
#include "tst_FormMain.moc"
