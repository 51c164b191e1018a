#include "print/FormPrint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <limits>

#include "core/AtomicFileWriter.h"
#include "core/Block.h"
#include "core/CodePage.h"
#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/Help.h"
#include "core/Messages.h"
#include "core/TextFormat.h"
#include "print/PrintTexts.h"
#include "print/QZReport.h"
#include "settings/Options.h"
#include "widgets/DialogPlacement.h"
#include "widgets/FileDialogs.h"
#include "widgets/QZNumEdit.h"

namespace quoxa {

namespace {

constexpr int kHelpPrint = 64;
constexpr int kHelpPreview = 65;
// The edit keeps long double values: a double 99.99 lies below 99.99 there and would clamp
// a typed 99.99 down to 99.98.
constexpr long double kMaxMargin = 99.99L;
constexpr MarginSide kSides[] = {MarginSide::Left, MarginSide::Right, MarginSide::Top, MarginSide::Bottom};

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QString CodePageText(const std::string& bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char c : bytes) text.append(QChar(static_cast<char16_t>(ByteToUnicode(static_cast<uint8_t>(c)))));
  return text;
}

// Every character a dump line may hold: offsets, hex digits and the shown bytes.
QString DumpCharacters() {
  std::string bytes = " .:0123456789ABCDEF";
  for (int b = 0; b < 256; ++b) {
    const uint8_t c = DumpVisibleChar(static_cast<uint8_t>(b));
    if (c != 0) bytes.push_back(static_cast<char>(c));
  }
  return CodePageText(bytes);
}

// The report engine as the dump job sees it.
class ReportDumpPrinter final : public IDumpPrinter {
 public:
  explicit ReportDumpPrinter(TQZReport& report) : report_(report) {}
  bool PrintLine(const std::string& line) override { return report_.PrintPlainLine(CodePageText(line)); }
  bool Fits(int32_t lines) const override { return report_.Fits(lines); }
  int32_t NewPage() override { return report_.NewPage(); }
  int32_t PageNumber() const override { return report_.PageNumber(); }
  bool FitsWidth(const std::string& line) const override {
    return report_.TextWidth(CodePageText(line)) <= report_.Geometry().PrintableWidth();
  }
  bool WidthFollowsLength() const override { return report_.EvenWidths(DumpCharacters()); }
  int32_t BlocksLeft(int32_t lines) const override { return report_.BlocksLeft(lines); }

 private:
  TQZReport& report_;
};

}  // namespace

TFormPrint::TFormPrint(TQZReport& report, QWidget* parent)
    : QDialog(parent),
      report_(report),
      page_(Named(new QRadioButton(QStringLiteral("&Current page")), "RadioButtonPage")),
      selection_(Named(new QRadioButton(QStringLiteral("Current &selection")), "RadioButtonSelection")),
      all_(Named(new QRadioButton(QStringLiteral("&All pages")), "RadioButtonAll")),
      printer_(Named(new QComboBox, "ComboBoxPrinter")),
      unit_(Named(new QComboBox, "ComboBoxUnit")),
      fontSize_(Named(new QComboBox, "ComboBoxFontSize")),
      bytesPerRow_(Named(new QComboBox, "ComboBoxBytesPerRow")),
      landscape_(Named(new QCheckBox(QStringLiteral("Landscape &orientation (instead of portrait)")), "CheckBoxLandscape")),
      decimal_(Named(new QCheckBox(QStringLiteral("Print offsets in &decimal (instead of hexadecimal)")), "CheckBoxDecimal")),
      below_(Named(new QCheckBox(QStringLiteral("Print text belo&w hex (i.e. in 2nd line)")), "CheckBoxTextBelow")),
      toFile_(Named(new QCheckBox(QStringLiteral("R&edirect output to file")), "CheckBoxToFile")),
      ok_(Named(new QPushButton(QStringLiteral("Preview/Print")), "ButtonOK")) {
  setObjectName("FormPrint");
  setWindowTitle(QStringLiteral("Print"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  report_.SetOwner(this);

  auto* range = new QGroupBox(QStringLiteral("Printing range"), this);
  auto* rangeLayout = new QVBoxLayout(range);
  for (QRadioButton* radio : {page_, selection_, all_}) rangeLayout->addWidget(radio);
  const bool block = BlockMarked();
  selection_->setEnabled(block);
  (block ? selection_ : page_)->setChecked(true);

  for (const TPrinterEntry& entry : report_.Printers()) printer_->addItem(entry.name);
  unit_->addItems({QStringLiteral("mm"), QStringLiteral("Inch")});
  for (const int32_t size : kPrintFontSizes) fontSize_->addItem(QString::number(size));
  bytesPerRow_->setEditable(true);
  for (const char* choice : kBytesPerRowChoices) bytesPerRow_->addItem(QString::fromLatin1(choice));
  bytesPerRow_->setInsertPolicy(QComboBox::NoInsert);
  // A typed "2" must stay 2, not be completed to "24".
  bytesPerRow_->setCompleter(nullptr);
  // Only digits can be typed; control keys work as usual.
  bytesPerRow_->lineEdit()->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), bytesPerRow_));

  auto* margins = new QGroupBox(QStringLiteral("Margins"), this);
  auto* marginGrid = new QGridLayout(margins);
  const char* marginNames[] = {"QZNumEditLeft", "QZNumEditRight", "QZNumEditTop", "QZNumEditBottom"};
  const char* marginLabels[] = {"&Left:", "&Right:", "&Top:", "&Bottom:"};
  for (int i = 0; i < 4; ++i) {
    margins_[i] = Named(new TQZNumEdit(margins), marginNames[i]);
    margins_[i]->SetDigitsInt(2);
    margins_[i]->SetDigitsFrac(2);
    margins_[i]->SetMin(0);
    margins_[i]->SetMax(kMaxMargin);
    auto* label = new QLabel(QString::fromLatin1(marginLabels[i]), margins);
    label->setBuddy(margins_[i]);
    marginGrid->addWidget(label, i / 2, (i % 2) * 2);
    marginGrid->addWidget(margins_[i], i / 2, (i % 2) * 2 + 1);
    connect(margins_[i], &QLineEdit::editingFinished, this, &TFormPrint::PassMargins);
  }
  auto* unitLabel = new QLabel(QStringLiteral("&Unit:"), margins);
  unitLabel->setBuddy(unit_);
  marginGrid->addWidget(unitLabel, 2, 0);
  marginGrid->addWidget(unit_, 2, 1);

  auto* fields = new QGridLayout;
  const std::pair<const char*, QWidget*> rows[] = {
      {"&Printer:", printer_}, {"&Font size:", fontSize_}, {"B&ytes per row:", bytesPerRow_}};
  int row = 0;
  for (const auto& [caption, field] : rows) {
    auto* label = new QLabel(QString::fromLatin1(caption), this);
    label->setBuddy(field);
    fields->addWidget(label, row, 0);
    fields->addWidget(field, row, 1);
    ++row;
  }
  fields->setColumnStretch(1, 1);

  auto* cancel = Named(new QPushButton(QStringLiteral("Cancel")), "ButtonCancel");
  auto* help = Named(new QPushButton(QStringLiteral("&Help")), "ButtonHelp");
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &TFormPrint::ButtonOKClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpPrint); });
  for (QPushButton* button : {cancel, help}) button->setProperty(TQZNumEdit::kIgnoresInput, true);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {ok_, cancel, help}) buttons->addWidget(button);
  buttons->addStretch(1);

  auto* left = new QVBoxLayout;
  left->addWidget(range);
  left->addLayout(fields);
  left->addWidget(margins);
  for (QCheckBox* box : {landscape_, decimal_, below_, toFile_}) left->addWidget(box);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // The controls are made before their group boxes: Tab follows the layout instead.
  SetTabChain({page_, selection_, all_, printer_, fontSize_, bytesPerRow_, margins_[0], margins_[1], margins_[2],
               margins_[3], unit_, landscape_, decimal_, below_, toFile_, ok_, cancel, help});
  (block ? selection_ : page_)->setFocus();

  ApplySettings(ReadPrintSettings());
  connect(unit_, &QComboBox::currentIndexChanged, this, &TFormPrint::UnitChanged);
  connect(printer_, &QComboBox::currentIndexChanged, this, &TFormPrint::PrinterChanged);
  connect(landscape_, &QCheckBox::toggled, this, &TFormPrint::OrientationChanged);
}

void TFormPrint::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Placed once its layout has given it its size.
  CenterOverActiveWindow(this);
}

void TFormPrint::ApplySettings(const PrintSettings& s) {
  const int printers = printer_->count();
  const int index = s.printerIndex >= 0 && s.printerIndex < printers ? s.printerIndex
                                                                     : DefaultPrinterIndex(report_.Printers());
  printer_->setCurrentIndex(index);
  shownUnit_ = s.unit;
  unit_->setCurrentIndex(s.unit);
  fontSize_->setCurrentIndex(s.fontSizeIndex);
  bytesPerRow_->setCurrentText(QString::fromStdString(s.bytesPerRow));
  landscape_->setChecked(s.landscape);
  decimal_->setChecked(s.offsetDecimal);
  below_->setChecked(s.textBelow);
  toFile_->setChecked(s.outputToFile);
  for (int i = 0; i < 4; ++i) margins_[i]->SetValue(s.margins[static_cast<size_t>(i)]);
  report_.SetPrinterIndex(index);
  report_.SetOrientation(s.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  PassMargins();
}

PrintSettings TFormPrint::CurrentSettings() const {
  PrintSettings s;
  s.unit = unit_->currentIndex();
  for (int i = 0; i < 4; ++i) s.margins[static_cast<size_t>(i)] = static_cast<double>(margins_[i]->Value());
  s.printerIndex = printer_->currentIndex();
  s.fontSizeIndex = fontSize_->currentIndex();
  s.bytesPerRow = bytesPerRow_->currentText().toStdString();
  s.landscape = landscape_->isChecked();
  s.offsetDecimal = decimal_->isChecked();
  s.textBelow = below_->isChecked();
  s.outputToFile = toFile_->isChecked();
  return s;
}

DumpScope TFormPrint::Scope() const {
  if (all_->isChecked()) return DumpScope::All;
  if (selection_->isChecked() && selection_->isEnabled()) return DumpScope::Selection;
  return DumpScope::CurrentPage;
}

void TFormPrint::PassMargins() {
  report_.SetMeasureUnit(unit_->currentIndex() == 1 ? TMeasureUnit::puInch : TMeasureUnit::puMM);
  for (int i = 0; i < 4; ++i) {
    margins_[i]->Validate();
    report_.SetMargin(kSides[i], static_cast<double>(margins_[i]->Value()));
  }
  for (int i = 0; i < 4; ++i) margins_[i]->SetValue(report_.Margin(kSides[i]));
}

void TFormPrint::UnitChanged(int index) {
  for (TQZNumEdit* edit : margins_) {
    edit->Validate();
    edit->SetValue(ConvertMargin(static_cast<double>(edit->Value()), shownUnit_, index));
  }
  shownUnit_ = index;
  PassMargins();
}

void TFormPrint::PrinterChanged(int index) {
  report_.SetPrinterIndex(index);
  PassMargins();
}

void TFormPrint::OrientationChanged(bool landscape) {
  report_.SetOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  PassMargins();
}

void TFormPrint::ApplyToReport() {
  report_.SetPrinterIndex(printer_->currentIndex());
  report_.SetOrientation(landscape_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
  PassMargins();
  QFont font = report_.Font();
  font.setPointSize(kPrintFontSizes[std::clamp(fontSize_->currentIndex(), 0, 2)]);
  report_.SetFont(font);
}

int32_t TFormPrint::CheckedBytesPerRow() {
  const std::string text = bytesPerRow_->currentText().toStdString();
  // A number of rows too wide for the page is the job's to find: it knows the widths exactly.
  const int32_t n = ParseBytesPerRow(text, kMaxDumpBytesPerRow);
  if (n > 0) return n;
  int32_t limit = kMaxDumpBytesPerRow;
  if (!toFile_->isChecked()) {
    ApplyToReport();
    const int letter = std::max(1, report_.TextWidth(QStringLiteral("X")));
    const int32_t offsetChars = DumpOffsetChars(Doc().DocSize - 1, decimal_->isChecked());
    limit = BytesPerRowThatFit(report_.Geometry().PrintableWidth() / letter, below_->isChecked(), offsetChars);
  }
  // Beyond the longest row there is: no paper takes it.
  const bool number = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos &&
                      text.find_first_not_of('0') != std::string::npos;
  const bool tooWide = !toFile_->isChecked() && number;
  ShowError(limit > 0 && !tooWide ? FormatMsgD(msg::kBytesPerRowRange, limit)
                                  : msg::kInsufficientPaper);
  FocusBytesPerRow();
  return 0;
}

void TFormPrint::FocusBytesPerRow() {
  bytesPerRow_->setFocus(Qt::OtherFocusReason);
  bytesPerRow_->lineEdit()->selectAll();
}

void TFormPrint::ButtonOKClick() {
  const int32_t n = CheckedBytesPerRow();
  if (n == 0) return;
  DumpOptions options;
  options.bytesPerRow = n;
  options.decimalOffsets = decimal_->isChecked();
  options.textBelow = below_->isChecked();
  const TDumpRows rows(options);
  if (!(toFile_->isChecked() ? RunToFile(rows) : RunToPrinter(rows))) return;
  WritePrintSettings(CurrentSettings());
  accept();
}

std::string TFormPrint::AskOutputFile() {
  if (outputQuestion_) return outputQuestion_();
  FileDialogRequest request;
  request.save = true;
  request.title = msg::kSaveOutputTitle;
  request.favoritesSection = "Favorites";
  request.filter = msg::kTextFilter;
  request.startDir = Options().CurrentDir;
  const FileDialogResult result = ExecFileDialog(this, request);
  return result.ok ? result.path : std::string();
}

bool TFormPrint::RunToFile(const TDumpRows& rows) {
  const std::string path = AskOutputFile();
  if (path.empty()) return false;
  const DumpRange range = DumpRangeFor(Scope(), rows.Options().bytesPerRow, CurrentDumpView(), -1);
  const DumpResult result = DumpToFile(path, rows, range, Doc().FileName);
  // A file that cannot be written ends the job; the dialog closes as after OK.
  // A write the user declined has nothing to report.
  if (result.outcome == DumpOutcome::WriteFailed && result.error != kWriteDeclined) {
    ShowError(WriteErrorText(result.error, path));
  }
  return true;
}

bool TFormPrint::RunToPrinter(const TDumpRows& rows) {
  ApplyToReport();
  const std::string name = FileNameOnly(Doc().FileName);
  report_.Title = QString::fromStdString("QUOXA - " + name);
  report_.Header = QString::fromStdString("<{File: " + name + "}>{Printed %DATE %TIME}");
  report_.Footer = QString::fromStdString(std::string("<{") + msg::kPrintedBy + kProgramWebAddress + "}>{Page %PAGE}");
  const QString ruler = CodePageText(rows.Ruler());
  report_.OnAfterNewPage = [ruler](TQZReport& r) { r.PrintPlainLine(ruler); };
  try {
    report_.BeginDoc();
  } catch (const TReportError&) {
    ShowError(msg::kInsufficientPaper);
    return false;
  }
  DumpResult result;
  try {
    const int32_t firstPageRows = RowsOnFirstPage(report_.LinesLeft(), rows.Options().textBelow);
    const DumpRange range = DumpRangeFor(Scope(), rows.Options().bytesPerRow, CurrentDumpView(), firstPageRows);
    ReportDumpPrinter printer(report_);
    const DumpPlan plan = pagesOnDemand_ ? PlanDumpPages(printer, rows, range) : DumpPlan{};
    if (plan.outcome == DumpOutcome::DidNotFit) {
      result.outcome = DumpOutcome::DidNotFit;
    } else if (plan.pages > 0 && plan.pages <= std::numeric_limits<int>::max()) {
      // The preview opens at once whatever the size: a page is drawn when shown or printed.
      report_.EndDoc();
      report_.SetPageSource(static_cast<int>(plan.pages),
                            [rows, range, plan](TQZReport& r, int page) {
                              ReportDumpPrinter pagePrinter(r);
                              DumpPage(pagePrinter, rows, range, plan, page);
                            });
    } else {
      result = DumpToPrinter(printer, rows, range);
      report_.EndDoc();
    }
  } catch (const TReportError& error) {
    report_.Abort();
    ShowError(error.what());
    return false;
  }
  if (result.outcome == DumpOutcome::DidNotFit) {
    report_.Abort();
    ShowError(msg::kInsufficientPaper);
    FocusBytesPerRow();
    return false;
  }
  if (result.outcome == DumpOutcome::Done) {
    if (previewHandler_) {
      previewHandler_(report_);
    } else {
      report_.Preview(QStringLiteral("Preview"), kHelpPreview);
    }
  }
  // The pages are discarded once the preview closed (or the user aborted).
  report_.DiscardPages();
  return true;
}

}  // namespace quoxa
