// A signal asking the program to end: long loops stop exactly where their Cancel would stop
// them, and only while Cancel could; the script interpreter stops between lines, and a batch
// run that was stopped never writes its file.
#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <string>
#include <vector>

#include "Recorders.h"
#include "TempDir.h"
#include "TestDocument.h"
#include "core/Busy.h"
#include "core/DocState.h"
#include "core/FreeMemory.h"
#include "core/MessageTexts.h"
#include "core/Progress.h"
#include "core/StopSignal.h"
#include "script/ScriptFile.h"
#include "script/ScriptInterpreter.h"
#include "script/ScriptRun.h"
#include "search/Replace.h"
#include "search/SearchState.h"

namespace quoxa {
namespace {

TEST(StopSignal, AbortsWhatCancelCouldAbortUntilTheCloseBegins) {
  test::RecorderScope rec;
  const struct {
    bool withCancel;
    std::optional<bool> enableCancel;  // a later EnableCancel
    int signal;
    bool stopping;
    bool aborted;
  } cases[] = {
      {true, {}, 0, false, false},       {true, {}, SIGTERM, false, true},
      {true, true, SIGHUP, false, true}, {true, false, SIGTERM, false, false},
      {false, {}, SIGINT, false, false}, {false, true, SIGTERM, false, false},
      {true, {}, SIGTERM, true, false},
  };
  for (const auto& c : cases) {
    ClearStopSignal();
    TProgressBox box({c.withCancel, true, "", ""});
    if (c.enableCancel) box.EnableCancel(*c.enableCancel);
    if (c.signal != 0) NoteStopSignal(c.signal);
    if (c.stopping) BeginStopping();
    EXPECT_EQ(box.Aborted(), c.aborted)
        << c.withCancel << c.enableCancel.value_or(2) << c.signal << c.stopping;
  }
  // The first signal is the one reported; Clear forgets it.
  ClearStopSignal();
  NoteStopSignal(SIGHUP);
  NoteStopSignal(SIGTERM);
  EXPECT_EQ(StopSignal(), SIGHUP);
  EXPECT_STREQ(StopSignalName(StopSignal()), "SIGHUP");
  ClearStopSignal();
  EXPECT_EQ(StopSignal(), 0);
  EXPECT_FALSE(StopCancelsCommands());
}

// Notes a signal once the box has shown n gauge values, as Cancel pressed then would be seen.
class StopAfterUpdates final : public IProgressFactory {
 public:
  explicit StopAfterUpdates(int n) : n_(n) {}
  std::unique_ptr<IProgressView> Open(const ProgressSpec&) override {
    return std::make_unique<View>(n_);
  }

 private:
  class View final : public IProgressView {
   public:
    explicit View(int n) : n_(n) {
      if (n_ == 0) NoteStopSignal(SIGTERM);
    }
    void ShowGauge(int) override {
      if (++shown_ == n_) NoteStopSignal(SIGTERM);
    }
    void ShowText(const std::string&) override {}
    void SetCancelEnabled(bool) override {}
    void ProcessEvents() override {}
    bool CancelPressed() const override { return false; }

   private:
    int n_;
    int shown_ = 0;
  };
  int n_;
};

TEST(StopSignal, ReplaceAllStopsWhereCancelStopsIt) {
  test::RecorderScope rec;
  SetFreeMemoryOverride(int64_t{1} << 30);
  std::string doc;
  for (int i = 0; i < 40000; ++i) doc += "xAB.yA.z";
  const struct {
    const char* find;
    const char* replacement;
  } strategies[] = {{"A", "Q"}, {"AB", ""}, {"A", "QRS"}};
  for (const auto& strategy : strategies) {
    for (int n : {0, 1, 4, 9}) {
      const std::string context = std::string(strategy.find) + " by " + strategy.replacement +
                                  " after " + std::to_string(n);
      auto run = [&](IProgressFactory* factory) {
        test::LoadDocument(doc, 16, 10);
        ClearStopSignal();
        Search() = SearchState{};
        Search().CaseSensitive = true;
        Search().FindString = strategy.find;
        Search().ReplaceString = strategy.replacement;
        InstallProgressFactory(factory);
        TProgressBox box({true, true, "Searching...", "Replacing..."});
        return ReplaceAll(1, false);
      };
      rec.progress.abortAfterUpdates = n;
      const ReplaceAllResult cancelled = run(&rec.progress);
      const std::string cancelledBytes = test::DocumentBytes();
      StopAfterUpdates stop(n);
      const ReplaceAllResult stopped = run(&stop);
      EXPECT_TRUE(cancelled.aborted) << context;
      EXPECT_LT(cancelled.count, 40000) << context;
      EXPECT_EQ(stopped.aborted, cancelled.aborted) << context;
      EXPECT_EQ(stopped.count, cancelled.count) << context;
      EXPECT_EQ(stopped.first, cancelled.first) << context;
      EXPECT_TRUE(test::DocumentBytes() == cancelledBytes) << context;
    }
  }
  InstallProgressFactory(&rec.progress);
  SetFreeMemoryOverride(std::nullopt);
}

// A message box of the line at work: the signal arrives while it is up. (A deletion's busy
// state cannot carry it: a run holds the view, and nested busy states are not passed on.)
class StopAtMessage final : public IMessages {
 public:
  int Message(const MessageRequest& request) override {
    NoteStopSignal(SIGINT);
    texts.push_back(request.text);
    return 1;
  }
  bool Input(const InputRequest&, std::string&) override { return false; }
  bool List(ListRequest&, int&) override { return false; }

  std::vector<std::string> texts;
};

TEST(StopSignal, AScriptStopsAfterTheLineAtWorkAndItsBatchRunWritesNothing) {
  test::RecorderScope rec;
  test::TempDir dir;
  const std::string file = dir.Write("doc.bin", "ABCDEF");
  test::LoadDocument("ABCDEF", 4, 4);
  Doc().FileName = file;
  StopAtMessage messages;
  InstallMessages(&messages);
  TScriptInterpreter interpreter;
  interpreter.SetArguments({"quoxa"});
  const ScriptOutcome outcome =
      ExecuteScript(interpreter, SplitScriptLines("DEL 1\nMSG x\nDEL 1\nDEL 1"));
  EXPECT_EQ(messages.texts, std::vector<std::string>{"x"});
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.error, "User abort!");
  EXPECT_EQ(outcome.errorLine, 2);  // 0-based: the line that was not run
  EXPECT_EQ(test::DocumentBytes(), "BCDEF");
  EXPECT_TRUE(Doc().Modified);
  EXPECT_FALSE(SaveAfterBatchRun());
  EXPECT_EQ(test::TempDir::Read(file), "ABCDEF");
  InstallMessages(&rec.messages);
}

}  // namespace
}  // namespace quoxa
