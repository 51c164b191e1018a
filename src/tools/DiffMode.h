#pragma once
// quoxa --diff [--same-offsets] FILE1 FILE2: the differences of two files on the command line,
// no window, exit status as cmp's.

#include <cstdio>
#include <span>
#include <string>

namespace quoxa {

inline constexpr const char* kDiffUsage = "Usage: quoxa --diff [--same-offsets] FILE1 FILE2\n";

// Prints one DiffLine per difference to out; messages go to err. Returns 0 when the files are
// equal, 1 when they differ, 2 when a file could not be read, out not written, or args are wrong.
int RunDiffMode(std::span<const std::string> args, std::FILE* out, std::FILE* err);

}  // namespace quoxa
