#pragma once
// The system clipboard behind a seam: Qt's clipboard in the program, a fake in tests.

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace quoxa {

enum class ClipFormat {
  Private,  // the program's own length-prefixed bytes (ClipboardFormat.h)
  Text,     // 8-bit text, its bytes as they are (X11 STRING, text/plain without a charset)
  Unicode,  // text the clipboard holds only as Unicode characters, as UTF-8
};

// Data read from the clipboard without a copy: the bytes stay valid while the holder lives.
struct TClipData {
  std::shared_ptr<const void> holder;
  std::string_view bytes;
};

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  // False on a desktop without any clipboard.
  virtual bool Available() const = 0;
  virtual bool Has(ClipFormat format) const = 0;
  // The data of one format; false when it is not there.
  virtual bool Read(ClipFormat format, TClipData& data) const = 0;
  // Replaces the whole contents by one format, its data the parts one after the other (copied
  // once, straight into the clipboard's own buffer); false when the clipboard refused it.
  virtual bool Write(ClipFormat format, std::initializer_list<std::string_view> parts) = 0;
  // This program put the present contents there.
  virtual bool Owned() const = 0;
  virtual void Clear() = 0;
};

// Installs the process-wide clipboard; nullptr leaves none (every write then fails).
void InstallClipboard(IClipboard* clipboard);
// The installed clipboard, or nullptr.
IClipboard* InstalledClipboard();

}  // namespace quoxa
