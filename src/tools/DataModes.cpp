#include "tools/DataModes.h"

#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "core/AtomicFileWriter.h"
#include "core/FileIo.h"
#include "core/Messages.h"
#include "core/TextFormat.h"
#include "tools/DataFiles.h"
#include "tools/ExportFormat.h"
#include "tools/ImportImage.h"

namespace quoxa {

namespace {

constexpr int kUsageError = 2;

struct ModeRequest {
  bool exporting = true;
  TDataFormat format = TDataFormat::IntelHex;
  TExportOptions options;
  bool nameGiven = false;
  bool headerGiven = false;
  uint8_t fill = 0xFF;
  std::string file;
  std::string out;  // "" or "-": standard output
};

int Usage(const std::string& problem) {
  std::fprintf(stderr, "quoxa: %s\nTry 'quoxa --help' for more information.\n", problem.c_str());
  return kUsageError;
}

// Reads one "--key=value" option into the request; "" or what is wrong.
std::string TakeOption(std::string_view arg, ModeRequest& r) {
  const size_t equals = arg.find('=');
  const std::string_view key = arg.substr(0, equals);
  const std::string_view value =
      equals == std::string_view::npos ? std::string_view() : arg.substr(equals + 1);
  const std::string bad = "invalid option '" + std::string(arg) + "'";
  if (equals == std::string_view::npos) return bad;
  const bool records = HasAddresses(r.format) && r.exporting;
  const bool source = r.format == TDataFormat::CArray || r.format == TDataFormat::PythonBytes;
  if ((key == "--base" || key == "--start") && records) {
    const std::optional<int64_t> address = ParseAddress(value, kMaxRecordAddress);
    if (!address) return bad;
    (key == "--base" ? r.options.baseAddress : r.options.startAddress.emplace()) = *address;
  } else if (key == "--record" && records && (value == "16" || value == "32")) {
    r.options.recordBytes = value == "16" ? 16 : 32;
  } else if (key == "--header" && records && r.format == TDataFormat::SRecord) {
    r.options.header = value;
    r.headerGiven = true;
  } else if (key == "--name" && source && IsIdentifier(value)) {
    r.options.name = value;
    r.nameGiven = true;
  } else if (key == "--line" && source && (value == "12" || value == "16")) {
    r.options.bytesPerLine = value == "12" ? 12 : 16;
  } else if (key == "--fill" && !r.exporting && HasAddresses(r.format)) {
    const std::optional<int64_t> fill = ParseAddress(value, 255);
    if (!fill) return bad;
    r.fill = static_cast<uint8_t>(*fill);
  } else {
    return bad;
  }
  return {};
}

// The request of args, or the usage problem in problem.
std::optional<ModeRequest> ParseRequest(const std::vector<std::string>& args,
                                        std::string& problem) {
  ModeRequest r;
  r.exporting = args[0] == "--export";
  std::vector<std::string> positional;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (positional.empty()) {
      positional.push_back(arg);
      const std::optional<TDataFormat> format = FormatFromName(arg);
      if (!format || (!r.exporting && !Importable(*format))) {
        problem =
            "unknown format '" + arg + "'; use " +
            (r.exporting ? "ihex, srec, c, python, base64 or hex" : "ihex, srec, base64 or hex");
        return std::nullopt;
      }
      r.format = *format;
      r.options.format = *format;
    } else if (arg.starts_with("--")) {
      problem = TakeOption(arg, r);
      if (!problem.empty()) return std::nullopt;
    } else {
      positional.push_back(arg);
    }
  }
  const size_t least = r.exporting ? 2 : 3;
  if (positional.size() < least || positional.size() > 3) {
    problem = r.exporting ? "usage: quoxa --export FORMAT [OPTION...] FILE [OUT]"
                          : "usage: quoxa --import FORMAT [OPTION...] FILE OUT";
    return std::nullopt;
  }
  r.file = positional[1];
  if (positional.size() == 3) r.out = positional[2];
  if (!r.nameGiven) r.options.name = ArrayNameFor(r.file);
  if (!r.headerGiven) r.options.header = TruncateUtf8(FileNameOnly(r.file), kMaxHeaderLength);
  return r;
}

int Fail(const std::string& message) {
  ShowError(message);
  return 1;
}

int Export(const ModeRequest& r) {
  std::string bytes;
  const int32_t read = ReadWholeFile(r.file, bytes);
  if (read != 0) return Fail(ReadErrorText(read, r.file));
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const auto size = static_cast<int64_t>(bytes.size());
  const std::string problem = ExportProblem(r.options, size);
  if (!problem.empty()) return Fail(problem);
  if (r.out.empty() || r.out == "-") {
    const int32_t result = ExportToDescriptor(STDOUT_FILENO, r.options, data, size);
    return result == 0 ? 0 : Fail(WriteErrorText(result, "standard output"));
  }
  const int32_t result = ExportToFile(r.out, r.options, data, size);
  return result == 0 ? 0 : Fail(WriteErrorText(result, r.out));
}

int Import(const ModeRequest& r) {
  const TImportOutcome outcome = ImportFile(r.file, r.format, r.fill);
  if (!outcome.ok) return Fail(outcome.message);
  const std::vector<uint8_t>& bytes = outcome.image.bytes;
  const int result = WriteFileSafely(r.out, bytes.data(), static_cast<int64_t>(bytes.size()));
  return result == 0 ? 0
                     : Fail(WriteErrorText(result == kUnmappedIoError ? kResultCloseFailed : result,
                                           r.out));
}

}  // namespace

std::optional<int> RunDataMode(const std::vector<std::string>& args) {
  if (args.empty() || (args[0] != "--export" && args[0] != "--import")) return std::nullopt;
  std::string problem;
  const std::optional<ModeRequest> request = ParseRequest(args, problem);
  if (!request) return Usage(problem);
  return request->exporting ? Export(*request) : Import(*request);
}

}  // namespace quoxa
