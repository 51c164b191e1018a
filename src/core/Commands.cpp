#include "core/Commands.h"

namespace quoxa {

namespace {

constexpr Cmd kNeedsDocument[] = {
    Cmd::Save, Cmd::SaveAs, Cmd::Close, Cmd::Undo, Cmd::Redo, Cmd::InsertFile, Cmd::WriteBlock, Cmd::Print, Cmd::ExportAs,
    Cmd::InsertString, Cmd::OverwriteString, Cmd::BlockMark, Cmd::BlockChars, Cmd::BlockUnmark,
    Cmd::BlockDelete, Cmd::BlockCopy, Cmd::BlockCopyOverwrite, Cmd::BlockMove, Cmd::Clipboard, Cmd::Cut,
    Cmd::Copy, Cmd::Paste, Cmd::CopyHex, Cmd::PasteHex, Cmd::DeleteFromCursor, Cmd::DeleteToCursor,
    Cmd::Find, Cmd::FindDown, Cmd::FindUp, Cmd::Count, Cmd::Replace, Cmd::ReplaceAgain, Cmd::ReplaceUndo,
    Cmd::CharConversion, Cmd::Strings, Cmd::Goto, Cmd::JumpWidthDialog, Cmd::JumpDown, Cmd::JumpUp, Cmd::RememberAddress,
    Cmd::GotoRemembered, Cmd::DisplayDifference, Cmd::Bookmarks, Cmd::DecodeNumber, Cmd::EncodeNumber,
    Cmd::BitManipulation, Cmd::Patch, Cmd::BtnSave, Cmd::BtnDel, Cmd::BtnCut, Cmd::BtnCopy, Cmd::BtnPaste,
    Cmd::BtnFind, Cmd::BtnReplace, Cmd::Checksums, Cmd::Statistics, Cmd::EntropyMap,
};

}  // namespace

TCommandState::TCommandState() { Reset(); }

void TCommandState::Reset() {
  enabled_.fill(true);
  checked_.fill(false);
  tag_.fill(0);
  for (Cmd cmd : kNeedsDocument) tag_[Index(cmd)] = kTagNeedsDocument;
  for (int i = 0; i < kCommandCount; ++i) Notify(static_cast<Cmd>(i));
}

void TCommandState::SetEnabled(Cmd cmd, bool on) {
  if (tag_[Index(cmd)] == kTagUnavailable) on = false;
  if (enabled_[Index(cmd)] == on) return;
  enabled_[Index(cmd)] = on;
  Notify(cmd);
}

void TCommandState::SetChecked(Cmd cmd, bool on) {
  if (checked_[Index(cmd)] == on) return;
  checked_[Index(cmd)] = on;
  Notify(cmd);
}

void TCommandState::SetTag(Cmd cmd, int tag) {
  tag_[Index(cmd)] = tag;
  if (tag == kTagUnavailable) SetEnabled(cmd, false);
}

void TCommandState::DisableTagged(int tag) {
  for (int i = 0; i < kCommandCount; ++i) {
    if (tag_[i] == tag) SetEnabled(static_cast<Cmd>(i), false);
  }
}

void TCommandState::Notify(Cmd cmd) const {
  if (listener_) listener_(cmd);
}

TCommandState& Commands() {
  static TCommandState state;
  return state;
}

void SetCommandsEnabled(std::initializer_list<Cmd> list, bool on) {
  for (Cmd cmd : list) Commands().SetEnabled(cmd, on);
}

void SetCommandsEnabled(const std::vector<Cmd>& list, bool on) {
  for (Cmd cmd : list) Commands().SetEnabled(cmd, on);
}

}  // namespace quoxa
