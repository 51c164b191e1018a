#include "ui/main/FormOpt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/DocState.h"
#include "core/Help.h"
#include "core/View.h"
#include "settings/ColorCombo.h"
#include "settings/Options.h"
#include "settings/Settings.h"
#include "widgets/DialogPlacement.h"

namespace quoxa {

namespace {

constexpr uint32_t kDefaultBlockColor = 0x0000FF;

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

TFormOpt::TFormOpt(ISettingsWindow& window, QWidget* parent) : QDialog(parent), window_(window) {
  setObjectName("FormOpt");
  setWindowTitle("Options");
  pages_ = Named(new QTabWidget(this), "PageControl");
  pages_->addTab(BuildGeneralPage(), "General");
  pages_->addTab(BuildAppearancePage(), "Appearance");
  pages_->addTab(BuildLinkPage(), "Shortcut Link");

  auto* buttons = new QDialogButtonBox(this);
  auto* ok = Named(buttons->addButton("OK", QDialogButtonBox::AcceptRole), "ButtonOK");
  Named(buttons->addButton("Cancel", QDialogButtonBox::RejectRole), "ButtonCancel");
  auto* help = Named(buttons->addButton("&Help", QDialogButtonBox::HelpRole), "ButtonHelp");
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &TFormOpt::OkClick);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(kHelpTopic); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(buttons);
  ShowCurrentValues();
  RefreshLinkPage();
}

QWidget* TFormOpt::BuildGeneralPage() {
  auto* page = new QWidget;
  auto* order = new QGroupBox("Byte order for coding integers");
  radioIntel_ = Named(new QRadioButton("&little-endian (Intel)"), "RadioButtonIntel");
  radioMotorola_ = Named(new QRadioButton("&big-endian (Motorola)"), "RadioButtonMotorola");
  auto* orderLayout = new QVBoxLayout(order);
  orderLayout->addWidget(radioIntel_);
  orderLayout->addWidget(radioMotorola_);

  auto* base = new QGroupBox("Offset (address) of first byte");
  radioBase0_ = Named(new QRadioButton("&0"), "RadioButtonBase0");
  radioBase1_ = Named(new QRadioButton("&1"), "RadioButtonBase1");
  auto* baseLayout = new QHBoxLayout(base);
  baseLayout->addWidget(radioBase0_);
  baseLayout->addWidget(radioBase1_);
  baseLayout->addStretch();

  checkOldTime_ = Named(new QCheckBox("&Save file with old date/time"), "CheckBoxOldTime");
  checkEof_ = Named(new QCheckBox("Create new file with &EOF char"), "CheckBoxEOF");
  spinReopen_ = Named(new QSpinBox, "SpinEditReopen");
  spinReopen_->setRange(kMinRecentFiles, kMaxRecentFiles);
  auto* reopenLabel = new QLabel("Re&open history count:");
  reopenLabel->setBuddy(spinReopen_);
  auto* reopenRow = new QHBoxLayout;
  reopenRow->addWidget(reopenLabel);
  reopenRow->addWidget(spinReopen_);
  reopenRow->addStretch();

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(order);
  layout->addWidget(base);
  layout->addWidget(checkOldTime_);
  layout->addWidget(checkEof_);
  layout->addLayout(reopenRow);
  layout->addStretch();
  return page;
}

QWidget* TFormOpt::BuildAppearancePage() {
  auto* page = new QWidget;
  comboFont_ = Named(new QComboBox, "ComboBoxFont");
  QStringList families = QFontDatabase::families();
  families.removeDuplicates();
  families.sort(Qt::CaseInsensitive);
  comboFont_->addItems(families);
  comboFont_->setMaxVisibleItems(16);
  spinFontSize_ = Named(new QSpinBox, "SpinEditFontSize");
  spinFontSize_->setRange(kMinFontSize, kMaxFontSize);
  spinRows_ = Named(new QSpinBox, "SpinEditRows");
  spinRows_->setRange(kMinGridCells, std::max(kMinGridCells, window_.MaxGridRows()));
  spinCols_ = Named(new QSpinBox, "SpinEditCols");
  spinCols_->setRange(kMinGridCells, std::max(kMinGridCells, window_.MaxGridCols()));
  comboColor_ = Named(new TColorCombo, "ComboBoxColor");
  checkHideToolbar_ = Named(new QCheckBox("&Hide toolbar"), "CheckBoxHideToolbar");
  checkHideAddress_ = Named(new QCheckBox("Hide &Address of Rows"), "CheckBoxHideAddress");
  checkTextLeft_ = Named(new QCheckBox("&Text Grid on the left"), "CheckBoxTextLeft");
  auto* defaults = Named(new QPushButton("&Defaults"), "ButtonDefaults");
  connect(defaults, &QPushButton::clicked, this, &TFormOpt::DefaultsClick);

  auto* form = new QFormLayout;
  form->addRow("&Font:", comboFont_);
  form->addRow("Font &size:", spinFontSize_);
  form->addRow("Number of &rows:", spinRows_);
  form->addRow("Number of &columns:", spinCols_);
  form->addRow("Color of chars in &block:", comboColor_);
  auto* defaultsRow = new QHBoxLayout;
  defaultsRow->addStretch();
  defaultsRow->addWidget(defaults);

  auto* layout = new QVBoxLayout(page);
  layout->addLayout(form);
  layout->addWidget(checkHideToolbar_);
  layout->addWidget(checkHideAddress_);
  layout->addWidget(checkTextLeft_);
  layout->addStretch();
  layout->addLayout(defaultsRow);
  return page;
}

QWidget* TFormOpt::BuildLinkPage() {
  auto* page = new QWidget;
  auto* group = new QGroupBox("Link in Applications Folder (user specific)");
  buttonCreate_ = Named(new QPushButton("Create"), "ButtonCreate");
  buttonRemove_ = Named(new QPushButton("Remove"), "ButtonRemove");
  connect(buttonCreate_, &QPushButton::clicked, this, &TFormOpt::CreateLinkClick);
  connect(buttonRemove_, &QPushButton::clicked, this, &TFormOpt::RemoveLinkClick);
  labelLinkFolder_ = Named(new QLabel, "LabelLinkFolder");
  labelLinkFolder_->setWordWrap(true);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addWidget(buttonCreate_);
  buttonRow->addWidget(buttonRemove_);
  buttonRow->addStretch();
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(labelLinkFolder_);
  groupLayout->addLayout(buttonRow);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(group);
  layout->addStretch();
  return page;
}

void TFormOpt::SelectFont(const QString& name) {
  int index = comboFont_->findText(name, Qt::MatchFixedString);
  if (index < 0) {
    // A font the system lacks (it is substituted when drawn) stays selectable.
    index = 0;
    while (index < comboFont_->count() &&
           QString::compare(comboFont_->itemText(index), name, Qt::CaseInsensitive) < 0) {
      ++index;
    }
    comboFont_->insertItem(index, name);
  }
  comboFont_->setCurrentIndex(index);
}

void TFormOpt::ShowCurrentValues() {
  const TOptions& options = Options();
  SelectFont(QString::fromStdString(window_.FontName()));
  spinFontSize_->setValue(window_.FontSize());
  spinCols_->setValue(Doc().BytesPerRow);
  spinRows_->setValue(Doc().VisibleRows);
  spinReopen_->setValue(window_.RecentFileCount());
  (options.ByteOrder == 1 ? radioMotorola_ : radioIntel_)->setChecked(true);
  (Doc().BaseAddress == 1 ? radioBase1_ : radioBase0_)->setChecked(true);
  checkHideToolbar_->setChecked(options.HideToolBar);
  checkHideAddress_->setChecked(options.HideAddressRange);
  checkOldTime_->setChecked(options.OldFileTime);
  checkEof_->setChecked(options.NewEOF);
  checkTextLeft_->setChecked(options.TextGridLeft);
  comboColor_->SelectValue(options.ColorBlock);
}

void TFormOpt::DefaultsClick() {
  spinFontSize_->setValue(8);
  spinCols_->setValue(kDefaultCols);
  spinRows_->setValue(kDefaultRows);
  spinReopen_->setValue(kDefaultRecentFiles);
  SelectFont(QString::fromLatin1(kDefaultFont));
  checkTextLeft_->setChecked(false);
  comboColor_->SelectValue(kDefaultBlockColor);
}

void TFormOpt::OkClick() {
  TOptions& options = Options();
  const std::string font = comboFont_->currentText().toStdString();
  if (!font.empty() && font != window_.FontName()) {
    options.Font = font;
    window_.ApplyFont(font);
  }
  if (spinFontSize_->value() != window_.FontSize()) {
    window_.ApplyFontSize(spinFontSize_->value());
    options.FontSize = spinFontSize_->value();
  }
  if (spinCols_->value() != Doc().BytesPerRow || spinRows_->value() != Doc().VisibleRows) {
    window_.SetGridSize(spinCols_->value(), spinRows_->value());
    options.Cols = spinCols_->value();
    options.Rows = spinRows_->value();
  }
  if (checkHideAddress_->isChecked() != options.HideAddressRange) {
    options.HideAddressRange = checkHideAddress_->isChecked();
    window_.SetAddressColumnHidden(options.HideAddressRange, true);
  }
  if (checkHideToolbar_->isChecked() != options.HideToolBar) {
    options.HideToolBar = checkHideToolbar_->isChecked();
    window_.SetToolBarHidden(options.HideToolBar, true);
  }
  options.NewEOF = checkEof_->isChecked();
  if (checkTextLeft_->isChecked() != options.TextGridLeft) {
    options.TextGridLeft = checkTextLeft_->isChecked();
    window_.PlaceGrids();
  }
  uint32_t color = 0;
  if (comboColor_->SelectedValue(color) && color != options.ColorBlock) {
    options.ColorBlock = color;
    RepaintGrids();
  }
  if (spinReopen_->value() != window_.RecentFileCount()) window_.SetRecentFileCount(spinReopen_->value());
  options.OldFileTime = checkOldTime_->isChecked();
  options.ByteOrder = radioMotorola_->isChecked() ? 1 : 0;
  Doc().BaseAddress = radioBase1_->isChecked() ? 1 : 0;
  window_.RebuildBookmarkMenu();
  if (!options.HideAddressRange) window_.ShowAllAddressCells();
  UpdateStatus();
  accept();
}

void TFormOpt::RefreshLinkPage() {
  link_ = ScanSendToLink();
  buttonCreate_->setEnabled(link_.createEnabled);
  buttonRemove_->setEnabled(link_.removeEnabled);
  const QString folder = QString::fromStdString(ShellFolder("SendTo"));
  labelLinkFolder_->setText(link_.linkName.empty()
                                ? QString("No link to QUOXA in %1 yet. A link lets file managers offer QUOXA "
                                          "under \"Open With\".")
                                      .arg(folder)
                                : QString("Link %1 in %2 opens files in QUOXA from the file managers' "
                                          "\"Open With\".")
                                      .arg(QString::fromStdString(link_.linkName), folder));
}

void TFormOpt::CreateLinkClick() {
  if (CreateSendToLink()) RefreshLinkPage();
}

void TFormOpt::RemoveLinkClick() {
  RemoveSendToLink(link_.linkName);
  RefreshLinkPage();
}

void TFormOpt::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!centred_) {
    centred_ = true;
    CenterOverActiveWindow(this);
  }
}

void TFormOpt::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    ShowHelpTopic(kPageHelpTopics[std::clamp(pages_->currentIndex(), 0, 2)]);
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace quoxa
