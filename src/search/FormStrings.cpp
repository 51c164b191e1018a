#include "search/FormStrings.h"

#include <QApplication>
#include <QFontDatabase>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/FileTexts.h"
#include "core/Messages.h"
#include "core/TextFormat.h"
#include "search/StringsList.h"
#include "settings/StringsLength.h"
#include "widgets/DialogPlacement.h"
#include "widgets/FileDialogs.h"

namespace quoxa {

namespace {

QString Latin(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

TFormStrings::TFormStrings(QWidget* parent)
    : QDialog(parent),
      length_(new QSpinBox(this)),
      filter_(new QLineEdit(this)),
      list_(new QTableView(this)),
      model_(new QStandardItemModel(0, 4, this)) {
  setObjectName("FormStrings");
  setWindowTitle(QStringLiteral("Strings"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  length_->setObjectName("SpinEditLength");
  length_->setRange(kMinStringLength, kMaxStringLength);
  length_->setValue(ReadStringsLength(static_cast<int>(kDefaultStringLength)));
  filter_->setObjectName("EditFilter");
  list_->setObjectName("ListStrings");
  model_->setHorizontalHeaderLabels({"Address", "Length", "Encoding", "Text"});
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setTabKeyNavigation(false);
  list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  list_->setMinimumSize(640, 360);

  auto* lengthLabel = new QLabel(QStringLiteral("&Minimum length:"), this);
  lengthLabel->setBuddy(length_);
  auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), this);
  filterLabel->setBuddy(filter_);
  auto* top = new QHBoxLayout;
  top->addWidget(lengthLabel);
  top->addWidget(length_);
  top->addSpacing(16);
  top->addWidget(filterLabel);
  top->addWidget(filter_, 1);

  auto* go = new QPushButton(QStringLiteral("&Go to"), this);
  go->setObjectName("ButtonGoto");
  go->setDefault(true);
  auto* copy = new QPushButton(QStringLiteral("&Copy"), this);
  copy->setObjectName("ButtonCopy");
  auto* save = new QPushButton(QStringLiteral("&Save as text..."), this);
  save->setObjectName("ButtonSave");
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName("ButtonClose");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* b : {go, copy, save, close}) buttons->addWidget(b);

  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addWidget(list_, 1);
  column->addLayout(buttons);

  connect(go, &QPushButton::clicked, this, &TFormStrings::GoToCurrent);
  connect(copy, &QPushButton::clicked, this, &TFormStrings::CopySelected);
  connect(save, &QPushButton::clicked, this, &TFormStrings::SaveAsText);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(list_, &QTableView::doubleClicked, this, &TFormStrings::GoToCurrent);
  connect(filter_, &QLineEdit::textChanged, this, &TFormStrings::Fill);
  connect(length_, &QSpinBox::editingFinished, this, [this] {
    if (length_->value() != scannedLength_) Scan();
  });
}

bool TFormStrings::Scan() {
  scannedLength_ = length_->value();
  std::optional<std::vector<FoundString>> found = CollectStrings(scannedLength_);
  if (!found) return false;
  found_ = std::move(*found);
  Fill();
  return true;
}

void TFormStrings::Fill() {
  const std::string filter = filter_->text().toLatin1().toStdString();
  model_->removeRows(0, model_->rowCount());
  shown_.clear();
  for (size_t i = 0; i < found_.size(); ++i) {
    const std::string text = StringTextAt(found_[i]);
    if (StringMatchesFilter(text, filter)) shown_.push_back(static_cast<int>(i));
  }
  model_->setRowCount(static_cast<int>(shown_.size()));
  for (int row = 0; row < static_cast<int>(shown_.size()); ++row) {
    const FoundString& f = found_[static_cast<size_t>(shown_[static_cast<size_t>(row)])];
    const QStringList cells = Latin(StringLine(f)).split(QLatin1Char('\t'));
    for (int col = 0; col < 4 && col < cells.size(); ++col) {
      auto* item = new QStandardItem(col == 3 ? cells.mid(3).join(QLatin1Char('\t')) : cells[col]);
      if (col < 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      model_->setItem(row, col, item);
    }
  }
  list_->resizeColumnsToContents();
  if (!shown_.empty()) list_->selectRow(0);
}

void TFormStrings::done(int result) {
  WriteStringsLength(length_->value());
  QDialog::done(result);
}

void TFormStrings::GoToCurrent() {
  const QModelIndex current = list_->currentIndex();
  if (!current.isValid() || current.row() >= static_cast<int>(shown_.size())) return;
  chosen_ = shown_[static_cast<size_t>(current.row())];
  accept();
}

std::vector<std::string> TFormStrings::Lines(bool selectedOnly) const {
  std::vector<std::string> lines;
  if (!selectedOnly) {
    for (int index : shown_) lines.push_back(StringLine(found_[static_cast<size_t>(index)]));
    return lines;
  }
  QModelIndexList rows = list_->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end());
  for (const QModelIndex& row : rows) lines.push_back(StringLine(found_[static_cast<size_t>(shown_[static_cast<size_t>(row.row())])]));
  return lines;
}

void TFormStrings::CopySelected() {
  QString text;
  for (const std::string& line : Lines(true)) text += Latin(line) + QLatin1Char('\n');
  QApplication::clipboard()->setText(text);
}

void TFormStrings::SaveAsText() {
  FileDialogRequest request;
  request.save = true;
  request.title = "Save strings as";
  request.favoritesSection = "Favorites";
  request.filter = "*.txt,*.*";
  const FileDialogResult answer = ExecFileDialog(this, request);
  if (!answer.ok) return;
  if (SaveStringLines(answer.path, Lines(false)) != 0) ShowError(FormatMsgS(msg::kErrorWriting, FileNameOnly(answer.path)));
}

// The filter has the focus: typing narrows the list, Enter goes to the first string shown.
void TFormStrings::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  filter_->setFocus(Qt::OtherFocusReason);
  CenterOverActiveWindow(this);
}

void TFormStrings::keyPressEvent(QKeyEvent* event) {
  // Enter in the list or the filter goes to the string, in the length field it scans again; on
  // a push button it presses that button, as in every dialog.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
    if (length_->hasFocus()) {
      if (length_->value() != scannedLength_) Scan();
      return;
    }
    if (list_->hasFocus() || filter_->hasFocus()) {
      GoToCurrent();
      return;
    }
  }
  if (event->matches(QKeySequence::Copy) && list_->hasFocus()) {
    CopySelected();
    return;
  }
  QDialog::keyPressEvent(event);
}

void RunStringsDialog(QWidget* owner) {
  TFormStrings form(owner);
  if (!form.Scan()) return;
  if (form.exec() != QDialog::Accepted || form.Chosen() == nullptr) return;
  GoToString(*form.Chosen());
}

}  // namespace quoxa
