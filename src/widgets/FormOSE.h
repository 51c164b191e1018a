#pragma once
// The program's own file open/save dialog: drive box, folder tree, file list with
// four view styles and sorting, file-name edit, filter list, read-only check box
// and favourite folders. One instance serves the whole run (see FileDialogs.h).

#include <QDialog>

#include "settings/RecentList.h"
#include "widgets/FileDialogRules.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace quoxa {

class TOseDirTree;
class TOseFileList;

class TFormOSE : public QDialog {
  Q_OBJECT
 public:
  struct Params {
    OseMode mode = OseMode::Open;
    QString caption;
    QString favoritesSection;  // "" hides the favourites buttons
    QString iniFile;           // "" = the settings file
    qint64 minFreeSpace = 0;   // 0 = no check when saving
    QString filters;           // comma-separated patterns, e.g. "*.*,*.exe"
    bool offerReadOnly = true; // the read-only check box (open modes only)
  };

  explicit TFormOSE(QWidget* parent = nullptr);
  // Writes the file list's column widths.
  ~TFormOSE() override;

  // Runs the dialog; startDir in and out (the dialog's folder after OK). 1 for OK.
  int Execute(const Params& params, QString& startDir);
  // The steps of Execute before and after the modal run.
  void Prepare(const Params& params, const QString& startDir);
  void Finish(int result, QString& startDir);

  QString FileName() const { return fileName_; }
  QStringList Files() const { return files_; }
  bool ReadOnlyChecked() const;
  QString Directory() const { return directory_; }
  QString Filter() const { return filter_; }
  TOseFileList* FileList() const { return fileList_; }

  void SetDirectory(const QString& path);
  void OkClick();
  void CancelClick();
  void DirectoryUp();
  void AddFavoriteClick();
  void SearchFavoritesClick();

 private:
  QToolButton* ToolButton(const char* name, const QString& hint, const QIcon& icon, const QString& text = QString());
  void FillDrives();
  void SelectDrive();
  void FilterChosen(int index);
  void FileSelectionChanged(const QStringList& names);
  std::string IniPath() const;

  Params params_;
  QString directory_;
  QString filter_;
  QString rememberedFilter_;
  int rememberedFilterIndex_ = 0;
  QString fileName_;
  QStringList files_;
  TFavoriteList favorites_;

  QComboBox* drives_ = nullptr;
  QLabel* pathLabel_ = nullptr;
  TOseDirTree* tree_ = nullptr;
  TOseFileList* fileList_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QComboBox* filters_ = nullptr;
  QCheckBox* readOnly_ = nullptr;
  QPushButton* ok_ = nullptr;
  QToolButton* addFavorite_ = nullptr;
  QToolButton* searchFavorites_ = nullptr;
};

}  // namespace quoxa
