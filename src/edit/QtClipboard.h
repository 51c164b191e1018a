#pragma once
// The desktop's clipboard through QClipboard: the private format as its own MIME type, text as
// plain text. A change of the clipboard updates the Paste commands.

#include <QObject>

#include "edit/Clipboard.h"

class QClipboard;

namespace quoxa {

class TQtClipboard final : public QObject, public IClipboard {
  Q_OBJECT

 public:
  // Installs itself as the program's clipboard for its lifetime.
  explicit TQtClipboard(QObject* parent = nullptr);
  ~TQtClipboard() override;

  bool Available() const override;
  bool Has(ClipFormat format) const override;
  bool Read(ClipFormat format, std::string& data) const override;
  bool Write(ClipFormat format, std::string_view data) override;
  bool Owned() const override;
  void Clear() override;

 private:
  QClipboard* clipboard_;
};

}  // namespace quoxa
