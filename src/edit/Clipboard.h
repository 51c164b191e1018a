#pragma once
// The system clipboard behind a seam: Qt's clipboard in the program, a fake in tests.

#include <string>
#include <string_view>

namespace quoxa {

enum class ClipFormat {
  Private,  // the program's own length-prefixed bytes (ClipboardFormat.h)
  Text,     // the desktop's plain text, as UTF-8
};

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  // False on a desktop without any clipboard.
  virtual bool Available() const = 0;
  virtual bool Has(ClipFormat format) const = 0;
  // The data of one format; false when it is not there.
  virtual bool Read(ClipFormat format, std::string& data) const = 0;
  // Replaces the whole contents by data in one format; false when the clipboard refused it.
  virtual bool Write(ClipFormat format, std::string_view data) = 0;
  // This program put the present contents there.
  virtual bool Owned() const = 0;
  virtual void Clear() = 0;
};

// Installs the process-wide clipboard; nullptr leaves none (every write then fails).
void InstallClipboard(IClipboard* clipboard);
// The installed clipboard, or nullptr.
IClipboard* InstalledClipboard();

}  // namespace quoxa
