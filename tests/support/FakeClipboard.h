#pragma once
// A clipboard in memory, installed for its lifetime; every change notifies the Paste commands
// as the desktop's clipboard does.

#include <map>
#include <string>
#include <string_view>

#include "edit/Clipboard.h"
#include "edit/ClipboardCommands.h"

namespace quoxa::test {

class FakeClipboard final : public IClipboard {
 public:
  FakeClipboard() { InstallClipboard(this); }
  ~FakeClipboard() override { InstallClipboard(nullptr); }
  FakeClipboard(const FakeClipboard&) = delete;
  FakeClipboard& operator=(const FakeClipboard&) = delete;

  bool Available() const override { return available; }
  bool Has(ClipFormat format) const override { return contents.count(format) != 0; }
  bool Read(ClipFormat format, std::string& data) const override {
    const auto it = contents.find(format);
    if (it == contents.end()) return false;
    data = it->second;
    return true;
  }
  bool Write(ClipFormat format, std::string_view data) override {
    if (refuse) return false;
    contents = {{format, std::string(data)}};
    owned = true;
    UpdatePasteCommands();
    return true;
  }
  bool Owned() const override { return owned; }
  void Clear() override {
    contents.clear();
    UpdatePasteCommands();
  }

  // What another program put there.
  void Put(std::map<ClipFormat, std::string> data) {
    contents = std::move(data);
    owned = false;
    UpdatePasteCommands();
  }
  void PutText(const std::string& utf8) { Put({{ClipFormat::Text, utf8}}); }

  std::map<ClipFormat, std::string> contents;
  bool available = true;
  bool refuse = false;
  bool owned = false;
};

}  // namespace quoxa::test
