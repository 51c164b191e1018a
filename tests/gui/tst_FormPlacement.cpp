// Window placement of Qt windows: the section named after the class and the column
// widths of named grids and list views.
#include <QHeaderView>
#include <QScreen>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include "ScopedEnv.h"
#include "TempDir.h"
#include "settings/FormPlacement.h"
#include "settings/IniFile.h"
#include "settings/Placement.h"

using namespace quoxa;

namespace quoxa {

class TFormCharTable : public QWidget {
  Q_OBJECT
 public:
  TFormCharTable() {
    grid->setObjectName("QZStrGridTable");
    grid->setGeometry(0, 0, 200, 100);
    list->setObjectName("ListViewTables");
    list->setColumnCount(2);
    list->setGeometry(0, 100, 200, 100);
    tagged->setObjectName("GridTagged");
    tagged->setProperty("Tag", 1);
    resize(400, 300);
  }
  QTableWidget* grid = new QTableWidget(2, 3, this);
  QTreeWidget* list = new QTreeWidget(this);
  QTableWidget* tagged = new QTableWidget(1, 2, this);
};

}  // namespace quoxa

class TestFormPlacement : public QObject {
  Q_OBJECT

 private slots:
  void init() { ResetPlacementCascade(); }

  void theSectionIsTheClassName() {
    TFormCharTable form;
    QCOMPARE(PlacementSection(&form), QString("TFormCharTable"));
  }

  void savedPlacementAndColumnsComeBack() {
    test::TempDir dir;
    test::ScopedEnv env("QUOXA_INI", dir.File("quoxa.ini"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    {
      TFormCharTable form;
      form.setGeometry(screen.x() + 50, screen.y() + 60, 420, 310);
      form.grid->horizontalHeader()->resizeSection(0, 64);
      form.grid->horizontalHeader()->resizeSection(1, 40);
      form.grid->horizontalHeader()->resizeSection(2, 41);
      form.list->header()->resizeSection(0, 77);
      form.tagged->horizontalHeader()->resizeSection(0, 99);
      QVERIFY(SaveFormPlacement(&form));
    }
    const TIniFile ini(dir.File("quoxa.ini"));
    QCOMPARE(ini.ReadString("TFormCharTable", "QZStrGridTable", ""), std::string("64,40,41"));
    QVERIFY(!ini.KeyExists("TFormCharTable", "GridTagged"));
    QCOMPARE(ini.ReadInteger("display", "resx", 0), screen.width());
    TFormCharTable restored;
    RestoreFormPlacement(&restored);
    QCOMPARE(restored.grid->horizontalHeader()->sectionSize(0), 64);
    QCOMPARE(restored.grid->horizontalHeader()->sectionSize(2), 41);
    QCOMPARE(restored.list->header()->sectionSize(0), 77);
    QCOMPARE(restored.pos(), QPoint(screen.x() + 50, screen.y() + 60));
    QCOMPARE(restored.size(), QSize(420, 310));
  }

  void onAnotherScreenTheWindowIsCentred() {
    test::TempDir dir;
    test::ScopedEnv env("QUOXA_INI", dir.Write("quoxa.ini", "[display]\nresx=1\nresy=1\n[TFormCharTable]\nLeft=5\n"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    TFormCharTable form;
    form.resize(400, 300);
    RestoreFormPlacement(&form);
    QCOMPARE(form.pos(), QPoint(screen.x() + (screen.width() - 400) / 2, screen.y() + (screen.height() - 300) / 2));
  }
};

QTEST_MAIN(TestFormPlacement)
#include "tst_FormPlacement.moc"
