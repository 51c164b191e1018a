// The Go to address and Jump width dialogs (controls, radios following "$", histories, OK checks
// with their messages) and the Address and Bookmarks menus through the real main window.
#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "DialogTestKit.h"
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "TestDocument.h"
#include "core/BookmarkList.h"
#include "core/Help.h"
#include "core/Navigation.h"
#include "edit/FormGoto.h"
#include "edit/FormJump.h"
#include "edit/JumpCommands.h"
#include "edit/NumberChoice.h"
#include "settings/IniFile.h"
#include "settings/MRUFiles.h"
#include "settings/Options.h"
#include "settings/QZHistoryBtn.h"
#include "settings/SettingsPath.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/MainWindowSettings.h"
#include "ui/main/QZStrGrid.h"
#include "widgets/QZNumEdit.h"

using quoxa::Cmd;
using quoxa::TFormGoto;
using quoxa::TFormJump;
using quoxa::TQZNumEdit;
using quoxa::test::Child;
using quoxa::test::MainWindowFixture;
using quoxa::test::ShowActive;

namespace {

// Types text over the edit's contents and presses Enter, as a user confirms the dialog.
void TypeAndEnter(QDialog& form, const QString& text) {
  auto* edit = Child<TQZNumEdit>(form, "QZNumEdit1");
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Return);
}

QStringList Captions(MainWindowFixture& f) {
  QStringList captions;
  for (int i = 0; i < 9; ++i) {
    QAction* entry = f.Action(static_cast<Cmd>(static_cast<int>(Cmd::Bookmark1) + i));
    if (entry->isVisible()) captions << entry->text();
  }
  return captions;
}

bool DividerVisible(MainWindowFixture& f) {
  for (QAction* a : f.form.Menu()->SubMenu(Cmd::Bookmarks)->actions()) {
    if (a->objectName() == "Bookmarkdivi") return a->isVisible();
  }
  return false;
}

}  // namespace

class TestAddresses : public QObject {
  Q_OBJECT

  std::unique_ptr<quoxa::test::OwnSettingsFile> settings_;

 private slots:
  void init() {
    settings_ = std::make_unique<quoxa::test::OwnSettingsFile>();
    quoxa::Doc().Bookmarks.Clear();
  }
  void cleanup() { settings_.reset(); }

  void controlsCarryTheirCaptions() {
    quoxa::test::RecorderScope rec;
    quoxa::Options().GotoMode = 2;
    TFormGoto go;
    QCOMPARE(go.windowTitle(), QString("Go to address"));
    const std::pair<const char*, const char*> captions[] = {
        {"RadioButtonDec", "&decimal"}, {"RadioButtonHex", "&hexadecimal"}, {"RadioGoMode0", "&absolute"},
        {"RadioGoMode1", "relative d&own"}, {"RadioGoMode2", "relative &up"}, {"ButtonOK", "OK"},
        {"ButtonCancel", "Cancel"}, {"ButtonHelp", "Help"}};
    for (const auto& [name, caption] : captions) QCOMPARE(Child<QAbstractButton>(go, name)->text(), QString(caption));
    QCOMPARE(Child<QGroupBox>(go, "RadioGroupGoMode")->title(), QString("Go mode"));
    QCOMPARE(go.NumberBox()->title(), QString("Go to"));
    QVERIFY(Child<QRadioButton>(go, "RadioGoMode2")->isChecked());  // the mode last used
    QVERIFY(Child<QRadioButton>(go, "RadioButtonDec")->isChecked());
    QCOMPARE(Child<TQZNumEdit>(go, "QZNumEdit1")->text(), QString("0"));
    // Room for any position of a document, past 32 bits.
    QCOMPARE(Child<TQZNumEdit>(go, "QZNumEdit1")->Max(), 999999999999999999.0L);
    QCOMPARE(Child<TQZNumEdit>(go, "QZNumEdit1")->DigitsInt(), 18);
    QCOMPARE(Child<quoxa::TQZHistoryBtn>(go, "QZHistoryBtnGoTo")->IniSection, QString("QZHistoryGoTo"));
    QVERIFY(Child<QPushButton>(go, "ButtonOK")->isDefault());
    std::vector<int> topics;
    quoxa::InstallHelp([&topics](int topic) { topics.push_back(topic); });
    Child<QPushButton>(go, "ButtonHelp")->click();
    quoxa::InstallHelp(nullptr);
    QCOMPARE(topics, std::vector<int>{54});
    QVERIFY(quoxa::HelpTopicHtml(54).contains("Go mode"));

    TFormJump jump;
    QCOMPARE(jump.windowTitle(), QString("Enter jump width"));
    QCOMPARE(jump.NumberBox()->title(), QString("Jump width"));
    QCOMPARE(Child<TQZNumEdit>(jump, "QZNumEdit1")->Max(), 999999999999999999.0L);
    QCOMPARE(Child<quoxa::TQZHistoryBtn>(jump, "QZHistoryBtnJump")->IniSection, QString("QZHistoryJump"));
    QVERIFY(jump.findChild<QPushButton*>("ButtonHelp") == nullptr);
  }

  void theRadiosFollowTheDollarAndSwitchTheEdit() {
    quoxa::test::RecorderScope rec;
    quoxa::TIniFile ini(settings_->Path());
    ini.WriteString("QZHistoryGoTo", "0", "\"$1F\"");
    ini.WriteString("QZHistoryGoTo", "1", "\"255\"");
    TFormGoto form;
    auto* edit = Child<TQZNumEdit>(form, "QZNumEdit1");
    auto* hex = Child<QRadioButton>(form, "RadioButtonHex");
    auto* dec = Child<QRadioButton>(form, "RadioButtonDec");
    QCOMPARE(edit->text(), QString("$1F"));
    QCOMPARE(edit->Value(), 31.0L);  // what Escape and a failed check give back
    QVERIFY(hex->isChecked());
    ShowActive(form);
    QTRY_VERIFY(edit->hasFocus());
    Child<quoxa::TQZHistoryBtn>(form, "QZHistoryBtnGoTo")->ChooseEntry(1);
    QCOMPARE(edit->text(), QString("255"));
    QVERIFY(dec->isChecked());
    hex->click();
    QCOMPARE(edit->text(), QString("$FF"));
    dec->click();
    QCOMPARE(edit->text(), QString("255"));
    edit->setText("$1a");  // a pasted "$" switches as well, once the edit is left
    dec->setFocus();
    QVERIFY(hex->isChecked());
    QCOMPARE(edit->text(), QString("$1A"));
  }

  void okChecksThePositionAndStaysOpenWithTheMessage() {
    struct Case {
      int mode;
      int64_t base;
      const char* text;
      int64_t position;  // 0: refused
    };
    // A leading "$" stands for a click on the hexadecimal radio: "$" itself cannot be typed.
    // 50 bytes, the cursor on position 10.
    const Case cases[] = {
        {0, 0, "0", 1},   {0, 0, "$31", 50}, {0, 0, "50", 0}, {0, 1, "1", 1},  {0, 1, "0", 0},
        {1, 0, "40", 50}, {1, 0, "41", 0},   {2, 0, "9", 1},  {2, 0, "10", 0},
    };
    for (const Case& c : cases) {
      quoxa::test::RecorderScope rec;
      quoxa::test::LoadDocument(quoxa::test::Ramp(50), 16, 4);
      quoxa::GotoAddress(10, true, false);
      quoxa::Doc().BaseAddress = c.base;
      TFormGoto form;
      Child<QRadioButton>(form, (std::string("RadioGoMode") + std::to_string(c.mode)).c_str())->click();
      ShowActive(form);
      const QString text = QString::fromLatin1(c.text);
      Child<QRadioButton>(form, text.startsWith('$') ? "RadioButtonHex" : "RadioButtonDec")->click();
      TypeAndEnter(form, text.startsWith('$') ? text.mid(1) : text);
      if (c.position == 0) {
        QVERIFY2(form.isVisible(), c.text);
        QCOMPARE(rec.messages.Texts(), std::vector<std::string>{"Address invalid"});
        QTRY_VERIFY(Child<TQZNumEdit>(form, "QZNumEdit1")->hasFocus());
      } else {
        QVERIFY2(form.result() == QDialog::Accepted, c.text);
        QCOMPARE(form.Position(), c.position);
        QCOMPARE(form.Mode(), c.mode);
        QVERIFY(rec.messages.Texts().empty());
      }
    }
  }

  void pastedNumbersReachTheCheckUnroundedAndUnclamped() {
    struct Case {
      bool jump;  // Jump width, else Go to (mode: 0 absolute, 1 relative down)
      int mode;
      const char* pasted;
      bool click;      // OK clicked with the mouse, else Enter
      int64_t result;  // 0: refused with the message, the dialog open and the text as pasted
    };
    // 50 bytes, the cursor on position 10.
    const Case cases[] = {
        {false, 0, "-5", false, 0}, {false, 0, "1.5", false, 0}, {false, 0, "2.6", true, 0},
        {false, 0, "abc", true, 0}, {false, 0, "12", false, 13}, {false, 1, "-3", false, 7},
        {true, 0, "2.6", false, 0}, {true, 0, "-5", true, 0},    {true, 0, "7", true, 7},
    };
    for (const Case& c : cases) {
      quoxa::test::RecorderScope rec;
      quoxa::test::LoadDocument(quoxa::test::Ramp(50), 16, 4);
      quoxa::GotoAddress(10, true, false);
      std::unique_ptr<QDialog> form;
      if (c.jump) {
        form = std::make_unique<TFormJump>();
      } else {
        form = std::make_unique<TFormGoto>();
        Child<QRadioButton>(*form, (std::string("RadioGoMode") + std::to_string(c.mode)).c_str())
            ->click();
      }
      ShowActive(*form);
      auto* edit = Child<TQZNumEdit>(*form, "QZNumEdit1");
      edit->setFocus();
      edit->selectAll();
      QGuiApplication::clipboard()->setText(QString::fromLatin1(c.pasted));
      QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
      QCOMPARE(edit->text(), QString::fromLatin1(c.pasted));
      if (c.click) {
        QTest::mouseClick(Child<QPushButton>(*form, "ButtonOK"), Qt::LeftButton);
      } else {
        QTest::keyClick(edit, Qt::Key_Return);
      }
      const std::string message = c.jump ? "Jump width invalid" : "Address invalid";
      if (c.result == 0) {
        QVERIFY2(form->isVisible(), c.pasted);
        QCOMPARE(rec.messages.Texts(), std::vector<std::string>{message});
        QCOMPARE(edit->text(), QString::fromLatin1(c.pasted));
      } else {
        QVERIFY2(form->result() == QDialog::Accepted, c.pasted);
        QCOMPARE(c.jump ? static_cast<TFormJump&>(*form).Width()
                        : static_cast<TFormGoto&>(*form).Position(),
                 c.result);
        QVERIFY(rec.messages.Texts().empty());
      }
    }
  }

  void jumpWidthMustBeBelowTheSizeAndIsRemembered() {
    quoxa::test::RecorderScope rec;
    quoxa::test::LoadDocument(quoxa::test::Ramp(50), 16, 4);
    {
      TFormJump form;
      ShowActive(form);
      TypeAndEnter(form, "50");
      QVERIFY(form.isVisible());
      TypeAndEnter(form, "0");
      QVERIFY(form.isVisible());
      QCOMPARE(rec.messages.Texts(), (std::vector<std::string>{"Jump width invalid", "Jump width invalid"}));
      Child<QRadioButton>(form, "RadioButtonHex")->click();
      TypeAndEnter(form, "31");
      QCOMPARE(form.result(), int(QDialog::Accepted));
      QCOMPARE(form.Width(), 49);
    }
    quoxa::TIniFile ini(settings_->Path());
    QCOMPARE(ini.ReadString("QZHistoryJump", "0", ""), std::string("\"$31\""));
  }

  void addressMenuThroughTheWindow() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(100));
    QVERIFY(!f.Action(Cmd::JumpDown)->isEnabled());
    quoxa::test::OnNextModal([](QWidget* dialog) {
      Child<QRadioButton>(*dialog, "RadioButtonHex")->click();
      TypeAndEnter(*static_cast<QDialog*>(dialog), "20");
    });
    f.Trigger(Cmd::Goto);
    QCOMPARE(quoxa::CursorAddress(), 33);
    quoxa::test::OnNextModal([](QWidget* dialog) { TypeAndEnter(*static_cast<QDialog*>(dialog), "30"); });
    f.Trigger(Cmd::JumpWidthDialog);
    QCOMPARE(quoxa::JumpWidth, 30);
    f.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    QTest::keyClick(f.form.QZStrGridText(), Qt::Key_F5);
    QCOMPARE(quoxa::CursorAddress(), 63);
    QTest::keyClick(f.form.QZStrGridText(), Qt::Key_F5, Qt::ShiftModifier);
    QTest::keyClick(f.form.QZStrGridText(), Qt::Key_F5, Qt::ShiftModifier);
    QCOMPARE(quoxa::CursorAddress(), 3);
    quoxa::test::OnNextModal([](QWidget* dialog) { Child<QPushButton>(*dialog, "ButtonCancel")->click(); });
    f.Trigger(Cmd::JumpWidthDialog);
    QVERIFY(!f.Action(Cmd::JumpDown)->isEnabled());
    QVERIFY(!f.Action(Cmd::JumpUp)->isEnabled());
  }

  void bookmarkMenuShowsTheListInTheGridsForm() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(100));
    QVERIFY(!DividerVisible(f));
    QVERIFY(!f.Action(Cmd::BookmarkRemove)->isEnabled());
    f.rec.messages.inputAnswers = {{true, "start"}, {true, "R&D"}};
    quoxa::GotoAddress(17, true, false);
    f.Trigger(Cmd::BookmarkAdd);
    quoxa::GotoAddress(33, true, false);
    f.Trigger(Cmd::BookmarkAdd);
    QVERIFY(quoxa::Doc().TextMode);
    QCOMPARE(Captions(f), QStringList({"&1 16: start", "&2 32: R&&D"}));
    QVERIFY(DividerVisible(f));
    QVERIFY(f.Action(Cmd::BookmarkRemove)->isEnabled());
    f.Trigger(Cmd::TextModeCheck);
    QCOMPARE(Captions(f), QStringList({"&1 $10: start", "&2 $20: R&&D"}));
    quoxa::TMRUFiles recent;
    quoxa::TMainWindowSettings settings(f.form, recent);
    quoxa::Doc().BaseAddress = 1;
    settings.RebuildBookmarkMenu();  // what Options does after the base address changed
    QCOMPARE(Captions(f), QStringList({"&1 $11: start", "&2 $21: R&&D"}));
    f.Trigger(Cmd::Bookmark1);
    QCOMPARE(quoxa::CursorAddress(), 17);

    quoxa::FileQuestion asked;
    const std::string path = f.Path("marks.qbm");
    f.form.SetFileQuestionHandler([&](const quoxa::FileQuestion& q) {
      asked = q;
      return quoxa::FileAnswer{true, path, false};
    });
    f.Trigger(Cmd::BookmarkSave);
    QCOMPARE(asked.title, std::string("Save bookmarks"));
    QVERIFY(asked.save);
    QCOMPARE(asked.filter, std::string("*.qbm"));
    QCOMPARE(asked.startDir, quoxa::ProgramDirectory());
    f.Trigger(Cmd::BookmarkRemoveAll);
    QVERIFY(Captions(f).isEmpty());
    QVERIFY(!DividerVisible(f));
    f.Trigger(Cmd::BookmarkLoad);
    QCOMPARE(asked.title, std::string("Load bookmarks"));
    QVERIFY(!asked.save);
    QCOMPARE(Captions(f), QStringList({"&1 $11: start", "&2 $21: R&&D"}));
    QVERIFY(f.rec.messages.Texts().empty());
  }
};

QTEST_MAIN(TestAddresses)
#include "tst_Addresses.moc"
