// Find, Count and Replace through the real main window: menu items, keys and tool buttons open
// the dialogs, the searches move the cursor, and the Search menu commands follow the rules.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

#include "DialogTestKit.h"
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "Recorders.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "search/FormStrings.h"
#include "search/SearchState.h"
#include "settings/IniFile.h"
#include "settings/Options.h"
#include "ui/main/QZStrGrid.h"
#include "widgets/QZByteEdit.h"

using quoxa::Cmd;
using quoxa::test::MainWindowFixture;

namespace {

template <typename T>
T* Child(QWidget* form, const char* name) {
  T* child = form->findChild<T*>(QString::fromLatin1(name));
  if (child == nullptr) qFatal("no control %s", name);
  return child;
}

// What the user does in the Find/Count dialog: the caption it showed is kept in caption.
struct FindInput {
  QString text{};  // typed into the text edit, or
  QString hex{};   // typed into the hex edit
  bool caseSensitive = true;
  bool joker = false;
  bool begin = false;  // scope "Begin"/"End"
  bool up = false;
  bool cancel = false;
};

void AnswerFind(const FindInput& input, QString* caption) {
  quoxa::test::OnNextModal([input, caption](QWidget* dialog) {
    *caption = dialog->windowTitle();
    if (input.cancel) {
      Child<QPushButton>(dialog, "ButtonCancel")->click();
      return;
    }
    if (input.hex.isEmpty()) {
      Child<QRadioButton>(dialog, "RadioButtonText")->click();
      QLineEdit* edit = Child<QLineEdit>(dialog, "EditFindT");
      edit->clear();
      QTest::keyClicks(edit, input.text);
    } else {
      Child<QRadioButton>(dialog, "RadioButtonHex")->click();
      auto* edit = Child<quoxa::TQZByteEdit>(dialog, "QZByteEditFindH");
      edit->clear();
      QTest::keyClicks(edit, input.hex);
    }
    Child<QCheckBox>(dialog, "CheckBoxCase")->setChecked(input.caseSensitive);
    Child<QCheckBox>(dialog, "CheckBoxJokerFind")->setChecked(input.joker);
    (input.up ? Child<QRadioButton>(dialog, "rbtUp") : Child<QRadioButton>(dialog, "rbtDown"))->click();
    Child<QRadioButton>(dialog, input.begin ? "rbtBeginEnd" : "rbtCursor")->click();
    Child<QPushButton>(dialog, "ButtonOK")->click();
  });
}

// The Replace dialog with text strings; button is "ButtonOK", "ButtonReplAll" or "ButtonCancel".
void AnswerReplace(const QString& find, const QString& replacement, const char* button, bool begin = false) {
  quoxa::test::OnNextModal([=](QWidget* dialog) {
    Child<QRadioButton>(dialog, "RadioButtonFindT")->click();
    QTest::keyClicks(Child<QLineEdit>(dialog, "EditFindT"), find);
    Child<QRadioButton>(dialog, "RadioButtonReplT")->click();
    QTest::keyClicks(Child<QLineEdit>(dialog, "EditReplT"), replacement);
    Child<QRadioButton>(dialog, begin ? "rbtBeginEnd" : "rbtCursor")->click();
    Child<QPushButton>(dialog, button)->click();
  });
}

void Activate(MainWindowFixture& f) {
  f.form.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&f.form));
}

// The grid that takes the keys; the offscreen platform does not give the activation back to the
// main window after a modal dialog, so it is activated again first.
QWidget* Grid(MainWindowFixture& f) {
  Activate(f);
  return f.form.QZStrGridText();
}

std::vector<std::string> Texts(const MainWindowFixture& f) { return f.rec.messages.Texts(); }

}  // namespace

class TestSearchCommands : public QObject {
  Q_OBJECT

 private slots:
  void theSearchMenuFollowsTheDocument() {
    MainWindowFixture f;
    const Cmd all[] = {Cmd::Find, Cmd::FindDown, Cmd::FindUp, Cmd::Count, Cmd::Replace, Cmd::ReplaceAgain,
                       Cmd::ReplaceUndo, Cmd::BtnFind, Cmd::BtnReplace};
    for (Cmd cmd : all) QVERIFY(!f.Action(cmd)->isEnabled());
    f.Load("abc");
    for (Cmd cmd : {Cmd::Find, Cmd::Count, Cmd::Replace, Cmd::BtnFind, Cmd::BtnReplace}) {
      QVERIFY(f.Action(cmd)->isEnabled());
    }
    for (Cmd cmd : {Cmd::FindDown, Cmd::FindUp, Cmd::ReplaceAgain, Cmd::ReplaceUndo}) {
      QVERIFY(!f.Action(cmd)->isEnabled());
    }
    QCOMPARE(f.Action(Cmd::Find)->shortcut(), QKeySequence("Ctrl+F"));
    QCOMPARE(f.Action(Cmd::FindDown)->shortcut(), QKeySequence("F3"));
    QCOMPARE(f.Action(Cmd::FindUp)->shortcut(), QKeySequence("Shift+F3"));
    QCOMPARE(f.Action(Cmd::Replace)->shortcut(), QKeySequence("Ctrl+R"));
    QCOMPARE(f.Action(Cmd::ReplaceAgain)->shortcut(), QKeySequence("F4"));
    QCOMPARE(f.Action(Cmd::BtnFind)->toolTip(), QString("Find"));
    QCOMPARE(f.Action(Cmd::BtnReplace)->toolTip(), QString("Replace"));
    QCOMPARE(f.Action(Cmd::ReplaceUndo)->statusTip(), QString("Undo last replacement"));
    QCOMPARE(f.Action(Cmd::ReplaceUndo)->text(), QString("Replace &undo"));
  }

  void findWithCtrlFThenF3AndShiftF3() {
    MainWindowFixture f;
    f.Load("The fox and the dog and THE end");
    Activate(f);
    quoxa::GotoAddress(2, true, false);
    QString caption;
    AnswerFind({.text = "the", .caseSensitive = false}, &caption);
    QTest::keyClick(Grid(f), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(caption, QString("Find"));
    QCOMPARE(quoxa::CursorAddress(), 13);
    QCOMPARE(quoxa::Search().FindString, std::string("the"));
    QVERIFY(!quoxa::Search().CaseSensitive);
    QVERIFY(!quoxa::Options().FindHex);
    QVERIFY(f.Action(Cmd::FindDown)->isEnabled());
    QVERIFY(f.Action(Cmd::FindUp)->isEnabled());
    QCOMPARE(f.rec.progress.boxes.back()->setup.caption, std::string("Searching..."));
    QCOMPARE(f.rec.progress.boxes.back()->setup.text, std::string("Current file position"));

    QTest::keyClick(Grid(f), Qt::Key_F3);
    QCOMPARE(quoxa::CursorAddress(), 25);
    QTest::keyClick(Grid(f), Qt::Key_F3);
    QCOMPARE(Texts(f), std::vector<std::string>{"String not found"});
    QCOMPARE(quoxa::CursorAddress(), 25);
    QTest::keyClick(Grid(f), Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(quoxa::CursorAddress(), 13);
    QTest::keyClick(Grid(f), Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(quoxa::CursorAddress(), 1);
  }

  void findAHexStringWithTheJokerFromTheToolButton() {
    MainWindowFixture f;
    f.Load("xxAbCxxA.Cxx");
    Activate(f);
    quoxa::GotoAddress(10, true, false);
    QString caption;
    AnswerFind({.hex = "412e43", .joker = true, .begin = true}, &caption);
    f.Trigger(Cmd::BtnFind);
    QCOMPARE(caption, QString("Find"));
    QCOMPARE(quoxa::CursorAddress(), 3);  // scope Begin starts at the first byte
    QVERIFY(quoxa::Search().JokerEnabled);
    QCOMPARE(quoxa::Search().FindString, std::string("A.C"));
    QVERIFY(quoxa::Options().FindHex);
    QTest::keyClick(Grid(f), Qt::Key_F3);
    QCOMPARE(quoxa::CursorAddress(), 8);

    // Upwards the scope starts at the end.
    AnswerFind({.hex = "412e43", .joker = true, .begin = true, .up = true}, &caption);
    f.Trigger(Cmd::Find);
    QCOMPARE(quoxa::CursorAddress(), 8);
    QVERIFY(!quoxa::Search().SearchDown);
  }

  void aCancelledFindDialogEndsFindAgainAndReplaceAgain() {
    MainWindowFixture f;
    f.Load("abcabc");
    QString caption;
    AnswerFind({.text = "b"}, &caption);
    f.Trigger(Cmd::Find);
    QCOMPARE(quoxa::CursorAddress(), 2);
    quoxa::Commands().SetEnabled(Cmd::ReplaceAgain, true);
    AnswerFind({.cancel = true}, &caption);
    f.Trigger(Cmd::Find);
    for (Cmd cmd : {Cmd::FindDown, Cmd::FindUp, Cmd::ReplaceAgain, Cmd::ReplaceUndo}) {
      QVERIFY(!f.Action(cmd)->isEnabled());
    }
    QCOMPARE(quoxa::CursorAddress(), 2);
    QVERIFY(Texts(f).empty());
  }

  void countShowsTheNumberAndGoesToTheLastOne() {
    MainWindowFixture f;
    f.Load("ab.ab.ab.xx");
    QString caption;
    AnswerFind({.text = "ab", .begin = true}, &caption);
    f.Trigger(Cmd::Count);
    QCOMPARE(caption, QString("Count"));
    QCOMPARE(Texts(f), std::vector<std::string>{"Occurences found:\n3"});
    QCOMPARE(quoxa::CursorAddress(), 7);
    QVERIFY2(!f.Action(Cmd::FindDown)->isEnabled(), "Count leaves Find again as it was");
  }

  void replaceOneByOneWithF4AndUndo() {
    MainWindowFixture f;
    f.Load("ab-ab-ab");
    Activate(f);
    AnswerReplace("ab", "XYZ", "ButtonOK");
    QTest::keyClick(Grid(f), Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("XYZ-ab-ab"));
    QCOMPARE(quoxa::CursorAddress(), 3);
    QVERIFY(f.Action(Cmd::ReplaceAgain)->isEnabled());
    QVERIFY(f.Action(Cmd::ReplaceUndo)->isEnabled());
    QVERIFY(quoxa::Doc().Modified);
    QCOMPARE(f.rec.progress.boxes.back()->setup.caption, std::string("Replacing..."));

    QTest::keyClick(Grid(f), Qt::Key_F4);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("XYZ-XYZ-ab"));
    QCOMPARE(quoxa::CursorAddress(), 7);
    f.Trigger(Cmd::ReplaceUndo);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("XYZ-ab-ab"));
    QCOMPARE(quoxa::CursorAddress(), 5);
    QVERIFY(!f.Action(Cmd::ReplaceUndo)->isEnabled());

    QTest::keyClick(Grid(f), Qt::Key_F4);  // the restored occurrence was just found: skipped
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("XYZ-ab-XYZ"));
    QTest::keyClick(Grid(f), Qt::Key_F4);
    QCOMPARE(Texts(f), std::vector<std::string>{"String not found"});
  }

  void replaceAllFromTheToolButton() {
    MainWindowFixture f;
    f.Load("a1a2a3");
    quoxa::GotoAddress(3, true, false);
    AnswerReplace("a", "", "ButtonReplAll", true);
    f.Trigger(Cmd::BtnReplace);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("123"));
    QCOMPARE(Texts(f), std::vector<std::string>{"Occurences replaced:\n3"});
    QVERIFY(f.Action(Cmd::ReplaceAgain)->isEnabled());
    QVERIFY(!f.Action(Cmd::ReplaceUndo)->isEnabled());
    QCOMPARE(quoxa::Search().ReplaceString, std::string());
    QVERIFY(!quoxa::Options().ReplaceHex);
  }

  void aCancelledReplaceDialogEndsReplaceAgainAndUndo() {
    MainWindowFixture f;
    f.Load("aaa");
    AnswerReplace("a", "b", "ButtonOK");
    f.Trigger(Cmd::Replace);
    QVERIFY(f.Action(Cmd::ReplaceUndo)->isEnabled());
    AnswerReplace("a", "b", "ButtonCancel");
    f.Trigger(Cmd::Replace);
    QVERIFY(!f.Action(Cmd::ReplaceAgain)->isEnabled());
    QVERIFY(!f.Action(Cmd::ReplaceUndo)->isEnabled());
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("baa"));
  }

  // The Strings dialog starts with the minimum length the settings file holds (the default for
  // a value out of bounds), lists by it, and keeps the one it closes with.
  void theStringsMinimumLengthIsKeptInTheSettingsFile() {
    quoxa::test::OwnSettingsFile settings;
    quoxa::test::RecorderScope rec;
    quoxa::test::LoadDocument(std::string("ab\0abc\0abcd\0abcdefg", 19));
    const struct {
      const char* stored;
      int shown;
      int rows;
      int chosen;
    } rows[] = {
        {nullptr, 4, 2, 3}, {"3", 3, 3, 7}, {"7", 7, 1, 1}, {"0", 4, 2, 2}, {"1001", 4, 2, 1000}};
    for (const auto& row : rows) {
      if (row.stored != nullptr) {
        quoxa::TIniFile(settings.Path()).WriteString("Strings", "MinLength", row.stored);
      }
      {
        quoxa::TFormStrings form;
        auto* length = quoxa::test::Child<QSpinBox>(form, "SpinEditLength");
        QCOMPARE(length->value(), row.shown);
        QVERIFY(form.Scan());
        QCOMPARE(form.List()->model()->rowCount(), row.rows);
        length->setValue(row.chosen);
        form.reject();
      }
      QCOMPARE(quoxa::TIniFile(settings.Path()).ReadInteger("Strings", "MinLength", 0), row.chosen);
    }
  }
};

QTEST_MAIN(TestSearchCommands)
#include "tst_SearchCommands.moc"
