#pragma once
// The window sizes the program asked the window system for. The window manager answers
// each request with a resize, possibly late, after the program has asked for another size;
// such an answer is not the user resizing the window, and must not change the layout.

#include <cstddef>
#include <deque>
#include <utility>

namespace quoxa {

class TSizeRequests {
 public:
  void Requested(int width, int height);
  // A resize the window system reports. True when it answers a request still pending
  // (that request and the ones before it are settled); false for any other resize,
  // which also forgets what was pending.
  bool Answers(int width, int height);
  bool Pending() const { return !pending_.empty(); }

 private:
  static constexpr std::size_t kMaxPending = 16;
  std::deque<std::pair<int, int>> pending_;
};

}  // namespace quoxa
