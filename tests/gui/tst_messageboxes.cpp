// The message, input, list and progress boxes as a user meets them.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "ModalDriver.h"
#include "Recorders.h"
#include "core/Help.h"
#include "core/Messages.h"
#include "core/Progress.h"
#include "widgets/MessageForm.h"
#include "widgets/ProgressBoxForm.h"
#include "widgets/QtMessages.h"

using namespace quoxa;

namespace {

QPushButton* Find(QWidget* dialog, const char* name) { return dialog->findChild<QPushButton*>(name); }

void PressKey(QWidget* dialog, Qt::Key key) { QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, key); }

}  // namespace

class MessageBoxes : public QObject {
  Q_OBJECT

 private slots:
  void init() { InstallMessages(&qt_); }
  void cleanup() {
    InstallMessages(nullptr);
    InstallProgressFactory(nullptr);
    InstallHelp(nullptr);
  }

  void escapeAnswersWithTheDefaultButton() {
    test::OnNextModal([](QWidget* d) { PressKey(d, Qt::Key_Escape); });
    QCOMPARE(AskYesNo("Save?"), 7);
    test::OnNextModal([](QWidget* d) { PressKey(d, Qt::Key_Escape); });
    QCOMPARE(AskYesNoCancel("Save?"), 2);
    test::OnNextModal([](QWidget* d) { PressKey(d, Qt::Key_Escape); });
    QCOMPARE(ShowError("Broken"), 1);
  }

  void enterPressesTheFocusedDefaultButton() {
    test::OnNextModal([](QWidget* d) {
      QCOMPARE(d->focusWidget(), Find(d, "No"));
      PressKey(d, Qt::Key_Return);
    });
    QCOMPARE(AskYesNo("Save?"), 7);
  }

  void clickingAButtonReturnsItsCode() {
    test::OnNextModal([](QWidget* d) { QTest::mouseClick(Find(d, "Yes"), Qt::LeftButton); });
    QCOMPARE(AskYesNoCancel("Save?"), 6);
    test::OnNextModal([](QWidget* d) { QTest::mouseClick(Find(d, "No"), Qt::LeftButton); });
    QCOMPARE(AskYesNoCancel("Save?"), 7);
  }

  void closingTheWindowCountsAsEscape() {
    test::OnNextModal([](QWidget* d) { d->close(); });
    QCOMPARE(AskYesNo("Save?"), 7);
  }

  void buttonsStandInTheirFixedOrderWithTheirCaptions() {
    TMessageForm form({"text", MsgType::Warning, mbCancel | mbNo | mbYes | mbHelp | mbOK, 5, 0, true, 0});
    const char* order[] = {"Yes", "No", "OK", "Cancel", "Help"};
    const char* captions[] = {"&Yes", "&No", "&OK", "Cancel", "Help"};
    int lastX = -1;
    for (int i = 0; i < 5; ++i) {
      QPushButton* b = Find(&form, order[i]);
      QVERIFY2(b != nullptr, order[i]);
      QCOMPARE(b->text(), QString(captions[i]));
      QVERIFY(b->x() > lastX);
      lastX = b->x();
    }
    QCOMPARE(form.windowTitle(), QString("Warning"));
  }

  void captionsFollowTheType() {
    QCOMPARE(TMessageForm({"t", MsgType::Error, mbOK}).windowTitle(), QString("Error"));
    QCOMPARE(TMessageForm({"t", MsgType::Information, mbOK}).windowTitle(), QString("Information"));
    QCOMPARE(TMessageForm({"t", MsgType::Confirmation, mbYes | mbNo}).windowTitle(), QString("Confirmation"));
  }

  // Many words, and one word without blanks (a long path), both break within half the
  // screen; the label shows every character and is wide and high enough for its lines.
  void longTextsWrapAtHalfTheScreen() {
    const QString path = "Error reading\n/" + QString("folder/").repeated(30) + QString("b").repeated(300) + ".bin";
    TMessageForm shortBox({"One line", MsgType::Information, mbOK});
    for (const QString& text : {QString("wrap ").repeated(400), path}) {
      TMessageForm longBox({text.toStdString(), MsgType::Information, mbOK});
      const int half = QGuiApplication::primaryScreen()->geometry().width() / 2;
      QLabel* label = longBox.TextLabel();
      QVERIFY(label->width() <= half + 1);
      QVERIFY(label->sizeHint().width() <= label->width());
      QVERIFY(label->sizeHint().height() <= label->height());
      QVERIFY(longBox.height() > shortBox.height() + 3 * longBox.fontMetrics().height());
      QVERIFY(longBox.width() < half + 200);
      QString shown = label->text();
      shown.remove('\n');
      QString given = text;
      given.remove('\n');
      QCOMPARE(shown.remove(' '), given.remove(' '));
    }
  }

  void markupInTextsIsShownAsIs() {
    TMessageForm form({"Error reading\n<b>x</b>.bin", MsgType::Error, mbOK});
    QCOMPARE(form.TextLabel()->textFormat(), Qt::PlainText);
    QCOMPARE(form.TextLabel()->text(), QString("Error reading\n<b>x</b>.bin"));
  }

  void helpShowsItsTopicAndKeepsTheBoxOpen() {
    int topic = 0;
    InstallHelp([&](int t) { topic = t; });
    test::OnNextModal([](QWidget* d) {
      QTest::mouseClick(Find(d, "Help"), Qt::LeftButton);
      QVERIFY(d->isVisible());
      QTest::mouseClick(Find(d, "OK"), Qt::LeftButton);
    });
    QCOMPARE(MessageDialog({"t", MsgType::Information, mbOK | mbHelp, 42, 0, true, mbOK}), 1);
    QCOMPARE(topic, 42);
  }

  void inputBoxReturnsTheEditedText() {
    std::string value = "old";
    test::OnNextModal([](QWidget* d) {
      auto* edit = d->findChild<QLineEdit*>("Edit");
      QCOMPARE(edit->selectedText(), QString("old"));
      QTest::keyClicks(edit, "new value");
      PressKey(d, Qt::Key_Return);
    });
    QVERIFY(InputBox("Name", "Enter a name:", value));
    QCOMPARE(QString::fromStdString(value), QString("new value"));
  }

  void inputBoxCancelKeepsTheValue() {
    std::string value = "old";
    test::OnNextModal([](QWidget* d) {
      QTest::keyClicks(d->findChild<QLineEdit*>("Edit"), "changed");
      PressKey(d, Qt::Key_Escape);
    });
    QVERIFY(!InputBox("Name", "Enter a name:", value));
    QCOMPARE(QString::fromStdString(value), QString("old"));
  }

  void inputBoxTakesAtMost255Characters() {
    std::string value;
    test::OnNextModal([](QWidget* d) {
      QTest::keyClicks(d->findChild<QLineEdit*>("Edit"), QString(300, 'x'));
      PressKey(d, Qt::Key_Return);
    });
    QVERIFY(InputBox("Name", "Enter a name:", value));
    QCOMPARE(value.size(), size_t{255});
  }

  void listDeleteRemovesFromTheShownListAndTheIndexFollows() {
    std::vector<std::string> items = {"/a", "/b", "/c"};
    int index = 0;
    test::OnNextModal([](QWidget* d) {
      auto* list = d->findChild<QListWidget*>("List");
      QCOMPARE(list->currentRow(), 0);
      QTest::mouseClick(Find(d, "Delete"), Qt::LeftButton);  // removes /a
      QCOMPARE(list->count(), 2);
      list->setCurrentRow(1);
      QTest::mouseClick(Find(d, "OK"), Qt::LeftButton);
    });
    QVERIFY(ListChoice("Favorites", items, true, 0, index));
    QCOMPARE(items.size(), size_t{2});
    QCOMPARE(QString::fromStdString(items[static_cast<size_t>(index)]), QString("/c"));
  }

  void listCancelChangesNothing() {
    std::vector<std::string> items = {"/a", "/b"};
    int index = 1;
    test::OnNextModal([](QWidget* d) {
      QTest::mouseClick(Find(d, "Delete"), Qt::LeftButton);
      PressKey(d, Qt::Key_Escape);
    });
    QVERIFY(!ListChoice("Favorites", items, true, 0, index));
    QCOMPARE(items.size(), size_t{2});
    QCOMPARE(index, 1);
  }

  void progressBoxCannotBeClosedByTheWindowManager() {
    TQtProgressFactory factory;
    InstallProgressFactory(&factory);
    TProgressBox box({true, true, "data.bin", "Reading file"});
    auto* form = qobject_cast<TProgressBoxForm*>(QApplication::activeModalWidget());
    QVERIFY(form != nullptr);
    QCOMPARE(form->windowTitle(), QString("Reading file"));
    form->close();
    QVERIFY(form->isVisible());
    QVERIFY(!box.Aborted());
  }

  void progressBoxWithZeroMaximumIsFull() {
    TQtProgressFactory factory;
    InstallProgressFactory(&factory);
    TProgressBox box({true, true, "", "Search"});
    auto* form = qobject_cast<TProgressBoxForm*>(QApplication::activeModalWidget());
    QVERIFY(box.SetProgress(0, 0, 5));
    QCOMPARE(form->Bar()->value(), 100);
  }

  void progressCancelAndEscapeAbort() {
    TQtProgressFactory factory;
    InstallProgressFactory(&factory);
    {
      TProgressBox box({true, true, "", "Search"});
      auto* form = qobject_cast<TProgressBoxForm*>(QApplication::activeModalWidget());
      QTest::mouseClick(form->CancelButton(), Qt::LeftButton);
      QVERIFY(box.Aborted());
    }
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    {
      TProgressBox box({true, true, "", "Search"});
      auto* form = qobject_cast<TProgressBoxForm*>(QApplication::activeModalWidget());
      QTest::keyClick(form, Qt::Key_Escape);
      QVERIFY(box.Aborted());
      QVERIFY(form->isVisible());
    }
  }

  void disabledCancelIgnoresEscape() {
    TQtProgressFactory factory;
    InstallProgressFactory(&factory);
    TProgressBox box({true, true, "", "Search"});
    auto* form = qobject_cast<TProgressBoxForm*>(QApplication::activeModalWidget());
    box.EnableCancel(false);
    QTest::keyClick(form, Qt::Key_Escape);
    QVERIFY(!box.Aborted());
  }

  void progressTextUpdatesEveryNthCall() {
    TQtProgressFactory factory;
    InstallProgressFactory(&factory);
    TProgressBox box({true, true, "start", "Script"});
    auto* form = qobject_cast<TProgressBoxForm*>(QApplication::activeModalWidget());
    box.SetText("line 1", 2);
    QCOMPARE(form->TextLabel()->text(), QString("start"));
    box.SetText("line 2", 2);
    QCOMPARE(form->TextLabel()->text(), QString("line 2"));
  }

  // The same user behaviour, answered by the recorder and by the real dialogs.
  void contractDefaultAnswersAgree() {
    test::RecordingMessages recorder;
    struct Case {
      int (*ask)(const std::string&);
      int expected;
    } cases[] = {{&ShowInfo, 1}, {&ShowError, 1}, {&AskYesNo, 7}, {&AskYesNoCancel, 2}};
    for (const Case& c : cases) {
      InstallMessages(&recorder);
      QCOMPARE(c.ask("question"), c.expected);
      InstallMessages(&qt_);
      test::OnNextModal([](QWidget* d) { PressKey(d, Qt::Key_Escape); });
      QCOMPARE(c.ask("question"), c.expected);
    }
  }

  void nonInteractiveRunsNeverWait() {
    TQtMessages headless;
    headless.SetInteractive(false);
    InstallMessages(&headless);
    QCOMPARE(AskYesNoCancel("nobody is there"), 2);
    std::string value = "v";
    QVERIFY(!InputBox("c", "p", value));
  }

 private:
  TQtMessages qt_;
};

QTEST_MAIN(MessageBoxes)
#include "tst_messageboxes.moc"
