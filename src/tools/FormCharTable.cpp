#include "tools/FormCharTable.h"

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "core/CodePage.h"
#include "core/DocState.h"
#include "core/FileTexts.h"
#include "core/Help.h"
#include "core/Messages.h"
#include "core/TextFormat.h"
#include "search/SearchDialogs.h"
#include "search/SearchTexts.h"
#include "settings/FormPlacement.h"
#include "settings/Options.h"
#include "settings/SettingsPath.h"
#include "settings/SettingsTexts.h"
#include "tools/ConversionTable.h"
#include "widgets/DialogPlacement.h"
#include "widgets/FileDialogs.h"

namespace quoxa {

namespace {

constexpr int kHelpCharTable = 81;
constexpr int kConvertColumn = 3;
constexpr int kScrollInterval = 50;
const char* const kRowMime = "application/x-quoxa-table-row";

QString Hex2(int v) { return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper(); }

QString Glyph(char32_t code) { return QString::fromUcs4(&code, 1); }

// Input of a "Convert to" cell: at most two hex digits, shown in upper case; a single digit
// becomes two when the cell is left.
class ConvertToDelegate : public QStyledItemDelegate {
 public:
  ConvertToDelegate(QObject* parent, std::function<void()> edited)
      : QStyledItemDelegate(parent), edited_(std::move(edited)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(2);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,2}")), edit));
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, this](const QString& text) {
      const int cursor = edit->cursorPosition();
      edit->setText(text.toUpper());
      edit->setCursorPosition(cursor);
      edited_();
    });
    return edit;
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    QString text = static_cast<QLineEdit*>(editor)->text().toUpper();
    if (text.size() == 1) text.prepend(QLatin1Char('0'));
    model->setData(index, text);
  }

 private:
  std::function<void()> edited_;
};

}  // namespace

// ---- grid

TCharTableGrid::TCharTableGrid(QWidget* parent) : QTableWidget(256, 4, parent) {
  setObjectName("StringGridTable");
  // Tab leaves the grid for the buttons, as in any dialog; the arrows move between cells.
  setTabKeyNavigation(false);
  setHorizontalHeaderLabels({QStringLiteral("Char"), QStringLiteral("ANSI"), QStringLiteral("ASCII"),
                             QStringLiteral("Convert to")});
  verticalHeader()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::AllEditTriggers);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  horizontalHeader()->setAcceptDrops(true);
  horizontalHeader()->installEventFilter(this);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  scrollTimer_.setInterval(kScrollInterval);
  connect(&scrollTimer_, &QTimer::timeout, this, &TCharTableGrid::ScrollTick);
}

void TCharTableGrid::keyPressEvent(QKeyEvent* event) {
  // A selected cell is not in its editor, where these keys would act: they empty it (identity).
  const bool erase = event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
  QTableWidgetItem* cell = currentItem();
  if (erase && state() != EditingState && cell != nullptr && cell->column() == kConvertColumn) {
    if (!cell->text().isEmpty()) {
      cell->setText(QString());
      emit CellCleared();
    }
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void TCharTableGrid::mousePressEvent(QMouseEvent* event) {
  scrollTimer_.stop();
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() != Qt::LeftButton || !index.isValid() || index.column() >= kConvertColumn) {
    QTableWidget::mousePressEvent(event);
    return;
  }
  setCurrentCell(index.row(), index.column());
  auto* mime = new QMimeData;
  mime->setData(kRowMime, QByteArray::number(index.row()));
  auto* drag = new QDrag(this);
  drag->setMimeData(mime);
  drag->exec(Qt::CopyAction);
  scrollTimer_.stop();
}

void TCharTableGrid::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasFormat(kRowMime)) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TCharTableGrid::dragMoveEvent(QDragMoveEvent* event) {
  if (!event->mimeData()->hasFormat(kRowMime)) {
    event->ignore();
    return;
  }
  const QPoint pos = event->position().toPoint();
  const int half = rowHeight(0) / 2;
  scrollStep_ = pos.y() > viewport()->height() - half ? 1 : 0;
  if (scrollStep_ != 0 && !scrollTimer_.isActive()) scrollTimer_.start();
  if (scrollStep_ == 0) scrollTimer_.stop();
  const QModelIndex index = indexAt(pos);
  const int source = event->mimeData()->data(kRowMime).toInt();
  if (index.isValid() && index.column() == kConvertColumn && index.row() != source) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TCharTableGrid::dragLeaveEvent(QDragLeaveEvent* event) {
  // Leaving downwards past the bottom edge keeps scrolling; anywhere else stops it.
  if (scrollStep_ <= 0) scrollTimer_.stop();
  QTableWidget::dragLeaveEvent(event);
}

void TCharTableGrid::dropEvent(QDropEvent* event) {
  scrollTimer_.stop();
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!event->mimeData()->hasFormat(kRowMime) || !index.isValid()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit RowDropped(event->mimeData()->data(kRowMime).toInt(), index.row(), index.column());
}

bool TCharTableGrid::eventFilter(QObject* watched, QEvent* event) {
  // Over the header row the grid scrolls up; nothing can be dropped there.
  if (watched == horizontalHeader()) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (drag->mimeData()->hasFormat(kRowMime)) {
        drag->accept();
        drag->setDropAction(Qt::IgnoreAction);
        scrollStep_ = -1;
        if (!scrollTimer_.isActive()) scrollTimer_.start();
      }
      return true;
    }
    if (event->type() == QEvent::DragLeave || event->type() == QEvent::Drop) {
      scrollTimer_.stop();
      return true;
    }
  }
  return QTableWidget::eventFilter(watched, event);
}

void TCharTableGrid::ScrollTick() {
  QScrollBar* bar = verticalScrollBar();
  const int next = bar->value() + scrollStep_;
  if (scrollStep_ == 0 || next < bar->minimum() || next > bar->maximum()) {
    scrollTimer_.stop();
    return;
  }
  bar->setValue(next);
}

// ---- dialog

TFormCharTable::TFormCharTable(QWidget* parent)
    : QDialog(parent),
      grid_(new TCharTableGrid(this)),
      cursor_(new QRadioButton(QStringLiteral("Cursor"))),
      begin_(new QRadioButton(QStringLiteral("Begin"))) {
  setObjectName("FormCharTable");
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  cursor_->setObjectName("RadioButtonCursor");
  begin_->setObjectName("RadioButtonBegin");
  begin_->setChecked(true);
  grid_->setItemDelegateForColumn(kConvertColumn, new ConvertToDelegate(grid_, [this] { CellEdited(); }));
  connect(grid_, &TCharTableGrid::RowDropped, this, &TFormCharTable::DropRow);
  connect(grid_, &TCharTableGrid::CellCleared, this, &TFormCharTable::CellEdited);

  auto button = [this](const char* caption, const char* name, void (TFormCharTable::*slot)()) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, slot);
    return b;
  };
  auto* panel = new QVBoxLayout;
  panel->addWidget(button("Clear &table", "ButtonClear", &TFormCharTable::ClearTableClick));
  panel->addWidget(button("&Save table", "ButtonSave", &TFormCharTable::SaveTableClick));
  panel->addWidget(button("&Load table", "ButtonLoad", &TFormCharTable::LoadTableClick));
  panel->addWidget(RadioGroup(QStringLiteral("Scope from"), cursor_, begin_, this));
  QPushButton* convert = button("&Convert", "ButtonConvert", &TFormCharTable::ConvertClick);
  convert->setDefault(true);
  panel->addWidget(convert);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName("ButtonCancel");
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  panel->addWidget(cancel);
  auto* help = new QPushButton(QStringLiteral("&Help"), this);
  help->setObjectName("ButtonHelp");
  connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpCharTable); });
  panel->addWidget(help);
  panel->addStretch(1);
  help_ = help;

  auto* row = new QHBoxLayout(this);
  row->addWidget(grid_, 1);
  row->addLayout(panel);
  FillGrid();
  UpdateCaption();
}

bool TFormCharTable::FromBegin() const { return begin_->isChecked(); }

void TFormCharTable::FillGrid() {
  filling_ = true;
  const QColor fixed = palette().color(QPalette::Button);
  QFont oem = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  oem.setPointSize(12);
  grid_->verticalHeader()->setDefaultSectionSize(
      std::max(QFontMetrics(oem).height(), grid_->fontMetrics().height()) + 2);
  for (int i = 0; i < 256; ++i) {
    const auto b = static_cast<uint8_t>(i);
    const QString cells[3] = {Hex2(i), i < 32 ? QString() : Glyph(ByteToUnicode(b)),
                              i < 32 ? QString() : Glyph(Cp437ToUnicode(b))};
    for (int c = 0; c < 3; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      item->setFlags(Qt::ItemIsEnabled);
      item->setBackground(fixed);
      if (c == 2) item->setFont(oem);
      grid_->setItem(i, c, item);
    }
    const int to = ConversionTable[b];
    grid_->setItem(i, kConvertColumn, new QTableWidgetItem(to == i ? QString() : Hex2(to)));
  }
  filling_ = false;
}

void TFormCharTable::TakeGrid() {
  for (int i = 0; i < 256; ++i) {
    const QTableWidgetItem* item = grid_->item(i, kConvertColumn);
    const QString text = item != nullptr ? item->text() : QString();
    bool ok = false;
    const int value = text.toInt(&ok, 16);
    ConversionTable[static_cast<size_t>(i)] = static_cast<uint8_t>(ok && !text.isEmpty() ? value : i);
  }
}

void TFormCharTable::UpdateCaption() {
  QString caption = QString::fromUtf8(kConversionTitle);
  if (!ConversionTableFile.empty()) caption += " - " + QString::fromStdString(FileNameOnly(ConversionTableFile));
  setWindowTitle(caption);
}

void TFormCharTable::SetTableFile(const std::string& path) {
  ConversionTableFile = path;
  Options().ConvTable = path;
  UpdateCaption();
}

void TFormCharTable::CellEdited() {
  if (!filling_) modified_ = true;
}

bool TFormCharTable::DropRow(int source, int target, int column) {
  if (column != kConvertColumn || source == target || source < 0 || source > 255 || target < 0 || target > 255) {
    return false;
  }
  grid_->item(source, kConvertColumn)->setText(Hex2(target));
  modified_ = true;
  return true;
}

bool TFormCharTable::SaveQuestion() {
  grid_->setCurrentItem(nullptr);  // an open cell editor gives its text to the grid
  if (!modified_) return true;
  switch (AskYesNoCancel(kTableModifiedQuestion)) {
    case mrYes:
      SaveTableClick();
      return !modified_;
    case mrNo:
      return true;
    default:
      return false;
  }
}

namespace {

FileDialogRequest TableFileRequest(bool save) {
  FileDialogRequest request;
  request.save = save;
  request.title = save ? kSaveTableTitle : kLoadTableTitle;
  request.favoritesSection = "Favorites";
  request.filter = "*.qct";
  request.startDir = MakeProgramDirectory();
  return request;
}

}  // namespace

void TFormCharTable::ClearTableClick() {
  if (!SaveQuestion()) return;
  ResetConversionTable();
  FillGrid();
  modified_ = false;
}

void TFormCharTable::SaveTableClick() {
  grid_->setCurrentItem(nullptr);
  TakeGrid();
  const FileDialogResult answer = ExecFileDialog(this, TableFileRequest(true));
  if (!answer.ok) return;
  if (SaveConversionTable(answer.path)) {
    SetTableFile(answer.path);
    modified_ = false;
  } else {
    SetTableFile("");
    ShowError(FormatMsgS(msg::kErrorWriting, FileNameOnly(answer.path)));
  }
}

void TFormCharTable::LoadTableClick() {
  if (!SaveQuestion()) return;
  const FileDialogResult answer = ExecFileDialog(this, TableFileRequest(false));
  if (!answer.ok) return;
  if (LoadConversionTable(answer.path)) {
    SetTableFile(answer.path);
    FillGrid();
    modified_ = false;
  } else {
    SetTableFile("");
    ResetConversionTable();
    ShowError(FormatMsgS(msg::kErrorReadingFile, FileNameOnly(answer.path)));
  }
}

void TFormCharTable::ConvertClick() {
  grid_->setCurrentItem(nullptr);
  TakeGrid();
  done(kConvert);
}

void TFormCharTable::done(int result) {
  if (!SaveQuestion()) return;
  SaveFormPlacement(this);
  QDialog::done(result);
}

void TFormCharTable::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  QHeaderView* header = grid_->horizontalHeader();
  const QFontMetrics metrics(header->font());
  int gridWidth = grid_->frameWidth() * 2 + grid_->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < 4; ++c) {
    const int width = metrics.horizontalAdvance(grid_->horizontalHeaderItem(c)->text()) + (c < 3 ? 15 : 25) +
                      header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) * 2;
    grid_->setColumnWidth(c, width);
    gridWidth += width;
  }
  grid_->setFixedWidth(gridWidth);
  layout()->activate();
  const int width = sizeHint().width();
  setMinimumHeight(help_->geometry().bottom() + 40);
  CenterOverActiveWindow(this);
  RestoreFormPlacement(this);
  setFixedWidth(width);
  grid_->setFocus();
}

void RunCharConversion(QWidget* parent) {
  TFormCharTable form(parent);
  if (form.exec() != TFormCharTable::kConvert) return;
  const ConversionResult result = ApplyConversion(form.FromBegin() ? 1 : CursorAddress());
  ShowInfo(FormatMsgN(msg::kOccurrencesReplaced, result.count));
}

}  // namespace quoxa
