#include "ui/main/FormAbout.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/MemoryPolicy.h"
#include "widgets/ToolGlyphs.h"

namespace quoxa {

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent), labelInfo_(new QLabel(this)) {
  setObjectName("FormAbout");
  setWindowTitle("About QUOXA");

  auto* icon = new QLabel(this);
  icon->setPixmap(ToolGlyph("INFO").pixmap(QSize(48, 48), devicePixelRatioF()));
  icon->setAlignment(Qt::AlignTop);

  auto* title = new QLabel(QStringLiteral("<b style=\"font-size:large\">QUOXA</b>"), this);
  auto* version = new QLabel(QStringLiteral("Version %1").arg(QApplication::applicationVersion()), this);
  version->setObjectName("LabelVersion");
  auto* blurb = new QLabel("A hex editor that keeps the whole file in memory and shows it\n"
                           "as addresses, hexadecimal bytes and characters side by side.",
                           this);
  labelInfo_->setObjectName("LabelInfo");
  labelInfo_->setTextFormat(Qt::PlainText);
  labelInfo_->setText(QString::fromStdString(MemoryInfoText()));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(version);
  text->addSpacing(8);
  text->addWidget(blurb);
  text->addSpacing(8);
  text->addWidget(labelInfo_);
  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addSpacing(12);
  row->addLayout(text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace quoxa
