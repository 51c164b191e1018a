#include "core/Document.h"

#include <algorithm>

namespace quoxa {

namespace {

std::vector<TDocument*>& Registry() {
  static std::vector<TDocument*> documents;
  return documents;
}

TDocument& ProgramDocument() {
  static TDocument document;
  return document;
}

}  // namespace

namespace detail {
TDocument* activeDocument = &ProgramDocument();
}

TDocument::TDocument() { Registry().push_back(this); }

TDocument::~TDocument() {
  FreeBlock();
  std::erase(Registry(), this);
}

const std::vector<TDocument*>& AllDocuments() { return Registry(); }

void TDocument::FreeBlock() {
  if (DocArray != nullptr) {
    // The block was allocated writable; only DocBuffer's view of it is read-only.
    auto* buffer = const_cast<uint8_t*>(DocBuffer);
    DocArray->DeAlloc(buffer);
    DocArray.reset();
  }
  DocBuffer = nullptr;
}

void TDocument::Reset() {
  FreeBlock();
  DocSize = 0;
  FileName.clear();
  FileId.reset();
  DiskState.reset();
  Modified = Untitled = ReadOnly = ViewReady = TextMode = OverwriteMode = false;
  SavedFileTime.reset();
  BytesPerRow = kDefaultCols;
  VisibleRows = kDefaultRows;
  PageSize = kDefaultCols * kDefaultRows;
  TopAddress = 1;
  LastShownAddress = 0;
  CursorCol = CursorRow = 0;
  BaseAddress = 0;
  AddressOrigin = 0;
  BlockBegin = BlockEnd = 0;
  BlockDirection = 0;
  RememberedAddress = 1;
  LastFound = LastReplaced = LastFoundLength = 0;
  UndoBytes.clear();
  ReplacedBytes.clear();
}

void SetActiveDocument(TDocument& doc) { detail::activeDocument = &doc; }

}  // namespace quoxa
