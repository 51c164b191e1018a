#include "widgets/FormOSE.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSplitter>
#include <QStorageInfo>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <cmath>

#include "core/Messages.h"
#include "settings/IniFile.h"
#include "settings/Placement.h"
#include "settings/SettingsPath.h"
#include "widgets/DialogPlacement.h"
#include "widgets/OseDirTree.h"
#include "widgets/OseFileList.h"

namespace quoxa {

namespace {

constexpr const char* kSection = "TFormOSE";
constexpr const char* kWidthsKey = "ListViewFiles";

// A small star, with a plus (add) or a down arrow (choose from the list).
QIcon FavoriteIcon(const QPalette& palette, bool add) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath star;
  for (int i = 0; i < 10; ++i) {
    const double radius = (i % 2 == 0) ? 6.5 : 2.8;
    const double angle = -M_PI / 2 + i * M_PI / 5;
    const QPointF point(7 + radius * std::cos(angle), 7.5 + radius * std::sin(angle));
    if (i == 0) star.moveTo(point); else star.lineTo(point);
  }
  star.closeSubpath();
  p.setPen(QPen(QColor(150, 110, 0), 1));
  p.setBrush(QColor(250, 200, 40));
  p.drawPath(star);
  p.setPen(QPen(palette.color(QPalette::WindowText), 1.6));
  if (add) {
    p.drawLine(QPointF(12.5, 9), QPointF(12.5, 15));
    p.drawLine(QPointF(9.5, 12), QPointF(15.5, 12));
  } else {
    p.setBrush(palette.color(QPalette::WindowText));
    p.drawPolygon(QPolygonF({QPointF(10, 11), QPointF(15.5, 11), QPointF(12.75, 14.5)}));
  }
  return QIcon(pixmap);
}

}  // namespace

TFormOSE::TFormOSE(QWidget* parent) : QDialog(parent) {
  setObjectName("FormOSE");
  setSizeGripEnabled(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  drives_ = new QComboBox;
  drives_->setObjectName("ComboBoxDrive");
  drives_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  drives_->setMinimumContentsLength(18);
  auto* driveLabel = new QLabel("&Mount point:");
  driveLabel->setBuddy(drives_);
  connect(drives_, &QComboBox::activated, this, [this](int index) { SetDirectory(drives_->itemData(index).toString()); });

  const QPalette pal = palette();
  auto* up = ToolButton("ButtonUp", "Directory up", style()->standardIcon(QStyle::SP_FileDialogToParent));
  connect(up, &QToolButton::clicked, this, &TFormOSE::DirectoryUp);
  addFavorite_ = ToolButton("ButtonAddFavorite", "Add to favorites", FavoriteIcon(pal, true));
  connect(addFavorite_, &QToolButton::clicked, this, &TFormOSE::AddFavoriteClick);
  searchFavorites_ = ToolButton("ButtonFavorites", "Search in favorites", FavoriteIcon(pal, false));
  connect(searchFavorites_, &QToolButton::clicked, this, &TFormOSE::SearchFavoritesClick);

  fileList_ = new TOseFileList;
  struct ViewButton { const char* name; const char* hint; QStyle::StandardPixmap icon; OseViewStyle style; };
  const ViewButton views[] = {
      {"ButtonLargeIcons", "Large icons", QStyle::SP_FileDialogContentsView, OseViewStyle::LargeIcons},
      {"ButtonSmallIcons", "Small icons", QStyle::SP_FileDialogInfoView, OseViewStyle::SmallIcons},
      {"ButtonList", "List", QStyle::SP_FileDialogListView, OseViewStyle::List},
      {"ButtonDetails", "Details", QStyle::SP_FileDialogDetailedView, OseViewStyle::Details},
  };
  auto* toolRow = new QHBoxLayout;
  toolRow->addWidget(driveLabel);
  toolRow->addWidget(drives_, 1);
  toolRow->addWidget(up);
  toolRow->addWidget(addFavorite_);
  toolRow->addWidget(searchFavorites_);
  toolRow->addSpacing(10);
  for (const ViewButton& v : views) {
    QToolButton* button = ToolButton(v.name, v.hint, style()->standardIcon(v.icon));
    const OseViewStyle viewStyle = v.style;
    connect(button, &QToolButton::clicked, this, [this, viewStyle] { fileList_->SetViewStyle(viewStyle); });
    toolRow->addWidget(button);
  }
  toolRow->addSpacing(10);
  struct SortButton { const char* name; const char* hint; const char* text; FileColumn column; };
  const SortButton sorts[] = {
      {"ButtonSortName", "Sort by name", "Name", FileColumn::Name},
      {"ButtonSortExt", "Sort by extension", "Type", FileColumn::Type},
      {"ButtonSortSize", "Sort by size", "Size", FileColumn::Size},
      {"ButtonSortTime", "Sort by time", "Time", FileColumn::Date},
  };
  for (const SortButton& s : sorts) {
    QToolButton* button = ToolButton(s.name, s.hint, QIcon(), s.text);
    const FileColumn column = s.column;
    connect(button, &QToolButton::clicked, this, [this, column] { fileList_->SortBy(column); });
    toolRow->addWidget(button);
  }

  pathLabel_ = new QLabel;
  pathLabel_->setObjectName("LabelPath");
  pathLabel_->setTextFormat(Qt::PlainText);
  pathLabel_->setMinimumWidth(100);

  tree_ = new TOseDirTree;
  tree_->setObjectName("DirectoryTree");
  connect(tree_, &TOseDirTree::DirectoryChosen, this, &TFormOSE::SetDirectory);
  auto* splitter = new QSplitter;
  splitter->addWidget(tree_);
  splitter->addWidget(fileList_);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 3);
  splitter->setSizes({200, 620});
  connect(fileList_, &TOseFileList::SelectionChanged, this, &TFormOSE::FileSelectionChanged);
  connect(fileList_, &TOseFileList::FileActivated, this, [this](const QString& name) {
    edit_->setText(name);
    OkClick();
  });

  edit_ = new QLineEdit;
  edit_->setObjectName("EditFileName");
  filters_ = new QComboBox;
  filters_->setObjectName("ComboBoxFilter");
  connect(filters_, &QComboBox::activated, this, &TFormOSE::FilterChosen);
  readOnly_ = new QCheckBox("Open in &Read Only Mode");
  readOnly_->setObjectName("CheckBoxReadOnly");
  ok_ = new QPushButton("&Open");
  ok_->setObjectName("ButtonOK");
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &TFormOSE::OkClick);
  auto* cancel = new QPushButton("Cancel");
  cancel->setObjectName("ButtonCancel");
  connect(cancel, &QPushButton::clicked, this, &TFormOSE::CancelClick);
  auto* nameLabel = new QLabel("File &name:");
  nameLabel->setBuddy(edit_);
  auto* typeLabel = new QLabel("Files of &type:");
  typeLabel->setBuddy(filters_);

  auto* bottom = new QGridLayout;
  bottom->addWidget(nameLabel, 0, 0);
  bottom->addWidget(edit_, 0, 1);
  bottom->addWidget(ok_, 0, 2);
  bottom->addWidget(typeLabel, 1, 0);
  bottom->addWidget(filters_, 1, 1);
  bottom->addWidget(cancel, 1, 2);
  bottom->addWidget(readOnly_, 2, 1);
  bottom->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(toolRow);
  layout->addWidget(pathLabel_);
  layout->addWidget(splitter, 1);
  layout->addLayout(bottom);
  resize(840, 480);

  const TIniFile ini(SettingsFilePath());
  QHeaderView* header = fileList_->DetailsView()->header();
  const auto widths = ParseColumnWidths(ini.ReadString(kSection, kWidthsKey, ""), static_cast<size_t>(header->count()));
  for (size_t col = 0; col < widths.size(); ++col) header->resizeSection(static_cast<int>(col), widths[col]);
}

TFormOSE::~TFormOSE() {
  QHeaderView* header = fileList_->DetailsView()->header();
  std::vector<int> widths;
  for (int col = 0; col < header->count(); ++col) widths.push_back(header->sectionSize(col));
  TIniFile ini(SettingsFilePath());
  ini.WriteString(kSection, kWidthsKey, FormatColumnWidths(widths));
}

QToolButton* TFormOSE::ToolButton(const char* name, const QString& hint, const QIcon& icon, const QString& text) {
  auto* button = new QToolButton;
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::TabFocus);
  if (icon.isNull()) {
    button->setText(text);
  } else {
    button->setIcon(icon);
  }
  return button;
}

std::string TFormOSE::IniPath() const {
  return params_.iniFile.isEmpty() ? SettingsFilePath() : params_.iniFile.toStdString();
}

bool TFormOSE::ReadOnlyChecked() const { return readOnly_->isVisibleTo(this) && readOnly_->isChecked(); }

int TFormOSE::Execute(const Params& params, QString& startDir) {
  Prepare(params, startDir);
  CenterOverActiveWindow(this);
  const int result = exec();
  Finish(result, startDir);
  return result;
}

void TFormOSE::Prepare(const Params& params, const QString& startDir) {
  params_ = params;
  fileName_.clear();
  files_.clear();
  setWindowTitle(params.caption);
  const bool opening = params.mode == OseMode::Open || params.mode == OseMode::OpenMany;
  readOnly_->setVisible(opening && params.offerReadOnly);
  fileList_->SetMultiSelect(params.mode == OseMode::OpenMany);
  edit_->setEnabled(params.mode != OseMode::Directory);

  QString folder = startDir.isEmpty() ? QString()
                                      : QString::fromStdString(ExpandPath(startDir.toStdString(), ExecutableDirectory()));
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QString::fromStdString(ExecutableDirectory());

  filters_->clear();
  for (const std::string& pattern : SplitFilterList(params.filters.toStdString())) {
    filters_->addItem(QString::fromStdString(pattern));
  }
  if (filters_->count() == 0) filters_->addItem("*.*");
  const int index = ChooseFilterIndex(params.filters.toStdString(), rememberedFilter_.toStdString(),
                                      rememberedFilterIndex_);
  filters_->setCurrentIndex(index);
  filter_ = filters_->currentText();

  const QString typed = edit_->text().trimmed();
  if (params.mode != OseMode::Directory && HasWildcards(typed.toStdString()) && !typed.contains('/')) {
    filter_ = typed;
  } else {
    edit_->clear();
  }

  ok_->setText(params.mode == OseMode::Save ? "&Save" : "&Open");
  FillDrives();
  // The folder may have changed since the last run: always list it afresh.
  directory_.clear();
  SetDirectory(folder);
  fileList_->Fill(directory_, filter_, true);

  favorites_.Items.clear();
  const bool withFavorites = !params.favoritesSection.isEmpty();
  if (withFavorites) favorites_.Load(TIniFile(IniPath()), params.favoritesSection.toStdString());
  addFavorite_->setVisible(withFavorites);
  searchFavorites_->setVisible(withFavorites);
  if (params.mode == OseMode::Save) {
    edit_->setFocus();
  } else {
    tree_->setFocus();
  }
}

void TFormOSE::Finish(int result, QString& startDir) {
  if (!params_.favoritesSection.isEmpty()) {
    TIniFile ini(IniPath());
    favorites_.Save(ini, params_.favoritesSection.toStdString());
  }
  if (result == QDialog::Accepted) {
    startDir = directory_;
  } else {
    fileName_.clear();
    files_.clear();
  }
}

void TFormOSE::FillDrives() {
  drives_->clear();
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString root = volume.rootPath();
    const QString name = volume.displayName();
    drives_->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), name == root ? root : root + "  [" + name + "]",
                     root);
  }
}

void TFormOSE::SelectDrive() {
  int best = -1;
  qsizetype bestLength = -1;
  for (int i = 0; i < drives_->count(); ++i) {
    const QString root = drives_->itemData(i).toString();
    const bool contains = root == "/" || directory_ == root || directory_.startsWith(root + "/");
    if (contains && root.size() > bestLength) {
      best = i;
      bestLength = root.size();
    }
  }
  drives_->setCurrentIndex(best);
}

void TFormOSE::SetDirectory(const QString& path) {
  if (path.isEmpty() || !QFileInfo(path).isDir()) return;
  const QString folder = QString::fromStdString(ExpandPath(path.toStdString(), directory_.toStdString()));
  directory_ = folder;
  tree_->SetDirectory(folder);
  SelectDrive();
  pathLabel_->setText(folder);
  pathLabel_->setToolTip(folder);
  fileList_->Fill(folder, filter_);
}

void TFormOSE::DirectoryUp() { SetDirectory(ParentDirectory(directory_)); }

void TFormOSE::FilterChosen(int index) {
  if (index < 0) return;
  rememberedFilterIndex_ = index;
  rememberedFilter_ = filters_->itemText(index);
  filter_ = rememberedFilter_;
  fileList_->Fill(directory_, filter_);
}

void TFormOSE::FileSelectionChanged(const QStringList& names) {
  if (names.isEmpty()) return;
  if (names.size() == 1) {
    edit_->setText(names.front());
    return;
  }
  QStringList quoted;
  for (const QString& name : names) quoted << "\"" + name + "\"";
  edit_->setText(quoted.join(' '));
}

void TFormOSE::OkClick() {
  std::vector<std::string> listed;
  for (const QString& name : fileList_->Names()) listed.push_back(name.toStdString());
  const TFileNameOutcome outcome = EvaluateFileName(params_.mode, edit_->text().toStdString(), directory_.toStdString(),
                                                    filter_.toStdString(), listed, params_.minFreeSpace);
  switch (outcome.kind) {
    case TFileNameOutcome::Kind::Nothing:
      return;
    case TFileNameOutcome::Kind::ChangeDirectory:
      if (!outcome.filter.empty()) {
        filter_ = QString::fromStdString(outcome.filter);
      } else {
        edit_->clear();
      }
      SetDirectory(QString::fromStdString(outcome.directory));
      fileList_->Fill(directory_, filter_);
      return;
    case TFileNameOutcome::Kind::Refuse:
      edit_->setFocus();
      edit_->selectAll();
      return;
    case TFileNameOutcome::Kind::Accept:
      break;
  }
  files_.clear();
  for (const std::string& path : outcome.paths) files_ << QString::fromStdString(path);
  fileName_ = files_.front();
  if (!outcome.editText.empty()) edit_->setText(QString::fromStdString(outcome.editText));
  accept();
}

void TFormOSE::CancelClick() {
  fileName_.clear();
  files_.clear();
  reject();
}

void TFormOSE::AddFavoriteClick() { favorites_.Add(directory_.toStdString()); }

void TFormOSE::SearchFavoritesClick() {
  int index = 0;
  if (!ListChoice("Select/delete from favorites", favorites_.Items, true, 0, index)) return;
  const QString chosen = QString::fromStdString(favorites_.Items[static_cast<size_t>(index)]);
  if (!QFileInfo(chosen).isDir()) return;
  SetDirectory(chosen);
  // The list keeps the most recently chosen folder first.
  favorites_.Add(chosen.toStdString());
}

}  // namespace quoxa
