// The Checksums dialog from the Tools menu: the block or the whole document with its unsaved
// edits, Copy and Copy all, the expected value, the refusal without an algorithm, Cancel, and
// the ticks remembered in the settings file.
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>
#include <functional>

#include "DialogTestKit.h"
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Primitives.h"
#include "settings/IniFile.h"
#include "tools/Checksum.h"
#include "tools/ChecksumRun.h"
#include "tools/ChecksumTexts.h"
#include "tools/FormChecksum.h"

using quoxa::ChecksumKind;
using quoxa::Cmd;
using quoxa::TFormChecksum;
using quoxa::test::Child;

namespace {

void TickOnly(TFormChecksum& form, std::initializer_list<ChecksumKind> kinds) {
  for (const quoxa::ChecksumInfo& info : quoxa::ChecksumAlgorithms()) {
    form.Box(info.kind)->setChecked(std::find(kinds.begin(), kinds.end(), info.kind) != kinds.end());
  }
}

QStringList Column(const QTableWidget* table, int col) {
  QStringList texts;
  for (int row = 0; row < table->rowCount(); ++row) texts << table->item(row, col)->text();
  return texts;
}

QString Sum(ChecksumKind kind, const std::string& bytes) {
  return QString::fromStdString(quoxa::ChecksumOf(kind, bytes));
}

}  // namespace

class TestFormChecksum : public QObject {
  Q_OBJECT

 private slots:
  void computesTheBlockOrTheFileWithUnsavedEditsAndCopies() {
    quoxa::test::MainWindowFixture f;
    QCOMPARE(f.Action(Cmd::Checksums)->shortcut(), QKeySequence("Ctrl+Shift+H"));
    std::string bytes = quoxa::test::Ramp(1500);
    f.Load(bytes);
    QVERIFY(quoxa::OverwriteBytes(11, "new"));
    bytes.replace(10, 3, "new");
    const struct {
      bool marked;
      bool blockChosen;
      const char* scope;
      std::string part;
    } rows[] = {
        {true, true, "Block, 5 bytes:", bytes.substr(9, 5)},
        {true, false, "Whole file, 1,500 bytes:", bytes},
        {false, false, "Whole file, 1,500 bytes:", bytes},
    };
    for (const auto& row : rows) {
      quoxa::RestoreBlock(row.marked ? 10 : 0, row.marked ? 14 : 0);
      bool ran = false;
      quoxa::test::OnNextModal([&](QWidget* dialog) {
        ran = true;
        auto& form = *qobject_cast<TFormChecksum*>(dialog);
        auto* block = Child<QRadioButton>(form, "RadioButtonBlock");
        QCOMPARE(block->isEnabled(), row.marked);
        QCOMPARE(block->isChecked(), row.marked);
        if (!row.blockChosen) Child<QRadioButton>(form, "RadioButtonFile")->click();
        TickOnly(form, {ChecksumKind::Sha256, ChecksumKind::Crc32});
        QVERIFY(!Child<QPushButton>(form, "ButtonCopy")->isEnabled());
        QTest::keyClick(&form, Qt::Key_Return);
        QCOMPARE(Child<QLabel>(form, "LabelScope")->text(), QString(row.scope));
        QCOMPARE(Column(form.Table(), 0), QStringList({"SHA-256", "CRC-32"}));
        const QStringList values = {Sum(ChecksumKind::Sha256, row.part), Sum(ChecksumKind::Crc32, row.part)};
        QCOMPARE(Column(form.Table(), 1), values);
        Child<QPushButton>(form, "ButtonCopy")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), values[0]);
        form.Table()->selectRow(1);
        Child<QPushButton>(form, "ButtonCopy")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), values[1]);
        Child<QPushButton>(form, "ButtonCopyAll")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), "SHA-256: " + values[0] + "\nCRC-32: " + values[1] + "\n");
        form.reject();
      });
      f.Trigger(Cmd::Checksums);
      QVERIFY(ran);
    }
    QVERIFY(f.rec.messages.shown.empty());
  }

  void theExpectedValueMarksItsRow() {
    quoxa::test::OwnSettingsFile settings;
    quoxa::test::RecorderScope rec;
    quoxa::test::LoadDocument("123456789");
    TFormChecksum form;
    TickOnly(form, {ChecksumKind::Crc32, ChecksumKind::Crc32c, ChecksumKind::Crc8});
    Child<QPushButton>(form, "ButtonCompute")->click();
    auto* edit = Child<QLineEdit>(form, "EditExpected");
    const struct {
      const char* typed;
      int row;
      const char* note;
    } rows[] = {{"E306 9283", 1, "Matches CRC-32C."}, {"0xcbf43926", 0, "Matches CRC-32."},
                {"cbf43927", -1, "No value matches."}, {" ", -1, ""}};
    for (const auto& row : rows) {
      edit->setText(row.typed);
      QCOMPARE(form.MatchingRow(), row.row);
      QCOMPARE(Child<QLabel>(form, "LabelMatch")->text(), QString(row.note));
      for (int r = 0; r < 3; ++r) QCOMPARE(form.Table()->item(r, 1)->font().bold(), r == row.row);
    }
  }

  // Compute refuses without an algorithm, shows nothing after Cancel; the ticks are remembered.
  void refusalCancelAndTheRememberedChoice() {
    quoxa::test::OwnSettingsFile settings;
    quoxa::test::RecorderScope rec;
    quoxa::test::LoadDocument(std::string(4 << 20, 'x'));
    quoxa::SetChecksumBoxDelay(std::chrono::milliseconds(0));
    {
      TFormChecksum form;
      QCOMPARE(form.Ticked(), (std::vector<ChecksumKind>{ChecksumKind::Md5, ChecksumKind::Sha1, ChecksumKind::Sha256,
                                                         ChecksumKind::Crc32}));
      TickOnly(form, {});
      Child<QPushButton>(form, "ButtonCompute")->click();
      QCOMPARE(rec.messages.Texts(), std::vector<std::string>{quoxa::msg::kChecksumNoneTicked});
      TickOnly(form, {ChecksumKind::Sha3_256, ChecksumKind::Xxh3_64});
      rec.progress.abortAfterUpdates = 1;
      Child<QPushButton>(form, "ButtonCompute")->click();
      QCOMPARE(rec.progress.boxes.size(), size_t{1});
      QCOMPARE(form.Table()->rowCount(), 0);
      QVERIFY(!Child<QPushButton>(form, "ButtonCopyAll")->isEnabled());
      form.reject();
    }
    quoxa::SetChecksumBoxDelay(quoxa::kChecksumBoxDelay);
    QCOMPARE(quoxa::TIniFile(settings.Path()).ReadString("Checksums", "Algorithms", ""), std::string("sha3-256,xxh3"));
    TFormChecksum again;
    QCOMPARE(again.Ticked(), (std::vector<ChecksumKind>{ChecksumKind::Sha3_256, ChecksumKind::Xxh3_64}));
  }
};

QTEST_MAIN(TestFormChecksum)
#include "tst_FormChecksum.moc"
