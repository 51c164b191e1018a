#include "search/StringsMode.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

#include "search/StringScan.h"

namespace quoxa {

namespace {

constexpr size_t kPiece = size_t{1} << 20;

struct StringsOptions {
  int64_t minLength = 4;
  StringEncoding encoding = StringEncoding::Ascii;
  bool offsets = false;
  std::vector<std::string> files;
};

// The value of an option given as "-xVALUE" or "-x VALUE"; false when it is missing.
bool OptionValue(std::span<const std::string> args, size_t& i, std::string& value) {
  if (args[i].size() > 2) {
    value = args[i].substr(2);
    return true;
  }
  if (i + 1 >= args.size()) return false;
  value = args[++i];
  return true;
}

bool ParseLength(const std::string& text, int64_t& length) {
  if (text.empty() || text.size() > 10) return false;
  if (text.find_first_not_of("0123456789") != std::string::npos) return false;
  length = std::stoll(text);
  return length >= 1 && length <= INT_MAX;
}

// Options may stand before, between or after the files, as GNU strings takes them; after "--"
// every argument is a file.
bool ParseOptions(std::span<const std::string> args, StringsOptions& options) {
  bool filesOnly = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (filesOnly || arg.size() < 2 || arg[0] != '-') {
      options.files.push_back(arg);
      continue;
    }
    std::string value;
    if (arg == "--") {
      filesOnly = true;
    } else if (arg == "-a") {
      // Always the whole file.
    } else if (arg.compare(0, 2, "-n") == 0) {
      if (!OptionValue(args, i, value) || !ParseLength(value, options.minLength)) return false;
    } else if (arg.compare(0, 2, "-e") == 0) {
      if (!OptionValue(args, i, value) || value != "l") return false;
      options.encoding = StringEncoding::Utf16Le;
    } else if (arg.compare(0, 2, "-t") == 0) {
      if (!OptionValue(args, i, value) || value != "d") return false;
      options.offsets = true;
    } else {
      return false;
    }
  }
  return !options.files.empty();
}

bool Flush(std::string& text, std::FILE* out) {
  const bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  text.clear();
  return ok;
}

// 0, or the errno of a failed open or read. A failed write of out sets writeFailed.
int PrintFile(const std::string& path, const StringsOptions& options, std::vector<uint8_t>& piece,
              std::FILE* out, bool& writeFailed) {
  const bool standardInput = path == "-";
  const int fd = standardInput ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  TStringsPrinter printer(options.encoding, options.minLength, options.offsets);
  std::string text;
  int error = 0;
  for (;;) {
    const ssize_t got = read(fd, piece.data(), piece.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = errno;
      break;
    }
    if (got == 0) break;
    printer.Feed(piece.data(), static_cast<size_t>(got), text);
    if (text.size() >= kPiece && !Flush(text, out)) writeFailed = true;
  }
  if (error == 0) printer.Finish(text);
  if (!Flush(text, out)) writeFailed = true;
  if (!standardInput) close(fd);
  return error;
}

}  // namespace

int RunStringsMode(std::span<const std::string> args, std::FILE* out, std::FILE* err) {
  StringsOptions options;
  if (!ParseOptions(args, options)) {
    std::fputs(kStringsUsage, err);
    return 2;
  }
  std::vector<uint8_t> piece(kPiece);
  int status = 0;
  bool writeFailed = false;
  for (const std::string& path : options.files) {
    const int error = PrintFile(path, options, piece, out, writeFailed);
    if (error != 0) {
      std::fprintf(err, "quoxa: %s: %s\n", path.c_str(), std::strerror(error));
      status = 1;
    }
    if (writeFailed) break;
  }
  if (writeFailed || std::fflush(out) != 0 || std::ferror(out) != 0) {
    std::fprintf(err, "quoxa: write error: %s\n", std::strerror(errno));
    return 1;
  }
  return status;
}

}  // namespace quoxa
