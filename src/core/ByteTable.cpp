#include "core/ByteTable.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace quoxa {

namespace {

#if defined(__x86_64__)
// The table as sixteen rows of sixteen: row h answers the bytes whose high nibble is h. A
// byte looks up row h at (byte ^ 16h) saturated up by 0x70: in its own row that keeps its low
// nibble, in any other row it reaches bit 7, for which the shuffle gives 0.
//
// The rows hold what each entry changes (entry ^ index), so that a row the table leaves alone
// costs nothing: most tables change a few letters or only the upper half. Returns how many
// rows change anything; only those are put into rows and offsets.
int ChangingRows(const uint8_t* table, __m128i* rows, __m128i* offsets) {
  int count = 0;
  const __m128i lanes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  for (int h = 0; h < 16; ++h) {
    const __m128i offset = _mm_set1_epi8(static_cast<char>(16 * h));
    const __m128i row = _mm_loadu_si128(reinterpret_cast<const __m128i*>(table + 16 * h));
    const __m128i change = _mm_xor_si128(row, _mm_or_si128(lanes, offset));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(change, _mm_setzero_si128())) == 0xffff) continue;
    rows[count] = change;
    offsets[count] = offset;
    ++count;
  }
  return count;
}

// kAll: every row changes something, and the lookup loop has a fixed count that unrolls
// (left as a loop, its own count and branch would double the sixteen short steps).
template <bool kAll>
__attribute__((target("avx2"))) int32_t LookupRowsAvx2(uint8_t* bytes, int32_t n, const __m256i* rows,
                                                       const __m256i* offsets, int count) {
  const __m256i bias = _mm256_set1_epi8(0x70);
  int32_t i = 0;
  for (; i + 32 <= n; i += 32) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i));
    __m256i d = _mm256_setzero_si256();
#pragma GCC unroll 16
    for (int k = 0; k < (kAll ? 16 : count); ++k) {
      d = _mm256_or_si256(d, _mm256_shuffle_epi8(rows[k], _mm256_adds_epu8(_mm256_xor_si256(x, offsets[k]), bias)));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes + i), _mm256_xor_si256(x, d));
  }
  return i;
}

__attribute__((target("avx2"))) int32_t TranslateAvx2(uint8_t* bytes, int32_t n, const uint8_t* table) {
  __m128i narrowRows[16];
  __m128i narrowOffsets[16];
  const int count = ChangingRows(table, narrowRows, narrowOffsets);
  if (count == 0) return n;
  __m256i rows[16];
  __m256i offsets[16];
  for (int k = 0; k < count; ++k) {
    rows[k] = _mm256_broadcastsi128_si256(narrowRows[k]);
    offsets[k] = _mm256_broadcastsi128_si256(narrowOffsets[k]);
  }
  return count == 16 ? LookupRowsAvx2<true>(bytes, n, rows, offsets, count)
                     : LookupRowsAvx2<false>(bytes, n, rows, offsets, count);
}

// The same lookup sixteen bytes at a time, for processors without AVX2.
__attribute__((target("ssse3"))) int32_t TranslateSsse3(uint8_t* bytes, int32_t n, const uint8_t* table) {
  __m128i rows[16];
  __m128i offsets[16];
  const int count = ChangingRows(table, rows, offsets);
  if (count == 0) return n;
  const __m128i bias = _mm_set1_epi8(0x70);
  int32_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    __m128i d = _mm_setzero_si128();
    for (int k = 0; k < count; ++k) {
      d = _mm_or_si128(d, _mm_shuffle_epi8(rows[k], _mm_adds_epu8(_mm_xor_si128(x, offsets[k]), bias)));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + i), _mm_xor_si128(x, d));
  }
  return i;
}

#define QUOXA_AVX512 __attribute__((target("avx512f,avx512bw,avx512vbmi")))

// Two two-register byte permutes answer the low and the high half of the table; bit 7 picks.
QUOXA_AVX512 int32_t TranslateAvx512(uint8_t* bytes, int32_t n, const uint8_t* table) {
  const __m512i t0 = _mm512_loadu_si512(table);
  const __m512i t1 = _mm512_loadu_si512(table + 64);
  const __m512i t2 = _mm512_loadu_si512(table + 128);
  const __m512i t3 = _mm512_loadu_si512(table + 192);
  int32_t i = 0;
  for (; i + 64 <= n; i += 64) {
    const __m512i x = _mm512_loadu_si512(bytes + i);
    const __m512i low = _mm512_permutex2var_epi8(t0, x, t1);
    const __m512i high = _mm512_permutex2var_epi8(t2, x, t3);
    _mm512_storeu_si512(bytes + i, _mm512_mask_blend_epi8(_mm512_movepi8_mask(x), low, high));
  }
  return i;
}

// A 64-byte compare gives four mask words at once, in the order the mask keeps them.
QUOXA_AVX512 int32_t ChangedMaskAvx512(const uint8_t* before, const uint8_t* after, int32_t n, uint16_t* mask,
                                       int32_t& changed) {
  int32_t i = 0;
  for (; i + 64 <= n; i += 64) {
    const __mmask64 m = _mm512_cmpneq_epi8_mask(_mm512_loadu_si512(before + i), _mm512_loadu_si512(after + i));
    std::memcpy(mask + i / 16, &m, sizeof m);
    changed += std::popcount(static_cast<uint64_t>(m));
  }
  return i;
}

QUOXA_AVX512 int32_t TakeMaskedAvx512(uint8_t* bytes, const uint8_t* chosen, int32_t n, const uint16_t* mask) {
  int32_t i = 0;
  for (; i + 64 <= n; i += 64) {
    __mmask64 m;
    std::memcpy(&m, mask + i / 16, sizeof m);
    if (m != 0) _mm512_mask_storeu_epi8(bytes + i, m, _mm512_loadu_si512(chosen + i));
  }
  return i;
}

TByteKernels BestKernels() {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
      __builtin_cpu_supports("avx512vbmi")) {
    return TByteKernels::Avx512;
  }
  if (__builtin_cpu_supports("avx2")) return TByteKernels::Avx2;
  return __builtin_cpu_supports("ssse3") ? TByteKernels::Ssse3 : TByteKernels::Plain;
}
#else
TByteKernels BestKernels() { return TByteKernels::Plain; }
#endif

TByteKernels kernels = BestKernels();

}  // namespace

TByteKernels UseByteKernels(TByteKernels limit) {
  kernels = std::min(limit, BestKernels());
  return kernels;
}

void TranslateBytes(uint8_t* bytes, int32_t n, const uint8_t* table) {
  int32_t i = 0;
#if defined(__x86_64__)
  if (kernels == TByteKernels::Avx512) {
    i = TranslateAvx512(bytes, n, table);
  } else if (kernels == TByteKernels::Avx2) {
    i = TranslateAvx2(bytes, n, table);
  } else if (kernels == TByteKernels::Ssse3) {
    i = TranslateSsse3(bytes, n, table);
  }
#endif
  for (; i < n; ++i) bytes[i] = table[bytes[i]];
}

int32_t ChangedMask(const uint8_t* before, const uint8_t* after, int32_t n, uint16_t* mask) {
  int32_t changed = 0;
  int32_t i = 0;
#if defined(__x86_64__)
  if (kernels == TByteKernels::Avx512) i = ChangedMaskAvx512(before, after, n, mask, changed);
  // Equal bytes are counted in byte lanes (each compare gives -1), summed before they wrap.
  const __m128i zero = _mm_setzero_si128();
  const int32_t start = i;
  int32_t equal = 0;
  while (i + 16 <= n) {
    __m128i lanes = zero;
    const int32_t end = std::min(n - 15, i + 255 * 16);
    for (; i < end; i += 16) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(before + i));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(after + i));
      const __m128i eq = _mm_cmpeq_epi8(a, b);
      mask[i / 16] = static_cast<uint16_t>(~_mm_movemask_epi8(eq));
      lanes = _mm_sub_epi8(lanes, eq);
    }
    const __m128i sums = _mm_sad_epu8(lanes, zero);
    equal += _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
  }
  changed += i - start - equal;
#endif
  for (; i < n; i += 16) {
    uint16_t m = 0;
    for (int32_t k = i; k < std::min(n, i + 16); ++k) m |= static_cast<uint16_t>(before[k] != after[k]) << (k - i);
    mask[i / 16] = m;
    changed += std::popcount(m);
  }
  return changed;
}

void TakeMasked(uint8_t* bytes, const uint8_t* chosen, int32_t n, const uint16_t* mask) {
  int32_t i = 0;
#if defined(__x86_64__)
  if (kernels == TByteKernels::Avx512) i = TakeMaskedAvx512(bytes, chosen, n, mask);
  // Each mask bit spread over its byte lane: the lane's mask byte, its own bit, compared.
  const __m128i bits = _mm_set1_epi64x(static_cast<int64_t>(0x8040201008040201ULL));
  for (; i + 16 <= n; i += 16) {
    const uint16_t m = mask[i / 16];
    if (m == 0) continue;
    const __m128i spread = _mm_set_epi64x(static_cast<int64_t>(0x0101010101010101ULL * (m >> 8)),
                                          static_cast<int64_t>(0x0101010101010101ULL * (m & 0xff)));
    const __m128i take = _mm_cmpeq_epi8(_mm_and_si128(spread, bits), bits);
    auto* out = reinterpret_cast<__m128i*>(bytes + i);
    const __m128i was = _mm_loadu_si128(out);
    const __m128i other = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chosen + i));
    _mm_storeu_si128(out, _mm_or_si128(_mm_and_si128(take, other), _mm_andnot_si128(take, was)));
  }
#endif
  for (; i < n; ++i) {
    if ((mask[i / 16] >> (i % 16)) & 1) bytes[i] = chosen[i];
  }
}

}  // namespace quoxa
