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
  bool Read(ClipFormat format, TClipData& data) const override {
    const auto it = contents.find(format);
    if (it == contents.end()) return false;
    // Lent out as the desktop's clipboard lends its own buffer to the program that filled it.
    data = {nullptr, it->second};
    return true;
  }
  bool Write(ClipFormat format, std::initializer_list<std::string_view> parts) override {
    if (refuse) return false;
    // One copy, as the desktop's clipboard keeps.
    std::string data;
    size_t size = 0;
    for (std::string_view part : parts) size += part.size();
    data.reserve(size);
    for (std::string_view part : parts) data += part;
    contents.clear();
    contents.emplace(format, std::move(data));
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
  // Text another program holds only as Unicode characters.
  void PutText(const std::string& utf8) { Put({{ClipFormat::Unicode, utf8}}); }

  std::map<ClipFormat, std::string> contents;
  bool available = true;
  bool refuse = false;
  bool owned = false;
};

}  // namespace quoxa::test
