#pragma once
// quoxa --hash ALG[,ALG...] FILE...: the checksums of files on the command line, no window.

#include <cstdio>
#include <span>
#include <string>

namespace quoxa {

// Prints "<hex>  <file>" per file and algorithm to out, as sha256sum does, reading each file
// once; messages go to err. Returns 0, 1 when a file could not be read (the others are still
// done) or out could not be written, 2 for a usage error.
int RunHashMode(std::span<const std::string> args, std::FILE* out, std::FILE* err);

// A checksum line as the coreutils print it: a name holding a backslash, a line feed or a
// carriage return is escaped and the line then begins with a backslash.
std::string ChecksumLine(const std::string& hex, const std::string& name);

}  // namespace quoxa
