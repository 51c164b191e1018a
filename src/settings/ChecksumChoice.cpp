#include "settings/ChecksumChoice.h"

#include "settings/IniFile.h"
#include "settings/SettingsPath.h"

namespace quoxa {

namespace {

constexpr const char* kSection = "Checksums";
constexpr const char* kKey = "Algorithms";

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<std::string> ReadChecksumChoice() {
  const std::string text = TIniFile(SettingsFilePath()).ReadString(kSection, kKey, kDefaultChecksumChoice);
  std::vector<std::string> keys;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    std::string key = Trimmed(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (!key.empty()) keys.push_back(std::move(key));
    if (comma == std::string::npos) return keys;
    start = comma + 1;
  }
}

bool WriteChecksumChoice(const std::vector<std::string>& keys) {
  std::string text;
  for (const std::string& key : keys) text += (text.empty() ? "" : ",") + key;
  TIniFile ini(SettingsFilePath());
  return ini.WriteString(kSection, kKey, text);
}

}  // namespace quoxa
