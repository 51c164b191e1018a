// A request to end the process closes the window through its close handling.
#include <QCloseEvent>
#include <QWidget>
#include <QtTest>

#include <csignal>

#include "widgets/CloseOnSignal.h"

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

}  // namespace

class TestCloseOnSignal : public QObject {
  Q_OBJECT

 private slots:
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
    std::raise(SIGHUP);
    QTRY_COMPARE(window.closeRequests, 2);
  }
};

QTEST_MAIN(TestCloseOnSignal)
#include "tst_CloseOnSignal.moc"
