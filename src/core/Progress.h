#pragma once
// The progress box of long operations: gauge arithmetic here, the window behind a seam.

#include <cstdint>
#include <memory>
#include <string>

namespace quoxa {

struct ProgressSpec {
  bool withCancel = true;
  bool gauge = true;
  std::string text;
  std::string caption;
};

// The visible box, implemented by the user interface (or a recorder in tests).
class IProgressView {
 public:
  virtual ~IProgressView() = default;
  virtual void ShowGauge(int value) = 0;
  virtual void ShowText(const std::string& text) = 0;
  virtual void SetCancelEnabled(bool enabled) = 0;
  // Lets pending window messages through (and so a click on Cancel).
  virtual void ProcessEvents() = 0;
  virtual bool CancelPressed() const = 0;
};

class IProgressFactory {
 public:
  virtual ~IProgressFactory() = default;
  virtual std::unique_ptr<IProgressView> Open(const ProgressSpec& setup) = 0;
};

// Installs the process-wide factory; nullptr restores the default (no window, never aborts).
void InstallProgressFactory(IProgressFactory* factory);

class TProgressBox {
 public:
  static constexpr int kGaugeMin = 0;
  static constexpr int kGaugeMax = 100;

  explicit TProgressBox(const ProgressSpec& setup);
  ~TProgressBox();
  TProgressBox(const TProgressBox&) = delete;
  TProgressBox& operator=(const TProgressBox&) = delete;

  // Moves the gauge to position of maximum; true only when the shown value changed
  // to a multiple of step (events are then processed).
  bool SetProgress(int64_t position, int64_t maximum, int step);
  // Only every every-th call shows the text.
  void SetText(const std::string& text, int every);
  void EnableCancel(bool enabled);
  // Cancel was pressed, or a signal asks the program to end while Cancel is possible.
  bool Aborted() const;

  int GaugeValue() const { return shown_; }

 private:
  std::unique_ptr<IProgressView> view_;
  bool gauge_;
  bool withCancel_;
  bool cancelEnabled_ = true;
  int shown_ = kGaugeMin;
  int64_t textCalls_ = 0;
  TProgressBox* outer_;
};

// Gauge value for position of maximum: Round(100 * position / maximum), full when maximum is 0.
int GaugeFor(int64_t position, int64_t maximum);

// The innermost open progress box, or nullptr.
TProgressBox* CurrentProgressBox();

// Long loops report done bytes of DocSize here; abort receives the Cancel state
// while a box is open and is left alone otherwise.
void ReportProgress(int64_t done, bool& abort);

}  // namespace quoxa
