#include "settings/IniFile.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "core/AtomicFileWriter.h"
#include "core/PlatformFile.h"
#include "core/TextFormat.h"

namespace quoxa {

namespace {

IniReplaceFn installedReplacer;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// A value as a read hands it out: C-string semantics and the buffer size.
std::string CutValue(const std::string& raw) {
  std::string value = raw.substr(0, raw.find('\0'));
  return TruncateUtf8(value, kIniValueMax);
}

// Line breaks and NULs would split or end a line; they never reach the file.
std::string OneLine(const std::string& text) {
  std::string line = text;
  for (char& c : line) {
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  }
  return line;
}

enum class LineKind { Blank, Section, Key, Other };

struct LineInfo {
  LineKind kind = LineKind::Other;
  std::string name;   // section or key name
  std::string value;  // key value, blanks removed
};

LineInfo Classify(const std::string& raw) {
  std::string text = raw;
  if (!text.empty() && text.back() == '\r') text.pop_back();
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) ++start;
  LineInfo info;
  if (start == text.size()) {
    info.kind = LineKind::Blank;
    return info;
  }
  if (text[start] == '[') {
    const size_t close = text.find(']', start + 1);
    const size_t stop = close == std::string::npos ? text.size() : close;
    info.kind = LineKind::Section;
    info.name = Trim(text.substr(start + 1, stop - start - 1));
    return info;
  }
  if (text[start] == ';') return info;
  const size_t eq = text.find('=', start);
  if (eq == std::string::npos) return info;
  info.kind = LineKind::Key;
  info.name = Trim(text.substr(start, eq - start));
  info.value = Trim(text.substr(eq + 1));
  return info;
}

// The UTF-8 byte-order mark some editors put before the first line.
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
constexpr size_t kUtf8BomSize = 3;

struct Document {
  std::vector<std::string> lines;  // without '\n'; a '\r' of CRLF files stays on the line
  bool crlf = false;
  bool bom = false;      // the file begins with a byte-order mark, which a rewrite keeps
  std::string original;  // the file's contents as read
};

enum class LoadResult { Ok, Missing, Unusable };

// The open batch: the one file whose writes are collected, and its contents so far.
struct Batch {
  bool open = false;
  uint64_t generation = 0;
  std::string path;
  bool loaded = false;
  bool usable = true;
  bool changed = false;
  Document doc;
};

Batch batch;
uint64_t batchesBegun = 0;

bool Batched(const std::string& path) { return batch.open && batch.path == path; }

LoadResult Load(const std::string& path, Document& doc) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) return LoadResult::Missing;
  if (!std::filesystem::is_regular_file(status)) return LoadResult::Unusable;
  std::ifstream in(path, std::ios::binary);
  if (!in) return LoadResult::Unusable;
  std::string contents;
  char chunk[65536];
  while (in) {
    in.read(chunk, sizeof chunk);
    contents.append(chunk, static_cast<size_t>(in.gcount()));
    if (contents.size() > kIniFileMax) return LoadResult::Unusable;
  }
  if (in.bad()) return LoadResult::Unusable;
  doc.bom = contents.compare(0, kUtf8BomSize, kUtf8Bom) == 0;
  size_t pos = doc.bom ? kUtf8BomSize : 0;
  while (pos < contents.size()) {
    size_t nl = contents.find('\n', pos);
    if (nl == std::string::npos) nl = contents.size();
    doc.lines.push_back(contents.substr(pos, nl - pos));
    pos = nl + 1;
  }
  doc.crlf = !doc.lines.empty() && !doc.lines.front().empty() && doc.lines.front().back() == '\r';
  doc.original = std::move(contents);
  return LoadResult::Ok;
}

// Loads the batch's file once; false when it is unusable.
bool LoadBatch() {
  if (!batch.loaded) {
    batch.usable = Load(batch.path, batch.doc) != LoadResult::Unusable;
    batch.loaded = true;
  }
  return batch.usable;
}

// Lines of a document, or none when the file is missing or unusable.
Document Read(const std::string& path) {
  if (Batched(path)) return LoadBatch() ? batch.doc : Document{};
  Document doc;
  if (Load(path, doc) != LoadResult::Ok) doc.lines.clear();
  return doc;
}

// Index of the first header of the section, or nullopt.
std::optional<size_t> FindSection(const Document& doc, const std::string& section) {
  for (size_t i = 0; i < doc.lines.size(); ++i) {
    const LineInfo info = Classify(doc.lines[i]);
    if (info.kind == LineKind::Section && SameName(info.name, section)) return i;
  }
  return std::nullopt;
}

// One past the last line of the section whose header is at header.
size_t SectionEnd(const Document& doc, size_t header) {
  size_t i = header + 1;
  while (i < doc.lines.size() && Classify(doc.lines[i]).kind != LineKind::Section) ++i;
  return i;
}

std::optional<size_t> FindKey(const Document& doc, size_t header, const std::string& key) {
  const size_t end = SectionEnd(doc, header);
  for (size_t i = header + 1; i < end; ++i) {
    const LineInfo info = Classify(doc.lines[i]);
    if (info.kind == LineKind::Key && SameName(info.name, key)) return i;
  }
  return std::nullopt;
}

std::string Serialize(const Document& doc) {
  std::string out = doc.bom ? kUtf8Bom : "";
  for (const auto& line : doc.lines) {
    out += line;
    out += '\n';
  }
  return out;
}

std::string NewLine(const Document& doc, const std::string& text) { return doc.crlf ? text + '\r' : text; }

bool Replace(const std::string& path, const Document& doc) {
  const std::string contents = Serialize(doc);
  if (contents == doc.original) return true;
  return installedReplacer ? installedReplacer(path, contents) : ReplaceFileAtomically(path, contents);
}

template <typename Change>
bool Modify(const std::string& path, Change change) {
  if (Batched(path)) {
    if (!LoadBatch()) return false;
    if (change(batch.doc)) batch.changed = true;
    return true;
  }
  Document doc;
  if (Load(path, doc) == LoadResult::Unusable) return false;
  if (!change(doc)) return true;
  return Replace(path, doc);
}

}  // namespace

int32_t ParseProfileInt(const std::string& text, int32_t fallback) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    uint64_t value = 0;
    for (size_t i = 2; i < text.size(); ++i) {
      const char c = AsciiLower(text[i]);
      int digit;
      if (c >= '0' && c <= '9') {
        digit = c - '0';
      } else if (c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10;
      } else {
        return fallback;
      }
      value = value * 16 + static_cast<uint64_t>(digit);
      if (value > 0xFFFFFFFFull) return fallback;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
  }
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return fallback;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return fallback;
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{INT32_MAX} + 1) return fallback;
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return fallback;
  return static_cast<int32_t>(value);
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
  const Document doc = Read(path_);
  const auto header = FindSection(doc, section);
  if (!header) return fallback;
  const auto line = FindKey(doc, *header, key);
  if (!line) return fallback;
  return CutValue(Classify(doc.lines[*line]).value);
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const {
  const std::string text = ReadString(section, key, "");
  return ParseProfileInt(text, fallback);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool TIniFile::KeyExists(const std::string& section, const std::string& key) const {
  const Document doc = Read(path_);
  const auto header = FindSection(doc, section);
  return header && FindKey(doc, *header, key);
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> keys;
  for (auto& [key, value] : ReadSectionValues(section)) keys.push_back(key);
  return keys;
}

std::vector<std::pair<std::string, std::string>> TIniFile::ReadSectionValues(const std::string& section) const {
  std::vector<std::pair<std::string, std::string>> pairs;
  const Document doc = Read(path_);
  const auto header = FindSection(doc, section);
  if (!header) return pairs;
  const size_t end = SectionEnd(doc, *header);
  size_t used = 1;  // the list's closing terminator
  for (size_t i = *header + 1; i < end; ++i) {
    LineInfo info = Classify(doc.lines[i]);
    if (info.kind != LineKind::Key) continue;
    std::string key = info.name.substr(0, info.name.find('\0'));
    if (used + key.size() + 1 > kIniKeyListMax) break;
    used += key.size() + 1;
    pairs.emplace_back(std::move(key), CutValue(info.value));
  }
  return pairs;
}

std::vector<std::string> TIniFile::ReadSections() const {
  std::vector<std::string> names;
  const Document doc = Read(path_);
  size_t used = 1;
  for (const auto& line : doc.lines) {
    LineInfo info = Classify(line);
    if (info.kind != LineKind::Section) continue;
    std::string name = info.name.substr(0, info.name.find('\0'));
    if (used + name.size() + 1 > kIniKeyListMax) break;
    used += name.size() + 1;
    names.push_back(std::move(name));
  }
  return names;
}

bool TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  const std::string sectionName = OneLine(section);
  const std::string keyName = OneLine(key);
  const std::string text = OneLine(value);
  return Modify(path_, [&](Document& doc) {
    const auto header = FindSection(doc, sectionName);
    if (!header) {
      if (!doc.lines.empty() && Classify(doc.lines.back()).kind != LineKind::Blank) {
        doc.lines.push_back(NewLine(doc, ""));
      }
      doc.lines.push_back(NewLine(doc, "[" + sectionName + "]"));
      doc.lines.push_back(NewLine(doc, keyName + "=" + text));
      return true;
    }
    if (const auto line = FindKey(doc, *header, keyName)) {
      const bool hadCr = !doc.lines[*line].empty() && doc.lines[*line].back() == '\r';
      const std::string stored = Classify(doc.lines[*line]).name;
      doc.lines[*line] = stored + "=" + text + (hadCr ? "\r" : "");
      return true;
    }
    // A new key goes after the last non-blank line of the section.
    size_t insertAt = *header + 1;
    const size_t end = SectionEnd(doc, *header);
    for (size_t i = *header + 1; i < end; ++i) {
      if (Classify(doc.lines[i]).kind != LineKind::Blank) insertAt = i + 1;
    }
    doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), NewLine(doc, keyName + "=" + text));
    return true;
  });
}

bool TIniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
  return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::DeleteKey(const std::string& section, const std::string& key) {
  return Modify(path_, [&](Document& doc) {
    const auto header = FindSection(doc, section);
    if (!header) return false;
    const auto line = FindKey(doc, *header, key);
    if (!line) return false;
    doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(*line));
    return true;
  });
}

bool TIniFile::EraseSection(const std::string& section) {
  return Modify(path_, [&](Document& doc) {
    bool changed = false;
    while (const auto header = FindSection(doc, section)) {
      const size_t end = SectionEnd(doc, *header);
      doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(*header),
                      doc.lines.begin() + static_cast<std::ptrdiff_t>(end));
      // The sections around it stay apart by a blank line.
      if (*header > 0 && *header < doc.lines.size() && Classify(doc.lines[*header - 1]).kind != LineKind::Blank) {
        doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(*header), NewLine(doc, ""));
      }
      changed = true;
    }
    while (changed && !doc.lines.empty() && Classify(doc.lines.back()).kind == LineKind::Blank) doc.lines.pop_back();
    return changed;
  });
}

TIniBatch::TIniBatch(const std::string& path) {
  if (batch.open) {
    if (batch.path == path) generation_ = batch.generation;
    return;
  }
  batch = Batch{};
  batch.open = true;
  batch.generation = generation_ = ++batchesBegun;
  batch.path = path;
  opened_ = true;
}

TIniBatch::~TIniBatch() {
  if (opened_) Commit();
}

bool TIniBatch::Commit() {
  if (generation_ == 0 || !batch.open || batch.generation != generation_) return true;
  batch.open = false;
  const bool ok = !batch.changed || (batch.usable && Replace(batch.path, batch.doc));
  batch = Batch{};
  return ok;
}

void InstallIniReplacer(IniReplaceFn replacer) { installedReplacer = std::move(replacer); }

bool ReplaceFileAtomically(const std::string& path, const std::string& contents) {
  // The folder of a first settings file (~/.config/quoxa) may not exist yet.
  std::error_code ec;
  std::filesystem::create_directories(DirectoryOf(ResolveLinks(path)), ec);
  const auto* bytes = reinterpret_cast<const uint8_t*>(contents.data());
  return WriteFileSafely(path, bytes, static_cast<int64_t>(contents.size())) == 0;
}

}  // namespace quoxa
