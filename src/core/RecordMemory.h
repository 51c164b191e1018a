#pragma once
// Memory for undo records. Blocks of a huge page and more are asked for as huge pages:
// faulting a large record in 4 KiB at a time costs more than writing it.

#include <cstddef>
#include <new>
#include <string>

namespace quoxa {

inline constexpr size_t kHugePage = size_t{2} << 20;

// Throws std::bad_alloc.
void* AllocateRecordMemory(size_t bytes);
// Asks for huge pages behind the whole huge pages inside bytes at block, before they are
// first written; smaller blocks are left as they are.
void AdviseHugePages(void* block, size_t bytes) noexcept;
void FreeRecordMemory(void* block) noexcept;

template <class T>
struct TRecordAllocator {
  using value_type = T;
  TRecordAllocator() = default;
  template <class U>
  TRecordAllocator(const TRecordAllocator<U>&) noexcept {}
  T* allocate(size_t n) {
    if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    return static_cast<T*>(AllocateRecordMemory(n * sizeof(T)));
  }
  void deallocate(T* p, size_t) noexcept { FreeRecordMemory(p); }
  friend bool operator==(const TRecordAllocator&, const TRecordAllocator&) { return true; }
};

using TRecordBytes = std::basic_string<char, std::char_traits<char>, TRecordAllocator<char>>;

}  // namespace quoxa
