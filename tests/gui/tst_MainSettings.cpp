// The main window with its settings: read at the first activation, written at
// close, changed by the Options dialog, and the "&Reopen" list.
#include <QAction>
#include <QCheckBox>
#include <QFontInfo>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <fstream>

#include "Recorders.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "settings/IniFile.h"
#include "settings/Options.h"
#include "ui/main/FormMain.h"
#include "ui/main/FormOpt.h"
#include "ui/main/GridView.h"
#include "ui/main/MainMenu.h"

using namespace quoxa;

namespace {

void Start(TFormMain& window) {
  window.show();
  window.EnsureStarted();
}

// Runs the Options dialog from the tool button; change sets its controls before OK.
bool RunOptions(TFormMain& window, const std::function<void(TFormOpt&)>& change) {
  bool seen = false;
  // The dialog is looked for until it shows.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* form = qobject_cast<TFormOpt*>(widget);
      if (form == nullptr || !form->isVisible()) continue;
      seen = true;
      change(*form);
      form->findChild<QPushButton*>("ButtonOK")->click();
    }
  });
  poll.start(20);
  window.Menu()->Action(Cmd::BtnOptions)->trigger();
  return seen;
}

QStringList ReopenEntries(TFormMain& window) {
  QStringList entries;
  for (QAction* action : window.Menu()->SubMenu(Cmd::Reopen)->actions()) entries << action->text();
  return entries;
}

}  // namespace

class TestMainSettings : public QObject {
  Q_OBJECT

 private slots:
  void optionsAndModesSurviveARestart() {
    test::RecorderScope rec;
    test::TempDir dir;
    test::ScopedEnv env("QUOXA_INI", dir.File("quoxa.ini"));
    QPoint position;
    {
      TFormMain first;
      Start(first);
      const bool shown = RunOptions(first, [](TFormOpt& form) {
        form.findChild<QSpinBox*>("SpinEditCols")->setValue(12);
        form.findChild<QSpinBox*>("SpinEditRows")->setValue(11);
        form.findChild<QSpinBox*>("SpinEditFontSize")->setValue(10);
        form.findChild<QCheckBox*>("CheckBoxHideAddress")->setChecked(true);
        form.findChild<QCheckBox*>("CheckBoxEOF")->setChecked(true);
      });
      QVERIFY(shown);
      QCOMPARE(Doc().BytesPerRow, 12);
      QVERIFY(!first.Grids()->AddressShown());
      first.ToggleTextMode();
      first.ToggleOverwriteMode();
      first.move(first.pos() + QPoint(7, 5));
      position = first.pos();
      QVERIFY(first.close());
    }
    QVERIFY(rec.messages.shown.empty());
    Options() = TOptions{};
    Doc().TextMode = true;
    Doc().OverwriteMode = true;
    SetPageGeometry(kDefaultCols, kDefaultRows);

    TFormMain second;
    Start(second);
    QCOMPARE(Doc().BytesPerRow, 12);
    QCOMPARE(Doc().VisibleRows, 11);
    QCOMPARE(second.Grids()->GridFont().pointSize(), 10);
    QVERIFY(!second.Grids()->AddressShown());
    QVERIFY(Options().NewEOF);
    QVERIFY(!Doc().TextMode);
    QVERIFY(!Doc().OverwriteMode);
    QCOMPARE(second.PanelText(2), std::string("Insert"));
    QCOMPARE(second.pos(), position);
    second.close();
  }

  void theReopenMenuListsOpenedFilesAndOpensThem() {
    test::RecorderScope rec;
    test::TempDir dir;
    test::ScopedEnv env("QUOXA_INI", dir.File("quoxa.ini"));
    const std::string a = dir.Write("a.bin", "AAAA");
    const std::string b = dir.Write("b.bin", "BB");
    int writes = 0;
    InstallIniReplacer([&](const std::string& path, const std::string& contents) {
      ++writes;
      return ReplaceFileAtomically(path, contents);
    });
    {
      TFormMain window;
      Start(window);
      QVERIFY(!window.Menu()->Action(Cmd::Reopen)->isEnabled());
      window.Documents().OpenFileByName(a, false);
      window.Documents().OpenFileByName(b, false);
      QVERIFY(window.Menu()->Action(Cmd::Reopen)->isEnabled());
      const QStringList entries = ReopenEntries(window);
      QCOMPARE(entries.size(), 2);
      QVERIFY(entries[0].startsWith("&1 ") && entries[0].endsWith("b.bin"));
      window.Menu()->SubMenu(Cmd::Reopen)->actions()[1]->trigger();
      QCOMPARE(Doc().FileName, a);
      QCOMPARE(Doc().DocSize, 4);
      QVERIFY(ReopenEntries(window)[0].endsWith("a.bin"));
      window.close();
    }
    InstallIniReplacer(nullptr);
    QCOMPARE(writes, 1);  // the list and every setting in one replacement of the file
    const TIniFile ini(dir.File("quoxa.ini"));
    QCOMPARE(ini.ReadString("MRU Files", "0", ""), a);
    QCOMPARE(ini.ReadString("MRU Files", "1", ""), b);
    QVERIFY(rec.messages.shown.empty());
  }

  void aSettingsFileThatCannotBeWrittenGivesOneMessageAtClose() {
    test::RecorderScope rec;
    test::TempDir dir;
    const std::string blocker = dir.Write("blocker", "file");
    test::ScopedEnv env("QUOXA_INI", blocker + "/quoxa.ini");
    TFormMain window;
    Start(window);
    QVERIFY(window.close());
    QCOMPARE(rec.messages.Texts(),
             std::vector<std::string>{"Error writing " + blocker + "/quoxa.ini"});
  }

  void theFontSettingKeepsTheChosenNameWhateverStandsInForIt() {
    for (const char* chosen : {"Courier New", "No Such Font Mono"}) {
      test::RecorderScope rec;
      test::TempDir dir;
      const std::string path = dir.Write("quoxa.ini", std::string("[Options]\nFont=") + chosen + "\n");
      test::ScopedEnv env("QUOXA_INI", path);
      {
        TFormMain window;
        Start(window);
        // Something of fixed pitch is drawn, whatever the system has for the name.
        QVERIFY(QFontInfo(window.Grids()->GridFont()).fixedPitch());
        QVERIFY(window.close());
      }
      QCOMPARE(TIniFile(path).ReadString("Options", "Font", ""), std::string(chosen));
    }
  }

  void aWindowClosedBeforeItsFirstActivationLeavesTheSettingsAlone() {
    test::RecorderScope rec;
    test::TempDir dir;
    const std::string path = dir.Write("quoxa.ini", "[Options]\nCols=33\n");
    test::ScopedEnv env("QUOXA_INI", path);
    {
      TFormMain window;
      QVERIFY(window.close());
    }
    QCOMPARE(test::TempDir::Read(path), std::string("[Options]\nCols=33\n"));
  }
};

QTEST_MAIN(TestMainSettings)
#include "tst_MainSettings.moc"
