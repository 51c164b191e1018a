#include "script/ScriptFile.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/AtomicFileWriter.h"
#include "core/CodePage.h"

namespace quoxa {

namespace {

// Larger files are no scripts; reading them whole would only exhaust memory.
constexpr long kMaxScriptFile = 64L << 20;

bool ValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 1;
    char32_t code = lead;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else if (lead >= 0xE0) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0x80) {
      return false;
    }
    if (length > 1) {
      if (i + length > text.size()) return false;
      for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return false;
        code = (code << 6) | (next & 0x3F);
      }
      const char32_t least = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
      if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

std::vector<std::string> SplitScriptLines(std::string_view text) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  size_t begin = 0;
  while (begin < text.size()) {
    const size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(begin));
      break;
    }
    lines.emplace_back(text.substr(begin, end - begin));
    begin = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

std::string JoinScriptLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool ReadScriptFile(const std::string& path, std::vector<std::string>& lines) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return false;
  std::string bytes;
  char chunk[65536];
  size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    bytes.append(chunk, n);
    if (static_cast<long>(bytes.size()) > kMaxScriptFile) return false;
  }
  if (std::ferror(file.get())) return false;
  if (!ValidUtf8(bytes)) bytes = BytesToUtf8(bytes);
  lines = SplitScriptLines(bytes);
  // A line break alone is an empty script, as the editor shows it: nothing to run.
  if (lines.size() == 1 && lines[0].empty()) lines.clear();
  return true;
}

int WriteScriptFile(const std::string& path, const std::vector<std::string>& lines) {
  const std::string text = JoinScriptLines(lines);
  return WriteFileSafely(path, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int64_t>(text.size()));
}

int FirstLineLongerThan(const std::vector<std::string>& lines, int64_t characters) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (static_cast<int64_t>(lines[i].size()) <= characters) continue;
    int64_t count = 0;
    for (const char ch : lines[i]) count += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
    if (count > characters) return static_cast<int>(i);
  }
  return -1;
}

bool BlankScriptLine(std::string_view line) {
  for (char ch : line) {
    if (static_cast<unsigned char>(ch) > ' ') return false;
  }
  return true;
}

std::string TemplateFromCaption(std::string_view caption) {
  std::string text(caption);
  if (const size_t amp = text.find('&'); amp != std::string::npos) text.erase(amp, 1);
  return text;
}

bool IsScriptSwitch(std::string_view argument) {
  return argument.size() >= 2 && (argument[0] == '/' || argument[0] == '-') &&
         (argument[1] == 's' || argument[1] == 'S');
}

std::string ScriptFileOfSwitch(std::string_view argument) {
  std::string_view rest = argument.substr(std::min<size_t>(2, argument.size()));
  if (!rest.empty() && rest.front() == '=') rest.remove_prefix(1);
  return std::string(rest);
}

bool BatchNeedsOffscreen(int argc, const char* const* argv, const char* display, const char* waylandDisplay,
                         const char* platform) {
  auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
  if (set(display) || set(waylandDisplay) || set(platform)) return false;
  return argc > 2 && IsScriptSwitch(argv[2]);
}

}  // namespace quoxa
