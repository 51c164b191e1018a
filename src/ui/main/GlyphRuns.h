#pragma once
// Fast drawing of many short cell texts: glyphs looked up once per character and
// drawn as one glyph run per colour.

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <QVector>
#include <unordered_map>
#include <vector>

class QPainter;

namespace quoxa {

class TGlyphCache {
 public:
  bool Matches(const QFont& font) const { return valid_ && font_ == font; }
  void Reset(const QFont& font);
  // The glyph and advance of a character; false when the font has no glyph for it.
  bool Lookup(QChar ch, quint32& glyph, qreal& advance);
  const QRawFont& RawFont() const { return raw_; }

 private:
  struct Entry {
    quint32 glyph = 0;
    qreal advance = 0;
  };
  QFont font_;
  QRawFont raw_;
  bool valid_ = false;
  std::unordered_map<char16_t, Entry> entries_;
};

class TTextRuns {
 public:
  explicit TTextRuns(TGlyphCache& cache) : cache_(cache) {}
  // Queues a text at a baseline origin; false (nothing queued) when a character has no glyph.
  bool Add(const QString& text, QPointF origin, const QColor& color);
  void Draw(QPainter& painter);

 private:
  struct Run {
    QColor color;
    QVector<quint32> glyphs;
    QVector<QPointF> positions;
  };
  TGlyphCache& cache_;
  std::vector<Run> runs_;
};

}  // namespace quoxa
