#pragma once
// Raw write access to the document block. Only the journaled primitives, the journal itself,
// the replace engine (which journals its own splices), file reading and the memory policy
// include this header; a test keeps that list closed. Everything else changes the document
// through Primitives.h, so that Undo covers it.

#include <cstdint>

namespace quoxa {

// Before handing the block out, the journal turns an open conversion record into splices: it
// reads the bytes as the conversion left them, and they are about to change.
uint8_t* WritableDocBuffer();
// The block for a conversion through a table, which the journal records as it goes.
uint8_t* WritableDocBufferForConversion();
void SetDocBuffer(uint8_t* buffer);

// Writes one byte; nothing is journaled.
void SetByte(int64_t pos, uint8_t value);

// Moves pos..DocSize up by n (growing first); the gap is the caller's to fill and journal.
bool OpenGap(int64_t pos, int64_t n);
// Removes pos..pos+n-1 without journaling; may shrink the block. False when the range passes
// the end or a shrink failed (the bytes are removed all the same then).
bool RemoveRange(int64_t pos, int64_t n);
// Replaces removeLength bytes at pos by length bytes of data, without journaling.
bool RawSplice(int64_t pos, int64_t removeLength, const uint8_t* data, int64_t length);

}  // namespace quoxa
