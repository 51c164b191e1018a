#include "edit/ClipboardCommands.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "core/Block.h"
#include "core/Busy.h"
#include "core/DocState.h"
#include "core/MessageTexts.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "core/Progress.h"
#include "core/TextFormat.h"
#include "core/View.h"
#include "edit/BlockCommands.h"
#include "edit/Clipboard.h"
#include "edit/ClipboardFormat.h"
#include "search/DocSearchProgress.h"
#include "widgets/HexString.h"

namespace quoxa {

namespace {

constexpr const char* kCantRegister = "Can't register clipboard format QZBINARY";
constexpr const char* kCantCopy = "Can't copy data to clipboard";
constexpr const char* kPasteNoMemory = "Not enough memory allocated\nfor this operation";
constexpr const char* kNotHexString = "Clipboard doesn't contain hex string!";
constexpr const char* kCopyHexQuestion = "Copy more than %.0n bytes text\n to clipboard?";
constexpr const char* kEmptyQuestion = "Clipboard contains more than %.0n bytes data.\nEmpty clipboard now?";
constexpr const char* kMissingQuestion =
    "%.0n characters have no byte in the code page; insert them as '?'?";
constexpr const char* kBusyToClipboard = "Copy data to clipboard";
constexpr const char* kBusyPaste = "Paste data from clipboard";
constexpr const char* kProgressCaption = "Copy data to clipboard";
constexpr const char* kProgressText = "Current file position";

// Longer hex texts are copied only when the user agrees.
constexpr int64_t kHexTextQuestion = 32768;
// Clipboard data larger than this is offered to be emptied at exit.
constexpr int64_t kLargeClipboard = 512;
// Bytes converted between two looks at the progress box.
constexpr int64_t kHexChunk = 16 * 1024;

constexpr Cmd kClipboardCommands[] = {Cmd::Clipboard, Cmd::Cut,    Cmd::Copy,    Cmd::Paste,   Cmd::CopyHex,
                                      Cmd::PasteHex,  Cmd::BtnCut, Cmd::BtnCopy, Cmd::BtnPaste};

int64_t BlockLength() { return Doc().BlockEnd - Doc().BlockBegin + 1; }

const uint8_t* BlockBytes() { return Doc().DocBuffer + (Doc().BlockBegin - 1); }

bool WriteClipboard(ClipFormat format, std::initializer_list<std::string_view> parts) {
  IClipboard* clipboard = InstalledClipboard();
  return clipboard != nullptr && clipboard->Write(format, parts);
}

bool ReadClipboard(ClipFormat format, TClipData& data) {
  const IClipboard* clipboard = InstalledClipboard();
  return clipboard != nullptr && clipboard->Read(format, data);
}

// What a paste inserts: a view of the clipboard's own bytes, or of text turned into bytes.
struct TPasteBytes {
  TPasteBytes() = default;
  TPasteBytes(const TPasteBytes&) = delete;  // bytes may point into converted
  TPasteBytes& operator=(const TPasteBytes&) = delete;
  TClipData data;
  std::string converted;
  std::string_view bytes;
  // Characters of Unicode text that the code page has no byte for.
  int64_t missing = 0;
};

// The private data first, else the 8-bit text as it is, else Unicode text in the code page;
// empty when none of them is usable.
void ReadPasteBytes(TPasteBytes& paste) {
  if (ReadClipboard(ClipFormat::Private, paste.data)) {
    if (!DecodePrivate(paste.data.bytes, paste.bytes)) paste.bytes = {};
  } else if (ReadClipboard(ClipFormat::Text, paste.data)) {
    paste.bytes = EightBitTextBytes(paste.data.bytes);
  } else if (ReadClipboard(ClipFormat::Unicode, paste.data)) {
    paste.converted = UnicodeTextBytes(paste.data.bytes, paste.missing);
    paste.bytes = paste.converted;
  }
}

// The clipboard's text as bytes for a hex string: 8-bit text as it is, else Unicode text in
// the code page (a character outside it is no hex digit either).
bool HexStringText(std::string& text) {
  TClipData data;
  int64_t missing = 0;
  if (ReadClipboard(ClipFormat::Text, data)) {
    text = EightBitTextBytes(data.bytes);
  } else if (ReadClipboard(ClipFormat::Unicode, data)) {
    text = UnicodeTextBytes(data.bytes, missing);
  } else {
    return false;
  }
  return true;
}

// The block's removal after a cut: the cursor keeps its position, clamped to the document.
void DeleteCutBlock(int64_t cursor) {
  BusyScope busy(msg::kBusyDelete);
  DeleteBlock();
  GotoAddress(cursor, true, true);
}

// After an insertion at pos: the view shows the new bytes, and a block reaching pos is stale.
void AfterInsertion(int64_t pos) {
  Doc().Modified = true;
  RefreshView();
  CheckBlock(pos);
}

}  // namespace

void CutOrCopy(bool cut) {
  if (!BlockMarked()) {
    ShowError(msg::kNoBlockMarked);
    return;
  }
  const int64_t cursor = CursorAddress();
  bool copied = false;
  // A block the private format cannot count is refused before Cut takes anything away.
  if (BlockLength() <= kMaxPrivateLength) {
    BusyScope busy(kBusyToClipboard);
    try {
      const auto length = static_cast<size_t>(BlockLength());
      const auto header = PrivateHeader(length);
      copied =
          WriteClipboard(ClipFormat::Private,
                         {std::string_view(header.data(), header.size()),
                          std::string_view(reinterpret_cast<const char*>(BlockBytes()), length)});
    } catch (const std::bad_alloc&) {
      copied = false;
    }
  }
  if (!copied) {
    ShowError(kCantCopy);
    return;
  }
  if (cut) DeleteCutBlock(cursor);
}

void PasteFromClipboard() {
  TPasteBytes paste;
  try {
    BusyScope busy("");
    ReadPasteBytes(paste);
  } catch (const std::bad_alloc&) {
    ShowError(kPasteNoMemory);
    return;
  }
  if (paste.bytes.empty()) return;
  // Text is never turned into '?' behind the user's back.
  if (paste.missing > 0 && AskYesNo(FormatMsgN(kMissingQuestion, paste.missing)) != mrYes) return;
  const int64_t pos = CursorAddress();
  DropReplaceUndoIfReached(pos);
  bool inserted = false;
  {
    BusyScope pasting(kBusyPaste);
    inserted = SpliceBytes(pos, 0, paste.bytes);
  }
  if (!inserted) {
    ShowError(kPasteNoMemory);
    return;
  }
  AfterInsertion(pos);
}

void CopyAsHexString() {
  if (!BlockMarked()) {
    ShowError(msg::kNoBlockMarked);
    return;
  }
  const int64_t length = BlockLength();
  const int64_t chars = 3 * length - 1;
  // A text the clipboard's positions cannot count is refused before anything is asked.
  if (chars > std::numeric_limits<int32_t>::max()) {
    ShowError(kCantCopy);
    return;
  }
  if (chars > kHexTextQuestion && AskYesNo(FormatMsgN(kCopyHexQuestion, kHexTextQuestion)) != mrYes) return;
  std::unique_ptr<char[]> text;
  try {
    // One spare character: each byte is written with its blank.
    text = std::make_unique_for_overwrite<char[]>(static_cast<size_t>(chars + 1));
  } catch (const std::bad_alloc&) {
    ShowError(kCantCopy);
    return;
  }
  bool copied = true;
  {
    TProgressBox box({true, true, kProgressText, kProgressCaption});
    const uint8_t* bytes = BlockBytes();
    for (int64_t done = 0; done < length;) {
      // Up to the next change of the gauge at most, so that no step of it goes unseen.
      const int64_t n = std::min({kHexChunk, length - done, NextGaugeChange(done, length) - done});
      WriteHexTriples(bytes + done, static_cast<size_t>(n), text.get() + 3 * done);
      done += n;
      box.SetProgress(done, length, 5);
      if (box.Aborted()) return;
    }
    try {
      copied = WriteClipboard(ClipFormat::Text,
                              {std::string_view(text.get(), static_cast<size_t>(chars))});
    } catch (const std::bad_alloc&) {
      copied = false;
    }
  }
  if (!copied) ShowError(kCantCopy);
}

void PasteFromHexString() {
  BusyScope busy("");
  std::string text;
  std::string bytes;
  bool parsed = false;
  try {
    parsed = HexStringText(text) && ParseSeparatedHex(text, bytes);
  } catch (const std::bad_alloc&) {
    ShowError(msg::kNoMemory);
    return;
  }
  if (!parsed) {
    ShowError(kNotHexString);
    return;
  }
  BusyScope pasting(kBusyPaste);
  const int64_t pos = CursorAddress();
  DropReplaceUndoIfReached(pos);
  if (InsertBytes(pos, 1, bytes)) AfterInsertion(pos);
}

bool RunClipboardCommand(Cmd cmd) {
  switch (cmd) {
    case Cmd::Cut:
    case Cmd::BtnCut: CutOrCopy(true); return true;
    case Cmd::Copy:
    case Cmd::BtnCopy: CutOrCopy(false); return true;
    case Cmd::Paste:
    case Cmd::BtnPaste: PasteFromClipboard(); return true;
    case Cmd::CopyHex: CopyAsHexString(); return true;
    case Cmd::PasteHex: PasteFromHexString(); return true;
    default: return false;
  }
}

void RegisterClipboardFormat() {
  const IClipboard* clipboard = InstalledClipboard();
  if (clipboard != nullptr && clipboard->Available()) return;
  // The shortcuts and tool buttons go too, not only the submenu.
  for (Cmd cmd : kClipboardCommands) Commands().SetTag(cmd, kTagUnavailable);
  ShowError(kCantRegister);
}

void UpdatePasteCommands() {
  const IClipboard* clipboard = InstalledClipboard();
  if (clipboard == nullptr) return;
  // Without a document they stay off, as every command needing one. Unicode first: any text
  // reads as that, and an 8-bit target may take a question to the owner to find.
  const bool text =
      Doc().ViewReady && (clipboard->Has(ClipFormat::Unicode) || clipboard->Has(ClipFormat::Text));
  const bool any = text || (Doc().ViewReady && clipboard->Has(ClipFormat::Private));
  SetCommandsEnabled({Cmd::Paste, Cmd::BtnPaste}, any);
  Commands().SetEnabled(Cmd::PasteHex, text);
}

void OfferToEmptyClipboard() {
  IClipboard* clipboard = InstalledClipboard();
  if (clipboard == nullptr || !clipboard->Owned()) return;
  TClipData data;
  int64_t size = 0;
  int64_t missing = 0;
  // Read without a copy: a block of gigabytes costs nothing to measure.
  if (clipboard->Read(ClipFormat::Private, data)) {
    size = static_cast<int64_t>(data.bytes.size());
  } else if (clipboard->Read(ClipFormat::Text, data)) {
    // The text's block holds its terminating zero too.
    size = static_cast<int64_t>(EightBitTextBytes(data.bytes).size()) + 1;
  } else if (clipboard->Read(ClipFormat::Unicode, data)) {
    size = static_cast<int64_t>(UnicodeTextBytes(data.bytes, missing).size()) + 1;
  }
  if (size > kLargeClipboard && AskYesNo(FormatMsgN(kEmptyQuestion, kLargeClipboard)) == mrYes) clipboard->Clear();
}

}  // namespace quoxa
