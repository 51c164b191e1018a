#pragma once
// Connects the keys, clicks and wheel of the hex and text grids to the key
// handling, and gives the key handling its view of the grids.

#include <QObject>
#include <functional>

#include "edit/MouseMarking.h"
#include "ui/main/GridKeys.h"

namespace quoxa {

class TGridView;
class TQZStrGrid;

class TGridKeyBinding : public QObject, public IGridKeysHost {
  Q_OBJECT

 public:
  TGridKeyBinding(TGridView* grids, std::function<void()> toggleTextMode, std::function<void()> toggleOverwriteMode,
                  QObject* parent);

  TGridKeys& Keys() { return keys_; }

  std::string HexCellText(int32_t col, int32_t row) const override;
  void SetHexCellText(int32_t col, int32_t row, const std::string& text) override;
  void ShowTypedByte(uint8_t b) override;
  void ToggleTextMode() override { toggleTextMode_(); }
  void ToggleOverwriteMode() override { toggleOverwriteMode_(); }
  void SchedulePostedKeys() override;

 private:
  void Bind(TQZStrGrid* grid);

  TGridView* grids_;
  std::function<void()> toggleTextMode_;
  std::function<void()> toggleOverwriteMode_;
  TGridKeys keys_;
  TMouseMarking marking_;
};

}  // namespace quoxa
