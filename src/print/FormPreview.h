#pragma once
// TFormPreview: the pages the report engine recorded, one at a time, fitted to the window
// or zoomed by mouse clicks, and printed one or all.

#include <QDialog>
#include <QPointer>

class QAction;
class QLabel;
class QScrollArea;
class QToolBar;

namespace quoxa {

class TQZReport;
class TPreviewPage;

class TFormPreview : public QDialog {
  Q_OBJECT

 public:
  // Zoom modes: the whole page, the larger of width and height, free.
  enum ZoomMode { kZoomPage = 0, kZoomWide = 1, kZoomFree = 2 };

  TFormPreview(TQZReport& report, const QString& caption, int helpContext, QWidget* parent = nullptr);
  ~TFormPreview() override;

  void ShowPage(int n);
  int CurrentPage() const { return page_; }
  int Mode() const { return mode_; }
  double Zoom() const { return zoom_; }
  // A click on the page at a point of the paint box.
  void PageClick(Qt::MouseButton button, const QPoint& at);

  void FirstClick() { ShowPage(1); }
  void PreviousClick() { ShowPage(page_ - 1); }
  void NextClick() { ShowPage(page_ + 1); }
  void LastClick();
  void ZoomClick();
  void PrintOneClick();
  void PrintAllClick();

  QLabel* StatusPanel(int index) const;
  QScrollArea* ScrollBox() const { return scroll_; }
  QWidget* PaintBox() const;
  // Page size in screen units at zoom 1, pixels square.
  QSizeF PageSize() const;

  // The preview window that is active, for the busy text; nullptr when none is.
  static TFormPreview* Active();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void done(int result) override;

 private:
  QAction* AddButton(const char* name, const QString& text, const QString& hint, int icon);
  void ShowStatus(const QString& text);
  void ScrollBy(Qt::Orientation orientation, int delta);

  TQZReport& report_;
  int helpContext_;
  QToolBar* toolBar_;
  QScrollArea* scroll_;
  TPreviewPage* paint_;
  QLabel* panels_[2];
  QAction* first_ = nullptr;
  QAction* previous_ = nullptr;
  QAction* next_ = nullptr;
  QAction* last_ = nullptr;
  int page_ = 1;
  int mode_ = kZoomPage;
  double zoom_ = 1.0;
  bool placed_ = false;
};

}  // namespace quoxa
