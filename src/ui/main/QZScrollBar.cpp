#include "ui/main/QZScrollBar.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace quoxa {

TQZScrollBar::TQZScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent) {
  setFocusPolicy(Qt::NoFocus);
  setTracking(true);
  connect(this, &QAbstractSlider::actionTriggered, this, &TQZScrollBar::OnAction);
  SyncWidget();
}

void TQZScrollBar::SetParams(int64_t position, int64_t min, int64_t pageSize, int64_t max) {
  const bool moved = model_.SetParams(position, min, pageSize, max);
  SyncWidget();
  if (moved && OnChange) OnChange();
}

void TQZScrollBar::SetPosition(int64_t position) { SetParams(position, model_.Min(), model_.PageSize(), model_.Max()); }

void TQZScrollBar::Scroll(ScrollCode code, int64_t trackPosition) {
  int64_t position = model_.PositionFor(code, trackPosition);
  if (OnScroll) OnScroll(code, position);
  SetPosition(position);
}

void TQZScrollBar::SyncWidget() {
  // The widget's maximum is the largest position; its page step sizes the thumb.
  syncing_ = true;
  setRange(model_.WidgetMin(), model_.WidgetMax());
  setPageStep(model_.WidgetStep(model_.PageSize()));
  setSingleStep(model_.WidgetStep(model_.SmallChange()));
  const int value = model_.WidgetValue(model_.Position());
  setValue(value);
  setSliderPosition(value);
  syncing_ = false;
}

void TQZScrollBar::OnAction(int action) {
  if (syncing_) return;
  ScrollCode code = ScrollCode::EndScroll;
  switch (action) {
    case SliderSingleStepAdd: code = ScrollCode::LineDown; break;
    case SliderSingleStepSub: code = ScrollCode::LineUp; break;
    case SliderPageStepAdd: code = ScrollCode::PageDown; break;
    case SliderPageStepSub: code = ScrollCode::PageUp; break;
    case SliderToMinimum: code = ScrollCode::Top; break;
    case SliderToMaximum: code = ScrollCode::Bottom; break;
    case SliderMove: code = ScrollCode::ThumbTrack; break;
    default: return;
  }
  scrolled_ = true;
  // The widget already moved by its own steps; the model's steps and clamping rule.
  Scroll(code, model_.PositionOfWidget(sliderPosition()));
}

void TQZScrollBar::mouseReleaseEvent(QMouseEvent* event) {
  const bool wasDragging = isSliderDown();
  QScrollBar::mouseReleaseEvent(event);
  if (wasDragging) Scroll(ScrollCode::ThumbPosition, model_.PositionOfWidget(sliderPosition()));
  if (scrolled_ || wasDragging) {
    scrolled_ = false;
    Scroll(ScrollCode::EndScroll);
  }
}

void TQZScrollBar::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps == 0 || !isEnabled()) {
    event->ignore();
    return;
  }
  for (int i = 0; i < std::abs(steps); ++i) Scroll(steps > 0 ? ScrollCode::LineUp : ScrollCode::LineDown);
  Scroll(ScrollCode::EndScroll);
  event->accept();
}

void TQZScrollBar::keyPressEvent(QKeyEvent* event) { event->ignore(); }

}  // namespace quoxa
