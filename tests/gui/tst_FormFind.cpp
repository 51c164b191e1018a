// The Find/Count dialog: its controls, how it starts from the search state, the radios, the
// convert button, the joker label, the OK checks with their messages and focus, the help topic
// and Right arrow picking up document bytes in the hex edit.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "Recorders.h"
#include "DialogTestKit.h"
#include "TestDocument.h"
#include "core/Help.h"
#include "core/Navigation.h"
#include "search/FormFind.h"
#include "search/SearchState.h"
#include "settings/IniFile.h"
#include "settings/Options.h"
#include "settings/QZHistoryBtn.h"
#include "widgets/QZByteEdit.h"

using quoxa::SearchDialogValues;
using quoxa::TFormFind;
using quoxa::TQZByteEdit;
using quoxa::test::Child;
using quoxa::test::ShowActive;

namespace {

constexpr const char* kCaseQuestion =
    "The hex string to find contains case sensitive chars.\nBecause you have NOT checked \"Case sensitive\",\n"
    "this may produce unwanted results.\n\nPerform instead a CASE SENSITIVE search?";

SearchDialogValues Start(bool hex, bool caseSensitive = true) {
  SearchDialogValues v;
  v.findHexMode = hex;
  v.caseSensitive = caseSensitive;
  return v;
}

std::vector<std::string> SectionValues(const quoxa::TIniFile& ini, const char* section) {
  std::vector<std::string> values;
  for (const auto& [key, value] : ini.ReadSectionValues(section)) values.push_back(value);
  return values;
}

}  // namespace

class TestFormFind : public QObject {
  Q_OBJECT

  std::unique_ptr<quoxa::test::OwnSettingsFile> settings_;

 private slots:
  // Every dialog reads and writes the histories of a settings file of its own.
  void init() { settings_ = std::make_unique<quoxa::test::OwnSettingsFile>(); }
  void cleanup() { settings_.reset(); }

  void historiesFillTheEditsAndKeepTheAcceptedString() {
    quoxa::test::RecorderScope rec;
    quoxa::TIniFile ini(settings_->Path());
    ini.WriteString("QZHistoryFindT", "0", "\" abc \"");
    ini.WriteString("QZHistoryFindT", "1", "\"xyz\"");
    ini.WriteString("QZHistoryFindH", "0", "\"41 42\"");
    {
      TFormFind form;
      auto* textHistory = Child<quoxa::TQZHistoryBtn>(form, "QZHistoryBtnFindT");
      auto* hexHistory = Child<quoxa::TQZHistoryBtn>(form, "QZHistoryBtnFindH");
      QCOMPARE(textHistory->IniSection, QString("QZHistoryFindT"));
      QCOMPARE(hexHistory->IniSection, QString("QZHistoryFindH"));
      QCOMPARE(textHistory->Edit(), Child<QLineEdit>(form, "EditFindT"));
      QCOMPARE(hexHistory->Edit(), static_cast<QLineEdit*>(Child<TQZByteEdit>(form, "QZByteEditFindH")));
      QCOMPARE(Child<QLineEdit>(form, "EditFindT")->text(), QString(" abc "));
      QCOMPARE(Child<TQZByteEdit>(form, "QZByteEditFindH")->text(), QString("41 42"));
      form.SetValues(Start(false));
      ShowActive(form);
      QLineEdit* text = Child<QLineEdit>(form, "EditFindT");
      text->selectAll();
      QTest::keyClicks(text, "new");
      QTest::keyClick(text, Qt::Key_Return);  // OK without leaving the edit
      QCOMPARE(form.result(), int(QDialog::Accepted));
      QCOMPARE(form.Values().findString, std::string("new"));
      // The edit sits beside its button, which does not cover the convert button.
      QCOMPARE(textHistory->geometry().left(), text->geometry().right() + 1);
      QVERIFY(!textHistory->geometry().intersects(Child<QPushButton>(form, "BitBtnConvert")->geometry()));
    }
    QCOMPARE(SectionValues(ini, "QZHistoryFindT"), (std::vector<std::string>{"\"new\"", "\" abc \"", "\"xyz\""}));
    QCOMPARE(SectionValues(ini, "QZHistoryFindH"), std::vector<std::string>{"\"41 42\""});
  }

  void controlsCarryTheirCaptions() {
    quoxa::test::RecorderScope rec;
    TFormFind form;
    QCOMPARE(form.windowTitle(), QString("Find/Count"));
    const std::pair<const char*, const char*> captions[] = {
        {"RadioButtonText", "&Text string"}, {"BitBtnConvert", "Text -> Hex"}, {"RadioButtonHex", "&Hex string"},
        {"CheckBoxCase", "Case &sensitive"}, {"CheckBoxJokerFind", "&Joker char hex:"}, {"rbtDown", "&Down"},
        {"rbtUp", "&Up"}, {"rbtCursor", "&Cursor"}, {"rbtBeginEnd", "&Begin"}, {"ButtonOK", "OK"},
        {"ButtonCancel", "Cancel"}, {"ButtonHelp", "Help"}};
    for (const auto& [name, caption] : captions) {
      QCOMPARE(Child<QAbstractButton>(form, name)->text(), QString(caption));
    }
    QVERIFY(Child<QRadioButton>(form, "RadioButtonText")->isChecked());
    QVERIFY(!Child<TQZByteEdit>(form, "QZByteEditFindH")->isEnabled());
    QVERIFY(Child<QLineEdit>(form, "EditFindT")->isEnabled());
    auto* joker = Child<TQZByteEdit>(form, "QZByteEditJoker");
    QCOMPARE(joker->text(), QString("2E"));
    QCOMPARE(joker->MaxBytes(), 1);
    QCOMPARE(Child<QLabel>(form, "LabelJoker")->text(), QString("."));
    QVERIFY(Child<QPushButton>(form, "ButtonOK")->isDefault());
  }

  void startsFromTheSearchState() {
    quoxa::test::RecorderScope rec;
    SearchDialogValues v;
    v.caseSensitive = false;
    v.jokerEnabled = true;
    v.jokerByte = 0x41;
    v.findHexMode = true;
    v.searchDown = false;
    v.fromCursor = false;
    TFormFind form;
    form.SetValues(v);
    QVERIFY(!Child<QCheckBox>(form, "CheckBoxCase")->isChecked());
    QVERIFY(Child<QCheckBox>(form, "CheckBoxJokerFind")->isChecked());
    QCOMPARE(Child<TQZByteEdit>(form, "QZByteEditJoker")->text(), QString("41"));
    QCOMPARE(Child<QLabel>(form, "LabelJoker")->text(), QString("A"));
    QVERIFY(Child<QRadioButton>(form, "RadioButtonHex")->isChecked());
    QVERIFY(Child<QRadioButton>(form, "rbtUp")->isChecked());
    QVERIFY(Child<QRadioButton>(form, "rbtBeginEnd")->isChecked());
    QCOMPARE(Child<QRadioButton>(form, "rbtBeginEnd")->text(), QString("&End"));
  }

  void showingEnablesAndFocusesTheCheckedEdit() {
    quoxa::test::RecorderScope rec;
    SearchDialogValues v;
    v.findHexMode = true;
    TFormFind form;
    form.SetValues(v);
    ShowActive(form);
    auto* hex = Child<TQZByteEdit>(form, "QZByteEditFindH");
    auto* text = Child<QLineEdit>(form, "EditFindT");
    QVERIFY(hex->isEnabled());
    QVERIFY(!text->isEnabled());
    QTRY_VERIFY(hex->hasFocus());
    const QPalette standard = QApplication::palette(text);
    QCOMPARE(text->palette().color(QPalette::Active, QPalette::Base), standard.color(QPalette::Active, QPalette::Button));
    QCOMPARE(hex->palette().color(QPalette::Active, QPalette::Base), standard.color(QPalette::Active, QPalette::Base));

    Child<QRadioButton>(form, "RadioButtonText")->click();
    QVERIFY(text->isEnabled());
    QVERIFY(!hex->isEnabled());
    QTRY_VERIFY(text->hasFocus());
    QCOMPARE(text->palette().color(QPalette::Active, QPalette::Base), standard.color(QPalette::Active, QPalette::Base));
  }

  void convertPutsTheTextIntoTheHexEdit() {
    quoxa::test::RecorderScope rec;
    TFormFind form;
    form.SetValues(Start(false));
    ShowActive(form);
    auto* text = Child<QLineEdit>(form, "EditFindT");
    QTest::keyClicks(text, "AB C");
    text->insert(QString::fromUtf8("\xC3\xA9"));
    Child<QPushButton>(form, "BitBtnConvert")->click();
    auto* hex = Child<TQZByteEdit>(form, "QZByteEditFindH");
    QCOMPARE(hex->text(), QString("41 42 20 43 E9"));
    QVERIFY(Child<QRadioButton>(form, "RadioButtonHex")->isChecked());
    QTRY_VERIFY(hex->hasFocus());
  }

  void theJokerLabelFollowsTheEditWhenItIsLeft() {
    quoxa::test::RecorderScope rec;
    TFormFind form;
    ShowActive(form);
    auto* joker = Child<TQZByteEdit>(form, "QZByteEditJoker");
    auto* label = Child<QLabel>(form, "LabelJoker");
    joker->setFocus();
    QTRY_VERIFY(joker->hasFocus());
    QTest::keyClick(joker, Qt::Key_End);
    QTest::keyClick(joker, Qt::Key_Backspace);
    QTest::keyClick(joker, Qt::Key_Backspace);
    QTest::keyClicks(joker, "3f");
    QCOMPARE(joker->text(), QString("3F"));
    QCOMPARE(label->text(), QString("."));  // only leaving the edit updates it
    Child<QCheckBox>(form, "CheckBoxCase")->setFocus();
    QTRY_COMPARE(label->text(), QString("?"));
  }

  void theDirectionRenamesTheScope() {
    quoxa::test::RecorderScope rec;
    TFormFind form;
    ShowActive(form);
    auto* scope = Child<QRadioButton>(form, "rbtBeginEnd");
    Child<QRadioButton>(form, "rbtUp")->click();
    QCOMPARE(scope->text(), QString("&End"));
    Child<QRadioButton>(form, "rbtDown")->click();
    QCOMPARE(scope->text(), QString("&Begin"));
  }

  void okChecksTheJokerFirstAndKeepsTheDialogOpen() {
    quoxa::test::RecorderScope rec;
    TFormFind form;
    ShowActive(form);
    auto* joker = Child<TQZByteEdit>(form, "QZByteEditJoker");
    joker->clear();
    QVERIFY(!Child<QCheckBox>(form, "CheckBoxJokerFind")->isChecked());
    Child<QPushButton>(form, "ButtonOK")->click();
    QCOMPARE(rec.messages.Texts(), std::vector<std::string>{"Enter joker char"});
    QVERIFY(form.isVisible());
    QCOMPARE(form.result(), 0);
    QTRY_VERIFY(joker->hasFocus());
  }

  void okRefusesAnEmptyTextAndAnInvalidHexString() {
    quoxa::test::RecorderScope rec;
    TFormFind form;
    form.SetValues(Start(false));
    ShowActive(form);
    auto* ok = Child<QPushButton>(form, "ButtonOK");
    ok->setFocus();
    ok->click();
    QCOMPARE(rec.messages.Texts(), std::vector<std::string>{"Can't find empty string"});
    QTRY_VERIFY(Child<QLineEdit>(form, "EditFindT")->hasFocus());

    Child<QRadioButton>(form, "RadioButtonHex")->click();
    auto* hex = Child<TQZByteEdit>(form, "QZByteEditFindH");
    QTest::keyClicks(hex, "414");
    ok->setFocus();
    ok->click();
    QCOMPARE(rec.messages.Texts().back(), std::string("Hex string invalid"));
    QTRY_VERIFY(hex->hasFocus());
    QVERIFY(form.isVisible());
  }

  void theCaseQuestionCanCheckTheBoxOrKeepTheDialogOpen() {
    quoxa::test::RecorderScope rec;
    TFormFind form;
    form.SetValues(Start(true, false));
    ShowActive(form);
    QTest::keyClicks(Child<TQZByteEdit>(form, "QZByteEditFindH"), "4142");
    rec.messages.answers = {quoxa::mrCancel};
    Child<QPushButton>(form, "ButtonOK")->click();
    QCOMPARE(rec.messages.Texts(), std::vector<std::string>{kCaseQuestion});
    QVERIFY(form.isVisible());
    rec.messages.answers = {quoxa::mrYes};
    Child<QPushButton>(form, "ButtonOK")->click();
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(Child<QCheckBox>(form, "CheckBoxCase")->isChecked());
    const SearchDialogValues v = form.Values();
    QVERIFY(v.caseSensitive);
    QCOMPARE(v.findString, std::string("AB"));
    QVERIFY(v.findHexMode);
  }

  void okGivesBackTheOptionsDirectionScopeAndString() {
    quoxa::test::RecorderScope rec;
    TFormFind form;
    form.SetValues(Start(false));
    ShowActive(form);
    QTest::keyClicks(Child<QLineEdit>(form, "EditFindT"), " ab ");
    Child<QCheckBox>(form, "CheckBoxJokerFind")->setChecked(true);
    Child<QRadioButton>(form, "rbtUp")->click();
    Child<QRadioButton>(form, "rbtBeginEnd")->click();
    Child<QPushButton>(form, "ButtonOK")->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    const SearchDialogValues v = form.Values();
    QCOMPARE(v.findString, std::string(" ab "));
    QVERIFY(v.jokerEnabled);
    QCOMPARE(v.jokerByte, uint8_t{0x2E});
    QVERIFY(!v.searchDown);
    QVERIFY(!v.fromCursor);
    QVERIFY(!v.findHexMode);
    QVERIFY(rec.messages.Texts().empty());
  }

  void helpShowsTheTopicOfTheCaption() {
    quoxa::test::RecorderScope rec;
    std::vector<int> topics;
    quoxa::InstallHelp([&topics](int topic) { topics.push_back(topic); });
    TFormFind form;
    form.setWindowTitle("Find");
    Child<QPushButton>(form, "ButtonHelp")->click();
    form.setWindowTitle("Count");
    Child<QPushButton>(form, "ButtonHelp")->click();
    quoxa::InstallHelp(nullptr);
    QCOMPARE(topics, (std::vector<int>{51, 52}));
  }

  void rightArrowPicksUpTheDocumentBytesAtTheCursor() {
    quoxa::test::RecorderScope rec;
    quoxa::test::LoadDocument("ABC", 4, 4);
    quoxa::GotoAddress(2, true, false);
    TFormFind form;
    form.SetValues(Start(true));
    ShowActive(form);
    auto* hex = Child<TQZByteEdit>(form, "QZByteEditFindH");
    QTRY_VERIFY(hex->hasFocus());
    QTest::keyClick(hex, Qt::Key_Right);
    QCOMPARE(hex->text(), QString("42"));
    QTest::keyClick(hex, Qt::Key_Right);
    QCOMPARE(hex->text(), QString("42 43"));
    QCOMPARE(hex->cursorPosition(), 5);
    QTest::keyClick(hex, Qt::Key_Right);  // the last byte was taken once
    QCOMPARE(hex->text(), QString("42 43"));
    // Away from the end the key only moves the caret.
    hex->setCursorPosition(0);
    QTest::keyClick(hex, Qt::Key_Right);
    QCOMPARE(hex->cursorPosition(), 1);
    QCOMPARE(hex->text(), QString("42 43"));
    // Bytes that differ from the document take nothing.
    hex->setText("43");
    QTest::keyClick(hex, Qt::Key_Right);
    QCOMPARE(hex->text(), QString("43"));
  }
};

QTEST_MAIN(TestFormFind)
#include "tst_FormFind.moc"
