#pragma once
// Program-wide options of the "Options" settings section that are not part of
// the document, search or view state. Defaults are the built-in ones.

#include <cstdint>
#include <string>

namespace quoxa {

struct TOptions {
  bool TextGridLeft = false;
  int32_t Cols = 17;
  int32_t Rows = 19;
  int32_t FontSize = 8;
  std::string Font = "Courier New";
  bool HideToolBar = false;
  bool HideAddressRange = false;
  int32_t ByteOrder = 0;            // 0 little-endian, 1 big-endian
  uint32_t ColorBlock = 0x0000FF;   // 0x00BBGGRR, pure red
  uint32_t ColorDifference = 0x0080FF;  // differences of a compare, orange
  bool FindHex = true;
  bool ReplaceHex = true;
  bool InsHex = false;
  int32_t GotoMode = 0;
  int32_t EncodeAs = 0;
  int32_t EncodeWhere = 0;
  bool OldFileTime = false;
  bool NewEOF = false;
  int32_t UndoLimitMB = 256;  // memory the undo journal may keep, in MiB; 0 turns it off
  std::string CurrentDir;
  std::string ConvTable;
};

TOptions& Options();

}  // namespace quoxa
