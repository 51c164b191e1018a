#include "core/MemoryPolicy.h"

#include <algorithm>
#include <limits>

#include "core/Busy.h"
#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/TextFormat.h"

namespace quoxa {

namespace {

constexpr int64_t kMaxSize = std::numeric_limits<int32_t>::max();

bool ReAllocDocument(int64_t bytes, const char* busyText) {
  if (bytes < 0 || bytes > kMaxSize || Doc().DocArray == nullptr) return false;
  BusyScope busy(busyText);
  uint8_t* buffer = WritableDocBuffer();
  const bool ok = Doc().DocArray->ReAlloc(buffer, static_cast<int32_t>(bytes));
  SetDocBuffer(buffer);
  return ok;
}

}  // namespace

int64_t RoundUp(int64_t x) {
  const int64_t rounded = (x / kGrowStep + 1) * kGrowStep;
  return rounded > kMaxSize ? -1 : rounded;
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

bool ReserveForSize(int64_t size) { return SetCapacity(CapacityForSize(size)); }

bool SetCapacity(int64_t bytes) {
  if (!ReAllocDocument(bytes, msg::kAllocatingMemory)) return false;
  Doc().DocSize = std::min(Doc().DocSize, Capacity());
  return true;
}

bool EnsureCapacity(int64_t delta) {
  if (delta == 0) return true;
  if (delta > 0) {
    if (delta <= int64_t{Capacity()} - Doc().DocSize) return true;
    return ReAllocDocument(RoundUp(int64_t{Doc().DocSize} + delta), msg::kAllocatingMemory);
  }
  if (Capacity() <= kMinCapacity) return true;
  const int64_t remaining = std::max<int64_t>(0, int64_t{Doc().DocSize} + delta);
  return ReAllocDocument(std::max<int64_t>(kMinCapacity, RoundUp(remaining)), msg::kReleasingMemory);
}

std::string MemoryInfoText() {
  return FormatMsgN(FormatMsgN(msg::kMemoryInfo, Doc().DocSize), Capacity());
}

}  // namespace quoxa
