#pragma once
// Right arrow at the end of a hex string edit copies the document's next byte into it, so that
// with the cursor on bytes of interest the edit fills one byte per key press.

namespace quoxa {

class TQZByteEdit;

// When the caret is at the end and the edit's bytes equal the document from the cursor on,
// appends the following document byte and puts the caret at the end. True when it did.
bool PickUpNextByte(TQZByteEdit* edit);

// Binds PickUpNextByte to the edit's Right arrow key; the key moves the caret as usual when
// nothing is picked up.
void InstallPickUpNextByte(TQZByteEdit* edit);

}  // namespace quoxa
