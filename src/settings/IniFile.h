#pragma once
// The settings store: an INI file read and written with the Windows private-profile
// rules (case-insensitive sections and keys, first occurrence wins, updates in place).
// Every call opens the file, does its work and closes it; every write replaces the
// file safely, so a failed write leaves the old file as it was. A write that
// changes nothing leaves the file alone, and writes inside a TIniBatch reach the
// disk together.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quoxa {

// Longest value a read returns (a 1024-character buffer with its terminator).
constexpr size_t kIniValueMax = 1023;
// Bytes of key names a section listing returns (each name plus its terminator).
constexpr size_t kIniKeyListMax = 8192;
// A larger file is not read (defaults) and not rewritten (writes fail).
constexpr size_t kIniFileMax = 4u << 20;

// Integer value with the profile rules: "0x"/"0X" followed by hex digits (when longer
// than two characters) is hexadecimal, otherwise decimal; anything else is fallback.
int32_t ParseProfileInt(const std::string& text, int32_t fallback);

class TIniFile {
 public:
  explicit TIniFile(std::string path) : path_(std::move(path)) {}

  const std::string& Path() const { return path_; }

  // Raw value (blanks around it removed, cut at a NUL and at kIniValueMax bytes).
  std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback) const;
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
  bool KeyExists(const std::string& section, const std::string& key) const;

  // Key names of a section in file order, limited to kIniKeyListMax bytes.
  std::vector<std::string> ReadSection(const std::string& section) const;
  // Key and value pairs of a section in file order, with the same limits.
  std::vector<std::pair<std::string, std::string>> ReadSectionValues(const std::string& section) const;
  // Section names in file order.
  std::vector<std::string> ReadSections() const;

  // Writers return false when the file could not be replaced; deleting or erasing
  // what is not there leaves the file untouched.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value);
  bool WriteInteger(const std::string& section, const std::string& key, int32_t value);
  bool WriteBool(const std::string& section, const std::string& key, bool value);
  bool DeleteKey(const std::string& section, const std::string& key);
  // Removes every occurrence of the section with its keys.
  bool EraseSection(const std::string& section);

 private:
  std::string path_;
};

// Collects the writes to one settings file in memory until Commit(), which puts
// them in place with one replacement of the file (one write, one flush); reads of
// that file see them meanwhile, and the file is read only once. A batch begun while one is open for the same file
// joins it. A batch for another
// file while one is open does nothing: its writes go straight to their file.
class TIniBatch {
 public:
  explicit TIniBatch(const std::string& path);
  // Commits what this batch opened and nobody committed (a failure goes unreported).
  ~TIniBatch();
  TIniBatch(const TIniBatch&) = delete;
  TIniBatch& operator=(const TIniBatch&) = delete;

  // Writes the collected changes of the whole batch and ends it; false when the
  // file could not be replaced, which leaves it as it was before the batch.
  bool Commit();
  // Ends this part of the batch: commits when this object began it, else leaves the
  // commit to the one that did (true).
  bool Done() { return opened_ ? Commit() : true; }

 private:
  bool opened_ = false;      // this object began the batch
  uint64_t generation_ = 0;  // the batch it takes part in, 0 for none
};

// How a write puts the new contents in place; tests install one that fails.
using IniReplaceFn = std::function<bool(const std::string& path, const std::string& contents)>;
// nullptr restores the real one (temporary file in the same folder, then rename).
void InstallIniReplacer(IniReplaceFn replacer);

// The real replacement: the contents go to a temporary file beside path, which
// replaces it once complete (the folder is created when missing).
bool ReplaceFileAtomically(const std::string& path, const std::string& contents);

}  // namespace quoxa
