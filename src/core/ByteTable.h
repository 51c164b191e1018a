#pragma once
// Byte-table work over whole stretches of the document, vectorised where the processor can.

#include <bit>
#include <cstdint>

namespace quoxa {

// The instruction sets the functions below may use: the best the processor has, unless a test
// holds them to a lower one to compare each path with the plain loops.
enum class TByteKernels { Plain, Ssse3, Avx2, Avx512 };
// Uses the best kernels up to limit; returns those now in use.
TByteKernels UseByteKernels(TByteKernels limit);

// bytes[i] = table[bytes[i]] for i < n.
void TranslateBytes(uint8_t* bytes, int32_t n, const uint8_t* table);

// Bit i % 16 of mask[i / 16] is set when after[i] differs from before[i]; returns how many
// do. mask needs (n + 15) / 16 entries.
int32_t ChangedMask(const uint8_t* before, const uint8_t* after, int32_t n, uint16_t* mask);

// Calls visit(i) for every set bit of such a mask of n bytes, in ascending order.
template <class Visit>
void ForEachMaskBit(const uint16_t* mask, int32_t n, Visit visit) {
  for (int32_t w = 0; w < (n + 15) / 16; ++w) {
    for (unsigned m = mask[w]; m != 0; m &= m - 1) visit(w * 16 + std::countr_zero(m));
  }
}

// bytes[i] = chosen[i] where bit i % 16 of mask[i / 16] is set, for i < n.
void TakeMasked(uint8_t* bytes, const uint8_t* chosen, int32_t n, const uint16_t* mask);

}  // namespace quoxa
