#pragma once
// A scroll bar over a 64-bit range of positions whose every move is reported with its scroll
// code; the owner decides what the view does. The widget shows the range in its int steps.

#include <QScrollBar>
#include <functional>

#include "ui/main/ScrollBarModel.h"

namespace quoxa {

class TQZScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  explicit TQZScrollBar(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

  const TScrollBarModel& Model() const { return model_; }
  int64_t Position() const { return model_.Position(); }

  // Clamps and stores the values (ignored when max < min); OnChange fires when the position moved.
  void SetParams(int64_t position, int64_t min, int64_t pageSize, int64_t max);
  void SetPosition(int64_t position);
  void SetSmallChange(int64_t change) { model_.SetSmallChange(change); }
  void SetLargeChange(int64_t change) { model_.SetLargeChange(change); }

  // Handles one scroll code as a scroll message would: new position, clamped,
  // OnScroll told (it may change the position), then stored.
  void Scroll(ScrollCode code, int64_t trackPosition = 0);

  std::function<void()> OnChange;
  std::function<void(ScrollCode code, int64_t& position)> OnScroll;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnAction(int action);
  void SyncWidget();

  TScrollBarModel model_;
  bool syncing_ = false;
  bool scrolled_ = false;
};

}  // namespace quoxa
