#include "print/PrinterList.h"

#include <QPrinterInfo>

#include "print/PrintTexts.h"
#include "settings/Options.h"
#include "widgets/FileDialogs.h"

namespace quoxa {

namespace {

std::function<QList<TPrinterEntry>()>& Source() {
  static std::function<QList<TPrinterEntry>()> source;
  return source;
}

std::function<QString(QWidget*)>& Question() {
  static std::function<QString(QWidget*)> question;
  return question;
}

QList<TPrinterEntry> SystemPrinters() {
  QList<TPrinterEntry> list;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) list.push_back({name, false});
  list.push_back({QString::fromLatin1(msg::kPdfPrinterName), true});
  return list;
}

}  // namespace

QList<TPrinterEntry> AvailablePrinters() { return Source() ? Source()() : SystemPrinters(); }

int DefaultPrinterIndex(const QList<TPrinterEntry>& list) {
  if (list.isEmpty()) return -1;
  const QString system = Source() ? QString() : QPrinterInfo::defaultPrinterName();
  int pdf = -1;
  for (int i = 0; i < list.size(); ++i) {
    if (!list[i].pdf && !system.isEmpty() && list[i].name == system) return i;
    if (list[i].pdf && pdf < 0) pdf = i;
  }
  return pdf >= 0 ? pdf : 0;
}

void SetPrinterSource(std::function<QList<TPrinterEntry>()> source) { Source() = std::move(source); }

QString AskPdfFileName(QWidget* parent) {
  if (Question()) return Question()(parent);
  FileDialogRequest request;
  request.save = true;
  request.title = msg::kSavePdfTitle;
  request.favoritesSection = "Favorites";
  request.filter = msg::kPdfFilter;
  request.startDir = Options().CurrentDir;
  const FileDialogResult result = ExecFileDialog(parent, request);
  return result.ok ? QString::fromStdString(result.path) : QString();
}

void SetPdfFileQuestion(std::function<QString(QWidget*)> question) { Question() = std::move(question); }

}  // namespace quoxa
