#pragma once
// The main window's side of reading and writing its settings and of the Options
// dialog: TFormMain's layout operations and the recently used files list.

#include "settings/SettingsWindow.h"

namespace quoxa {

class TFormMain;
class TMRUFiles;

class TMainWindowSettings final : public ISettingsWindow {
 public:
  TMainWindowSettings(TFormMain& window, TMRUFiles& recentFiles) : window_(window), recentFiles_(recentFiles) {}

  int ScreenWidth() const override;
  int ScreenHeight() const override;
  int ScreenPpi() const override;
  int WindowLeft() const override;
  int WindowTop() const override;
  int WindowWidth() const override;
  int WindowHeight() const override;
  int FrameLeft() const override;
  int FrameTop() const override;
  void MoveWindow(int left, int top, int frameLeft, int frameTop) override;
  int WindowState() const override;
  void SetWindowState(int state) override;
  void PlaceGrids() override;
  void SetToolBarHidden(bool hide, bool relayout) override;
  void SetAddressColumnHidden(bool hide, bool relayout) override;
  std::string FontName() const override;
  int FontSize() const override;
  void ApplyFont(const std::string& name) override;
  void ApplyFontSize(int size) override;
  void SetGridSize(int cols, int rows) override;
  int MaxGridCols() const override;
  int MaxGridRows() const override;
  void SetTextMode(bool on) override;
  void SetOverwriteMode(bool on) override;
  int RecentFileCount() const override;
  void SetRecentFileCount(int count) override;
  bool LoadConversionTable(const std::string& path) override;
  void UseBuiltinConversionTable() override;
  void RebuildBookmarkMenu() override;
  void ShowAllAddressCells() override;

 private:
  TFormMain& window_;
  TMRUFiles& recentFiles_;
};

}  // namespace quoxa
