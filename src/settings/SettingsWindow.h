#pragma once
// What reading and writing the main window's settings and the Options dialog need
// from the main window. TFormMain implements it; tests use a fake.

#include <string>

namespace quoxa {

class ISettingsWindow {
 public:
  virtual ~ISettingsWindow() = default;

  // Screen the window is on.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  virtual int ScreenPpi() const = 0;

  // Outer geometry of the window and its state: 0 normal, 1 minimised, 2 maximised.
  virtual int WindowLeft() const = 0;
  virtual int WindowTop() const = 0;
  virtual int WindowWidth() const = 0;
  virtual int WindowHeight() const = 0;
  // The frame's left edge and title bar as the window manager draws them; 0 while the window
  // is not framed.
  virtual int FrameLeft() const = 0;
  virtual int FrameTop() const = 0;
  // Puts the outer corner at left, top. A window not framed yet is placed by its client
  // area, frameLeft and frameTop (the frame as it was when the corner was stored) in.
  virtual void MoveWindow(int left, int top, int frameLeft, int frameTop) = 0;
  virtual int WindowState() const = 0;
  virtual void SetWindowState(int state) = 0;

  // Grid layout. PlaceGrids applies Options().TextGridLeft.
  virtual void PlaceGrids() = 0;
  virtual void SetToolBarHidden(bool hide, bool relayout) = 0;
  virtual void SetAddressColumnHidden(bool hide, bool relayout) = 0;
  // Font of the three grids (the text grid's font is the one reported).
  virtual std::string FontName() const = 0;
  virtual int FontSize() const = 0;
  virtual void ApplyFont(const std::string& name) = 0;
  virtual void ApplyFontSize(int size) = 0;
  // Lays the grids out for cols x rows; the window's size follows.
  virtual void SetGridSize(int cols, int rows) = 0;
  // The most byte columns and rows that fit on the screen at the current font.
  virtual int MaxGridCols() const = 0;
  virtual int MaxGridRows() const = 0;

  // The same operations as the menu commands "&Text mode" and "O&verwrite".
  virtual void SetTextMode(bool on) = 0;
  virtual void SetOverwriteMode(bool on) = 0;

  // Count of the recently used files list ("&Reopen").
  virtual int RecentFileCount() const = 0;
  virtual void SetRecentFileCount(int count) = 0;

  // Character conversion table in force; false when the file could not be loaded.
  virtual bool LoadConversionTable(const std::string& path) = 0;
  virtual void UseBuiltinConversionTable() = 0;

  // After a change of the address base.
  virtual void RebuildBookmarkMenu() = 0;
  virtual void ShowAllAddressCells() = 0;
};

}  // namespace quoxa
