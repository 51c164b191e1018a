#include "ui/main/GlyphRuns.h"

#include <QGlyphRun>
#include <QPainter>

namespace quoxa {

void TGlyphCache::Reset(const QFont& font) {
  font_ = font;
  raw_ = QRawFont::fromFont(font);
  valid_ = true;
  entries_.clear();
}

bool TGlyphCache::Lookup(QChar ch, quint32& glyph, qreal& advance) {
  if (!raw_.isValid()) return false;
  const char16_t code = ch.unicode();
  auto it = entries_.find(code);
  if (it == entries_.end()) {
    Entry entry;
    const QList<quint32> glyphs = raw_.glyphIndexesForString(QString(ch));
    if (glyphs.size() == 1) {
      entry.glyph = glyphs.front();
      entry.advance = raw_.advancesForGlyphIndexes(glyphs).value(0).x();
    }
    it = entries_.emplace(code, entry).first;
  }
  glyph = it->second.glyph;
  advance = it->second.advance;
  return glyph != 0;
}

bool TTextRuns::Add(const QString& text, QPointF origin, const QColor& color) {
  quint32 glyphs[16];
  qreal advances[16];
  const qsizetype n = text.size();
  if (n > 16) return false;
  for (qsizetype i = 0; i < n; ++i) {
    if (!cache_.Lookup(text[i], glyphs[i], advances[i])) return false;
  }
  Run* run = nullptr;
  for (Run& candidate : runs_) {
    if (candidate.color == color) run = &candidate;
  }
  if (run == nullptr) {
    runs_.push_back({color, {}, {}});
    run = &runs_.back();
  }
  for (qsizetype i = 0; i < n; ++i) {
    run->glyphs.push_back(glyphs[i]);
    run->positions.push_back(origin);
    origin.rx() += advances[i];
  }
  return true;
}

void TTextRuns::Draw(QPainter& painter) {
  for (const Run& run : runs_) {
    QGlyphRun glyphRun;
    glyphRun.setRawFont(cache_.RawFont());
    glyphRun.setGlyphIndexes(run.glyphs);
    glyphRun.setPositions(run.positions);
    painter.setPen(run.color);
    painter.drawGlyphRun(QPointF(0, 0), glyphRun);
  }
  runs_.clear();
}

}  // namespace quoxa
