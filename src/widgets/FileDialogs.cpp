#include "widgets/FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace quoxa {

namespace {

// "*.*,*.exe" becomes one name filter per pattern.
QStringList NameFilters(const std::string& filter) {
  QStringList filters;
  for (const QString& pattern : QString::fromStdString(filter).split(',', Qt::SkipEmptyParts)) {
    filters << (pattern == "*.*" ? QStringLiteral("All files (*)") : pattern.trimmed());
  }
  return filters;
}

}  // namespace

FileDialogResult ExecFileDialog(QWidget* parent, const FileDialogRequest& request) {
  QFileDialog dialog(parent, QString::fromStdString(request.title), QString::fromStdString(request.startDir));
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilters(NameFilters(request.filter));
  FileDialogResult result;
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
  result.ok = true;
  result.path = dialog.selectedFiles().first().toStdString();
  return result;
}

}  // namespace quoxa
