#include "widgets/MessageForm.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextLayout>

#include "core/Help.h"
#include "widgets/DialogPlacement.h"

namespace quoxa {

namespace {

struct ButtonKind {
  unsigned flag;
  const char* caption;
  const char* name;
};

constexpr ButtonKind kButtons[] = {
    {mbYes, "&Yes", "Yes"},       {mbNo, "&No", "No"},          {mbOK, "&OK", "OK"},
    {mbCancel, "Cancel", "Cancel"}, {mbAbort, "&Abort", "Abort"}, {mbRetry, "&Retry", "Retry"},
    {mbIgnore, "&Ignore", "Ignore"}, {mbAll, "All", "All"},       {mbHelp, "Help", "Help"},
};

QStyle::StandardPixmap IconFor(MsgType type) {
  switch (type) {
    case MsgType::Warning: return QStyle::SP_MessageBoxWarning;
    case MsgType::Error: return QStyle::SP_MessageBoxCritical;
    case MsgType::Information: return QStyle::SP_MessageBoxInformation;
    default: return QStyle::SP_MessageBoxQuestion;
  }
}

// The text broken into lines of at most width pixels: at blanks where it can, inside a word
// longer than a line (a long path) where it must.
QString WrapText(const QString& text, const QFont& font, int width) {
  QStringList lines;
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  for (const QString& paragraph : text.split('\n')) {
    if (paragraph.isEmpty()) {
      lines << QString();
      continue;
    }
    QTextLayout layout(paragraph, font);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      QString piece = paragraph.mid(line.textStart(), line.textLength());
      while (!piece.isEmpty() && piece.back().isSpace()) piece.chop(1);
      lines << piece;
    }
    layout.endLayout();
  }
  return lines.join('\n');
}

}  // namespace

TMessageForm::TMessageForm(const MessageRequest& request, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromStdString(CaptionFor(request.type, QApplication::applicationName().toStdString())));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  QFont dialogFont = font();
  if (request.fontHeight > 0) dialogFont.setPixelSize(request.fontHeight);
  setFont(dialogFont);

  const QString text = WrapText(QString::fromStdString(request.text), dialogFont, HalfScreenWidth());
  const QRect measured = QFontMetrics(dialogFont).boundingRect(QRect(0, 0, HalfScreenWidth(), 0), Qt::AlignLeft, text);
  const bool withIcon = request.withIcon && request.type != MsgType::Custom;

  int count = 0;
  for (const ButtonKind& kind : kButtons) count += (request.buttons & kind.flag) != 0 ? 1 : 0;
  const MessageLayout layout =
      LayoutMessage(DialogUnitsFor(dialogFont), measured.width() + 1, measured.height(), withIcon, count);
  setFixedSize(layout.clientW, layout.clientH);

  if (withIcon) {
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(IconFor(request.type)).pixmap(kIconSize, kIconSize));
    icon->setGeometry(ToRect(layout.icon));
  }
  text_ = new QLabel(this);
  text_->setObjectName("Message");
  text_->setTextFormat(Qt::PlainText);  // file names are shown as they are, never as markup
  text_->setText(text);  // broken into lines already
  text_->setGeometry(ToRect(layout.text));

  defaultButton_ = request.defaultButton != 0 ? request.defaultButton : FirstButton(request.buttons);
  int index = 0;
  for (const ButtonKind& kind : kButtons) {
    if ((request.buttons & kind.flag) == 0) continue;
    auto* button = new QPushButton(QString::fromUtf8(kind.caption), this);
    button->setObjectName(kind.name);
    button->setGeometry(ToRect(layout.buttons[static_cast<size_t>(index++)]));
    buttons_[kind.flag] = button;
    if (kind.flag == mbHelp) {
      const int topic = request.helpTopic;
      connect(button, &QPushButton::clicked, this, [topic] { ShowHelpTopic(topic); });
    } else {
      const int code = ResultForButton(kind.flag);
      connect(button, &QPushButton::clicked, this, [this, code] { done(code); });
    }
  }
  if (QPushButton* def = Button(defaultButton_)) {
    def->setDefault(true);
    def->setFocus();
  }
  CenterOverActiveWindow(this);
}

QPushButton* TMessageForm::Button(unsigned flag) const {
  const auto it = buttons_.find(flag);
  return it == buttons_.end() ? nullptr : it->second;
}

void TMessageForm::reject() { done(CancelResult()); }

}  // namespace quoxa
