#include "tools/CompareCopy.h"

#include <string_view>

#include "core/Block.h"
#include "core/Document.h"
#include "core/Journal.h"
#include "core/Primitives.h"

namespace quoxa {

bool CopyDifference(TDocument& target, std::span<const uint8_t> source, const DiffRange& range,
                    bool targetIsA) {
  const int64_t at = targetIsA ? range.offsetA : range.offsetB;
  const int64_t remove = targetIsA ? range.lengthA : range.lengthB;
  const int64_t from = targetIsA ? range.offsetB : range.offsetA;
  const int64_t length = targetIsA ? range.lengthB : range.lengthA;
  if (from < 0 || length < 0 || from + length > static_cast<int64_t>(source.size())) return false;
  const ActiveDocumentScope scope(target);
  bool ok = false;
  {
    JournalStep step;
    ok = SpliceBytes(
        at + 1, remove,
        {reinterpret_cast<const char*>(source.data() + from), static_cast<size_t>(length)});
  }
  if (!ok) return false;
  target.Modified = true;
  // A replacement at or behind the change can no longer be taken back byte for byte.
  DropReplaceUndoIfReached(at + 1);
  if (length != remove) CheckBlock(at + 1);
  return true;
}

}  // namespace quoxa
