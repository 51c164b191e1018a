#pragma once
// TQZReport: turns text lines into printed pages on Qt PrintSupport. It keeps the page
// geometry in printer pixels, breaks pages, draws header, footer and rules on every page,
// lays out table rows, and in preview mode records each page as a QPicture that the
// preview window shows and prints later. Failures are thrown as TReportError.

#include <QDateTime>
#include <QFont>
#include <QObject>
#include <QPageLayout>
#include <QPicture>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "print/PrinterList.h"
#include "print/ReportRules.h"

class QPainter;
class QPrinter;
class QWidget;

namespace quoxa {

class TReportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TQZReport : public QObject {
  Q_OBJECT

 public:
  using Event = std::function<void(TQZReport&)>;

  // Shows "No printer installed!" when there is no printer; the report is unusable then.
  explicit TQZReport(QWidget* owner = nullptr);
  ~TQZReport() override;

  bool Usable() const { return !printers_.isEmpty(); }
  // The window the preview and the PDF file question belong to.
  void SetOwner(QWidget* owner) { owner_ = owner; }
  bool Aborted() const { return aborted_; }
  bool Printing() const { return printing_; }

  QString Header = QStringLiteral(">{Printed %DATE %TIME}");
  QString Footer = QStringLiteral("<{Program %EXENAME %EXETIME}^{Page %PAGE}");
  QStringList HeaderLines;
  QStringList TableHeaderLines;
  QStringList TableFormatLines;
  QString TableFormat;
  bool PreviewEnabled = true;
  QChar TableSeparator = QLatin1Char('|');
  TLayoutOptions Layout = kAllLayoutOptions;
  QString Title;

  Event OnBeginDoc, OnEndDoc, OnAbort, OnNewLine, OnBeforeNewPage, OnAfterNewPage;

  TMeasureUnit MeasureUnit() const { return geometry_.Unit(); }
  void SetMeasureUnit(TMeasureUnit unit) { geometry_.SetUnit(unit); }
  TLineSpacing LineSpacing() const { return spacing_; }
  void SetLineSpacing(TLineSpacing spacing);
  int LineNumber() const { return lineNumber_; }
  int PageNumber() const { return pageNumber_; }
  double PaperWidth() const { return geometry_.PaperWidth(); }
  double PaperHeight() const { return geometry_.PaperHeight(); }
  double MarginPhysX() const { return geometry_.MarginPhysX(); }
  double MarginPhysY() const { return geometry_.MarginPhysY(); }
  double Margin(MarginSide side) const { return geometry_.Margin(side); }
  void SetMargin(MarginSide side, double value) { geometry_.SetMargin(side, value); }
  const QFont& Font() const { return font_; }
  void SetFont(const QFont& font);
  int PrinterIndex() const { return printerIndex_; }
  // An index outside the list selects the default printer (-1).
  void SetPrinterIndex(int index);
  int Copies() const { return copies_; }
  void SetCopies(int copies);
  QPageLayout::Orientation Orientation() const { return orientation_; }
  void SetOrientation(QPageLayout::Orientation orientation);

  const QList<TPrinterEntry>& Printers() const { return printers_; }
  // The printer in use: the chosen one or the default.
  const TPrinterEntry& CurrentPrinter() const;
  const TReportGeometry& Geometry() const { return geometry_; }
  int LineHeight() const { return lineHeight_; }
  // Width of a text in the report font, in printer pixels.
  int TextWidth(const QString& text) const;
  // True when every one of the characters is as wide as the others in the report font.
  bool EvenWidths(const QString& characters) const;

  // A job: throws TReportError. In printer mode false when the user cancelled the PDF file name.
  bool BeginDoc();
  void EndDoc();
  void Abort();

  bool PrintLine(const QString& text);
  // A line printed as it is: no rules, no template parts (text that comes from a document).
  bool PrintPlainLine(const QString& text);
  int NewLine();
  int NewPage();
  int LinesLeft() const;
  bool Fits(int lines) const;
  // Blocks of lines lines each that fit from the current line to the page's end.
  int BlocksLeft(int lines) const;
  bool PrintTableRow(const QString& row);

  // The recorded pages.
  int PageCount() const { return static_cast<int>(pages_.size()); }
  // Forgets the recorded pages (after the preview closed).
  void DiscardPages();
  // Page n (1-based), drawn now when it is drawn on demand and not kept.
  const QPicture& Page(int n);
  // Pages drawn when they are shown or printed, after the job ended: each is begun as the
  // job began its pages (header, footer, rules, OnAfterNewPage) and then filled by draw, which
  // prints no more than fits on it. Only the last few drawn are kept.
  using PageDrawer = std::function<void(TQZReport&, int page)>;
  void SetPageSource(int count, PageDrawer draw);
  // The job's start time (for %DATE and %TIME) comes from here; tests fix it.
  static void SetClock(std::function<QDateTime()> clock);
  // Draws a recorded page at the painter's origin in printer pixels, whatever the device.
  static void DrawPage(QPainter& painter, const QPicture& page);
  // Shows the preview window for the recorded pages (modal).
  void Preview(const QString& caption, int helpContext);

  // Printing the recorded pages: open the job (false when the user cancelled the PDF file
  // name), draw pages, close it.
  bool OpenPrintJob(QWidget* parent);
  void PrintPreviewPage(int n, bool newPageAfter);
  // Ends the page of the open print job; the next drawing goes to a new one.
  void EjectPrintPage();
  void ClosePrintJob();
  bool PrintJobOpen() const { return jobPainter_ != nullptr; }
  // Where "Printing Page %d of %d" goes (the preview's second status panel).
  std::function<void(const QString&)> OnStatus;

 private:
  void ReadDevice();
  void UpdateLineHeight();
  QFont DeviceFont() const;
  void SetCanvasFont(const QFont& font);
  void ClosePage();
  void BeginRecording(QPicture& page);
  // The header, footer and rules of the page begun, then OnAfterNewPage and the table header.
  void DecoratePage();
  void DrawOnDemand(int n);
  void DrawRule(int y, int penWidth);
  void ReserveBorder();
  bool PrintText(const QString& text, TextAlign align, bool advance);
  bool PrintPlain(const QString& text, TextAlign align, bool advance, bool wrap);
  bool PrintTemplate(const QString& text, bool advance);
  void DrawText(int x, const QString& text);
  QString Expanded(const QString& text) const;
  // Bold for one part of a page when on; EndBold takes what BeginBold returned.
  bool BeginBold(bool on);
  void EndBold(bool on);
  bool StartPrinter(QWidget* parent);

  QWidget* owner_;
  QList<TPrinterEntry> printers_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> jobPainter_;   // the printer's canvas while a job is open
  std::unique_ptr<QPainter> pagePainter_;  // the canvas of the page being recorded
  std::vector<std::unique_ptr<QPicture>> pages_;
  QPicture* recording_ = nullptr;  // the page pagePainter_ draws on
  PageDrawer drawer_;
  std::deque<int> drawn_;  // pages drawn on demand and kept, the oldest first
  bool drawing_ = false;   // a page is drawn on demand
  QPainter* canvas_ = nullptr;
  TReportGeometry geometry_;
  QFont font_;
  TLineSpacing spacing_ = TLineSpacing::lsSingle;
  QPageLayout::Orientation orientation_ = QPageLayout::Portrait;
  int printerIndex_ = -1;
  int copies_ = 1;
  int lineHeight_ = 1;
  int reserved_ = 0;
  int x_ = 0;
  int y_ = 0;
  int lineNumber_ = 0;
  int pageNumber_ = 0;
  int boldDepth_ = 0;
  bool aborted_ = false;
  bool printing_ = false;
  bool inNewPage_ = false;
  QDateTime started_;
};

}  // namespace quoxa
