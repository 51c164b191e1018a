// A system whose crypto library refuses a digest (a FIPS policy without its provider, here):
// Compute says which algorithm is missing and shows no values. Its own process, because the
// library reads its configuration once.
#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <cstdlib>
#include <fstream>

#include "DialogTestKit.h"
#include "Recorders.h"
#include "TempDir.h"
#include "TestDocument.h"
#include "core/Messages.h"
#include "tools/FormChecksum.h"

using quoxa::ChecksumKind;
using quoxa::test::Child;

class TestChecksumRefused : public QObject {
  Q_OBJECT

 private slots:
  void namesTheRefusedAlgorithm() {
    quoxa::test::TempDir dir;
    std::ofstream(dir / "fips.cnf") << "openssl_conf = init\n[init]\nalg_section = evp\n"
                                       "[evp]\ndefault_properties = fips=yes\n";
    ::setenv("OPENSSL_CONF", (dir / "fips.cnf").c_str(), 1);
    quoxa::test::OwnSettingsFile settings;
    quoxa::test::RecorderScope rec;
    quoxa::test::LoadDocument("abc");
    quoxa::TFormChecksum form;
    for (const quoxa::ChecksumInfo& info : quoxa::ChecksumAlgorithms()) {
      const bool ticked = info.kind == ChecksumKind::Crc32 || info.kind == ChecksumKind::Sha256;
      form.Box(info.kind)->setChecked(ticked);
    }
    Child<QPushButton>(form, "ButtonCompute")->click();
    QCOMPARE(rec.messages.shown.size(), size_t{1});
    QCOMPARE(rec.messages.shown[0].type, quoxa::MsgType::Error);
    QCOMPARE(rec.messages.shown[0].text,
             std::string("SHA-256 is not available: the system's crypto library refuses it."));
    QCOMPARE(form.Table()->rowCount(), 0);
    QVERIFY(!Child<QPushButton>(form, "ButtonCopy")->isEnabled());
  }
};

QTEST_MAIN(TestChecksumRefused)
#include "tst_ChecksumRefused.moc"
