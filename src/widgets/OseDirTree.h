#pragma once
// The file dialog's folder tree: the path from "/" down to the current folder,
// then the current folder's subfolders. Enter or a double-click opens a folder,
// Backspace goes to the parent.

#include <QTreeWidget>

namespace quoxa {

class TOseDirTree : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TOseDirTree(QWidget* parent = nullptr);

  void SetDirectory(const QString& path);
  QString Directory() const { return directory_; }
  // Folder of the selected item ("" when none).
  QString SelectedDirectory() const;

  static constexpr int kPathRole = Qt::UserRole + 1;

 signals:
  void DirectoryChosen(const QString& path);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QString directory_;
};

// The parent of a folder ("/" stays "/").
QString ParentDirectory(const QString& path);

}  // namespace quoxa
