// The Export as and Import dialogs: which options each format offers, the base address that
// follows the range until typed, the OK checks with their messages and focus; and both commands
// from the main window's menu, through to the file written and the imported document shown at
// its addresses.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <fstream>
#include <iterator>

#include "DialogTestKit.h"
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "TestDocument.h"
#include "core/DocState.h"
#include "core/Messages.h"
#include "tools/FormExport.h"
#include "tools/FormImport.h"
#include "ui/main/QZStrGrid.h"

using quoxa::Cmd;
using quoxa::TDataFormat;
using quoxa::TFormExport;
using quoxa::test::Child;
using quoxa::test::MainWindowFixture;

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

quoxa::TExportSetup Setup() {
  quoxa::TExportSetup s;
  s.fileSize = 0x100;
  s.blockMarked = true;
  s.blockLength = 0x10;
  s.fileAddress = 0x08000000;
  s.blockAddress = 0x08000020;
  s.fileName = "9 lives.bin";
  return s;
}

}  // namespace

class TestDataDialogs : public QObject {
  Q_OBJECT

  std::unique_ptr<quoxa::test::OwnSettingsFile> settings_;

 private slots:
  void init() { settings_ = std::make_unique<quoxa::test::OwnSettingsFile>(); }
  void cleanup() { settings_.reset(); }

  void exportOffersTheOptionsOfItsFormat() {
    quoxa::test::RecorderScope rec;
    TFormExport form(Setup(), {});
    // format | records group, header, source group
    const struct {
      TDataFormat format;
      bool records, header, source;
    } rows[] = {
        {TDataFormat::IntelHex, true, false, false}, {TDataFormat::SRecord, true, true, false},
        {TDataFormat::CArray, false, false, true},   {TDataFormat::PythonBytes, false, false, true},
        {TDataFormat::Base64, false, false, false},  {TDataFormat::HexLines, false, false, false}};
    for (const auto& r : rows) {
      form.FormatRadio(r.format)->click();
      QCOMPARE(form.BaseEdit()->isEnabled(), r.records);
      QCOMPARE(form.HeaderEdit()->isEnabled(), r.header);
      QCOMPARE(form.NameEdit()->isEnabled(), r.source);
    }
    QCOMPARE(form.NameEdit()->text(), QStringLiteral("_9_lives_bin"));
    QCOMPARE(form.HeaderEdit()->text(), QStringLiteral("9 lives.bin"));
    form.FormatRadio(TDataFormat::IntelHex)->click();
    QVERIFY(!form.StartEdit()->isEnabled());
    form.StartBox()->click();
    QVERIFY(form.StartEdit()->isEnabled());

    // The block is chosen while one is marked; the addresses follow the range until typed.
    QVERIFY(form.BlockRadio()->isChecked());
    QCOMPARE(form.BaseEdit()->text(), QStringLiteral("0x08000020"));
    form.WholeRadio()->click();
    QCOMPARE(form.BaseEdit()->text(), QStringLiteral("0x08000000"));
    QCOMPARE(form.StartEdit()->text(), QStringLiteral("0x08000000"));
    form.BaseEdit()->selectAll();
    QTest::keyClicks(form.BaseEdit(), "$1000");
    form.BlockRadio()->click();
    QCOMPARE(form.BaseEdit()->text(), QStringLiteral("$1000"));
    QCOMPARE(form.StartEdit()->text(), QStringLiteral("0x08000020"));
  }

  void exportOkChecksItsFields() {
    quoxa::test::RecorderScope rec;
    const struct {
      TDataFormat format;
      const char* field;  // object name of the edit typed into, "" for none
      const char* text;
      const char* message;  // "" when OK accepts
    } rows[] = {
        {TDataFormat::IntelHex, "EditBaseAddress", "0x1G",
         "'0x1G' is not an address:\ntype it in decimal, or in hex after 0x or $."},
        {TDataFormat::SRecord, "EditBaseAddress", "0xFFFFFFF8",
         "The last byte would be at address 0x100000007:\nIntel HEX and S-record files end at "
         "0xFFFFFFFF."},
        {TDataFormat::CArray, "EditName", "int x",
         "'int x' is no name for a variable:\nuse letters, digits and \"_\", not a digit first."},
        {TDataFormat::IntelHex, "EditBaseAddress", "4096", ""},
        {TDataFormat::Base64, "EditBaseAddress", "nonsense, and no matter", ""},
    };
    for (const auto& r : rows) {
      rec.messages.shown.clear();
      TFormExport form(Setup(), {});
      quoxa::test::ShowActive(form);
      form.FormatRadio(r.format)->click();
      auto* edit = Child<QLineEdit>(form, r.field);
      edit->setText(QString::fromLatin1(r.text));
      Child<QPushButton>(form, "ButtonOK")->click();
      if (*r.message == '\0') {
        QCOMPARE(form.result(), int{QDialog::Accepted});
        QVERIFY(rec.messages.shown.empty());
        QCOMPARE(form.Result().format, r.format);
      } else {
        QVERIFY(form.isVisible());
        QCOMPARE(rec.messages.Texts(), std::vector<std::string>{r.message});
        QTRY_VERIFY(edit->hasFocus());
      }
    }
    TFormExport form(Setup(), {});
    form.BaseEdit()->setText("4096");
    Child<QPushButton>(form, "ButtonOK")->click();
    QCOMPARE(form.Result().baseAddress, 4096);
    QVERIFY(form.BlockChosen());
  }

  void importChecksTheFillByte() {
    quoxa::test::RecorderScope rec;
    quoxa::TFormImport form({TDataFormat::SRecord, 0x00});
    quoxa::test::ShowActive(form);
    QVERIFY(form.FormatRadio(1)->isChecked());
    QCOMPARE(form.FillEdit()->text(), QStringLiteral("0x00"));
    form.FillEdit()->setText("256");
    Child<QPushButton>(form, "ButtonOK")->click();
    QCOMPARE(rec.messages.Texts(),
             std::vector<std::string>{"'256' is not a byte:\ntype 0 to 255, or 0x00 to 0xFF."});
    QTRY_VERIFY(form.FillEdit()->hasFocus());
    // Base64 has no gaps: the fill byte is not asked.
    form.FormatRadio(2)->click();
    QVERIFY(!form.FillEdit()->isEnabled());
    Child<QPushButton>(form, "ButtonOK")->click();
    QCOMPARE(form.Result().format, TDataFormat::Base64);
  }

  void exportAndImportThroughTheMenu() {
    MainWindowFixture f;
    f.Load("ABCDEFGHIJ");
    quoxa::Doc().BlockBegin = 3;
    quoxa::Doc().BlockEnd = 4;
    std::vector<std::string> asked;
    std::string answer;
    f.form.SetFileQuestionHandler([&](const quoxa::FileQuestion& q) {
      asked.push_back(q.title + " " + q.filter);
      return quoxa::FileAnswer{true, f.Path(answer), false};
    });
    answer = "block.srec";
    quoxa::test::OnNextModal([](QWidget* dialog) {
      Child<QRadioButton>(*dialog, "RadioSRecord")->click();
      Child<QLineEdit>(*dialog, "EditHeader")->setText("x");
      Child<QPushButton>(*dialog, "ButtonOK")->click();
    });
    f.Trigger(Cmd::ExportAs);
    QCOMPARE(Bytes(f.Path("block.srec")),
             std::string("S00400007883\nS1050002434471\nS5030001FB\nS9030000FC\n"));

    // Import after the save question (No): a new document at its lowest address.
    quoxa::Doc().Modified = true;
    f.WriteFile("fw.hex", ":020000040800F2\n:0400100010111213A6\n:00000001FF\n");
    answer = "fw.hex";
    f.rec.messages.answers = {quoxa::mrNo};
    quoxa::test::OnNextModal([](QWidget* dialog) {
      Child<QRadioButton>(*dialog, "RadioIntelHex")->click();
      Child<QPushButton>(*dialog, "ButtonOK")->click();
    });
    f.Trigger(Cmd::Import);
    QCOMPARE(f.rec.messages.Texts(), std::vector<std::string>{"document.bin modified. Save now?"});
    QCOMPARE(asked,
             (std::vector<std::string>{"Export to file *.srec,*.*", "Import file *.hex,*.*"}));
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("\x10\x11\x12\x13"));
    QCOMPARE(f.form.windowTitle(), QStringLiteral("QUOXA - fw.bin"));
    QCOMPARE(f.form.QZStrGridAddr()->Cell(0, 0), QStringLiteral(" 8000010"));
    QCOMPARE(QString::fromStdString(f.form.PanelText(0)), QStringLiteral("Adr. dec: 134,217,744"));
  }
};

QTEST_MAIN(TestDataDialogs)
#include "tst_DataDialogs.moc"
