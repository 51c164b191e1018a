#pragma once
// The error a script raises: its text is what the user sees.

#include <stdexcept>

namespace quoxa {

class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quoxa
