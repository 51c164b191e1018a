#include "tools/ConversionTable.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/DocState.h"
#include "core/Journal.h"
#include "core/Primitives.h"
#include "core/Progress.h"
#include "core/View.h"
#include "search/DocSearchProgress.h"
#include "settings/IniFile.h"

namespace quoxa {

TConversionTable ConversionTable = IdentityTable();
std::string ConversionTableFile;

namespace {

// Bytes converted between two looks at the progress box and its Cancel.
constexpr int32_t kConversionChunk = 1 << 20;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

char HexDigit(int v) { return "0123456789ABCDEF"[v & 15]; }

// One line without its end: exactly "hh;hh".
bool ParseLine(std::string_view line, TConversionTable& table) {
  if (line.size() != 5 || line[2] != ';') return false;
  const int a = HexValue(line[0]), b = HexValue(line[1]), c = HexValue(line[3]), d = HexValue(line[4]);
  if (a < 0 || b < 0 || c < 0 || d < 0) return false;
  table[static_cast<size_t>(a * 16 + b)] = static_cast<uint8_t>(c * 16 + d);
  return true;
}

}  // namespace

TConversionTable IdentityTable() {
  TConversionTable table{};
  for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(i);
  return table;
}

void ResetConversionTable() { ConversionTable = IdentityTable(); }

std::string FormatConversionTable(const TConversionTable& table) {
  std::string text;
  for (int i = 0; i < 256; ++i) {
    const int to = table[static_cast<size_t>(i)];
    if (to == i) continue;
    text += {HexDigit(i >> 4), HexDigit(i), ';', HexDigit(to >> 4), HexDigit(to), '\r', '\n'};
  }
  return text;
}

bool ReadConversionTable(std::istream& in, TConversionTable& table) {
  table = IdentityTable();
  // A valid line has at most 6 characters with its CR; a longer one stops the read at once,
  // so a huge file costs neither memory nor time past its first bad line.
  char line[8];
  while (in.getline(line, sizeof line)) {
    std::string_view text(line, static_cast<size_t>(in.gcount() - (in.eof() ? 0 : 1)));
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (!ParseLine(text, table)) return false;
  }
  // The loop ends at the end of the file, or on a line too long for the buffer.
  return in.eof() && !in.bad() && in.gcount() == 0;
}

bool ParseConversionTable(std::string_view text, TConversionTable& table) {
  std::istringstream in{std::string(text)};
  return ReadConversionTable(in, table);
}

bool LoadConversionTable(const std::string& path) {
  ResetConversionTable();
  std::ifstream in(path, std::ios::binary);
  return in && ReadConversionTable(in, ConversionTable);
}

bool SaveConversionTable(const std::string& path) {
  return ReplaceFileAtomically(path, FormatConversionTable(ConversionTable));
}

ConversionResult ApplyConversion(int64_t first) {
  ConversionResult result;
  {
    JournalStep step;
    TProgressBox box({true, true, kCurrentFilePosition, kReplacingCaption});
    for (int64_t from = std::max<int64_t>(first, 1); from <= Doc().DocSize;) {
      // Chunks end where the gauge changes, so that the box sees every value it must show.
      const int64_t last = std::min({from + kConversionChunk - 1, NextGaugeChange(from, Doc().DocSize), Doc().DocSize});
      result.count += ConvertRange(from, last, ConversionTable.data());
      box.SetProgress(last, Doc().DocSize, 5);
      if (box.Aborted()) {
        result.complete = last >= Doc().DocSize;
        break;
      }
      from = last + 1;
    }
  }
  if (result.count > 0) {
    Doc().Modified = true;
    // The run may start above the cursor, and refreshing the view only refills from the cursor.
    RepaintFrom(0, 0);
  }
  RefreshView();
  return result;
}

}  // namespace quoxa
