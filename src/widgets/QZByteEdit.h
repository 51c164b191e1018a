#pragma once
// TQZByteEdit: a one-line edit for a byte string typed as a hex string. It takes only hex
// digits and keeps its text in the separated form ("41 42 43") while the user types.

#include <QLineEdit>
#include <string>

namespace quoxa {

class TQZByteEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TQZByteEdit(QWidget* parent = nullptr);

  // The bytes the text stands for; empty while the text is not a valid hex string.
  std::string ASCII() const;
  // Shows bytes as their separated hex string.
  void SetASCII(const std::string& bytes);

  // Most bytes the edit holds (its text at most 3 x MaxBytes - 1 characters); 0 = no limit.
  int MaxBytes() const { return maxBytes_; }
  void SetMaxBytes(int maxBytes);

  // The text is a separated hex string of whole bytes (the empty text is not).
  bool IsValid() const;

 signals:
  // The text changed and has been regrouped; listen to this rather than textChanged, which
  // also reports the text before its regrouping.
  void Changed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Regroup();

  int maxBytes_ = 0;
  bool regrouping_ = false;
};

}  // namespace quoxa
