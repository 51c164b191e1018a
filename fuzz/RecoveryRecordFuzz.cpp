// A recovery record as anyone who may write the state folder can leave it: the reader never
// fails on it, and what it accepts is written back to a text that reads as the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/RecoveryStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quoxa;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<TRecoveryRecord> record = ParseRecoveryRecord(text);
  if (!record) return 0;
  const std::optional<TRecoveryRecord> again = ParseRecoveryRecord(FormatRecoveryRecord(*record));
  if (!again || again->kind != record->kind || again->target != record->target ||
      again->copy != record->copy || again->size != record->size ||
      again->untitled != record->untitled || again->targetState != record->targetState) {
    std::abort();
  }
  return 0;
}
