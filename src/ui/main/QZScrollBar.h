#pragma once
// A scroll bar over the full 32-bit range whose every move is reported with its
// scroll code; the owner decides what the view does.

#include <QScrollBar>
#include <functional>

#include "ui/main/ScrollBarModel.h"

namespace quoxa {

class TQZScrollBar : public QScrollBar {
  Q_OBJECT

 public:
  explicit TQZScrollBar(Qt::Orientation orientation = Qt::Horizontal, QWidget* parent = nullptr);

  const TScrollBarModel& Model() const { return model_; }
  int32_t Position() const { return model_.Position(); }

  // Clamps and stores the values (ignored when max < min); OnChange fires when the position moved.
  void SetParams(int32_t position, int32_t min, int32_t pageSize, int32_t max);
  void SetPosition(int32_t position);
  void SetSmallChange(int32_t change) { model_.SetSmallChange(change); }
  void SetLargeChange(int32_t change) { model_.SetLargeChange(change); }

  // Handles one scroll code as a scroll message would: new position, clamped,
  // OnScroll told (it may change the position), then stored.
  void Scroll(ScrollCode code, int32_t trackPosition = 0);

  std::function<void()> OnChange;
  std::function<void(ScrollCode code, int32_t& position)> OnScroll;

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
