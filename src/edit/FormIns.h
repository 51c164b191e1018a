#pragma once
// TFormIns: the Insert string dialog, relabelled "Overwrite" and without the repeat count for
// Overwrite string. It takes a text or a hex string and, for Insert, how many times to insert it.

#include <QDialog>

#include "edit/InsertString.h"

class QGroupBox;

namespace quoxa {

class TNumberChoice;
class TStringChoice;

class TFormIns : public QDialog {
  Q_OBJECT

 public:
  // Loads the three histories; destroying the dialog saves them.
  explicit TFormIns(QWidget* parent = nullptr);
  ~TFormIns() override;

  // Caption and first group "Overwrite", no repeat count, the overwrite help topic.
  void SetOverwriteMode();
  void SetHexMode(bool hex);

  // What OK accepted.
  const InsCheck& Result() const { return result_; }

  TStringChoice* StringChoice() const { return string_; }
  TNumberChoice* Count() const { return count_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ButtonOKClick();

  QGroupBox* group1_;
  TStringChoice* string_;
  TNumberChoice* count_;
  int helpTopic_;
  InsCheck result_;
};

}  // namespace quoxa
