#pragma once
// The commands of the Clipboard submenu and its tool buttons, the enabling of Paste by what the
// clipboard holds, and the clipboard's part in start-up and shut-down.

#include "core/Commands.h"

namespace quoxa {

// Cut (cut true) or Copy: the block in the private format; a cut then deletes the block and
// leaves the cursor where it was, as far as the shorter document allows.
void CutOrCopy(bool cut);
// Inserts the private data, else the text, before the cursor, which stays on the first new byte.
void PasteFromClipboard();
// The block as a separated hex string in the desktop's text, under a progress box with Cancel.
void CopyAsHexString();
// Inserts the bytes of a clipboard text that is exactly a separated hex string.
void PasteFromHexString();

// Runs a clipboard command or tool button; false for any other command.
bool RunClipboardCommand(Cmd cmd);

// First activation: without a clipboard the clipboard commands stay unavailable for good.
void RegisterClipboardFormat();
// The clipboard changed (or a document came to be shown): Paste and its button are usable
// exactly when the private format or text is there, Paste from hex string when text is.
void UpdatePasteCommands();
// Shut-down: offers to empty a clipboard this program filled with more than 512 bytes.
void OfferToEmptyClipboard();

}  // namespace quoxa
