// The settings file as a stranger may hand it over: every reader of the store, the
// main window's settings, window placement and the lists, on arbitrary bytes, and
// the store's rewriting of such a file (kept in memory).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "FakeSettingsWindow.h"
#include "core/Messages.h"
#include "settings/ChecksumChoice.h"
#include "settings/HistoryList.h"
#include "settings/IniFile.h"
#include "settings/Placement.h"
#include "settings/RecentList.h"
#include "settings/Settings.h"

namespace {

using namespace quoxa;

class SilentMessages final : public IMessages {
 public:
  int Message(const MessageRequest&) override { return mrOK; }
  bool Input(const InputRequest&, std::string&) override { return false; }
  bool List(ListRequest&, int&) override { return false; }
};

class Columns final : public IColumnOwner {
 public:
  std::string Name() const override { return "ListViewFiles"; }
  int Tag() const override { return 0; }
  int ColumnCount() const override { return 4; }
  int ColumnWidth(int col) const override { return widths[col]; }
  void SetColumnWidth(int col, int width) override { widths[col] = width; }
  int widths[4] = {};
};

class Form final : public IPlacedForm {
 public:
  std::string SectionName() const override { return "TFormScript"; }
  int ScreenWidth() const override { return 1280; }
  int ScreenHeight() const override { return 1024; }
  TRect Bounds() const override { return bounds; }
  void SetBounds(const TRect& b) override { bounds = b; }
  int State() const override { return state; }
  void SetState(int s) override { state = s; }
  bool Sizeable() const override { return true; }
  std::vector<std::unique_ptr<IColumnOwner>> ColumnOwners() override {
    std::vector<std::unique_ptr<IColumnOwner>> owners;
    owners.push_back(std::make_unique<Columns>());
    return owners;
  }
  TRect bounds{10, 10, 300, 200};
  int state = 0;
};

// One file per fuzzing process, so that parallel jobs do not share it.
const std::string& InputPath() {
  static const std::string path = [] {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string p = std::string(dir) + "/quoxa-fuzz-" + std::to_string(getpid()) + ".ini";
    setenv("QUOXA_INI", p.c_str(), 1);
    static SilentMessages messages;
    InstallMessages(&messages);
    // Rewrites are checked in memory; the disk is no part of the reader.
    InstallIniReplacer([](const std::string&, const std::string&) { return true; });
    return p;
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = InputPath();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  TIniFile ini(path);
  // Straight from the file once; then through a batch, which reads it only once more.
  ini.ReadString("Options", "Font", "");
  TIniBatch batch(path);
  for (const std::string& section : ini.ReadSections()) {
    for (const auto& [key, value] : ini.ReadSectionValues(section)) {
      ini.ReadInteger(section, key, 0);
      ini.KeyExists(section, key);
      ParseColumnWidths(value, 64);
    }
  }

  test::FakeSettingsWindow window;
  ReadSettings(window);
  Form form;
  RestoreFormPlacement(form, "");
  TRecentList recent;
  recent.Load(ini, "MRU Files");
  TFavoriteList favorites;
  favorites.Load(ini, "Favorites");
  THistoryList history;
  history.Load(ini, "QZHistoryFindT");
  for (const std::string& key : ReadChecksumChoice()) {
    if (key.empty() || key.find(',') != std::string::npos) std::abort();
  }

  // Rewriting a strange file keeps every other line as it was.
  ini.WriteString("Options", "Cols", "17");
  history.Save(ini, "QZHistoryFindT");
  ini.EraseSection("display");
  WriteSettings(window);
  return 0;
}
