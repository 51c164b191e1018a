#pragma once
// The desktop's clipboard through QClipboard: the private format as its own MIME type, text as
// plain text, another program's 8-bit text as the bytes it sent. A change of the clipboard
// updates the Paste commands.

#include <QObject>
#include <optional>
#include <string>

#include "edit/Clipboard.h"

class QClipboard;
class QMimeData;

namespace quoxa {

class TQtClipboard final : public QObject, public IClipboard {
  Q_OBJECT

 public:
  // Installs itself as the program's clipboard for its lifetime.
  explicit TQtClipboard(QObject* parent = nullptr);
  ~TQtClipboard() override;

  bool Available() const override;
  bool Has(ClipFormat format) const override;
  bool Read(ClipFormat format, TClipData& data) const override;
  bool Write(ClipFormat format, std::initializer_list<std::string_view> parts) override;
  bool Owned() const override;
  void Clear() override;

 private:
  const QMimeData* Mime() const;

  QClipboard* clipboard_;
  // What this program put there, until the clipboard changes otherwise.
  std::optional<ClipFormat> written_;
  bool writing_ = false;
};

}  // namespace quoxa
