// A request to end the process closes the window through its close handling, never while a
// command runs: a progress box or the busy state holds the close back, a dialog that waits is
// cancelled, and a question waits for its answer.
#include <QCloseEvent>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <csignal>

#include "core/Busy.h"
#include "core/Progress.h"
#include "core/StopSignal.h"
#include "widgets/CloseOnSignal.h"
#include "widgets/MessageForm.h"

using namespace quoxa;

namespace {

class Window : public QWidget {
 public:
  bool refuse = false;
  int closeRequests = 0;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++closeRequests;
    if (refuse) event->ignore();
  }
};

// Runs a command inside an event loop, as the program's main loop runs every command.
template <typename Command>
void InMainLoop(Command command) {
  QEventLoop loop;
  QTimer::singleShot(0, &loop, [&] {
    command();
    loop.quit();
  });
  loop.exec();
}

}  // namespace

class TestCloseOnSignal : public QObject {
  Q_OBJECT

 private slots:
  void init() { ClearStopSignal(); }

  void terminationClosesTheWindow() {
    Window window;
    window.show();
    new TCloseOnSignal(&window);
    std::raise(SIGTERM);
    QTRY_COMPARE(window.closeRequests, 1);
    QVERIFY(!window.isVisible());
  }

  void aWindowThatRefusesStaysAndTheNextRequestAsksAgain() {
    Window window;
    window.refuse = true;
    window.show();
    new TCloseOnSignal(&window);
    std::raise(SIGINT);
    QTRY_COMPARE(window.closeRequests, 1);
    QVERIFY(window.isVisible());
    // Refused, the request is forgotten: commands are not cancelled any more.
    QCOMPARE(StopSignal(), 0);
    std::raise(SIGHUP);
    QTRY_COMPARE(window.closeRequests, 2);
  }

  void aRunningCommandKeepsTheWindowUntilItEnds() {
    Window window;
    window.show();
    new TCloseOnSignal(&window);
    {
      TProgressBox box({true, true, "", ""});
      std::raise(SIGTERM);
      QTest::qWait(200);
      QCOMPARE(window.closeRequests, 0);
      // The loop sees the request as a Cancel.
      QVERIFY(box.Aborted());
    }
    QTRY_COMPARE(window.closeRequests, 1);

    ClearStopSignal();
    window.show();
    BeginBusy("");
    std::raise(SIGHUP);
    QTest::qWait(200);
    QCOMPARE(window.closeRequests, 1);
    EndBusy();
    QTRY_COMPARE(window.closeRequests, 2);
  }

  void aWaitingDialogIsCancelledAndAQuestionWaitsForItsAnswer() {
    Window window;
    window.show();
    new TCloseOnSignal(&window);
    auto raiseSoon = [] { QTimer::singleShot(0, [] { std::raise(SIGTERM); }); };

    QDialog dialog(&window);
    int result = -1;
    raiseSoon();
    InMainLoop([&] { result = dialog.exec(); });
    QCOMPARE(result, int(QDialog::Rejected));
    QTRY_COMPARE(window.closeRequests, 1);

    ClearStopSignal();
    window.show();
    MessageRequest notice;
    notice.text = "Occurences replaced:\n1";
    TMessageForm noticeBox(notice, &window);
    raiseSoon();
    InMainLoop([&] { result = noticeBox.exec(); });
    QCOMPARE(result, mrOK);
    QTRY_COMPARE(window.closeRequests, 2);

    ClearStopSignal();
    window.show();
    MessageRequest question;
    question.text = "big.bin modified. Save now?";
    question.type = MsgType::Confirmation;
    question.buttons = mbYes | mbNo | mbCancel;
    question.defaultButton = mbCancel;
    TMessageForm questionBox(question, &window);
    raiseSoon();
    bool waited = false;
    QTimer::singleShot(300, [&] {
      waited = questionBox.isVisible() && window.closeRequests == 2;
      questionBox.Button(mbNo)->click();
    });
    InMainLoop([&] { result = questionBox.exec(); });
    QCOMPARE(result, mrNo);
    QVERIFY(waited);
    QTRY_COMPARE(window.closeRequests, 3);
  }
};

QTEST_MAIN(TestCloseOnSignal)
#include "tst_CloseOnSignal.moc"
