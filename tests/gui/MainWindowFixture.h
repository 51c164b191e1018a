#pragma once
// A main window over recorded messages, started as the program starts it, with
// helpers to load bytes and to drive its commands.

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <fstream>
#include <string>

#include "Recorders.h"
#include "ScopedEnv.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "ui/main/FormMain.h"
#include "ui/main/MainMenu.h"

namespace quoxa::test {

class MainWindowFixture {
 public:
  // answers: the user's answers to the messages of the start (the command-line file).
  explicit MainWindowFixture(const QStringList& arguments = {}, std::deque<int> answers = {}) : form(arguments) {
    rec.messages.answers = std::move(answers);
    form.show();
    form.EnsureStarted();
  }

  // Writes a file into the fixture's folder and returns its path.
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::string Path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }

  // Opens bytes as a document with the given grid size, the cursor on position 1.
  void Load(const std::string& bytes, int cols = 16, int rows = 10) {
    form.SetGridSize(cols, rows);
    const std::string path = WriteFile("document.bin", bytes);
    form.Documents().OpenFileByName(path, false);
  }

  QAction* Action(Cmd cmd) const { return form.Menu()->Action(cmd); }
  // Triggers a command as a click on its menu item does.
  void Trigger(Cmd cmd) { Action(cmd)->trigger(); }

  QTemporaryDir dir;
  RecorderScope rec;
  // Each window reads and writes its own settings file.
  ScopedEnv settingsFile{"QUOXA_INI", dir.filePath("quoxa.ini").toStdString()};
  TFormMain form;
};

}  // namespace quoxa::test
