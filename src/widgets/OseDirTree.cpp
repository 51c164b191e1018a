#include "widgets/OseDirTree.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

#include "widgets/FileDialogRules.h"

namespace quoxa {

QString ParentDirectory(const QString& path) {
  const int slash = path.lastIndexOf('/');
  if (slash <= 0) return QStringLiteral("/");
  return path.left(slash);
}

TOseDirTree::TOseDirTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setIndentation(12);
  setUniformRowHeights(true);
  setExpandsOnDoubleClick(false);
  setItemsExpandable(false);
  connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    emit DirectoryChosen(item->data(0, kPathRole).toString());
  });
}

void TOseDirTree::SetDirectory(const QString& path) {
  directory_ = path;
  clear();
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  auto* root = new QTreeWidgetItem(this, QStringList{"/"});
  root->setData(0, kPathRole, QStringLiteral("/"));
  root->setIcon(0, open);
  QTreeWidgetItem* current = root;
  QString walked;
  for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
    walked += "/" + part;
    auto* item = new QTreeWidgetItem(current, QStringList{part});
    item->setData(0, kPathRole, walked);
    item->setIcon(0, open);
    current = item;
  }
  const QString base = path == "/" ? QString() : path;
  for (const std::string& name : ListSubfolders(path.toStdString())) {
    const QString folder = QString::fromStdString(name);
    auto* item = new QTreeWidgetItem(current, QStringList{folder});
    item->setData(0, kPathRole, base + "/" + folder);
    item->setIcon(0, closed);
  }
  expandAll();
  setCurrentItem(current);
  scrollToItem(current);
}

QString TOseDirTree::SelectedDirectory() const {
  const QTreeWidgetItem* item = currentItem();
  return item != nullptr ? item->data(0, kPathRole).toString() : QString();
}

void TOseDirTree::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!SelectedDirectory().isEmpty()) emit DirectoryChosen(SelectedDirectory());
      event->accept();
      return;
    case Qt::Key_Backspace:
      emit DirectoryChosen(ParentDirectory(directory_));
      event->accept();
      return;
    default:
      QTreeWidget::keyPressEvent(event);
  }
}

}  // namespace quoxa
