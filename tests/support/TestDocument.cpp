#include "TestDocument.h"

#include <cstring>

#include "core/DocState.h"
#include "core/DocWrite.h"
#include "core/MemoryPolicy.h"
#include "core/Navigation.h"

namespace quoxa::test {

void LoadDocument(const std::string& bytes, int32_t cols, int32_t rows) {
  if (Doc().DocBuffer == nullptr) AllocDocument();
  ReserveForSize(static_cast<int64_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(WritableDocBuffer(), bytes.data(), bytes.size());
  Doc().DocSize = static_cast<int64_t>(bytes.size());
  SetPageGeometry(cols, rows);
  Doc().ViewReady = true;
  Doc().Modified = false;
  Doc().TopAddress = 1;
  GotoTop();
}

std::string Ramp(int64_t n) {
  std::string s(static_cast<size_t>(n), '\0');
  for (int64_t i = 0; i < n; ++i) s[static_cast<size_t>(i)] = static_cast<char>(i & 0xFF);
  return s;
}

std::string DocumentBytes() {
  return Doc().DocSize > 0
             ? std::string(reinterpret_cast<const char*>(Doc().DocBuffer), static_cast<size_t>(Doc().DocSize))
             : "";
}

AllocationLimit::AllocationLimit(int64_t bytes) { TQZDynArray::SetAllocationLimit(bytes); }

AllocationLimit::~AllocationLimit() { TQZDynArray::SetAllocationLimit(-1); }

}  // namespace quoxa::test
