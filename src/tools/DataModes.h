#pragma once
// The command-line modes for build scripts, answered without a window and without the settings:
//   quoxa --export FORMAT [OPTION...] FILE [OUT]   (OUT missing or "-": standard output)
//   quoxa --import FORMAT [OPTION...] FILE OUT
// Exit status 0, 1 when the work failed (a message on standard error, no OUT left behind), 2 for
// a usage error.

#include <optional>
#include <string>
#include <vector>

namespace quoxa {

// The options each mode takes, for --help.
inline constexpr const char* kDataModeUsage =
    "  --export FORMAT FILE [OUT]\n"
    "              write FILE as text to OUT (standard output without OUT or with -);\n"
    "              FORMAT is ihex (Intel HEX), srec (Motorola S-record), c (C array),\n"
    "              python (bytes literal), base64 or hex (hex lines as xxd -p writes\n"
    "              them). Options before FILE: --base=ADDRESS of the first byte,\n"
    "              --start=ADDRESS to record, --record=16|32 bytes, --header=TEXT of\n"
    "              an S-record file; --name=NAME, --line=12|16 bytes of source code\n"
    "  --import FORMAT FILE OUT\n"
    "              write the bytes of the text FILE to OUT; FORMAT is ihex, srec,\n"
    "              base64 or hex. With --fill=BYTE (default 0xFF) Intel HEX and\n"
    "              S-record gaps take BYTE; OUT starts at the lowest address\n"
    "              ADDRESS and BYTE: decimal, or hexadecimal after 0x or $\n";

// The exit status of a --export or --import run; nullopt when args (without the program's
// name) start with neither.
std::optional<int> RunDataMode(const std::vector<std::string>& args);

}  // namespace quoxa
