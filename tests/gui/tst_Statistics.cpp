// Tools > Statistics and View > Entropy map on a shown document: what they count and draw,
// where a click on the map goes, and what Save as PNG and CSV write.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include "MainWindowFixture.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Primitives.h"
#include "tools/ByteBarChart.h"
#include "tools/EntropyPlot.h"
#include "tools/FormEntropyMap.h"
#include "tools/FormStatistics.h"
#include "tools/StatisticsCommands.h"

using quoxa::Cmd;
using quoxa::Doc;

namespace {

// 4 KiB of zeros, 4 KiB of every value, 4 KiB of two letters.
std::string ThreeRegions() {
  std::string text;
  while (text.size() < 4096) text += "ab";
  return std::string(4096, '\0') + quoxa::test::Ramp(4096) + text;
}

}  // namespace

class TestStatistics : public QObject {
  Q_OBJECT

 private slots:
  void statisticsCountTheFileOrTheBlockAndSort() {
    quoxa::test::MainWindowFixture f;
    f.Load(std::string(300, 'A') + quoxa::test::Ramp(256));
    f.Trigger(Cmd::Statistics);
    quoxa::TFormStatistics* form = quoxa::StatisticsWindow();
    QVERIFY(form != nullptr && form->isVisible());
    QCOMPARE(form->SummaryText(),
             "556 bytes, addresses 0 to 22B\nEntropy: 4.6615 bits per byte\nDistinct values: 256\n"
             "Most frequent: 41 (count 301)\nLeast frequent: 00 (count 1)");
    QVERIFY(!form->findChild<QRadioButton*>("RadioButtonBlock")->isEnabled());
    QTableWidget* table = form->Table();
    table->horizontalHeader()->setSortIndicator(2, Qt::DescendingOrder);
    QCOMPARE(table->item(0, 0)->text(), "41");
    QCOMPARE(table->item(0, 1)->text(), "A");
    QCOMPARE(table->item(0, 3)->text(), "54.137");
    form->findChild<QCheckBox*>("CheckBoxLog")->click();
    QVERIFY(form->Chart()->Logarithmic());

    // A block: Refresh counts it alone.
    Doc().BlockBegin = 301;
    Doc().BlockEnd = 556;
    QVERIFY(form->Refresh());
    form->findChild<QRadioButton*>("RadioButtonBlock")->click();
    QVERIFY(form->SummaryText().startsWith("256 bytes, addresses 12C to 22B\nEntropy: 8.0000 bits per byte"));
    QTest::keyClick(form, Qt::Key_Escape);
    QTRY_VERIFY(quoxa::StatisticsWindow() == nullptr);
  }

  void entropyMapPlotsGoesToClicksAndSaves() {
    quoxa::test::MainWindowFixture f;
    f.Load(ThreeRegions());
    f.Trigger(Cmd::EntropyMap);
    quoxa::TFormEntropyMap* form = quoxa::EntropyMapWindow();
    QVERIFY(form != nullptr && form->isVisible());
    QCOMPARE(form->Map().window, int64_t{256});
    QCOMPARE(form->Map().values.size(), size_t{48});
    QCOMPARE(form->Map().values[0], 0.0f);
    QCOMPARE(form->Map().values[20], 8.0f);
    QCOMPARE(form->Map().values[40], 1.0f);

    // A click in the middle of the plot lands in the middle region.
    quoxa::TEntropyPlot* plot = form->Plot();
    const QRect area = plot->PlotArea();
    QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(area.left() + area.width() / 2, area.center().y()));
    const int64_t cursor = Doc().CursorAddress();
    QVERIFY2(cursor > 4096 && cursor <= 8192, std::to_string(cursor).c_str());

    // A chosen window, then an edit seen only after Refresh.
    QComboBox* choice = form->WindowChoice();
    choice->setCurrentIndex(choice->findData(qlonglong{4096}));
    emit choice->activated(choice->currentIndex());
    QCOMPARE(form->Map().values, (std::vector<float>{0, 8, 1}));
    quoxa::OverwriteBytes(1, std::string(2048, 'x'));
    QCOMPARE(form->Map().values[0], 0.0f);
    QVERIFY(form->Refresh());
    QCOMPARE(form->Map().values[0], 1.0f);

    const std::string csv = f.Path("map.csv");
    QVERIFY(form->SaveCsv(csv));
    QFile file(QString::fromStdString(csv));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QByteArray("address_hex,address,length,entropy\n0,0,4096,1.0000\n1000,4096,4096,8.0000\n"
                        "2000,8192,4096,1.0000\n"));
    const std::string png = f.Path("map.png");
    QVERIFY(form->SavePng(png));
    QCOMPARE(QImage(QString::fromStdString(png)).size(), plot->size());
    QVERIFY(!form->SaveCsv(f.Path("missing/map.csv")));
    const auto texts = f.rec.messages.Texts();
    QVERIFY2(texts.size() == 1, texts.empty() ? "none" : texts.back().c_str());
    QCOMPARE(QString::fromStdString(texts.front()), QString("Error writing\nmap.csv\nError 3: Path not found"));
  }
};

QTEST_MAIN(TestStatistics)
#include "tst_Statistics.moc"
