// Printing through the PDF printer: the Print dialog's controls, settings and OK checks, the
// dump in the PDF (read back with pdftotext), the text output, and the preview window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QtTest>

#include "DialogTestKit.h"
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "Recorders.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Busy.h"
#include "core/DocState.h"
#include "print/FormPreview.h"
#include "print/FormPrint.h"
#include "print/PrintCommand.h"
#include "print/PrintTexts.h"
#include "print/PrinterList.h"
#include "print/QZReport.h"
#include "settings/IniFile.h"
#include "widgets/QZNumEdit.h"

using quoxa::Cmd;
using quoxa::TFormPreview;
using quoxa::TFormPrint;
using quoxa::TQZReport;
using quoxa::test::Child;
using quoxa::test::MainWindowFixture;

namespace {

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of every page, as pdftotext lays it out.
QStringList PdfPages(const QString& path) {
  QStringList pages = Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")})
                          .split(QLatin1Char('\f'));
  if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.pop_back();
  return pages;
}

QString Simplified(const QString& text) { return text.simplified(); }

// Letters, so that the text part of every row reads back.
std::string Letters(int n) {
  std::string s(static_cast<size_t>(n), 'A');
  for (int i = 0; i < n; ++i) s[static_cast<size_t>(i)] = static_cast<char>('A' + i % 26);
  return s;
}

QString DumpLine(const std::string& bytes, int offset, int n) {
  QString line = QStringLiteral("%1:  ").arg(offset, 9, 16, QLatin1Char('0')).toUpper();
  QString text;
  for (int i = offset; i < std::min<int>(offset + n, static_cast<int>(bytes.size())); ++i) {
    line += QStringLiteral("%1 ").arg(static_cast<uint8_t>(bytes[static_cast<size_t>(i)]), 2, 16, QLatin1Char('0')).toUpper();
    text += QLatin1Char(bytes[static_cast<size_t>(i)]);
  }
  return Simplified(line + text);
}

}  // namespace

class TestPrint : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString pdf_;

  QString PdfPath(const char* name) { return pdf_ = dir_.filePath(QString::fromLatin1(name)); }

 private slots:
  void initTestCase() {
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(), "pdftotext (poppler-utils) missing");
    quoxa::SetPrinterSource([] { return QList<quoxa::TPrinterEntry>{{QStringLiteral("PDF file"), true}}; });
    quoxa::SetPdfFileQuestion([this](QWidget*) { return pdf_; });
  }
  void cleanupTestCase() {
    quoxa::SetPrinterSource(nullptr);
    quoxa::SetPdfFileQuestion(nullptr);
  }

  void printsEveryRowWithHeaderRulerAndFooterOnEveryPage();
};

void TestPrint::printsEveryRowWithHeaderRulerAndFooterOnEveryPage() {
  MainWindowFixture f;
  const std::string bytes = Letters(16 * 150 + 5);
  f.Load(bytes);
  PdfPath("all.pdf");
  int previewPages = 0;
  quoxa::test::OnNextModal([&](QWidget* dialog) {
    Child<QRadioButton>(*dialog, "RadioButtonAll")->click();
    quoxa::test::OnNextModal(
        [&](QWidget* preview) {
          auto* form = qobject_cast<TFormPreview*>(preview);
          QVERIFY(form != nullptr);
          QCOMPARE(form->windowTitle(), QString("Preview"));
          previewPages = form->findChild<QAction*>("ButtonLast") != nullptr ? form->CurrentPage() : 0;
          form->LastClick();
          previewPages = form->CurrentPage();
          form->PrintAllClick();
          form->reject();
        },
        dialog);
    Child<QPushButton>(*dialog, "ButtonOK")->click();
  });
  f.Trigger(Cmd::Print);
  QVERIFY(previewPages >= 3);
  const QStringList pages = PdfPages(pdf_);
  QCOMPARE(pages.size(), previewPages);
  QString all;
  for (int i = 0; i < pages.size(); ++i) {
    const QString page = pages[i];
    QVERIFY2(page.contains(QStringLiteral("File: document.bin")), qPrintable(page));
    QVERIFY(page.contains(QStringLiteral("Printed ")));
    QVERIFY(Simplified(page).contains(QStringLiteral("Offset hex. 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F")));
    QVERIFY(page.contains(QStringLiteral("Printed by QUOXA - https://quoxa.example.org")));
    QVERIFY(page.contains(QStringLiteral("Page %1").arg(i + 1)));
    all += page;
  }
  const QString text = Simplified(all);
  for (int offset = 0; offset < static_cast<int>(bytes.size()); offset += 16) {
    QVERIFY2(text.contains(DumpLine(bytes, offset, 16)), qPrintable(DumpLine(bytes, offset, 16)));
  }
  QVERIFY(f.rec.messages.shown.empty());
}

QTEST_MAIN(TestPrint)
#include "tst_Print.moc"
