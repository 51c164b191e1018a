#include "widgets/OseFileList.h"

#include <QApplication>
#include <QDateTime>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QListView>
#include <QLocale>
#include <QMimeDatabase>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

#include "core/TextFormat.h"
#include "widgets/FileDialogRules.h"

namespace quoxa {

namespace {

constexpr int kSortRole = Qt::UserRole + 1;

QString Suffix(const QString& name) {
  const int dot = name.lastIndexOf('.');
  return dot > 0 ? name.mid(dot + 1).toLower() : QString();
}

// Short date, a blank, the time with seconds (the zone name left out).
QString DateText(const QDateTime& time) {
  const QLocale locale = QLocale::system();
  QString timeFormat = locale.timeFormat(QLocale::LongFormat);
  timeFormat.remove('t');
  return locale.toString(time.date(), QLocale::ShortFormat) + " " + time.time().toString(timeFormat.trimmed());
}

}  // namespace

TOseFileList::TOseFileList(QWidget* parent) : QWidget(parent) {
  model_ = new QStandardItemModel(0, 4, this);
  model_->setHorizontalHeaderLabels({"Name", "Size", "Type", "Date"});
  model_->setSortRole(kSortRole);

  details_ = new QTreeView;
  details_->setObjectName("ListViewFiles");
  details_->setModel(model_);
  details_->setRootIsDecorated(false);
  details_->setItemsExpandable(false);
  details_->setUniformRowHeights(true);
  details_->setAllColumnsShowFocus(true);
  details_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  details_->header()->setSectionsClickable(true);
  details_->header()->setSortIndicatorShown(true);
  details_->header()->setStretchLastSection(false);
  details_->setColumnWidth(0, 190);
  details_->setColumnWidth(1, 80);
  details_->setColumnWidth(2, 140);
  details_->setColumnWidth(3, 160);

  icons_ = new QListView;
  icons_->setObjectName("ListViewFilesIcons");
  icons_->setModel(model_);
  icons_->setSelectionModel(details_->selectionModel());
  icons_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  icons_->setMovement(QListView::Static);
  icons_->setResizeMode(QListView::Adjust);
  icons_->setWrapping(true);

  stack_ = new QStackedWidget;
  stack_->addWidget(icons_);
  stack_->addWidget(details_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(stack_);
  SetMultiSelect(false);
  SetViewStyle(OseViewStyle::Details);

  connect(details_->header(), &QHeaderView::sectionClicked, this,
          [this](int section) { SortBy(static_cast<FileColumn>(section)); });
  for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(details_), static_cast<QAbstractItemView*>(icons_)}) {
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
      emit FileActivated(model_->item(index.row(), 0)->text());
    });
  }
  connect(details_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { emit SelectionChanged(SelectedNames()); });
}

void TOseFileList::SetMultiSelect(bool on) {
  const auto mode = on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
  details_->setSelectionMode(mode);
  icons_->setSelectionMode(mode);
}

void TOseFileList::SetViewStyle(OseViewStyle style) {
  style_ = style;
  if (style == OseViewStyle::Details) {
    stack_->setCurrentWidget(details_);
    return;
  }
  const int small = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
  const int large = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
  if (style == OseViewStyle::LargeIcons) {
    icons_->setViewMode(QListView::IconMode);
    icons_->setIconSize(QSize(large, large));
    icons_->setGridSize(QSize(large * 3, large * 2 + fontMetrics().height()));
    icons_->setWordWrap(true);
  } else {
    icons_->setViewMode(QListView::ListMode);
    icons_->setIconSize(QSize(small, small));
    icons_->setWordWrap(false);
    if (style == OseViewStyle::SmallIcons) {
      icons_->setFlow(QListView::LeftToRight);
      icons_->setGridSize(QSize(small * 10, small + 6));
    } else {
      icons_->setFlow(QListView::TopToBottom);
      icons_->setGridSize(QSize());
    }
  }
  icons_->setMovement(QListView::Static);
  icons_->setWrapping(true);
  icons_->setResizeMode(QListView::Adjust);
  stack_->setCurrentWidget(icons_);
}

QIcon TOseFileList::IconFor(const QString& folder, const QString& name) {
  const QString suffix = Suffix(name);
  auto it = iconsBySuffix_.find(suffix);
  if (it == iconsBySuffix_.end()) {
    static const QFileIconProvider provider;
    QIcon icon = provider.icon(QFileInfo(folder + "/" + name));
    if (icon.isNull()) icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    it = iconsBySuffix_.insert(suffix, icon);
  }
  return *it;
}

QString TOseFileList::TypeFor(const QString& name) {
  const QString suffix = Suffix(name);
  auto it = typesBySuffix_.find(suffix);
  if (it == typesBySuffix_.end()) {
    static const QMimeDatabase mime;
    const QMimeType type = mime.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
    QString text;
    if (!type.isDefault() && !type.comment().isEmpty()) {
      text = type.comment();
      text[0] = text[0].toUpper();
    } else {
      text = suffix.isEmpty() ? QStringLiteral("File") : suffix.toUpper() + " File";
    }
    it = typesBySuffix_.insert(suffix, text);
  }
  return *it;
}

void TOseFileList::Fill(const QString& folder, const QString& filter, bool force) {
  if (!force && filled_ && folder == shownFolder_ && filter == shownFilter_) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  filled_ = true;
  shownFolder_ = folder;
  shownFilter_ = filter;
  model_->removeRows(0, model_->rowCount());
  const auto entries = ListFolderFiles(folder.toStdString(), filter.toStdString());
  for (const TFileEntry& entry : entries) {
    const QString name = QString::fromStdString(entry.name);
    const QDateTime time = QDateTime::fromSecsSinceEpoch(entry.modified);
    auto* nameItem = new QStandardItem(IconFor(folder, name), name);
    nameItem->setData(name.toLower(), kSortRole);
    auto* sizeItem = new QStandardItem(QString::fromStdString(FormatThousands(entry.size)));
    sizeItem->setData(static_cast<qlonglong>(entry.size), kSortRole);
    sizeItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QString type = TypeFor(name);
    auto* typeItem = new QStandardItem(type);
    typeItem->setData(type.toLower(), kSortRole);
    auto* dateItem = new QStandardItem(DateText(time));
    dateItem->setData(time, kSortRole);
    model_->appendRow({nameItem, sizeItem, typeItem, dateItem});
  }
  ApplySort(sort_.LastColumn(), sort_.LastAscending());
  FitSizeColumn();
  QApplication::restoreOverrideCursor();
}

void TOseFileList::FitSizeColumn() {
  // The sizes are never cut short; a column the user made wider stays so.
  const int column = static_cast<int>(FileColumn::Size);
  const QFontMetrics metrics(details_->font());
  int widest = details_->header()->sectionSizeHint(column);
  const int margins = 2 * (details_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, details_) + 1) + 6;
  for (int row = 0; row < model_->rowCount(); ++row) {
    widest = std::max(widest, metrics.horizontalAdvance(model_->item(row, column)->text()) + margins);
  }
  if (details_->columnWidth(column) < widest) details_->setColumnWidth(column, widest);
}

void TOseFileList::ApplySort(FileColumn column, bool ascending) {
  const Qt::SortOrder order = ascending ? Qt::AscendingOrder : Qt::DescendingOrder;
  model_->sort(static_cast<int>(column), order);
  details_->header()->setSortIndicator(static_cast<int>(column), order);
}

void TOseFileList::SortBy(FileColumn column) { ApplySort(column, sort_.Take(column)); }

QStringList TOseFileList::Names() const {
  QStringList names;
  for (int row = 0; row < model_->rowCount(); ++row) names << model_->item(row, 0)->text();
  return names;
}

QStringList TOseFileList::SelectedNames() const {
  QStringList names;
  QList<int> rows;
  for (const QModelIndex& index : details_->selectionModel()->selectedRows(0)) rows << index.row();
  std::sort(rows.begin(), rows.end());
  for (int row : rows) names << model_->item(row, 0)->text();
  return names;
}

QString TOseFileList::CellText(int row, FileColumn column) const {
  const QStandardItem* item = model_->item(row, static_cast<int>(column));
  return item != nullptr ? item->text() : QString();
}

}  // namespace quoxa
