#include "search/WindowFilter.h"

#include <array>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUOXA_SEARCH_X86 1
#endif

namespace quoxa {

namespace {

// The pre-test of one pick, the same on every path (see Block32).
bool Passes(uint8_t x, const BytePick& pick) { return (x | (pick.a ^ pick.b)) == (pick.a | pick.b); }

bool wideVectors = true;

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

// Both picks of a block of 32 starts. A pick of two values a, b tests (x | (a ^ b)) == (a | b):
// exact for a pair that differs in one bit (the two cases of a letter), otherwise a slightly
// wider pre-test, which the scanner's full compare then narrows.
template <bool kTwo>
__attribute__((target("avx2"))) inline __m256i Block32(const uint8_t* p1, const uint8_t* p2, __m256i m1, __m256i t1,
                                                       __m256i m2, __m256i t2) {
  __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p1));
  __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p2));
  if constexpr (kTwo) {
    x = _mm256_or_si256(x, m1);
    y = _mm256_or_si256(y, m2);
  }
  return _mm256_and_si256(_mm256_cmpeq_epi8(x, t1), _mm256_cmpeq_epi8(y, t2));
}

struct Avx2Picks {
  __m256i m1, t1, m2, t2;
};

__attribute__((target("avx2"))) inline Avx2Picks MakeAvx2Picks(const WindowFilter& f) {
  return {_mm256_set1_epi8(static_cast<char>(f.first.a ^ f.first.b)),
          _mm256_set1_epi8(static_cast<char>(f.first.a | f.first.b)),
          _mm256_set1_epi8(static_cast<char>(f.second.a ^ f.second.b)),
          _mm256_set1_epi8(static_cast<char>(f.second.a | f.second.b))};
}

template <bool kTwo>
__attribute__((target("avx2"))) int64_t Avx2Next(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& f) {
  const Avx2Picks k = MakeAvx2Picks(f);
  const uint8_t* p1 = data + f.first.offset;
  const uint8_t* p2 = data + f.second.offset;
  int64_t s = from;
  for (; s + 63 <= to; s += 64) {
    const __m256i b0 = Block32<kTwo>(p1 + s, p2 + s, k.m1, k.t1, k.m2, k.t2);
    const __m256i b1 = Block32<kTwo>(p1 + s + 32, p2 + s + 32, k.m1, k.t1, k.m2, k.t2);
    const __m256i any = _mm256_or_si256(b0, b1);
    if (_mm256_testz_si256(any, any)) continue;
    const auto k0 = static_cast<uint32_t>(_mm256_movemask_epi8(b0));
    if (k0 != 0) return s + __builtin_ctz(k0);
    return s + 32 + __builtin_ctz(static_cast<uint32_t>(_mm256_movemask_epi8(b1)));
  }
  for (; s + 31 <= to; s += 32) {
    const auto bits = static_cast<uint32_t>(_mm256_movemask_epi8(Block32<kTwo>(p1 + s, p2 + s, k.m1, k.t1, k.m2, k.t2)));
    if (bits != 0) return s + __builtin_ctz(bits);
  }
  return ScalarNext(data, s, to, f);
}

template <bool kTwo>
__attribute__((target("avx2"))) int64_t Avx2Prev(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& f) {
  const Avx2Picks k = MakeAvx2Picks(f);
  const uint8_t* p1 = data + f.first.offset;
  const uint8_t* p2 = data + f.second.offset;
  int64_t top = to;  // highest start not yet examined
  for (; top - 63 >= from; top -= 64) {
    const int64_t s = top - 63;
    const __m256i b0 = Block32<kTwo>(p1 + s, p2 + s, k.m1, k.t1, k.m2, k.t2);
    const __m256i b1 = Block32<kTwo>(p1 + s + 32, p2 + s + 32, k.m1, k.t1, k.m2, k.t2);
    const __m256i any = _mm256_or_si256(b0, b1);
    if (_mm256_testz_si256(any, any)) continue;
    const auto k1 = static_cast<uint32_t>(_mm256_movemask_epi8(b1));
    if (k1 != 0) return s + 32 + 31 - __builtin_clz(k1);
    return s + 31 - __builtin_clz(static_cast<uint32_t>(_mm256_movemask_epi8(b0)));
  }
  for (; top - 31 >= from; top -= 32) {
    const int64_t s = top - 31;
    const auto bits = static_cast<uint32_t>(_mm256_movemask_epi8(Block32<kTwo>(p1 + s, p2 + s, k.m1, k.t1, k.m2, k.t2)));
    if (bits != 0) return s + 31 - __builtin_clz(bits);
  }
  return ScalarPrev(data, from, top, f);
}

inline __m128i Block16(const uint8_t* p1, const uint8_t* p2, __m128i m1, __m128i t1, __m128i m2, __m128i t2) {
  const __m128i x = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p1)), m1);
  const __m128i y = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p2)), m2);
  return _mm_and_si128(_mm_cmpeq_epi8(x, t1), _mm_cmpeq_epi8(y, t2));
}

struct Sse2Picks {
  __m128i m1, t1, m2, t2;
};

inline Sse2Picks MakeSse2Picks(const WindowFilter& f) {
  return {_mm_set1_epi8(static_cast<char>(f.first.a ^ f.first.b)), _mm_set1_epi8(static_cast<char>(f.first.a | f.first.b)),
          _mm_set1_epi8(static_cast<char>(f.second.a ^ f.second.b)),
          _mm_set1_epi8(static_cast<char>(f.second.a | f.second.b))};
}

int64_t Sse2Next(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& f) {
  const Sse2Picks k = MakeSse2Picks(f);
  const uint8_t* p1 = data + f.first.offset;
  const uint8_t* p2 = data + f.second.offset;
  int64_t s = from;
  for (; s + 15 <= to; s += 16) {
    const int bits = _mm_movemask_epi8(Block16(p1 + s, p2 + s, k.m1, k.t1, k.m2, k.t2));
    if (bits != 0) return s + __builtin_ctz(static_cast<unsigned>(bits));
  }
  return ScalarNext(data, s, to, f);
}

int64_t Sse2Prev(const uint8_t* data, int64_t from, int64_t to, const WindowFilter& f) {
  const Sse2Picks k = MakeSse2Picks(f);
  const uint8_t* p1 = data + f.first.offset;
  const uint8_t* p2 = data + f.second.offset;
  int64_t top = to;
  for (; top - 15 >= from; top -= 16) {
    const int64_t s = top - 15;
    const int bits = _mm_movemask_epi8(Block16(p1 + s, p2 + s, k.m1, k.t1, k.m2, k.t2));
    if (bits != 0) return s + 31 - __builtin_clz(static_cast<unsigned>(bits));
  }
  return ScalarPrev(data, from, top, f);
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has && wideVectors;
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

void UseWideVectors(bool on) { wideVectors = on; }

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
