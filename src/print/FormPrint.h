#pragma once
// TFormPrint ("Print"): range, printer, margins, font size, bytes per row and the layout of
// a hex dump; "Preview/Print" renders it into the preview or writes it to a text file.

#include <QDialog>
#include <functional>
#include <string>

#include "print/DumpJob.h"
#include "print/PrintSettings.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace quoxa {

class TQZNumEdit;
class TQZReport;

class TFormPrint : public QDialog {
  Q_OBJECT

 public:
  // Reads section "Printing" and shows the margins the printer allows.
  TFormPrint(TQZReport& report, QWidget* parent = nullptr);

  // The settings as the controls show them.
  PrintSettings CurrentSettings() const;
  DumpScope Scope() const;

  // Replaces the question for the text file's name (tests); "" means Cancel.
  void SetOutputFileQuestion(std::function<std::string()> question) { outputQuestion_ = std::move(question); }
  // What the last run did, for tests: the preview is skipped when this is set.
  void SetPreviewHandler(std::function<void(TQZReport&)> handler) { previewHandler_ = std::move(handler); }
  // Preview pages drawn when shown (the default), or all before the preview opens (tests).
  void SetPagesOnDemand(bool onDemand) { pagesOnDemand_ = onDemand; }

  void ButtonOKClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ApplySettings(const PrintSettings& settings);
  void PassMargins();
  void UnitChanged(int index);
  void PrinterChanged(int index);
  void OrientationChanged(bool landscape);
  void ApplyToReport();
  // 0 when the bytes per row are refused (the message is shown).
  int32_t CheckedBytesPerRow();
  void FocusBytesPerRow();
  bool RunToFile(const TDumpRows& rows);
  bool RunToPrinter(const TDumpRows& rows);
  std::string AskOutputFile();

  TQZReport& report_;
  QRadioButton* page_;
  QRadioButton* selection_;
  QRadioButton* all_;
  QComboBox* printer_;
  TQZNumEdit* margins_[4];
  QComboBox* unit_;
  QComboBox* fontSize_;
  QComboBox* bytesPerRow_;
  QCheckBox* landscape_;
  QCheckBox* decimal_;
  QCheckBox* below_;
  QCheckBox* toFile_;
  QPushButton* ok_;
  int shownUnit_ = 0;
  std::function<std::string()> outputQuestion_;
  std::function<void(TQZReport&)> previewHandler_;
  bool pagesOnDemand_ = true;
};

}  // namespace quoxa
