// Tab walks every dialog in the order of its visual layout, all the way round, and
// Shift+Tab walks the same way back.
#include <QApplication>
#include <QDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "DialogTestKit.h"
#include "FakeSettingsWindow.h"
#include "Recorders.h"
#include "edit/FormBlockN.h"
#include "edit/FormGoto.h"
#include "edit/FormIns.h"
#include "edit/FormJump.h"
#include "print/FormPrint.h"
#include "print/PrinterList.h"
#include "print/QZReport.h"
#include "search/FormFind.h"
#include "search/FormReplace.h"
#include "search/FormStrings.h"
#include "search/SearchInput.h"
#include "tools/FormBit.h"
#include "tools/FormChecksum.h"
#include "tools/FormCharTable.h"
#include "tools/FormDecode.h"
#include "tools/FormEncode.h"
#include "tools/FormEntropyMap.h"
#include "tools/FormExport.h"
#include "tools/FormImport.h"
#include "tools/FormStatistics.h"
#include "ui/main/FormOpt.h"
#include "widgets/FormOSE.h"
#include "widgets/InputBoxForm.h"
#include "widgets/ListChoiceForm.h"
#include "widgets/MessageForm.h"

namespace {

QString FocusName() {
  const QWidget* w = QApplication::focusWidget();
  if (w == nullptr) return "(none)";
  return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

// The focus before and after each of count presses of Tab (Shift+Tab when back).
QStringList Walk(int count, bool back) {
  QStringList names{FocusName()};
  for (int i = 0; i < count; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    names << FocusName();
  }
  return names;
}

quoxa::SearchDialogValues HexStrings() {
  quoxa::SearchDialogValues v;
  v.findHexMode = true;
  v.replaceHexMode = true;
  return v;
}

}  // namespace

class TestTabOrder : public QObject {
  Q_OBJECT
  std::unique_ptr<quoxa::test::OwnSettingsFile> settings_;

 private slots:
  void init() { settings_ = std::make_unique<quoxa::test::OwnSettingsFile>(); }
  void cleanup() { settings_.reset(); }

  void tabFollowsTheLayoutInEveryDialog() {
    quoxa::test::RecorderScope rec;
    quoxa::test::FakeSettingsWindow window;
    quoxa::SetPrinterSource([] { return QList<quoxa::TPrinterEntry>{{"PDF file", true}}; });
    quoxa::TQZReport report;
    struct Row {
      const char* dialog;
      std::function<std::unique_ptr<QDialog>()> make;
      QStringList cycle;  // from the control that has the focus when the dialog opens
    };
    const std::vector<Row> rows = {
        {"Find",
         [] {
           auto f = std::make_unique<quoxa::TFormFind>();
           f->SetValues(HexStrings());
           return f;
         },
         {"QZByteEditFindH", "CheckBoxCase", "CheckBoxJokerFind", "QZByteEditJoker", "CheckBoxRegex", "ButtonOK",
          "ButtonCancel", "ButtonHelp", "rbtDown", "rbtCursor", "RadioButtonText", "BitBtnConvert"}},
        {"Replace",
         [] {
           auto f = std::make_unique<quoxa::TFormReplace>();
           f->SetValues(HexStrings());
           return f;
         },
         {"QZByteEditFindH", "RadioButtonReplT", "BitBtnConvertRepl", "QZByteEditReplH", "CheckBoxCase",
          "CheckBoxJokerFind", "QZByteEditJoker", "CheckBoxRegex", "rbtCursor", "ButtonOK", "ButtonReplAll",
          "ButtonCancel", "ButtonHelp", "RadioButtonFindT", "BitBtnConvFind"}},
        {"Strings", [] { return std::make_unique<quoxa::TFormStrings>(); },
         {"EditFilter", "ListStrings", "ButtonGoto", "ButtonCopy", "ButtonSave", "ButtonClose", "SpinEditLength"}},
        {"Options",
         [&window] { return std::make_unique<quoxa::TFormOpt>(window); },
         {"qt_tabwidget_tabbar", "RadioButtonIntel", "RadioButtonBase0", "CheckBoxOldTime", "CheckBoxEOF",
          "SpinEditReopen", "ButtonOK", "ButtonCancel", "ButtonHelp"}},
        {"Open file",
         [] {
           auto f = std::make_unique<quoxa::TFormOSE>();
           quoxa::TFormOSE::Params p;
           p.caption = "Open file";
           p.filters = "*.*,*.exe";
           p.favoritesSection = "Favorites";
           f->Prepare(p, QDir::tempPath());
           return f;
         },
         {"DirectoryTree", "ListViewFiles", "EditFileName", "ButtonOK", "ComboBoxFilter", "ButtonCancel",
          "CheckBoxReadOnly", "ComboBoxDrive", "ButtonUp", "ButtonAddFavorite", "ButtonFavorites", "ButtonLargeIcons",
          "ButtonSmallIcons", "ButtonList", "ButtonDetails", "ButtonSortName", "ButtonSortExt", "ButtonSortSize",
          "ButtonSortTime"}},
        {"Go to address", [] { return std::make_unique<quoxa::TFormGoto>(); },
         {"QZNumEdit1", "RadioGoMode0", "ButtonOK", "ButtonCancel", "ButtonHelp", "RadioButtonDec"}},
        {"Enter jump width", [] { return std::make_unique<quoxa::TFormJump>(); },
         {"QZNumEdit1", "ButtonOK", "ButtonCancel", "RadioButtonDec"}},
        {"Print",
         [&report] { return std::make_unique<quoxa::TFormPrint>(report); },
         {"RadioButtonPage", "ComboBoxPrinter", "ComboBoxFontSize", "ComboBoxBytesPerRow", "QZNumEditLeft",
          "QZNumEditRight", "QZNumEditTop", "QZNumEditBottom", "ComboBoxUnit", "CheckBoxLandscape", "CheckBoxDecimal",
          "CheckBoxTextBelow", "CheckBoxToFile", "ButtonOK", "ButtonCancel", "ButtonHelp"}},
        {"Decode number", [] { return std::make_unique<quoxa::TFormDecode>(std::vector<std::string>{"1"}, false); },
         {"MemoDecode", "ButtonOK"}},
        {"Encode integer", [] { return std::make_unique<quoxa::TFormEncode>(); },
         {"EditNumber", "RadioButtonAs0", "RadioButtonInsert", "ButtonOK", "ButtonCancel", "ButtonHelp"}},
        {"Bit manipulation", [] { return std::make_unique<quoxa::TFormBit>(); },
         {"CheckBox7", "CheckBox6", "CheckBox5", "CheckBox4", "CheckBox3", "CheckBox2", "CheckBox1", "CheckBox0",
          "ButtonCheckAll", "ButtonUncheckAll", "ButtonToggleAll", "ButtonReread", "ButtonSet", "ButtonCancel",
          "ButtonHelp"}},
        {"Checksums", [] { return std::make_unique<quoxa::TFormChecksum>(); },
         {"ButtonCompute", "TableResults", "EditExpected", "ButtonClose", "CheckBox_md5", "CheckBox_sha1", "CheckBox_sha224", "CheckBox_sha256", "CheckBox_sha384", "CheckBox_sha512", "CheckBox_sha3-256", "CheckBox_sha3-512", "CheckBox_blake2b", "CheckBox_blake2s", "CheckBox_crc32", "CheckBox_crc32c", "CheckBox_adler32", "CheckBox_crc16-ccitt", "CheckBox_crc16-ccitt-false", "CheckBox_crc16-modbus", "CheckBox_crc8", "CheckBox_xxh32", "CheckBox_xxh64", "CheckBox_xxh3", "CheckBox_xxh128",
          "RadioButtonFile"}},
        {"Character conversion table", [] { return std::make_unique<quoxa::TFormCharTable>(); },
         {"StringGridTable", "ButtonClear", "ButtonSave", "ButtonLoad", "RadioButtonCursor", "ButtonConvert",
          "ButtonCancel", "ButtonHelp"}},
        {"Statistics", [] { return std::make_unique<quoxa::TFormStatistics>(); },
         {"TableCounts", "RadioButtonFile", "CheckBoxLog", "ButtonRefresh", "ButtonClose"}},
        {"Entropy map", [] { return std::make_unique<quoxa::TFormEntropyMap>(); },
         {"ComboBoxWindow", "ButtonRefresh", "ButtonSavePng", "ButtonSaveCsv", "ButtonClose"}},
        {"Block with <n> chars", [] { return std::make_unique<quoxa::TFormBlockN>(); },
         {"QZNumEdit1", "ButtonOK", "ButtonCancel", "ButtonHelp", "RadioButtonDec"}},
        {"Insert", [] { return std::make_unique<quoxa::TFormIns>(); },
         {"EditInsT", "BitBtnConvert", "RadioButtonHex", "RadioButtonDecN", "QZNumEdit1", "ButtonOK", "ButtonCancel",
          "ButtonHelp"}},
        {"Overwrite",
         [] {
           auto f = std::make_unique<quoxa::TFormIns>();
           f->SetOverwriteMode();
           f->SetHexMode(true);
           return f;
         },
         {"QZByteEditInsH", "ButtonOK", "ButtonCancel", "ButtonHelp", "RadioButtonText", "BitBtnConvert"}},
        {"Message",
         [] {
           quoxa::MessageRequest r;
           r.text = "Save now?";
           r.type = quoxa::MsgType::Confirmation;
           r.buttons = quoxa::mbYes | quoxa::mbNo | quoxa::mbCancel;
           r.defaultButton = quoxa::mbCancel;
           return std::make_unique<quoxa::TMessageForm>(r);
         },
         {"Cancel", "Yes", "No"}},
        {"Input",
         [] { return std::make_unique<quoxa::TInputBoxForm>(quoxa::InputRequest{"Caption", "Prompt", 5}, "x"); },
         {"Edit", "OK", "Cancel", "Help"}},
        {"List",
         [] { return std::make_unique<quoxa::TListChoiceForm>(quoxa::ListRequest{"Caption", {"a", "b"}, true, 5}, 0); },
         {"List", "OK", "Delete", "Cancel", "Help"}},
        {"Export as", [] { return std::make_unique<quoxa::TFormExport>(quoxa::TExportSetup{}, quoxa::TExportChoices{}); },
         {"RadioIntelHex", "RadioWholeFile", "EditBaseAddress", "ComboBoxRecordBytes", "CheckBoxStart", "ButtonOK",
          "ButtonCancel", "ButtonHelp"}},
        {"Import", [] { return std::make_unique<quoxa::TFormImport>(quoxa::TImportChoices{}); },
         {"RadioIntelHex", "EditFill", "ButtonOK", "ButtonCancel", "ButtonHelp"}},
    };
    for (const Row& row : rows) {
      const std::unique_ptr<QDialog> dialog = row.make();
      quoxa::test::ShowActive(*dialog);
      const auto n = static_cast<int>(row.cycle.size());
      QStringList forward = row.cycle;
      forward << row.cycle.front();
      QCOMPARE(Walk(n, false), forward);
      std::reverse(forward.begin(), forward.end());
      if (Walk(n, true) != forward) QFAIL(qPrintable(QString("%1: Shift+Tab goes another way").arg(row.dialog)));
    }
    quoxa::SetPrinterSource(nullptr);
  }
};

QTEST_MAIN(TestTabOrder)
#include "tst_TabOrder.moc"
