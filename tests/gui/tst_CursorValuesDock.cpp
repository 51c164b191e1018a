// The data inspector dock in the main window: Ctrl+I and Esc move the focus, Enter edits and
// writes one undo step, refusals are shown, values follow the cursor and are copied.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "MainWindowFixture.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Journal.h"
#include "core/Navigation.h"
#include "settings/IniFile.h"
#include "settings/SettingsPath.h"
#include "tools/CursorValuesDock.h"
#include "ui/main/MainMenu.h"
#include "ui/main/GridView.h"
#include "ui/main/QZStrGrid.h"
#include "widgets/HexString.h"

using namespace quoxa;
using quoxa::test::MainWindowFixture;

namespace {

QAction* ToggleAction(MainWindowFixture& f) { return f.form.findChild<QAction*>("DataInspector"); }

std::string Bytes(MainWindowFixture&) {
  return BytesToHexString(quoxa::test::DocumentBytes(), true);
}

QLineEdit* Editor() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }

}  // namespace

class tst_CursorValuesDock : public QObject {
  Q_OBJECT

 private slots:
  void ctrlIFocusesTheFirstRowAndEscOrCtrlIGivesTheFocusBack() {
    MainWindowFixture f;
    f.Load(std::string(8, '\0'));
    TDockInspector* dock = f.form.Inspector();
    QVERIFY(dock->isHidden());
    QCOMPARE(ToggleAction(f)->shortcut(), QKeySequence("Ctrl+I"));
    QCOMPARE(ToggleAction(f)->text(), QString("&Data inspector"));
    ToggleAction(f)->trigger();
    QVERIFY(!dock->isHidden());
    QVERIFY(ToggleAction(f)->isChecked());
    QCOMPARE(QApplication::focusWidget(), dock->Table());
    QCOMPARE(dock->Table()->currentRow(), 0);
    // Tab leaves the table for the byte order and the Hex box, Shift+Tab comes back.
    QTest::keyClick(dock->Table(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("RadioButtonLittle"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("CheckBoxHex"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), dock->Table());
    QTest::keyClick(dock->Table(), Qt::Key_Escape);
    QVERIFY(!dock->isHidden());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.form.Grids()->ActiveGrid()));
    ToggleAction(f)->trigger();
    QVERIFY(dock->isHidden());
    QVERIFY(!ToggleAction(f)->isChecked());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.form.Grids()->ActiveGrid()));
    // The window makes room for the docked inspector; the grids keep their columns.
    const int narrow = f.form.width();
    ToggleAction(f)->trigger();
    QTRY_VERIFY(f.form.width() > narrow + dock->widget()->width() / 2);
    QCOMPARE(Doc().BytesPerRow, 16);
  }

  void enterEditsAndWritesOneUndoStepTheCursorStays() {
    MainWindowFixture f;
    f.Load(std::string(8, '\0'));
    ToggleAction(f)->trigger();
    QTableWidget* table = f.form.Inspector()->Table();
    for (int i = 0; i < static_cast<int>(InspectorRow::UInt32); ++i)
      QTest::keyClick(table, Qt::Key_Down);
    QCOMPARE(table->currentRow(), 6);
    QTest::keyClick(table, Qt::Key_Return);
    QVERIFY(Editor() != nullptr);
    QCOMPARE(Editor()->text(), QString("0"));
    Editor()->setText("305419896");
    QTest::keyClick(Editor(), Qt::Key_Return);
    QTRY_COMPARE(Bytes(f), std::string("78 56 34 12 00 00 00 00"));
    QCOMPARE(CursorAddress(), 1);
    QCOMPARE(Doc().Journal.UndoDepth(), 1u);
    QCOMPARE(f.form.Inspector()->Value(InspectorRow::UInt32), QString("305419896"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(table));
    QVERIFY(f.rec.messages.Texts().empty());
    // F2 opens the editor too; Esc drops what was typed.
    QTest::keyClick(table, Qt::Key_F2);
    QVERIFY(Editor() != nullptr);
    Editor()->setText("1");
    QTest::keyClick(Editor(), Qt::Key_Escape);
    QApplication::processEvents();
    QCOMPARE(Bytes(f), std::string("78 56 34 12 00 00 00 00"));
    f.form.RunCommand(Cmd::Undo);
    QTRY_COMPARE(f.form.Inspector()->Value(InspectorRow::UInt32), QString("0"));
  }

  void refusalsAndEncodeErrorsAreShownExactly() {
    struct Case {
      bool readOnly;
      int64_t cursor;
      InspectorRow row;
      const char* typed;  // nullptr: no editor opens
      const char* message;
      bool reopened;
    };
    const Case cases[] = {
        {true, 1, InspectorRow::Int8, nullptr,
         "The document is read-only: the value can't be written", false},
        {false, 7, InspectorRow::Int32, nullptr, "Can't overwrite beyond end of file", false},
        {false, 1, InspectorRow::Guid, nullptr, "Can't overwrite beyond end of file", false},
        {false, 1, InspectorRow::DosDateTime, "2025-04-12 13:25:29",
         "DOS times have even seconds only", true},
        {false, 1, InspectorRow::Int8, "200", "Range check error", true},
        {false, 1, InspectorRow::Float16, "1e9", "Floating point overflow", true},
        {false, 1, InspectorRow::UInt16, "x1", "'x1' is not a valid integer value", true},
    };
    for (const Case& c : cases) {
      MainWindowFixture f;
      f.Load(std::string(8, '\0'));
      Doc().ReadOnly = c.readOnly;
      GotoAddress(c.cursor, true, false);
      ToggleAction(f)->trigger();
      QTableWidget* table = f.form.Inspector()->Table();
      table->setCurrentCell(static_cast<int>(c.row), 1);
      QTest::keyClick(table, Qt::Key_Return);
      if (c.typed != nullptr) {
        QVERIFY(Editor() != nullptr);
        Editor()->setText(c.typed);
        QTest::keyClick(Editor(), Qt::Key_Return);
      }
      QTRY_COMPARE(f.rec.messages.Texts(), std::vector<std::string>{c.message});
      QCOMPARE(Bytes(f), std::string("00 00 00 00 00 00 00 00"));
      QCOMPARE(Doc().Journal.UndoDepth(), 0u);
      QCOMPARE(Editor() != nullptr, c.reopened);
      if (c.reopened) QCOMPARE(Editor()->text(), QString(c.typed));
    }
  }

  void followsTheCursorAndTheBlockStartOnlyWhileShown() {
    MainWindowFixture f;
    f.Load(HexStringToBytes("01 02 03 04 05", true));
    TDockInspector* dock = f.form.Inspector();
    ToggleAction(f)->trigger();
    QCOMPARE(dock->Value(InspectorRow::UInt8), QString("1"));
    GotoAddress(3, true, false);
    QTRY_COMPARE(dock->Value(InspectorRow::UInt16), QString("1027"));
    QCOMPARE(dock->Value(InspectorRow::UInt32), QString("-"));
    RestoreBlock(2, 4);
    GotoAddress(5, true, false);
    QTRY_COMPARE(dock->Value(InspectorRow::UInt8), QString("2"));
    RestoreBlock(0, 0);
    dock->BigEndianButton()->setChecked(true);
    dock->HexBox()->setChecked(true);
    QCOMPARE(dock->Value(InspectorRow::UInt8), QString("$05"));
    QCOMPARE(dock->Value(InspectorRow::Int16), QString("-"));
    // Hidden, it leaves the values alone until it shows again.
    ToggleAction(f)->trigger();
    GotoAddress(1, true, false);
    QTest::qWait(20);
    QCOMPARE(dock->Value(InspectorRow::UInt8), QString("$05"));
    ToggleAction(f)->trigger();
    QCOMPARE(dock->Value(InspectorRow::UInt16), QString("$0102"));
  }

  void docksOnEverySideOrFloatsTheGridsKeepTheirCellsAndItComesBackThere() {
    struct Case {
      int area;  // as stored
      bool floating;
      Qt::DockWidgetArea shown;
    };
    const Case cases[] = {{1, false, Qt::LeftDockWidgetArea},  {2, false, Qt::RightDockWidgetArea},
                          {4, false, Qt::TopDockWidgetArea},   {8, false, Qt::BottomDockWidgetArea},
                          {8, true, Qt::BottomDockWidgetArea}, {3, false, Qt::RightDockWidgetArea},
                          {-8, false, Qt::RightDockWidgetArea}};
    for (const Case& c : cases) {
      MainWindowFixture f;
      f.Load(std::string(64, '\0'));
      TDockInspector* dock = f.form.Inspector();
      const QSize before = f.form.size();
      const int rows = Doc().VisibleRows;
      {
        TIniFile ini(SettingsFilePath());
        ini.WriteInteger("DataInspector", "Area", c.area);
        ini.WriteBool("DataInspector", "Visible", true);
        ini.WriteBool("DataInspector", "Floating", c.floating);
        ini.WriteInteger("DataInspector", "Width", 520);
        ini.WriteInteger("DataInspector", "Height", 333);
      }
      dock->LoadSettings();
      QVERIFY(!dock->isHidden());
      QCOMPARE(dock->isFloating(), c.floating);
      const bool side = c.shown == Qt::LeftDockWidgetArea || c.shown == Qt::RightDockWidgetArea;
      if (c.floating) {
        QCOMPARE(dock->size(), QSize(520, 333));
        QTest::qWait(20);
        QCOMPARE(f.form.size(), before);
      } else {
        QCOMPARE(f.form.dockWidgetArea(dock), c.shown);
        // The window grows by the dock; the grids keep their columns and rows.
        QTRY_VERIFY(side ? f.form.width() > before.width() + dock->widget()->width() / 2
                         : f.form.height() > before.height() + dock->widget()->height() / 2);
        QCOMPARE(side ? f.form.height() : f.form.width(), side ? before.height() : before.width());
      }
      QCOMPARE(Doc().BytesPerRow, 16);
      QCOMPARE(Doc().VisibleRows, rows);
      dock->SaveSettings();
      const TIniFile ini(SettingsFilePath());
      QCOMPARE(ini.ReadInteger("DataInspector", "Area", 0), static_cast<int>(c.shown));
      QCOMPARE(ini.ReadBool("DataInspector", "Floating", !c.floating), c.floating);
      if (c.floating) QCOMPARE(ini.ReadInteger("DataInspector", "Height", 0), 333);
      // Hidden, the room goes back.
      ToggleAction(f)->trigger();
      QTRY_COMPARE(f.form.size(), before);
    }
  }

  void keepsItsHeightAboveOrBelowTheGrids() {
    MainWindowFixture f;
    f.Load(std::string(64, '\0'));
    TDockInspector* dock = f.form.Inspector();
    const int rows = Doc().VisibleRows;
    const int before = f.form.height();
    auto load = [&](int stored) {
      TIniFile ini(SettingsFilePath());
      ini.WriteInteger("DataInspector", "Area", 8);
      ini.WriteBool("DataInspector", "Visible", true);
      ini.WriteInteger("DataInspector", "DockHeight", stored);
      dock->LoadSettings();
      QApplication::processEvents();
      return dock->widget()->height();
    };
    // Too low or too high a stored height is not taken.
    const int usual = load(5);
    QCOMPARE(load(100000), usual);
    QCOMPARE(load(usual + 30), usual + 30);
    QTRY_VERIFY(f.form.height() >= before + usual + 30);
    QCOMPARE(load(usual), usual);
    QTRY_VERIFY(f.form.height() < before + usual + 30);
    QVERIFY(f.form.height() >= before + usual);
    QCOMPARE(Doc().VisibleRows, rows);
  }

  void copiesARowAndRemembersItsSettings() {
    {
      MainWindowFixture f;
      f.Load(HexStringToBytes("78 56 34 12", true));
      TDockInspector* dock = f.form.Inspector();
      ToggleAction(f)->trigger();
      dock->Table()->setCurrentCell(static_cast<int>(InspectorRow::Int32), 1);
      QApplication::clipboard()->clear();
      QTest::keyClick(dock->Table(), Qt::Key_C, Qt::ControlModifier);
      QCOMPARE(QApplication::clipboard()->text(), QString("305419896"));
      QCOMPARE(Bytes(f), std::string("78 56 34 12"));
      dock->BigEndianButton()->setChecked(true);
      dock->HexBox()->setChecked(true);
      dock->SaveSettings();
      const TIniFile ini(SettingsFilePath());
      QCOMPARE(ini.ReadInteger("DataInspector", "Visible", -1), 1);
      QCOMPARE(ini.ReadInteger("DataInspector", "Area", -1), 2);
      QCOMPARE(ini.ReadInteger("DataInspector", "ByteOrder", -1), 1);
      QCOMPARE(ini.ReadInteger("DataInspector", "Hex", -1), 1);
    }
    MainWindowFixture again;
    TIniFile(SettingsFilePath()).WriteInteger("DataInspector", "Area", 1);
    TIniFile(SettingsFilePath()).WriteInteger("DataInspector", "Visible", 1);
    TIniFile(SettingsFilePath()).WriteInteger("DataInspector", "ByteOrder", 1);
    again.form.Inspector()->LoadSettings();
    QVERIFY(!again.form.Inspector()->isHidden());
    QCOMPARE(again.form.dockWidgetArea(again.form.Inspector()), Qt::LeftDockWidgetArea);
    QVERIFY(again.form.Inspector()->BigEndianButton()->isChecked());
    QVERIFY(!again.form.Inspector()->HexBox()->isChecked());
  }
};

QTEST_MAIN(tst_CursorValuesDock)
#include "tst_CursorValuesDock.moc"
