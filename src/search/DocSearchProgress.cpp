#include "search/DocSearchProgress.h"

#include <algorithm>

#include "core/DocState.h"
#include "core/Progress.h"

namespace quoxa {

int64_t NextGaugeChange(int64_t pos, int64_t maximum) {
  if (maximum <= 0) return INT64_MAX;
  pos = std::max<int64_t>(pos, 0);
  const int gauge = GaugeFor(pos, maximum);
  if (gauge >= GaugeFor(maximum, maximum)) return INT64_MAX;
  // The gauge rounds 100 * pos / maximum: it passes gauge + 1/2 at (2 gauge + 1) maximum / 200.
  int64_t next = std::max(pos + 1, ((2 * int64_t{gauge} + 1) * maximum + 199) / 200);
  while (next > pos + 1 && GaugeFor(next - 1, maximum) > gauge) --next;
  while (GaugeFor(next, maximum) <= gauge) ++next;
  return next;
}

// Reporting at every window end of the same gauge value would show nothing new and read
// the same Cancel state, since the box only lets events through when the gauge moves.
void ForwardDocProgress::Report(int64_t windowEnd, bool& abort) {
  const int64_t done = std::clamp<int64_t>(windowEnd, 0, Doc().DocSize);
  ReportProgress(done, abort);
  due = NextGaugeChange(done, Doc().DocSize);
}

void BackwardDocProgress::Report(int64_t windowEnd, bool& abort) {
  const int64_t done = std::clamp<int64_t>(Doc().DocSize - windowEnd, 0, Doc().DocSize);
  ReportProgress(done, abort);
  const int64_t next = NextGaugeChange(done, Doc().DocSize);
  due = next == INT64_MAX ? INT64_MIN : Doc().DocSize - next;
}

}  // namespace quoxa
