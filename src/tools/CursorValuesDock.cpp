#include "tools/CursorValuesDock.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Messages.h"
#include "settings/IniFile.h"
#include "settings/Options.h"
#include "settings/SettingsPath.h"
#include "tools/NumberCommands.h"
#include "tools/ToolTexts.h"
#include "widgets/FixedFont.h"
#include "widgets/QZNumEdit.h"

namespace quoxa {

namespace {

constexpr const char* kSection = "DataInspector";
// The longest value shown (a GUID) in characters of the fixed font.
constexpr int kValueChars = 38;

// Only Enter writes: leaving the editor otherwise (Esc, a click elsewhere, Tab) drops the text.
class TInspectorDelegate : public QStyledItemDelegate {
 public:
  TInspectorDelegate(TDockInspector* dock, QString* reopenText, int* reopenRow)
      : QStyledItemDelegate(dock), dock_(dock), reopenText_(reopenText), reopenRow_(reopenRow) {}

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* edit = static_cast<QLineEdit*>(editor);
    if (*reopenRow_ == index.row()) {
      edit->setText(*reopenText_);
      *reopenRow_ = -1;
      return;
    }
    edit->setText(index.data().toString());
    edit->selectAll();
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    if (!enterPressed_) return;
    enterPressed_ = false;
    // After the editor has closed: the write may show a message box.
    const QString text = static_cast<QLineEdit*>(editor)->text();
    const int row = index.row();
    QTimer::singleShot(0, dock_, [dock = dock_, row, text] { dock->CommitRow(row, text); });
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) enterPressed_ = true;
      if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        emit closeEditor(static_cast<QWidget*>(object), NoHint);
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  TDockInspector* dock_;
  QString* reopenText_;
  int* reopenRow_;
  mutable bool enterPressed_ = false;
};

bool IsEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

}  // namespace

TDockInspector::TDockInspector(QWidget* parent)
    : QDockWidget(QString::fromLatin1(msg::kDataInspector), parent),
      table_(new QTableWidget(kInspectorRowCount, 2)),
      little_(new QRadioButton(QStringLiteral("Little-endian"))),
      big_(new QRadioButton(QStringLiteral("Big-endian"))),
      hex_(new QCheckBox(QStringLiteral("Hex"))) {
  setObjectName("DockInspector");
  setAllowedAreas(Qt::AllDockWidgetAreas);
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);

  table_->setObjectName("TableInspector");
  table_->setHorizontalHeaderLabels({QStringLiteral("Type"), QStringLiteral("Value")});
  table_->verticalHeader()->hide();
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setTabKeyNavigation(false);
  table_->setWordWrap(false);
  table_->setContextMenuPolicy(Qt::CustomContextMenu);
  table_->setItemDelegateForColumn(1, new TInspectorDelegate(this, &reopenText_, &reopenRow_));
  // The grids' font and size, so that the values read like the bytes beside them.
  const QFont fixed = FixedFontFor(QString::fromStdString(Options().Font), Options().FontSize);
  const int rowHeight = std::max(table_->fontMetrics().height(), QFontMetrics(fixed).height()) + 4;
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(rowHeight);
  int nameWidth = 0;
  for (int i = 0; i < kInspectorRowCount; ++i) {
    const auto row = static_cast<InspectorRow>(i);
    auto* name = new QTableWidgetItem(QString::fromLatin1(InspectorRowName(row)));
    name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    auto* value = new QTableWidgetItem(QString::fromLatin1(kInspectorNone));
    value->setFont(fixed);
    value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    table_->setItem(i, 0, name);
    table_->setItem(i, 1, value);
    nameWidth = std::max(nameWidth, table_->fontMetrics().horizontalAdvance(name->text()));
  }
  QHeaderView* header = table_->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Fixed);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->setStretchLastSection(true);
  const int nameColumn = nameWidth + 16;
  const int valueColumn = QFontMetrics(fixed).horizontalAdvance(QString(kValueChars, '0')) + 12;
  table_->setColumnWidth(0, nameColumn);
  table_->setColumnWidth(1, valueColumn);
  table_->setCurrentCell(0, 1);

  auto* options = new QHBoxLayout;
  little_->setObjectName("RadioButtonLittle");
  big_->setObjectName("RadioButtonBig");
  hex_->setObjectName("CheckBoxHex");
  for (QWidget* w : std::initializer_list<QWidget*>{little_, big_, hex_}) options->addWidget(w);
  options->addStretch(1);
  (Options().ByteOrder == 1 ? big_ : little_)->setChecked(true);

  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(4, 4, 4, 4);
  column->addWidget(table_, 1);
  column->addLayout(options);
  setWidget(body);
  const int scroll = table_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table_);
  tableWidth_ = nameColumn + valueColumn + 2 * table_->frameWidth() + scroll;
  sideWidth_ = tableWidth_ + 8;
  // Above or below the grids: the header, some rows, a horizontal scroll bar and the options.
  const int around = header->sizeHint().height() + 2 * table_->frameWidth() + scroll +
                     options->sizeHint().height() + column->spacing() + 8;
  defaultStackedHeight_ = around + 6 * rowHeight;
  leastStackedHeight_ = around + 2 * rowHeight;
  mostStackedHeight_ = around + kInspectorRowCount * rowHeight;
  stackedHeight_ = defaultStackedHeight_;
  FitToPlacement();

  connect(big_, &QRadioButton::toggled, this, &TDockInspector::FormatChanged);
  connect(hex_, &QCheckBox::toggled, this, &TDockInspector::FormatChanged);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { EditRow(row); });
  connect(table_, &QWidget::customContextMenuRequested, this, &TDockInspector::ShowContextMenu);
  connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
    if (visible) Refresh();
  });
  connect(this, &QDockWidget::dockLocationChanged, this, [this](Qt::DockWidgetArea area) {
    if (area != Qt::NoDockWidgetArea) area_ = area;
    FitToPlacement();
  });
  connect(this, &QDockWidget::topLevelChanged, this, &TDockInspector::FitToPlacement);
  table_->installEventFilter(this);
}

Qt::DockWidgetArea TDockInspector::DockedArea() const {
  auto* window = qobject_cast<QMainWindow*>(parentWidget());
  const Qt::DockWidgetArea area = window != nullptr
                                      ? window->dockWidgetArea(const_cast<TDockInspector*>(this))
                                      : Qt::NoDockWidgetArea;
  return area != Qt::NoDockWidgetArea ? area : area_;
}

void TDockInspector::FitToPlacement() {
  QWidget* body = widget();
  const Qt::DockWidgetArea area = DockedArea();
  const bool stacked = area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
  body->setMinimumSize(0, 0);
  body->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  table_->setMinimumWidth(0);
  if (isFloating()) {
    table_->setMinimumWidth(tableWidth_);
    body->setMinimumHeight(leastStackedHeight_);
  } else if (stacked) {
    body->setFixedHeight(stackedHeight_);
  } else {
    table_->setMinimumWidth(tableWidth_);
    body->setFixedWidth(sideWidth_);
  }
}

void TDockInspector::DocumentOrCursorChanged() {
  if (!isVisible() || pending_) return;
  // Many changes of one command or key come as one update, after the grids have painted.
  pending_ = true;
  QTimer::singleShot(0, this, [this] {
    pending_ = false;
    if (isVisible()) Refresh();
  });
}

void TDockInspector::Refresh() {
  InspectorFormat format;
  format.bigEndian = big_->isChecked();
  format.hex = hex_->isChecked();
  format.separator = LocaleDecimalSeparator();
  InspectorValues values;
  DecodeInspector(InspectorBytes(), format, values);
  for (int i = 0; i < kInspectorRowCount; ++i) {
    auto& shown = values_[static_cast<size_t>(i)];
    if (shown == values[static_cast<size_t>(i)] && !shown.empty()) continue;
    shown = std::move(values[static_cast<size_t>(i)]);
    table_->item(i, 1)->setText(QString::fromStdString(shown));
  }
}

void TDockInspector::FormatChanged() { Refresh(); }

QString TDockInspector::Value(InspectorRow row) const { return table_->item(static_cast<int>(row), 1)->text(); }

void TDockInspector::ShowFocused() {
  show();
  raise();
  // Floating, the dock is a window of its own that takes the keys.
  if (isFloating()) activateWindow();
  Refresh();
  table_->setCurrentCell(0, 1);
  table_->setFocus(Qt::ShortcutFocusReason);
}

QWidget* TDockInspector::FocusAfterMessage() const { return messageShown_ ? table_ : nullptr; }

void TDockInspector::EditRow(int row) {
  if (row < 0 || row >= kInspectorRowCount) return;
  table_->setCurrentCell(row, 1);
  const std::string refusal = InspectorEditRefusal(static_cast<InspectorRow>(row));
  if (refusal.empty()) {
    table_->editItem(table_->item(row, 1));
    return;
  }
  messageShown_ = true;
  ShowError(refusal);
  table_->setFocus(Qt::OtherFocusReason);
  QTimer::singleShot(0, this, [this] { messageShown_ = false; });
}

void TDockInspector::CommitRow(int row, const QString& text) {
  const auto inspected = static_cast<InspectorRow>(row);
  const bool refused = !InspectorEditRefusal(inspected).empty();
  messageShown_ = true;
  const bool written = WriteInspectorValue(inspected, text.toStdString(), big_->isChecked(), LocaleDecimalSeparator());
  table_->setFocus(Qt::OtherFocusReason);
  QTimer::singleShot(0, this, [this] { messageShown_ = false; });
  Refresh();
  // A value the encoder refused goes back into the editor to be corrected.
  if (!written && !refused) {
    reopenText_ = text;
    reopenRow_ = row;
    table_->setCurrentCell(row, 1);
    table_->editItem(table_->item(row, 1));
  }
}

void TDockInspector::CopyRow(int row) const {
  if (row < 0 || row >= kInspectorRowCount) return;
  QApplication::clipboard()->setText(table_->item(row, 1)->text());
}

void TDockInspector::ShowContextMenu(const QPoint& at) {
  const int row = table_->rowAt(at.y());
  if (row < 0) return;
  table_->setCurrentCell(row, 1);
  QMenu menu(this);
  QAction* copy = menu.addAction(QStringLiteral("&Copy"), this, [this, row] { CopyRow(row); });
  copy->setShortcut(QKeySequence::Copy);
  QAction* edit = menu.addAction(QStringLiteral("&Edit"), this, [this, row] { EditRow(row); });
  edit->setShortcut(QKeySequence(Qt::Key_F2));
  menu.exec(table_->viewport()->mapToGlobal(at));
}

bool TDockInspector::eventFilter(QObject* watched, QEvent* event) {
  // Keys the value editor passes on (its Enter) are not the table's.
  if (watched == table_ && table_->hasFocus() &&
      (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool copy = key->matches(QKeySequence::Copy);
    const bool edit = IsEnter(key) || (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier);
    const bool back = key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier;
    if (copy || edit || back) {
      // Ours before the main window's shortcuts (Ctrl+C copies the block there).
      if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
      }
      if (copy) CopyRow(table_->currentRow());
      if (edit) EditRow(table_->currentRow());
      if (back && focusBack_) focusBack_();
      return true;
    }
  }
  return QDockWidget::eventFilter(watched, event);
}

void TDockInspector::LoadSettings() {
  const TIniFile ini(SettingsFilePath());
  const int order = ini.ReadInteger(kSection, "ByteOrder", Options().ByteOrder);
  (order == 1 ? big_ : little_)->setChecked(true);
  hex_->setChecked(ini.ReadBool(kSection, "Hex", false));
  // Qt's numbers of the sides; anything else is the right side.
  const int area = ini.ReadInteger(kSection, "Area", Qt::RightDockWidgetArea);
  area_ = area == Qt::LeftDockWidgetArea || area == Qt::TopDockWidgetArea ||
                  area == Qt::BottomDockWidgetArea
              ? static_cast<Qt::DockWidgetArea>(area)
              : Qt::RightDockWidgetArea;
  const int stacked = ini.ReadInteger(kSection, "DockHeight", defaultStackedHeight_);
  stackedHeight_ = stacked >= leastStackedHeight_ && stacked <= mostStackedHeight_
                       ? stacked
                       : defaultStackedHeight_;
  if (auto* window = qobject_cast<QMainWindow*>(parentWidget())) window->addDockWidget(area_, this);
  FitToPlacement();
  if (ini.ReadBool(kSection, "Floating", false)) {
    setFloating(true);
    const QRect stored(
        ini.ReadInteger(kSection, "Left", x()), ini.ReadInteger(kSection, "Top", y()),
        ini.ReadInteger(kSection, "Width", width()), ini.ReadInteger(kSection, "Height", height()));
    const QSize least = minimumSizeHint();
    // A size smaller than the dock's least or a place on no screen is not taken.
    if (stored.width() >= least.width() && stored.height() >= least.height() &&
        stored.width() <= 10000 && stored.height() <= 10000) {
      resize(stored.size());
    }
    const QScreen* screen = QGuiApplication::screenAt(stored.topLeft() + QPoint(20, 20));
    if (screen != nullptr) move(stored.topLeft());
  }
  setVisible(ini.ReadBool(kSection, "Visible", false));
}

void TDockInspector::SaveSettings() const {
  TIniFile ini(SettingsFilePath());
  ini.WriteBool(kSection, "Visible", !isHidden());
  ini.WriteInteger(kSection, "Area", DockedArea());
  ini.WriteInteger(kSection, "DockHeight", stackedHeight_);
  ini.WriteBool(kSection, "Floating", isFloating());
  if (isFloating()) {
    ini.WriteInteger(kSection, "Left", x());
    ini.WriteInteger(kSection, "Top", y());
    ini.WriteInteger(kSection, "Width", width());
    ini.WriteInteger(kSection, "Height", height());
  }
  ini.WriteInteger(kSection, "ByteOrder", big_->isChecked() ? 1 : 0);
  ini.WriteBool(kSection, "Hex", hex_->isChecked());
}

}  // namespace quoxa
