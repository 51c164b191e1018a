#include "core/DocState.h"

#include "core/DocWrite.h"
#include "core/Journal.h"

#include <algorithm>

namespace quoxa {

const uint8_t* DocBuffer = nullptr;
TQZDynArray* DocArray = nullptr;
int32_t DocSize = 0;
std::string FileName;
bool Modified = false;
bool Untitled = false;
bool ReadOnly = false;
bool ViewReady = false;
bool TextMode = false;
bool OverwriteMode = false;
int32_t BytesPerRow = kDefaultCols;
int32_t VisibleRows = kDefaultRows;
int32_t PageSize = kDefaultCols * kDefaultRows;
int32_t TopAddress = 1;
int32_t LastShownAddress = 0;
int32_t CursorCol = 0;
int32_t CursorRow = 0;
int32_t BlockBegin = 0;
int32_t BlockEnd = 0;
int8_t BlockDirection = 0;
int32_t BaseAddress = 0;
int32_t RememberedAddress = 1;
std::optional<FileTime> SavedFileTime;

int32_t Capacity() { return DocArray != nullptr ? DocArray->ByteSize() : 0; }

uint8_t GetByte(int32_t pos) { return DocBuffer[pos - 1]; }

// The block was allocated writable; only DocBuffer's view of it is read-only.
uint8_t* WritableDocBuffer() {
  Journal().SettleConversion();
  return WritableDocBufferForConversion();
}

uint8_t* WritableDocBufferForConversion() { return const_cast<uint8_t*>(DocBuffer); }

void SetDocBuffer(uint8_t* buffer) { DocBuffer = buffer; }

void SetByte(int32_t pos, uint8_t value) { WritableDocBuffer()[pos - 1] = value; }

int32_t CursorAddress() { return CursorRow * BytesPerRow + TopAddress + CursorCol; }

int64_t DisplayAddress(int32_t pos) { return int64_t{pos} - 1 + BaseAddress; }

void RecomputeLastShown() {
  LastShownAddress = static_cast<int32_t>(std::min<int64_t>(DocSize, int64_t{TopAddress} + PageSize - 1));
}

void SetPageGeometry(int32_t cols, int32_t rows) {
  BytesPerRow = cols;
  VisibleRows = rows;
  PageSize = cols * rows;
}

void ResetDocumentState() {
  if (DocArray != nullptr) {
    uint8_t* buffer = WritableDocBuffer();
    DocArray->DeAlloc(buffer);
    delete DocArray;
    DocArray = nullptr;
  }
  DocBuffer = nullptr;
  DocSize = 0;
  FileName.clear();
  Modified = Untitled = ReadOnly = ViewReady = TextMode = OverwriteMode = false;
  SetPageGeometry(kDefaultCols, kDefaultRows);
  TopAddress = 1;
  LastShownAddress = 0;
  CursorCol = CursorRow = 0;
  BlockBegin = BlockEnd = 0;
  BlockDirection = 0;
  BaseAddress = 0;
  RememberedAddress = 1;
  SavedFileTime.reset();
}

}  // namespace quoxa
