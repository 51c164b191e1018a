#pragma once
// quoxa --strings [-n N] [-e l] [-t d] FILE...: the printable runs of files on the command
// line as `strings -a` prints them, no window.

#include <cstdio>
#include <span>
#include <string>

namespace quoxa {

inline constexpr const char* kStringsUsage =
    "Usage: quoxa --strings [-n N] [-e l] [-t d] FILE...\n";

// Prints the runs of each FILE (- for standard input) to out, reading it in pieces; messages go
// to err. Returns 0, 1 when a file could not be read (the others are still done) or out could
// not be written, 2 for a usage error.
int RunStringsMode(std::span<const std::string> args, std::FILE* out, std::FILE* err);

}  // namespace quoxa
