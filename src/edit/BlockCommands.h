#pragma once
// The block commands of the Edit and File menus: Block delete, the one handler of Block copy,
// Block copy/overwrite and Block move, Block <n> chars and Write block. Each checks its
// preconditions in a fixed order and reports with a message box, leaving the document and the
// block as they were.

#include <cstdint>
#include <optional>
#include <string>

#include "core/Commands.h"

namespace quoxa {

namespace msg {
inline constexpr const char* kNoBlockMarked = "No block marked";
inline constexpr const char* kCopyWithinBlock = "Can't copy or move within block\n(use clipboard if necessary)";
inline constexpr const char* kBlockSamePosition = "Block remains on same position";
inline constexpr const char* kBlockSizeInvalid = "Block size invalid";
inline constexpr const char* kBusyCopy = "Copy...";
}  // namespace msg

// Deletes the block, unmarks it and puts the cursor where it began; true when it did. A block
// over the whole document empties the document (false); without a block "No block marked".
bool DeleteBlock();

// Copies the block to the cursor, inserted before it or over the bytes from it on. The block
// keeps its positions (the caller moves it); false when memory ran out (nothing changed).
bool CopyBlockToCursor(bool insert);

// Block copy, Block copy/overwrite and Block move, told apart by cmd. Afterwards the block
// marks the copy or the moved bytes; a move leaves the cursor where it was given.
void BlockCopyClick(Cmd cmd);

// Block <n> chars: the size the dialog's text gives, when 1 <= n < DocSize and the n bytes from
// the cursor on exist; otherwise "Block size invalid" and nullopt.
std::optional<int64_t> CheckBlockSize(const std::string& text);
// Marks the n bytes from the cursor on as the block.
void MarkBlockOfSize(int64_t n);

// Write block: the block into the file at path (the document stays as it is); the file's folder
// becomes the start folder of the file dialogs. True when the file was written.
bool WriteBlockTo(const std::string& path);

}  // namespace quoxa
