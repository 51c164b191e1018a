// QUOXA: a hex editor.
#include <QApplication>
#include <QFileInfo>
#include <QLocale>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/Messages.h"
#include "core/Progress.h"
#include "core/StopSignal.h"
#include "core/TextFormat.h"
#include "core/UnsavedAtExit.h"
#include "app/SingleInstance.h"
#include "script/ScriptFile.h"
#include "script/ScriptCommands.h"
#include "script/ScriptRun.h"
#include "search/StringsMode.h"
#include "tools/DataModes.h"
#include "tools/DiffMode.h"
#include "tools/HashMode.h"
#include "ui/main/AppIcon.h"
#include "ui/main/FormMain.h"
#include "widgets/CloseOnSignal.h"
#include "widgets/ProgressBoxForm.h"
#include "widgets/QtMessages.h"

namespace {

constexpr const char* kUsage =
    "Usage: quoxa [--new-window] [FILE...]\n"
    "       quoxa FILE /S=SCRIPT [ARGUMENT...]\n"
    "       quoxa --hash ALG[,ALG...] FILE...\n"
    "       quoxa --strings [-n N] [-e l] [-t d] FILE...\n"
    "       quoxa --diff [--same-offsets] FILE1 FILE2\n"
    "       quoxa --export FORMAT [OPTION...] FILE [OUT]\n"
    "       quoxa --import FORMAT [OPTION...] FILE OUT\n"
    "A hex editor: shows FILE (or, without one, an empty window) as addresses, hex\n"
    "bytes and characters, and edits it byte by byte.\n"
    "\n"
    "  FILE        the file to open; several FILEs open in tabs of one window. While\n"
    "              QUOXA runs on the same display, the files open as tabs of its\n"
    "              window and this start ends at once\n"
    "  --new-window  open a window of its own even while QUOXA runs\n"
    "  /S=SCRIPT   run the QUOXAscript SCRIPT on FILE unattended, save FILE when it\n"
    "              changed and exit (also /s, -S, -s, with or without \"=\"); the\n"
    "              ARGUMENTs stand for %1 to %9. Without a display, messages go to\n"
    "              standard error and every question is answered No\n"
    "  --hash ALG[,ALG...] FILE...\n"
    "              print a checksum line of each FILE (- for standard input) and\n"
    "              ALG as sha256sum does, and exit; no window, no settings. ALG:\n"
    "              md5, sha1, sha224, sha256, sha384, sha512, sha3-256, sha3-512,\n"
    "              blake2b, blake2s, crc32, crc32c, adler32, crc16-ccitt,\n"
    "              crc16-ccitt-false, crc16-modbus, crc8, xxh32, xxh64, xxh3, xxh128\n"
    "  --strings [-n N] [-e l] [-t d] FILE...\n"
    "              print the printable runs of at least N (4) characters of each FILE\n"
    "              (- for standard input) as strings -a does, and exit; no window, no\n"
    "              settings. -e l: UTF-16LE runs instead of ASCII; -t d: each line\n"
    "              begins with the run's decimal offset\n"
    "  --diff [--same-offsets] FILE1 FILE2\n"
    "              print the differences of FILE1 and FILE2, one line each:\n"
    "              OFFSET1 OFFSET2 (hex) LENGTH (decimal) changed|inserted|deleted;\n"
    "              after inserted or deleted bytes the files realign where 32 bytes\n"
    "              match again within 64 KiB. --same-offsets compares byte for byte\n"
    "              as cmp does. Exit 0 equal, 1 different, 2 trouble; no window,\n"
    "              no settings\n"
    "%s"
    "  --help      show this text and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Exit status of a /S= run:\n"
    "  0  every line did its work (an empty script does nothing)\n"
    "  1  SCRIPT or FILE could not be read (without a display); or a line failed:\n"
    "     the run stopped there and FILE is unchanged (on a display the program\n"
    "     stays open until it is closed); or a line had no effect because of an\n"
    "     error or a question answered No: the run went on and saved FILE.\n"
    "     The reasons also go to standard error.\n"
    "\n"
    "SIGTERM, SIGINT and SIGHUP cancel the running command as its Cancel button does,\n"
    "then close the window: with a display the save question is asked; a batch run, or a\n"
    "window without a display, ends without saving. The exit status is then 128 plus the\n"
    "signal's number.\n"
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
  if (argc >= 2 && std::strcmp(argv[1], "--hash") == 0) {
    const std::vector<std::string> args(argv + 2, argv + argc);
    return quoxa::RunHashMode(args, stdout, stderr);
  }
  if (argc >= 2 && std::strcmp(argv[1], "--strings") == 0) {
    const std::vector<std::string> args(argv + 2, argv + argc);
    return quoxa::RunStringsMode(args, stdout, stderr);
  }
  if (argc >= 2 && std::strcmp(argv[1], "--diff") == 0) {
    const std::vector<std::string> args(argv + 2, argv + argc);
    return quoxa::RunDiffMode(args, stdout, stderr);
  }
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
  // A batch run works on its own, never in the window of another run.
  const bool batch = arguments.size() >= 2 && quoxa::IsScriptSwitch(arguments[1].toStdString());
  bool ownWindow = !quoxa::PlatformHasUser() || batch;
  if (!batch && arguments.removeAll(QStringLiteral("--new-window")) > 0) ownWindow = true;
  if (!ownWindow) {
    QStringList files;
    for (const QString& argument : arguments) files << QFileInfo(argument).absoluteFilePath();
    if (quoxa::TSingleInstance::HandOver(files)) return 0;
  }
  int result = 0;
  {
    quoxa::TFormMain window(arguments);
    new quoxa::TCloseOnSignal(&window);
    if (!ownWindow) {
      new quoxa::TSingleInstance(
          [&window](const QStringList& files) {
            window.EnsureStarted();
            window.OpenFiles(files);
            window.raise();
            window.activateWindow();
          },
          &window);
    }
    window.show();
    // A broken display connection ends the program inside Qt, past every question.
    quoxa::KeepUnsavedChangesAtExit();
    result = QApplication::exec();
    quoxa::ProgramEndsNormally();
    if (const int sig = quoxa::StopSignal()) {
      // Ended by the signal, however the window went: the status tells the shell so.
      window.Documents().NoteUnsavedOnSignal();
      result = 128 + sig;
    }
  }
  // A batch run that failed, or had a line without effect, ends with status 1 also when the
  // user closed the window.
  if (result == 0) result = quoxa::BatchExitStatus;
  quoxa::InstallProgressFactory(nullptr);
  quoxa::InstallMessages(nullptr);
  return result;
}
