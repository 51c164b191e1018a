#include "core/RecoveryStore.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <fstream>
#include <vector>

#include "core/AtomicFileWriter.h"
#include "core/DocState.h"
#include "core/PlatformFile.h"
#include "core/TextFormat.h"
#include "core/UserFolders.h"

namespace quoxa {

namespace {

constexpr const char* kStateVariable = "XDG_STATE_HOME";
constexpr const char* kStateFallback = ".local/state";
constexpr const char* kRecoverySub = "recovery";
constexpr const char* kFirstLine = "QUOXA recovery";
constexpr const char* kRecordPrefix = "record-";
constexpr const char* kUnsavedPrefix = "unsaved-";
// A record is a few lines; anything longer is no record of ours.
constexpr std::streamsize kMaxRecordBytes = 65536;
// Unsaved changes are kept only where the disk keeps this much room besides.
constexpr int64_t kUnsavedRoomToSpare = int64_t{16} << 20;
// Restoring reads the copy in steps of this size.
constexpr int64_t kRestoreChunk = int64_t{1} << 20;

// A name no other record or copy has: the process, the clock and a count.
std::string UniqueStem() {
  static std::atomic<unsigned> count{0};
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
  return std::to_string(getpid()) + "-" + std::to_string(ns) + "-" + std::to_string(count++);
}

// Paths may hold any byte but NUL: a line break and the backslash are escaped.
std::string Escape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    if (text[i] == '\\') {
      out += '\\';
    } else if (text[i] == 'n') {
      out += '\n';
    } else {
      return std::nullopt;
    }
  }
  return out;
}

template <typename Int>
bool ParseNumber(const std::string& text, Int& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && !text.empty();
}

// Only copies the program made itself are ever removed, whatever a record says.
bool CopyIsOurs(const TRecoveryRecord& record) {
  if (record.kind == RecoveryKind::Backup) {
    return FileNameOnly(record.copy).find(kBackupInfix) != std::string::npos;
  }
  return DirectoryOf(record.copy) == RecoveryDirectory() &&
         FileNameOnly(record.copy).rfind(kUnsavedPrefix, 0) == 0;
}

std::optional<TRecoveryRecord> ReadRecord(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(static_cast<size_t>(kMaxRecordBytes), '\0');
  in.read(text.data(), kMaxRecordBytes);
  text.resize(static_cast<size_t>(in.gcount()));
  if (in.gcount() == kMaxRecordBytes) return std::nullopt;
  std::optional<TRecoveryRecord> record = ParseRecoveryRecord(text);
  if (record) record->path = path;
  return record;
}

// Copies the file at from over the file at to through the safe writer; 0 or an I/O error.
int CopyThroughWriter(const std::string& from, int64_t size, const std::string& to,
                      const std::optional<FileTime>& time) {
  AtomicFileWriter writer;
  writer.SetBackupPolicy(BackupPolicy::None);
  int result = writer.Begin(to, size);
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min(size, kRestoreChunk)));
  PlatformFile source;
  int64_t done = 0;
  while (result == 0 && done < size) {
    if (!source.IsOpen()) {
      result = source.OpenForReading(from, false);
      if (result != 0) break;
      if (source.Size() != size) return kIoReadFault;
    }
    const int64_t chunk = std::min(size - done, kRestoreChunk);
    int64_t got = 0;
    result = source.Read(buffer.data(), chunk, got);
    if (result == 0 && got != chunk) result = kIoReadFault;
    if (result != 0) break;
    int64_t written = 0;
    result = writer.Write(buffer.data(), chunk, written);
    if (result == 0 && written != chunk) result = kIoDiskFull;
    done += written;
    // No room for a temporary copy: the file itself is written, from its start.
    if (result == kIoDiskFull && writer.FallBackInPlace(result)) {
      source.Close();
      done = 0;
    }
  }
  if (result == kUnmappedIoError) result = kIoWriteFault;
  return result == 0 ? writer.Commit(time) : result;
}

}  // namespace

std::string RecoveryDirectory() {
  return XdgDirectory(kStateVariable, kStateFallback) + "/quoxa/" + kRecoverySub;
}

std::string FormatRecoveryRecord(const TRecoveryRecord& record) {
  std::string text = std::string(kFirstLine) + "\n";
  text +=
      std::string("kind=") + (record.kind == RecoveryKind::Backup ? "backup" : "unsaved") + "\n";
  text += "target=" + Escape(record.target) + "\n";
  text += "copy=" + Escape(record.copy) + "\n";
  text += "size=" + std::to_string(record.size) + "\n";
  text += std::string("untitled=") + (record.untitled ? "1" : "0") + "\n";
  if (record.targetState) {
    const TFileState& state = *record.targetState;
    text += "device=" + std::to_string(state.id.device) + "\n";
    text += "inode=" + std::to_string(state.id.inode) + "\n";
    text += "filesize=" + std::to_string(state.size) + "\n";
    text += "mtime=" + std::to_string(state.modTime.seconds) + "\n";
    text += "mtimens=" + std::to_string(state.modTime.nanoseconds) + "\n";
  }
  return text;
}

std::optional<TRecoveryRecord> ParseRecoveryRecord(const std::string& text) {
  TRecoveryRecord record;
  TFileState state;
  int stateKeys = 0;
  bool kind = false;
  bool size = false;
  size_t pos = 0;
  bool first = true;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (first) {
      if (line != kFirstLine) return std::nullopt;
      first = false;
      continue;
    }
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    const std::string value = line.substr(eq + 1);
    bool ok = true;
    if (key == "kind") {
      kind = value == "backup" || value == "unsaved";
      record.kind = value == "backup" ? RecoveryKind::Backup : RecoveryKind::Unsaved;
      ok = kind;
    } else if (key == "target" || key == "copy") {
      const std::optional<std::string> path = Unescape(value);
      ok = path.has_value();
      if (ok) (key == "target" ? record.target : record.copy) = *path;
    } else if (key == "size") {
      size = ParseNumber(value, record.size) && record.size >= 0;
      ok = size;
    } else if (key == "untitled") {
      record.untitled = value == "1";
    } else if (key == "device") {
      ok = ParseNumber(value, state.id.device);
      stateKeys += ok;
    } else if (key == "inode") {
      ok = ParseNumber(value, state.id.inode);
      stateKeys += ok;
    } else if (key == "filesize") {
      ok = ParseNumber(value, state.size);
      stateKeys += ok;
    } else if (key == "mtime") {
      ok = ParseNumber(value, state.modTime.seconds);
      stateKeys += ok;
    } else if (key == "mtimens") {
      ok = ParseNumber(value, state.modTime.nanoseconds);
      stateKeys += ok;
    }
    if (!ok) return std::nullopt;
  }
  if (first || !kind || !size || record.target.empty() || record.copy.empty() ||
      record.copy.front() != '/') {
    return std::nullopt;
  }
  if (stateKeys == 5) record.targetState = state;
  return record;
}

bool StoreRecoveryRecord(TRecoveryRecord& record) {
  const std::string dir = MakeXdgProgramDirectory(kStateVariable, kStateFallback, kRecoverySub);
  if (dir.empty()) return false;
  const std::string path = dir + "/" + kRecordPrefix + UniqueStem();
  const std::string text = FormatRecoveryRecord(record);
  const int result = WriteFileSafely(path, reinterpret_cast<const uint8_t*>(text.data()),
                                     static_cast<int64_t>(text.size()), BackupPolicy::None);
  if (result != 0) return false;
  record.path = path;
  return true;
}

void DropRecovery(const TRecoveryRecord& record) {
  if (CopyIsOurs(record)) unlink(record.copy.c_str());
  if (!record.path.empty()) unlink(record.path.c_str());
}

std::vector<TRecoveryRecord> PendingRecoveries() {
  std::vector<std::pair<FileTime, TRecoveryRecord>> found;
  const std::string dir = RecoveryDirectory();
  DIR* listing = opendir(dir.c_str());
  if (listing == nullptr) return {};
  while (const struct dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name.rfind(kRecordPrefix, 0) != 0) continue;
    const std::string path = dir + "/" + name;
    struct stat recordStatus {};
    if (lstat(path.c_str(), &recordStatus) != 0 || !S_ISREG(recordStatus.st_mode)) continue;
    std::optional<TRecoveryRecord> record = ReadRecord(path);
    // Half a record: one being written right now, or no record of ours.
    if (!record) continue;
    if (LockedByOther(record->copy)) continue;
    struct stat copyStatus {};
    const bool complete = lstat(record->copy.c_str(), &copyStatus) == 0 &&
                          S_ISREG(copyStatus.st_mode) && copyStatus.st_size == record->size;
    if (!complete) {
      unlink(path.c_str());
      continue;
    }
    found.emplace_back(FileStateFrom(recordStatus).modTime, std::move(*record));
  }
  closedir(listing);
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return a.first.seconds != b.first.seconds ? a.first.seconds < b.first.seconds
                                              : a.first.nanoseconds < b.first.nanoseconds;
  });
  std::vector<TRecoveryRecord> records;
  for (auto& [time, record] : found) records.push_back(std::move(record));
  return records;
}

int RestoreBackup(const TRecoveryRecord& record) {
  std::optional<FileTime> time;
  if (record.targetState) time = record.targetState->modTime;
  return CopyThroughWriter(record.copy, record.size, record.target, time);
}

bool KeepUnsavedChanges() {
  const TDocument& doc = Doc();
  if (!doc.ViewReady || !doc.Modified || (doc.DocBuffer == nullptr && doc.DocSize > 0)) {
    return false;
  }
  const std::string dir = MakeXdgProgramDirectory(kStateVariable, kStateFallback, kRecoverySub);
  if (dir.empty()) return false;
  struct statvfs vfs {};
  if (statvfs(dir.c_str(), &vfs) != 0) return false;
  const auto available = static_cast<int64_t>(std::min<uint64_t>(
      static_cast<uint64_t>(vfs.f_bavail) * vfs.f_frsize, static_cast<uint64_t>(INT64_MAX)));
  if (available - kUnsavedRoomToSpare < doc.DocSize) return false;
  TRecoveryRecord record;
  record.kind = RecoveryKind::Unsaved;
  record.target = doc.FileName;
  record.copy = dir + "/" + kUnsavedPrefix + UniqueStem();
  record.size = doc.DocSize;
  record.untitled = doc.Untitled;
  record.targetState = doc.DiskState;
  if (WriteFileSafely(record.copy, doc.DocBuffer, doc.DocSize, BackupPolicy::Refuse) != 0) {
    return false;
  }
  if (StoreRecoveryRecord(record)) return true;
  unlink(record.copy.c_str());
  return false;
}

}  // namespace quoxa
