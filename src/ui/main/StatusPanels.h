#pragma once
// The main window's status bar: address, byte value, mode and a message panel.

#include <QStatusBar>
#include <array>
#include <string>

class QLabel;

namespace quoxa {

class TStatusPanels : public QStatusBar {
  Q_OBJECT

 public:
  static constexpr int kPanelCount = 4;

  explicit TStatusPanels(QWidget* parent = nullptr);

  void SetPanelText(int panel, const std::string& text);
  std::string PanelText(int panel) const;
  QLabel* Panel(int panel) const { return panels_[static_cast<size_t>(panel)]; }
  // Width available for text in a panel.
  int PanelWidth(int panel) const;
  // Widths of panels 0..2 from their sample texts plus 10 pixels; panel 0 fits lastAddress.
  void SetPanelWidths(int64_t lastAddress = 0);
  // Widens or narrows panel 0 when a document's last address needs it.
  void FitAddressPanel(int64_t lastAddress);
  // A note over the whole width of the panels, for a few seconds: longer than panel 3 may be.
  void ShowTransient(const std::string& text);

  static constexpr int kTransientMs = 6000;

 private:
  std::array<QLabel*, kPanelCount> panels_{};
  std::string addressSample_;
};

}  // namespace quoxa
