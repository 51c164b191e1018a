#include "script/ScriptCommands.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "core/DocState.h"
#include "script/FormScript.h"
#include "script/ScriptFile.h"
#include "script/ScriptRun.h"
#include "widgets/QtMessages.h"

namespace quoxa {

namespace {

QtMessageHandler qtHandler = nullptr;

// The offscreen platform complains about window size hints it cannot pass on; a batch run's
// standard error carries only what the run has to say.
void QuietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text == QLatin1String("This plugin does not support propagateSizeHints()")) return;
  if (qtHandler != nullptr) qtHandler(type, context, text);
}

}  // namespace

void PrepareBatchPlatform(int argc, char** argv) {
  if (argc < 3 || !IsScriptSwitch(argv[2])) return;
  if (BatchNeedsOffscreen(argc, argv, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"),
                          std::getenv("QT_QPA_PLATFORM"))) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  qtHandler = qInstallMessageHandler(&QuietOffscreen);
}

TScriptCommands::TScriptCommands(QWidget* mainWindow, const QStringList& arguments)
    : QObject(mainWindow),
      mainWindow_(mainWindow),
      form_(new TFormScript(mainWindow)),
      arguments_(arguments),
      unattended_(!PlatformHasUser()) {
  std::vector<std::string> commandLine{"quoxa"};
  for (const QString& argument : arguments) commandLine.push_back(argument.toStdString());
  form_->Interpreter().SetArguments(std::move(commandLine));
}

void TScriptCommands::Run(Cmd cmd) {
  if (cmd == Cmd::ScriptEditor) {
    Show(false);
  } else if (cmd == Cmd::ScriptExecute && Doc().ViewReady && form_->HasLines()) {
    Show(true);
  }
}

void TScriptCommands::Show(bool autoRun) {
  form_->SetAutoRun(autoRun);
  form_->SetExecuteEnabled(Doc().ViewReady);
  form_->exec();
  // A window manager may hand the focus to no window when a message box closed just before the
  // script window; the main window takes it back, so that its shortcuts work at once.
  if (mainWindow_->isVisible()) mainWindow_->activateWindow();
}

void TScriptCommands::StartBatch() {
  if (arguments_.size() < 2 || !IsScriptSwitch(arguments_[1].toStdString())) return;
  // Without its script, or without the document it was to change, a run cannot start;
  // the reason has been shown. The run takes the file's lines as read, without laying them
  // out in the editor.
  const bool ready =
      form_->LoadBatchScript(ScriptFileOfSwitch(arguments_[1].toStdString())) && Doc().ViewReady;
  if (!ready) {
    if (unattended_) Terminate(1, false);
    return;
  }
  BatchMode = true;
  form_->SetUnattended(unattended_);
  Show(true);
  switch (form_->LastBatchResult()) {
    case TFormScript::BatchResult::Saved:
      Terminate(0, true);
      break;
    case TFormScript::BatchResult::SavedIncomplete:
      Terminate(1, true);
      break;
    case TFormScript::BatchResult::Failed:
      // On a display the program stays open with the document as the run left it; it ends
      // with the failure's status whenever the user closes it.
      if (unattended_) {
        Terminate(1, false);
      } else {
        BatchExitStatus = 1;
      }
      break;
    case TFormScript::BatchResult::None:
      // An empty script: nothing to do. On a display the window stays open as the editor.
      if (unattended_) Terminate(0, true);
      break;
  }
}

void TScriptCommands::Terminate(int status, bool close) {
  BatchExitStatus = status;
  if (terminate_) {
    terminate_(status);
    return;
  }
  if (close) {
    // The status reaches the program's end through BatchExitStatus.
    QTimer::singleShot(0, mainWindow_, &QWidget::close);
  } else {
    // Closing would ask to save: an unattended run that failed leaves the file as it was.
    QTimer::singleShot(0, qApp, [status] { QCoreApplication::exit(status); });
  }
}

}  // namespace quoxa
