#include "ui/main/MainWindowSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "core/Commands.h"
#include "core/DocState.h"
#include "edit/BookmarkCommands.h"
#include "settings/FormPlacement.h"
#include "settings/MRUFiles.h"
#include "tools/ConversionTable.h"
#include "ui/main/FormMain.h"
#include "ui/main/GridView.h"

namespace quoxa {

namespace {

// Frame sizes from the settings file beyond this are not a window manager's.
constexpr int kMaxFrame = 200;

QRect ScreenRect(const QWidget& window, bool available) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return QRect(0, 0, 1024, 768);
  return available ? screen->availableGeometry() : screen->geometry();
}

// Outer top-left corner of the window in its normal (not maximised) state.
QPoint NormalCorner(const QWidget& window) {
  if (!window.isMaximized() && !window.isMinimized()) return window.pos();
  const QPoint frameOffset = window.geometry().topLeft() - window.pos();
  return window.normalGeometry().topLeft() - frameOffset;
}

}  // namespace

int TMainWindowSettings::ScreenWidth() const { return ScreenRect(window_, false).width(); }
int TMainWindowSettings::ScreenHeight() const { return ScreenRect(window_, false).height(); }

int TMainWindowSettings::ScreenPpi() const {
  const QScreen* screen = window_.screen();
  return screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
}

int TMainWindowSettings::WindowLeft() const { return NormalCorner(window_).x() - ScreenRect(window_, false).x(); }
int TMainWindowSettings::WindowTop() const { return NormalCorner(window_).y() - ScreenRect(window_, false).y(); }
int TMainWindowSettings::WindowWidth() const { return window_.frameGeometry().width(); }
int TMainWindowSettings::WindowHeight() const { return window_.frameGeometry().height(); }

int TMainWindowSettings::FrameLeft() const { return WindowFrame(&window_).left(); }
int TMainWindowSettings::FrameTop() const { return WindowFrame(&window_).top(); }

void TMainWindowSettings::MoveWindow(int left, int top, int frameLeft, int frameTop) {
  const QRect screen = ScreenRect(window_, false);
  // Until the window manager frames the window, a move places its client area: without the
  // frame's size the window would climb by its title bar at every start.
  const bool framed = FrameLeft() != 0 || FrameTop() != 0;
  const int inLeft = framed ? 0 : std::clamp(frameLeft, 0, kMaxFrame);
  const int inTop = framed ? 0 : std::clamp(frameTop, 0, kMaxFrame);
  window_.move(screen.x() + left + inLeft, screen.y() + top + inTop);
}

int TMainWindowSettings::WindowState() const {
  if (window_.isMinimized()) return 1;
  if (window_.isMaximized()) return 2;
  return 0;
}

void TMainWindowSettings::SetWindowState(int state) {
  const Qt::WindowStates others = window_.windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
  window_.setWindowState(state == 2 ? (others | Qt::WindowMaximized) : others);
}

void TMainWindowSettings::PlaceGrids() { window_.PlaceGrids(); }

void TMainWindowSettings::SetToolBarHidden(bool hide, bool relayout) { window_.SetToolBarHidden(hide, relayout); }

void TMainWindowSettings::SetAddressColumnHidden(bool hide, bool relayout) {
  window_.SetAddressColumnHidden(hide, relayout);
}

std::string TMainWindowSettings::FontName() const { return window_.Grids()->GridFont().family().toStdString(); }
int TMainWindowSettings::FontSize() const { return window_.Grids()->GridFont().pointSize(); }
void TMainWindowSettings::ApplyFont(const std::string& name) { window_.ApplyFont(QString::fromStdString(name)); }
void TMainWindowSettings::ApplyFontSize(int size) { window_.ApplyFontSize(size); }
void TMainWindowSettings::SetGridSize(int cols, int rows) { window_.SetGridSize(cols, rows); }

// The window grows by one cell step per column or row, so what fits follows from the current size.
int TMainWindowSettings::MaxGridCols() const {
  const TCellSizes& cells = window_.Grids()->CellSizes();
  const int step = std::max(1, cells.hexColWidth + cells.textColWidth + 2 * cells.gridLine);
  return Doc().BytesPerRow + (ScreenRect(window_, true).width() - WindowWidth()) / step;
}

int TMainWindowSettings::MaxGridRows() const {
  const TCellSizes& cells = window_.Grids()->CellSizes();
  const int step = std::max(1, cells.rowHeight + cells.gridLine);
  return Doc().VisibleRows + (ScreenRect(window_, true).height() - WindowHeight()) / step;
}

void TMainWindowSettings::SetTextMode(bool on) {
  if (Doc().TextMode != on) window_.ToggleTextMode();
}

void TMainWindowSettings::SetOverwriteMode(bool on) {
  if (Doc().OverwriteMode != on) window_.ToggleOverwriteMode();
}

int TMainWindowSettings::RecentFileCount() const { return recentFiles_.FileCount(); }
void TMainWindowSettings::SetRecentFileCount(int count) { recentFiles_.SetFileCount(count); }

bool TMainWindowSettings::LoadConversionTable(const std::string& path) {
  if (!quoxa::LoadConversionTable(path)) return false;
  ConversionTableFile = path;
  return true;
}

void TMainWindowSettings::UseBuiltinConversionTable() {
  ResetConversionTable();
  ConversionTableFile.clear();
}

void TMainWindowSettings::RebuildBookmarkMenu() { RefreshBookmarkMenu(); }

void TMainWindowSettings::ShowAllAddressCells() { window_.Grids()->ShowAllAddressCells(); }

}  // namespace quoxa
