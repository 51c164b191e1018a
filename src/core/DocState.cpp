#include "core/DocState.h"

#include <algorithm>

#include "core/DocWrite.h"

namespace quoxa {

// The block was allocated writable; only DocBuffer's view of it is read-only.
uint8_t* WritableDocBuffer() {
  Doc().Journal.SettleConversion();
  return WritableDocBufferForConversion();
}

uint8_t* WritableDocBufferForConversion() { return const_cast<uint8_t*>(Doc().DocBuffer); }

void SetDocBuffer(uint8_t* buffer) { Doc().DocBuffer = buffer; }

void SetByte(int64_t pos, uint8_t value) { WritableDocBuffer()[pos - 1] = value; }

void RecomputeLastShown() {
  TDocument& doc = Doc();
  doc.LastShownAddress = std::min(doc.DocSize, doc.TopAddress + doc.PageSize - 1);
}

void SetPageGeometry(int32_t cols, int32_t rows) {
  TDocument& doc = Doc();
  doc.BytesPerRow = cols;
  doc.VisibleRows = rows;
  doc.PageSize = cols * rows;
}

void ResetDocumentState() { Doc().Reset(); }

}  // namespace quoxa
