// The three grids and the scroll bar: what the cells show, which cells can be
// selected, the layout, and the scroll bar moving the view only on release.
#include <QApplication>
#include <QScrollBar>

#include "MainWindowFixture.h"
#include "TestDocument.h"
#include "core/Navigation.h"
#include "core/Journal.h"
#include "settings/Options.h"
#include "tools/ConversionTable.h"
#include "ui/main/GridView.h"
#include "ui/main/QZScrollBar.h"
#include "ui/main/QZStrGrid.h"

using quoxa::Cmd;
using quoxa::TQZStrGrid;
using quoxa::test::MainWindowFixture;

namespace {

void Click(TQZStrGrid* grid, int col, int row) {
  QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(col, row).center());
}

// The first cell whose hex text is not the document's byte there, as "col,row"; empty when
// the page shows the document exactly.
QString FirstStaleCell(MainWindowFixture& f) {
  TQZStrGrid* hex = f.form.QZStrGridHex();
  const std::string bytes = quoxa::test::DocumentBytes();
  for (int row = 0; row < hex->RowCount(); ++row) {
    for (int col = 0; col < hex->ColCount(); ++col) {
      const int64_t pos = quoxa::Doc().TopAddress - 1 + int64_t{row} * hex->ColCount() + col;  // index into bytes
      const QString want = pos < static_cast<int64_t>(bytes.size())
                               ? QString::asprintf("%02X", static_cast<uint8_t>(bytes[static_cast<size_t>(pos)]))
                               : QString();
      if (hex->Cell(col, row) != want) return QString::asprintf("%d,%d", col, row);
    }
  }
  return {};
}

}  // namespace

class TestGrids : public QObject {
  Q_OBJECT

 private slots:
  void twentyBytesWithSixteenPerRow() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(20), 16, 10);
    TQZStrGrid* hex = f.form.QZStrGridHex();
    TQZStrGrid* text = f.form.QZStrGridText();
    TQZStrGrid* addr = f.form.QZStrGridAddr();
    QCOMPARE(hex->ColCount(), 16);
    QCOMPARE(hex->RowCount(), 10);
    for (int col = 0; col < 16; ++col) QCOMPARE(hex->Cell(col, 0), QString::asprintf("%02X", col));
    for (int col = 0; col < 4; ++col) QCOMPARE(hex->Cell(col, 1), QString::asprintf("%02X", 16 + col));
    for (int col = 4; col < 16; ++col) {
      QVERIFY(hex->Cell(col, 1).isEmpty());
      QVERIFY(text->Cell(col, 1).isEmpty());
    }
    for (int row = 2; row < 10; ++row) QVERIFY(hex->Cell(0, row).isEmpty());
    QCOMPARE(addr->Cell(0, 0), QString("       0"));
    QCOMPARE(addr->Cell(0, 1), QString("      10"));
    for (int row = 2; row < 10; ++row) QVERIFY(addr->Cell(0, row).isEmpty());

    // The cells after the last byte cannot be selected.
    Click(text, 4, 1);
    QCOMPARE(quoxa::CursorAddress(), 1);
    QCOMPARE(text->Col(), 0);
    Click(text, 3, 5);
    QCOMPARE(quoxa::CursorAddress(), 1);
    Click(text, 3, 1);
    QCOMPARE(quoxa::CursorAddress(), 20);
    QCOMPARE(hex->Col(), 3);
    QCOMPARE(hex->Row(), 1);
    QCOMPARE(addr->Row(), 1);
    QCOMPARE(f.form.PanelText(0), std::string("Adr. dec: 19"));
    QCOMPARE(f.form.PanelText(1), std::string("Char dec: 19"));
  }

  void byteZeroShowsAsDegreeSignAndDoubleZero() {
    MainWindowFixture f;
    f.Load(std::string("\0A\xB0\x80", 4));
    TQZStrGrid* text = f.form.QZStrGridText();
    QCOMPARE(text->Cell(0, 0), QString(QChar(0x00B0)));
    QCOMPARE(f.form.QZStrGridHex()->Cell(0, 0), QString("00"));
    QCOMPARE(text->Cell(1, 0), QString("A"));
    QCOMPARE(text->Cell(2, 0), QString(QChar(0x00B0)));
    QCOMPARE(text->Cell(3, 0), QString(QChar(0x20AC)));
    QCOMPARE(f.form.PanelText(1), std::string("Char dec: 0"));
  }

  void baseAddressOneShiftsAddressesAndStatus() {
    MainWindowFixture f;
    quoxa::Doc().BaseAddress = 1;
    f.Load(quoxa::test::Ramp(40), 16, 10);
    QCOMPARE(f.form.QZStrGridAddr()->Cell(0, 0), QString("       1"));
    QCOMPARE(f.form.QZStrGridAddr()->Cell(0, 1), QString("      11"));
    QCOMPARE(f.form.PanelText(0), std::string("Adr. dec: 1"));
    f.form.ToggleTextMode();
    QCOMPARE(f.form.PanelText(0), std::string("Adr. hex: 1"));
    Click(f.form.QZStrGridHex(), 15, 1);
    QCOMPARE(f.form.PanelText(0), std::string("Adr. hex: 20"));
  }

  void textModeDecidesTheActiveGrid() {
    MainWindowFixture f;
    f.Load("abc");
    TQZStrGrid* hex = f.form.QZStrGridHex();
    TQZStrGrid* text = f.form.QZStrGridText();
    QVERIFY(text->IsActive());
    QVERIFY(!hex->IsActive());
    QCOMPARE(text->SlaveGrid(), hex);
    QVERIFY(hex->SlaveGrid() == nullptr);
    f.Trigger(Cmd::TextModeCheck);
    QVERIFY(!quoxa::Doc().TextMode);
    QVERIFY(!f.Action(Cmd::TextModeCheck)->isChecked());
    QVERIFY(hex->IsActive());
    QVERIFY(!text->IsActive());
    QCOMPARE(hex->SlaveGrid(), text);
    QVERIFY(text->SlaveGrid() == nullptr);
    QVERIFY(hex->hasFocus() || !f.form.isActiveWindow());
    Click(hex, 2, 0);
    QCOMPARE(text->Col(), 2);
    f.Trigger(Cmd::OverwriteCheck);
    QCOMPARE(f.form.PanelText(2), std::string("Insert"));
    QVERIFY(!f.Action(Cmd::OverwriteCheck)->isChecked());
  }

  void slaveGridRules() {
    TQZStrGrid a;
    TQZStrGrid b;
    a.SetDimensions(4, 4);
    b.SetDimensions(4, 4);
    a.SetSlaveGrid(&a);
    QVERIFY(a.SlaveGrid() == nullptr);
    a.SetSlaveGrid(&b);
    QCOMPARE(a.SlaveGrid(), &b);
    a.MoveTo(2, 3);
    QCOMPARE(b.Col(), 2);
    QCOMPARE(b.Row(), 3);
    // Grids that are each other's slave do not bounce a selection back and forth.
    b.SetSlaveGrid(&a);
    QVERIFY(a.SelectCell(1, 1));
    QCOMPARE(b.Col(), 2);
    QCOMPARE(a.WidthForCols(3), 3 * a.DefaultColWidth() + 7);
    QCOMPARE(a.HeightForRows(2), 2 * a.DefaultRowHeight() + 6);
  }

  void leftAndRightWrapBetweenRows() {
    TQZStrGrid grid;
    grid.SetDimensions(4, 3);
    grid.MoveTo(3, 0);
    grid.MoveByKey(Qt::Key_Right, Qt::NoModifier);
    QCOMPARE(grid.Col(), 0);
    QCOMPARE(grid.Row(), 1);
    grid.MoveByKey(Qt::Key_Left, Qt::NoModifier);
    QCOMPARE(grid.Col(), 3);
    QCOMPARE(grid.Row(), 0);
    grid.MoveByKey(Qt::Key_Left, Qt::NoModifier);
    QCOMPARE(grid.Col(), 2);
    grid.MoveTo(0, 0);
    grid.MoveByKey(Qt::Key_Left, Qt::NoModifier);
    QCOMPARE(grid.Col(), 0);
    QCOMPARE(grid.Row(), 0);
    grid.MoveTo(3, 2);
    grid.MoveByKey(Qt::Key_Right, Qt::NoModifier);
    QCOMPARE(grid.Col(), 3);
    QCOMPARE(grid.Row(), 2);
    grid.MoveByKey(Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(grid.Col(), 0);
    QCOMPARE(grid.Row(), 0);
    grid.MoveByKey(Qt::Key_End, Qt::NoModifier);
    QCOMPARE(grid.Col(), 3);
    QCOMPARE(grid.Row(), 0);
    grid.MoveByKey(Qt::Key_PageDown, Qt::NoModifier);
    QCOMPARE(grid.Row(), 2);
  }

  void cellSizesFollowTheFont() {
    MainWindowFixture f;
    const quoxa::TCellSizes small = f.form.Grids()->CellSizes();
    f.form.ApplyFontSize(16);
    const quoxa::TCellSizes large = f.form.Grids()->CellSizes();
    QVERIFY(large.textColWidth > small.textColWidth);
    QVERIFY(large.rowHeight > small.rowHeight);
    QCOMPARE(large.hexColWidth, 2 * (large.textColWidth - 4) + 4);
    QCOMPARE(large.addrColWidth, 8 * (large.textColWidth - 4) + 4);
    QCOMPARE(f.form.QZStrGridText()->width(), f.form.QZStrGridText()->WidthForCols(quoxa::Doc().BytesPerRow));
    // A font the system lacks falls back to its fixed-pitch font.
    f.form.ApplyFont("No Such Font Family");
    const QFontMetrics metrics(f.form.Grids()->GridFont());
    QCOMPARE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
    QCOMPARE(f.form.Grids()->GridFont().pointSize(), 16);
  }

  void layoutAndAddressColumn() {
    MainWindowFixture f;
    f.form.SetGridSize(16, 12);
    QCOMPARE(quoxa::Doc().BytesPerRow, 16);
    QCOMPARE(quoxa::Doc().VisibleRows, 12);
    QCOMPARE(quoxa::Doc().PageSize, 192);
    QCOMPARE(f.form.Grids()->ScrollBar()->Model().SmallChange(), 192);
    QCOMPARE(f.form.Grids()->ScrollBar()->Model().LargeChange(), 1920);
    const int hexX = f.form.QZStrGridHex()->x();
    QVERIFY(hexX > f.form.QZStrGridAddr()->width());
    QVERIFY(f.form.QZStrGridText()->x() > hexX);
    f.form.SetAddressColumnHidden(true, true);
    QVERIFY(f.form.QZStrGridAddr()->isHidden());
    QCOMPARE(f.form.QZStrGridHex()->x(), 0);
    quoxa::Options().TextGridLeft = true;
    f.form.PlaceGrids();
    QCOMPARE(f.form.QZStrGridText()->x(), 0);
    QVERIFY(f.form.QZStrGridHex()->x() > f.form.QZStrGridText()->width());
    const int height = f.form.height();
    f.form.SetToolBarHidden(true, true);
    QVERIFY(f.form.height() < height);
  }

  void resizingSnapsToWholeCellsAndKeepsTenColumns() {
    MainWindowFixture f;
    f.form.resize(60, 60);
    QTRY_COMPARE(quoxa::Doc().BytesPerRow, 10);
    QTRY_COMPARE(quoxa::Doc().VisibleRows, 10);
    const quoxa::TGridGeometry& g = f.form.Grids()->Geometry();
    const quoxa::TCellSizes& cells = f.form.Grids()->CellSizes();
    const int pitch = cells.hexColWidth + cells.textColWidth + 2;
    f.form.resize(g.windowWidth + 5 * pitch + 3, g.windowHeight + 4 * (cells.rowHeight + 1) + 2);
    QTRY_COMPARE(quoxa::Doc().BytesPerRow, 15);
    QTRY_COMPARE(quoxa::Doc().VisibleRows, 14);
    QTRY_COMPARE(f.form.width(), f.form.Grids()->Geometry().windowWidth);
    QCOMPARE(f.form.centralWidget()->width(), f.form.Grids()->sizeHint().width());
  }

  void scrollBarMovesTheViewOnlyOnRelease() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(10000), 16, 10);
    quoxa::TQZScrollBar* bar = f.form.Grids()->ScrollBar();
    QCOMPARE(bar->Model().Max(), 10000);
    QCOMPARE(bar->Model().PageSize(), 160);
    bar->Scroll(quoxa::ScrollCode::ThumbTrack, 5000);
    QCOMPARE(quoxa::Doc().TopAddress, 1);
    QCOMPARE(f.form.PanelText(3), std::string("Scrolling..."));
    QCOMPARE(f.form.QZStrGridHex()->Cell(0, 0), QString("00"));
    bar->Scroll(quoxa::ScrollCode::EndScroll);
    QCOMPARE(f.form.PanelText(3), std::string());
    QCOMPARE(quoxa::Doc().TopAddress, 4993);
    QCOMPARE(quoxa::CursorAddress(), 4993);
    QCOMPARE(bar->Position(), 4993);
    QCOMPARE(f.form.QZStrGridHex()->Cell(0, 0), QString::asprintf("%02X", 4992 & 0xFF));

    // A real click on the down arrow: nothing moves until the button comes up.
    quoxa::GotoTop();
    const QPoint arrow(bar->width() / 2, bar->height() - 3);
    QTest::mousePress(bar, Qt::LeftButton, {}, arrow);
    QCOMPARE(quoxa::Doc().TopAddress, 1);
    QCOMPARE(f.form.PanelText(3), std::string("Scrolling..."));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, arrow);
    QCOMPARE(quoxa::Doc().TopAddress, 161);
    QCOMPARE(quoxa::CursorAddress(), 161);

    bar->Scroll(quoxa::ScrollCode::Bottom);
    bar->Scroll(quoxa::ScrollCode::EndScroll);
    QCOMPARE(quoxa::CursorAddress(), 10000);
    QCOMPARE(quoxa::Doc().TopAddress, 10000 - 160 + 1);
  }

  void blockBytesAreDrawnInTheBlockColour() {
    MainWindowFixture f;
    f.Load(quoxa::test::Ramp(64), 16, 4);
    quoxa::Doc().BlockBegin = 18;
    quoxa::Doc().BlockEnd = 20;
    TQZStrGrid* hex = f.form.QZStrGridHex();
    QCOMPARE(hex->CellColor(1, 1), QColor(255, 0, 0));
    QCOMPARE(hex->CellColor(3, 1), QColor(255, 0, 0));
    QVERIFY(!hex->CellColor(0, 1).isValid());
    QVERIFY(!hex->CellColor(4, 1).isValid());
    QCOMPARE(f.form.QZStrGridText()->CellColor(2, 1), QColor(255, 0, 0));
    quoxa::Options().ColorBlock = 0x00FF0000;
    QCOMPARE(hex->CellColor(2, 1), QColor(0, 0, 255));
    quoxa::Doc().BlockEnd = 0;
    QVERIFY(!hex->CellColor(1, 1).isValid());

    // The painted cell really carries the colour.
    quoxa::Doc().BlockEnd = 20;
    quoxa::Options().ColorBlock = 0x000000FF;
    const QImage image = hex->grab().toImage();
    const QRect cell = hex->CellRect(2, 1);
    int red = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
      for (int x = cell.left(); x <= cell.right(); ++x) {
        const QColor c = image.pixelColor(x * image.width() / hex->width(), y * image.height() / hex->height());
        if (c.red() > 150 && c.green() < 100 && c.blue() < 100) ++red;
      }
    }
    QVERIFY(red > 3);
  }

  // Commands that change bytes above the cursor must not leave those cells showing the old ones.
  void changesAboveTheCursorAreShown_data() {
    QTest::addColumn<int>("step");
    QTest::newRow("conversion from the beginning") << 0;
    QTest::newRow("its undo, cursor at the end") << 1;
    QTest::newRow("its redo, cursor at the end") << 2;
  }
  void changesAboveTheCursorAreShown() {
    QFETCH(int, step);
    MainWindowFixture f;
    f.Load(std::string(160, 'a'));
    quoxa::ConversionTable = quoxa::IdentityTable();
    quoxa::ConversionTable['a'] = 'B';
    quoxa::GotoAddress(100, true, true);
    QCOMPARE(quoxa::ApplyConversion(1).count, int64_t{160});
    if (step >= 1) {
      quoxa::GotoAddress(160, true, true);
      QVERIFY(quoxa::Doc().Journal.Undo());
    }
    if (step >= 2) {
      quoxa::GotoAddress(160, true, true);
      QVERIFY(quoxa::Doc().Journal.Redo());
    }
    quoxa::ResetConversionTable();
    QCOMPARE(FirstStaleCell(f), QString());
  }

  void noDocumentEmptiesTheGrids() {
    MainWindowFixture f;
    f.Load("abc");
    QCOMPARE(f.form.QZStrGridText()->Cell(0, 0), QString("a"));
    f.Trigger(Cmd::Close);
    QVERIFY(f.form.QZStrGridText()->Cell(0, 0).isEmpty());
    QVERIFY(f.form.QZStrGridHex()->Cell(0, 0).isEmpty());
    QVERIFY(f.form.QZStrGridAddr()->Cell(0, 0).isEmpty());
    QCOMPARE(f.form.PanelText(0), std::string());
    QVERIFY(!f.form.Grids()->ScrollBar()->isEnabled());
    Click(f.form.QZStrGridText(), 1, 0);
    QCOMPARE(f.form.QZStrGridText()->Col(), 0);
  }
};

QTEST_MAIN(TestGrids)
#include "tst_Grids.moc"
