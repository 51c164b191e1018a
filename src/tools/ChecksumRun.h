#pragma once
// Checksums of the document's bytes under the progress box, and of files read piece by piece.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/Progress.h"
#include "tools/Checksum.h"

namespace quoxa {

// Bytes fed to the hashers at a time: every ticked algorithm reads a piece while it is still
// in the cache, and the gauge and Cancel are looked at between pieces.
constexpr size_t kChecksumPiece = size_t{256} << 10;

enum class ChecksumStatus { Done, Cancelled, Refused };

struct ChecksumRun {
  ChecksumStatus status = ChecksumStatus::Done;
  std::vector<std::string> values;  // one per kind, in their order, when Done
  ChecksumKind refused{};           // the algorithm the library refused
};

// The values of kinds over size bytes at data. A progress box as setup describes opens once the
// work has taken delay, so that a quick checksum shows no window; it shows the share done, and
// its Cancel stops the work.
ChecksumRun ChecksumBytes(const uint8_t* data, int64_t size, std::span<const ChecksumKind> kinds,
                          const ProgressSpec& setup, std::chrono::milliseconds delay);

// How long the document's checksums run before their progress box appears: one done in a moment
// flashes no window. Tests set 0.
inline constexpr std::chrono::milliseconds kChecksumBoxDelay{500};
void SetChecksumBoxDelay(std::chrono::milliseconds delay);

// The values over the document's positions first to last (inclusive; last < first for none).
ChecksumRun ChecksumDocument(int64_t first, int64_t last, std::span<const ChecksumKind> kinds);

struct FileChecksums {
  bool ok = false;
  std::vector<std::string> values;
  std::string error;  // the system's reason when not ok
};

// Reads the file ("-": standard input) in pieces, never whole, and returns the values.
FileChecksums ChecksumFile(const std::string& path, std::span<const ChecksumKind> kinds);

}  // namespace quoxa
