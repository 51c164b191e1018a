#include "tools/DataDialogs.h"

#include "core/DocState.h"
#include "core/FileQuestion.h"
#include "settings/Options.h"
#include "tools/DataCommands.h"
#include "tools/DataFormatTexts.h"
#include "tools/FormExport.h"
#include "tools/FormImport.h"

// Outside the namespace: the resource's initialiser is a global function.
static void InitDataHelp() { Q_INIT_RESOURCE(datahelp); }

namespace quoxa {

namespace {

FileQuestion Question(bool save, const char* title, TDataFormat format) {
  FileQuestion question;
  question.save = save;
  question.title = title;
  question.startDir = Options().CurrentDir;
  question.filter = std::string("*") + FormatExtension(format) + ",*.*";
  return question;
}

void InitDataResources() {
  static const bool done = (InitDataHelp(), true);
  (void)done;
}

}  // namespace

void RunExportCommand(QWidget* owner, IFileAsker& host) {
  if (!Doc().ViewReady) return;
  InitDataResources();
  TFormExport form(CurrentExportSetup(), ReadExportChoices(), owner);
  if (form.exec() != QDialog::Accepted) return;
  WriteExportChoices(form.Choices());
  const FileAnswer answer =
      host.AskFileName(Question(true, msg::kExportFileTitle, form.Result().format));
  if (answer.ok) ExportDocument(answer.path, form.Result(), form.BlockChosen());
}

std::optional<TImportedFile> RunImportCommand(QWidget* owner, IFileAsker& host) {
  InitDataResources();
  TFormImport form(ReadImportChoices(), owner);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  const TImportChoices choices = form.Result();
  WriteImportChoices(choices);
  const FileAnswer answer = host.AskFileName(Question(false, msg::kImportTitle, choices.format));
  if (!answer.ok) return std::nullopt;
  std::optional<TImportedImage> image =
      ImportForDocument(answer.path, choices.format, choices.fill);
  if (!image) return std::nullopt;
  return TImportedFile{std::move(*image), answer.path};
}

}  // namespace quoxa
