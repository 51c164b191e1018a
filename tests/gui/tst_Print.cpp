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
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>

#include "DialogTestKit.h"
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "Recorders.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Busy.h"
#include "core/Help.h"
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

struct WordBox {
  QString text;
  double x;
  double y;
  double width;
};

// The words of a PDF with their boxes, in reading order.
QList<WordBox> PdfWords(const QString& path) {
  const QString html = Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
  static const QRegularExpression word(
      QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
  QList<WordBox> words;
  for (auto it = word.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    words.push_back({m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(),
                     m.captured(3).toDouble() - m.captured(1).toDouble()});
  }
  return words;
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
  void landscapeTextBelowAndDecimalOffsets();
  void emptyDocumentPrintsHeaderRulerAndFooter();
  void okRefusesBytesPerRowThatDoNotFit();
  void controlsSettingsAndUnits();
  void marginsKeepTheirHundredths();
  void textOutputAsksForItsFile();
  void noPrinterInstalled();
  void previewPagesAndZoom();
  void previewPrintsOneOrAllPages();
  void previewPagesDrawnOnDemandAreThoseDrawnFirst();
  void longLinesAreWrappedOrCut();
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
          // While the preview is the active window, busy texts go to its status bar.
          QTRY_VERIFY(form->isActiveWindow());
          quoxa::BeginBusy("Busy now");
          QCOMPARE(form->StatusPanel(1)->text(), QString("Busy now"));
          QCOMPARE(f.form.PanelText(3), std::string());
          quoxa::EndBusy();
          QCOMPARE(form->StatusPanel(1)->text(), QString());
          form->PrintAllClick();
          form->reject();
        },
        dialog);
    Child<QPushButton>(*dialog, "ButtonOK")->click();
  });
  f.Trigger(Cmd::Print);
  QVERIFY(previewPages >= 3);
  // The preview opens at once: no box waits for its pages to be drawn.
  for (const auto& box : f.rec.progress.boxes)
    QVERIFY(box->setup.caption != quoxa::msg::kGeneratingPreview);
  QCOMPARE(f.rec.progress.boxes.back()->setup.caption, std::string("Printing..."));
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

// Runs the Print dialog of the main window: setup changes the controls, then OK; the preview
// prints every page to the PDF and closes.
void PrintThroughDialog(MainWindowFixture& f, const std::function<void(QWidget*)>& setup, bool byKey = false) {
  quoxa::test::OnNextModal([setup](QWidget* dialog) {
    setup(dialog);
    quoxa::test::OnNextModal(
        [](QWidget* preview) {
          qobject_cast<TFormPreview*>(preview)->PrintAllClick();
          preview->close();
        },
        dialog);
    Child<QPushButton>(*dialog, "ButtonOK")->click();
  });
  if (byKey) {
    QTest::keyClick(&f.form, Qt::Key_P, Qt::ControlModifier);
  } else {
    f.Trigger(Cmd::Print);
  }
}

void TestPrint::landscapeTextBelowAndDecimalOffsets() {
  MainWindowFixture f;
  f.Load(Letters(100) + std::string("\x01\x02", 2));
  PdfPath("below.pdf");
  PrintThroughDialog(f, [](QWidget* dialog) {
    Child<QRadioButton>(*dialog, "RadioButtonAll")->click();
    Child<QCheckBox>(*dialog, "CheckBoxLandscape")->setChecked(true);
    Child<QCheckBox>(*dialog, "CheckBoxTextBelow")->setChecked(true);
    Child<QCheckBox>(*dialog, "CheckBoxDecimal")->setChecked(true);
    Child<QComboBox>(*dialog, "ComboBoxBytesPerRow")->setCurrentText("25");
  });
  QVERIFY(Run("pdfinfo", {pdf_}).contains(QRegularExpression("Page size:\\s+842 x 595")));
  const QStringList pages = PdfPages(pdf_);
  QCOMPARE(pages.size(), 1);
  const QStringList lines = pages[0].split('\n');
  const QString ruler = Simplified("Offset dec. 00 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24");
  QVERIFY(std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return Simplified(l) == ruler; }));
  // Offsets 0, 25, 50, 75 in decimal, each row's characters in the line below, blanks for 1 and 2.
  const int at = lines.indexOf(QRegularExpression("^000000075:.*"));
  QVERIFY(at > 0);
  QCOMPARE(Simplified(lines[at]), QString("000000075: 58 59 5A 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 53 54 55 56"));
  QCOMPARE(Simplified(lines[at + 1]), QString("X Y Z A B C D E F G H I J K L M N O P Q R S T U V"));
  const int last = lines.indexOf(QRegularExpression("^000000100:.*"));
  QCOMPARE(Simplified(lines[last]), QString("000000100: 01 02"));
  QVERIFY(Simplified(lines[last + 1]).isEmpty());
  // The characters stand under the second digit of their bytes.
  const QList<WordBox> words = PdfWords(pdf_);
  const auto row = std::find_if(words.begin(), words.end(), [](const WordBox& w) { return w.text == "000000075:"; });
  QVERIFY(row != words.end());
  const auto hex = std::find_if(row, words.end(), [](const WordBox& w) { return w.text == "58"; });
  const auto below = std::find_if(row, words.end(), [&](const WordBox& w) { return w.text == "X" && w.y > row->y; });
  QVERIFY(hex != words.end() && below != words.end());
  const double digit = hex->width / 2;
  QVERIFY2(std::abs(below->x - (hex->x + digit)) < digit / 4, qPrintable(QString::number(below->x - hex->x)));
}

void TestPrint::emptyDocumentPrintsHeaderRulerAndFooter() {
  MainWindowFixture f;
  f.Load("");
  PdfPath("empty.pdf");
  QCOMPARE(f.Action(Cmd::Print)->shortcut(), QKeySequence("Ctrl+P"));
  QVERIFY(f.Action(Cmd::Print)->isEnabled());
  PrintThroughDialog(f, [](QWidget*) {}, true);
  const QStringList pages = PdfPages(pdf_);
  QCOMPARE(pages.size(), 1);
  QVERIFY(pages[0].contains("File: document.bin"));
  QVERIFY(pages[0].contains("Offset hex. 00 01"));
  QVERIFY(pages[0].contains("Printed by QUOXA - https://quoxa.example.org"));
  QVERIFY(!pages[0].contains("000000000:"));
}

void TestPrint::okRefusesBytesPerRowThatDoNotFit() {
  const quoxa::test::OwnSettingsFile settings;
  struct Case {
    const char* text;
    bool toFile;
    bool below;
    double margin;
    const char* message;
  };
  const Case cases[] = {
      {"", false, false, 15, "Bytes per row must be a number from 1 to 18."},
      {"0", false, false, 15, "Bytes per row must be a number from 1 to 18."},
      {"19", false, false, 15, quoxa::msg::kInsufficientPaper},
      {"25", false, true, 15, quoxa::msg::kInsufficientPaper},
      {"1025", false, false, 15, quoxa::msg::kInsufficientPaper},
      {"1025", true, false, 15, "Bytes per row must be a number from 1 to 1024."},
      {"", true, true, 15, "Bytes per row must be a number from 1 to 1024."},
      {"16", false, false, 99, quoxa::msg::kInsufficientPaper},
      {"", false, false, 99, quoxa::msg::kInsufficientPaper},
  };
  for (const Case& c : cases) {
    quoxa::test::RecorderScope rec;
    quoxa::test::LoadDocument(Letters(64));
    TQZReport report;
    TFormPrint form(report);
    form.SetOutputFileQuestion([] { return std::string(); });
    bool previewed = false;
    form.SetPreviewHandler([&previewed](TQZReport&) { previewed = true; });
    quoxa::test::ShowActive(form);
    Child<QCheckBox>(form, "CheckBoxToFile")->setChecked(c.toFile);
    Child<QCheckBox>(form, "CheckBoxTextBelow")->setChecked(c.below);
    for (const char* side : {"QZNumEditLeft", "QZNumEditRight"}) Child<quoxa::TQZNumEdit>(form, side)->SetValue(c.margin);
    auto* bytes = Child<QComboBox>(form, "ComboBoxBytesPerRow");
    bytes->setCurrentText(c.text);
    Child<QCheckBox>(form, "CheckBoxLandscape")->setFocus();
    form.ButtonOKClick();
    QCOMPARE(rec.messages.Texts(), std::vector<std::string>{c.message});
    QVERIFY(form.isVisible());
    QVERIFY(!previewed);
    QTRY_VERIFY(bytes->hasFocus());
  }
  // Letters never reach the box.
  quoxa::test::RecorderScope rec;
  TQZReport report;
  TFormPrint form(report);
  quoxa::test::ShowActive(form);
  auto* bytes = Child<QComboBox>(form, "ComboBoxBytesPerRow");
  bytes->setFocus();
  QTRY_VERIFY(bytes->lineEdit()->hasFocus());
  bytes->lineEdit()->clear();
  QTest::keyClicks(bytes->lineEdit(), "2x4y");
  QCOMPARE(bytes->currentText(), QString("24"));
  bytes->lineEdit()->clear();
  QTest::keyClicks(bytes->lineEdit(), "2");  // not completed to an entry of the list
  QCOMPARE(bytes->currentText(), QString("2"));
}

void TestPrint::controlsSettingsAndUnits() {
  const quoxa::test::OwnSettingsFile settings;
  quoxa::test::RecorderScope rec;
  quoxa::test::LoadDocument(Letters(64));
  {
    TQZReport report;
    TFormPrint form(report);
    QCOMPARE(form.windowTitle(), QString("Print"));
    const std::pair<const char*, const char*> captions[] = {
        {"RadioButtonPage", "&Current page"}, {"RadioButtonSelection", "Current &selection"},
        {"RadioButtonAll", "&All pages"}, {"CheckBoxLandscape", "Landscape &orientation (instead of portrait)"},
        {"CheckBoxDecimal", "Print offsets in &decimal (instead of hexadecimal)"},
        {"CheckBoxTextBelow", "Print text belo&w hex (i.e. in 2nd line)"}, {"CheckBoxToFile", "R&edirect output to file"},
        {"ButtonOK", "Preview/Print"}, {"ButtonCancel", "Cancel"}, {"ButtonHelp", "&Help"}};
    for (const auto& [name, caption] : captions) QCOMPARE(Child<QAbstractButton>(form, name)->text(), QString(caption));
    QVERIFY(Child<QPushButton>(form, "ButtonOK")->isDefault());
    QVERIFY(Child<QRadioButton>(form, "RadioButtonPage")->isChecked());
    QVERIFY(!Child<QRadioButton>(form, "RadioButtonSelection")->isEnabled());
    QCOMPARE(Child<QComboBox>(form, "ComboBoxPrinter")->currentText(), QString("PDF file"));
    QCOMPARE(Child<QComboBox>(form, "ComboBoxFontSize")->currentText(), QString("10"));
    QCOMPARE(Child<QComboBox>(form, "ComboBoxBytesPerRow")->count(), 7);
    int topic = 0;
    quoxa::InstallHelp([&topic](int t) { topic = t; });
    Child<QPushButton>(form, "ButtonHelp")->click();
    quoxa::InstallHelp(nullptr);
    QCOMPARE(topic, 64);
    auto* left = Child<quoxa::TQZNumEdit>(form, "QZNumEditLeft");
    QCOMPARE(left->text(), QString("15.00"));
    Child<QComboBox>(form, "ComboBoxUnit")->setCurrentIndex(1);
    QCOMPARE(left->text(), QString("0.59"));
    Child<QComboBox>(form, "ComboBoxUnit")->setCurrentIndex(0);
    QCOMPARE(left->text(), QString("14.99"));
    Child<QPushButton>(form, "ButtonCancel")->click();
  }
  quoxa::TIniFile ini(settings.Path());
  QVERIFY(ini.ReadSection("Printing").empty());
  quoxa::Doc().BlockBegin = 20;
  quoxa::Doc().BlockEnd = 40;
  TQZReport report;
  TFormPrint form(report);
  QVERIFY(Child<QRadioButton>(form, "RadioButtonSelection")->isEnabled());
  QVERIFY(Child<QRadioButton>(form, "RadioButtonSelection")->isChecked());
  QCOMPARE(form.Scope(), quoxa::DumpScope::Selection);
}

void TestPrint::marginsKeepTheirHundredths() {
  const quoxa::test::OwnSettingsFile settings;
  quoxa::test::RecorderScope rec;
  quoxa::test::LoadDocument(Letters(64));
  TQZReport report;
  TFormPrint form(report);
  quoxa::test::ShowActive(form);
  const std::pair<const char*, const char*> typed[] = {{"QZNumEditLeft", "99.99"},
                                                       {"QZNumEditRight", "1.23"},
                                                       {"QZNumEditTop", "99.97"},
                                                       {"QZNumEditBottom", "99.99"}};
  for (const auto& [name, text] : typed) {
    auto* edit = Child<quoxa::TQZNumEdit>(form, name);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);  // leaving the box passes every margin to the engine
    QTRY_VERIFY(!edit->hasFocus());
  }
  for (const auto& [name, text] : typed) {
    QCOMPARE(Child<quoxa::TQZNumEdit>(form, name)->text(), QString(text));
  }
  Child<QCheckBox>(form, "CheckBoxToFile")->setChecked(true);
  const std::string path = dir_.filePath("margins.txt").toStdString();
  form.SetOutputFileQuestion([&] { return path; });
  form.ButtonOKClick();
  QCOMPARE(form.result(), int(QDialog::Accepted));
  quoxa::TIniFile ini(settings.Path());
  const std::map<std::string, std::string> stored = {{"MarginLeft", "9999"},
                                                     {"MarginRight", "123"},
                                                     {"MarginTop", "9997"},
                                                     {"MarginBottom", "9999"}};
  for (const auto& [key, value] : stored) QCOMPARE(ini.ReadString("Printing", key, ""), value);
  QVERIFY(rec.messages.shown.empty());
}

void TestPrint::textOutputAsksForItsFile() {
  const quoxa::test::OwnSettingsFile settings;
  quoxa::test::RecorderScope rec;
  quoxa::test::LoadDocument(Letters(400), 16, 10);
  const std::string path = dir_.filePath("dump.txt").toStdString();
  TQZReport report;
  TFormPrint form(report);
  quoxa::test::ShowActive(form);
  Child<QCheckBox>(form, "CheckBoxToFile")->setChecked(true);
  form.SetOutputFileQuestion([] { return std::string(); });
  form.ButtonOKClick();  // the file dialog cancelled: the dialog stays
  QVERIFY(form.isVisible());
  QVERIFY(!QFile::exists(QString::fromStdString(path)));
  form.SetOutputFileQuestion([&] { return path; });
  form.ButtonOKClick();
  QCOMPARE(form.result(), int(QDialog::Accepted));
  QFile file(QString::fromStdString(path));
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
  QCOMPARE(lines.size(), 4 + 10 + 1);  // header, the ten rows the editor shows, the last line end
  QCOMPARE(lines[1], QString("Output by QUOXA - https://quoxa.example.org"));
  QCOMPARE(lines[13].left(10), QString("000000090:"));
  quoxa::TIniFile ini(settings.Path());
  QCOMPARE(ini.ReadString("Printing", "OutputToFile", ""), std::string("1"));
  QCOMPARE(ini.ReadString("Printing", "MarginLeft", ""), std::string("1500"));
  QVERIFY(rec.messages.shown.empty());
}

void TestPrint::noPrinterInstalled() {
  quoxa::test::RecorderScope rec;
  quoxa::SetPrinterSource([] { return QList<quoxa::TPrinterEntry>{}; });
  bool dialog = false;
  quoxa::test::OnNextModal([&](QWidget* w) {
    dialog = true;
    w->close();
  });
  quoxa::RunPrintCommand(nullptr);
  QCOMPARE(rec.messages.Texts(), std::vector<std::string>{"No printer installed!"});
  QTest::qWait(20);
  QVERIFY(!dialog);
  initTestCase();
}

// A report of the given number of full pages of numbered lines.
std::unique_ptr<TQZReport> PagesOfLines(int count) {
  auto report = std::make_unique<TQZReport>();
  report->Title = "lines";
  report->BeginDoc();
  for (int i = 1; report->PageNumber() < count || report->Fits(1); ++i) {
    report->PrintLine(QStringLiteral("Line %1 on page %2").arg(i).arg(report->PageNumber()));
  }
  report->EndDoc();
  return report;
}

void TestPrint::previewPagesAndZoom() {
  quoxa::test::RecorderScope rec;
  const quoxa::test::OwnSettingsFile settings;
  auto one = PagesOfLines(1);
  {
    TFormPreview preview(*one, "Preview", 65);
    quoxa::test::ShowActive(preview);
    for (const char* name : {"ButtonFirst", "ButtonPrevious", "ButtonNext", "ButtonLast"}) {
      QVERIFY2(!Child<QAction>(preview, name)->isEnabled(), name);
    }
    QVERIFY(Child<QAction>(preview, "ButtonHelp")->isVisible());
    QCOMPARE(preview.StatusPanel(0)->text(), QString("Page 1 of 1"));
  }
  auto five = PagesOfLines(5);
  TFormPreview preview(*five, "Preview", 0);
  quoxa::test::ShowActive(preview);
  QVERIFY(preview.isMaximized());
  QVERIFY(!Child<QAction>(preview, "ButtonHelp")->isVisible());
  QVERIFY(!Child<QAction>(preview, "ButtonPrevious")->isEnabled());
  Child<QAction>(preview, "ButtonNext")->trigger();
  QCOMPARE(preview.StatusPanel(0)->text(), QString("Page 2 of 5"));
  Child<QAction>(preview, "ButtonLast")->trigger();
  QVERIFY(!Child<QAction>(preview, "ButtonNext")->isEnabled());
  QVERIFY(Child<QAction>(preview, "ButtonFirst")->isEnabled());
  Child<QAction>(preview, "ButtonFirst")->trigger();
  QCOMPARE(preview.CurrentPage(), 1);
  // The whole page fits: no vertical scroll bar, Page Down stays.
  const double fit = preview.Zoom();
  QVERIFY(preview.PaintBox()->height() <= preview.ScrollBox()->viewport()->height());
  QTest::keyClick(&preview, Qt::Key_PageDown);
  QCOMPARE(preview.CurrentPage(), 1);
  Child<QAction>(preview, "ButtonZoom")->trigger();
  QCOMPARE(preview.Mode(), int(TFormPreview::kZoomWide));
  QVERIFY(preview.Zoom() >= fit);
  Child<QAction>(preview, "ButtonZoom")->trigger();
  QCOMPARE(preview.Zoom(), fit);
  // Left clicks enlarge until 1.5 is reached, right clicks shrink until 0.03.
  std::vector<double> zooms;
  for (int i = 0; i < 20; ++i) {
    preview.PageClick(Qt::LeftButton, QPoint(10, 10));
    zooms.push_back(preview.Zoom());
  }
  QCOMPARE(preview.Mode(), int(TFormPreview::kZoomFree));
  QVERIFY(zooms.back() >= 1.5 && zooms.back() < 1.5 * 1.5);
  QCOMPARE(zooms[18], zooms[19]);
  QTRY_VERIFY(preview.ScrollBox()->verticalScrollBar()->isVisible());
  QTest::keyClick(&preview, Qt::Key_PageDown);
  QCOMPARE(preview.CurrentPage(), 2);
  const int scrolled = preview.ScrollBox()->verticalScrollBar()->value();
  QTest::keyClick(&preview, Qt::Key_Down);
  QCOMPARE(preview.ScrollBox()->verticalScrollBar()->value(),
           scrolled + preview.ScrollBox()->verticalScrollBar()->singleStep());
  for (int i = 0; i < 40; ++i) preview.PageClick(Qt::RightButton, QPoint(1, 1));
  QVERIFY(preview.Zoom() <= 0.03 && preview.Zoom() > 0.03 * 2 / 3);
  QTest::keyClick(&preview, Qt::Key_Escape);
  QVERIFY(!preview.isVisible());
  quoxa::TIniFile ini(settings.Path());
  QCOMPARE(ini.ReadString("TFormPreview", "WindowState", ""), std::string("2"));
}

void TestPrint::previewPrintsOneOrAllPages() {
  quoxa::test::RecorderScope rec;
  auto five = PagesOfLines(5);
  TFormPreview preview(*five, "Preview", 65);
  preview.show();
  preview.ShowPage(3);
  PdfPath("one.pdf");
  preview.PrintOneClick();
  QStringList pages = PdfPages(pdf_);
  QCOMPARE(pages.size(), 1);
  QVERIFY(pages[0].contains("Page 3"));
  QVERIFY(!pages[0].contains("Page 2"));
  QCOMPARE(preview.StatusPanel(1)->text(), QString());
  // Cancel after the second page: the job keeps two pages. A cancelled file name prints nothing.
  rec.progress.abortAfterUpdates = 3;
  PdfPath("two.pdf");
  preview.PrintAllClick();
  QVERIFY(Run("pdfinfo", {pdf_}).contains(QRegularExpression("Pages:\\s+2\\n")));
  QCOMPARE(rec.progress.boxes.back()->setup.caption, std::string("Printing..."));
  QCOMPARE(rec.progress.boxes.back()->texts, (std::vector<std::string>{"Page: 1", "Page: 2", "Page: 3"}));
  // A cancelled file name prints nothing.
  pdf_.clear();
  preview.PrintAllClick();
  QCOMPARE(rec.messages.Texts(), std::vector<std::string>{});
  // A file that cannot be written: the job does not begin.
  pdf_ = dir_.path();
  preview.PrintOneClick();
  QCOMPARE(rec.messages.Texts(), std::vector<std::string>{"Unable to begin printing."});
}

void TestPrint::previewPagesDrawnOnDemandAreThoseDrawnFirst() {
  const quoxa::test::OwnSettingsFile settings;
  TQZReport::SetClock([] { return QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)); });
  struct Case {
    const char* bytesPerRow;
    bool below;
    bool decimal;
    bool landscape;
  };
  // Ten pages and more: pages drawn on demand are dropped and drawn again.
  for (const Case& c : {Case{"16", false, false, false}, Case{"25", true, true, true}}) {
    std::vector<QByteArray> pages[2];
    for (const bool onDemand : {false, true}) {
      quoxa::test::RecorderScope rec;
      quoxa::test::LoadDocument(Letters(16 * 61 * 10 + 100));
      TQZReport report;
      TFormPrint form(report);
      form.SetPagesOnDemand(onDemand);
      Child<QRadioButton>(form, "RadioButtonAll")->click();
      Child<QComboBox>(form, "ComboBoxBytesPerRow")->setCurrentText(c.bytesPerRow);
      Child<QCheckBox>(form, "CheckBoxTextBelow")->setChecked(c.below);
      Child<QCheckBox>(form, "CheckBoxDecimal")->setChecked(c.decimal);
      Child<QCheckBox>(form, "CheckBoxLandscape")->setChecked(c.landscape);
      std::vector<QByteArray>& recorded = pages[onDemand ? 1 : 0];
      form.SetPreviewHandler([&recorded](TQZReport& r) {
        for (const int n : {1, r.PageCount(), 2}) r.Page(n);
        for (int n = 1; n <= r.PageCount(); ++n)
          recorded.emplace_back(r.Page(n).data(), r.Page(n).size());
        recorded.emplace_back(r.Page(1).data(), r.Page(1).size());
      });
      form.ButtonOKClick();
      QVERIFY(rec.messages.shown.empty());
      // Drawing every page first is what the progress box waits for.
      QCOMPARE(rec.progress.boxes.size(), onDemand ? size_t{0} : size_t{1});
    }
    QVERIFY(pages[0].size() > 10);
    QCOMPARE(pages[1].size(), pages[0].size());
    for (size_t i = 0; i < pages[0].size(); ++i)
      QVERIFY2(pages[1][i] == pages[0][i], qPrintable(QString::number(i)));
  }
  TQZReport::SetClock(nullptr);
  // A font whose characters differ in width: the pages are drawn first, row after row.
  TQZReport report;
  report.SetFont(QFont(QStringLiteral("DejaVu Sans"), 10));
  QVERIFY(!report.EvenWidths(QStringLiteral("iW.")));
  report.SetFont(QFont(QStringLiteral("Courier New"), 10));
  QVERIFY(report.EvenWidths(QStringLiteral("iW.")));
}

void TestPrint::longLinesAreWrappedOrCut() {
  quoxa::test::RecorderScope rec;
  TQZReport report;
  report.Header = report.Footer = QString();
  std::map<std::string, int> events;
  const auto count = [&](const char* name) { return [&events, name](TQZReport&) { ++events[name]; }; };
  report.OnBeginDoc = count("begin");
  report.OnEndDoc = count("end");
  report.OnNewLine = count("line");
  report.OnBeforeNewPage = count("before page");
  report.OnAfterNewPage = count("after page");
  report.BeginDoc();
  QString words;
  for (int i = 0; i < 30; ++i) words += QStringLiteral("word%1, ").arg(i, 2, 10, QLatin1Char('0'));
  const int before = report.LineNumber();
  QVERIFY(!report.PrintLine(words));
  QCOMPARE(report.LineNumber() - before, 3);  // 270 characters, at most 85 a line
  report.Layout &= ~quoxa::loWordWrap;
  QVERIFY(!report.PrintLine(words));
  QVERIFY(report.PrintLine("short"));
  QCOMPARE(report.LineNumber() - before, 5);
  // Table rows: missing cells stay empty, extra ones are ignored, a cell too wide is cut.
  report.TableFormat = ">20|<30";
  QVERIFY(report.PrintTableRow("right|left|ignored"));
  QVERIFY(!report.PrintTableRow("abcdefghijklmnopqrstuvwxyz"));
  report.EndDoc();
  const std::map<std::string, int> expected = {
      {"after page", 1}, {"before page", 1}, {"begin", 1}, {"end", 1}, {"line", 7}};
  QCOMPARE(events, expected);
  PdfPath("wrap.pdf");
  QVERIFY(report.OpenPrintJob(nullptr));
  report.PrintPreviewPage(1, false);
  report.ClosePrintJob();
  const QStringList lines = PdfPages(pdf_).value(0).split('\n', Qt::SkipEmptyParts);
  QCOMPARE(lines.size(), 7);
  QCOMPARE(lines[0].trimmed().left(7), QString("word00,"));
  QVERIFY(lines[0].trimmed().endsWith(','));  // broken after the comma, the blank trimmed
  QVERIFY(lines[1].trimmed().startsWith("word"));
  QCOMPARE(lines[3].trimmed().size(), 85);    // cut to the width
  QCOMPARE(lines[4].trimmed(), QString("short"));
  QCOMPARE(Simplified(lines[5]), QString("rightleft"));  // the right cell ends where the next begins
  QVERIFY(lines[5].indexOf("right") > 0);  // aligned right in its column of 20 mm
  QCOMPARE(lines[6].trimmed(), QString("abcdefghi"));  // cut to its column
}

QTEST_MAIN(TestPrint)
#include "tst_Print.moc"
