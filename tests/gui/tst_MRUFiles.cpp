// The recently used files menu: entries, numbering, clicks, count changes, load and save.
#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

#include "Recorders.h"
#include "ScopedEnv.h"
#include "TempDir.h"
#include "settings/IniFile.h"
#include "settings/MRUFiles.h"

using namespace quoxa;

namespace {

QStringList EntryTexts(const QMenu& menu) {
  QStringList texts;
  for (QAction* action : menu.actions()) {
    if (action->objectName().startsWith("__MRU_")) texts << action->objectName() + "=" + action->text();
  }
  return texts;
}

QAction* Entry(const QMenu& menu, int index) {
  for (QAction* action : menu.actions()) {
    if (action->objectName() == QString("__MRU_%1").arg(index)) return action;
  }
  return nullptr;
}

}  // namespace

class TestMRUFiles : public QObject {
  Q_OBJECT

 private slots:
  void entriesAreNumberedAndShortened() {
    test::TempDir dir;
    test::ScopedEnv env("QUOXA_INI", dir.File("quoxa.ini"));
    QMenu reopen("&Reopen");
    {
      TMRUFiles mru;
      mru.IniSection.clear();
      mru.SetFileMenu(&reopen);
      QVERIFY(!reopen.menuAction()->isEnabled());
      mru.AddFile("/Projects/Customer/Sources/Data/file.bin");
      mru.AddFile("/tmp/a.bin");
      QCOMPARE(EntryTexts(reopen), QStringList({"__MRU_0=&1 /tmp/a.bin", "__MRU_1=&2 /.../Sources/Data/file.bin"}));
      QVERIFY(reopen.menuAction()->isEnabled());
    }
    // Without a section the list is never written.
    QVERIFY(!QFile::exists(QString::fromStdString(dir.File("quoxa.ini"))));
  }

  void aClickOpensAndMovesTheEntryFirstEvenWhenTheFileIsGone() {
    QMenu reopen("&Reopen");
    TMRUFiles mru;
    mru.IniSection.clear();
    mru.SetFileMenu(&reopen);
    mru.AddFile("/gone/never.bin");
    mru.AddFile("/b.bin");
    mru.AddFile("/c.bin");
    QSignalSpy clicks(&mru, &TMRUFiles::MRUItemClick);
    Entry(reopen, 2)->trigger();
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks[0][0].toString(), QString("/gone/never.bin"));
    QCOMPARE(EntryTexts(reopen),
             QStringList({"__MRU_0=&1 /gone/never.bin", "__MRU_1=&2 /c.bin", "__MRU_2=&3 /b.bin"}));
  }

  void aSmallerCountCutsTheListAtOnce() {
    QMenu reopen("&Reopen");
    TMRUFiles mru;
    mru.IniSection.clear();
    mru.SetFileMenu(&reopen);
    for (int i = 0; i < 5; ++i) mru.AddFile(QString("/f%1").arg(i));
    mru.SetFileCount(2);
    QCOMPARE(EntryTexts(reopen), QStringList({"__MRU_0=&1 /f4", "__MRU_1=&2 /f3"}));
    QCOMPARE(mru.FileCount(), 2);
  }

  void afterASeparatorEntriesStandBetweenItAndTheRest() {
    QMenu file("&File");
    file.addAction("&Open...");
    QAction* line = file.addSeparator();
    QAction* exitItem = file.addAction("&Exit");
    TMRUFiles mru;
    mru.IniSection.clear();
    mru.SetFileMenuSeparator(&file, line);
    mru.AddFile("/a");
    mru.AddFile("/b");
    const auto actions = file.actions();
    QCOMPARE(actions.size(), 6);
    QCOMPARE(actions[2]->objectName(), QString("__MRU_0"));
    QCOMPARE(actions[3]->objectName(), QString("__MRU_1"));
    QCOMPARE(actions[4]->objectName(), QString("__MRU__"));
    QVERIFY(actions[4]->isSeparator());
    QCOMPARE(actions[5], exitItem);
  }

  void theListComesFromAndGoesToTheSettingsFile() {
    test::TempDir dir;
    test::ScopedEnv env("QUOXA_INI", dir.Write("quoxa.ini", "[MRU Files]\n0=/1\n1=/2\n2=/3\n3=/4\n4=/5\n5=/6\n6=/7\n"));
    QMenu reopen("&Reopen");
    {
      TMRUFiles mru;
      mru.SetFileMenu(&reopen);
      mru.Load();
      // Every start begins with five entries.
      QCOMPARE(EntryTexts(reopen).size(), 5);
      mru.AddFile("/new");
    }
    QCOMPARE(QString::fromStdString(test::TempDir::Read(dir.File("quoxa.ini"))),
             QString("[MRU Files]\n0=/new\n1=/1\n2=/2\n3=/3\n4=/4\n"));
  }

  void saveErrorsAreIgnored() {
    test::RecorderScope rec;
    test::TempDir dir;
    const std::string blocker = dir.Write("blocker", "x");
    TMRUFiles mru;
    mru.IniFile = QString::fromStdString(blocker + "/x.ini");
    mru.AddFile("/a");
    mru.Save();
    mru.Load();
    QCOMPARE(mru.List().Files.size(), size_t{0});
    QVERIFY(rec.messages.shown.empty());
  }
};

QTEST_MAIN(TestMRUFiles)
#include "tst_MRUFiles.moc"
