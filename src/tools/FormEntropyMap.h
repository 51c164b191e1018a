#pragma once
// TFormEntropyMap, "Entropy map": the entropy of consecutive windows along the file as a plot.
// A click goes to the address under the mouse; the main window's page is marked; the map is
// saved as PNG or CSV; Refresh measures again after edits.

#include <QDialog>

#include "tools/ByteStatistics.h"

class QComboBox;
class QLabel;

namespace quoxa {

class TEntropyPlot;

class TFormEntropyMap : public QDialog {
  Q_OBJECT

 public:
  explicit TFormEntropyMap(QWidget* parent = nullptr);

  // Measures the document again with the chosen window; false when cancelled.
  bool Refresh();
  // Marks the main window's page on the plot.
  void FollowView();
  // Writes the plot as PNG or the map as CSV; false (after the error box) when it failed.
  bool SavePng(const std::string& path);
  bool SaveCsv(const std::string& path);

  const EntropyMap& Map() const { return map_; }
  TEntropyPlot* Plot() const { return plot_; }
  QComboBox* WindowChoice() const { return window_; }

 private:
  // The window the choice asks for, 0 for automatic.
  int64_t ChosenWindow() const;
  void GoTo(int64_t position);
  void AskAndSave(bool png);

  EntropyMap map_;
  TEntropyPlot* plot_;
  QComboBox* window_;
  QLabel* info_;
};

// At most this many windows: a smaller window is widened to fit.
inline constexpr int64_t kMaxEntropyPoints = int64_t{1} << 22;

}  // namespace quoxa
