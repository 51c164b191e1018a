#pragma once
// The Options dialog: general, appearance and shortcut link pages. OK applies the
// changes to the running editor at once; nothing is written to the settings file.

#include <QDialog>

#include "settings/SettingsWindow.h"
#include "settings/ShellLink.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace quoxa {

class TColorCombo;

class TFormOpt : public QDialog {
  Q_OBJECT
 public:
  explicit TFormOpt(ISettingsWindow& window, QWidget* parent = nullptr);

  // Help topics of the dialog and its three pages.
  static constexpr int kHelpTopic = 17;
  static constexpr int kPageHelpTopics[3] = {42, 43, 44};

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* BuildGeneralPage();
  QWidget* BuildAppearancePage();
  QWidget* BuildLinkPage();
  void ShowCurrentValues();
  void DefaultsClick();
  void OkClick();
  void CreateLinkClick();
  void RemoveLinkClick();
  void RefreshLinkPage();
  void SelectFont(const QString& name);

  ISettingsWindow& window_;
  TSendToState link_;
  bool centred_ = false;

  QTabWidget* pages_ = nullptr;
  QRadioButton* radioIntel_ = nullptr;
  QRadioButton* radioMotorola_ = nullptr;
  QRadioButton* radioBase0_ = nullptr;
  QRadioButton* radioBase1_ = nullptr;
  QCheckBox* checkOldTime_ = nullptr;
  QCheckBox* checkEof_ = nullptr;
  QSpinBox* spinReopen_ = nullptr;
  QComboBox* comboFont_ = nullptr;
  QSpinBox* spinFontSize_ = nullptr;
  QSpinBox* spinRows_ = nullptr;
  QSpinBox* spinCols_ = nullptr;
  TColorCombo* comboColor_ = nullptr;
  QCheckBox* checkHideToolbar_ = nullptr;
  QCheckBox* checkHideAddress_ = nullptr;
  QCheckBox* checkTextLeft_ = nullptr;
  QPushButton* buttonCreate_ = nullptr;
  QPushButton* buttonRemove_ = nullptr;
  QLabel* labelLinkFolder_ = nullptr;
};

}  // namespace quoxa
