#include "ui/main/DocumentCommands.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/Block.h"
#include "core/Busy.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/FileIo.h"
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
    Cmd::EntropyMap,
};

}  // namespace

FileQuestion TDocumentCommands::Question(bool save, const char* title) const {
  FileQuestion question;
  question.save = save;
  question.title = title;
  question.startDir = Options().CurrentDir;
  question.readOnlyBox = !save;
  return question;
}

void TDocumentCommands::New() {
  if (!QuerySave()) return;
  if (Doc().DocBuffer == nullptr && !AllocDocument()) return;
  Doc().Untitled = true;
  ++newCounter_;
  Doc().FileName = "NoName" + std::to_string(newCounter_);
  ClearDocument();
  if (Options().NewEOF) SpliceBytes(1, 0, std::string(1, static_cast<char>(kEofChar)));
  ReserveForSize(1);
  PrepareView();
}

void TDocumentCommands::Open() {
  if (!QuerySave()) return;
  const FileAnswer answer = host_.AskFileName(Question(false, kOpenTitle));
  if (!answer.ok) return;
  Doc().ReadOnly = answer.readOnly;
  OpenFileByName(answer.path, false);
  Doc().Untitled = false;
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
  host_.SetCaption(std::string(kCaption) + " - " + FileNameOnly(Doc().FileName));
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
  return true;
}

bool TDocumentCommands::SaveAsDialog() {
  const FileAnswer answer = host_.AskFileName(Question(true, kSaveAsTitle));
  if (!answer.ok) return false;
  // The document keeps its old name when nothing was written under the new one.
  if (!WriteDocument(answer.path)) return false;
  Doc().FileName = answer.path;
  host_.AddRecentFile(answer.path);
  host_.SetCaption(std::string(kCaption) + " - " + FileNameOnly(Doc().FileName));
  Doc().Untitled = false;
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
  if (unsavedNoted_ || StopSignal() == 0 || !Doc().Modified || !Doc().ViewReady) return;
  unsavedNoted_ = true;
  std::fprintf(stderr, "%s: Ended by %s: the changes to %s were not saved.\n", kCaption,
               StopSignalName(StopSignal()), Doc().FileName.c_str());
}

void TDocumentCommands::CloseDocument() {
  if (!QuerySave()) return;
  ShowNoDocument();
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
  const int64_t size = FileSizeOf(answer.path);
  const int64_t p = CursorAddress();
  if (size <= 0) {
    ShowError(FormatMsgS(kFileIsEmpty, answer.path));
    return;
  }
  if (!MemoryHolds(Doc().DocSize + size) || !EnsureCapacity(size)) {
    ShowError(msg::kNoMemory);
    return;
  }
  BusyScope busy("");
  if (InsertFileAt(answer.path, p, size) == 0) {
    Doc().Modified = true;
    // The bytes behind the cursor moved: a block or a replacement there no longer fits.
    DropReplaceUndoIfReached(p);
    CheckBlock(p);
  }
  GotoAddress(p + size, true, false);
  UpdateStatus();
}

void TDocumentCommands::DropFiles(const std::vector<std::string>& paths) {
  if (paths.size() > 1) {
    ShowError(kDropOneFile);
    return;
  }
  if (paths.empty() || !QuerySave()) return;
  Doc().ReadOnly = false;
  OpenFileByName(paths.front(), false);
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
