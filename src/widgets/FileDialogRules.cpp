#include "widgets/FileDialogRules.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "core/Messages.h"
#include "core/TextFormat.h"

namespace quoxa {

namespace {

namespace fs = std::filesystem;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerText(std::string text) {
  for (char& c : text) c = Lower(c);
  return text;
}

std::string TrimBlanks(const std::string& text) {
  const size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::string();
  const size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

size_t CharLength(const std::string& text, size_t pos) {
  size_t next = pos + 1;
  while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
  return next - pos;
}

bool MatchPattern(const std::string& name, const std::string& pattern) {
  if (pattern == "*.*" || pattern == "*") return true;
  size_t n = 0;
  size_t p = 0;
  size_t starP = std::string::npos;
  size_t starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      n += CharLength(name, n);
      ++p;
    } else if (p < pattern.size() && Lower(pattern[p]) == Lower(name[n])) {
      ++n;
      ++p;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      starN += CharLength(name, starN);
      n = starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string FileNamePart(const std::string& path) { return FileNameOnly(path); }

std::string FolderPart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return std::string();
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

}  // namespace

std::vector<std::string> SplitFilterList(const std::string& patterns) {
  std::vector<std::string> list;
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t comma = patterns.find(',', start);
    if (comma == std::string::npos) comma = patterns.size();
    std::string item = TrimBlanks(patterns.substr(start, comma - start));
    if (!item.empty()) list.push_back(std::move(item));
    start = comma + 1;
  }
  return list;
}

int ChooseFilterIndex(const std::string& patterns, const std::string& rememberedText, int rememberedIndex) {
  const auto list = SplitFilterList(patterns);
  if (rememberedText.empty() || rememberedIndex < 0 || rememberedIndex >= static_cast<int>(list.size())) return 0;
  return LowerText(patterns).find(LowerText(rememberedText)) != std::string::npos ? rememberedIndex : 0;
}

bool HasWildcards(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

bool MatchesFilter(const std::string& name, const std::string& filter) {
  size_t start = 0;
  while (start <= filter.size()) {
    size_t semi = filter.find(';', start);
    if (semi == std::string::npos) semi = filter.size();
    const std::string pattern = TrimBlanks(filter.substr(start, semi - start));
    if (!pattern.empty() && MatchPattern(name, pattern)) return true;
    start = semi + 1;
  }
  return false;
}

std::string DefaultExtension(const std::string& filter) {
  const std::string pattern = TrimBlanks(filter);
  if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0) return std::string();
  const std::string ext = pattern.substr(2);
  if (HasWildcards(ext) || ext.find_first_of(";,/ ") != std::string::npos) return std::string();
  return ext;
}

std::string ExpandPath(const std::string& name, const std::string& currentDir) {
  std::string full;
  if (name == "~" || name.rfind("~/", 0) == 0) {
    const char* home = std::getenv("HOME");
    full = std::string(home != nullptr ? home : "") + name.substr(1);
  } else if (!name.empty() && name.front() == '/') {
    full = name;
  } else {
    full = currentDir + "/" + name;
  }
  std::string normal = fs::path(full).lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal.empty() ? std::string("/") : normal;
}

std::vector<std::string> SplitQuotedNames(const std::string& text) {
  std::vector<std::string> names;
  size_t pos = 0;
  while (true) {
    const size_t open = text.find('"', pos);
    if (open == std::string::npos) break;
    const size_t close = text.find('"', open + 1);
    if (close == std::string::npos) break;
    std::string name = TrimBlanks(text.substr(open + 1, close - open - 1));
    if (!name.empty()) names.push_back(std::move(name));
    pos = close + 1;
  }
  return names;
}

std::vector<TFileEntry> ListFolderFiles(const std::string& folder, const std::string& filter) {
  std::vector<TFileEntry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code statError;
    const auto status = it->status(statError);
    if (statError || fs::is_directory(status)) continue;
    const std::string name = it->path().filename().string();
    if (!MatchesFilter(name, filter)) continue;
    TFileEntry entry;
    entry.name = name;
    if (fs::is_regular_file(status)) {
      const auto size = it->file_size(statError);
      entry.size = statError ? 0 : static_cast<int64_t>(size);
    }
    const auto time = it->last_write_time(statError);
    if (!statError) {
      const auto system = std::chrono::file_clock::to_sys(time);
      entry.modified = std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<std::string> ListSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError)) continue;
    std::string name = it->path().filename().string();
    if (!name.empty() && name.front() != '.') names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return LowerText(a) < LowerText(b); });
  return names;
}

TFileNameOutcome EvaluateFileName(OseMode mode, const std::string& editText, const std::string& currentDir,
                                  const std::string& filter, const std::vector<std::string>& listedNames,
                                  int64_t minFreeSpace) {
  using Kind = TFileNameOutcome::Kind;
  TFileNameOutcome outcome;
  if (mode == OseMode::Directory) {
    outcome.kind = Kind::Accept;
    outcome.paths = {currentDir};
    return outcome;
  }
  std::string text = TrimBlanks(editText);
  if (text.empty()) return outcome;

  if (mode == OseMode::OpenMany && text.find('"') != std::string::npos) {
    const auto names = SplitQuotedNames(text);
    if (names.empty()) return outcome;
    for (const auto& name : names) {
      std::string path;
      if (name.find('/') != std::string::npos || name.front() == '~') {
        path = ExpandPath(name, currentDir);
        if (!Exists(path) || IsFolder(path)) path.clear();
      } else {
        // Exact spelling first; otherwise the listed file whose name differs only in case.
        auto it = std::find(listedNames.begin(), listedNames.end(), name);
        if (it == listedNames.end()) {
          it = std::find_if(listedNames.begin(), listedNames.end(),
                            [&](const std::string& listed) { return LowerText(listed) == LowerText(name); });
        }
        if (it != listedNames.end()) path = ExpandPath(*it, currentDir);
      }
      if (path.empty()) {
        ShowError(FormatMsgS("File %s not found!", name));
        outcome.kind = Kind::Refuse;
        return outcome;
      }
      outcome.paths.push_back(path);
    }
    outcome.kind = Kind::Accept;
    outcome.editText = outcome.paths.front();
    return outcome;
  }

  // One name given in quotes is the name without them.
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = TrimBlanks(text.substr(1, text.size() - 2));
  if (text.empty()) return outcome;

  // The name of a folder moves into it.
  const std::string typedPath = ExpandPath(text, currentDir);
  if (IsFolder(typedPath)) {
    outcome.kind = Kind::ChangeDirectory;
    outcome.directory = typedPath;
    return outcome;
  }

  std::string name = text;
  const std::string typedFile = FileNamePart(name);
  if ((mode == OseMode::Open || mode == OseMode::Save) && !typedFile.empty() && !HasWildcards(typedFile) &&
      typedFile.find('.') == std::string::npos) {
    const std::string ext = DefaultExtension(filter);
    if (!ext.empty()) name += "." + ext;
  }
  const bool endsInSlash = name.back() == '/';
  const std::string path = ExpandPath(name, currentDir);
  const std::string filePart = endsInSlash ? std::string() : FileNamePart(path);

  if (filePart.empty() || HasWildcards(filePart)) {
    const bool pattern = !filePart.empty() && HasWildcards(filePart);
    const std::string folder = pattern ? FolderPart(path) : path;
    if (!IsFolder(folder)) {
      ShowError(FormatMsgS("Path not found:\r\n%s", folder));
      outcome.kind = Kind::Refuse;
      return outcome;
    }
    outcome.kind = Kind::ChangeDirectory;
    outcome.directory = folder;
    if (pattern) outcome.filter = filePart;
    return outcome;
  }

  if (mode == OseMode::Open || mode == OseMode::OpenMany) {
    if (!Exists(path)) {
      ShowError(FormatMsgS("File %s not found!", path));
      outcome.kind = Kind::Refuse;
      return outcome;
    }
  } else if (mode == OseMode::Save) {
    const std::string folder = FolderPart(path);
    if (minFreeSpace > 0) {
      std::error_code ec;
      const auto space = fs::space(folder, ec);
      if (!ec && static_cast<int64_t>(space.available) < minFreeSpace) {
        ShowError(FormatMsgS("Not enough free space in %s", folder));
        outcome.kind = Kind::Refuse;
        return outcome;
      }
    }
    if (!IsFolder(folder)) {
      ShowError(FormatMsgS("Path not found:\r\n%s", folder));
      outcome.kind = Kind::Refuse;
      return outcome;
    }
    if (Exists(path) && AskYesNo(FormatMsgS("File\n%s\nalready exists. Overwrite?", path)) != mrYes) {
      outcome.kind = Kind::Refuse;
      return outcome;
    }
  }
  outcome.kind = Kind::Accept;
  outcome.paths = {path};
  outcome.editText = path;
  return outcome;
}

}  // namespace quoxa
