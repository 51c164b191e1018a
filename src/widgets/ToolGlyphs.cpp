#include "widgets/ToolGlyphs.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <map>

namespace quoxa {

namespace {

using GlyphPainter = std::function<void(QPainter&)>;

// Shapes are drawn on a 16 x 16 grid.
constexpr qreal kGrid = 16.0;

const QColor kOutline(0x33, 0x3a, 0x45);
const QColor kPaper(0xfc, 0xfc, 0xfc);
const QColor kBlue(0x2f, 0x6f, 0xc6);
const QColor kLightBlue(0xa9, 0xc8, 0xef);
const QColor kYellow(0xf2, 0xc1, 0x4e);
const QColor kDarkYellow(0xc9, 0x93, 0x1f);
const QColor kRed(0xd2, 0x3b, 0x33);
const QColor kGreen(0x3c, 0x9a, 0x4a);

QPen Pen(const QColor& color, qreal width = 1.0) {
  QPen pen(color, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

void Page(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
  QPainterPath path;
  path.moveTo(x, y);
  path.lineTo(x + w - 3.5, y);
  path.lineTo(x + w, y + 3.5);
  path.lineTo(x + w, y + h);
  path.lineTo(x, y + h);
  path.closeSubpath();
  p.setPen(Pen(kOutline));
  p.setBrush(kPaper);
  p.drawPath(path);
  QPainterPath fold;
  fold.moveTo(x + w - 3.5, y);
  fold.lineTo(x + w - 3.5, y + 3.5);
  fold.lineTo(x + w, y + 3.5);
  p.setBrush(Qt::NoBrush);
  p.drawPath(fold);
}

void TextLines(QPainter& p, qreal x, qreal y, qreal w, int count) {
  p.setPen(Pen(kLightBlue.darker(130), 1.0));
  for (int i = 0; i < count; ++i) p.drawLine(QPointF(x, y + 2.2 * i), QPointF(x + w, y + 2.2 * i));
}

void DrawNew(QPainter& p) {
  Page(p, 3.5, 1.5, 9, 13);
  TextLines(p, 5.5, 7.0, 5, 3);
  // A small star marks a new page.
  p.setPen(Pen(kDarkYellow, 1.2));
  p.drawLine(QPointF(12.5, 9.5), QPointF(12.5, 14.5));
  p.drawLine(QPointF(10.0, 12.0), QPointF(15.0, 12.0));
}

void DrawOpen(QPainter& p) {
  QPainterPath back;
  back.moveTo(1.5, 3.5);
  back.lineTo(6.0, 3.5);
  back.lineTo(7.5, 5.0);
  back.lineTo(13.5, 5.0);
  back.lineTo(13.5, 13.5);
  back.lineTo(1.5, 13.5);
  back.closeSubpath();
  p.setPen(Pen(kDarkYellow.darker(120)));
  p.setBrush(kDarkYellow);
  p.drawPath(back);
  QPainterPath front;
  front.moveTo(3.5, 7.5);
  front.lineTo(15.0, 7.5);
  front.lineTo(13.0, 13.5);
  front.lineTo(1.5, 13.5);
  front.closeSubpath();
  p.setBrush(kYellow);
  p.drawPath(front);
}

void DrawSave(QPainter& p) {
  QPainterPath body;
  body.moveTo(1.5, 1.5);
  body.lineTo(12.5, 1.5);
  body.lineTo(14.5, 3.5);
  body.lineTo(14.5, 14.5);
  body.lineTo(1.5, 14.5);
  body.closeSubpath();
  p.setPen(Pen(kOutline));
  p.setBrush(kBlue);
  p.drawPath(body);
  p.setBrush(kPaper);
  p.drawRect(QRectF(4.0, 1.5, 8.0, 5.0));
  p.setBrush(kLightBlue);
  p.drawRect(QRectF(3.5, 9.0, 9.0, 5.5));
  p.setPen(Pen(kOutline));
  p.drawLine(QPointF(9.5, 2.8), QPointF(9.5, 5.2));
}

void DrawDelete(QPainter& p) {
  Page(p, 2.5, 1.5, 9, 13);
  TextLines(p, 4.5, 5.0, 5, 4);
  p.setPen(Pen(kRed, 2.0));
  p.drawLine(QPointF(8.5, 8.5), QPointF(14.5, 14.5));
  p.drawLine(QPointF(14.5, 8.5), QPointF(8.5, 14.5));
}

void DrawCut(QPainter& p) {
  p.setPen(Pen(kOutline, 1.2));
  p.drawLine(QPointF(5.0, 1.5), QPointF(10.2, 10.0));
  p.drawLine(QPointF(11.0, 1.5), QPointF(5.8, 10.0));
  p.setBrush(Qt::NoBrush);
  p.setPen(Pen(kRed, 1.4));
  p.drawEllipse(QPointF(4.5, 12.2), 2.3, 2.3);
  p.drawEllipse(QPointF(11.5, 12.2), 2.3, 2.3);
}

void DrawCopy(QPainter& p) {
  Page(p, 1.5, 1.5, 8, 10);
  TextLines(p, 3.0, 5.0, 4, 2);
  Page(p, 6.5, 4.5, 8, 10);
  TextLines(p, 8.0, 8.0, 4, 3);
}

void DrawPaste(QPainter& p) {
  p.setPen(Pen(kDarkYellow.darker(140)));
  p.setBrush(kDarkYellow);
  p.drawRoundedRect(QRectF(1.5, 2.5, 10.0, 12.0), 1.2, 1.2);
  p.setPen(Pen(kOutline));
  p.setBrush(QColor(0xb8, 0xbe, 0xc6));
  p.drawRoundedRect(QRectF(4.0, 1.0, 5.0, 3.0), 0.8, 0.8);
  Page(p, 6.5, 5.5, 8, 9);
  TextLines(p, 8.0, 9.0, 4, 2);
}

void Magnifier(QPainter& p, qreal cx, qreal cy, qreal r) {
  p.setPen(Pen(kOutline, 1.3));
  p.setBrush(kLightBlue);
  p.drawEllipse(QPointF(cx, cy), r, r);
  p.setPen(Pen(kOutline, 2.4));
  const qreal d = r * 0.72;
  p.drawLine(QPointF(cx + d, cy + d), QPointF(cx + d + 4.2, cy + d + 4.2));
}

void DrawFind(QPainter& p) { Magnifier(p, 6.5, 6.5, 4.5); }

void DrawReplace(QPainter& p) {
  Magnifier(p, 5.5, 5.5, 3.8);
  // An arrow turning round: one string goes, another comes.
  p.setPen(Pen(kGreen, 1.5));
  p.setBrush(Qt::NoBrush);
  QPainterPath arc;
  arc.moveTo(9.5, 14.5);
  arc.cubicTo(13.5, 14.5, 14.5, 12.0, 14.5, 9.0);
  p.drawPath(arc);
  QPainterPath head;
  head.moveTo(12.3, 10.4);
  head.lineTo(14.5, 8.0);
  head.lineTo(16.0, 10.6);
  p.drawPath(head);
}

void DrawProperties(QPainter& p) {
  // Three sliders: the program's settings.
  const qreal ys[] = {3.5, 8.0, 12.5};
  const qreal knobs[] = {10.5, 5.0, 8.5};
  for (int i = 0; i < 3; ++i) {
    p.setPen(Pen(kOutline, 1.2));
    p.drawLine(QPointF(1.5, ys[i]), QPointF(14.5, ys[i]));
    p.setPen(Pen(kOutline, 1.0));
    p.setBrush(i == 1 ? kYellow : kLightBlue);
    p.drawRoundedRect(QRectF(knobs[i] - 1.8, ys[i] - 2.2, 3.6, 4.4), 0.8, 0.8);
  }
}

void DrawInfo(QPainter& p) {
  p.setPen(Pen(kBlue.darker(120), 1.0));
  p.setBrush(kBlue);
  p.drawEllipse(QPointF(8.0, 8.0), 6.6, 6.6);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8.0, 4.6), 1.2, 1.2);
  p.drawRoundedRect(QRectF(6.9, 6.8, 2.2, 6.0), 0.6, 0.6);
}

void DrawWhats(QPainter& p) {
  // A mouse pointer with a question mark.
  QPainterPath arrow;
  arrow.moveTo(1.5, 1.5);
  arrow.lineTo(1.5, 12.5);
  arrow.lineTo(4.2, 10.0);
  arrow.lineTo(6.2, 14.5);
  arrow.lineTo(8.0, 13.7);
  arrow.lineTo(6.0, 9.4);
  arrow.lineTo(9.5, 9.4);
  arrow.closeSubpath();
  p.setPen(Pen(kOutline));
  p.setBrush(Qt::white);
  p.drawPath(arrow);
  p.setPen(Pen(kBlue, 1.6));
  p.setBrush(Qt::NoBrush);
  QPainterPath question;
  question.moveTo(10.0, 3.6);
  question.cubicTo(10.0, 0.9, 14.8, 0.9, 14.8, 3.6);
  question.cubicTo(14.8, 5.3, 12.4, 5.4, 12.4, 7.6);
  p.drawPath(question);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawEllipse(QPointF(12.4, 10.0), 1.0, 1.0);
}

const std::map<QString, GlyphPainter>& Painters() {
  static const std::map<QString, GlyphPainter> painters = {
      {"NEW", DrawNew},         {"OPEN", DrawOpen},          {"SAVE", DrawSave},   {"DELETE", DrawDelete},
      {"CUT", DrawCut},         {"COPY", DrawCopy},          {"PASTE", DrawPaste}, {"FIND", DrawFind},
      {"REPLACE", DrawReplace}, {"PROPERT", DrawProperties}, {"INFO", DrawInfo},   {"WHATS", DrawWhats},
  };
  return painters;
}

class TGlyphEngine : public QIconEngine {
 public:
  explicit TGlyphEngine(GlyphPainter painter) : painter_(std::move(painter)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    const qreal side = std::min(rect.width(), rect.height());
    painter->translate((rect.width() - side) / 2.0, (rect.height() - side) / 2.0);
    painter->scale(side / kGrid, side / kGrid);
    if (mode == QIcon::Disabled) painter->setOpacity(0.35);
    painter_(*painter);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }

  // size is in device pixels; the shapes are drawn at that resolution.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    QPixmap pix(size);
    pix.fill(Qt::transparent);
    QPainter painter(&pix);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    if (mode == QIcon::Disabled) {
      // Grey shapes for a disabled button.
      painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
      painter.fillRect(QRect(QPoint(0, 0), size), QColor(0x80, 0x80, 0x80, 110));
    }
    painter.end();
    pix.setDevicePixelRatio(scale);
    return pix;
  }

  QIconEngine* clone() const override { return new TGlyphEngine(painter_); }

 private:
  GlyphPainter painter_;
};

}  // namespace

QIcon ToolGlyph(const QString& name) {
  const auto& painters = Painters();
  const auto it = painters.find(name);
  if (it == painters.end()) return {};
  return QIcon(new TGlyphEngine(it->second));
}

}  // namespace quoxa
