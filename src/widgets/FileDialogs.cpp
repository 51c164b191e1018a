#include "widgets/FileDialogs.h"

#include <QApplication>
#include <QPointer>
#include <QWindow>

#include "widgets/FormOSE.h"

namespace quoxa {

TFormOSE& ProgramFileDialog() {
  static QPointer<TFormOSE> dialog;
  if (dialog == nullptr) {
    dialog = new TFormOSE;
    // Destroyed while the application still runs, so it can store its column widths.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, dialog.data(), &QObject::deleteLater);
  }
  return *dialog;
}

namespace {
std::function<FileDialogResult(const FileDialogRequest&)> installedAnswerer;
}  // namespace

void SetFileDialogAnswerer(std::function<FileDialogResult(const FileDialogRequest&)> answerer) {
  installedAnswerer = std::move(answerer);
}

FileDialogResult ExecFileDialog(QWidget* parent, const FileDialogRequest& request) {
  if (installedAnswerer) return installedAnswerer(request);
  TFormOSE& dialog = ProgramFileDialog();
  TFormOSE::Params params;
  params.mode = request.save        ? OseMode::Save
                : request.directory ? OseMode::Directory
                : request.multiple  ? OseMode::OpenMany
                                    : OseMode::Open;
  params.caption = QString::fromStdString(request.title);
  params.favoritesSection = QString::fromStdString(request.favoritesSection);
  params.filters = QString::fromStdString(request.filter);
  params.minFreeSpace = request.minFreeSpace;
  params.offerReadOnly = request.showReadOnly;
  // One instance for the whole run has no parent widget: it stays above the window that asked.
  dialog.setWindowModality(Qt::ApplicationModal);
  if (parent != nullptr && parent->window()->windowHandle() != nullptr) {
    dialog.winId();
    dialog.windowHandle()->setTransientParent(parent->window()->windowHandle());
  }
  QString folder = QString::fromStdString(request.startDir);
  FileDialogResult result;
  if (dialog.Execute(params, folder) != QDialog::Accepted) return result;
  result.ok = true;
  result.path = dialog.FileName().toStdString();
  for (const QString& file : dialog.Files()) result.paths.push_back(file.toStdString());
  result.directory = folder.toStdString();
  result.readOnly = dialog.ReadOnlyChecked();
  return result;
}

}  // namespace quoxa
