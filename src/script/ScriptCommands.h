#pragma once
// The main window's side of scripts: the two commands of the QUOXAscript menu and the
// unattended run a script switch on the command line starts.

#include <QObject>
#include <QStringList>
#include <functional>

#include "core/Commands.h"

namespace quoxa {

class TFormScript;

// Before the application object exists: a batch run on a machine without a display runs on
// the offscreen platform instead of failing to start.
void PrepareBatchPlatform(int argc, char** argv);

class TScriptCommands : public QObject {
  Q_OBJECT

 public:
  // arguments: the program's command line without the program name.
  TScriptCommands(QWidget* mainWindow, const QStringList& arguments);

  TFormScript* Form() const { return form_; }

  // "&Editor..." and "E&xecute active".
  void Run(Cmd cmd);

  // After the document named first was opened: when the second argument is a script switch,
  // runs that script unattended, and ends the program after a successful run.
  void StartBatch();

  // With nobody to answer (no display), a batch run that cannot succeed ends the program
  // with status 1 instead of waiting.
  void SetUnattended(bool on) { unattended_ = on; }
  // Ends the program with an exit status (tests record it instead).
  void SetTerminate(std::function<void(int status)> terminate) { terminate_ = std::move(terminate); }

 private:
  void Show(bool autoRun);
  // close: the main window closes as after any saved document; else the program ends at once,
  // leaving the file as it is.
  void Terminate(int status, bool close);

  QWidget* mainWindow_;
  TFormScript* form_;
  QStringList arguments_;
  bool unattended_;
  std::function<void(int)> terminate_;
};

}  // namespace quoxa
