#include "tools/FormDecode.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "tools/NumberCodec.h"
#include "tools/ToolTexts.h"
#include "widgets/DialogPlacement.h"
#include "widgets/FixedFont.h"

namespace quoxa {

namespace {
// Room for the widest line (a negative double in scientific notation) and all seven lines.
constexpr int kMemoColumns = 72;
constexpr int kMemoLines = 8;
}  // namespace

TFormDecode::TFormDecode(const std::vector<std::string>& lines, bool bigEndian, QWidget* parent)
    : QDialog(parent), memo_(new QPlainTextEdit(this)) {
  setObjectName("FormDecode");
  setWindowTitle(QStringLiteral("Decode number"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* caption = new QLabel(QString::fromLatin1(msg::kDecodedFrom), this);
  caption->setObjectName("LabelDecoded");
  auto* order = new QLabel(QString::fromLatin1(ByteOrderText(bigEndian)), this);
  order->setObjectName("LabelByteOrder");

  memo_->setObjectName("MemoDecode");
  memo_->setReadOnly(true);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setFont(FixedFontFor(QStringLiteral("Courier New"), font().pointSize()));
  // Enter belongs to the OK button; Tab moves on.
  memo_->setTabChangesFocus(true);
  QStringList text;
  for (const std::string& line : lines) text << QString::fromStdString(line);
  memo_->setPlainText(text.join('\n'));
  const QFontMetrics metrics(memo_->font());
  memo_->setMinimumSize(metrics.horizontalAdvance(QString(kMemoColumns, 'X')), metrics.lineSpacing() * kMemoLines);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->setCenterButtons(true);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  ok->setObjectName("ButtonOK");
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* column = new QVBoxLayout(this);
  column->addWidget(caption);
  column->addWidget(order);
  column->addWidget(memo_, 1);
  column->addWidget(buttons);
}

void TFormDecode::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOverActiveWindow(this);
}

}  // namespace quoxa
