#pragma once
// The active document's state and the rules that keep its view consistent.

#include <cstdint>

#include "core/Document.h"

namespace quoxa {

inline int64_t Capacity() { return Doc().Capacity(); }
inline uint8_t GetByte(int64_t pos) { return Doc().GetByte(pos); }
inline int64_t CursorAddress() { return Doc().CursorAddress(); }
inline int64_t DisplayAddress(int64_t pos) { return Doc().DisplayAddress(pos); }

// LastShownAddress = min(DocSize, TopAddress + PageSize - 1).
void RecomputeLastShown();

// Sets BytesPerRow, VisibleRows and PageSize together.
void SetPageGeometry(int32_t cols, int32_t rows);

// Frees the active document's block and puts it back to its start-up state (tests, shut-down).
void ResetDocumentState();

}  // namespace quoxa
