#include "search/StringsList.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/AtomicFileWriter.h"
#include "core/Block.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "core/Progress.h"
#include "search/SearchTexts.h"

namespace quoxa {

namespace {

// The scan's offset, shown as a share of the bytes scanned (twice: once per encoding).
class ScanProgress final : public SearchProgress {
 public:
  ScanProgress(int64_t size, int64_t pass) : size_(size), pass_(pass) {}
  void Report(int64_t offset, bool& abort) override {
    const int64_t done = size_ == 0 ? 0 : (pass_ * size_ + offset) / 2;
    ReportProgress(done * Doc().DocSize / std::max<int64_t>(size_, 1), abort);
    due = offset + 1;
  }
  void NextPass() { ++pass_; }

 private:
  int64_t size_;
  int64_t pass_;
};

}  // namespace

std::optional<std::vector<FoundString>> CollectStrings(int64_t minLength) {
  int64_t first = 1;
  int64_t last = Doc().DocSize;
  if (BlockMarked()) {
    first = std::min(Doc().BlockBegin, Doc().BlockEnd);
    last = std::max(Doc().BlockBegin, Doc().BlockEnd);
  }
  const int64_t size = std::max<int64_t>(0, last - first + 1);
  const uint8_t* data = size > 0 ? Doc().DocBuffer + (first - 1) : nullptr;
  TProgressBox box({true, true, msg::kCurrentFilePosition, msg::kStringsCaption});
  bool abort = false;
  std::vector<FoundString> ascii;
  std::vector<FoundString> wide;
  ScanProgress progress(size, 0);
  if (!ScanStrings(data, size, StringEncoding::Ascii, minLength, ascii, &progress, abort)) return std::nullopt;
  progress.NextPass();
  progress.due = 0;
  if (!ScanStrings(data, size, StringEncoding::Utf16Le, minLength, wide, &progress, abort)) return std::nullopt;
  std::vector<FoundString> all;
  all.reserve(ascii.size() + wide.size());
  std::merge(ascii.begin(), ascii.end(), wide.begin(), wide.end(), std::back_inserter(all),
             [](const FoundString& a, const FoundString& b) { return a.offset < b.offset; });
  for (FoundString& f : all) f.offset += first - 1;
  return all;
}

std::string StringTextAt(const FoundString& found) {
  if (found.offset < 0 || found.offset + StringBytes(found) > Doc().DocSize) return {};
  return StringText(Doc().DocBuffer, found);
}

std::string StringLine(const FoundString& found) {
  char address[32];
  std::snprintf(address, sizeof address, "%08llX", static_cast<unsigned long long>(DisplayAddress(found.offset + 1)));
  return std::string(address) + "\t" + std::to_string(found.length) + "\t" + EncodingName(found.encoding) + "\t" +
         StringTextAt(found);
}

bool StringMatchesFilter(const std::string& text, const std::string& filter) {
  if (filter.empty()) return true;
  auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  return std::search(text.begin(), text.end(), filter.begin(), filter.end(),
                     [&](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

void GoToString(const FoundString& found) {
  const int64_t pos = found.offset + 1;
  if (pos < 1 || pos > Doc().DocSize) return;
  GotoAddress(pos, true, false);
  RestoreBlock(pos, std::min(Doc().DocSize, pos + StringBytes(found) - 1));
}

int SaveStringLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return WriteFileSafely(path, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int64_t>(text.size()));
}

}  // namespace quoxa
