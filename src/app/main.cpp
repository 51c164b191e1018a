// QUOXA: a hex editor.
#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstring>

#include "core/Messages.h"
#include "core/Progress.h"
#include "core/TextFormat.h"
#include "tools/DataModes.h"
#include "script/ScriptCommands.h"
#include "ui/main/AppIcon.h"
#include "ui/main/FormMain.h"
#include "widgets/CloseOnSignal.h"
#include "widgets/ProgressBoxForm.h"
#include "widgets/QtMessages.h"

namespace {

constexpr const char* kUsage =
    "Usage: quoxa [FILE]\n"
    "       quoxa FILE /S=SCRIPT [ARGUMENT...]\n"
    "       quoxa --export FORMAT [OPTION...] FILE [OUT]\n"
    "       quoxa --import FORMAT [OPTION...] FILE OUT\n"
    "A hex editor: shows FILE (or, without one, an empty window) as addresses, hex\n"
    "bytes and characters, and edits it byte by byte.\n"
    "\n"
    "  FILE        the file to open\n"
    "  /S=SCRIPT   run the QUOXAscript SCRIPT on FILE unattended, save FILE when it\n"
    "              changed and exit (also /s, -S, -s, with or without \"=\"); the\n"
    "              ARGUMENTs stand for %1 to %9. Without a display, messages go to\n"
    "              standard error and an error exits with status 1, FILE unchanged\n"
    "%s"
    "  --help      show this text and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Settings are kept in $XDG_CONFIG_HOME/quoxa/quoxa.ini (~/.config/quoxa/quoxa.ini),\n"
    "or beside the program when a quoxa.ini stands there already, or in the file that\n"
    "QUOXA_INI names.\n";

// --help and --version, as the only argument, are answered without a window.
bool AnswerInfoRequest(int argc, char* argv[]) {
  if (argc != 2) return false;
  if (std::strcmp(argv[1], "--help") == 0) {
    std::fputs(quoxa::FormatMsgS(kUsage, quoxa::kDataModeUsage).c_str(), stdout);
    return true;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("QUOXA %s\n", QUOXA_VERSION);
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (AnswerInfoRequest(argc, argv)) return 0;
  if (const std::optional<int> status = quoxa::RunDataMode({argv + 1, argv + argc})) return *status;
  quoxa::PrepareBatchPlatform(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName("QUOXA");
  QApplication::setApplicationVersion(QStringLiteral(QUOXA_VERSION));
  // The desktop entry's name: window managers find the icon and the entry through it.
  QGuiApplication::setDesktopFileName(QStringLiteral("quoxa"));
  QApplication::setWindowIcon(quoxa::ApplicationIcon());
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
