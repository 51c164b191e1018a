#include "ui/main/FormMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWhatsThis>
#include <algorithm>

#include "core/Block.h"
#include "core/DocState.h"
#include "core/Help.h"
#include "core/HelpTopics.h"
#include "core/Journal.h"
#include "core/MemoryPolicy.h"
#include "core/Messages.h"
#include "core/Navigation.h"
#include "core/Primitives.h"
#include "core/Progress.h"
#include "core/View.h"
#include "core/StopSignal.h"
#include "core/TextFormat.h"
#include "edit/BlockDialogs.h"
#include "edit/BookmarkCommands.h"
#include "edit/ClipboardCommands.h"
#include "edit/GotoDialogs.h"
#include "edit/QtClipboard.h"
#include "print/PrintCommand.h"
#include "script/ScriptCommands.h"
#include "script/ScriptFile.h"
#include "script/ScriptRun.h"
#include "search/SearchDialogs.h"
#include "settings/IniFile.h"
#include "settings/MRUFiles.h"
#include "settings/Options.h"
#include "settings/Settings.h"
#include "settings/SettingsPath.h"
#include "tools/DataDialogs.h"
#include "tools/FormCharTable.h"
#include "tools/StatisticsCommands.h"
#include "tools/CursorValuesDock.h"
#include "tools/ToolDialogs.h"
#include "ui/main/BookmarkMenu.h"
#include "ui/main/DocumentTabs.h"
#include "ui/main/FormAbout.h"
#include "ui/main/FormOpt.h"
#include "ui/main/GridKeyBinding.h"
#include "ui/main/CompareGrid.h"
#include "ui/main/CompareView.h"
#include "ui/main/GridView.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/MainMenu.h"
#include "ui/main/MainWindowSettings.h"
#include "ui/main/QZScrollBar.h"
#include "ui/main/QZStrGrid.h"
#include "ui/main/StatusPanels.h"
#include "ui/main/ViewTexts.h"
#include "widgets/FileDialogs.h"
#include "widgets/ModalFocus.h"
#include "widgets/QtMessages.h"

namespace quoxa {

namespace {

// Largest grid the layout accepts from stored settings.
constexpr int kMaxGridCells = 1024;
// The files of the drag over the window.
constexpr const char* kDraggedUrls = "draggedUrls";

}  // namespace

TFormMain::TFormMain(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      arguments_(arguments),
      grids_(new TGridView(this)),
      panels_(new TStatusPanels(this)),
      toolBar_(new QToolBar("Tool bar", this)) {
  setObjectName("FormMain");
  setWindowTitle(kCaption);
  sizeSettling_ = new QTimer(this);
  sizeSettling_->setSingleShot(true);
  sizeSettling_->setInterval(400);
  connect(sizeSettling_, &QTimer::timeout, this, [this] {
    if (started_) SnapToCells();
  });
  setContextMenuPolicy(Qt::PreventContextMenu);
  setStatusBar(panels_);
  toolBar_->setObjectName("ToolBar");
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setIconSize(QSize(16, 16));
  addToolBar(Qt::TopToolBarArea, toolBar_);

  documents_ = std::make_unique<TDocumentCommands>(*this);
  menu_ = new TMainMenu(this, menuBar(), toolBar_, [this](Cmd cmd) { RunCommand(cmd); });
  Commands().SetListener([this](Cmd cmd) { menu_->Mirror(cmd); });
  new TBookmarkMenu(menu_, this);
  auto* windowMenu = new QMenu("&Window", this);
  menuBar()->insertMenu(menu_->Menu(MenuId::Help)->menuAction(), windowMenu);
  tabs_ = new TDocumentTabs(*documents_, windowMenu, this, [this] { RunCommand(Cmd::Close); });
  // The tabs above the grids.
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(tabs_->Bar());
  column->addWidget(grids_, 1);
  SetupCompare(column);
  setCentralWidget(central);
  recentFiles_ = new TMRUFiles(this);
  recentFiles_->SetFileMenu(menu_->SubMenu(Cmd::Reopen));
  connect(recentFiles_, &TMRUFiles::MRUItemClick, this,
          [this](const QString& path) { documents_->OpenInTab(path.toStdString(), false, true); });
  recentFiles_->Load();
  settings_ = std::make_unique<TMainWindowSettings>(*this, *recentFiles_);
  scripts_ = new TScriptCommands(this, arguments);
  InstallView(this);
  InstallBusy(this);
  InstallHelp([](int topic) { OpenHelpWindow(topic); });
  new TQtClipboard(this);

  keyBinding_ = new TGridKeyBinding(
      grids_, [this] { ToggleTextMode(); }, [this] { ToggleOverwriteMode(); }, this);
  TQZScrollBar* scroll = grids_->ScrollBar();
  scroll->OnScroll = [this, scroll](ScrollCode code, int64_t& position) {
    if (code != ScrollCode::EndScroll) {
      panels_->SetPanelText(3, kScrollingText);
      return;
    }
    panels_->SetPanelText(3, "");
    if (!Doc().ViewReady || Doc().DocSize == 0) return;
    ScrollViewTo(scroll->Position());
    position = scroll->Position();
  };

  Commands().SetChecked(Cmd::TextModeCheck, Doc().TextMode);
  Commands().SetChecked(Cmd::OverwriteCheck, Doc().OverwriteMode);
  panels_->SetPanelText(2, ModePanelText(Doc().OverwriteMode));
  setAcceptDrops(true);
  SetupContextHelp();
  SetupInspector();
  new TModalFocus(this, [this]() -> QWidget* {
    QWidget* inspector = inspector_->FocusAfterMessage();
    return inspector != nullptr ? inspector : KeyGrid();
  });

  grids_->ApplyFontSize(grids_->GridFont().pointSize());
  grids_->SetTextMode(Doc().TextMode);
  SetGridSize(Doc().BytesPerRow, Doc().VisibleRows);
  documents_->ShowNoDocument();
}

TFormMain::~TFormMain() {
  Commands().SetListener(nullptr);
  InstallView(nullptr);
  InstallBusy(nullptr);
  InstallHelp(nullptr);
  if (THelpWindow* help = CurrentHelpWindow()) help->close();
}

TGridKeys& TFormMain::Keys() { return keyBinding_->Keys(); }

TQZStrGrid* TFormMain::QZStrGridAddr() const { return grids_->QZStrGridAddr(); }
TQZStrGrid* TFormMain::QZStrGridHex() const { return grids_->QZStrGridHex(); }
TQZStrGrid* TFormMain::QZStrGridText() const { return grids_->QZStrGridText(); }

std::string TFormMain::PanelText(int panel) const { return panels_->PanelText(panel); }

// ---- start-up and shut-down

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!started_) QTimer::singleShot(0, this, &TFormMain::EnsureStarted);
}

void TFormMain::EnsureStarted() {
  // Asked to end before it began: nothing is opened or run, and the settings stay as they are.
  if (started_ || StopSignal() != 0) return;
  started_ = true;
  ReadSettings();
  RegisterClipboardFormat();
  if (Doc().DocBuffer == nullptr && !AllocDocument()) {
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return;
  }
  ApplyCommandLine();
  // A run without anyone to answer is never held up by questions about other files.
  if (arguments_.size() < 2 || !IsScriptSwitch(arguments_[1].toStdString())) {
    documents_->OfferRecoveries();
  }
}

void TFormMain::ReadSettings() {
  quoxa::ReadSettings(*settings_);
  inspector_->LoadSettings();
}

void TFormMain::ApplyCommandLine() {
  if (arguments_.isEmpty()) return;
  const bool batch = arguments_.size() >= 2 && IsScriptSwitch(arguments_[1].toStdString());
  if (batch) {
    const std::string name = arguments_.front().toStdString();
    std::string longForm;
    Doc().ReadOnly = false;
    documents_->OpenFileByName(LongPathForm(name, longForm) ? longForm : name, false);
    scripts_->StartBatch();
    return;
  }
  // Without a script every argument is a file, each in a tab of its own.
  OpenFiles(arguments_);
  documents_->Activate(0);
}

void TFormMain::OpenFiles(const QStringList& paths) {
  for (const QString& path : paths) {
    const std::string name = path.toStdString();
    std::string longForm;
    documents_->OpenInTab(LongPathForm(name, longForm) ? longForm : name, false);
  }
}

void TFormMain::closeEvent(QCloseEvent* event) {
  // A command at work owns the document until it ends; the window closes after it.
  if (CurrentProgressBox() != nullptr || IsBusy()) {
    event->ignore();
    return;
  }
  // Nobody answers for a batch run that a signal stopped, nor without a display.
  if (!documents_->QuerySaveAll(!BatchMode && PlatformHasUser())) {
    event->ignore();
    return;
  }
  // The compare shows no document whose block is given back.
  compare_->Close();
  documents_->ReleaseAll();
  Doc().ViewReady = false;
  {
    // Everything closing stores reaches the settings file in one write.
    TIniBatch settingsWrite(SettingsFilePath());
    recentFiles_->Save();
    // Settings never read (closed before the first activation) are not written over.
    if (started_) {
      // Before WriteSettings, which commits the whole batch.
      inspector_->SaveSettings();
      WriteSettings(*settings_);
    }
  }
  OfferToEmptyClipboard();
  // The program ends with its main window, also while the help is open.
  if (THelpWindow* help = CurrentHelpWindow()) help->close();
  event->accept();
}

// ---- commands

void TFormMain::RunCommand(Cmd cmd) {
  if (cmd == Cmd::Undo || cmd == Cmd::Redo) {
    cmd == Cmd::Undo ? UndoCommand() : RedoCommand();
    return;
  }
  // Every script run in the script window is an undo step of its own.
  if (cmd == Cmd::ScriptEditor || cmd == Cmd::ScriptExecute) {
    scripts_->Run(cmd);
    return;
  }
  // Whatever a command changes is one undo step.
  JournalStep step;
  switch (cmd) {
    case Cmd::New:
    case Cmd::BtnNew: documents_->New(); break;
    case Cmd::Open:
    case Cmd::BtnOpen: documents_->Open(); break;
    case Cmd::Save:
    case Cmd::BtnSave: documents_->Save(); break;
    case Cmd::SaveAs: documents_->SaveAsDialog(); break;
    case Cmd::Close: documents_->CloseDocument(); break;
    case Cmd::InsertFile: documents_->InsertFile(); break;
    case Cmd::ExportAs: RunExportCommand(this, *this); break;
    case Cmd::Import:
      if (documents_->QuerySave()) {
        if (const std::optional<TImportedFile> file = RunImportCommand(this, *this)) {
          documents_->ShowImported(file->image.bytes, file->image.origin, file->path);
        }
      }
      break;
    case Cmd::Print: RunPrintCommand(this); break;
    case Cmd::CompareWith: compare_->Start(*this); break;
    case Cmd::Exit: close(); break;
    case Cmd::BlockMark:
      if (Doc().ViewReady && Doc().DocSize > 0) MarkBlock(false, true);
      break;
    case Cmd::BlockUnmark: UnmarkBlock(); break;
    case Cmd::DeleteFromCursor: DeleteFromCursor(); break;
    case Cmd::DeleteToCursor: DeleteToCursor(); break;
    case Cmd::TextModeCheck: ToggleTextMode(); break;
    case Cmd::OverwriteCheck: ToggleOverwriteMode(); break;
    case Cmd::OptionsDialog:
    case Cmd::BtnOptions: {
      TFormOpt options(*settings_, this);
      options.exec();
      break;
    }
    case Cmd::HelpContents: ShowHelpTopic(help::kContents); break;
    case Cmd::About:
    case Cmd::BtnInfo: ShowAbout(); break;
    case Cmd::BtnWhats: QWhatsThis::enterWhatsThisMode(); break;
    case Cmd::Find:
    case Cmd::BtnFind:
    case Cmd::FindDown:
    case Cmd::FindUp:
    case Cmd::Count:
    case Cmd::Replace:
    case Cmd::BtnReplace:
    case Cmd::ReplaceAgain:
    case Cmd::ReplaceUndo:
    case Cmd::Strings: RunSearchCommand(this, cmd); break;
    case Cmd::Cut:
    case Cmd::BtnCut:
    case Cmd::Copy:
    case Cmd::BtnCopy:
    case Cmd::Paste:
    case Cmd::BtnPaste:
    case Cmd::CopyHex:
    case Cmd::PasteHex: RunClipboardCommand(cmd); break;
    case Cmd::DecodeNumber:
    case Cmd::EncodeNumber:
    case Cmd::BitManipulation:
    case Cmd::Patch:
    case Cmd::Checksums: RunToolCommand(this, cmd); break;
    case Cmd::Statistics:
    case Cmd::EntropyMap: RunStatisticsCommand(this, cmd); break;
    case Cmd::BlockDelete:
    case Cmd::BtnDel:
    case Cmd::BlockCopy:
    case Cmd::BlockCopyOverwrite:
    case Cmd::BlockMove:
    case Cmd::BlockChars:
    case Cmd::WriteBlock:
    case Cmd::InsertString:
    case Cmd::OverwriteString: RunBlockCommand(this, *this, cmd); break;
    case Cmd::CharConversion: RunCharConversion(this); break;
    case Cmd::Goto: case Cmd::JumpWidthDialog: case Cmd::JumpDown: case Cmd::JumpUp: case Cmd::RememberAddress:
    case Cmd::GotoRemembered: case Cmd::DisplayDifference: RunGotoCommand(this, cmd); break;
    case Cmd::BookmarkAdd: case Cmd::BookmarkRemove: case Cmd::BookmarkRemoveAll: case Cmd::BookmarkSave:
    case Cmd::BookmarkLoad: case Cmd::Bookmark1: case Cmd::Bookmark2: case Cmd::Bookmark3: case Cmd::Bookmark4:
    case Cmd::Bookmark5: case Cmd::Bookmark6: case Cmd::Bookmark7: case Cmd::Bookmark8:
    case Cmd::Bookmark9: RunBookmarkCommand(*this, cmd); break;
    default: break;
  }
}

void TFormMain::ToggleTextMode() {
  Doc().TextMode = !Doc().TextMode;
  Commands().SetChecked(Cmd::TextModeCheck, Doc().TextMode);
  grids_->SetTextMode(Doc().TextMode);
  // While the compare is shown its grid keeps the keys, not the hidden grid of the mode.
  if (compare_ != nullptr && compare_->Active()) KeyGrid()->setFocus(Qt::OtherFocusReason);
  UpdateStatus();
  RefreshBookmarkMenu();
}

void TFormMain::ToggleOverwriteMode() {
  Doc().OverwriteMode = !Doc().OverwriteMode;
  Commands().SetChecked(Cmd::OverwriteCheck, Doc().OverwriteMode);
  panels_->SetPanelText(2, ModePanelText(Doc().OverwriteMode));
}

void TFormMain::ShowAbout() {
  TFormAbout about(this);
  about.exec();
}

// ---- view seam

void TFormMain::RepaintFrom(int32_t col, int32_t row) {
  grids_->RepaintFrom(col, row);
  if (inspector_ != nullptr) inspector_->DocumentOrCursorChanged();
}

void TFormMain::UpdateStatus() {
  if (compare_ != nullptr) compare_->Refresh();
  // The entropy map marks the page wherever the view went.
  StatisticsFollowView();
  if (inspector_ != nullptr) inspector_->DocumentOrCursorChanged();
  TQZScrollBar* scroll = grids_->ScrollBar();
  if (!Doc().ViewReady || Doc().DocSize == 0 || Doc().DocBuffer == nullptr) {
    panels_->SetPanelText(0, "");
    panels_->SetPanelText(1, "");
    scroll->SetParams(0, 0, 0, 0);
    QZStrGridAddr()->MoveTo(0, 0);
    return;
  }
  // A document past 4 GiB takes a wider address column and address panel.
  const int64_t lastAddress = DisplayAddress(Doc().DocSize);
  panels_->FitAddressPanel(lastAddress);
  if (grids_->SetAddressDigits(AddressDigitsFor(lastAddress))) SetGridSize(Doc().BytesPerRow, Doc().VisibleRows);
  // The modified mark of the tab follows every edit.
  if (tabs_ != nullptr && tabs_->Bar()->isVisible()) tabs_->Refresh();
  const int64_t p = CursorAddress();
  panels_->SetPanelText(0, AddressPanelText(Doc().TextMode, DisplayAddress(p)));
  panels_->SetPanelText(1, p >= 1 && p <= Doc().DocSize ? CharPanelText(GetByte(p)) : "");
  scroll->SetParams(p, 1, Doc().PageSize, Doc().DocSize);
  if (grids_->AddressShown()) QZStrGridAddr()->MoveTo(0, static_cast<int>((p - Doc().TopAddress) / Doc().BytesPerRow));
}

void TFormMain::MoveGridCursor(int32_t col, int32_t row) {
  grids_->MoveGridCursor(col, row);
  if (inspector_ != nullptr) inspector_->DocumentOrCursorChanged();
}

void TFormMain::RepaintGrids() {
  grids_->RepaintDataGrids();
  if (inspector_ != nullptr) inspector_->DocumentOrCursorChanged();
}

void TFormMain::Notify(const std::string& text) { panels_->ShowTransient(text); }

// ---- busy seam

void TFormMain::Begin(const std::string& text) {
  ++busyDepth_;
  // A note would hide the busy text.
  panels_->clearMessage();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // While a print preview is the active window, the text goes to its status bar.
  QLabel* preview = PreviewBusyPanel();
  QLabel* panel = preview != nullptr ? preview : panels_->Panel(3);
  const int width = preview != nullptr ? preview->width() : panels_->PanelWidth(3);
  const QFontMetrics metrics(panel->font());
  const std::string shown = FitPanelText(text, width - 10, [&](const std::string& s) {
    return metrics.horizontalAdvance(QString::fromStdString(s));
  });
  panel->setText(QString::fromStdString(shown));
  panel->repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFormMain::End() {
  if (busyDepth_ == 0) return;
  --busyDepth_;
  QApplication::restoreOverrideCursor();
  panels_->SetPanelText(3, "");
  if (QLabel* preview = PreviewBusyPanel()) preview->clear();
}

// ---- document host

FileAnswer TFormMain::AskFileName(const FileQuestion& question) {
  if (fileQuestion_) return fileQuestion_(question);
  FileDialogRequest request;
  request.save = question.save;
  request.title = question.title;
  request.favoritesSection = kFavorites;
  request.filter = question.filter;
  request.startDir = question.startDir;
  request.showReadOnly = question.readOnlyBox;
  const FileDialogResult result = ExecFileDialog(this, request);
  return {result.ok, result.path, result.readOnly};
}

void TFormMain::SetCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

void TFormMain::ShowNote(const std::string& text) { panels_->SetPanelText(3, text); }

void TFormMain::ClearGrids() { grids_->ClearAll(); }

void TFormMain::ShowDocumentView(bool shown) {
  grids_->ScrollBar()->setEnabled(shown);
  grids_->SetDocumentShown(shown);
}

void TFormMain::AddRecentFile(const std::string& path) { recentFiles_->AddFile(QString::fromStdString(path)); }

void TFormMain::DocumentsChanged() {
  if (tabs_ != nullptr && tabs_->Refresh()) LayoutWindow(Doc().BytesPerRow, Doc().VisibleRows);
  if (compare_ != nullptr) compare_->Refresh();
}

void TFormMain::ShowActiveDocument() {
  const bool shown = Doc().ViewReady;
  ShowDocumentView(shown);
  if (shown) {
    RecomputeLastShown();
    RepaintFrom(0, 0);
    SetCursorCell(Doc().CursorCol, Doc().CursorRow);
    RepaintGrids();
  } else {
    ClearGrids();
  }
  UpdateStatus();
  RefreshBookmarkMenu();
}

// ---- layout

TWindowChrome TFormMain::Chrome() const {
  TWindowChrome chrome;
  chrome.menu = menuBar()->sizeHint().height();
  chrome.toolBar = toolBar_->isHidden() ? 0 : toolBar_->sizeHint().height();
  // The tab bar of several documents takes its height from the grids' area.
  if (tabs_ != nullptr && !tabs_->Bar()->isHidden()) chrome.toolBar += tabs_->Bar()->sizeHint().height();
  chrome.statusBar = panels_->sizeHint().height();
  chrome.scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grids_->ScrollBar());
  if (inspector_ != nullptr && !inspector_->isHidden() && !inspector_->isFloating()) {
    const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
    const Qt::DockWidgetArea area = dockWidgetArea(inspector_);
    if (area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea) {
      chrome.stackedDocks = inspector_->sizeHint().height() + separator;
    } else {
      chrome.sideDocks = inspector_->sizeHint().width() + separator;
    }
  }
  return chrome;
}

void TFormMain::SetGridSize(int cols, int rows) {
  if (compare_ != nullptr && compare_->Active()) {
    // The grids are hidden behind the compare, whose cursor is the document's: it stays.
    const int64_t cursor = CursorAddress();
    compare_->Hold(true);
    LayoutWindow(cols, rows);
    compare_->Hold(false);
    GotoAddress(cursor, true, false);
    return;
  }
  LayoutWindow(cols, rows);
  GotoTop();
}

void TFormMain::LayoutWindow(int cols, int rows) {
  cols = std::clamp(cols, 1, kMaxGridCells);
  rows = std::clamp(rows, 1, kMaxGridCells);
  const TWindowChrome chrome = Chrome();
  grids_->SetGridSize(cols, rows, chrome);
  SetPageGeometry(cols, rows);
  TQZScrollBar* scroll = grids_->ScrollBar();
  scroll->SetSmallChange(Doc().PageSize);
  scroll->SetLargeChange(10 * Doc().PageSize);

  const TCellSizes& cells = grids_->CellSizes();
  const bool address = grids_->AddressShown();
  const bool textLeft = grids_->TextGridLeft();
  const TGridGeometry smallest = LayoutGrids(kMinGridCols, kMinGridRows, cells, chrome, address, textLeft);
  const TGridGeometry none = LayoutGrids(0, 0, cells, chrome, address, textLeft);
  applyingSize_ = true;
  setMinimumSize(smallest.windowWidth, smallest.windowHeight);
  setBaseSize(none.windowWidth, none.windowHeight);
  setSizeIncrement(cells.hexColWidth + cells.textColWidth + 2 * cells.gridLine, cells.rowHeight + cells.gridLine);
  ResizeToLayout();
  applyingSize_ = false;
}

void TFormMain::ResizeToLayout() {
  if (isMaximized() || isFullScreen()) return;
  const TGridGeometry& now = grids_->Geometry();
  const QSize wanted(now.windowWidth, now.windowHeight);
  if (size() == wanted) return;
  applyingSize_ = true;
  sizeRequests_.Requested(wanted.width(), wanted.height());
  resize(wanted);
  applyingSize_ = false;
}

void TFormMain::ApplyFont(const QString& family) {
  grids_->ApplyFont(family);
  SetGridSize(Doc().BytesPerRow, Doc().VisibleRows);
}

void TFormMain::ApplyFontSize(int pointSize) {
  grids_->ApplyFontSize(pointSize);
  SetGridSize(Doc().BytesPerRow, Doc().VisibleRows);
}

void TFormMain::SetToolBarHidden(bool hide, bool relayout) {
  toolBar_->setHidden(hide);
  if (relayout) SetGridSize(Doc().BytesPerRow, Doc().VisibleRows);
}

void TFormMain::SetAddressColumnHidden(bool hide, bool relayout) {
  grids_->SetAddressColumnHidden(hide);
  if (relayout) {
    SetGridSize(Doc().BytesPerRow, Doc().VisibleRows);
    ApplyFontSize(grids_->GridFont().pointSize());
  }
}

void TFormMain::PlaceGrids() { grids_->PlaceGrids(Options().TextGridLeft); }

void TFormMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (applyingSize_) {
    // A size Qt applies while the program lays the window out (a raised minimum size, say)
    // goes to the window manager like a request, and its answer may come after later ones.
    if (!event->spontaneous()) sizeRequests_.Requested(event->size().width(), event->size().height());
    return;
  }
  if (event->spontaneous()) {
    // The window manager's answer to a size the program asked for, maybe a late one.
    const bool requested = sizeRequests_.Pending();
    if (sizeRequests_.Answers(event->size().width(), event->size().height())) return;
    // Another size while requests are out is the window manager adjusting one of them, or a
    // user's resize racing them: the layout follows the window once the answers have settled.
    if (requested || sizeSettling_->isActive()) {
      sizeSettling_->start();
      return;
    }
  }
  if (!started_ || snapPending_) return;
  snapPending_ = true;
  QTimer::singleShot(0, this, [this] {
    snapPending_ = false;
    SnapToCells();
  });
}

void TFormMain::SnapToCells() {
  const TWindowChrome chrome = Chrome();
  const TCellSizes& cells = grids_->CellSizes();
  const int32_t cols = ColsThatFit(width(), cells, chrome, grids_->AddressShown());
  const int32_t rows = RowsThatFit(height(), cells, chrome);
  if (cols != Doc().BytesPerRow || rows != Doc().VisibleRows) {
    SetGridSize(cols, rows);
    return;
  }
  ResizeToLayout();
}

// ---- events

bool TFormMain::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    panels_->SetPanelText(3, static_cast<QStatusTipEvent*>(event)->tip().toStdString());
    return true;
  }
  if (event->type() == QEvent::DragMove) {
    // Over the grids as over the rest of the window: each position of the drag is answered.
    auto* move = static_cast<QDragMoveEvent*>(event);
    if (move->mimeData()->hasUrls()) move->acceptProposedAction();
    return true;
  }
  return QMainWindow::event(event);
}

void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && std::all_of(urls.cbegin(), urls.cend(), [](const QUrl& url) { return url.isLocalFile(); })) {
    // Some sources hand their data over only once: the drop falls back on what the entry got.
    setProperty(kDraggedUrls, QVariant::fromValue(urls));
    event->acceptProposedAction();
  }
}

void TFormMain::dropEvent(QDropEvent* event) {
  QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty()) urls = property(kDraggedUrls).value<QList<QUrl>>();
  setProperty(kDraggedUrls, QVariant());
  std::vector<std::string> paths;
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  }
  event->acceptProposedAction();
  const bool insert = (event->modifiers() & Qt::ControlModifier) != 0;
  const QPoint at = event->position().toPoint();
  // The drop finishes before the file is read, so the source application is not kept waiting.
  QTimer::singleShot(0, this, [this, paths, insert, at] {
    // The files dropped are the user's work now: the window takes the keys.
    activateWindow();
    if (insert && paths.size() == 1 && InsertDroppedFile(at, paths.front())) return;
    documents_->DropFiles(paths);
  });
}

bool TFormMain::InsertDroppedFile(const QPoint& windowPos, const std::string& path) {
  if (!Doc().ViewReady) return false;
  for (TQZStrGrid* grid : {QZStrGridHex(), QZStrGridText()}) {
    int col = 0;
    int row = 0;
    if (!grid->isVisible() || !grid->CellAt(grid->mapFrom(this, windowPos), col, row)) continue;
    const int64_t pos = Doc().TopAddress + int64_t{row} * Doc().BytesPerRow + col;
    JournalStep step;
    InsertFileBytes(path, pos);
    return true;
  }
  return false;
}

// ---- data inspector

void TFormMain::SetupInspector() {
  inspector_ = new TDockInspector(this);
  inspector_->hide();
  addDockWidget(Qt::RightDockWidgetArea, inspector_);
  inspector_->SetFocusBack([this] {
    // From a floating dock the keys go back to the main window too.
    activateWindow();
    if (QWidget* grid = KeyGrid()) grid->setFocus(Qt::ShortcutFocusReason);
  });
  // The window grows or shrinks by the docked inspector; the grids keep their columns and the
  // document stays where it was.
  auto relayout = [this] {
    QTimer::singleShot(0, this, [this] {
      if (!isVisible() || isMinimized()) return;
      const TWindowChrome chrome = Chrome();
      grids_->SetGridSize(Doc().BytesPerRow, Doc().VisibleRows, chrome);
      const TCellSizes& cells = grids_->CellSizes();
      const bool address = grids_->AddressShown();
      const bool textLeft = grids_->TextGridLeft();
      const TGridGeometry smallest = LayoutGrids(kMinGridCols, kMinGridRows, cells, chrome, address, textLeft);
      const TGridGeometry none = LayoutGrids(0, 0, cells, chrome, address, textLeft);
      applyingSize_ = true;
      setMinimumSize(smallest.windowWidth, smallest.windowHeight);
      setBaseSize(none.windowWidth, none.windowHeight);
      ResizeToLayout();
      applyingSize_ = false;
    });
  };
  QAction* toggle = menu_->Menu(MenuId::View)->addAction(QStringLiteral("&Data inspector"));
  toggle->setObjectName("DataInspector");
  toggle->setShortcut(QKeySequence(QStringLiteral("Ctrl+I")));
  toggle->setStatusTip(QStringLiteral("Show or hide the bytes at the cursor as numbers, characters and times"));
  toggle->setCheckable(true);
  connect(toggle, &QAction::triggered, this, [this, toggle] {
    ToggleInspector();
    toggle->setChecked(!inspector_->isHidden());
  });
  connect(inspector_, &QDockWidget::visibilityChanged, this, [this, relayout, toggle](bool visible) {
    toggle->setChecked(visible);
    if (!visible && inspector_->isAncestorOf(QApplication::focusWidget())) {
      if (QWidget* grid = KeyGrid()) grid->setFocus(Qt::OtherFocusReason);
    }
    relayout();
  });
  connect(inspector_, &QDockWidget::topLevelChanged, this, [this, relayout](bool floating) {
    // Dragged off the window, the dock can be dropped back on any side.
    grids_->SetSqueezable(floating);
    relayout();
  });
  connect(inspector_, &QDockWidget::dockLocationChanged, this, relayout);
}

void TFormMain::ToggleInspector() {
  if (inspector_->isHidden()) {
    inspector_->ShowFocused();
    return;
  }
  inspector_->hide();
  activateWindow();
  if (QWidget* grid = KeyGrid()) grid->setFocus(Qt::ShortcutFocusReason);
}

// ---- help

void TFormMain::SetupContextHelp() {
  const QString toolBarHelp = HelpTopicHtml(help::kToolBar);
  toolBar_->setWhatsThis(toolBarHelp);
  for (QAction* action : toolBar_->actions()) action->setWhatsThis(toolBarHelp);
  QZStrGridText()->setWhatsThis(HelpTopicHtml(help::kTextGrid));
  QZStrGridHex()->setWhatsThis(HelpTopicHtml(help::kHexGrid));
  QZStrGridAddr()->setWhatsThis(HelpTopicHtml(help::kAddressColumn));
  for (int panel = 0; panel < TStatusPanels::kPanelCount; ++panel) {
    panels_->Panel(panel)->setWhatsThis(HelpTopicHtml(help::StatusPanelTopic(panel)));
  }
  for (QWidget* widget : {static_cast<QWidget*>(toolBar_), static_cast<QWidget*>(QZStrGridText()),
                          static_cast<QWidget*>(QZStrGridHex()), static_cast<QWidget*>(QZStrGridAddr())}) {
    widget->installEventFilter(this);
  }
  for (int panel = 0; panel < TStatusPanels::kPanelCount; ++panel) panels_->Panel(panel)->installEventFilter(this);
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, &TFormMain::ShowContextHelp);
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::WhatsThisClicked) {
    // A link in a popup opens its topic ("t3.html") in the help window.
    const QString href = static_cast<QWhatsThisClickedEvent*>(event)->href();
    bool ok = false;
    const int topic = href.mid(1).section('.', 0, 0).toInt(&ok);
    if (ok) ShowHelpTopic(topic);
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TFormMain::ShowContextHelp() {
  // In a grid F1 explains typing and moving; the short grid topics are the popups.
  const QWidget* focus = focusWidget();
  ShowHelpTopic(focus == QZStrGridText() || focus == QZStrGridHex() ? help::kKeyboard : help::kContents);
}

QWidget* TFormMain::KeyGrid() const {
  // While the compare is shown the normal grids are hidden: its grid takes the keys.
  if (compare_ != nullptr && compare_->Active()) return compare_->Grid();
  return grids_->ActiveGrid();
}

// The compare view takes the grids' place while it is shown.
void TFormMain::SetupCompare(QVBoxLayout* column) {
  compare_ = new TCompareView(*documents_, column->parentWidget());
  compare_->hide();
  column->addWidget(compare_, 1);
  compare_->Status = [this](const std::string& text) { panels_->SetPanelText(3, text); };
  compare_->Changed = [this] { DocumentsChanged(); };
  compare_->ToggleTextMode = [this] { ToggleTextMode(); };
  compare_->ToggleOverwriteMode = [this] { ToggleOverwriteMode(); };
  compare_->Shown = [this](bool shown) {
    grids_->setVisible(!shown);
    if (shown) return;
    ShowActiveDocument();
    grids_->ActiveGrid()->setFocus(Qt::OtherFocusReason);
  };
}

}  // namespace quoxa
