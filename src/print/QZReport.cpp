#include "print/QZReport.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "core/Messages.h"
#include "core/TextFormat.h"
#include "print/FormPreview.h"
#include "print/PrintTexts.h"

namespace quoxa {

namespace {

// The PDF printer's pixel density, that of a common laser printer.
constexpr int kPdfResolution = 600;
constexpr double kPointsPerInch = 72.0;
// Pages drawn on demand that stay drawn: the one shown, its neighbours, the one printed.
constexpr size_t kPagesKept = 8;

std::function<QDateTime()>& Clock() {
  static std::function<QDateTime()> clock;
  return clock;
}

// The platform's long time format without the time zone Qt adds to it.
QString LongTimeText(const QTime& time) {
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove(QRegularExpression(QStringLiteral("\\s*t+")));
  return QLocale::system().toString(time, format.trimmed());
}

QString ShortDateText(const QDate& date) { return QLocale::system().toString(date, QLocale::ShortFormat); }

// A text as one character per code unit, for the break rules of word wrap.
std::string BreakKey(const QString& text) {
  std::string key(static_cast<size_t>(text.size()), 'x');
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < 0x80) key[static_cast<size_t>(i)] = static_cast<char>(c);
  }
  return key;
}

// Keeps the flag set for the scope of a page start: a page that cannot take its own lines
// must not start another one.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = old_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool old_;
};

}  // namespace

TQZReport::TQZReport(QWidget* owner) : owner_(owner), printers_(AvailablePrinters()) {
  if (printers_.isEmpty()) {
    ShowError(msg::kNoPrinter);
    return;
  }
  font_ = QFont(QStringLiteral("Courier New"), 10);
  font_.setStyleHint(QFont::TypeWriter);
  font_.setFixedPitch(true);
  SetPrinterIndex(-1);
}

TQZReport::~TQZReport() {
  pagePainter_.reset();
  jobPainter_.reset();
}

// ---- printer and geometry

const TPrinterEntry& TQZReport::CurrentPrinter() const {
  const int index = printerIndex_ >= 0 ? printerIndex_ : DefaultPrinterIndex(printers_);
  return printers_[index];
}

void TQZReport::SetPrinterIndex(int index) {
  if (!Usable()) return;
  printerIndex_ = index >= 0 && index < printers_.size() ? index : -1;
  const TPrinterEntry& entry = CurrentPrinter();
  if (entry.pdf) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setResolution(kPdfResolution);
  } else {
    printer_ = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(entry.name), QPrinter::HighResolution);
  }
  printer_->setFullPage(false);
  printer_->setPageOrientation(orientation_);
  printer_->setCopyCount(copies_);
  ReadDevice();
  geometry_.ReapplyMargins();
}

void TQZReport::ReadDevice() {
  // The printable area is the page inside the printer's smallest margins.
  QPageLayout layout = printer_->pageLayout();
  printer_->setPageMargins(layout.minimumMargins(), layout.units());
  layout = printer_->pageLayout();
  const int res = printer_->resolution();
  const QRect full = layout.fullRectPixels(res);
  const QRect paint = layout.paintRectPixels(res);
  PrinterMetrics m;
  m.ppiX = res;
  m.ppiY = res;
  m.physWidth = full.width();
  m.physHeight = full.height();
  m.offsetX = paint.left() - full.left();
  m.offsetY = paint.top() - full.top();
  m.horzRes = paint.width();
  m.vertRes = paint.height();
  geometry_.SetMetrics(m);
  UpdateLineHeight();
}

void TQZReport::SetCopies(int copies) {
  copies_ = copies < 1 ? 1 : copies;
  if (printer_) printer_->setCopyCount(copies_);
}

void TQZReport::SetOrientation(QPageLayout::Orientation orientation) {
  orientation_ = orientation;
  if (!Usable()) return;
  double kept[4];
  const MarginSide sides[] = {MarginSide::Left, MarginSide::Right, MarginSide::Top, MarginSide::Bottom};
  for (int i = 0; i < 4; ++i) kept[i] = geometry_.Margin(sides[i]);
  printer_->setPageOrientation(orientation);
  ReadDevice();
  for (int i = 0; i < 4; ++i) geometry_.SetMargin(sides[i], kept[i]);
}

QFont TQZReport::DeviceFont() const {
  // A pixel size in printer pixels keeps the text its size on every canvas: the printer, a
  // recorded page and the scaled preview.
  QFont font(font_);
  if (font_.pointSizeF() > 0) {
    const double pixels = font_.pointSizeF() * geometry_.Metrics().ppiY / kPointsPerInch;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  }
  font.setBold(font_.bold() || boldDepth_ > 0);
  return font;
}

void TQZReport::SetFont(const QFont& font) {
  font_ = font;
  SetCanvasFont(DeviceFont());
  UpdateLineHeight();
}

void TQZReport::SetLineSpacing(TLineSpacing spacing) {
  spacing_ = spacing;
  UpdateLineHeight();
}

void TQZReport::UpdateLineHeight() {
  if (!printer_) return;
  QFont font(font_);
  font.setPixelSize(DeviceFont().pixelSize());
  const QFontMetrics metrics(font, printer_.get());
  geometry_.SetLetter(metrics.horizontalAdvance(QLatin1Char('X')), metrics.height());
  lineHeight_ = std::max(1, LineHeightFor(metrics.height(), spacing_));
}

int TQZReport::TextWidth(const QString& text) const {
  return QFontMetrics(DeviceFont(), printer_.get()).horizontalAdvance(text);
}

bool TQZReport::EvenWidths(const QString& characters) const {
  // Unrounded advances: a character drawn from a fallback font shows here.
  const QFontMetricsF metrics(DeviceFont(), printer_.get());
  const qreal width = metrics.horizontalAdvance(QLatin1Char('X'));
  return std::all_of(characters.begin(), characters.end(),
                     [&](QChar c) { return metrics.horizontalAdvance(c) == width; });
}

void TQZReport::SetClock(std::function<QDateTime()> clock) { Clock() = std::move(clock); }

void TQZReport::SetCanvasFont(const QFont& font) {
  if (canvas_ != nullptr && canvas_->isActive()) canvas_->setFont(font);
}

// ---- the job

bool TQZReport::BeginDoc() {
  if (!Usable()) throw TReportError(msg::kBeginFailed);
  ReadDevice();
  if (geometry_.PrintableWidth() <= 0) throw TReportError(msg::kPaperWidth);
  if (geometry_.PrintableHeight(0) <= 0) throw TReportError(msg::kPaperHeight);
  DiscardPages();
  canvas_ = nullptr;
  pageNumber_ = 0;
  started_ = Clock() ? Clock()() : QDateTime::currentDateTime();
  if (OnBeginDoc) OnBeginDoc(*this);
  if (!PreviewEnabled) {
    if (!StartPrinter(owner_)) {
      aborted_ = true;
      return false;
    }
    canvas_ = jobPainter_.get();
  }
  printing_ = true;
  aborted_ = false;
  NewPage();
  return true;
}

void TQZReport::EndDoc() {
  ClosePage();
  bool ok = true;
  if (!PreviewEnabled && jobPainter_) {
    ok = jobPainter_->end();
    jobPainter_.reset();
  }
  if (OnEndDoc) OnEndDoc(*this);
  canvas_ = nullptr;
  printing_ = false;
  aborted_ = false;
  if (!ok) throw TReportError(msg::kEndFailed);
}

void TQZReport::Abort() {
  DiscardPages();
  bool ok = true;
  if (!PreviewEnabled && jobPainter_) {
    if (CurrentPrinter().pdf) {
      jobPainter_->end();
      QFile::remove(printer_->outputFileName());
    } else {
      ok = printer_->abort();
      jobPainter_->end();
    }
    jobPainter_.reset();
  }
  canvas_ = nullptr;
  if (OnAbort) OnAbort(*this);
  aborted_ = true;
  printing_ = false;
  if (!ok) throw TReportError(msg::kAbortFailed);
}

bool TQZReport::StartPrinter(QWidget* parent) {
  if (CurrentPrinter().pdf) {
    const QString path = AskPdfFileName(parent);
    if (path.isEmpty()) return false;
    printer_->setOutputFileName(path);
  }
  printer_->setDocName(Title);
  printer_->setCopyCount(copies_);
  jobPainter_ = std::make_unique<QPainter>();
  if (!jobPainter_->begin(printer_.get())) {
    jobPainter_.reset();
    throw TReportError(msg::kBeginFailed);
  }
  jobPainter_->setFont(DeviceFont());
  jobPainter_->setBrush(Qt::NoBrush);
  return true;
}

void TQZReport::ClosePage() {
  if (!pagePainter_) return;
  pagePainter_->end();
  pagePainter_.reset();
  const PrinterMetrics& m = geometry_.Metrics();
  recording_->setBoundingRect(QRect(-m.offsetX, -m.offsetY, m.physWidth, m.physHeight));
  recording_ = nullptr;
  if (canvas_ != jobPainter_.get()) canvas_ = nullptr;
}

void TQZReport::BeginRecording(QPicture& page) {
  recording_ = &page;
  pagePainter_ = std::make_unique<QPainter>();
  if (!pagePainter_->begin(&page)) throw TReportError(msg::kNewPageFailed);
  canvas_ = pagePainter_.get();
  canvas_->setFont(DeviceFont());
  canvas_->setBrush(Qt::NoBrush);
}

int TQZReport::NewPage() {
  // A page drawn on demand holds what fits on it.
  if (drawing_) return pageNumber_;
  if (OnBeforeNewPage) OnBeforeNewPage(*this);
  if (PreviewEnabled) {
    ClosePage();
    pages_.push_back(std::make_unique<QPicture>());
    BeginRecording(*pages_.back());
  } else if (pageNumber_ > 0 && !printer_->newPage()) {
    throw TReportError(msg::kNewPageFailed);
  }
  ++pageNumber_;
  DecoratePage();
  return pageNumber_;
}

void TQZReport::DecoratePage() {
  reserved_ = 0;
  const FlagScope starting(inNewPage_);
  const int left = geometry_.MarginPixels(MarginSide::Left);
  const int bottom = geometry_.Metrics().vertRes - geometry_.MarginPixels(MarginSide::Bottom);
  const int rulePen = RulePenWidth(geometry_.Metrics().ppiY, false);
  if ((Layout & loBorderBottom) != 0) {
    y_ = bottom;
    if (!Footer.isEmpty()) y_ -= static_cast<int>(std::lround(1.5 * lineHeight_));
    DrawRule(y_, rulePen);
    reserved_ += lineHeight_;
  }
  if (!Footer.isEmpty()) {
    x_ = left;
    y_ = bottom - lineHeight_;
    const bool bold = BeginBold((Layout & loFooterBold) != 0);
    PrintText(Expanded(Footer), TextAlign::Left, false);
    EndBold(bold);
    reserved_ += lineHeight_;
  }
  x_ = left;
  y_ = geometry_.MarginPixels(MarginSide::Top);
  if (!Header.isEmpty()) {
    const bool bold = BeginBold((Layout & loHeaderBold) != 0);
    PrintText(Expanded(Header), TextAlign::Left, true);
    EndBold(bold);
  }
  if ((Layout & loBorderTop) != 0) {
    if (!Header.isEmpty()) y_ += lineHeight_ / 2;
    DrawRule(y_, rulePen);
    y_ += lineHeight_;
  }
  lineNumber_ = 0;
  if (OnAfterNewPage) OnAfterNewPage(*this);
  for (const QString& line : TableHeaderLines) {
    const bool bold = BeginBold((Layout & loTableHeaderLinesBold) != 0);
    PrintTableRow(line);
    EndBold(bold);
  }
}

int TQZReport::NewLine() {
  if (OnNewLine) OnNewLine(*this);
  y_ += lineHeight_;
  x_ = geometry_.MarginPixels(MarginSide::Left);
  return ++lineNumber_;
}

int TQZReport::LinesLeft() const {
  const int room = geometry_.PrintableHeight(reserved_) + geometry_.MarginPixels(MarginSide::Top) - y_;
  return room / lineHeight_;
}

bool TQZReport::Fits(int lines) const {
  return lines * lineHeight_ + y_ < geometry_.PrintableHeight(reserved_) + geometry_.MarginPixels(MarginSide::Top);
}

int TQZReport::BlocksLeft(int lines) const {
  // The rule of Fits, block after block.
  const int64_t block = int64_t{lines} * lineHeight_;
  const int64_t room =
      int64_t{geometry_.PrintableHeight(reserved_)} + geometry_.MarginPixels(MarginSide::Top) - y_;
  if (block <= 0 || room <= block) return 0;
  return static_cast<int>((room - 1) / block);
}

// ---- lines

bool TQZReport::PrintLine(const QString& text) { return PrintText(text, TextAlign::Left, true); }

bool TQZReport::PrintPlainLine(const QString& text) { return PrintPlain(text, TextAlign::Left, true, true); }

bool TQZReport::PrintText(const QString& text, TextAlign align, bool advance) {
  if (text == QStringLiteral("$--") || text == QStringLiteral("$==")) {
    if (advance && !Fits(1) && !inNewPage_) NewPage();
    DrawRule(y_, RulePenWidth(geometry_.Metrics().ppiY, text == QStringLiteral("$==")));
    if (advance) NewLine();
    return true;
  }
  if (ParseTemplate(text.toStdString()).HasParts()) return PrintTemplate(text, advance);
  return PrintPlain(text, align, advance, true);
}

bool TQZReport::PrintTemplate(const QString& text, bool advance) {
  const ReportTemplate parts = ParseTemplate(text.toStdString());
  if (advance && !Fits(1) && !inNewPage_) NewPage();
  bool fitted = true;
  const std::pair<const std::string*, TextAlign> order[] = {
      {&parts.left, TextAlign::Left}, {&parts.centre, TextAlign::Centre}, {&parts.right, TextAlign::Right}};
  for (const auto& [part, align] : order) {
    if (!part->empty() && !PrintPlain(QString::fromStdString(*part), align, false, false)) fitted = false;
  }
  if (advance) NewLine();
  return fitted;
}

bool TQZReport::PrintPlain(const QString& text, TextAlign align, bool advance, bool wrap) {
  const int width = geometry_.PrintableWidth();
  QString shown = text;
  bool fitted = true;
  if (TextWidth(shown) > width) {
    fitted = false;
    const std::string key = BreakKey(shown);
    const auto fits = [&](size_t n) { return TextWidth(shown.left(static_cast<qsizetype>(n))) <= width; };
    // A footer stays on its line: only advancing lines are wrapped.
    if (wrap && advance && (Layout & loWordWrap) != 0) {
      std::string rest = key;
      while (!shown.isEmpty()) {
        const auto n = static_cast<qsizetype>(WrapPieceLength(rest, fits));
        PrintPlain(shown.left(n).trimmed(), align, true, false);
        shown.remove(0, n);
        rest.erase(0, static_cast<size_t>(n));
      }
      return false;
    }
    shown.truncate(static_cast<qsizetype>(CutLength(key, fits)));
  }
  const int left = geometry_.MarginPixels(MarginSide::Left);
  const int w = TextWidth(shown);
  const int x = align == TextAlign::Left ? left : align == TextAlign::Right ? left + width - w : left + (width - w) / 2;
  if (advance && !Fits(1) && !inNewPage_) NewPage();
  DrawText(x, shown);
  if (advance) NewLine();
  return fitted;
}

bool TQZReport::PrintTableRow(const QString& row) {
  const std::vector<std::string> formats = SplitAt(TableFormat.toStdString(), static_cast<char>(TableSeparator.toLatin1()));
  const QStringList cells = row.split(TableSeparator);
  const int left = geometry_.MarginPixels(MarginSide::Left);
  int x0 = left;
  if (!Fits(1) && !inNewPage_) NewPage();
  bool fitted = true;
  for (size_t i = 0; i < formats.size(); ++i) {
    const ColumnFormat format = ParseColumnFormat(formats[i]);
    const int width = geometry_.ToPixelsX(format.width);
    QString cell = static_cast<qsizetype>(i) < cells.size() ? cells[static_cast<qsizetype>(i)] : QString();
    if (cell.contains(QStringLiteral("{$"))) cell = Expanded(cell);
    while (!cell.isEmpty() && TextWidth(cell) > width) {
      cell.chop(1);
      fitted = false;
    }
    const int w = TextWidth(cell);
    int x = x0;
    if (format.align == TextAlign::Right) {
      x = x0 + width - w;
    } else if (format.align == TextAlign::Centre) {
      x = x0 + (width - w) / 2;
      if (MeasureUnit() == TMeasureUnit::puChar) {
        const int letter = geometry_.LetterWidth();
        x = left + (x - left) / letter * letter;
      }
    }
    DrawText(x, cell);
    x0 += width;
  }
  NewLine();
  return fitted;
}

void TQZReport::DrawText(int x, const QString& text) {
  if (canvas_ == nullptr || !canvas_->isActive()) throw TReportError(msg::kNewLineFailed);
  const QFont font = DeviceFont();
  canvas_->setFont(font);
  canvas_->drawText(QPoint(x, y_ + QFontMetrics(font, printer_.get()).ascent()), text);
}

void TQZReport::DrawRule(int y, int penWidth) {
  if (canvas_ == nullptr || !canvas_->isActive()) throw TReportError(msg::kNewLineFailed);
  const int left = geometry_.MarginPixels(MarginSide::Left);
  canvas_->save();
  canvas_->setPen(QPen(Qt::black, penWidth));
  canvas_->drawLine(left, y, left + geometry_.PrintableWidth(), y);
  canvas_->restore();
}

bool TQZReport::BeginBold(bool on) {
  if (on) ++boldDepth_;
  return on;
}

void TQZReport::EndBold(bool on) {
  if (on && boldDepth_ > 0) --boldDepth_;
}

QString TQZReport::Expanded(const QString& text) const {
  MacroValues values;
  values.line = lineNumber_;
  values.page = pageNumber_;
  values.date = ShortDateText(started_.date()).toStdString();
  values.time = LongTimeText(started_.time()).toStdString();
  const QFileInfo exe(QCoreApplication::applicationFilePath());
  values.exeName = exe.fileName().toStdString();
  values.exeDate = ShortDateText(exe.lastModified().date()).toStdString();
  values.exeTime = LongTimeText(exe.lastModified().time()).toStdString();
  return QString::fromStdString(ExpandMacros(text.toStdString(), values));
}

// ---- preview pages

void TQZReport::DiscardPages() {
  ClosePage();
  pages_.clear();
  drawer_ = nullptr;
  drawn_.clear();
}

void TQZReport::SetPageSource(int count, PageDrawer draw) {
  DiscardPages();
  pages_.resize(static_cast<size_t>(std::max(count, 0)));
  drawer_ = std::move(draw);
}

const QPicture& TQZReport::Page(int n) {
  if (!pages_[static_cast<size_t>(n - 1)]) DrawOnDemand(n);
  return *pages_[static_cast<size_t>(n - 1)];
}

void TQZReport::DrawOnDemand(int n) {
  ClosePage();
  auto page = std::make_unique<QPicture>();
  // The page begins as the job began it; what the job had in hand is put back after it.
  QPainter* const canvas = canvas_;
  const int x = x_, y = y_, line = lineNumber_, number = pageNumber_, reserved = reserved_;
  const auto restore = [&] {
    drawing_ = false;
    ClosePage();
    canvas_ = canvas;
    x_ = x;
    y_ = y;
    lineNumber_ = line;
    pageNumber_ = number;
    reserved_ = reserved;
  };
  try {
    if (OnBeforeNewPage) OnBeforeNewPage(*this);
    BeginRecording(*page);
    pageNumber_ = n;
    drawing_ = true;
    DecoratePage();
    if (drawer_) drawer_(*this, n);
  } catch (...) {
    restore();
    throw;
  }
  restore();
  pages_[static_cast<size_t>(n - 1)] = std::move(page);
  drawn_.push_back(n);
  if (drawn_.size() > kPagesKept) {
    pages_[static_cast<size_t>(drawn_.front() - 1)].reset();
    drawn_.pop_front();
  }
}

void TQZReport::Preview(const QString& caption, int helpContext) {
  ClosePage();
  TFormPreview preview(*this, caption, helpContext, owner_);
  preview.exec();
}

void TQZReport::DrawPage(QPainter& painter, const QPicture& page) {
  // Playing a picture scales it from its own pixel density to the device's; the pages are
  // in printer pixels already, so that scaling is taken back.
  const QPaintDevice* device = painter.device();
  painter.save();
  painter.scale(static_cast<double>(page.logicalDpiX()) / device->logicalDpiX(),
                static_cast<double>(page.logicalDpiY()) / device->logicalDpiY());
  painter.drawPicture(0, 0, page);
  painter.restore();
}

bool TQZReport::OpenPrintJob(QWidget* parent) {
  if (!Usable()) throw TReportError(msg::kBeginFailed);
  ClosePage();
  return StartPrinter(parent);
}

void TQZReport::PrintPreviewPage(int n, bool newPageAfter) {
  if (n < 1 || n > PageCount() || !jobPainter_) return;
  ClosePage();
  if (OnStatus) OnStatus(QString::fromStdString(FormatMsgD(FormatMsgD(msg::kPrintingPage, n), PageCount())));
  DrawPage(*jobPainter_, Page(n));
  if (newPageAfter) EjectPrintPage();
}

void TQZReport::EjectPrintPage() {
  if (jobPainter_ && !printer_->newPage()) throw TReportError(msg::kNewPageFailed);
}

void TQZReport::ClosePrintJob() {
  if (!jobPainter_) return;
  const bool ok = jobPainter_->end();
  jobPainter_.reset();
  if (!ok) throw TReportError(msg::kEndFailed);
}

}  // namespace quoxa
