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
