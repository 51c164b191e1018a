// QUOXA: a hex editor.
#include <QApplication>
#include <QLocale>

#include "core/Messages.h"
#include "core/Progress.h"
#include "core/TextFormat.h"
#include "script/ScriptCommands.h"
#include "ui/main/FormMain.h"
#include "widgets/CloseOnSignal.h"
#include "widgets/ProgressBoxForm.h"
#include "widgets/QtMessages.h"

int main(int argc, char* argv[]) {
  quoxa::PrepareBatchPlatform(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName("QUOXA");
  QApplication::setApplicationVersion(QStringLiteral(QUOXA_VERSION));
  quoxa::SetThousandsSeparator(QLocale::system().groupSeparator().toStdString());

  quoxa::TQtMessages messages;
  // Without a screen nobody can answer a question: answers default, texts go to stderr.
  messages.SetInteractive(quoxa::PlatformHasUser());
  quoxa::InstallMessages(&messages);
  quoxa::TQtProgressFactory progress;
  quoxa::InstallProgressFactory(&progress);

  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  int result = 0;
  {
    quoxa::TFormMain window(arguments);
    new quoxa::TCloseOnSignal(&window);
    window.show();
    result = QApplication::exec();
  }
  quoxa::InstallProgressFactory(nullptr);
  quoxa::InstallMessages(nullptr);
  return result;
}
