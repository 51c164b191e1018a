#include "ui/main/DocumentCommands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/Block.h"
#include "core/Busy.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/FileState.h"
#include "core/FileTexts.h"
#include "core/Journal.h"
#include "core/MemoryPolicy.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/PlatformFile.h"
#include "core/Primitives.h"
#include "core/StopSignal.h"
#include "core/TextFormat.h"
#include "core/View.h"
#include "edit/ClipboardCommands.h"
#include "search/SearchState.h"
#include "settings/Options.h"
#include "tools/DataCommands.h"

namespace quoxa {

namespace {

constexpr uint8_t kEofChar = 0x1A;

// Commands a shown document makes usable.
const std::vector<Cmd> kEnabledByDocument = {
    Cmd::Save, Cmd::BtnSave, Cmd::SaveAs, Cmd::Close, Cmd::Print, Cmd::InsertString, Cmd::InsertFile,
    Cmd::BlockMark, Cmd::BlockChars, Cmd::DeleteFromCursor, Cmd::DeleteToCursor, Cmd::BtnPaste, Cmd::BtnFind,
    Cmd::BtnReplace, Cmd::Goto, Cmd::JumpWidthDialog, Cmd::RememberAddress, Cmd::DecodeNumber, Cmd::EncodeNumber,
    Cmd::BitManipulation, Cmd::Patch, Cmd::Find, Cmd::Count, Cmd::Replace, Cmd::CharConversion, Cmd::Clipboard,
    Cmd::Strings,
    Cmd::Paste, Cmd::OverwriteString, Cmd::PasteHex, Cmd::Bookmarks, Cmd::Checksums, Cmd::ExportAs, Cmd::Statistics,
    Cmd::EntropyMap, Cmd::CompareWith,
};

// Commands whose state follows the search strings and the jump width, whichever document is
// shown.
constexpr Cmd kProgramCommands[] = {Cmd::FindDown, Cmd::FindUp, Cmd::ReplaceAgain, Cmd::JumpDown, Cmd::JumpUp};

// What the window shows the same way for every document: the settings' modes and the page.
void CopyWindowState(const TDocument& from, TDocument& to) {
  to.TextMode = from.TextMode;
  to.OverwriteMode = from.OverwriteMode;
  to.BaseAddress = from.BaseAddress;
  to.BytesPerRow = from.BytesPerRow;
  to.VisibleRows = from.VisibleRows;
  to.PageSize = from.PageSize;
}

}  // namespace

std::string CaptionOf(const TDocument& doc) { return std::string(kCaption) + " - " + FileNameOnly(doc.FileName); }

TDocumentCommands::TDocumentCommands(IDocumentHost& host) : host_(host), first_(&Doc()) {
  docs_.push_back({first_, nullptr, {}, false});
}

TDocumentCommands::~TDocumentCommands() {
  // The documents of this window go; the program's first document stays the active one.
  SetActiveDocument(*first_);
}

void TDocumentCommands::Activate(int index) {
  if (index == active_ || index < 0 || index >= Count()) return;
  OpenDocument& from = docs_[static_cast<size_t>(active_)];
  for (int i = 0; i < kCommandCount; ++i) from.commands[static_cast<size_t>(i)] = Commands().Enabled(static_cast<Cmd>(i));
  from.commandsKept = true;
  if (from.doc->ViewReady) {
    for (Cmd cmd : kProgramCommands) programCommands_[static_cast<size_t>(cmd)] = Commands().Enabled(cmd);
  }
  OpenDocument& to = docs_[static_cast<size_t>(index)];
  // A page of another size since the document was shown: its cursor position decides the page.
  const bool samePage = to.doc->BytesPerRow == from.doc->BytesPerRow && to.doc->VisibleRows == from.doc->VisibleRows;
  const int64_t cursor = to.doc->CursorAddress();
  CopyWindowState(*from.doc, *to.doc);
  active_ = index;
  SetActiveDocument(*to.doc);
  if (to.commandsKept) {
    for (int i = 0; i < kCommandCount; ++i) Commands().SetEnabled(static_cast<Cmd>(i), to.commands[static_cast<size_t>(i)]);
  }
  for (Cmd cmd : kProgramCommands) Commands().SetEnabled(cmd, programCommands_[static_cast<size_t>(cmd)]);
  if (Doc().ViewReady) {
    UpdatePasteCommands();
    if (!samePage) GotoAddress(cursor, true, false);
  }
  host_.SetCaption(Doc().ViewReady ? CaptionOf(Doc()) : kCaption);
  host_.ShowActiveDocument();
  host_.DocumentsChanged();
}

void TDocumentCommands::ActivateNext(int step) {
  if (Count() < 2) return;
  Activate(((active_ + step) % Count() + Count()) % Count());
}

int TDocumentCommands::IndexOfFile(const std::string& path) const {
  const std::optional<TFileState> state = FileStateOf(path);
  if (!state) return -1;
  for (int i = 0; i < Count(); ++i) {
    const TDocument& doc = At(i);
    if (doc.ViewReady && !doc.Untitled && doc.FileId && *doc.FileId == state->id) return i;
  }
  return -1;
}

bool TDocumentCommands::AddDocument() {
  auto doc = std::make_unique<TDocument>();
  CopyWindowState(Doc(), *doc);
  TDocument* added = doc.get();
  docs_.push_back({added, std::move(doc), {}, false});
  const int previous = active_;
  Activate(Count() - 1);
  // A new document starts with nothing to undo, no block and no replacement to take back.
  SetCommandsEnabled({Cmd::Undo, Cmd::Redo, Cmd::ReplaceUndo, Cmd::BlockUnmark, Cmd::GotoRemembered,
                      Cmd::DisplayDifference, Cmd::BookmarkRemove, Cmd::BookmarkRemoveAll, Cmd::BookmarkSave},
                     false);
  SetBlockCommandsEnabled(false);
  if (AllocDocument()) return true;
  RemoveDocument(Count() - 1, previous);
  return false;
}

void TDocumentCommands::RemoveDocument(int index, int next) {
  Activate(next);
  TDocument& doc = At(index);
  doc.Journal.Reset();
  doc.FreeBlock();
  doc.ViewReady = false;
  docs_.erase(docs_.begin() + index);
  if (active_ > index) --active_;
  host_.DocumentsChanged();
}

bool TDocumentCommands::OpenInTab(const std::string& name, bool readOnly, bool fromRecentList) {
  const int open = IndexOfFile(name);
  if (open >= 0) {
    Activate(open);
    return true;
  }
  const int previous = active_;
  const bool added = Doc().ViewReady;
  if (added && !AddDocument()) return false;
  Doc().ReadOnly = readOnly;
  if (OpenFileByName(name, fromRecentList)) {
    host_.DocumentsChanged();
    return true;
  }
  if (added) RemoveDocument(active_, previous);
  return false;
}

bool TDocumentCommands::QuerySaveAll(bool answerable) {
  if (StopSignal() != 0 && !answerable) {
    NoteUnsavedOnSignal();
    return true;
  }
  std::vector<TDocument*> order{&Doc()};
  for (const OpenDocument& open : docs_) {
    if (open.doc != &Doc()) order.push_back(open.doc);
  }
  for (TDocument* doc : order) {
    if (!doc->Modified || !doc->ViewReady) continue;
    for (int i = 0; i < Count(); ++i) {
      if (&At(i) == doc) Activate(i);
    }
    if (!QuerySaveOnClose(answerable)) return false;
  }
  return true;
}

void TDocumentCommands::ReleaseAll() {
  for (const OpenDocument& open : docs_) {
    if (open.doc != &Doc()) open.doc->FreeBlock();
  }
  FreeDocument();
}

FileQuestion TDocumentCommands::Question(bool save, const char* title) const {
  FileQuestion question;
  question.save = save;
  question.title = title;
  question.startDir = Options().CurrentDir;
  question.readOnlyBox = !save;
  return question;
}

void TDocumentCommands::New() {
  if (Doc().ViewReady) {
    if (!AddDocument()) return;
  } else if (!QuerySave()) {
    return;
  }
  if (Doc().DocBuffer == nullptr && !AllocDocument()) return;
  Doc().Untitled = true;
  ++newCounter_;
  Doc().FileName = "NoName" + std::to_string(newCounter_);
  ClearDocument();
  if (Options().NewEOF) SpliceBytes(1, 0, std::string(1, static_cast<char>(kEofChar)));
  ReserveForSize(1);
  PrepareView();
  host_.DocumentsChanged();
}

void TDocumentCommands::Open() {
  const FileAnswer answer = host_.AskFileName(Question(false, kOpenTitle));
  if (!answer.ok) return;
  OpenInTab(answer.path, answer.readOnly);
}

bool TDocumentCommands::OpenFileByName(const std::string& name, bool fromRecentList) {
  if (fromRecentList) {
    if (!QuerySave()) return false;
    Doc().ReadOnly = false;
  }
  // A save of this file that did not finish left its old bytes: the user decides first.
  int32_t result = recovery_.BeforeOpening(name) ? ReadFileInto(name, false, 1) : kResultOpenFailed;
  if (result == kResultFileInUse && !Doc().ReadOnly) {
    if (AskYesNo(ReadOnlyQuestionText(name)) == mrYes) {
      Doc().ReadOnly = true;
      result = ReadFileInto(name, false, 1);
    }
  }
  if (result != 0) {
    // The failed read has already replaced the buffer's contents; a large file's memory goes back.
    ShowNoDocument();
    ReserveForSize(0);
    return false;
  }
  if (!fromRecentList) host_.AddRecentFile(name);
  Doc().Untitled = false;
  Doc().FileName = name;
  Options().CurrentDir = DirectoryOf(name);
  if (Doc().ReadOnly) {
    host_.ShowNote(msg::kOpenedReadOnly);
  } else if (IsPseudoFile(name)) {
    Doc().ReadOnly = true;
    host_.ShowNote(msg::kIsSystemFile);
  } else if (IsWriteProtected(name)) {
    Doc().ReadOnly = true;
    host_.ShowNote(msg::kIsReadOnly);
  } else {
    host_.ShowNote("");
  }
  PrepareView();
  return true;
}

bool TDocumentCommands::ShowImported(const std::vector<uint8_t>& bytes, int64_t origin,
                                     const std::string& sourcePath) {
  if (Doc().DocBuffer == nullptr && !AllocDocument()) return false;
  if (!LoadDocumentBytes(bytes.data(), static_cast<int64_t>(bytes.size()))) {
    ShowError(msg::kNoMemory);
    return false;
  }
  Doc().Untitled = true;
  Doc().ReadOnly = false;
  Doc().FileName = ImportedDocumentName(sourcePath);
  host_.ShowNote("");
  PrepareView(origin);
  return true;
}

void TDocumentCommands::PrepareView(int64_t origin) {
  Doc().AddressOrigin = origin;
  Doc().ViewReady = true;
  SetCommandsEnabled(kEnabledByDocument, true);
  UpdatePasteCommands();
  if (Doc().ReadOnly) SetCommandsEnabled({Cmd::Save, Cmd::BtnSave}, false);
  Commands().SetEnabled(Cmd::ReplaceUndo, false);
  UnmarkBlock();
  Doc().Modified = false;
  Doc().Journal.Reset();
  Doc().RememberedAddress = 1;
  ResetSearchPositions();
  Doc().TopAddress = 1;
  host_.SetCaption(CaptionOf(Doc()));
  GotoAddress(1, true, false);
  SetCursorCell(0, 0);
  UpdateStatus();
  host_.ShowDocumentView(true);
}

void TDocumentCommands::Save() {
  if (Doc().Untitled || Doc().ReadOnly) {
    SaveAsDialog();
  } else {
    WriteDocument(Doc().FileName);
  }
}

bool TDocumentCommands::WriteDocument(const std::string& path) {
  if (!WriteFileRange(path, false, 1, Doc().DocSize, Options().OldFileTime)) return false;
  Doc().Journal.MarkSaved();
  // The tab loses its modified mark now, not at the next cursor move.
  host_.DocumentsChanged();
  return true;
}

bool TDocumentCommands::SaveAsDialog() {
  const FileAnswer answer = host_.AskFileName(Question(true, kSaveAsTitle));
  if (!answer.ok) return false;
  // The document keeps its old name when nothing was written under the new one.
  if (!WriteDocument(answer.path)) return false;
  Doc().FileName = answer.path;
  host_.AddRecentFile(answer.path);
  host_.SetCaption(CaptionOf(Doc()));
  Doc().Untitled = false;
  host_.DocumentsChanged();
  if (Doc().ReadOnly) {
    Doc().ReadOnly = false;
    SetCommandsEnabled({Cmd::Save, Cmd::BtnSave}, true);
  }
  return true;
}

bool TDocumentCommands::QuerySave() {
  if (!Doc().Modified || !Doc().ViewReady) return true;
  switch (AskYesNoCancel(FormatMsgS(kSaveQuestion, FileNameOnly(Doc().FileName)))) {
    case mrYes:
      if (Doc().Untitled || Doc().ReadOnly) return SaveAsDialog();
      return WriteDocument(Doc().FileName);
    case mrNo:
      return true;
    default:
      return false;
  }
}

bool TDocumentCommands::QuerySaveOnClose(bool answerable) {
  if (StopSignal() == 0 || answerable) return QuerySave();
  NoteUnsavedOnSignal();
  return true;
}

void TDocumentCommands::NoteUnsavedOnSignal() {
  if (unsavedNoted_ || StopSignal() == 0) return;
  unsavedNoted_ = true;
  for (const OpenDocument& open : docs_) {
    if (!open.doc->Modified || !open.doc->ViewReady) continue;
    std::fprintf(stderr, "%s: Ended by %s: the changes to %s were not saved.\n", kCaption,
                 StopSignalName(StopSignal()), open.doc->FileName.c_str());
  }
}

void TDocumentCommands::CloseDocument() {
  if (!QuerySave()) return;
  if (Count() == 1) {
    ShowNoDocument();
    host_.DocumentsChanged();
    return;
  }
  RemoveDocument(active_, active_ + 1 < Count() ? active_ + 1 : active_ - 1);
}

void TDocumentCommands::ShowNoDocument() {
  host_.SetCaption(kCaption);
  Commands().DisableTagged(kTagNeedsDocument);
  Doc().ViewReady = false;
  Doc().DocSize = 0;
  Doc().Journal.Reset();
  host_.ClearGrids();
  SetCursorCell(0, 0);
  host_.ShowDocumentView(false);
}

void TDocumentCommands::OfferRecoveries() {
  recovery_.OfferAll([this](const TRecoveryRecord& record) { return OpenUnsavedCopy(record); });
}

bool TDocumentCommands::OpenUnsavedCopy(const TRecoveryRecord& record) {
  if (!QuerySave()) return false;
  Doc().ReadOnly = false;
  if (ReadFileInto(record.copy, false, 1) != 0) {
    ShowNoDocument();
    ReserveForSize(0);
    return false;
  }
  Doc().FileName = record.target;
  Doc().Untitled = record.untitled;
  // The saves to come compare with the file as the lost run knew it, not with the copy.
  Doc().DiskState = record.targetState;
  Doc().FileId.reset();
  if (record.targetState) Doc().FileId = record.targetState->id;
  Doc().SavedFileTime.reset();
  host_.ShowNote("");
  PrepareView();
  Doc().Modified = true;
  Doc().Journal.MarkUnsaved();
  return true;
}

void TDocumentCommands::InsertFile() {
  const FileAnswer answer = host_.AskFileName(Question(false, kOpenTitle));
  if (!answer.ok) return;
  InsertFileBytes(answer.path, CursorAddress());
}

bool InsertFileBytes(const std::string& path, int64_t p) {
  if (!Doc().ViewReady || Doc().DocBuffer == nullptr) return false;
  p = std::clamp<int64_t>(p, 1, Doc().DocSize + 1);
  const int64_t size = FileSizeOf(path);
  if (size <= 0) {
    ShowError(FormatMsgS(kFileIsEmpty, path));
    return false;
  }
  if (!MemoryHolds(Doc().DocSize + size) || !EnsureCapacity(size)) {
    ShowError(msg::kNoMemory);
    return false;
  }
  BusyScope busy("");
  const bool inserted = InsertFileAt(path, p, size) == 0;
  if (inserted) {
    Doc().Modified = true;
    // The bytes behind the position moved: a block or a replacement there no longer fits.
    DropReplaceUndoIfReached(p);
    CheckBlock(p);
  }
  GotoAddress(p + size, true, false);
  UpdateStatus();
  return inserted;
}

void TDocumentCommands::DropFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) OpenInTab(path, false);
}

bool LongPathForm(const std::string& name, std::string& longForm) {
  if (name.empty() || name.find_first_of("*?") != std::string::npos) return false;
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::canonical(name, error);
  if (error) return false;
  longForm = canonical.string();
  return true;
}

}  // namespace quoxa
