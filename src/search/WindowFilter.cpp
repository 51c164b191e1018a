#include "search/WindowFilter.h"

#include <array>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUOXA_SEARCH_X86 1
#endif

namespace quoxa {

namespace {

bool Passes(uint8_t x, const BytePick& pick) { return x == pick.a || x == pick.b; }

int64_t ScalarNext(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& f) {
  const uint8_t* p1 = data + f.first.offset;
  const uint8_t* p2 = data + f.second.offset;
  for (int64_t s = from; s <= to; ++s) {
    if (Passes(p1[s], f.first) && Passes(p2[s], f.second)) return s;
  }
  return -1;
}

int64_t ScalarPrev(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& f) {
  const uint8_t* p1 = data + f.first.offset;
  const uint8_t* p2 = data + f.second.offset;
  for (int64_t s = to; s >= from; --s) {
    if (Passes(p1[s], f.first) && Passes(p2[s], f.second)) return s;
  }
  return -1;
}

#ifdef QUOXA_SEARCH_X86

// Both picks of a block of 32 starts; kTwo: some pick accepts two different values.
template <bool kTwo>
__attribute__((target("avx2"))) inline __m256i Block32(const uint8_t* p1, const uint8_t* p2, __m256i a1, __m256i b1,
                                                       __m256i a2, __m256i b2) {
  const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p1));
  const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p2));
  if constexpr (kTwo) {
    return _mm256_and_si256(_mm256_or_si256(_mm256_cmpeq_epi8(x, a1), _mm256_cmpeq_epi8(x, b1)),
                            _mm256_or_si256(_mm256_cmpeq_epi8(y, a2), _mm256_cmpeq_epi8(y, b2)));
  } else {
    return _mm256_and_si256(_mm256_cmpeq_epi8(x, a1), _mm256_cmpeq_epi8(y, a2));
  }
}

template <bool kTwo>
__attribute__((target("avx2"))) int64_t Avx2Next(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& f) {
  const __m256i a1 = _mm256_set1_epi8(static_cast<char>(f.first.a));
  const __m256i b1 = _mm256_set1_epi8(static_cast<char>(f.first.b));
  const __m256i a2 = _mm256_set1_epi8(static_cast<char>(f.second.a));
  const __m256i b2 = _mm256_set1_epi8(static_cast<char>(f.second.b));
  const uint8_t* p1 = data + f.first.offset;
  const uint8_t* p2 = data + f.second.offset;
  int64_t s = from;
  for (; s + 63 <= to; s += 64) {
    const __m256i m0 = Block32<kTwo>(p1 + s, p2 + s, a1, b1, a2, b2);
    const __m256i m1 = Block32<kTwo>(p1 + s + 32, p2 + s + 32, a1, b1, a2, b2);
    const __m256i any = _mm256_or_si256(m0, m1);
    if (_mm256_testz_si256(any, any)) continue;
    const auto k0 = static_cast<uint32_t>(_mm256_movemask_epi8(m0));
    if (k0 != 0) return s + __builtin_ctz(k0);
    return s + 32 + __builtin_ctz(static_cast<uint32_t>(_mm256_movemask_epi8(m1)));
  }
  for (; s + 31 <= to; s += 32) {
    const auto k = static_cast<uint32_t>(_mm256_movemask_epi8(Block32<kTwo>(p1 + s, p2 + s, a1, b1, a2, b2)));
    if (k != 0) return s + __builtin_ctz(k);
  }
  return ScalarNext(data, s, to, f);
}

template <bool kTwo>
__attribute__((target("avx2"))) int64_t Avx2Prev(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& f) {
  const __m256i a1 = _mm256_set1_epi8(static_cast<char>(f.first.a));
  const __m256i b1 = _mm256_set1_epi8(static_cast<char>(f.first.b));
  const __m256i a2 = _mm256_set1_epi8(static_cast<char>(f.second.a));
  const __m256i b2 = _mm256_set1_epi8(static_cast<char>(f.second.b));
  const uint8_t* p1 = data + f.first.offset;
  const uint8_t* p2 = data + f.second.offset;
  int64_t top = to;  // highest start not yet examined
  for (; top - 63 >= from; top -= 64) {
    const int64_t s = top - 63;
    const __m256i m0 = Block32<kTwo>(p1 + s, p2 + s, a1, b1, a2, b2);
    const __m256i m1 = Block32<kTwo>(p1 + s + 32, p2 + s + 32, a1, b1, a2, b2);
    const __m256i any = _mm256_or_si256(m0, m1);
    if (_mm256_testz_si256(any, any)) continue;
    const auto k1 = static_cast<uint32_t>(_mm256_movemask_epi8(m1));
    if (k1 != 0) return s + 32 + 31 - __builtin_clz(k1);
    return s + 31 - __builtin_clz(static_cast<uint32_t>(_mm256_movemask_epi8(m0)));
  }
  for (; top - 31 >= from; top -= 32) {
    const int64_t s = top - 31;
    const auto k = static_cast<uint32_t>(_mm256_movemask_epi8(Block32<kTwo>(p1 + s, p2 + s, a1, b1, a2, b2)));
    if (k != 0) return s + 31 - __builtin_clz(k);
  }
  return ScalarPrev(data, from, top, f);
}

inline __m128i Block16(const uint8_t* p1, const uint8_t* p2, __m128i a1, __m128i b1, __m128i a2, __m128i b2) {
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p1));
  const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p2));
  return _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(x, a1), _mm_cmpeq_epi8(x, b1)),
                       _mm_or_si128(_mm_cmpeq_epi8(y, a2), _mm_cmpeq_epi8(y, b2)));
}

int64_t Sse2Next(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& f) {
  const __m128i a1 = _mm_set1_epi8(static_cast<char>(f.first.a));
  const __m128i b1 = _mm_set1_epi8(static_cast<char>(f.first.b));
  const __m128i a2 = _mm_set1_epi8(static_cast<char>(f.second.a));
  const __m128i b2 = _mm_set1_epi8(static_cast<char>(f.second.b));
  const uint8_t* p1 = data + f.first.offset;
  const uint8_t* p2 = data + f.second.offset;
  int64_t s = from;
  for (; s + 15 <= to; s += 16) {
    const int k = _mm_movemask_epi8(Block16(p1 + s, p2 + s, a1, b1, a2, b2));
    if (k != 0) return s + __builtin_ctz(static_cast<unsigned>(k));
  }
  return ScalarNext(data, s, to, f);
}

int64_t Sse2Prev(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& f) {
  const __m128i a1 = _mm_set1_epi8(static_cast<char>(f.first.a));
  const __m128i b1 = _mm_set1_epi8(static_cast<char>(f.first.b));
  const __m128i a2 = _mm_set1_epi8(static_cast<char>(f.second.a));
  const __m128i b2 = _mm_set1_epi8(static_cast<char>(f.second.b));
  const uint8_t* p1 = data + f.first.offset;
  const uint8_t* p2 = data + f.second.offset;
  int64_t top = to;
  for (; top - 15 >= from; top -= 16) {
    const int64_t s = top - 15;
    const int k = _mm_movemask_epi8(Block16(p1 + s, p2 + s, a1, b1, a2, b2));
    if (k != 0) return s + 31 - __builtin_clz(static_cast<unsigned>(k));
  }
  return ScalarPrev(data, from, top, f);
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

bool TwoValues(const WindowFilter& f) { return f.first.a != f.first.b || f.second.a != f.second.b; }

#endif

}  // namespace

int64_t NextCandidate(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& filter) {
  if (from > to) return -1;
#ifdef QUOXA_SEARCH_X86
  if (HasAvx2()) return TwoValues(filter) ? Avx2Next<true>(data, from, to, filter) : Avx2Next<false>(data, from, to, filter);
  return Sse2Next(data, from, to, filter);
#else
  return ScalarNext(data, from, to, filter);
#endif
}

int64_t PrevCandidate(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& filter) {
  if (from > to) return -1;
#ifdef QUOXA_SEARCH_X86
  if (HasAvx2()) return TwoValues(filter) ? Avx2Prev<true>(data, from, to, filter) : Avx2Prev<false>(data, from, to, filter);
  return Sse2Prev(data, from, to, filter);
#else
  return ScalarPrev(data, from, to, filter);
#endif
}

int ByteCommonness(uint8_t byte) {
  static const std::array<uint8_t, 256> table = [] {
    std::array<uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b) {
      int score = 60;  // bytes of other alphabets and binary noise
      if (b < 0x20) score = b >= 1 && b <= 8 ? 130 : 100;
      if (b >= 0x21 && b < 0x7F) score = 110;  // punctuation
      if (b >= 'A' && b <= 'Z') score = 125;
      if (b >= '0' && b <= '9') score = 150;
      t[static_cast<size_t>(b)] = static_cast<uint8_t>(score);
    }
    // Lower-case letters by their frequency in English text, most frequent first.
    const char* order = "etaoinsrhldcumfpgwybvkxjqz";
    for (int i = 0; order[i] != '\0'; ++i) t[static_cast<uint8_t>(order[i])] = static_cast<uint8_t>(240 - 3 * i);
    t[0x00] = 255;
    t[' '] = 250;
    t[0xFF] = 200;
    t['\n'] = 170;
    t['\r'] = 160;
    t['.'] = 160;
    t[','] = 150;
    t['\t'] = 130;
    return t;
  }();
  return table[byte];
}

}  // namespace quoxa
