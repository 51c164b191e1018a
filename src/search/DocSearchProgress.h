#pragma once
// The progress of document searches in the open progress box: forward the window end of
// DocSize, backward DocSize minus the window end, so that the bar fills as the scan moves.
// They ask the scanner to report only where the shown gauge can change.

#include <cstdint>

#include "search/QSearch.h"

namespace quoxa {

// The smallest position above pos whose gauge value (of maximum) differs from that of pos;
// INT64_MAX when the gauge cannot change any more.
int64_t NextGaugeChange(int64_t pos, int64_t maximum);

class ForwardDocProgress final : public SearchProgress {
 public:
  ForwardDocProgress() { due = INT64_MIN; }
  void Report(int64_t windowEnd, bool& abort) override;
};

class BackwardDocProgress final : public SearchProgress {
 public:
  BackwardDocProgress() { due = INT64_MAX; }
  void Report(int64_t windowEnd, bool& abort) override;
};

}  // namespace quoxa
