// The byte string edit, the numeric edit and the radio button that governs a control,
// driven by real key presses and focus changes.
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>
#include <optional>

#include "widgets/QZByteEdit.h"
#include "widgets/QZNumEdit.h"
#include "widgets/QZRadioBtn.h"

using quoxa::TQZByteEdit;
using quoxa::TQZNumEdit;
using quoxa::TQZRadioBtn;

class TestInputControls : public QObject {
  Q_OBJECT

 private slots:
  void byteEditGroupsDigitsWhileTyping();
  void byteEditTakesOnlyHexDigits();
  void byteEditBackspaceOnlyAtTheEnd();
  void byteEditMaxBytes();
  void byteEditRegroupsPastedText();
  void byteEditLeavesTextAloneWhileHidden();
  void byteEditBytesAndValidity();
  void byteEditReportsEachChangeRegrouped();
  void editsDeleteWithTheTextX11Gives();

  void numEditRefusesANinthDigit();
  void numEditSwitchesToHex();
  void numEditEnterValidatesAndClamps();
  void numEditEscapeRestoresTheEntryValue();
  void numEditLeavingWithBadTextRestoresAndKeepsTheFocus();
  void numEditLeavingForCancelLetsGo();
  void numEditLeavingWithADollarSwitchesToHex();

  void radioEnablesColoursAndFocusesItsControl();
  void radioWithoutAutoOptionsLeavesTheControlAlone();
  void radioRefusesAnotherRadioAndForgetsADestroyedControl();

 private:
  static void Show(QWidget& w) {
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
  }
  // n, holding value when given, above the controls below it in the window w, shown and active.
  static void ShowNumEdit(QWidget& w, TQZNumEdit*& n, std::optional<double> value,
                          const QList<QWidget*>& below) {
    auto* layout = new QVBoxLayout(&w);
    n = new TQZNumEdit(&w);
    layout->addWidget(n);
    for (QWidget* control : below) layout->addWidget(control);
    if (value) n->SetValue(*value);
    Show(w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
  }
  static void Focus(QWidget* control) {
    control->setFocus();
    QTRY_VERIFY(control->hasFocus());
  }
};

void TestInputControls::byteEditGroupsDigitsWhileTyping() {
  TQZByteEdit e;
  Show(e);
  const QStringList expected{"4", "41", "41 4", "41 42", "41 42 4", "41 42 43"};
  const QString keys = "414243";
  for (int i = 0; i < keys.size(); ++i) {
    QTest::keyClick(&e, keys.at(i).toLatin1());
    QCOMPARE(e.text(), expected.at(i));
    QCOMPARE(e.cursorPosition(), static_cast<int>(e.text().size()));
  }
  QTest::keyClicks(&e, "ab");
  QCOMPARE(e.text(), QString("41 42 43 AB"));
}

void TestInputControls::byteEditTakesOnlyHexDigits() {
  TQZByteEdit e;
  Show(e);
  QTest::keyClicks(&e, "x- g.1;Z2");
  QCOMPARE(e.text(), QString("12"));
  QTest::keyClick(&e, Qt::Key_A, Qt::ControlModifier);  // no select-all either
  QVERIFY(!e.hasSelectedText());
  QCOMPARE(e.text(), QString("12"));
  QTest::keyClick(&e, Qt::Key_Left);  // caret keys still work
  QCOMPARE(e.cursorPosition(), 1);
}

void TestInputControls::byteEditBackspaceOnlyAtTheEnd() {
  TQZByteEdit e;
  Show(e);
  e.setText("41 42 43");
  e.setCursorPosition(3);
  QTest::keyClick(&e, Qt::Key_Backspace);
  QCOMPARE(e.text(), QString("41 42 43"));
  e.setCursorPosition(0);
  QTest::keyClick(&e, Qt::Key_Backspace);
  QCOMPARE(e.text(), QString("41 42 43"));
  e.setCursorPosition(7);  // just before the last character
  QTest::keyClick(&e, Qt::Key_Backspace);
  QCOMPARE(e.text(), QString("41 42 3"));
  e.setCursorPosition(7);  // the end
  QTest::keyClick(&e, Qt::Key_Backspace);
  QCOMPARE(e.text(), QString("41 42"));
  QTest::keyClick(&e, Qt::Key_Backspace);
  QCOMPARE(e.text(), QString("41 4"));
}

void TestInputControls::byteEditMaxBytes() {
  TQZByteEdit e;
  Show(e);
  e.SetMaxBytes(1);
  QCOMPARE(e.maxLength(), 2);
  QTest::keyClicks(&e, "2E3");
  QCOMPARE(e.text(), QString("2E"));
  e.SetMaxBytes(3);
  QCOMPARE(e.maxLength(), 8);
  QTest::keyClicks(&e, "1234567");
  QCOMPARE(e.text(), QString("2E 12 34"));
  e.SetMaxBytes(0);
  QTest::keyClicks(&e, "56");
  QCOMPARE(e.text(), QString("2E 12 34 56"));
}

void TestInputControls::byteEditRegroupsPastedText() {
  TQZByteEdit e;
  Show(e);
  QApplication::clipboard()->setText("4142 43");
  QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(e.text(), QString("41 42 43"));
  QVERIFY(e.IsValid());
}

void TestInputControls::byteEditLeavesTextAloneWhileHidden() {
  TQZByteEdit e;
  e.setText("4142");
  QCOMPARE(e.text(), QString("4142"));
  QWidget parent;
  TQZByteEdit inside(&parent);
  Show(parent);
  parent.setEnabled(false);
  inside.setText("4142");
  QCOMPARE(inside.text(), QString("4142"));
  parent.setEnabled(true);
  inside.setText("414");
  QCOMPARE(inside.text(), QString("41 4"));
}

void TestInputControls::byteEditBytesAndValidity() {
  TQZByteEdit e;
  e.SetASCII("AB C");
  QCOMPARE(e.text(), QString("41 42 20 43"));
  QVERIFY(e.IsValid());
  QCOMPARE(e.ASCII(), std::string("AB C"));
  e.setText("4a ff");
  QCOMPARE(e.ASCII(), std::string("\x4A\xFF"));
  for (const char* bad : {"", "41 4", "41  42", " 41", "41424", "4G"}) {
    e.setText(bad);
    QVERIFY2(!e.IsValid(), bad);
    QCOMPARE(e.ASCII(), std::string());
  }
  e.SetASCII(std::string("\x00\x7F\xFF", 3));
  QCOMPARE(e.text(), QString("00 7F FF"));
  QCOMPARE(e.ASCII(), std::string("\x00\x7F\xFF", 3));
}

void TestInputControls::byteEditReportsEachChangeRegrouped() {
  TQZByteEdit e;
  Show(e);
  QStringList seen;
  connect(&e, &TQZByteEdit::Changed, &e, [&] { seen << e.text(); });
  QTest::keyClicks(&e, "414");
  QCOMPARE(seen, (QStringList{"4", "41", "41 4"}));
}

// X11 gives Delete the text U+007F: it deletes, and nothing is typed.
void TestInputControls::editsDeleteWithTheTextX11Gives() {
  TQZByteEdit bytes;
  TQZNumEdit number;
  for (QLineEdit* e : {static_cast<QLineEdit*>(&bytes), static_cast<QLineEdit*>(&number)}) {
    Show(*e);
    e->setText("12");
    e->setCursorPosition(0);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(e, &press);
    QCOMPARE(e->text(), QString("2"));
  }
}

void TestInputControls::numEditRefusesANinthDigit() {
  TQZNumEdit n;
  Show(n);
  n.selectAll();
  QTest::keyClicks(&n, "123456789");
  QCOMPARE(n.text(), QString("12345678"));
}

void TestInputControls::numEditSwitchesToHex() {
  TQZNumEdit n;
  QSignalSpy hexChanged(&n, &TQZNumEdit::HexChanged);
  n.SetValue(255);
  QCOMPARE(n.text(), QString("255"));
  n.SetHex(true);
  QCOMPARE(n.text(), QString("$FF"));
  QCOMPARE(hexChanged.count(), 1);
  Show(n);
  n.selectAll();
  QTest::keyClicks(&n, "$1fg");  // "$" and "g" are no hex digits
  QCOMPARE(n.text(), QString("1F"));
  QVERIFY(n.Validate());
  QCOMPARE(n.text(), QString("$1F"));
  n.SetHex(false);
  QCOMPARE(n.text(), QString("31"));
  QCOMPARE(static_cast<double>(n.Value()), 31.0);
  QCOMPARE(hexChanged.count(), 2);
}

void TestInputControls::numEditEnterValidatesAndClamps() {
  TQZNumEdit n;
  n.SetMin(10);
  n.SetMax(500);
  Show(n);
  n.selectAll();
  QTest::keyClicks(&n, "5");
  QTest::keyClick(&n, Qt::Key_Return);
  QCOMPARE(n.text(), QString("10"));
  QCOMPARE(static_cast<double>(n.Value()), 10.0);
  n.selectAll();
  QTest::keyClicks(&n, "9999");
  QTest::keyClick(&n, Qt::Key_Enter);
  QCOMPARE(n.text(), QString("500"));
}

void TestInputControls::numEditEscapeRestoresTheEntryValue() {
  QWidget w;
  TQZNumEdit* n = nullptr;
  ShowNumEdit(w, n, 12, {new QLineEdit});
  Focus(n);
  n->selectAll();
  QTest::keyClicks(n, "345");
  QCOMPARE(n->text(), QString("345"));
  QTest::keyClick(n, Qt::Key_Escape);
  QCOMPARE(n->text(), QString("12"));
  QCOMPARE(n->selectedText(), QString("12"));
  QCOMPARE(static_cast<double>(n->Value()), 12.0);
}

void TestInputControls::numEditLeavingWithBadTextRestoresAndKeepsTheFocus() {
  QWidget w;
  TQZNumEdit* n = nullptr;
  auto* ok = new QPushButton("OK");
  ShowNumEdit(w, n, 42, {ok});
  Focus(n);
  n->setText("");
  ok->setFocus(Qt::TabFocusReason);
  QCOMPARE(n->text(), QString("42"));
  QTRY_VERIFY(n->hasFocus());
  QCOMPARE(n->selectedText(), QString("42"));

  // A good text is taken when leaving.
  n->setText("77");
  ok->setFocus(Qt::TabFocusReason);
  QCOMPARE(static_cast<double>(n->Value()), 77.0);
  QTest::qWait(20);
  QVERIFY(ok->hasFocus());
}

void TestInputControls::numEditLeavingForCancelLetsGo() {
  QWidget w;
  TQZNumEdit* n = nullptr;
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                   QDialogButtonBox::Help);
  auto* plainCancel = new QPushButton("Cancel");
  plainCancel->setProperty(TQZNumEdit::kIgnoresInput, true);
  ShowNumEdit(w, n, 5, {box, plainCancel});
  for (QWidget* target : {static_cast<QWidget*>(box->button(QDialogButtonBox::Cancel)),
                          static_cast<QWidget*>(box->button(QDialogButtonBox::Help)), static_cast<QWidget*>(plainCancel)}) {
    Focus(n);
    n->setText("x");
    target->setFocus(Qt::TabFocusReason);
    QCOMPARE(n->text(), QString("5"));
    QTest::qWait(20);
    QVERIFY(target->hasFocus());
  }
  // The OK button of the box does not let a bad number go.
  Focus(n);
  n->setText("x");
  box->button(QDialogButtonBox::Ok)->setFocus(Qt::TabFocusReason);
  QTRY_VERIFY(n->hasFocus());
}

void TestInputControls::numEditLeavingWithADollarSwitchesToHex() {
  QWidget w;
  TQZNumEdit* n = nullptr;
  auto* other = new QLineEdit;
  ShowNumEdit(w, n, std::nullopt, {other});
  QSignalSpy hexChanged(n, &TQZNumEdit::HexChanged);
  Focus(n);
  n->setText("$1f");
  other->setFocus(Qt::TabFocusReason);
  QVERIFY(n->Hex());
  QCOMPARE(hexChanged.count(), 1);
  QCOMPARE(n->text(), QString("$1F"));
  QCOMPARE(static_cast<double>(n->Value()), 31.0);

  Focus(n);
  n->setText("20");
  other->setFocus(Qt::TabFocusReason);
  QCOMPARE(n->text(), QString("$20"));
  QCOMPARE(static_cast<double>(n->Value()), 32.0);
}

void TestInputControls::radioEnablesColoursAndFocusesItsControl() {
  QWidget w;
  auto* layout = new QVBoxLayout(&w);
  auto* text = new TQZRadioBtn("&Text string", &w);
  auto* textEdit = new QLineEdit(&w);
  auto* hex = new TQZRadioBtn("&Hex string", &w);
  auto* hexEdit = new TQZByteEdit(&w);
  for (QWidget* child : {static_cast<QWidget*>(text), static_cast<QWidget*>(textEdit), static_cast<QWidget*>(hex),
                         static_cast<QWidget*>(hexEdit)}) {
    layout->addWidget(child);
  }
  text->setChecked(true);
  text->SetControl(textEdit);
  hex->SetControl(hexEdit);
  QCOMPARE(text->Control(), textEdit);
  QVERIFY(textEdit->isEnabled());
  QVERIFY(!hexEdit->isEnabled());
  const QPalette standard = QApplication::palette(hexEdit);
  QCOMPARE(textEdit->palette().color(QPalette::Active, QPalette::Base), standard.color(QPalette::Active, QPalette::Base));
  QCOMPARE(hexEdit->palette().color(QPalette::Active, QPalette::Base), standard.color(QPalette::Active, QPalette::Button));

  Show(w);
  QVERIFY(QTest::qWaitForWindowActive(&w));
  QTest::mouseClick(hex, Qt::LeftButton, {}, QPoint(6, hex->height() / 2));  // on the indicator
  QVERIFY(hex->isChecked());
  QVERIFY(hexEdit->isEnabled());
  QVERIFY(!textEdit->isEnabled());
  QTRY_VERIFY(hexEdit->hasFocus());
  QCOMPARE(hexEdit->palette().color(QPalette::Active, QPalette::Base), standard.color(QPalette::Active, QPalette::Base));
  QCOMPARE(textEdit->palette().color(QPalette::Active, QPalette::Base), standard.color(QPalette::Active, QPalette::Button));
  QTest::keyClicks(hexEdit, "4142");
  QCOMPARE(hexEdit->text(), QString("41 42"));

  // Clicking the radio already checked, and its access key, focus the edit too.
  hex->setFocus();
  QTest::mouseClick(hex, Qt::LeftButton, {}, QPoint(6, hex->height() / 2));
  QTRY_VERIFY(hexEdit->hasFocus());
  hex->setFocus();
  QTest::keyClick(&w, Qt::Key_H, Qt::AltModifier);
  QVERIFY(hexEdit->hasFocus());
}

void TestInputControls::radioWithoutAutoOptionsLeavesTheControlAlone() {
  QWidget w;
  auto* layout = new QVBoxLayout(&w);
  auto* a = new TQZRadioBtn("a", &w);
  auto* b = new TQZRadioBtn("b", &w);
  auto* edit = new QLineEdit(&w);
  layout->addWidget(a);
  layout->addWidget(b);
  layout->addWidget(edit);
  const QColor base = edit->palette().color(QPalette::Active, QPalette::Base);
  a->SetAutoDisable(false);
  a->SetAutoColor(false);
  QVERIFY(!a->AutoDisable());
  QVERIFY(!a->AutoColor());
  a->SetControl(edit);
  b->setChecked(true);
  QVERIFY(edit->isEnabled());
  QCOMPARE(edit->palette().color(QPalette::Active, QPalette::Base), base);
  a->SetAutoColor(true);
  a->setChecked(true);
  b->setChecked(true);
  QVERIFY(edit->isEnabled());
  QCOMPARE(edit->palette().color(QPalette::Active, QPalette::Base),
           QApplication::palette(edit).color(QPalette::Active, QPalette::Button));
}

void TestInputControls::radioRefusesAnotherRadioAndForgetsADestroyedControl() {
  QWidget w;
  auto* a = new TQZRadioBtn("a", &w);
  auto* b = new TQZRadioBtn("b", &w);
  a->SetControl(b);
  QCOMPARE(a->Control(), static_cast<QWidget*>(nullptr));
  QVERIFY(b->isEnabled());
  auto* edit = new QLineEdit(&w);
  a->SetControl(edit);
  QCOMPARE(a->Control(), edit);
  delete edit;
  QCOMPARE(a->Control(), static_cast<QWidget*>(nullptr));
  a->setChecked(true);
  b->setChecked(true);
  QVERIFY(b->isChecked());
}

QTEST_MAIN(TestInputControls)
#include "tst_InputControls.moc"
