// QUOXA: a hex editor.
#include <QApplication>
#include <QLocale>
#include <QMainWindow>

#include "core/Messages.h"
#include "core/Progress.h"
#include "core/TextFormat.h"
#include "widgets/ProgressBoxForm.h"
#include "widgets/QtMessages.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("QUOXA");
  quoxa::SetThousandsSeparator(QLocale::system().groupSeparator().toStdString());

  quoxa::TQtMessages messages;
  // Without a screen nobody can answer a question: answers default, texts go to stderr.
  const QString platform = QGuiApplication::platformName();
  messages.SetInteractive(platform != "offscreen" && platform != "minimal");
  quoxa::InstallMessages(&messages);
  quoxa::TQtProgressFactory progress;
  quoxa::InstallProgressFactory(&progress);

  QMainWindow window;
  window.setWindowTitle("QUOXA");
  window.resize(800, 500);
  window.show();
  const int result = QApplication::exec();
  quoxa::InstallProgressFactory(nullptr);
  quoxa::InstallMessages(nullptr);
  return result;
}
