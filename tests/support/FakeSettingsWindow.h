#pragma once
// A main window stand-in for settings tests: holds its geometry and font, keeps
// the modes in the document state as the real window does, and logs every call.

#include <string>
#include <vector>

#include "core/DocState.h"
#include "settings/SettingsWindow.h"

namespace quoxa::test {

class FakeSettingsWindow final : public ISettingsWindow {
 public:
  int screenWidth = 1280;
  int screenHeight = 1024;
  int ppi = 96;
  int left = 40;
  int top = 30;
  int width = 700;
  int height = 500;
  int state = 0;
  std::string fontName = "Courier New";
  int fontSize = 8;
  int frameLeft = 0;
  int frameTop = 0;
  int maxCols = 60;
  int maxRows = 50;
  int recentCount = 5;
  bool tableLoads = true;
  std::vector<std::string> log;

  int ScreenWidth() const override { return screenWidth; }
  int ScreenHeight() const override { return screenHeight; }
  int ScreenPpi() const override { return ppi; }
  int WindowLeft() const override { return left; }
  int WindowTop() const override { return top; }
  int WindowWidth() const override { return width; }
  int WindowHeight() const override { return height; }
  int FrameLeft() const override { return frameLeft; }
  int FrameTop() const override { return frameTop; }
  void MoveWindow(int newLeft, int newTop, int inLeft, int inTop) override {
    left = newLeft;
    top = newTop;
    Log("MoveWindow " + std::to_string(newLeft) + "," + std::to_string(newTop) + " frame " + std::to_string(inLeft) +
        "," + std::to_string(inTop));
  }
  int WindowState() const override { return state; }
  void SetWindowState(int newState) override {
    state = newState;
    Log("SetWindowState " + std::to_string(newState));
  }
  void PlaceGrids() override { Log("PlaceGrids"); }
  void SetToolBarHidden(bool hide, bool relayout) override {
    Log("SetToolBarHidden " + Flags(hide, relayout));
  }
  void SetAddressColumnHidden(bool hide, bool relayout) override {
    Log("SetAddressColumnHidden " + Flags(hide, relayout));
  }
  std::string FontName() const override { return fontName; }
  int FontSize() const override { return fontSize; }
  void ApplyFont(const std::string& name) override {
    fontName = name;
    Log("ApplyFont " + name);
  }
  void ApplyFontSize(int size) override {
    fontSize = size;
    Log("ApplyFontSize " + std::to_string(size));
  }
  void SetGridSize(int cols, int rows) override {
    SetPageGeometry(cols, rows);
    // The window's size follows the grid, as in the real one.
    width = 100 + cols * 30;
    height = 120 + rows * 16;
    Log("SetGridSize " + std::to_string(cols) + "," + std::to_string(rows));
  }
  int MaxGridCols() const override { return maxCols; }
  int MaxGridRows() const override { return maxRows; }
  void SetTextMode(bool on) override {
    Doc().TextMode = on;
    Log(std::string("SetTextMode ") + (on ? "1" : "0"));
  }
  void SetOverwriteMode(bool on) override {
    Doc().OverwriteMode = on;
    Log(std::string("SetOverwriteMode ") + (on ? "1" : "0"));
  }
  int RecentFileCount() const override { return recentCount; }
  void SetRecentFileCount(int count) override {
    recentCount = count;
    Log("SetRecentFileCount " + std::to_string(count));
  }
  bool LoadConversionTable(const std::string& path) override {
    Log("LoadConversionTable " + path);
    return tableLoads;
  }
  void UseBuiltinConversionTable() override { Log("UseBuiltinConversionTable"); }
  void RebuildBookmarkMenu() override { Log("RebuildBookmarkMenu"); }
  void ShowAllAddressCells() override { Log("ShowAllAddressCells"); }

 private:
  static std::string Flags(bool a, bool b) { return std::string(a ? "1" : "0") + "," + (b ? "1" : "0"); }
  void Log(const std::string& entry) { log.push_back(entry); }
};

}  // namespace quoxa::test
