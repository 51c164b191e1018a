#pragma once
// The printers the report engine offers: the system's (CUPS through QPrinterInfo) and one
// "PDF file" printer that is always there, so printing works on a machine without a printer.

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace quoxa {

struct TPrinterEntry {
  QString name;
  bool pdf = false;
};

// The printers in list order: the system's, then the PDF printer.
QList<TPrinterEntry> AvailablePrinters();
// The index of the system's default printer in list, else that of the PDF printer; -1 for none.
int DefaultPrinterIndex(const QList<TPrinterEntry>& list);

// Tests replace the whole list; an empty function restores the real one.
void SetPrinterSource(std::function<QList<TPrinterEntry>()> source);

// Asks where the PDF printer writes its file: the program's own save dialog; "" on Cancel.
QString AskPdfFileName(QWidget* parent);
// Tests answer the question themselves; an empty function restores the dialog.
void SetPdfFileQuestion(std::function<QString(QWidget* parent)> question);

}  // namespace quoxa
