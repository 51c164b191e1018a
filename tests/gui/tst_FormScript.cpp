// The script window: Execute and Syntax Check with the failing line selected, the save
// question, Open, Save and Save as, the command templates, its placement, the two commands of
// the main window's QUOXAscript menu, and batch runs from the command line.
#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QtTest>
#include <deque>

#include "DialogTestKit.h"
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/Journal.h"
#include "script/FormScript.h"
#include "script/ScriptCommands.h"
#include "script/ScriptRun.h"
#include "settings/Options.h"
#include "settings/Placement.h"
#include "settings/SettingsPath.h"
#include "ui/main/MainMenu.h"
#include "ui/main/MenuRules.h"
#include "ui/main/PendingCommands.h"

using namespace quoxa;
using test::Child;

namespace {

QString LineError(int n, const QString& line, const QString& message) {
  return QString("Error in line number %1:\n%2\r\n\r\n%3").arg(n).arg(line, message);
}

QStringList Texts(const test::RecordingMessages& messages) {
  QStringList texts;
  for (const std::string& text : messages.Texts()) texts << QString::fromStdString(text);
  return texts;
}

// Runs action once ready() holds, without blocking: the run it waits for may be below on the stack.
void WhenReady(std::function<bool()> ready, std::function<void()> action) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, ready, action] {
    if (!ready()) return;
    timer->stop();
    timer->deleteLater();
    action();
  });
  timer->start();
}

void SetScript(TFormScript& form, const QString& text) {
  form.MemoScript()->setPlainText(text);
  form.MemoScript()->document()->setModified(true);
}

}  // namespace

class TestFormScript : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    BatchMode = false;
    BatchExitStatus = 0;
    ResetPlacementCascade();
  }

  void executeAndSyntaxCheck_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("selected");
    QTest::newRow("run") << "ButtonExecute" << "ADR 1\nOVERWRITE 31" << "A1C" << "Script executed successfully!" << "";
    QTest::newRow("run error") << "ButtonExecute" << "ADR 1\n\nADR 9\nREM x" << "ABC"
                               << LineError(3, "ADR 9", "Can't go to address: $9") << "ADR 9";
    QTest::newRow("check error") << "ButtonExecute" << "OVERWRITE 31\n  foo  " << "ABC"
                                 << LineError(2, "foo", "Invalid command:\nfoo") +
                                        "\r\n\r\nFile was NOT yet changed by interpreter"
                                 << "  foo  ";
    QTest::newRow("empty") << "ButtonExecute" << "" << "ABC" << "" << "";
    // Only a blank separates a command from its parameter, not a no-break space.
    QTest::newRow("no-break space")
        << "ButtonExecute" << QString::fromUtf8("ADR\u00A02") << "ABC"
        << LineError(1, QString::fromUtf8("ADR\u00A02"),
                     QString::fromUtf8("Invalid command:\nADR\u00A02")) +
               "\r\n\r\nFile was NOT yet changed by interpreter"
        << QString::fromUtf8("ADR\u00A02");
    QTest::newRow("syntax") << "ButtonCheck" << "OVERWRITE 31" << "ABC"
                            << "Syntax check passed without errors.\nNote: During execution, run time errors may occur."
                            << "";
    QTest::newRow("syntax error") << "ButtonCheck" << "REM\nDEL 0" << "ABC"
                                  << LineError(2, "DEL 0", "Invalid byte count: 0") << "DEL 0";
  }

  void executeAndSyntaxCheck() {
    QFETCH(QString, button);
    QFETCH(QString, script);
    QFETCH(QString, bytes);
    QFETCH(QString, message);
    QFETCH(QString, selected);
    test::OwnSettingsFile settings;
    test::RecorderScope rec;
    test::LoadDocument("ABC", 4, 4);
    TFormScript form;
    test::ShowActive(form);
    SetScript(form, script);
    Child<QPushButton>(form, button.toLatin1().constData())->click();
    QCOMPARE(QString::fromStdString(test::DocumentBytes()), bytes);
    QCOMPARE(Texts(rec.messages), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty()) {
      const bool error = !selected.isEmpty();
      QCOMPARE(rec.messages.shown[0].type, error ? MsgType::Error : button == "ButtonCheck" ? MsgType::Custom
                                                                                            : MsgType::Information);
    }
    QCOMPARE(form.MemoScript()->textCursor().selectedText(), selected);
    QVERIFY(form.isVisible());
  }

  void autoRunClosesAfterSuccessAndStaysAtAnError() {
    test::OwnSettingsFile settings;
    test::RecorderScope rec;
    test::LoadDocument("ABC", 4, 4);
    TFormScript form;
    form.SetAutoRun(true);
    SetScript(form, "OVERWRITE 31");
    form.show();
    QTRY_VERIFY(!form.isVisible());
    QCOMPARE(test::DocumentBytes(), std::string("1BC"));
    QVERIFY(rec.messages.shown.empty());
    // Closing an auto-run window asks nothing, though its text is modified.
    SetScript(form, "OVERWRITE 32\nADR 7");
    form.show();
    QTRY_COMPARE(Texts(rec.messages), QStringList{LineError(2, "ADR 7", "Can't go to address: $7")});
    QVERIFY(form.isVisible());
    QCOMPARE(form.MemoScript()->textCursor().selectedText(), QString("ADR 7"));
    form.reject();
    QVERIFY(!form.isVisible());
    QCOMPARE(rec.messages.shown.size(), size_t{1});
  }

  void openSaveAndTheSaveQuestion() {
    test::OwnSettingsFile settings;
    test::TempDir dir;
    test::RecorderScope rec;
    Options().CurrentDir = dir.Path();
    TFormScript form;
    std::vector<FileDialogRequest> asked;
    std::deque<FileDialogResult> answers;
    form.SetFileQuestionHandler([&](const FileDialogRequest& request) {
      asked.push_back(request);
      FileDialogResult answer = answers.front();
      answers.pop_front();
      return answer;
    });
    test::ShowActive(form);
    SetScript(form, "ADR 1");

    // Cancel keeps the text and opens nothing.
    rec.messages.answers = {mrCancel};
    Child<QAction>(form, "Open1")->trigger();
    QCOMPARE(Texts(rec.messages), QStringList{"Script modified. Save now to file?"});
    QVERIFY(asked.empty());
    QCOMPARE(form.MemoScript()->toPlainText(), QString("ADR 1"));

    // Unnamed, Yes goes to Save as; cancelling it keeps the window open.
    answers = {{false, "", {}, "", false}};
    rec.messages.answers = {mrYes};
    form.reject();
    QCOMPARE(asked.size(), size_t{1});
    QVERIFY(asked[0].save);
    QVERIFY(form.isVisible());
    asked.clear();
    rec.messages.shown.clear();

    // A file that cannot be read: no file attached afterwards, Save disabled.
    const std::string missing = dir.File("missing.qsc");
    rec.messages.answers = {mrNo};
    answers = {{true, missing, {missing}, dir.Path(), false}};
    Child<QAction>(form, "Open1")->trigger();
    QCOMPARE(asked.size(), size_t{1});
    QCOMPARE(asked[0].title, std::string("Load QUOXAscript"));
    QCOMPARE(asked[0].filter, std::string("*.qsc"));
    QCOMPARE(asked[0].favoritesSection, std::string("Favorites"));
    QCOMPARE(asked[0].startDir, ProgramDirectory());
    QVERIFY(!asked[0].showReadOnly && !asked[0].save);
    QCOMPARE(Texts(rec.messages).last(), QString::fromStdString("Error reading QUOXAscript file\n" + missing));
    QCOMPARE(form.windowTitle(), QString("QUOXAscript interpreter"));
    QVERIFY(!Child<QAction>(form, "Save1")->isEnabled());
    QVERIFY(!Child<QAction>(form, "QZBtnSave")->isEnabled());

    // A file that loads.
    const std::string path = dir.Write("run.qsc", "ADR 2\r\nDEL 1\r\n");
    answers = {{true, path, {path}, dir.Path(), false}};
    rec.messages.answers = {mrNo};
    Child<QAction>(form, "Open1")->trigger();
    QCOMPARE(form.MemoScript()->toPlainText(), QString("ADR 2\nDEL 1"));
    QCOMPARE(form.windowTitle(), QString("QUOXAscript interpreter - run.qsc"));
    QVERIFY(Child<QAction>(form, "Save1")->isEnabled());
    QVERIFY(!form.MemoScript()->document()->isModified());

    // Closing a modified named script asks by its name; Yes saves with CR LF.
    SetScript(form, "ADR 3\nDEL 2");
    rec.messages.shown.clear();
    rec.messages.answers = {mrYes};
    Child<QPushButton>(form, "ButtonClose")->click();
    QCOMPARE(Texts(rec.messages), QStringList{"Script run.qsc modified.\nSave now?"});
    QCOMPARE(test::TempDir::Read(path), std::string("ADR 3\r\nDEL 2\r\n"));
    QVERIFY(!form.isVisible());

    // Save as asks in the current folder and attaches the new file.
    test::ShowActive(form);
    const std::string other = dir.File("other.qsc");
    answers = {{true, other, {other}, dir.File("sub"), false}};
    Child<QAction>(form, "Saveas1")->trigger();
    QCOMPARE(asked.back().title, std::string("Save QUOXAscript"));
    QCOMPARE(asked.back().startDir, dir.Path());
    QVERIFY(asked.back().save);
    QCOMPARE(Options().CurrentDir, dir.File("sub"));
    QCOMPARE(test::TempDir::Read(other), std::string("ADR 3\r\nDEL 2\r\n"));
    QCOMPARE(form.windowTitle(), QString("QUOXAscript interpreter - other.qsc"));
  }

  void insertCommand_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caretLine");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("selected");
    QTest::newRow("empty editor") << "" << 0 << "&ADR <dec. or $hex address>" << "ADR <dec. or $hex address>\n"
                                  << "<dec. or $hex address>";
    QTest::newRow("blank line replaced") << "FIND 41\n \t\nEXIT" << 1 << "R&EM <remark>"
                                         << "FIND 41\nREM <remark>\nEXIT" << "<remark>";
    QTest::newRow("above a command") << "FIND 41\nEXIT" << 1 << "ADREOF (go to end of file)"
                                     << "FIND 41\nADREOF (go to end of file)\nEXIT" << "(go to end of file)";
    QTest::newRow("behind the last line") << "FIND 41\n" << 1 << "&DEL <dec. or $hex count>"
                                          << "FIND 41\nDEL <dec. or $hex count>\n" << "<dec. or $hex count>";
  }

  void insertCommand() {
    QFETCH(QString, text);
    QFETCH(int, caretLine);
    QFETCH(QString, caption);
    QFETCH(QString, result);
    QFETCH(QString, selected);
    test::OwnSettingsFile settings;
    TFormScript form;
    form.MemoScript()->setPlainText(text);
    form.MemoScript()->setTextCursor(QTextCursor(form.MemoScript()->document()->findBlockByNumber(caretLine)));
    // Through the menu, as the user picks it.
    QMenu* menu = form.findChild<QMenu*>("InsertCommand");
    QAction* item = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->text() == caption) item = action;
    }
    QVERIFY(item != nullptr);
    item->trigger();
    QCOMPARE(form.MemoScript()->toPlainText(), result);
    QCOMPARE(form.MemoScript()->textCursor().selectedText(), selected);
  }

  void theSelectionIsDeletedFirst() {
    test::OwnSettingsFile settings;
    TFormScript form;
    form.MemoScript()->setPlainText("FIND 41");
    QTextCursor cursor(form.MemoScript()->document());
    cursor.setPosition(4);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    form.MemoScript()->setTextCursor(cursor);
    form.InsertCommand("&EXIT (terminate script execution)");
    QCOMPARE(form.MemoScript()->toPlainText(), QString("EXIT (terminate script execution)\nFIND"));
    QCOMPARE(TFormScript::CommandCaptions().size(), size_t{17});
  }

  void placementIsKept() {
    test::OwnSettingsFile settings;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QPoint pos;
    {
      TFormScript form;
      form.show();
      form.setGeometry(screen.x() + 40, screen.y() + 30, 500, 350);
      pos = form.pos();
    }
    TFormScript again;
    again.show();
    QCOMPARE(again.size(), QSize(500, 350));
    QCOMPARE(again.pos(), pos);
  }

  void theQuoxascriptMenu() {
    test::MainWindowFixture f;
    f.Load("ABCDEF");
    QVERIFY(!NotYetAvailable(Cmd::ScriptEditor) && !NotYetAvailable(Cmd::ScriptExecute));
    TFormScript* form = f.form.Scripts().Form();

    // With an empty editor "Execute active" is disabled when the menu opens and does nothing.
    EnableOnMenuOpen(MenuId::Script);
    QVERIFY(!Commands().Enabled(Cmd::ScriptExecute));
    f.form.Scripts().Run(Cmd::ScriptExecute);
    QVERIFY(!form->isVisible());

    // "Editor..." opens the window with Execute usable while a document is open.
    bool executeEnabled = false;
    test::OnNextModal([&](QWidget* w) {
      executeEnabled = Child<QPushButton>(*w, "ButtonExecute")->isEnabled();
      Child<QPlainTextEdit>(*w, "MemoScript")->setPlainText("ADR 2\nINSERT 31 32");
      static_cast<QDialog*>(w)->reject();
    });
    f.Trigger(Cmd::ScriptEditor);
    QVERIFY(executeEnabled);
    QVERIFY(f.rec.messages.shown.empty());

    // Now it runs the script at once, closes without a word, and is one undo step.
    EnableOnMenuOpen(MenuId::Script);
    QVERIFY(Commands().Enabled(Cmd::ScriptExecute));
    Doc().Journal.Reset();
    f.Trigger(Cmd::ScriptExecute);
    QCOMPARE(test::DocumentBytes(), std::string("AB12CDEF"));
    QVERIFY(!form->isVisible());
    QVERIFY(f.rec.messages.shown.empty());
    QCOMPARE(Doc().Journal.UndoDepth(), size_t{1});
    f.Trigger(Cmd::Undo);
    QCOMPARE(test::DocumentBytes(), std::string("ABCDEF"));

    // A failing run leaves the window open on the failing line.
    form->MemoScript()->setPlainText("ADR 2\nVERIFY 41");
    QString selected;
    test::OnNextModal([&](QWidget* w) {
      WhenReady([&] { return !f.rec.messages.shown.empty(); }, [&, w] {
        selected = Child<QPlainTextEdit>(*w, "MemoScript")->textCursor().selectedText();
        static_cast<QDialog*>(w)->reject();
      });
    });
    f.Trigger(Cmd::ScriptExecute);
    QCOMPARE(selected, QString("VERIFY 41"));
    QCOMPARE(Texts(f.rec.messages),
             QStringList{LineError(2, "VERIFY 41", "VERIFY failed; string(s) not found\nat address $2")});

    // Without a document the editor opens with Execute disabled, and Execute active does nothing.
    f.form.Documents().CloseDocument();
    test::OnNextModal([&](QWidget* w) {
      executeEnabled = Child<QPushButton>(*w, "ButtonExecute")->isEnabled();
      static_cast<QDialog*>(w)->reject();
    });
    f.Trigger(Cmd::ScriptEditor);
    QVERIFY(!executeEnabled);
    EnableOnMenuOpen(MenuId::Script);
    QVERIFY(!Commands().Enabled(Cmd::ScriptExecute));
  }

  void batchRuns_data() {
    QTest::addColumn<QString>("script");  // empty: no script file
    QTest::addColumn<QString>("switchPrefix");
    QTest::addColumn<bool>("unattended");
    QTest::addColumn<QString>("bytes");   // the file afterwards
    QTest::addColumn<int>("status");      // -1: the program goes on
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("success") << "OVERWRITE %1\nMSG quiet" << "/S=" << true << "xBC" << 0 << QStringList{};
    QTest::newRow("unchanged") << "VERIFY 41" << "-s" << true << "ABC" << 0 << QStringList{};
    QTest::newRow("error unattended") << "OVERWRITE 31\nADR 9" << "/s" << true << "ABC" << 1
                                      << QStringList{LineError(2, "ADR 9", "Can't go to address: $9")};
    QTest::newRow("error with a user") << "OVERWRITE 31\nADR 9" << "-S=" << false << "ABC" << -1
                                       << QStringList{LineError(2, "ADR 9", "Can't go to address: $9")};
    QTest::newRow("no script unattended") << "" << "/S=" << true << "ABC" << 1 << QStringList{"missing"};
    QTest::newRow("no script with a user") << "" << "/S=" << false << "ABC" << -1 << QStringList{"missing"};
    QTest::newRow("not a switch") << "OVERWRITE 31" << "/x" << true << "ABC" << -1 << QStringList{};
    // Nothing to run ends an unattended run, the file untouched.
    QTest::newRow("empty file") << "<empty>"
                                << "/S=" << true << "ABC" << 0 << QStringList{};
    QTest::newRow("line feed alone") << "\n"
                                     << "/S=" << true << "ABC" << 0 << QStringList{};
    QTest::newRow("CR LF alone") << "\r\n"
                                 << "/S=" << true << "ABC" << 0 << QStringList{};
  }

  void batchRuns() {
    QFETCH(QString, script);
    QFETCH(QString, switchPrefix);
    QFETCH(bool, unattended);
    QFETCH(QString, bytes);
    QFETCH(int, status);
    QFETCH(QStringList, messages);
    test::OwnSettingsFile settings;
    test::TempDir dir;
    test::RecorderScope rec;
    Doc().FileName = dir.Write("doc.bin", "ABC");
    test::LoadDocument("ABC", 4, 4);
    const std::string scriptPath =
        script.isEmpty()
            ? dir.File("missing.qsc")
            : dir.Write("run.qsc", script == "<empty>" ? std::string() : script.toStdString());
    QWidget window;
    TScriptCommands commands(
        &window, {QString::fromStdString(Doc().FileName), switchPrefix + QString::fromStdString(scriptPath), "78"});
    commands.SetUnattended(unattended);
    int ended = -1;
    commands.SetTerminate([&](int code) { ended = code; });
    if (!unattended && !script.isEmpty()) {
      // With a user the failed run stays in the window until it is closed.
      test::OnNextModal([&](QWidget* w) {
        WhenReady([&] { return !rec.messages.shown.empty(); }, [w] { static_cast<QDialog*>(w)->reject(); });
      });
    }
    commands.StartBatch();
    QCOMPARE(ended, status);
    // A failed run shown to a user ends the program with status 1 whenever it is closed.
    QCOMPARE(BatchExitStatus,
             QString(QTest::currentDataTag()) == "error with a user" ? 1 : std::max(status, 0));
    QCOMPARE(QString::fromStdString(test::TempDir::Read(Doc().FileName)), bytes);
    // Unattended, the script never goes through the editor: nobody would see it there.
    QCOMPARE(commands.Form()->MemoScript()->document()->isEmpty(), unattended || script.isEmpty());
    if (messages == QStringList{"missing"}) messages = {QString::fromStdString("Error reading QUOXAscript file\n" + scriptPath)};
    QCOMPARE(Texts(rec.messages), messages);
    QCOMPARE(BatchMode, script.isEmpty() || switchPrefix == "/x" ? false : true);
    BatchMode = false;
  }

  void longLinesStayOutOfTheEditor() {
    test::OwnSettingsFile settings;
    test::TempDir dir;
    test::RecorderScope rec;
    const std::string longLine = "INSERT " + std::string(TFormScript::kMaxEditorLine - 7, '4');
    const std::string longScript = dir.Write("long.qsc", "ADR x\r\n" + longLine + "1\r\n");
    const std::string shortScript = dir.Write("short.qsc", "ADR x\r\n" + longLine + "\r\n");
    TFormScript form;
    // The window refuses a line longer than it lays out quickly, and keeps its text.
    form.MemoScript()->setPlainText("REM before");
    QVERIFY(!form.LoadScript(longScript));
    QCOMPARE(Texts(rec.messages),
             QStringList{QString::fromStdString(
                 "Error reading QUOXAscript file\n" + longScript +
                 "\n\nLine 2 is longer than 100,000 characters, too long for the script window.\n"
                 "Run such a script with: quoxa FILE /S=SCRIPT")});
    QCOMPARE(form.MemoScript()->toPlainText(), QString("REM before"));
    QVERIFY(form.ScriptFileName().empty());
    QVERIFY(form.LoadScript(shortScript));
    QCOMPARE(form.MemoScript()->document()->blockCount(), 2);
    // A batch run takes the file's lines as read, and the editor gets them only when a user
    // is to see the failing line, and they fit.
    const std::vector<std::string> longLines{"ADR x", longLine + "1"};
    BatchMode = true;
    for (const std::string& path : {longScript, shortScript}) {
      QVERIFY(form.LoadBatchScript(path));
      QVERIFY(form.MemoScript()->document()->isEmpty() && form.MemoScript()->isReadOnly());
      QVERIFY(form.HasLines());
      QCOMPARE(form.Lines().size(), size_t{2});
      form.ExecuteClick();  // fails in line 1
    }
    QCOMPARE(form.MemoScript()->document()->blockCount(), 2);
    QVERIFY(!form.MemoScript()->isReadOnly());
    QVERIFY(form.LoadBatchScript(longScript));
    QCOMPARE(form.Lines(), longLines);
    form.ExecuteClick();
    QVERIFY(form.MemoScript()->document()->isEmpty() && form.MemoScript()->isReadOnly());
    QCOMPARE(
        form.MemoScript()->placeholderText(),
        QString(
            "Line 2 is longer than 100,000 characters: the script is run as read from its file and "
            "not shown here."));
    QCOMPARE(form.Lines(), longLines);
    BatchMode = false;
    // An edit makes the editor's text the script.
    form.MemoScript()->setPlainText(QString::fromUtf8("ADR\u00A01"));
    QCOMPARE(form.Lines(), std::vector<std::string>{"ADR\xC2\xA0"
                                                    "1"});
    QCOMPARE(rec.messages.shown.size(), size_t{4});
  }

  void aBatchRunThatCannotSaveKeepsTheDocument() {
    test::OwnSettingsFile settings;
    test::TempDir dir;
    test::RecorderScope rec;
    test::LoadDocument("ABC", 4, 4);
    Doc().FileName = dir.File("gone/doc.bin");
    QWidget window;
    TScriptCommands commands(&window, {QString::fromStdString(Doc().FileName),
                                       QString::fromStdString("/S=" + dir.Write("run.qsc", "OVERWRITE 31"))});
    commands.SetUnattended(true);
    int ended = -1;
    commands.SetTerminate([&](int code) { ended = code; });
    commands.StartBatch();
    QCOMPARE(ended, 1);
    QVERIFY(Doc().Modified);
    QCOMPARE(rec.messages.shown.size(), size_t{1});
    QCOMPARE(rec.messages.shown[0].type, MsgType::Error);
    BatchMode = false;
  }
};

QTEST_MAIN(TestFormScript)
#include "tst_FormScript.moc"
