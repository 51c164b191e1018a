#include "settings/RecentList.h"

#include <algorithm>

namespace quoxa {

namespace {

size_t CharCount(const std::string& text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::vector<std::string> ReadEntries(const TIniFile& ini, const std::string& section) {
  std::vector<std::string> entries;
  for (const auto& [key, value] : ini.ReadSectionValues(section)) {
    if (!value.empty()) entries.push_back(value);
  }
  return entries;
}

bool WriteEntries(TIniFile& ini, const std::string& section, const std::vector<std::string>& entries) {
  TIniBatch batch(ini.Path());
  if (!ini.EraseSection(section)) return false;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!ini.WriteString(section, std::to_string(i), entries[i])) return false;
  }
  return batch.Done();
}

void MoveFirst(std::vector<std::string>& list, size_t index) {
  std::rotate(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(index),
              list.begin() + static_cast<std::ptrdiff_t>(index) + 1);
}

}  // namespace

void TRecentList::AddFile(const std::string& path) {
  const auto it = std::find(Files.begin(), Files.end(), path);
  if (it != Files.end()) {
    MoveFirst(Files, static_cast<size_t>(it - Files.begin()));
    return;
  }
  Files.insert(Files.begin(), path);
  SetFileCount(FileCount);
}

void TRecentList::MoveToTop(int index) {
  if (index < 0 || index >= static_cast<int>(Files.size())) return;
  MoveFirst(Files, static_cast<size_t>(index));
}

void TRecentList::SetFileCount(int count) {
  FileCount = std::max(0, count);
  if (Files.size() > static_cast<size_t>(FileCount)) Files.resize(static_cast<size_t>(FileCount));
}

std::string TRecentList::Caption(int index) const {
  if (index < 0 || index >= static_cast<int>(Files.size())) return std::string();
  std::string caption = EscapeAmpersands(ShortenPath(Files[static_cast<size_t>(index)], MaxLength));
  if (ShortCut && Files.size() < 10) caption = "&" + std::to_string(index + 1) + " " + caption;
  return caption;
}

void TRecentList::Load(const TIniFile& ini, const std::string& section) {
  Files = ReadEntries(ini, section);
  SetFileCount(FileCount);
}

bool TRecentList::Save(TIniFile& ini, const std::string& section) const { return WriteEntries(ini, section, Files); }

void TFavoriteList::Add(const std::string& folder) {
  const auto it = std::find(Items.begin(), Items.end(), folder);
  if (it != Items.end()) {
    MoveFirst(Items, static_cast<size_t>(it - Items.begin()));
  } else {
    Items.insert(Items.begin(), folder);
  }
}

void TFavoriteList::Load(const TIniFile& ini, const std::string& section) { Items = ReadEntries(ini, section); }

bool TFavoriteList::Save(TIniFile& ini, const std::string& section) const { return WriteEntries(ini, section, Items); }

std::string ShortenPath(const std::string& path, int maxLength) {
  if (maxLength <= 0 || CharCount(path) <= static_cast<size_t>(maxLength)) return path;
  if (path.find('/') == std::string::npos) return path;
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t slash = path.find('/', start);
    if (slash == std::string::npos) {
      parts.push_back(path.substr(start));
      break;
    }
    parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  const std::string& fileName = parts.back();
  // The root of an absolute path plays the part of a drive: it is always kept.
  const bool rooted = parts.front().empty();
  std::string prefix;
  size_t firstDir = 0;
  if (rooted) {
    if (parts.size() == 2) return path;
    prefix = "/";
    firstDir = 1;
  }
  std::string tail;
  const size_t limit = static_cast<size_t>(maxLength);
  for (size_t i = parts.size() - 1; i-- > firstDir;) {
    const std::string candidate = parts[i] + "/" + tail;
    if (CharCount(prefix) + CharCount(candidate) + CharCount(fileName) + 4 > limit) break;
    tail = candidate;
  }
  std::string result = prefix + ".../" + tail + fileName;
  if (result.rfind(".../", 0) == 0) result.erase(0, 4);
  return CharCount(result) < CharCount(path) ? result : path;
}

std::string EscapeAmpersands(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

}  // namespace quoxa
