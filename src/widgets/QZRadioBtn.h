#pragma once
// TQZRadioBtn: a radio button that enables and colours a control of its own, so that the
// edit belonging to the chosen option is the only one that takes input.

#include <QPointer>
#include <QRadioButton>

namespace quoxa {

class TQZRadioBtn : public QRadioButton {
  Q_OBJECT

 public:
  explicit TQZRadioBtn(const QString& text, QWidget* parent = nullptr);
  explicit TQZRadioBtn(QWidget* parent = nullptr);

  // The governed control; another TQZRadioBtn is refused. Cleared when the control is destroyed.
  QWidget* Control() const { return control_; }
  void SetControl(QWidget* control);

  // Control enabled exactly while the button is checked (and then given the focus).
  bool AutoDisable() const { return autoDisable_; }
  void SetAutoDisable(bool on) { autoDisable_ = on; }

  // Control painted in the window colour while checked, in the button colour otherwise.
  bool AutoColor() const { return autoColor_; }
  void SetAutoColor(bool on) { autoColor_ = on; }

 protected:
  bool event(QEvent* event) override;

 private:
  void Apply();

  QPointer<QWidget> control_;
  bool autoDisable_ = true;
  bool autoColor_ = true;
};

}  // namespace quoxa
