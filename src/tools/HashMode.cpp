#include "tools/HashMode.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include "core/TextFormat.h"
#include "tools/Checksum.h"
#include "tools/ChecksumRun.h"
#include "tools/ChecksumTexts.h"

namespace quoxa {

namespace {

// The algorithms of a comma-separated list; false after naming the first unknown one on err.
bool ParseAlgorithms(const std::string& list, std::vector<ChecksumKind>& kinds, std::FILE* err) {
  size_t start = 0;
  for (;;) {
    const size_t comma = list.find(',', start);
    const std::string name = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const std::optional<ChecksumKind> kind = FindChecksum(name);
    if (!kind) {
      std::fputs(FormatMsgS(msg::kHashUnknown, name).c_str(), err);
      std::fputs(FormatMsgS(msg::kHashKnown, ChecksumKeyList()).c_str(), err);
      return false;
    }
    kinds.push_back(*kind);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

}  // namespace

std::string ChecksumLine(const std::string& hex, const std::string& name) {
  std::string escaped;
  for (char c : name) {
    if (c == '\\') {
      escaped += "\\\\";
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c == '\r') {
      escaped += "\\r";
    } else {
      escaped += c;
    }
  }
  return (escaped.size() != name.size() ? "\\" : "") + hex + "  " + escaped + "\n";
}

int RunHashMode(std::span<const std::string> args, std::FILE* out, std::FILE* err) {
  if (args.size() < 2) {
    std::fputs(msg::kHashUsage, err);
    return 2;
  }
  std::vector<ChecksumKind> kinds;
  if (!ParseAlgorithms(args[0], kinds, err)) return 2;
  int status = 0;
  for (const std::string& path : args.subspan(1)) {
    const FileChecksums sums = ChecksumFile(path, kinds);
    if (!sums.ok) {
      std::fprintf(err, "quoxa: %s: %s\n", path.c_str(), sums.error.c_str());
      status = 1;
      continue;
    }
    for (const std::string& value : sums.values) std::fputs(ChecksumLine(value, path).c_str(), out);
  }
  if (std::fflush(out) != 0 || std::ferror(out) != 0) {
    std::fprintf(err, "quoxa: write error: %s\n", std::strerror(errno));
    return 1;
  }
  return status;
}

}  // namespace quoxa
