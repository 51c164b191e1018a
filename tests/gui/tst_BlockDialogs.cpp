// The Block <n> chars and Insert/Overwrite string dialogs: their controls, the radios that follow
// the "$" of the number, the OK checks with their messages and focus, the histories; and the
// block and string commands through the main window's keys, menu and tool button.
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <fstream>
#include <iterator>

#include "DialogTestKit.h"
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "TestDocument.h"
#include "ui/main/QZStrGrid.h"
#include "core/Block.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "edit/FormBlockN.h"
#include "edit/FormIns.h"
#include "edit/NumberChoice.h"
#include "settings/IniFile.h"
#include "settings/Options.h"
#include "settings/QZHistoryBtn.h"
#include "widgets/QZByteEdit.h"
#include "widgets/QZNumEdit.h"

using quoxa::Cmd;
using quoxa::TFormBlockN;
using quoxa::TFormIns;
using quoxa::TQZByteEdit;
using quoxa::TQZNumEdit;
using quoxa::test::Child;
using quoxa::test::MainWindowFixture;
using quoxa::test::ShowActive;

namespace {

std::vector<std::string> SectionValues(const std::string& ini, const char* section) {
  std::vector<std::string> values;
  for (const auto& [key, value] : quoxa::TIniFile(ini).ReadSectionValues(section)) values.push_back(value);
  return values;
}

// Types into a dialog's numeric edit from scratch.
void TypeNumber(QWidget* form, const char* name, const QString& text) {
  auto* edit = Child<TQZNumEdit>(*form, name);
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, text);
}

void Activate(MainWindowFixture& f) {
  f.form.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&f.form));
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

class TestBlockDialogs : public QObject {
  Q_OBJECT

  std::unique_ptr<quoxa::test::OwnSettingsFile> settings_;

 private slots:
  void init() { settings_ = std::make_unique<quoxa::test::OwnSettingsFile>(); }
  void cleanup() { settings_.reset(); }

  void blockNRadiosFollowTheDollarAndClicksSwitchTheEdit() {
    quoxa::test::RecorderScope rec;
    quoxa::TIniFile ini(settings_->Path());
    ini.WriteString("QZHistoryBlockN", "0", "\"$10\"");
    ini.WriteString("QZHistoryBlockN", "1", "\"7\"");
    TFormBlockN form;
    QCOMPARE(form.windowTitle(), QString("Block with <n> chars"));
    QCOMPARE(Child<QGroupBox>(form, "GroupBox1")->title(), QString("Enter <n>"));
    QCOMPARE(Child<QRadioButton>(form, "RadioButtonDec")->text(), QString("&decimal"));
    QCOMPARE(Child<quoxa::TQZHistoryBtn>(form, "QZHistoryBtnBlockN")->IniSection, QString("QZHistoryBlockN"));
    auto* edit = Child<TQZNumEdit>(form, "QZNumEdit1");
    auto* hex = Child<QRadioButton>(form, "RadioButtonHex");
    QCOMPARE(edit->text(), QString("$10"));
    QVERIFY(hex->isChecked());
    QVERIFY(edit->Hex());
    form.Number()->History()->ChooseEntry(1);
    QCOMPARE(edit->text(), QString("7"));
    QVERIFY(Child<QRadioButton>(form, "RadioButtonDec")->isChecked());
    hex->click();
    QCOMPARE(edit->text(), QString("$7"));
  }

  void blockNOkChecksTheSizeAndKeepsTheAcceptedText() {
    quoxa::test::RecorderScope rec;
    quoxa::test::LoadDocument(std::string(20, 'a'));
    {
      TFormBlockN form;
      QCOMPARE(Child<TQZNumEdit>(form, "QZNumEdit1")->text(), QString("0"));
      ShowActive(form);
      for (const char* bad : {"0", "20", "25"}) {
        TypeNumber(&form, "QZNumEdit1", bad);
        Child<QPushButton>(form, "ButtonOK")->click();
        QVERIFY(form.isVisible());
        QCOMPARE(rec.messages.Texts(), std::vector<std::string>{"Block size invalid"});
        QCOMPARE(QApplication::focusWidget(), Child<TQZNumEdit>(form, "QZNumEdit1"));
        rec.messages.shown.clear();
      }
      TypeNumber(&form, "QZNumEdit1", "19");
      QTest::keyClick(Child<TQZNumEdit>(form, "QZNumEdit1"), Qt::Key_Return);
      QCOMPARE(form.result(), int(QDialog::Accepted));
      QCOMPARE(form.N(), 19);
    }
    QCOMPARE(SectionValues(settings_->Path(), "QZHistoryBlockN"), std::vector<std::string>{"\"19\""});
  }

  void insertDialogControlsAndOverwriteMode() {
    quoxa::test::RecorderScope rec;
    TFormIns form;
    QCOMPARE(form.windowTitle(), QString("Insert"));
    QCOMPARE(Child<QGroupBox>(form, "GroupBox1")->title(), QString("Insert"));
    QCOMPARE(Child<QGroupBox>(form, "GroupBox2")->title(), QString("Insert <n> times"));
    const std::pair<const char*, const char*> captions[] = {
        {"RadioButtonText", "&Text string"}, {"BitBtnConvert", "Te&xt -> Hex"}, {"RadioButtonHex", "&Hex string"},
        {"RadioButtonDecN", "&decimal"},     {"RadioButtonHexN", "&hexadecimal"}, {"ButtonOK", "OK"},
        {"ButtonCancel", "Cancel"},          {"ButtonHelp", "Help"}};
    for (const auto& [name, caption] : captions) QCOMPARE(Child<QAbstractButton>(form, name)->text(), QString(caption));
    QCOMPARE(Child<TQZNumEdit>(form, "QZNumEdit1")->text(), QString("1"));
    QVERIFY(!Child<TQZByteEdit>(form, "QZByteEditInsH")->isEnabled());
    for (const char* history : {"QZHistoryBtnInsT", "QZHistoryBtnInsH", "QZHistoryBtnInsN"}) {
      QCOMPARE(Child<quoxa::TQZHistoryBtn>(form, history)->IniSection,
               QString(history).replace("QZHistoryBtn", "QZHistory"));
    }
    form.SetOverwriteMode();
    form.SetHexMode(true);
    ShowActive(form);
    QCOMPARE(form.windowTitle(), QString("Overwrite"));
    QCOMPARE(Child<QGroupBox>(form, "GroupBox1")->title(), QString("Overwrite"));
    QVERIFY(!Child<QGroupBox>(form, "GroupBox2")->isVisible());
    QCOMPARE(QApplication::focusWidget(), Child<TQZByteEdit>(form, "QZByteEditInsH"));
    // Without the count a zero there does not matter.
    TypeNumber(&form, "QZNumEdit1", "0");
    QTest::keyClicks(Child<TQZByteEdit>(form, "QZByteEditInsH"), "4142");
    Child<QPushButton>(form, "ButtonOK")->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.Result().bytes, std::string("AB"));
    QVERIFY(rec.messages.shown.empty());
  }

  void insertOkChecksInOrderWithFocusAndHistories() {
    quoxa::test::RecorderScope rec;
    {
      TFormIns form;
      ShowActive(form);
      auto ok = [&] { Child<QPushButton>(form, "ButtonOK")->click(); };
      auto* text = Child<QLineEdit>(form, "EditInsT");
      auto* hexEdit = Child<TQZByteEdit>(form, "QZByteEditInsH");
      ok();
      QCOMPARE(rec.messages.Texts(), std::vector<std::string>{"Empty string not valid"});
      QCOMPARE(QApplication::focusWidget(), text);
      Child<QRadioButton>(form, "RadioButtonHex")->click();
      ok();
      QCOMPARE(rec.messages.Texts().back(), std::string("Hex string invalid"));
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(hexEdit));
      // Text -> Hex puts the text's bytes into the hex edit and checks the hex radio.
      Child<QRadioButton>(form, "RadioButtonText")->click();
      QTest::keyClicks(text, "A b");
      Child<QPushButton>(form, "BitBtnConvert")->click();
      QCOMPARE(hexEdit->text(), QString("41 20 62"));
      QVERIFY(Child<QRadioButton>(form, "RadioButtonHex")->isChecked());
      TypeNumber(&form, "QZNumEdit1", "0");
      ok();
      QCOMPARE(rec.messages.Texts().back(), std::string("Empty string not valid"));
      QCOMPARE(QApplication::focusWidget(), Child<TQZNumEdit>(form, "QZNumEdit1"));
      QCOMPARE(rec.messages.shown.size(), size_t{3});
      // In hexadecimal 10 is sixteen.
      Child<QRadioButton>(form, "RadioButtonHexN")->click();
      TypeNumber(&form, "QZNumEdit1", "10");
      ok();
      QCOMPARE(form.result(), int(QDialog::Accepted));
      QCOMPARE(form.Result().count, int64_t{16});
      QCOMPARE(form.Result().bytes, std::string("A b"));
      QVERIFY(form.Result().hexMode);
      QVERIFY(Child<QRadioButton>(form, "RadioButtonHexN")->isChecked());
    }
    QCOMPARE(SectionValues(settings_->Path(), "QZHistoryInsH"), std::vector<std::string>{"\"41 20 62\""});
    QCOMPARE(SectionValues(settings_->Path(), "QZHistoryInsT"), std::vector<std::string>{"\"A b\""});
    QCOMPARE(SectionValues(settings_->Path(), "QZHistoryInsN").front(), std::string("\"$10\""));
  }

  void blockCommandsFromKeysMenuAndToolButton() {
    MainWindowFixture f;
    f.Load("ABCDEF");
    const Cmd blockCmds[] = {Cmd::BlockDelete, Cmd::BtnDel, Cmd::BlockCopy, Cmd::BlockCopyOverwrite,
                             Cmd::BlockMove, Cmd::WriteBlock};
    for (Cmd cmd : blockCmds) QVERIFY(!f.Action(cmd)->isEnabled());
    for (Cmd cmd : {Cmd::BlockChars, Cmd::InsertString, Cmd::OverwriteString}) QVERIFY(f.Action(cmd)->isEnabled());
    QCOMPARE(f.Action(Cmd::BtnDel)->toolTip(), QString("Delete block"));
    Activate(f);
    QWidget* grid = f.form.QZStrGridText();
    // Ctrl+B at 1 and 3, then Ctrl+M at 6: DEABCF, the block on ABC, the cursor on F.
    QTest::keyClick(grid, Qt::Key_B, Qt::ControlModifier);
    quoxa::GotoAddress(3, true, true);
    QTest::keyClick(grid, Qt::Key_B, Qt::ControlModifier);
    for (Cmd cmd : blockCmds) QVERIFY(f.Action(cmd)->isEnabled());
    quoxa::GotoAddress(6, true, true);
    QTest::keyClick(grid, Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("DEABCF"));
    QCOMPARE(quoxa::Doc().BlockBegin, 3);
    QCOMPARE(quoxa::Doc().BlockEnd, 5);
    QCOMPARE(quoxa::CursorAddress(), 6);
    // Ctrl+K on the block's first byte: a copy in front; Ctrl+W there: the same position.
    quoxa::GotoAddress(3, true, true);
    QTest::keyClick(grid, Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("DEABCABCF"));
    QTest::keyClick(grid, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(f.rec.messages.Texts(), std::vector<std::string>{"Block remains on same position"});
    // One undo step per command.
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("DEABCF"));
    QCOMPARE(quoxa::Doc().BlockBegin, 3);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("ABCDEF"));
    QCOMPARE(quoxa::Doc().BlockEnd, 3);
    // Write block through the file question, then the tool button deletes the block.
    std::string asked;
    f.form.SetFileQuestionHandler([&](const quoxa::FileQuestion& q) {
      asked = q.title;
      return quoxa::FileAnswer{true, f.Path("block.bin"), false};
    });
    f.Trigger(Cmd::WriteBlock);
    QCOMPARE(asked, std::string("Save file as"));
    QCOMPARE(Bytes(f.Path("block.bin")), std::string("ABC"));
    f.Trigger(Cmd::BtnDel);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("DEF"));
    for (Cmd cmd : blockCmds) QVERIFY(!f.Action(cmd)->isEnabled());
    QCOMPARE(f.rec.messages.shown.size(), size_t{1});
  }

  void blockNAndInsertStringThroughTheMenu() {
    MainWindowFixture f;
    f.Load("0123456789");
    quoxa::GotoAddress(3, true, true);
    quoxa::test::OnNextModal([](QWidget* dialog) {
      TypeNumber(dialog, "QZNumEdit1", "$4");
      Child<QPushButton>(*dialog, "ButtonOK")->click();
    });
    f.Trigger(Cmd::BlockChars);
    QCOMPARE(quoxa::Doc().BlockBegin, 3);
    QCOMPARE(quoxa::Doc().BlockEnd, 6);
    QVERIFY(f.Action(Cmd::BlockMove)->isEnabled());

    quoxa::GotoAddress(8, true, true);
    quoxa::test::OnNextModal([](QWidget* dialog) {
      QTest::keyClicks(Child<QLineEdit>(*dialog, "EditInsT"), "xy");
      TypeNumber(dialog, "QZNumEdit1", "3");
      Child<QPushButton>(*dialog, "ButtonOK")->click();
    });
    f.Trigger(Cmd::InsertString);
    QCOMPARE(QString::fromStdString(quoxa::test::DocumentBytes()), QString("0123456xyxyxy789"));
    QCOMPARE(quoxa::CursorAddress(), 14);
    QVERIFY(quoxa::BlockMarked());
    QVERIFY(!quoxa::Options().InsHex);

    quoxa::test::OnNextModal([](QWidget* dialog) {
      Child<QRadioButton>(*dialog, "RadioButtonHex")->click();
      QTest::keyClicks(Child<TQZByteEdit>(*dialog, "QZByteEditInsH"), "41424344");
      Child<QPushButton>(*dialog, "ButtonOK")->click();
    });
    f.Trigger(Cmd::OverwriteString);
    QCOMPARE(f.rec.messages.Texts(), std::vector<std::string>{"Can't overwrite beyond end of file"});
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("0123456xyxyxy789"));
    QVERIFY(quoxa::Options().InsHex);
  }

  void draggingWithTheMouseMarksAndScrollsAtTheEdge() {
    MainWindowFixture f;
    f.Load(std::string(200, 'a'), 8, 4);
    Activate(f);
    // The press in the grid without the cursor makes it the active one and starts the drag too.
    quoxa::TQZStrGrid* grid = f.form.QZStrGridHex()->IsActive() ? f.form.QZStrGridText() : f.form.QZStrGridHex();
    auto center = [&](int col, int row) { return grid->CellRect(col, row).center(); };
    // Press on position 2, drag to position 11 (row 1, column 2), release: the block 2..11.
    QTest::mousePress(grid, Qt::LeftButton, {}, center(1, 0));
    QVERIFY(!quoxa::BlockMarked());
    QTest::mouseMove(grid, center(2, 1));
    QTest::mouseRelease(grid, Qt::LeftButton, {}, center(2, 1));
    QVERIFY(grid->IsActive());
    QCOMPARE(quoxa::Doc().BlockBegin, 2);
    QCOMPARE(quoxa::Doc().BlockEnd, 11);
    QCOMPARE(quoxa::CursorAddress(), 11);
    QVERIFY(f.Action(Cmd::BlockMove)->isEnabled());
    // A plain click moves the cursor only; Shift+click moves the free end there.
    QTest::mouseClick(grid, Qt::LeftButton, {}, center(0, 3));
    QCOMPARE(quoxa::CursorAddress(), 25);
    QCOMPARE(quoxa::Doc().BlockEnd, 11);
    QTest::mouseClick(grid, Qt::LeftButton, Qt::ShiftModifier, center(4, 2));
    QCOMPARE(quoxa::Doc().BlockBegin, 2);
    QCOMPARE(quoxa::Doc().BlockEnd, 21);
    // Held below the bottom row the view scrolls and the block follows.
    QTest::mousePress(grid, Qt::LeftButton, {}, center(0, 0));
    QTest::mouseMove(grid, QPoint(center(0, 3).x(), grid->height() + 20));
    QTRY_VERIFY(quoxa::Doc().TopAddress >= 17);
    QTest::mouseRelease(grid, Qt::LeftButton, {}, QPoint(center(0, 3).x(), grid->height() + 20));
    const int64_t top = quoxa::Doc().TopAddress;
    QCOMPARE(quoxa::Doc().BlockBegin, 1);
    QCOMPARE(quoxa::Doc().BlockEnd, quoxa::CursorAddress());
    QVERIFY(quoxa::Doc().BlockEnd >= top + 24);
    QTest::qWait(200);
    QCOMPARE(quoxa::Doc().TopAddress, top);
  }

  void aDragIntoTheEmptyCellsMarksToTheLastByte() {
    MainWindowFixture f;
    f.Load(std::string(20, 'a'), 8, 4);  // the last byte in row 2, column 3
    Activate(f);
    quoxa::TQZStrGrid* grid =
        f.form.QZStrGridHex()->IsActive() ? f.form.QZStrGridHex() : f.form.QZStrGridText();
    auto center = [&](int col, int row) { return grid->CellRect(col, row).center(); };
    // Cells crossed on the way after the press on position 3; the last ones lie behind the
    // document.
    const std::vector<std::vector<QPoint>> paths = {
        {center(1, 2), center(6, 2), center(5, 3)},
        {center(7, 3)},
        {QPoint(grid->width() - 2, center(0, 3).y())},
    };
    for (const std::vector<QPoint>& path : paths) {
      quoxa::UnmarkBlock();
      QTest::mousePress(grid, Qt::LeftButton, {}, center(2, 0));
      for (const QPoint& point : path) QTest::mouseMove(grid, point);
      QTest::mouseRelease(grid, Qt::LeftButton, {}, path.back());
      QCOMPARE(quoxa::Doc().BlockBegin, 3);
      QCOMPARE(quoxa::Doc().BlockEnd, 20);
      QCOMPARE(quoxa::CursorAddress(), 20);
    }
  }
};

QTEST_MAIN(TestBlockDialogs)
#include "tst_BlockDialogs.moc"
