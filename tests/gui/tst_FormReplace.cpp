// The Replace dialog: its controls and groups, how it starts, the two convert buttons, the
// checks of OK and Replace all with their messages and focus, and which button closed it.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
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
#include "search/FormReplace.h"
#include "settings/IniFile.h"
#include "settings/QZHistoryBtn.h"
#include "widgets/QZByteEdit.h"

using quoxa::ReplaceChoice;
using quoxa::SearchDialogValues;
using quoxa::TFormReplace;
using quoxa::TQZByteEdit;
using quoxa::test::Child;
using quoxa::test::ShowActive;

namespace {

SearchDialogValues Start(bool findHex, bool replaceHex) {
  SearchDialogValues v;
  v.findHexMode = findHex;
  v.replaceHexMode = replaceHex;
  return v;
}

}  // namespace

class TestFormReplace : public QObject {
  Q_OBJECT

  std::unique_ptr<quoxa::test::OwnSettingsFile> settings_;

 private slots:
  // Every dialog reads and writes the histories of a settings file of its own.
  void init() { settings_ = std::make_unique<quoxa::test::OwnSettingsFile>(); }
  void cleanup() { settings_.reset(); }

  void theFindHistoriesAreSharedWithTheFindDialog() {
    quoxa::test::RecorderScope rec;
    {
      quoxa::TFormFind find;
      find.SetValues(Start(false, false));
      ShowActive(find);
      QTest::keyClicks(Child<QLineEdit>(find, "EditFindT"), "shared");
      Child<QPushButton>(find, "ButtonOK")->click();
    }
    {
      TFormReplace form;
      const std::pair<const char*, const char*> buttons[] = {{"QZHistoryBtnFindT", "QZHistoryFindT"},
                                                             {"QZHistoryBtnFindH", "QZHistoryFindH"},
                                                             {"QZHistoryBtnReplT", "QZHistoryReplT"},
                                                             {"QZHistoryBtnReplH", "QZHistoryReplH"}};
      for (const auto& [name, section] : buttons) {
        QCOMPARE(Child<quoxa::TQZHistoryBtn>(form, name)->IniSection, QString(section));
      }
      QCOMPARE(Child<QLineEdit>(form, "EditFindT")->text(), QString("shared"));
      form.SetValues(Start(false, true));
      ShowActive(form);
      QTest::keyClicks(Child<TQZByteEdit>(form, "QZByteEditReplH"), "0a");
      Child<QPushButton>(form, "ButtonReplAll")->click();
      QCOMPARE(form.Values().replaceString, std::string("\n"));
    }
    const quoxa::TIniFile ini(settings_->Path());
    QCOMPARE(ini.ReadString("QZHistoryFindT", "0", ""), std::string("\"shared\""));
    QCOMPARE(ini.ReadString("QZHistoryReplH", "0", ""), std::string("\"0A\""));
    QVERIFY(!ini.KeyExists("QZHistoryReplT", "0"));
  }

  void controlsAndGroupsCarryTheirCaptions() {
    quoxa::test::RecorderScope rec;
    TFormReplace form;
    QCOMPARE(form.windowTitle(), QString("Replace"));
    const std::pair<const char*, const char*> captions[] = {
        {"RadioButtonFindT", "&Text string"}, {"BitBtnConvFind", "Text -> Hex"}, {"RadioButtonFindH", "&Hex string"},
        {"RadioButtonReplT", "T&ext string"}, {"BitBtnConvertRepl", "Text -> Hex"}, {"RadioButtonReplH", "He&x string"},
        {"CheckBoxCase", "Case &sensitive"}, {"CheckBoxJokerFind", "&Joker char hex:"}, {"rbtCursor", "&Cursor"},
        {"rbtBeginEnd", "&Begin"}, {"ButtonOK", "OK"}, {"ButtonReplAll", "Replace &all"}, {"ButtonCancel", "Cancel"},
        {"ButtonHelp", "Help"}};
    for (const auto& [name, caption] : captions) {
      QCOMPARE(Child<QAbstractButton>(form, name)->text(), QString(caption));
    }
    QStringList groups;
    for (const QGroupBox* box : form.findChildren<QGroupBox*>()) groups << box->title();
    groups.sort();
    QCOMPARE(groups, (QStringList{"Find", "Options", "Replace with", "Scope from"}));
    QVERIFY(Child<QRadioButton>(form, "RadioButtonReplT")->isChecked());
    QVERIFY(!Child<TQZByteEdit>(form, "QZByteEditReplH")->isEnabled());
    QVERIFY2(form.findChild<QRadioButton*>("rbtDown") == nullptr, "replacing always runs down");
    QCOMPARE(Child<TQZByteEdit>(form, "QZByteEditJoker")->text(), QString("2E"));
  }

  void startsFromTheStateAndActivatesBothGroups() {
    quoxa::test::RecorderScope rec;
    SearchDialogValues v = Start(false, true);
    v.fromCursor = false;
    v.jokerEnabled = true;
    TFormReplace form;
    form.SetValues(v);
    ShowActive(form);
    QVERIFY(Child<QRadioButton>(form, "RadioButtonFindT")->isChecked());
    QVERIFY(Child<QRadioButton>(form, "RadioButtonReplH")->isChecked());
    QVERIFY(Child<QRadioButton>(form, "rbtBeginEnd")->isChecked());
    QVERIFY(Child<QCheckBox>(form, "CheckBoxJokerFind")->isChecked());
    QVERIFY(Child<QLineEdit>(form, "EditFindT")->isEnabled());
    QVERIFY(!Child<TQZByteEdit>(form, "QZByteEditFindH")->isEnabled());
    QVERIFY(Child<TQZByteEdit>(form, "QZByteEditReplH")->isEnabled());
    QVERIFY(!Child<QLineEdit>(form, "EditReplT")->isEnabled());
    QTRY_VERIFY(Child<QLineEdit>(form, "EditFindT")->hasFocus());
  }

  void eachConvertButtonWorksOnItsOwnGroup() {
    quoxa::test::RecorderScope rec;
    TFormReplace form;
    form.SetValues(Start(false, false));
    ShowActive(form);
    QTest::keyClicks(Child<QLineEdit>(form, "EditReplT"), "xy");
    QTest::keyClicks(Child<QLineEdit>(form, "EditFindT"), "a");
    Child<QPushButton>(form, "BitBtnConvertRepl")->click();
    QCOMPARE(Child<TQZByteEdit>(form, "QZByteEditReplH")->text(), QString("78 79"));
    QVERIFY(Child<QRadioButton>(form, "RadioButtonReplH")->isChecked());
    QVERIFY(Child<QRadioButton>(form, "RadioButtonFindT")->isChecked());
    QCOMPARE(Child<TQZByteEdit>(form, "QZByteEditFindH")->text(), QString());
    QTRY_VERIFY(Child<TQZByteEdit>(form, "QZByteEditReplH")->hasFocus());
  }

  void okReplacesOneAndReplaceAllEveryOne() {
    quoxa::test::RecorderScope rec;
    for (const char* button : {"ButtonOK", "ButtonReplAll"}) {
      TFormReplace form;
      form.SetValues(Start(false, false));
      ShowActive(form);
      QTest::keyClicks(Child<QLineEdit>(form, "EditFindT"), "ab");
      QTest::keyClicks(Child<QLineEdit>(form, "EditReplT"), "xyz");
      Child<QCheckBox>(form, "CheckBoxCase")->setChecked(false);
      Child<QRadioButton>(form, "rbtBeginEnd")->click();
      Child<QPushButton>(form, button)->click();
      QCOMPARE(form.result(), int(QDialog::Accepted));
      QCOMPARE(form.Choice(), std::string(button) == "ButtonOK" ? ReplaceChoice::ReplaceOne : ReplaceChoice::ReplaceAll);
      const SearchDialogValues v = form.Values();
      QCOMPARE(v.findString, std::string("ab"));
      QCOMPARE(v.replaceString, std::string("xyz"));
      QVERIFY(!v.caseSensitive);
      QVERIFY(!v.fromCursor);
      QVERIFY(!v.replaceHexMode);
    }
    QVERIFY(rec.messages.Texts().empty());
  }

  void anEmptyReplacementIsAllowedInBothModes() {
    quoxa::test::RecorderScope rec;
    for (bool hex : {false, true}) {
      TFormReplace form;
      form.SetValues(Start(true, hex));
      ShowActive(form);
      QTest::keyClicks(Child<TQZByteEdit>(form, "QZByteEditFindH"), "0d0a");
      Child<QPushButton>(form, "ButtonOK")->click();
      QCOMPARE(form.result(), int(QDialog::Accepted));
      QCOMPARE(form.Values().findString, std::string("\r\n"));
      QCOMPARE(form.Values().replaceString, std::string());
    }
    QVERIFY(rec.messages.Texts().empty());
  }

  void anInvalidReplacementHexStringKeepsTheDialogOpen() {
    quoxa::test::RecorderScope rec;
    TFormReplace form;
    form.SetValues(Start(false, true));
    ShowActive(form);
    QTest::keyClicks(Child<QLineEdit>(form, "EditFindT"), "a");
    auto* repl = Child<TQZByteEdit>(form, "QZByteEditReplH");
    QTest::keyClicks(repl, "123");
    Child<QPushButton>(form, "ButtonReplAll")->setFocus();
    Child<QPushButton>(form, "ButtonReplAll")->click();
    QCOMPARE(rec.messages.Texts(), std::vector<std::string>{"Hex string invalid"});
    QVERIFY(form.isVisible());
    QCOMPARE(form.Choice(), ReplaceChoice::Cancel);
    QTRY_VERIFY(repl->hasFocus());
  }

  void theFindPartIsCheckedFirst() {
    quoxa::test::RecorderScope rec;
    TFormReplace form;
    form.SetValues(Start(false, true));
    ShowActive(form);
    QTest::keyClicks(Child<TQZByteEdit>(form, "QZByteEditReplH"), "1");
    Child<QPushButton>(form, "ButtonOK")->click();
    QCOMPARE(rec.messages.Texts(), std::vector<std::string>{"Can't find empty string"});
    QTRY_VERIFY(Child<QLineEdit>(form, "EditFindT")->hasFocus());
  }

  void cancelClosesWithoutAChoice() {
    quoxa::test::RecorderScope rec;
    TFormReplace form;
    ShowActive(form);
    Child<QPushButton>(form, "ButtonCancel")->click();
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(form.Choice(), ReplaceChoice::Cancel);
  }

  void helpAndPickingUpBytesInTheReplacement() {
    quoxa::test::RecorderScope rec;
    std::vector<int> topics;
    quoxa::InstallHelp([&topics](int topic) { topics.push_back(topic); });
    quoxa::test::LoadDocument("XYZ", 4, 4);
    quoxa::GotoAddress(3, true, false);
    TFormReplace form;
    form.SetValues(Start(false, true));
    ShowActive(form);
    Child<QPushButton>(form, "ButtonHelp")->click();
    quoxa::InstallHelp(nullptr);
    QCOMPARE(topics, std::vector<int>{53});
    auto* repl = Child<TQZByteEdit>(form, "QZByteEditReplH");
    repl->setFocus();
    QTRY_VERIFY(repl->hasFocus());
    QTest::keyClick(repl, Qt::Key_Right);
    QTest::keyClick(repl, Qt::Key_Right);
    QCOMPARE(repl->text(), QString("5A"));
  }
};

QTEST_MAIN(TestFormReplace)
#include "tst_FormReplace.moc"
