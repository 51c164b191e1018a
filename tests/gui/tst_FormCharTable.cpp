// The conversion table dialog: cell editing, dropping rows, its files and the save question.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "DialogTestKit.h"
#include "Recorders.h"
#include "TempDir.h"
#include "core/Messages.h"
#include "tools/ConversionTable.h"
#include "tools/FormCharTable.h"
#include "widgets/FileDialogs.h"

using namespace quoxa;

class TestFormCharTable : public QObject {
  Q_OBJECT

  static QString Cell(TFormCharTable& form, int row, int column) { return form.Grid()->item(row, column)->text(); }

 private slots:
  void init() {
    ResetConversionTable();
    ConversionTableFile.clear();
  }
  void cleanup() { SetFileDialogAnswerer({}); }

  void gridShowsTheTableAndTheCharacters() {
    test::OwnSettingsFile settings;
    test::RecorderScope rec;
    ConversionTable[0x84] = 0x61;
    TFormCharTable form;
    QCOMPARE(form.windowTitle(), QString("Character conversion table"));
    QCOMPARE(form.Grid()->rowCount(), 256);
    QCOMPARE(Cell(form, 0x41, 0), QString("41"));
    QCOMPARE(Cell(form, 0x41, 1), QString("A"));
    QCOMPARE(Cell(form, 0x10, 1), QString());
    QCOMPARE(Cell(form, 0xB0, 2), QString::fromUtf8("░"));
    QCOMPARE(Cell(form, 0x84, 3), QString("61"));
    QCOMPARE(Cell(form, 0x85, 3), QString());
    QVERIFY(form.findChild<QRadioButton*>("RadioButtonBegin")->isChecked());
  }

  void typedDigitsAreUpperCaseHexAndTwoLong() {
    test::OwnSettingsFile settings;
    test::RecorderScope rec;
    TFormCharTable form;
    test::ShowActive(form);
    form.Grid()->setCurrentCell(5, 3);
    form.Grid()->editItem(form.Grid()->item(5, 3));
    auto* editor = form.Grid()->findChild<QLineEdit*>();
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, "xa");
    QCOMPARE(editor->text(), QString("A"));
    QVERIFY(form.TableModified());
    form.Grid()->setCurrentCell(6, 3);
    QCOMPARE(Cell(form, 5, 3), QString("0A"));
    rec.messages.answers = {mrNo};
    form.findChild<QPushButton*>("ButtonConvert")->click();
    QCOMPARE(form.result(), TFormCharTable::kConvert);
    QCOMPARE(rec.messages.Texts(), std::vector<std::string>{kTableModifiedQuestion});
    QCOMPARE(int(ConversionTable[5]), 0x0a);
  }

  void deleteOrBackspaceOnASelectedCellEmptiesIt() {
    test::OwnSettingsFile settings;
    test::RecorderScope rec;
    ConversionTable[5] = 0x41;
    ConversionTable[6] = 0x42;
    TFormCharTable form;
    test::ShowActive(form);
    // Entering a cell opens its editor; Return closes it and leaves the cell selected.
    auto select = [&](int row, int column) {
      form.Grid()->setCurrentCell(row, column);
      QApplication::processEvents();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QApplication::processEvents();
      QCOMPARE(QApplication::focusWidget(), form.Grid());
    };
    select(7, 3);
    QTest::keyClick(form.Grid(), Qt::Key_Delete);
    QVERIFY(!form.TableModified());
    const std::pair<int, Qt::Key> keys[] = {{5, Qt::Key_Delete}, {6, Qt::Key_Backspace}};
    for (const auto& [row, key] : keys) {
      select(row, 3);
      QTest::keyClick(form.Grid(), key);
      QCOMPARE(Cell(form, row, 3), QString());
    }
    QVERIFY(form.TableModified());
    select(5, 0);
    QTest::keyClick(form.Grid(), Qt::Key_Delete);
    QCOMPARE(Cell(form, 5, 0), QString("05"));
    rec.messages.answers = {mrNo};
    form.findChild<QPushButton*>("ButtonConvert")->click();
    QCOMPARE(int(ConversionTable[5]), 5);
    QCOMPARE(int(ConversionTable[6]), 6);
  }

  void dropsOnlyOntoAnotherRowsConvertToCell() {
    test::OwnSettingsFile settings;
    test::RecorderScope rec;
    TFormCharTable form;
    QVERIFY(!form.DropRow(0x84, 0x61, 0));
    QVERIFY(!form.DropRow(0x84, 0x84, 3));
    QVERIFY(!form.TableModified());
    QVERIFY(form.DropRow(0x84, 0x61, 3));
    QCOMPARE(Cell(form, 0x84, 3), QString("61"));
    QVERIFY(form.TableModified());
  }

  void saveLoadAndTheirErrorsThroughTheFileDialog() {
    test::OwnSettingsFile settings;
    test::RecorderScope rec;
    test::TempDir dir;
    std::string chosen = dir / "upper.qct";
    std::vector<std::string> titles;
    SetFileDialogAnswerer([&](const FileDialogRequest& request) {
      titles.push_back(request.title + " " + request.filter);
      return FileDialogResult{true, chosen, {chosen}, dir.Path(), false};
    });
    TFormCharTable form;
    form.DropRow('a', 'A', 3);
    form.findChild<QPushButton*>("ButtonSave")->click();
    QCOMPARE(test::TempDir::Read(chosen), std::string("61;41\r\n"));
    QCOMPARE(form.windowTitle(), QString("Character conversion table - upper.qct"));
    QVERIFY(!form.TableModified());
    chosen = dir.Write("bad.qct", "61;4\r\n");
    form.findChild<QPushButton*>("ButtonLoad")->click();
    QCOMPARE(rec.messages.Texts(), std::vector<std::string>{"Error reading\nbad.qct"});
    QCOMPARE(form.windowTitle(), QString("Character conversion table"));
    QVERIFY(ConversionTable == IdentityTable());
    chosen = dir / "upper.qct";
    form.findChild<QPushButton*>("ButtonLoad")->click();
    QCOMPARE(Cell(form, 'a', 3), QString("41"));
    QCOMPARE(titles, (std::vector<std::string>{"Save conversion table *.qct", "Load conversion table *.qct",
                                               "Load conversion table *.qct"}));
  }

  void cancelOnTheSaveQuestionKeepsTheDialogOpen() {
    test::OwnSettingsFile settings;
    test::RecorderScope rec;
    TFormCharTable form;
    test::ShowActive(form);
    form.DropRow(1, 2, 3);
    rec.messages.answers = {mrCancel};
    form.reject();
    QVERIFY(form.isVisible());
    rec.messages.answers = {mrNo};
    form.findChild<QPushButton*>("ButtonClear")->click();
    QCOMPARE(Cell(form, 1, 3), QString());
    form.reject();
    QVERIFY(!form.isVisible());
    QVERIFY(ConversionTable == IdentityTable());
  }
};

QTEST_MAIN(TestFormCharTable)
#include "tst_FormCharTable.moc"
