#include "tools/FormChecksum.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Block.h"
#include "core/DocState.h"
#include "core/Messages.h"
#include "core/TextFormat.h"
#include "settings/ChecksumChoice.h"
#include "tools/ChecksumRun.h"
#include "tools/ChecksumTexts.h"
#include "widgets/FixedFont.h"

namespace quoxa {

namespace {

// The families side by side: digests, then the CRCs and Adler-32, then xxHash.
int ColumnOf(ChecksumKind kind) {
  if (kind >= ChecksumKind::Xxh32) return 2;
  return kind >= ChecksumKind::Crc32 ? 1 : 0;
}

const QColor kMatchColor(200, 240, 200);

}  // namespace

TFormChecksum::TFormChecksum(QWidget* parent) : QDialog(parent) {
  setObjectName("FormChecksum");
  setWindowTitle(QString::fromLatin1(msg::kChecksumCaption));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* algorithms = new QGroupBox(QStringLiteral("Algorithms"), this);
  algorithms->setObjectName("GroupBoxAlgorithms");
  auto* grid = new QGridLayout(algorithms);
  const std::vector<std::string> remembered = ReadChecksumChoice();
  int rows[3] = {0, 0, 0};
  for (const ChecksumInfo& info : ChecksumAlgorithms()) {
    auto* box = new QCheckBox(QString::fromLatin1(info.name), algorithms);
    box->setObjectName(QStringLiteral("CheckBox_%1").arg(QString::fromLatin1(info.key)));
    box->setChecked(std::ranges::any_of(remembered, [&](const std::string& key) { return FindChecksum(key) == info.kind; }));
    const int column = ColumnOf(info.kind);
    grid->addWidget(box, rows[column]++, column);
    boxes_[info.kind] = box;
  }

  auto* scope = new QGroupBox(QStringLiteral("Scope"), this);
  scope->setObjectName("GroupBoxScope");
  block_ = new QRadioButton(QStringLiteral("&Block"), scope);
  block_->setObjectName("RadioButtonBlock");
  file_ = new QRadioButton(QStringLiteral("&Whole file"), scope);
  file_->setObjectName("RadioButtonFile");
  auto* scopeRow = new QHBoxLayout(scope);
  scopeRow->addWidget(block_);
  scopeRow->addWidget(file_);
  scopeRow->addStretch(1);
  block_->setEnabled(BlockMarked());
  (BlockMarked() ? block_ : file_)->setChecked(true);

  auto* compute = new QPushButton(QStringLiteral("&Compute"), this);
  compute->setObjectName("ButtonCompute");
  compute->setDefault(true);
  scope_ = new QLabel(this);
  scope_->setObjectName("LabelScope");

  table_ = new QTableWidget(0, 2, this);
  table_->setObjectName("TableResults");
  table_->setHorizontalHeaderLabels({QStringLiteral("Algorithm"), QStringLiteral("Value")});
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setTabKeyNavigation(false);
  table_->setWordWrap(false);
  table_->setTextElideMode(Qt::ElideNone);
  table_->setMinimumHeight(table_->verticalHeader()->defaultSectionSize() * 5);

  auto* expectedLabel = new QLabel(QStringLiteral("&Expected value:"), this);
  expected_ = new QLineEdit(this);
  expected_->setObjectName("EditExpected");
  expected_->setPlaceholderText(QStringLiteral("paste a published value to compare"));
  expectedLabel->setBuddy(expected_);
  matchLabel_ = new QLabel(this);
  matchLabel_->setObjectName("LabelMatch");

  copy_ = new QPushButton(QStringLiteral("Co&py"), this);
  copy_->setObjectName("ButtonCopy");
  copyAll_ = new QPushButton(QStringLiteral("Copy &all"), this);
  copyAll_->setObjectName("ButtonCopyAll");
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName("ButtonClose");
  copy_->setEnabled(false);
  copyAll_->setEnabled(false);

  connect(compute, &QPushButton::clicked, this, &TFormChecksum::Compute);
  connect(expected_, &QLineEdit::textChanged, this, &TFormChecksum::MarkExpected);
  connect(copy_, &QPushButton::clicked, this, &TFormChecksum::CopyValue);
  connect(copyAll_, &QPushButton::clicked, this, &TFormChecksum::CopyAll);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);

  auto* top = new QHBoxLayout;
  top->addWidget(scope, 1);
  top->addWidget(compute, 0, Qt::AlignBottom);
  auto* expectedRow = new QHBoxLayout;
  expectedRow->addWidget(expectedLabel);
  expectedRow->addWidget(expected_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copy_);
  buttons->addWidget(copyAll_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(algorithms);
  layout->addLayout(top);
  layout->addWidget(scope_);
  layout->addWidget(table_, 1);
  layout->addLayout(expectedRow);
  layout->addWidget(matchLabel_);
  layout->addLayout(buttons);

  compute->setFocus();
  resize(std::max(sizeHint().width(), 640), sizeHint().height());
}

std::vector<ChecksumKind> TFormChecksum::Ticked() const {
  std::vector<ChecksumKind> kinds;
  for (const ChecksumInfo& info : ChecksumAlgorithms()) {
    if (boxes_.at(info.kind)->isChecked()) kinds.push_back(info.kind);
  }
  return kinds;
}

void TFormChecksum::done(int result) {
  std::vector<std::string> keys;
  for (ChecksumKind kind : Ticked()) keys.emplace_back(InfoOf(kind).key);
  WriteChecksumChoice(keys);
  QDialog::done(result);
}

void TFormChecksum::Compute() {
  const std::vector<ChecksumKind> kinds = Ticked();
  if (kinds.empty()) {
    ShowInfo(msg::kChecksumNoneTicked);
    boxes_.begin()->second->setFocus();
    return;
  }
  const bool block = block_->isChecked() && BlockMarked();
  const int64_t first = block ? Doc().BlockBegin : 1;
  const int64_t last = block ? Doc().BlockEnd : Doc().DocSize;
  const ChecksumRun run = ChecksumDocument(first, last, kinds);
  if (run.status == ChecksumStatus::Refused) {
    ShowError(std::string(InfoOf(run.refused).name) + msg::kChecksumRefused + ".");
    return;
  }
  if (run.status != ChecksumStatus::Done) return;
  ShowResults(FormatMsgN(block ? msg::kChecksumOfBlock : msg::kChecksumOfFile, std::max<int64_t>(0, last - first + 1)),
              kinds, run.values);
}

void TFormChecksum::ShowResults(const std::string& scope, const std::vector<ChecksumKind>& kinds,
                                const std::vector<std::string>& values) {
  kinds_ = kinds;
  values_ = values;
  scope_->setText(QString::fromStdString(scope));
  table_->setRowCount(static_cast<int>(values.size()));
  const QFont fixed = FixedFontFor(QStringLiteral("Courier New"), font().pointSize());
  for (int row = 0; row < static_cast<int>(values.size()); ++row) {
    const auto i = static_cast<size_t>(row);
    table_->setItem(row, 0, new QTableWidgetItem(QString::fromLatin1(InfoOf(kinds[i]).name)));
    auto* value = new QTableWidgetItem(QString::fromStdString(values[i]));
    value->setFont(fixed);
    table_->setItem(row, 1, value);
  }
  table_->resizeColumnsToContents();
  table_->selectRow(0);
  copy_->setEnabled(true);
  copyAll_->setEnabled(true);
  MarkExpected();
  // Long digests widen the dialog, up to the screen.
  const int wanted = table_->horizontalHeader()->length() + 2 * table_->frameWidth() + 40 +
                     (width() - table_->viewport()->width());
  const QScreen* screen = this->screen();
  const int limit = screen != nullptr ? screen->availableGeometry().width() * 9 / 10 : wanted;
  if (wanted > width()) resize(std::min(wanted, limit), height());
}

void TFormChecksum::MarkExpected() {
  match_ = MatchingChecksum(values_, expected_->text().toStdString());
  for (int row = 0; row < table_->rowCount(); ++row) {
    for (int col = 0; col < 2; ++col) {
      QTableWidgetItem* item = table_->item(row, col);
      QFont f = item->font();
      f.setBold(row == match_);
      item->setFont(f);
      item->setBackground(row == match_ ? QBrush(kMatchColor) : QBrush());
    }
  }
  if (match_ >= 0) table_->scrollToItem(table_->item(match_, 0));
  QString note;
  if (!values_.empty() && !NormalizedChecksumText(expected_->text().toStdString()).empty()) {
    note = match_ >= 0 ? QString::fromStdString(FormatMsgS(msg::kChecksumMatch, InfoOf(kinds_[static_cast<size_t>(match_)]).name))
                       : QString::fromLatin1(msg::kChecksumNoMatch);
  }
  matchLabel_->setText(note);
}

void TFormChecksum::CopyValue() {
  const int row = std::max(0, table_->currentRow());
  if (row >= static_cast<int>(values_.size())) return;
  QGuiApplication::clipboard()->setText(QString::fromStdString(values_[static_cast<size_t>(row)]));
}

void TFormChecksum::CopyAll() {
  QString text;
  for (size_t i = 0; i < values_.size(); ++i) {
    text += QStringLiteral("%1: %2\n").arg(QString::fromLatin1(InfoOf(kinds_[i]).name), QString::fromStdString(values_[i]));
  }
  QGuiApplication::clipboard()->setText(text);
}

}  // namespace quoxa
