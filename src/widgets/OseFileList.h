#pragma once
// The file dialog's file list: one model shown as large icons, small icons, a
// list or details with the columns Name, Size, Type and Date, sorted by column.

#include <QHash>
#include <QIcon>
#include <QWidget>

#include "widgets/FileListSort.h"

class QListView;
class QStackedWidget;
class QStandardItemModel;
class QTreeView;

namespace quoxa {

enum class OseViewStyle { LargeIcons, SmallIcons, List, Details };

class TOseFileList : public QWidget {
  Q_OBJECT
 public:
  explicit TOseFileList(QWidget* parent = nullptr);

  // Lists the folder's files matching the filter, unless that folder and filter
  // are shown already (force refills anyway). Sorted as last time.
  void Fill(const QString& folder, const QString& filter, bool force = false);
  void SetViewStyle(OseViewStyle style);
  OseViewStyle ViewStyle() const { return style_; }
  // Sorts by the column in its direction and flips that direction for next time.
  void SortBy(FileColumn column);
  void SetMultiSelect(bool on);

  // Names in the order shown, and the selected ones.
  QStringList Names() const;
  QStringList SelectedNames() const;
  // Text of a cell as shown.
  QString CellText(int row, FileColumn column) const;

  QTreeView* DetailsView() const { return details_; }
  QListView* IconView() const { return icons_; }

 signals:
  void FileActivated(const QString& name);
  void SelectionChanged(const QStringList& names);

 private:
  void ApplySort(FileColumn column, bool ascending);
  void FitSizeColumn();
  QIcon IconFor(const QString& folder, const QString& name);
  QString TypeFor(const QString& name);

  QStandardItemModel* model_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  QListView* icons_ = nullptr;
  QTreeView* details_ = nullptr;
  OseViewStyle style_ = OseViewStyle::Details;
  TFileListSort sort_;
  QString shownFolder_;
  QString shownFilter_;
  bool filled_ = false;
  QHash<QString, QIcon> iconsBySuffix_;
  QHash<QString, QString> typesBySuffix_;
};

}  // namespace quoxa
