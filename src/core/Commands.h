#pragma once
// Enabled and checked state of every menu command and tool button. Core logic
// changes it here; the main window mirrors it onto its actions.

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

namespace quoxa {

enum class Cmd : int {
  // File
  New, Open, Reopen, Save, SaveAs, Close, InsertFile, WriteBlock, Print, Exit,
  ExportAs, Import, CompareWith,
  // Edit
  Undo, Redo, InsertString, OverwriteString, BlockMark, BlockChars, BlockUnmark, BlockDelete, BlockCopy,
  BlockCopyOverwrite, BlockMove, Clipboard, Cut, Copy, Paste, CopyHex, PasteHex, DeleteFromCursor,
  DeleteToCursor,
  // Search
  Find, FindDown, FindUp, Count, Replace, ReplaceAgain, ReplaceUndo, CharConversion, Strings,
  // Address
  Goto, JumpWidthDialog, JumpDown, JumpUp, RememberAddress, GotoRemembered, DisplayDifference,
  // Bookmarks
  Bookmarks, BookmarkAdd, BookmarkRemove, BookmarkRemoveAll, BookmarkSave, BookmarkLoad,
  Bookmark1, Bookmark2, Bookmark3, Bookmark4, Bookmark5, Bookmark6, Bookmark7, Bookmark8, Bookmark9,
  // View
  EntropyMap,
  // Tools
  TextModeCheck, OverwriteCheck, DecodeNumber, EncodeNumber, BitManipulation, Patch, Checksums, Statistics, OptionsDialog,
  // Script
  ScriptEditor, ScriptExecute,
  // Help
  HelpContents, About,
  // Tool bar buttons
  BtnNew, BtnOpen, BtnSave, BtnDel, BtnCut, BtnCopy, BtnPaste, BtnFind, BtnReplace, BtnOptions, BtnInfo,
  BtnWhats,
  Count_
};

constexpr int kCommandCount = static_cast<int>(Cmd::Count_);

// Tags: 1 = needs an open document, 2 = unavailable until the program ends.
constexpr int kTagNeedsDocument = 1;
constexpr int kTagUnavailable = 2;

class TCommandState {
 public:
  using Listener = std::function<void(Cmd)>;

  TCommandState();

  bool Enabled(Cmd cmd) const { return enabled_[Index(cmd)]; }
  bool Checked(Cmd cmd) const { return checked_[Index(cmd)]; }
  int Tag(Cmd cmd) const { return tag_[Index(cmd)]; }

  // Sets the state of one command; a tag-2 command stays disabled.
  void SetEnabled(Cmd cmd, bool on);
  void SetChecked(Cmd cmd, bool on);
  void SetTag(Cmd cmd, int tag);

  // Disables every command carrying the tag (closing the document: tag 1).
  void DisableTagged(int tag);

  // Called after every change of a command's state.
  void SetListener(Listener listener) { listener_ = std::move(listener); }

  // Back to the start-up state: everything enabled, nothing checked, tags as designed.
  void Reset();

 private:
  static int Index(Cmd cmd) { return static_cast<int>(cmd); }
  void Notify(Cmd cmd) const;

  std::array<bool, kCommandCount> enabled_{};
  std::array<bool, kCommandCount> checked_{};
  std::array<int, kCommandCount> tag_{};
  Listener listener_;
};

// The program's one command table.
TCommandState& Commands();

// Sets each command of the list, skipping tag-2 commands.
void SetCommandsEnabled(std::initializer_list<Cmd> list, bool on);
void SetCommandsEnabled(const std::vector<Cmd>& list, bool on);

}  // namespace quoxa
