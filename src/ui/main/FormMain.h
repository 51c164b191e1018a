#pragma once
// The main window: menu, tool bar, the grid area and the status bar. It owns the
// document for the life of the program and shows it through the view seam.

#include <QMainWindow>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "core/Busy.h"
#include "core/Commands.h"
#include "core/View.h"
#include "ui/main/DocumentCommands.h"
#include "ui/main/GridLayout.h"
#include "ui/main/SizeRequests.h"

class QToolBar;
class QVBoxLayout;

namespace quoxa {

class TCompareView;
class TDocumentTabs;
class TGridKeyBinding;
class TGridKeys;
class TGridView;
class TMainWindowSettings;
class TMRUFiles;
class TMainMenu;
class TQZStrGrid;
class TScriptCommands;
class TStatusPanels;
class TDockInspector;

class TFormMain : public QMainWindow, public IView, public IBusy, public IDocumentHost {
  Q_OBJECT

 public:
  // arguments: the program's command line without the program name.
  explicit TFormMain(const QStringList& arguments = {}, QWidget* parent = nullptr);
  ~TFormMain() override;

  // The first activation's work (settings, document block, command-line file); runs once.
  void EnsureStarted();

  // IView
  void RepaintFrom(int32_t col, int32_t row) override;
  void UpdateStatus() override;
  void MoveGridCursor(int32_t col, int32_t row) override;
  void RepaintGrids() override;
  void Notify(const std::string& text) override;

  // IBusy
  void Begin(const std::string& text) override;
  void End() override;

  // IDocumentHost
  FileAnswer AskFileName(const FileQuestion& question) override;
  void SetCaption(const std::string& caption) override;
  void ShowNote(const std::string& text) override;
  void ClearGrids() override;
  void ShowDocumentView(bool shown) override;
  void AddRecentFile(const std::string& path) override;
  void DocumentsChanged() override;
  void ShowActiveDocument() override;

  // Opens files in tabs of this window and brings it to the front (another start of the
  // program hands its files over this way).
  void OpenFiles(const QStringList& paths);

  // View operations of the layout.
  void SetGridSize(int cols, int rows);
  void ApplyFont(const QString& family);
  void ApplyFontSize(int pointSize);
  void SetToolBarHidden(bool hide, bool relayout);
  void SetAddressColumnHidden(bool hide, bool relayout);
  void PlaceGrids();

  void ToggleTextMode();
  void ToggleOverwriteMode();

  // Runs a menu command or tool button.
  void RunCommand(Cmd cmd);

  TDocumentCommands& Documents() { return *documents_; }
  TDocumentTabs* Tabs() const { return tabs_; }
  TGridView* Grids() const { return grids_; }
  // The key handling of the hex and text grids.
  TGridKeys& Keys();
  TQZStrGrid* QZStrGridAddr() const;
  TQZStrGrid* QZStrGridHex() const;
  TQZStrGrid* QZStrGridText() const;
  TStatusPanels* Panels() const { return panels_; }
  TDockInspector* Inspector() const { return inspector_; }
  TCompareView* Compare() const { return compare_; }
  // Shows the data inspector focused, or hides it and gives the focus back to the grid.
  void ToggleInspector();
  TMainMenu* Menu() const { return menu_; }
  TScriptCommands& Scripts() const { return *scripts_; }
  QToolBar* ToolBar() const { return toolBar_; }
  std::string PanelText(int panel) const;

  // Replaces the file dialog (tests answer it themselves).
  void SetFileQuestionHandler(std::function<FileAnswer(const FileQuestion&)> handler) {
    fileQuestion_ = std::move(handler);
  }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ReadSettings();
  // Lays the window out for a grid of cols x rows, keeping the cursor where it is.
  void LayoutWindow(int cols, int rows);
  // A file dropped with Ctrl on a grid: its bytes go in before the byte under the drop.
  bool InsertDroppedFile(const QPoint& windowPos, const std::string& path);
  // The grid that takes the keys: the compare view's while it is shown, else the active one.
  QWidget* KeyGrid() const;
  void ApplyCommandLine();
  TWindowChrome Chrome() const;
  void SnapToCells();
  // Resizes the window to the laid-out size, remembering the request.
  void ResizeToLayout();
  void ShowAbout();
  void ShowContextHelp();
  void SetupContextHelp();
  void SetupInspector();
  void SetupCompare(QVBoxLayout* column);

  QStringList arguments_;
  TGridView* grids_;
  TStatusPanels* panels_;
  QToolBar* toolBar_;
  TMainMenu* menu_ = nullptr;
  TDocumentTabs* tabs_ = nullptr;
  TGridKeyBinding* keyBinding_ = nullptr;
  TMRUFiles* recentFiles_ = nullptr;
  TScriptCommands* scripts_ = nullptr;
  TDockInspector* inspector_ = nullptr;
  TCompareView* compare_ = nullptr;
  std::unique_ptr<TMainWindowSettings> settings_;
  std::unique_ptr<TDocumentCommands> documents_;
  std::function<FileAnswer(const FileQuestion&)> fileQuestion_;
  bool started_ = false;
  bool applyingSize_ = false;
  bool snapPending_ = false;
  TSizeRequests sizeRequests_;
  // Runs while the window manager's answers to the program's size requests come in.
  QTimer* sizeSettling_ = nullptr;
  int busyDepth_ = 0;
};

}  // namespace quoxa
