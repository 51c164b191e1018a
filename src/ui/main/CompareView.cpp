#include "ui/main/CompareView.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "core/CodePage.h"
#include "core/DocState.h"
#include "core/Document.h"
#include "core/FileQuestion.h"
#include "core/Journal.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "core/Progress.h"
#include "core/TextFormat.h"
#include "settings/Options.h"
#include "tools/CompareCopy.h"
#include "ui/main/CompareGrid.h"
#include "ui/main/DocumentCommands.h"
#include "ui/main/GridKeys.h"
#include "ui/main/ViewTexts.h"

namespace quoxa {

namespace {

// Larger documents are compared under the progress box.
constexpr int64_t kProgressFrom = int64_t{64} << 20;
constexpr int64_t kCompareStep = int64_t{16} << 20;
constexpr int kListRows = 4;

std::string NameOf(const TDocument& doc) {
  const size_t slash = doc.FileName.find_last_of('/');
  return slash == std::string::npos ? doc.FileName : doc.FileName.substr(slash + 1);
}

}  // namespace

// The difference list: offset left, offset right, length, kind.
class TDiffListModel : public QAbstractTableModel {
 public:
  explicit TDiffListModel(const std::vector<DiffRange>& ranges, QObject* parent)
      : QAbstractTableModel(parent), ranges_(ranges) {}
  void Reset() {
    beginResetModel();
    endResetModel();
  }
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(std::min<size_t>(ranges_.size(), INT32_MAX));
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 4; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const DiffRange& r = ranges_[static_cast<size_t>(index.row())];
    switch (index.column()) {
      case 0:
        return QString::fromStdString(AddressCellText(r.offsetA));
      case 1:
        return QString::fromStdString(AddressCellText(r.offsetB));
      case 2:
        return QString::number(r.Length());
      default:
        return QString::fromLatin1(DiffKindName(r.kind));
    }
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    static const char* const kHeads[] = {"Offset left", "Offset right", "Length", "Kind"};
    return QString::fromLatin1(kHeads[section]);
  }

 private:
  const std::vector<DiffRange>& ranges_;
};

TCompareView::TCompareView(TDocumentCommands& documents, QWidget* parent)
    : QWidget(parent),
      documents_(documents),
      sameOffsets_(new QCheckBox("Same offsets only", this)),
      grid_(new TCompareGrid(this)),
      scroll_(new QScrollBar(Qt::Vertical, this)),
      list_(new QTableView(this)),
      model_(new TDiffListModel(ranges_, this)) {
  setObjectName("CompareView");
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 2, 2, 2);
  auto* head = new QHBoxLayout;
  for (QLabel*& name : names_) {
    name = new QLabel(this);
    head->addWidget(name, 1);
  }
  head->addWidget(sameOffsets_);
  column->addLayout(head);
  auto* sides = new QHBoxLayout;
  sides->setSpacing(0);
  sides->addWidget(grid_, 1);
  sides->addWidget(scroll_);
  column->addLayout(sides, 1);
  list_->setObjectName("DifferenceList");
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->verticalHeader()->hide();
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
  list_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setTabKeyNavigation(false);
  list_->setFixedHeight(list_->horizontalHeader()->sizeHint().height() +
                        kListRows * list_->verticalHeader()->defaultSectionSize() + 4);
  column->addWidget(list_);
  setTabOrder(grid_, list_);
  setTabOrder(list_, sameOffsets_);

  auto shortcut = [this](const char* keys, auto slot) {
    auto* action = new QAction(this);
    action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(action, &QAction::triggered, this, slot);
    this->addAction(action);
  };
  shortcut("F6", [this] { GoToDifference(1); });
  shortcut("Shift+F6", [this] { GoToDifference(-1); });
  shortcut("Alt+Left", [this] { CopyDifferenceTo(true); });
  shortcut("Alt+Right", [this] { CopyDifferenceTo(false); });
  shortcut("Esc", [this] {
    // Esc first takes back a half-typed byte, as in the grid.
    if (grid_->PendingDigit() >= 0) {
      grid_->SetPendingDigit(-1);
    } else {
      Close();
    }
  });

  grid_->Moved = [this] { ShowPosition(); };
  grid_->EditKey = [this](QKeyEvent* event) { return EditKey(event); };
  grid_->ColumnClicked = [this](bool text) {
    if (text != Doc().TextMode && ToggleTextMode) ToggleTextMode();
  };
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int value) {
    if (!syncing_) grid_->SetTopRow(value);
  });
  auto go = [this](const QModelIndex& index) {
    if (index.isValid() && !syncing_) grid_->SetCursor(line_.DifferenceStart(index.row()));
  };
  connect(list_, &QTableView::clicked, this, go);
  connect(list_, &QTableView::activated, this, [this, go](const QModelIndex& index) {
    go(index);
    grid_->setFocus(Qt::OtherFocusReason);
  });
  connect(sameOffsets_, &QCheckBox::toggled, this, [this] { Recompare(); });
}

TCompareView::~TCompareView() = default;

void TCompareView::Start(IFileAsker& asker) {
  if (!Doc().ViewReady || Doc().DocBuffer == nullptr) return;
  const int leftIndex = documents_.ActiveIndex();
  std::vector<int> others;
  std::vector<std::string> items;
  for (int k = 0; k < documents_.Count(); ++k) {
    if (k == leftIndex || documents_.At(k).DocBuffer == nullptr) continue;
    others.push_back(k);
    items.push_back(NameOf(documents_.At(k)));
  }
  int right = -1;
  if (!others.empty()) {
    items.emplace_back(kAnotherFile);
    int choice = 0;
    if (!ListChoice(kCompareTitle, items, false, 0, choice) || choice < 0) return;
    if (choice < static_cast<int>(others.size())) right = others[static_cast<size_t>(choice)];
  }
  if (right < 0) {
    FileQuestion question;
    question.title = kCompareTitle;
    question.startDir = Options().CurrentDir;
    const FileAnswer answer = asker.AskFileName(question);
    if (!answer.ok) return;
    if (!documents_.OpenInTab(answer.path, answer.readOnly)) {
      documents_.Activate(leftIndex);
      return;
    }
    right = documents_.ActiveIndex();
  }
  documents_.Activate(leftIndex);
  Open(documents_.At(leftIndex), documents_.At(right));
}

void TCompareView::Open(TDocument& left, TDocument& right) {
  left_ = &left;
  right_ = &right;
  names_[0]->setText(QString::fromStdString(NameOf(left)));
  names_[1]->setText(QString::fromStdString(NameOf(right)));
  grid_->SetSide(0);
  Recompare();
  grid_->SetCursor(0);
  show();
  if (Shown) Shown(true);
  grid_->setFocus(Qt::OtherFocusReason);
  ShowPosition();
}

void TCompareView::Close() {
  if (!Active()) return;
  left_ = nullptr;
  right_ = nullptr;
  ranges_.clear();
  line_ = TAlignment();
  model_->Reset();
  hide();
  if (Status) Status("");
  if (Shown) Shown(false);
}

TCompareView::Stamp TCompareView::StampOf(const TDocument& doc) {
  return {doc.DocBuffer, doc.DocSize, doc.Journal.UndoDepth(), doc.Journal.RedoDepth()};
}

void TCompareView::Refresh() {
  // A copy compares again itself once its target changed.
  if (!Active() || syncing_ || copying_ || held_) return;
  bool leftOpen = false;
  bool rightOpen = false;
  for (int k = 0; k < documents_.Count(); ++k) {
    leftOpen = leftOpen || &documents_.At(k) == left_;
    rightOpen = rightOpen || &documents_.At(k) == right_;
  }
  if (!leftOpen || !rightOpen || left_->DocBuffer == nullptr || right_->DocBuffer == nullptr) {
    Close();
    return;
  }
  // Another document made active (its tab, a file opened) is the user's work now: the compare
  // gives the window back to it.
  if (&Doc() != left_ && &Doc() != right_) {
    Close();
    return;
  }
  // The other side's tab puts the cursor on that side. A command that moved the document's
  // cursor (Go to, a search hit, a paste) takes the compare cursor with it; the address is read
  // before a compare again puts the document's cursor at the old place.
  TDocument* side = &Doc();
  const bool otherSide = side != SideDocument();
  const int64_t address = CursorAddress();
  const bool follow = side->DocSize > 0 && (otherSide || address != DocumentAddress());
  if (!(StampOf(*left_) == stamps_[0]) || !(StampOf(*right_) == stamps_[1])) {
    Recompare();
    if (!follow && !otherSide) ShowPosition();
  }
  if (otherSide) grid_->SetSide(side == left_ ? 0 : 1);
  if (follow) {
    const int64_t offset = std::clamp<int64_t>(address, 1, side->DocSize) - 1;
    grid_->SetCursor(side == left_ ? line_.VirtualOfA(offset) : line_.VirtualOfB(offset));
  }
  grid_->SetTextColumn(Doc().TextMode);
  grid_->update();
}

void TCompareView::Recompare(const SideEdit* edit) {
  if (!Active()) return;
  const std::span<const uint8_t> a(left_->DocBuffer, static_cast<size_t>(left_->DocSize));
  const std::span<const uint8_t> b(right_->DocBuffer, static_cast<size_t>(right_->DocSize));
  // A typed byte needs only its neighbourhood compared again, without the progress box on
  // every key.
  std::optional<std::vector<DiffRange>> near;
  if (edit != nullptr && !cancelled_) {
    near = CompareAfterEdit(a, b, sameOffsets_->isChecked(), ranges_, edit->side, edit->pos,
                            edit->removed, edit->added, kCompareStep);
  }
  TByteCompare compare(a, b, sameOffsets_->isChecked());
  ranges_.clear();
  cancelled_ = false;
  if (near) {
    ranges_ = std::move(*near);
  } else if (std::max(a.size(), b.size()) > static_cast<size_t>(kProgressFrom)) {
    TProgressBox box({true, true, kComparingText, kComparingCaption});
    while (compare.Step(kCompareStep, ranges_)) {
      box.SetProgress(compare.Done(), static_cast<int64_t>(a.size()), 5);
      if (box.Aborted()) {
        // What was found so far stays shown.
        compare.Stop(ranges_);
        cancelled_ = true;
        break;
      }
    }
  } else {
    while (compare.Step(kCompareStep, ranges_)) {
    }
  }
  line_ = TAlignment(ranges_, left_->DocSize, right_->DocSize);
  stamps_[0] = StampOf(*left_);
  stamps_[1] = StampOf(*right_);
  model_->Reset();
  grid_->SetSides(left_, right_, &line_);
}

int64_t TCompareView::CurrentDifference() const {
  return Active() ? line_.DifferenceAt(grid_->Cursor()) : -1;
}

void TCompareView::ShowPosition() {
  if (!Active()) return;
  syncing_ = true;
  const int64_t maxTop = std::max<int64_t>(0, grid_->RowCount() - grid_->VisibleRows());
  scroll_->setRange(0, static_cast<int>(std::min<int64_t>(maxTop, INT32_MAX)));
  scroll_->setPageStep(grid_->VisibleRows());
  scroll_->setValue(static_cast<int>(std::min<int64_t>(grid_->TopRow(), INT32_MAX)));
  const int64_t k = CurrentDifference();
  if (k >= 0 && k < model_->rowCount({})) {
    list_->selectRow(static_cast<int>(k));
  } else {
    list_->clearSelection();
  }
  syncing_ = false;
  ActivateSide();
  // Every command of the window acts at the document's cursor: it stays on the compare cursor.
  const int64_t address = DocumentAddress();
  if (!held_ && &Doc() == SideDocument() && address >= 1 && address != CursorAddress()) {
    syncing_ = true;
    GotoAddress(address, true, true);
    syncing_ = false;
  }
  grid_->SetTextColumn(Doc().TextMode);
  std::string text;
  if (ranges_.empty()) {
    text = kNoDifferences;
  } else if (k >= 0) {
    text = FormatMsgD(FormatMsgD(kDifferenceOf, k + 1), static_cast<int64_t>(ranges_.size()));
  } else {
    text = FormatMsgD(kDifferenceCount, static_cast<int64_t>(ranges_.size()));
  }
  if (cancelled_) text = FormatMsgD(kCompareCancelled, static_cast<int64_t>(ranges_.size()));
  if (Status) Status(text);
}

void TCompareView::ActivateSide() { ActivateDocument(SideDocument()); }

void TCompareView::ActivateDocument(TDocument* wanted) {
  if (&Doc() == wanted) return;
  for (int k = 0; k < documents_.Count(); ++k) {
    if (&documents_.At(k) == wanted) {
      syncing_ = true;
      documents_.Activate(k);
      syncing_ = false;
      return;
    }
  }
}

void TCompareView::GoToDifference(int step) {
  if (!Active() || ranges_.empty()) {
    QApplication::beep();
    return;
  }
  const int64_t n = static_cast<int64_t>(ranges_.size());
  const int64_t cursor = grid_->Cursor();
  // The first difference beginning after the cursor.
  int64_t lo = 0;
  int64_t hi = n;
  while (lo < hi) {
    const int64_t mid = (lo + hi) / 2;
    if (line_.DifferenceStart(mid) <= cursor) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  int64_t target = lo;
  if (step < 0) {
    const int64_t current = CurrentDifference();
    target = (current >= 0 ? current : lo) - 1;
  }
  if (target < 0 || target >= n) {
    QApplication::beep();
    return;
  }
  grid_->SetCursor(line_.DifferenceStart(target));
}

void TCompareView::CopyDifferenceTo(bool left) {
  const int64_t k = CurrentDifference();
  if (k < 0) {
    QApplication::beep();
    return;
  }
  TDocument& target = left ? *left_ : *right_;
  const TDocument& source = left ? *right_ : *left_;
  const std::span<const uint8_t> bytes(source.DocBuffer, static_cast<size_t>(source.DocSize));
  // The target active while it changes: its Undo command is the one the change enables.
  copying_ = true;
  ActivateDocument(&target);
  const bool copied = CopyDifference(target, bytes, ranges_[static_cast<size_t>(k)], left);
  copying_ = false;
  if (!copied) {
    QApplication::beep();
    ActivateSide();
    return;
  }
  const int64_t cursor = grid_->Cursor();
  Recompare();
  grid_->SetCursor(cursor);
  ShowPosition();
  if (Changed) Changed();
}

TDocument* TCompareView::SideDocument() const { return grid_->Side() == 0 ? left_ : right_; }

int64_t TCompareView::DocumentAddress() const {
  const TDocument* doc = SideDocument();
  const int64_t place = SidePlace();
  // A gap at the side's end has no next byte: its last one stands in.
  return doc == nullptr || doc->DocSize == 0 || place < 0 ? -1 : std::min(place + 1, doc->DocSize);
}

int64_t TCompareView::SideOffset() const {
  return grid_->Side() == 0 ? line_.OffsetA(grid_->Cursor()) : line_.OffsetB(grid_->Cursor());
}

int64_t TCompareView::SidePlace() const {
  return grid_->Side() == 0 ? line_.PlaceA(grid_->Cursor()) : line_.PlaceB(grid_->Cursor());
}

bool TCompareView::EditKey(QKeyEvent* event) {
  if (!Active()) return false;
  // Ctrl and Alt combinations are commands, not characters.
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  switch (event->key()) {
    case Qt::Key_Insert:
      if (event->modifiers() != Qt::NoModifier) return false;
      if (ToggleOverwriteMode) ToggleOverwriteMode();
      return true;
    case Qt::Key_Delete:
      DeleteByte(false);
      return true;
    case Qt::Key_Backspace:
      DeleteByte(true);
      return true;
    default:
      break;
  }
  const std::string text = event->text().toStdString();
  if (text.empty()) return false;
  for (const char c : Utf8ToBytes(text)) {
    if (!Active()) break;
    TypeCharacter(static_cast<uint8_t>(c));
  }
  return true;
}

void TCompareView::TypeCharacter(uint8_t c) {
  if (Doc().TextMode) {
    if (!IsControlCode(c)) StoreByte(c);
    return;
  }
  const int value = TypedHexDigit(static_cast<char>(c));
  if (value < 0) return;
  const int high = grid_->PendingDigit();
  if (high < 0) {
    grid_->SetPendingDigit(value);
  } else {
    StoreByte(static_cast<uint8_t>(high * 16 + value));
  }
}

void TCompareView::StoreByte(uint8_t b) {
  ActivateSide();
  const int64_t place = SidePlace();
  if (place < 0) return;
  // On a gap there is no byte of this side to write over: the byte goes in before the side's
  // next one (at its end: after its last), in either mode, as typing into an empty document does.
  const bool overwrite = Doc().OverwriteMode && SideOffset() >= 0;
  const SideEdit edit{grid_->Side(), place, overwrite && Doc().DocSize > 0 ? 1 : 0, 1, InStep()};
  syncing_ = true;
  const bool stored = StoreTypedByte(place + 1, b, overwrite);
  syncing_ = false;
  if (!stored) {
    Refresh();
    return;
  }
  EditDone(place, true, edit);
}

void TCompareView::DeleteByte(bool before) {
  ActivateSide();
  // Del takes the byte at the cursor, Backspace the side's byte before it.
  const int64_t target = before ? SidePlace() - 1 : SideOffset();
  if (target < 0 || target >= Doc().DocSize) return;
  const SideEdit edit{grid_->Side(), target, 1, 0, InStep()};
  syncing_ = true;
  GotoAddress(target + 1, true, true);
  {
    JournalStep step;
    DeleteByteAt(target + 1);
  }
  syncing_ = false;
  EditDone(std::min(target, Doc().DocSize - 1), false, edit);
}

bool TCompareView::InStep() const {
  return StampOf(*left_) == stamps_[0] && StampOf(*right_) == stamps_[1];
}

void TCompareView::EditDone(int64_t offset, bool next, const SideEdit& edit) {
  const int side = grid_->Side();
  Recompare(edit.inStep ? &edit : nullptr);
  if (offset >= 0) {
    const int64_t v = side == 0 ? line_.VirtualOfA(offset) : line_.VirtualOfB(offset);
    grid_->SetCursor(v + (next ? 1 : 0));
  }
  ShowPosition();
  if (Changed) Changed();
}

}  // namespace quoxa
