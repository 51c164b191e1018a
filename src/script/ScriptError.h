#pragma once
// The error a script raises: its text is what the user sees.

#include <stdexcept>
#include <string>

namespace quoxa {

class ScriptError : public std::runtime_error {
 public:
  explicit ScriptError(std::string text) : std::runtime_error(text), text_(std::move(text)) {}
  // The whole text; what() ends at a NUL byte that a script line may hold.
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace quoxa
