#pragma once
// Copying one difference of a compare from one side to the other.

#include <cstdint>
#include <span>

#include "tools/ByteCompare.h"

namespace quoxa {

class TDocument;

// Makes the range's bytes in target (side A when targetIsA, else side B) the source side's
// bytes, as one undo step of target; a block that ended at or after a change of length is
// dropped. False when the range does not lie in the target or memory could not be had.
bool CopyDifference(TDocument& target, std::span<const uint8_t> source, const DiffRange& range,
                    bool targetIsA);

}  // namespace quoxa
