// Decode number, Encode number, Bit manipulation and the patch through the main window: what the
// dialogs show, their checks and messages, and what they write.
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <functional>

#include "DialogTestKit.h"
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "TestDocument.h"
#include "core/Help.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "search/SearchState.h"
#include "settings/IniFile.h"
#include "settings/Options.h"
#include "tools/FormBit.h"
#include "tools/FormEncode.h"
#include "ui/main/MenuRules.h"
#include "ui/main/PendingCommands.h"
#include "ui/main/QZStrGrid.h"
#include "widgets/HexString.h"

using quoxa::Cmd;
using quoxa::test::Child;
using quoxa::test::MainWindowFixture;

namespace {

std::string Bytes(const char* hex) { return quoxa::HexStringToBytes(hex, true); }
std::string DocHex() { return quoxa::BytesToHexString(quoxa::test::DocumentBytes(), true); }

// Runs action on the dialog the command opens; a dialog the action left open (a failed check
// returns early) is cancelled.
void WithDialog(MainWindowFixture& f, Cmd cmd, std::function<void(QWidget*)> action) {
  bool ran = false;
  quoxa::test::OnNextModal([&](QWidget* dialog) {
    ran = true;
    action(dialog);
    if (auto* open = qobject_cast<QDialog*>(dialog); open != nullptr && open->isVisible()) open->reject();
  });
  f.Trigger(cmd);
  QVERIFY(ran);
}

// Types text as the number, checks the type and output, presses OK.
void Encode(QWidget* dialog, const QString& text, int type, const char* output) {
  auto* edit = Child<QLineEdit>(*dialog, "EditNumber");
  edit->clear();
  QTest::keyClicks(edit, text);
  Child<QRadioButton>(*dialog, QStringLiteral("RadioButtonAs%1").arg(type).toLatin1().constData())->click();
  Child<QRadioButton>(*dialog, output)->click();
  Child<QPushButton>(*dialog, "ButtonOK")->click();
}

}  // namespace

class TestToolDialogs : public QObject {
  Q_OBJECT

 private slots:
  void theToolsCommandsAreAvailableWithTheirDocument() {
    MainWindowFixture f;
    f.Load("");
    quoxa::EnableOnMenuOpen(quoxa::MenuId::Tools);
    for (Cmd cmd : {Cmd::DecodeNumber, Cmd::BitManipulation, Cmd::Patch}) QVERIFY(!f.Action(cmd)->isEnabled());
    QVERIFY(f.Action(Cmd::EncodeNumber)->isEnabled());
    f.Load("A");
    quoxa::EnableOnMenuOpen(quoxa::MenuId::Tools);
    for (Cmd cmd : {Cmd::DecodeNumber, Cmd::EncodeNumber, Cmd::BitManipulation, Cmd::Patch}) {
      QVERIFY(f.Action(cmd)->isEnabled());
      QVERIFY(quoxa::CommandUsable(cmd));
    }
  }

  void decodeShowsTheLinesInTheByteOrder() {
    MainWindowFixture f;
    f.Load(Bytes("41 01 02 03 04"));
    quoxa::GotoAddress(2, true, false);
    for (int order : {0, 1}) {
      quoxa::Options().ByteOrder = order;
      WithDialog(f, Cmd::DecodeNumber, [&](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("Decode number"));
        QCOMPARE(Child<QLabel>(*dialog, "LabelDecoded")->text(), QString("Decoded from cursor position"));
        QCOMPARE(Child<QLabel>(*dialog, "LabelByteOrder")->text(),
                 QString(order ? "Byte order: big-endian (Motorola)" : "Byte order: little-endian (Intel)"));
        auto* memo = Child<QPlainTextEdit>(*dialog, "MemoDecode");
        QVERIFY(memo->isReadOnly());
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(QFontInfo(memo->font()).fixedPitch());
        const QStringList lines = memo->toPlainText().split('\n');
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QString("01 as shortint: 1"));
        QCOMPARE(lines[1], QString(order ? "01 02 as word: 258" : "01 02 as word: 513"));
        QCOMPARE(lines[3], QString(order ? "01 02 03 04 as longint: 16909060" : "01 02 03 04 as longint: 67305985"));
        // Enter closes it, also from the text box.
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
      });
    }
    quoxa::GotoAddress(5, true, false);
    WithDialog(f, Cmd::DecodeNumber, [](QWidget* dialog) {
      QCOMPARE(Child<QPlainTextEdit>(*dialog, "MemoDecode")->toPlainText(), QString("04 as shortint: 4"));
      QTest::keyClick(dialog, Qt::Key_Escape);
      QVERIFY(!dialog->isVisible());
    });
    QVERIFY(!quoxa::Doc().Modified);
  }

  void hereShowsTheBytesAndKeepsTheDialogOpen() {
    MainWindowFixture f;
    f.Load(Bytes("AA BB"));
    for (int order : {0, 1}) {
      quoxa::Options().ByteOrder = order;
      WithDialog(f, Cmd::EncodeNumber, [&](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("Encode integer"));
        QCOMPARE(Child<QLabel>(*dialog, "LabelByteOrder")->text(),
                 QString(order ? "Byte order: big-endian (Motorola)" : "Byte order: little-endian (Intel)"));
        auto* here = Child<QLineEdit>(*dialog, "EditHere");
        Child<QRadioButton>(*dialog, "RadioButtonInsert")->click();
        QVERIFY(!here->isEnabled());
        Encode(dialog, "1", 2, "RadioButtonHere");
        QVERIFY(here->isEnabled());
        QVERIFY(here->isReadOnly());
        QCOMPARE(here->text(), QString(order ? "00 01" : "01 00"));
        QVERIFY(dialog->isVisible());
        Encode(dialog, "-2", 6, "RadioButtonHere");
        QCOMPARE(here->text(), QString(order ? "C0 00 00 00 00 00 00 00" : "00 00 00 00 00 00 00 C0"));
        Child<QPushButton>(*dialog, "ButtonCancel")->click();
      });
    }
    QCOMPARE(DocHex(), std::string("AA BB"));
    QVERIFY(!quoxa::Doc().Modified);
    QCOMPARE(quoxa::Doc().Journal.UndoDepth(), size_t{0});
    // Cancel keeps the choices too.
    QCOMPARE(quoxa::Options().EncodeAs, 6);
    QCOMPARE(quoxa::Options().EncodeWhere, 2);
    QVERIFY(f.rec.messages.shown.empty());
  }

  void badNumbersShowTheirErrorAndKeepTheDialog() {
    MainWindowFixture f;
    f.Load(Bytes("AA BB"));
    const struct {
      const char* text;
      int type;
      const char* message;
    } cases[] = {
        {"abc", 4, "'abc' is not a valid integer value"}, {"40000", 0, "Range check error"},
        {"256", 1, "Range check error"},                  {"1.8e308", 6, "Floating point overflow"},
        {"1e-50", 5, "Floating point underflow"},         {"1x", 5, "'1x' is not a valid floating point value"},
    };
    for (const auto& c : cases) {
      f.rec.messages.shown.clear();
      WithDialog(f, Cmd::EncodeNumber, [&](QWidget* dialog) {
        Encode(dialog, c.text, c.type, "RadioButtonOverwrite");
        QVERIFY(dialog->isVisible());
        QCOMPARE(Child<QLineEdit>(*dialog, "EditNumber")->text(), QString(c.text));
        QCOMPARE(dialog->focusWidget(), Child<QLineEdit>(*dialog, "EditNumber"));
        QTest::keyClick(dialog, Qt::Key_Escape);
      });
      QCOMPARE(f.rec.messages.Texts(), std::vector<std::string>{c.message});
    }
    QCOMPARE(DocHex(), std::string("AA BB"));
    QVERIFY(!quoxa::Doc().Modified);
  }

  void okWritesOneUndoStepAndTheNumberGoesToTheHistory() {
    MainWindowFixture f;
    f.Load(Bytes("AA BB CC"));
    quoxa::GotoAddress(2, true, false);
    WithDialog(f, Cmd::EncodeNumber, [](QWidget* dialog) { Encode(dialog, "300", 0, "RadioButtonInsert"); });
    QCOMPARE(DocHex(), std::string("AA 2C BB CC"));
    QVERIFY(quoxa::Doc().Modified);
    WithDialog(f, Cmd::EncodeNumber, [](QWidget* dialog) {
      // The dialog comes back with the last choices and the last number.
      QVERIFY(Child<QRadioButton>(*dialog, "RadioButtonAs0")->isChecked());
      QVERIFY(Child<QRadioButton>(*dialog, "RadioButtonInsert")->isChecked());
      QCOMPARE(Child<QLineEdit>(*dialog, "EditNumber")->text(), QString("300"));
      Encode(dialog, "$FFFF", 2, "RadioButtonOverwrite");
    });
    QCOMPARE(DocHex(), std::string("AA 2C FF FF"));
    QCOMPARE(quoxa::Doc().Journal.UndoDepth(), size_t{2});
    QVERIFY(quoxa::Doc().Journal.Undo());
    QCOMPARE(DocHex(), std::string("AA 2C BB CC"));
    const quoxa::TIniFile ini(f.dir.filePath("quoxa.ini").toStdString());
    QCOMPARE(ini.ReadString("QZHistoryEnc", "0", ""), std::string("\"$FFFF\""));
    QCOMPARE(ini.ReadString("QZHistoryEnc", "1", ""), std::string("\"300\""));
    // Overwriting past the end is refused by the core.
    quoxa::GotoAddress(4, true, false);
    WithDialog(f, Cmd::EncodeNumber, [](QWidget* dialog) { Encode(dialog, "1", 4, "RadioButtonOverwrite"); });
    QCOMPARE(f.rec.messages.Texts(), std::vector<std::string>{"Can't overwrite beyond end of file"});
    QCOMPARE(DocHex(), std::string("AA 2C BB CC"));
  }

  void anEmptyDocumentBecomesTheEncodedBytes() {
    MainWindowFixture f;
    f.Trigger(Cmd::New);
    QCOMPARE(quoxa::Doc().DocSize, 0);
    WithDialog(f, Cmd::EncodeNumber, [](QWidget* dialog) { Encode(dialog, "1", 4, "RadioButtonOverwrite"); });
    QCOMPARE(DocHex(), std::string("01 00 00 00"));
    QCOMPARE(quoxa::CursorAddress(), 1);
    QVERIFY(quoxa::Doc().Modified);
  }

  void floatsTakeTheLocalesDecimalSeparator() {
    MainWindowFixture f;
    f.Load(Bytes("AA"));
    const struct {
      QLocale::Language language;
      const char* good;
      const char* bad;
    } cases[] = {{QLocale::German, "1,5", "1.5"}, {QLocale::English, "1.5", "1,5"}};
    for (const auto& c : cases) {
      QLocale::setDefault(QLocale(c.language));
      f.rec.messages.shown.clear();
      WithDialog(f, Cmd::EncodeNumber, [&](QWidget* dialog) {
        Encode(dialog, c.bad, 5, "RadioButtonHere");
        Encode(dialog, c.good, 5, "RadioButtonHere");
        QCOMPARE(Child<QLineEdit>(*dialog, "EditHere")->text(), QString("00 00 C0 3F"));
        Child<QPushButton>(*dialog, "ButtonCancel")->click();
      });
      QCOMPARE(f.rec.messages.Texts(),
               std::vector<std::string>{"'" + std::string(c.bad) + "' is not a valid floating point value"});
      f.Load(Bytes("00 00 C0 3F"));
      WithDialog(f, Cmd::DecodeNumber, [&](QWidget* dialog) {
        QVERIFY(Child<QPlainTextEdit>(*dialog, "MemoDecode")->toPlainText().endsWith(QString(c.good)));
        QTest::keyClick(dialog, Qt::Key_Escape);
      });
    }
    QLocale::setDefault(QLocale::c());
  }

  void theBitDialogShowsAndChangesTheByte() {
    MainWindowFixture f;
    f.Load("xAy");
    quoxa::GotoAddress(2, true, false);
    WithDialog(f, Cmd::BitManipulation, [](QWidget* dialog) {
      QCOMPARE(dialog->windowTitle(), QString("Bit manipulation"));
      QCOMPARE(Child<QGroupBox>(*dialog, "GroupBoxBits")->title(), QString("Status of bits"));
      auto* label = Child<QLabel>(*dialog, "LabelValue");
      QCOMPARE(label->text(), QString("decimal: 65  hex: 41  binary: 01000001"));
      QCheckBox* boxes[8];
      for (int n = 0; n < 8; ++n) {
        boxes[n] = Child<QCheckBox>(*dialog, QStringLiteral("CheckBox%1").arg(n).toLatin1().constData());
        QCOMPARE(boxes[n]->text(), QStringLiteral("&%1").arg(n));
        QCOMPARE(boxes[n]->isChecked(), n == 0 || n == 6);
        if (n > 0) {
          QVERIFY(boxes[n]->x() < boxes[n - 1]->x());
          QCOMPARE(boxes[n]->y(), boxes[0]->y());
        }
      }
      boxes[1]->click();
      QCOMPARE(label->text(), QString("decimal: 67  hex: 43  binary: 01000011"));
      // Toggle all on 00 gives FF; Reread brings the document's byte back.
      Child<QPushButton>(*dialog, "ButtonUncheckAll")->click();
      Child<QPushButton>(*dialog, "ButtonToggleAll")->click();
      QCOMPARE(label->text(), QString("decimal: 255  hex: FF  binary: 11111111"));
      Child<QPushButton>(*dialog, "ButtonReread")->click();
      QCOMPARE(label->text(), QString("decimal: 65  hex: 41  binary: 01000001"));
      Child<QPushButton>(*dialog, "ButtonCheckAll")->click();
      QCOMPARE(label->text(), QString("decimal: 255  hex: FF  binary: 11111111"));
      Child<QPushButton>(*dialog, "ButtonReread")->click();
      Child<QPushButton>(*dialog, "ButtonToggleAll")->click();
      QCOMPARE(label->text(), QString("decimal: 190  hex: BE  binary: 10111110"));
      QTest::keyClick(boxes[3], Qt::Key_Return);
      QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("x\xBEy"));
    QCOMPARE(quoxa::CursorAddress(), 2);
    QCOMPARE(quoxa::Doc().Journal.UndoDepth(), size_t{1});
    QVERIFY(f.rec.messages.shown.empty());
  }

  void setWithoutChangesAndCancelWriteNothing() {
    MainWindowFixture f;
    f.Load(std::string(1, '\0'));
    WithDialog(f, Cmd::BitManipulation, [](QWidget* dialog) {
      // Toggled twice: back to the opening byte.
      Child<QPushButton>(*dialog, "ButtonToggleAll")->click();
      Child<QPushButton>(*dialog, "ButtonToggleAll")->click();
      Child<QPushButton>(*dialog, "ButtonSet")->click();
    });
    WithDialog(f, Cmd::BitManipulation, [](QWidget* dialog) {
      Child<QPushButton>(*dialog, "ButtonToggleAll")->click();
      QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QCOMPARE(quoxa::test::DocumentBytes(), std::string(1, '\0'));
    QVERIFY(!quoxa::Doc().Modified);
    QCOMPARE(quoxa::Doc().Journal.UndoDepth(), size_t{0});
  }

  void thePatchRunsFromTheMenuAndUndoTakesItBack() {
    MainWindowFixture f;
    f.Load("MZ" + Bytes("F7 D0 F7 D2 B9 37") + "end", 8, 4);
    // The cursor a row below the patched byte (position 8: row 0, column 7): the grid shows it
    // anyway.
    quoxa::GotoAddress(10, true, true);
    f.Trigger(Cmd::Patch);
    QCOMPARE(f.rec.messages.Texts(), std::vector<std::string>{"File successfully patched"});
    QCOMPARE(quoxa::test::DocumentBytes(), "MZ" + Bytes("F7 D0 F7 D2 B9 7E") + "end");
    QCOMPARE(f.form.QZStrGridHex()->Cell(7, 0), QString("7E"));
    QCOMPARE(quoxa::CursorAddress(), 10);
    QVERIFY(!f.Action(Cmd::ReplaceUndo)->isEnabled());
    f.Trigger(Cmd::Undo);
    QCOMPARE(quoxa::test::DocumentBytes(), "MZ" + Bytes("F7 D0 F7 D2 B9 37") + "end");
  }

  void theHelpButtonsShowTheirTopics() {
    MainWindowFixture f;
    f.Load("A");
    std::vector<int> topics;
    quoxa::InstallHelp([&topics](int topic) { topics.push_back(topic); });
    for (Cmd cmd : {Cmd::EncodeNumber, Cmd::BitManipulation}) {
      WithDialog(f, cmd, [](QWidget* dialog) {
        Child<QPushButton>(*dialog, "ButtonHelp")->click();
        QTest::keyClick(dialog, Qt::Key_Escape);
      });
    }
    quoxa::InstallHelp(nullptr);
    QCOMPARE(topics, (std::vector<int>{83, 84}));
    for (int topic : topics) QVERIFY(QFile::exists(QStringLiteral(":/help/t%1.html").arg(topic)));
  }
};

QTEST_MAIN(TestToolDialogs)
#include "tst_ToolDialogs.moc"
