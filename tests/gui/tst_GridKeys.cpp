// Typing, moving and marking with real key events and clicks in the offscreen
// main window: document bytes, cursor, block and status texts.
#include <QApplication>
#include <QKeyEvent>

#include "MainWindowFixture.h"
#include "TestDocument.h"
#include "core/Navigation.h"
#include "ui/main/GridKeys.h"
#include "ui/main/QZStrGrid.h"

using quoxa::Cmd;
using quoxa::TQZStrGrid;
using quoxa::test::MainWindowFixture;

namespace {

std::string Bytes() { return quoxa::test::DocumentBytes(); }

void Click(TQZStrGrid* grid, int col, int row) {
  QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(col, row).center());
}

// A key press and release as the keyboard delivers them while Shift is already held.
void ShiftKey(QWidget* grid, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::ShiftModifier);
  QApplication::sendEvent(grid, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::ShiftModifier);
  QApplication::sendEvent(grid, &release);
  QCoreApplication::processEvents();
}

// As X11 reports them: the state before the key, so the Shift press itself comes without Shift.
void ShiftDown(QWidget* grid) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
  QApplication::sendEvent(grid, &press);
}

void ShiftUp(QWidget* grid) {
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier);
  QApplication::sendEvent(grid, &release);
}

// Keys go to the grid with the cursor.
QWidget* Active(MainWindowFixture& f) { return quoxa::Doc().TextMode ? f.form.QZStrGridText() : f.form.QZStrGridHex(); }

void Key(MainWindowFixture& f, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(Active(f), key, mods);
  QCoreApplication::processEvents();
}

void Text(MainWindowFixture& f, const char* text) {
  QTest::keyClicks(Active(f), text);
  QCoreApplication::processEvents();
}

}  // namespace

class TestGridKeys : public QObject {
  Q_OBJECT

 private slots:
  void hexDigitsOverwriteAndMoveOn() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(10));
    Key(f, Qt::Key_Tab);
    QVERIFY(!quoxa::Doc().TextMode);
    QCOMPARE(f.form.PanelText(0), std::string("Adr. hex: 0"));
    Click(f.form.QZStrGridHex(), 4, 0);
    Text(f, "4");
    QCOMPARE(f.form.QZStrGridHex()->Cell(4, 0), QString("4"));
    QCOMPARE(quoxa::GetByte(5), uint8_t{4});
    Text(f, "1");
    QCOMPARE(quoxa::GetByte(5), uint8_t{0x41});
    QCOMPARE(f.form.QZStrGridHex()->Cell(4, 0), QString("41"));
    QCOMPARE(f.form.QZStrGridText()->Cell(4, 0), QString("A"));
    QCOMPARE(quoxa::CursorAddress(), 6);
    QCOMPARE(f.form.PanelText(0), std::string("Adr. hex: 5"));
    QCOMPARE(f.form.PanelText(1), std::string("Char dec: 5"));
    QVERIFY(quoxa::Doc().Modified);

    Click(f.form.QZStrGridHex(), 9, 0);
    Text(f, "ff");
    QCOMPARE(quoxa::GetByte(10), uint8_t{0xFF});
    QCOMPARE(quoxa::CursorAddress(), 10);
    QCOMPARE(quoxa::Doc().DocSize, 10);
    QCOMPARE(f.form.PanelText(1), std::string("Char dec: 255"));
  }

  void insertingACharacterInTheTextGrid() {
    MainWindowFixture f;
    f.Load("0123456789");
    Key(f, Qt::Key_Insert);
    QCOMPARE(f.form.PanelText(2), std::string("Insert"));
    Click(f.form.QZStrGridText(), 4, 0);
    Text(f, "A");
    QCOMPARE(Bytes(), std::string("0123A456789"));
    QCOMPARE(quoxa::CursorAddress(), 6);
    QCOMPARE(f.form.QZStrGridText()->Cell(4, 0), QString("A"));
    QCOMPARE(f.form.QZStrGridText()->Cell(10, 0), QString("9"));
    QCOMPARE(f.form.PanelText(0), std::string("Adr. dec: 5"));
    QCOMPARE(f.form.PanelText(1), std::string("Char dec: 52"));
  }

  void aDigitThenAnArrowLeavesTheByte() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(10));
    Key(f, Qt::Key_Tab);
    Click(f.form.QZStrGridHex(), 2, 0);
    Text(f, "e");
    QCOMPARE(f.form.QZStrGridHex()->Cell(2, 0), QString("E"));
    Key(f, Qt::Key_Right);
    QCOMPARE(f.form.QZStrGridHex()->Cell(2, 0), QString("02"));
    QCOMPARE(quoxa::GetByte(3), uint8_t{2});
    QCOMPARE(quoxa::CursorAddress(), 4);
    QVERIFY(!quoxa::Doc().Modified);
    Text(f, "7");
    Key(f, Qt::Key_Escape);
    QCOMPARE(f.form.QZStrGridHex()->Cell(3, 0), QString("03"));
    QCOMPARE(quoxa::CursorAddress(), 4);
    Text(f, "7");
    Click(f.form.QZStrGridHex(), 8, 0);
    QCOMPARE(f.form.QZStrGridHex()->Cell(3, 0), QString("03"));
    QCOMPARE(quoxa::CursorAddress(), 9);
  }

  void typingIntoAnEmptyDocument() {
    MainWindowFixture f;
    f.Trigger(Cmd::New);
    Text(f, "Z");
    QCOMPARE(Bytes(), std::string("Z"));
    QCOMPARE(f.form.QZStrGridText()->Cell(0, 0), QString("Z"));
    QCOMPARE(f.form.QZStrGridAddr()->Cell(0, 0), QString("       0"));
    QCOMPARE(f.form.PanelText(1), std::string("Char dec: 90"));
    QCOMPARE(quoxa::CursorAddress(), 1);
    QVERIFY(quoxa::Doc().Modified);
  }

  void backspaceAndDelete() {
    MainWindowFixture f;
    f.Load("abcdef");
    Key(f, Qt::Key_Backspace);
    QCOMPARE(Bytes(), std::string("abcdef"));
    Key(f, Qt::Key_Right);
    Key(f, Qt::Key_Backspace);
    QCOMPARE(Bytes(), std::string("bcdef"));
    QCOMPARE(quoxa::CursorAddress(), 1);
    Key(f, Qt::Key_Delete);
    QCOMPARE(Bytes(), std::string("cdef"));
    Key(f, Qt::Key_Insert);
    Key(f, Qt::Key_End);
    Key(f, Qt::Key_Delete);
    QCOMPARE(Bytes(), std::string("cde"));
    QCOMPARE(quoxa::CursorAddress(), 3);
    QCOMPARE(f.form.QZStrGridText()->Cell(3, 0), QString());
    QCOMPARE(f.form.QZStrGridText()->Col(), 2);
  }

  void rightOnTheLastCellScrollsOneRow() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(1000), 16, 10);
    Click(f.form.QZStrGridText(), 15, 9);
    QCOMPARE(quoxa::CursorAddress(), 160);
    Key(f, Qt::Key_Right);
    QCOMPARE(quoxa::Doc().TopAddress, 17);
    QCOMPARE(quoxa::CursorAddress(), 161);
    QCOMPARE(f.form.QZStrGridText()->Col(), 0);
    QCOMPARE(f.form.QZStrGridText()->Row(), 9);
    QCOMPARE(f.form.QZStrGridAddr()->Cell(0, 0), QString("      10"));
    QCOMPARE(f.form.QZStrGridHex()->Cell(0, 9), QString("A0"));
  }

  void pagingAndEnds() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(1000), 16, 10);
    Click(f.form.QZStrGridText(), 3, 1);
    Key(f, Qt::Key_PageDown);
    QCOMPARE(quoxa::Doc().TopAddress, 161);
    QCOMPARE(quoxa::CursorAddress(), 180);
    QCOMPARE(f.form.PanelText(0), std::string("Adr. dec: 179"));
    Key(f, Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(quoxa::CursorAddress(), 1000);
    Key(f, Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(quoxa::CursorAddress(), 1);
    Key(f, Qt::Key_End);
    QCOMPARE(quoxa::CursorAddress(), 16);
    Key(f, Qt::Key_Home);
    QCOMPARE(quoxa::CursorAddress(), 1);
    Key(f, Qt::Key_Down);
    QCOMPARE(quoxa::CursorAddress(), 17);
  }

  void tabSwitchesGridsAndAddressBase() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(5000), 16, 10);
    quoxa::GotoAddress(1235, true, false);
    QCOMPARE(f.form.PanelText(0), std::string("Adr. dec: 1,234"));
    Key(f, Qt::Key_Tab);
    QVERIFY(!quoxa::Doc().TextMode);
    QVERIFY(f.form.QZStrGridHex()->IsActive());
    QVERIFY(f.Action(Cmd::TextModeCheck)->isChecked() == false);
    QCOMPARE(f.form.PanelText(0), std::string("Adr. hex: 4D2"));
    Key(f, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(quoxa::Doc().TextMode);
    QCOMPARE(f.form.PanelText(0), std::string("Adr. dec: 1,234"));
  }

  void clickOnTheOtherGridSwitchesAndMoves() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(40), 16, 10);
    QVERIFY(quoxa::Doc().TextMode);
    Click(f.form.QZStrGridHex(), 5, 1);
    QVERIFY(!quoxa::Doc().TextMode);
    QCOMPARE(quoxa::CursorAddress(), 22);
    QCOMPARE(f.form.QZStrGridText()->Col(), 5);
    QCOMPARE(f.form.QZStrGridText()->Row(), 1);
    QCOMPARE(f.form.PanelText(0), std::string("Adr. hex: 15"));
    Click(f.form.QZStrGridText(), 12, 2);
    QVERIFY(quoxa::Doc().TextMode);
    QCOMPARE(quoxa::CursorAddress(), 22);
  }

  void shiftArrowsMarkTheBlock() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(100), 16, 10);
    Click(f.form.QZStrGridText(), 9, 0);
    QWidget* grid = f.form.QZStrGridText();
    ShiftDown(grid);
    for (int i = 0; i < 3; ++i) ShiftKey(grid, Qt::Key_Right);
    QCOMPARE(quoxa::Doc().BlockBegin, 10);
    QCOMPARE(quoxa::Doc().BlockEnd, 13);
    QCOMPARE(quoxa::CursorAddress(), 13);
    QVERIFY(f.Action(Cmd::BlockUnmark)->isEnabled());
    QVERIFY(quoxa::Commands().Enabled(Cmd::BlockDelete));
    QCOMPARE(f.form.QZStrGridHex()->CellColor(10, 0), QColor(255, 0, 0));
    QVERIFY(!f.form.QZStrGridHex()->CellColor(13, 0).isValid());
    for (int i = 0; i < 3; ++i) ShiftKey(grid, Qt::Key_Left);
    QCOMPARE(quoxa::Doc().BlockBegin, 10);
    QCOMPARE(quoxa::Doc().BlockEnd, 10);
    ShiftKey(grid, Qt::Key_Left);
    QCOMPARE(quoxa::Doc().BlockBegin, 9);
    QCOMPARE(quoxa::Doc().BlockEnd, 10);
    ShiftUp(grid);
    // Moving without Shift keeps the block; pressing Shift alone drops it.
    Key(f, Qt::Key_Right);
    QCOMPARE(quoxa::Doc().BlockEnd, 10);
    ShiftDown(grid);
    QCOMPARE(quoxa::Doc().BlockBegin, 0);
    QCOMPARE(quoxa::Doc().BlockEnd, 0);
    QVERIFY(!f.Action(Cmd::BlockUnmark)->isEnabled());
    ShiftUp(grid);
  }

  void blockMarkAndUnmarkCommands() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(100), 16, 10);
    f.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    QVERIFY(f.Action(Cmd::BlockMark)->isEnabled());
    QVERIFY(!f.Action(Cmd::BlockUnmark)->isEnabled());
    Click(f.form.QZStrGridText(), 9, 0);
    Key(f, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(quoxa::Doc().BlockBegin, 10);
    QCOMPARE(quoxa::Doc().BlockEnd, 0);
    Click(f.form.QZStrGridText(), 4, 0);
    Key(f, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(quoxa::Doc().BlockBegin, 5);
    QCOMPARE(quoxa::Doc().BlockEnd, 10);
    QCOMPARE(Bytes(), quoxa::test::Ramp(100));
    QVERIFY(f.Action(Cmd::BlockUnmark)->isEnabled());
    Key(f, Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(quoxa::Doc().BlockBegin, 0);
    QCOMPARE(quoxa::Doc().BlockEnd, 0);
    QVERIFY(!f.Action(Cmd::BlockUnmark)->isEnabled());
    // Block mark needs at least one byte.
    f.Trigger(Cmd::New);
    f.Trigger(Cmd::BlockMark);
    QCOMPARE(quoxa::Doc().BlockBegin, 0);
  }

  void fastRepeatsTypeEveryByteInTurn() {
    MainWindowFixture f;
    f.Load("..........");
    // A held key: presses arrive faster than the event loop runs.
    for (int i = 0; i < 5; ++i) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a", i > 0);
      QApplication::sendEvent(f.form.QZStrGridText(), &press);
    }
    QCoreApplication::processEvents();
    QCOMPARE(Bytes(), std::string("aaaaa....."));
    QCOMPARE(quoxa::CursorAddress(), 6);
  }

  void aKeyDuringAMessageNeverReentersTyping() {
    MainWindowFixture f;
    f.Load("..........");
    Key(f, Qt::Key_Insert);
    quoxa::Doc().BlockBegin = 2;
    quoxa::Doc().BlockEnd = 3;
    Click(f.form.QZStrGridText(), 1, 0);
    // The block message comes while "A" is typed; the user hammers the keyboard meanwhile.
    class Hammering final : public quoxa::IMessages {
     public:
      explicit Hammering(QWidget* grid) : grid_(grid) {}
      int Message(const quoxa::MessageRequest& request) override {
        texts.push_back(request.text);
        QTest::keyClicks(grid_, "BC");
        QTest::keyClick(grid_, Qt::Key_Delete);
        return quoxa::mrOK;
      }
      bool Input(const quoxa::InputRequest&, std::string&) override { return false; }
      bool List(quoxa::ListRequest&, int&) override { return false; }
      std::vector<std::string> texts;

     private:
      QWidget* grid_;
    } hammering(f.form.QZStrGridText());
    quoxa::InstallMessages(&hammering);
    Text(f, "A");
    quoxa::InstallMessages(&f.rec.messages);
    QCOMPARE(hammering.texts, std::vector<std::string>{"Block no longer valid"});
    QCOMPARE(Bytes(), std::string(".A........."));
    QCOMPARE(quoxa::CursorAddress(), 3);
  }

  void wheelScrollsTheView() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(1000), 16, 10);
    TQZStrGrid* grid = f.form.QZStrGridHex();
    const QPointF at = grid->CellRect(2, 2).center();
    QWheelEvent down(at, grid->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                     false);
    QApplication::sendEvent(grid, &down);
    QCOMPARE(quoxa::Doc().TopAddress, 49);
    QWheelEvent up(at, grid->mapToGlobal(at), {}, {0, 240}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid, &up);
    QCOMPARE(quoxa::Doc().TopAddress, 1);
  }
};

QTEST_MAIN(TestGridKeys)
#include "tst_GridKeys.moc"
