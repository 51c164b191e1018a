// The history button: linking, adding on focus loss, keys, the drop-down and its colours, load and save.
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

#include "Recorders.h"
#include "ScopedEnv.h"
#include "Screenshot.h"
#include "TempDir.h"
#include "settings/IniFile.h"
#include "settings/QZHistoryBtn.h"

using namespace quoxa;

namespace {

struct Form {
  QDialog dialog;
  QLineEdit* edit = new QLineEdit(&dialog);
  QLineEdit* other = new QLineEdit(&dialog);
  TQZHistoryBtn* button = new TQZHistoryBtn(&dialog);
  Form() {
    dialog.resize(300, 120);
    edit->setObjectName("EditGoTo");
    edit->setGeometry(10, 10, 150, 24);
    other->setGeometry(10, 60, 150, 24);
    button->setObjectName("QZHistoryBtnGoTo");
    button->SetEdit(edit);
  }
  void Items(std::vector<std::string> items) { button->History().Items = std::move(items); }
};

void LoseFocus(QLineEdit* edit, Qt::FocusReason reason = Qt::TabFocusReason) {
  QFocusEvent event(QEvent::FocusOut, reason);
  QCoreApplication::sendEvent(edit, &event);
}

}  // namespace

class TestHistoryBtn : public QObject {
  Q_OBJECT

 private slots:
  void theButtonSitsAtTheEditsRightEdge() {
    Form f;
    QCOMPARE(f.button->geometry(), QRect(160, 10, 18, 24));
    f.dialog.show();
    f.edit->setGeometry(20, 30, 100, 26);
    QCOMPARE(f.button->geometry(), QRect(120, 30, 18, 26));
    QCOMPARE(f.button->Edit(), f.edit);
  }

  void aSecondButtonForTheSameEditIsRefused() {
    test::RecorderScope rec;
    Form f;
    auto* second = new TQZHistoryBtn(&f.dialog);
    second->setObjectName("QZHistoryBtnTwo");
    QVERIFY(!second->SetEdit(f.edit));
    QCOMPARE(rec.messages.Texts(), std::vector<std::string>{"EditGoTo is already linked to QZHistoryBtnGoTo"});
    QCOMPARE(rec.messages.shown[0].type, MsgType::Error);
    QCOMPARE(second->Edit(), nullptr);
    QVERIFY(second->SetEdit(f.other));
  }

  void theEditsDestructionUnlinksTheButton() {
    Form f;
    delete f.edit;
    QCOMPARE(f.button->Edit(), nullptr);
    f.button->DropDown();
    QCOMPARE(f.button->Menu(), nullptr);
  }

  void losingTheFocusAddsTheText() {
    Form f;
    f.Items({"x", "ABC"});
    f.edit->setText("abc");
    LoseFocus(f.edit);
    QCOMPARE(f.button->Items(), QStringList({"abc", "x", "ABC"}));
    // Our own popup or another application taking the focus confirms nothing.
    f.edit->setText("popup");
    LoseFocus(f.edit, Qt::PopupFocusReason);
    LoseFocus(f.edit, Qt::ActiveWindowFocusReason);
    QCOMPARE(f.button->Items().size(), 3);
    f.edit->clear();
    LoseFocus(f.edit);
    QCOMPARE(f.button->Items().size(), 3);
  }

  void onAddMayChangeOrRefuseTheText() {
    Form f;
    f.button->OnAdd = [](TQZHistoryBtn*, QString& text, bool& accept) {
      if (text == "no") accept = false;
      text = text.toUpper();
    };
    f.button->Add("no");
    f.button->Add("yes");
    QCOMPARE(f.button->Items(), QStringList{"YES"});
  }

  void theKeysStepThroughTheList() {
    Form f;
    f.Items({"one", "two", "three"});
    f.edit->setText("TWO");
    QTest::keyClick(f.edit, Qt::Key_Down);
    QCOMPARE(f.edit->text(), QString("three"));
    QCOMPARE(f.edit->selectedText(), QString("three"));
    QTest::keyClick(f.edit, Qt::Key_Down);
    QCOMPARE(f.edit->text(), QString("three"));
    QTest::keyClick(f.edit, Qt::Key_Up);
    QCOMPARE(f.edit->text(), QString("two"));
    QTest::keyClick(f.edit, Qt::Key_PageDown);
    QCOMPARE(f.edit->text(), QString("three"));
    QTest::keyClick(f.edit, Qt::Key_PageUp);
    QCOMPARE(f.edit->text(), QString("one"));
    f.edit->setText("unknown");
    QTest::keyClick(f.edit, Qt::Key_Up);
    QCOMPARE(f.edit->text(), QString("one"));
    // The order never changes by keys.
    QCOMPARE(f.button->Items(), QStringList({"one", "two", "three"}));
    f.button->OnSelect = [](TQZHistoryBtn*, QString&, bool& accept) { accept = false; };
    QTest::keyClick(f.edit, Qt::Key_PageDown);
    QCOMPARE(f.edit->text(), QString("one"));
  }

  void keysDoNothingWithAnEmptyList() {
    Form f;
    f.edit->setText("typed");
    QTest::keyClick(f.edit, Qt::Key_PageUp);
    QTest::keyClick(f.edit, Qt::Key_Down);
    QCOMPARE(f.edit->text(), QString("typed"));
  }

  void theDropDownListsTheEntriesAndChoosingOneFillsTheEdit() {
    test::RecorderScope rec;
    test::TempDir dir;
    Form f;
    f.dialog.show();
    f.Items({"a", "R&D", "c", "a"});
    f.button->IniSection = "QZHistoryGoTo";
    f.button->click();
    QMenu* menu = f.button->Menu();
    QVERIFY(menu != nullptr);
    const auto actions = menu->actions();
    QCOMPARE(actions.size(), 3);  // the later copy of entry 0 went with the tidy
    QCOMPARE(actions[0]->objectName(), QString("_M0"));
    QCOMPARE(actions[1]->objectName(), QString("_M1"));
    QCOMPARE(actions[1]->text(), QString(" R&&D "));
    QCOMPARE(menu->minimumWidth(), f.edit->width());
    QCOMPARE(menu->font(), f.edit->font());
    test::SaveShot(menu, "history-dropdown");
    actions[2]->trigger();
    menu->hide();
    QCOMPARE(f.edit->text(), QString("c"));
    QCOMPARE(f.edit->selectedText(), QString("c"));
    const QString path = QString::fromStdString(dir.File("h.ini"));
    QVERIFY(f.button->Save(path));
    QCOMPARE(QString::fromStdString(test::TempDir::Read(dir.File("h.ini"))),
             QString("[QZHistoryGoTo]\n0=\"c\"\n1=\"a\"\n2=\"R&D\"\n"));
    QVERIFY(rec.messages.shown.empty());
  }

  void theDropDownIsDrawnInTheButtonsColours() {
    Form f;
    f.dialog.show();
    f.Items({"first", "second"});
    f.button->ColorHistoryBack = QColor(10, 200, 30);
    f.button->ColorHLHistoryBack = QColor(200, 20, 180);
    f.button->DropDown();
    QMenu* menu = f.button->Menu();
    menu->setActiveAction(menu->actions()[0]);
    QCoreApplication::processEvents();
    const QImage image = menu->grab().toImage();
    const QRect first = menu->actionGeometry(menu->actions()[0]);
    const QRect second = menu->actionGeometry(menu->actions()[1]);
    QCOMPARE(image.pixelColor(first.right() - 2, first.center().y()), QColor(200, 20, 180));
    QCOMPARE(image.pixelColor(second.right() - 2, second.center().y()), QColor(10, 200, 30));
    menu->hide();
  }

  void aDisabledEditHasNoDropDown() {
    Form f;
    f.Items({"a"});
    f.edit->setEnabled(false);
    f.button->DropDown();
    QCOMPARE(f.button->Menu(), nullptr);
  }

  void loadingRemovesTheQuotesAndFillsTheEdit() {
    test::TempDir dir;
    const std::string path = dir.Write("h.ini", "[QZHistoryFindT]\n0=\"  x  \"\n1=plain\n2=\"plain\"\n");
    Form f;
    f.button->IniSection = "QZHistoryFindT";
    f.button->Load(QString::fromStdString(path));
    QCOMPARE(f.button->Items(), QStringList({"  x  ", "plain", "plain"}));
    QCOMPARE(f.edit->text(), QString("  x  "));
    Form none;
    none.edit->setText("kept");
    none.button->Load(QString::fromStdString(path));
    QCOMPARE(none.edit->text(), QString("kept"));
  }

  void theSettingsFileIsTheDefault() {
    test::TempDir dir;
    test::ScopedEnv env("QUOXA_INI", dir.File("quoxa.ini"));
    Form f;
    f.button->IniSection = "QZHistoryJump";
    f.Items({"16"});
    QVERIFY(f.button->Save());
    QCOMPARE(TIniFile(dir.File("quoxa.ini")).ReadString("QZHistoryJump", "0", ""), std::string("\"16\""));
  }

  void aFailedSaveNamesTheSettingsFile() {
    test::RecorderScope rec;
    test::TempDir dir;
    const std::string blocker = dir.Write("blocker", "x");
    Form f;
    f.button->IniSection = "QZHistoryGoTo";
    f.Items({"1"});
    QVERIFY(!f.button->Save(QString::fromStdString(blocker + "/quoxa.ini")));
    QCOMPARE(rec.messages.Texts(),
             std::vector<std::string>{"Error writing " + blocker + "/quoxa.ini"});
  }
};

QTEST_MAIN(TestHistoryBtn)
#include "tst_QZHistoryBtn.moc"
