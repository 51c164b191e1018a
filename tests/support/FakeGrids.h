#pragma once
// The grids as the key handling sees them, without a window.

#include <map>
#include <string>
#include <utility>

#include "core/DocState.h"
#include "ui/main/GridKeys.h"
#include "ui/main/ViewTexts.h"

namespace quoxa::test {

// The hex grid's cells as far as the key handling sees them: the text a cell was
// last given, else the byte's digits.
class FakeGrids final : public IGridKeysHost {
 public:
  std::string HexCellText(int32_t col, int32_t row) const override {
    const auto it = cells.find({col, row});
    if (it != cells.end()) return it->second;
    const int64_t pos = int64_t{row} * Doc().BytesPerRow + Doc().TopAddress + col;
    return pos >= 1 && pos <= Doc().DocSize ? HexByteText(GetByte(pos)) : "";
  }
  void SetHexCellText(int32_t col, int32_t row, const std::string& text) override { cells[{col, row}] = text; }
  void ShowTypedByte(uint8_t b) override { cells[{Doc().CursorCol, Doc().CursorRow}] = HexByteText(b); }
  void ToggleTextMode() override {
    Doc().TextMode = !Doc().TextMode;
    ++textToggles;
  }
  void ToggleOverwriteMode() override {
    Doc().OverwriteMode = !Doc().OverwriteMode;
    ++overwriteToggles;
  }
  void SchedulePostedKeys() override { ++scheduled; }

  std::map<std::pair<int32_t, int32_t>, std::string> cells;
  int textToggles = 0;
  int overwriteToggles = 0;
  int scheduled = 0;
};

}  // namespace quoxa::test
