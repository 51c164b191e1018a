#include "core/MemoryPolicy.h"

#include <algorithm>
#include <limits>

#include "core/Busy.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/FreeMemory.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/TextFormat.h"

namespace quoxa {

namespace {

bool ReAllocDocument(int64_t bytes, const char* busyText) {
  if (bytes < 0 || bytes > kMaxBlockBytes || Doc().DocArray == nullptr) return false;
  BusyScope busy(busyText);
  uint8_t* buffer = WritableDocBuffer();
  const bool ok = Doc().DocArray->ReAlloc(buffer, bytes);
  SetDocBuffer(buffer);
  return ok;
}

// Whether the block may grow to hold size bytes. The system lends memory it does not have and
// ends the program when the pages are touched, so the growth must be free now (the step's
// rounding aside); a system that tells nothing leaves the answer to the allocation itself.
bool GrowthFits(int64_t size) {
  if (size < 0 || size > kMaxDocSize) return false;
  if (size <= Capacity()) return true;
  const int64_t free = FreeMemoryBytes();
  return free == 0 || size - Capacity() <= free;
}

}  // namespace

int64_t RoundUp(int64_t x) {
  if (x < 0 || x > kMaxDocSize) return -1;
  const int64_t rounded = (x / kGrowStep + 1) * kGrowStep;
  return rounded > kMaxBlockBytes ? -1 : rounded;
}

int64_t CapacityForSize(int64_t size) {
  const int64_t rounded = RoundUp(size);
  return rounded < 0 ? -1 : std::max<int64_t>(kMinCapacity, rounded);
}

bool AllocDocument() {
  BusyScope busy(msg::kAllocatingMemory);
  Doc().DocArray = std::make_unique<TQZDynArray>(1);
  uint8_t* buffer = nullptr;
  const bool allocated = Doc().DocArray->Alloc(buffer, kMinCapacity);
  SetDocBuffer(buffer);
  if (!allocated) {
    ShowError(msg::kAllocFailed);
    return false;
  }
  Doc().DocSize = 0;
  return true;
}

bool FreeDocument() {
  BusyScope busy(msg::kReleasingMemory);
  bool ok = true;
  if (Doc().DocArray != nullptr) {
    uint8_t* buffer = WritableDocBuffer();
    ok = Doc().DocArray->DeAlloc(buffer);
    if (!ok) ShowError(msg::kDeallocFailed);
    Doc().DocArray.reset();
  }
  Doc().DocBuffer = nullptr;
  Doc().DocSize = 0;
  return ok;
}

bool MemoryHolds(int64_t size) { return GrowthFits(size); }

bool FreeMemoryHolds(int64_t size) {
  if (size < 0 || size > kMaxDocSize) return false;
  const int64_t free = FreeMemoryBytes();
  return free == 0 || size <= free;
}

bool ReserveForSize(int64_t size) { return SetCapacity(CapacityForSize(size)); }

bool SetCapacity(int64_t bytes) {
  if (!ReAllocDocument(bytes, msg::kAllocatingMemory)) return false;
  Doc().DocSize = std::min(Doc().DocSize, Capacity());
  return true;
}

bool EnsureCapacity(int64_t delta) {
  if (delta == 0) return true;
  if (delta > 0) {
    if (delta <= Capacity() - Doc().DocSize) return true;
    if (delta > kMaxDocSize - Doc().DocSize || !GrowthFits(Doc().DocSize + delta)) return false;
    return ReAllocDocument(RoundUp(Doc().DocSize + delta), msg::kAllocatingMemory);
  }
  if (Capacity() <= kMinCapacity) return true;
  const int64_t remaining = std::max<int64_t>(0, Doc().DocSize + delta);
  return ReAllocDocument(std::max<int64_t>(kMinCapacity, RoundUp(remaining)), msg::kReleasingMemory);
}

std::string MemoryInfoText() { return FormatMsgN(FormatMsgN(msg::kMemoryInfo, Doc().DocSize), Capacity()); }

}  // namespace quoxa
