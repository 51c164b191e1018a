#include "print/PrintCommand.h"

#include "print/FormPreview.h"
#include "print/FormPrint.h"
#include "print/QZReport.h"

// Outside the namespace: the resource's initialiser is a global function.
static void InitPrintHelp() { Q_INIT_RESOURCE(printhelp); }

namespace quoxa {

void RunPrintCommand(QWidget* owner) {
  static const bool helpLoaded = (InitPrintHelp(), true);
  (void)helpLoaded;
  TQZReport report(owner);
  if (!report.Usable()) return;
  TFormPrint form(report, owner);
  form.exec();
}

QLabel* PreviewBusyPanel() {
  TFormPreview* preview = TFormPreview::Active();
  return preview != nullptr ? preview->StatusPanel(1) : nullptr;
}

}  // namespace quoxa
