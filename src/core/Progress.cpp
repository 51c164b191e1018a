#include "core/Progress.h"

#include <cmath>

#include "core/DocState.h"
#include "core/StopSignal.h"

namespace quoxa {

namespace {

class HiddenProgress final : public IProgressView {
 public:
  void ShowGauge(int) override {}
  void ShowText(const std::string&) override {}
  void SetCancelEnabled(bool) override {}
  void ProcessEvents() override {}
  bool CancelPressed() const override { return false; }
};

IProgressFactory* installedFactory = nullptr;
TProgressBox* currentBox = nullptr;

}  // namespace

void InstallProgressFactory(IProgressFactory* factory) { installedFactory = factory; }

int GaugeFor(int64_t position, int64_t maximum) {
  const double share = maximum == 0 ? 1.0 : static_cast<double>(position) / static_cast<double>(maximum);
  return static_cast<int>(std::lround(TProgressBox::kGaugeMax * share)) + TProgressBox::kGaugeMin;
}

TProgressBox::TProgressBox(const ProgressSpec& setup)
    : gauge_(setup.gauge), withCancel_(setup.withCancel), outer_(currentBox) {
  // Already current while the window opens: events processed then find an operation running.
  currentBox = this;
  if (installedFactory != nullptr) view_ = installedFactory->Open(setup);
  if (!view_) view_ = std::make_unique<HiddenProgress>();
}

TProgressBox::~TProgressBox() {
  currentBox = outer_;
  view_.reset();
}

bool TProgressBox::SetProgress(int64_t position, int64_t maximum, int step) {
  if (!gauge_) return false;
  const int progress = GaugeFor(position, maximum);
  if (step <= 0) step = 1;
  if (progress % step != 0 || progress == shown_) return false;
  shown_ = progress;
  view_->ShowGauge(progress);
  view_->ProcessEvents();
  return true;
}

void TProgressBox::SetText(const std::string& text, int every) {
  ++textCalls_;
  if (every < 1) every = 1;
  if (textCalls_ % every != 0) return;
  view_->ShowText(text);
  view_->ProcessEvents();
}

void TProgressBox::EnableCancel(bool enabled) {
  cancelEnabled_ = enabled;
  view_->SetCancelEnabled(enabled);
  view_->ProcessEvents();
}

bool TProgressBox::Aborted() const {
  // A signal stops only what Cancel could stop: the rest finishes whole.
  return view_->CancelPressed() || (withCancel_ && cancelEnabled_ && StopCancelsCommands());
}

TProgressBox* CurrentProgressBox() { return currentBox; }

void ReportProgress(int64_t done, bool& abort) {
  if (currentBox == nullptr) return;
  currentBox->SetProgress(done, Doc().DocSize, 5);
  abort = currentBox->Aborted();
}

}  // namespace quoxa
