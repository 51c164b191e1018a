#include "print/FormPreview.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPicture>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>

#include "core/Help.h"
#include "core/Messages.h"
#include "core/Progress.h"
#include "core/TextFormat.h"
#include "print/PrintTexts.h"
#include "print/QZReport.h"
#include "settings/FormPlacement.h"
#include "settings/IniFile.h"
#include "settings/SettingsPath.h"

namespace quoxa {

namespace {

constexpr double kFitShare = 0.95;
constexpr double kZoomInLimit = 1.5;
constexpr double kZoomOutLimit = 0.03;
constexpr double kZoomInStep = 1.5;
constexpr double kZoomOutStep = 2.0 / 3.0;

// A magnifying glass: a ring with a handle, its hot spot in the ring's centre.
QCursor MagnifierCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 4));
  painter.drawEllipse(QPointF(12, 12), 8, 8);
  painter.drawLine(QPointF(18, 18), QPointF(28, 28));
  painter.setPen(QPen(Qt::black, 2));
  painter.drawEllipse(QPointF(12, 12), 8, 8);
  painter.drawLine(QPointF(18, 18), QPointF(28, 28));
  painter.end();
  return QCursor(pixmap, 12, 12);
}

}  // namespace

// The paint box: the page, white with a black frame, at the preview's zoom.
class TPreviewPage : public QWidget {
 public:
  TPreviewPage(TFormPreview& form, TQZReport& report) : QWidget(nullptr), form_(form), report_(report) {
    setObjectName("PaintBox");
    setCursor(MagnifierCursor());
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (form_.CurrentPage() < 1 || form_.CurrentPage() > report_.PageCount()) return;
    const PrinterMetrics& m = report_.Geometry().Metrics();
    const double unit = std::max(m.ppiX, m.ppiY);
    const double zoom = form_.Zoom();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(m.offsetX * zoom * unit / m.ppiX, m.offsetY * zoom * unit / m.ppiY);
    painter.scale(zoom * unit / m.ppiX, zoom * unit / m.ppiY);
    try {
      TQZReport::DrawPage(painter, report_.Page(form_.CurrentPage()));
    } catch (const TReportError&) {
      // A page that cannot be drawn stays blank; printing it reports the error.
    }
  }

  void mousePressEvent(QMouseEvent* event) override { form_.PageClick(event->button(), event->position().toPoint()); }

 private:
  TFormPreview& form_;
  TQZReport& report_;
};

TFormPreview::TFormPreview(TQZReport& report, const QString& caption, int helpContext, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint),
      report_(report),
      helpContext_(helpContext),
      toolBar_(new QToolBar(this)),
      scroll_(new QScrollArea(this)),
      paint_(new TPreviewPage(*this, report)) {
  setObjectName("FormPreview");
  setWindowTitle(caption);
  toolBar_->setObjectName("ToolBar");
  toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  first_ = AddButton("ButtonFirst", "First", "Go to first page", QStyle::SP_MediaSkipBackward);
  previous_ = AddButton("ButtonPrevious", "Previous", "Go to previous page", QStyle::SP_MediaSeekBackward);
  next_ = AddButton("ButtonNext", "Next", "Go to next page", QStyle::SP_MediaSeekForward);
  last_ = AddButton("ButtonLast", "Last", "Go to last page", QStyle::SP_MediaSkipForward);
  toolBar_->addSeparator();
  QAction* zoom = AddButton("ButtonZoom", "Zoom", "Quick zoom page width/page height", QStyle::SP_TitleBarMaxButton);
  toolBar_->addSeparator();
  QAction* one = AddButton("ButtonPrintOne", "Print one", "Print only this page", QStyle::SP_FileIcon);
  QAction* all = AddButton("ButtonPrintAll", "Print all", "Print all pages", QStyle::SP_FileDialogDetailedView);
  toolBar_->addSeparator();
  QAction* exit = AddButton("ButtonExit", "Exit", "Exit without printing", QStyle::SP_DialogCloseButton);
  QAction* help = AddButton("ButtonHelp", "Help", "Help", QStyle::SP_DialogHelpButton);
  help->setVisible(helpContext_ > 0);
  connect(first_, &QAction::triggered, this, &TFormPreview::FirstClick);
  connect(previous_, &QAction::triggered, this, &TFormPreview::PreviousClick);
  connect(next_, &QAction::triggered, this, &TFormPreview::NextClick);
  connect(last_, &QAction::triggered, this, &TFormPreview::LastClick);
  connect(zoom, &QAction::triggered, this, &TFormPreview::ZoomClick);
  connect(one, &QAction::triggered, this, &TFormPreview::PrintOneClick);
  connect(all, &QAction::triggered, this, &TFormPreview::PrintAllClick);
  connect(exit, &QAction::triggered, this, &QDialog::reject);
  connect(help, &QAction::triggered, this, [this] { ShowHelpTopic(helpContext_); });

  scroll_->setObjectName("ScrollBox");
  scroll_->setWidget(paint_);
  scroll_->setAlignment(Qt::AlignCenter);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setBackgroundRole(QPalette::Dark);

  auto* status = new QStatusBar(this);
  status->setObjectName("StatusBar");
  status->setSizeGripEnabled(true);
  for (int i = 0; i < 2; ++i) {
    panels_[i] = new QLabel(this);
    panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panels_[i]->setMinimumWidth(160);
    status->addWidget(panels_[i], i);
  }

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(scroll_, 1);
  layout->addWidget(status);
  report_.OnStatus = [this](const QString& text) { ShowStatus(text); };
  resize(800, 600);
}

TFormPreview::~TFormPreview() { report_.OnStatus = nullptr; }

QAction* TFormPreview::AddButton(const char* name, const QString& text, const QString& hint, int icon) {
  QAction* action = toolBar_->addAction(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)), text);
  action->setObjectName(QString::fromLatin1(name));
  action->setToolTip(hint);
  action->setStatusTip(hint);
  return action;
}

QLabel* TFormPreview::StatusPanel(int index) const { return panels_[index]; }

QWidget* TFormPreview::PaintBox() const { return paint_; }

TFormPreview* TFormPreview::Active() { return qobject_cast<TFormPreview*>(QApplication::activeWindow()); }

QSizeF TFormPreview::PageSize() const {
  const PrinterMetrics& m = report_.Geometry().Metrics();
  const double unit = std::max(m.ppiX, m.ppiY);
  return {unit * m.physWidth / m.ppiX, unit * m.physHeight / m.ppiY};
}

void TFormPreview::ShowPage(int n) {
  const int count = report_.PageCount();
  if (n < 1 || n > count) return;
  page_ = n;
  const QSizeF page = PageSize();
  const QSize client = scroll_->maximumViewportSize();
  const double sx = client.width() * kFitShare / page.width();
  const double sy = client.height() * kFitShare / page.height();
  if (mode_ == kZoomPage) zoom_ = std::min(sx, sy);
  if (mode_ == kZoomWide) zoom_ = std::max(sx, sy);
  paint_->setFixedSize(static_cast<int>(page.width() * zoom_), static_cast<int>(page.height() * zoom_));
  paint_->update();
  panels_[0]->setText(QString::fromStdString(FormatMsgD(FormatMsgD(msg::kPageOf, n), count)));
  first_->setEnabled(n > 1);
  previous_->setEnabled(n > 1);
  next_->setEnabled(n < count);
  last_->setEnabled(n < count);
}

void TFormPreview::LastClick() { ShowPage(report_.PageCount()); }

void TFormPreview::ZoomClick() {
  mode_ = mode_ == kZoomPage ? kZoomWide : kZoomPage;
  ShowPage(page_);
}

void TFormPreview::PageClick(Qt::MouseButton button, const QPoint& at) {
  mode_ = kZoomFree;
  const double old = zoom_;
  if (button == Qt::LeftButton && zoom_ < kZoomInLimit) zoom_ *= kZoomInStep;
  if (button == Qt::RightButton && zoom_ > kZoomOutLimit) zoom_ *= kZoomOutStep;
  const QPointF point(at.x() / old, at.y() / old);
  ShowPage(page_);
  // The point under the mouse comes to the middle of the scroll box.
  const QSize client = scroll_->viewport()->size();
  scroll_->horizontalScrollBar()->setValue(static_cast<int>(point.x() * zoom_ - client.width() / 2.0));
  scroll_->verticalScrollBar()->setValue(static_cast<int>(point.y() * zoom_ - client.height() / 2.0));
}

void TFormPreview::PrintOneClick() {
  try {
    if (!report_.OpenPrintJob(this)) return;
    report_.PrintPreviewPage(page_, false);
    report_.ClosePrintJob();
  } catch (const TReportError& error) {
    ShowError(error.what());
  }
  ShowStatus(QString());
}

void TFormPreview::PrintAllClick() {
  try {
    if (!report_.OpenPrintJob(this)) return;
    {
      TProgressBox box({true, true, FormatMsgD(msg::kProgressPage, 1), msg::kPrintingCaption});
      const int count = report_.PageCount();
      for (int i = 1; i <= count; ++i) {
        box.SetProgress(i, count, 1);
        box.SetText(FormatMsgD(msg::kProgressPage, i), 1);
        if (box.Aborted()) break;
        // The page is ejected before the next one is drawn, so an abort leaves no empty page.
        if (i > 1) report_.EjectPrintPage();
        report_.PrintPreviewPage(i, false);
      }
    }
    report_.ClosePrintJob();
  } catch (const TReportError& error) {
    ShowError(error.what());
  }
  ShowStatus(QString());
}

void TFormPreview::ShowStatus(const QString& text) {
  panels_[1]->setText(text);
  panels_[1]->repaint();
}

void TFormPreview::ScrollBy(Qt::Orientation orientation, int delta) {
  QScrollBar* bar = orientation == Qt::Horizontal ? scroll_->horizontalScrollBar() : scroll_->verticalScrollBar();
  bar->setValue(bar->value() + delta);
}

void TFormPreview::keyPressEvent(QKeyEvent* event) {
  QScrollBar* vertical = scroll_->verticalScrollBar();
  QScrollBar* horizontal = scroll_->horizontalScrollBar();
  const bool v = vertical->isVisible();
  const bool h = horizontal->isVisible();
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    const int width = scroll_->viewport()->width();
    switch (event->key()) {
      case Qt::Key_Down: if (v) ScrollBy(Qt::Vertical, vertical->singleStep()); return;
      case Qt::Key_Up: if (v) ScrollBy(Qt::Vertical, -vertical->singleStep()); return;
      case Qt::Key_PageDown: if (v) NextClick(); return;
      case Qt::Key_PageUp: if (v) PreviousClick(); return;
      case Qt::Key_Right: if (h) ScrollBy(Qt::Horizontal, horizontal->singleStep()); return;
      case Qt::Key_Left: if (h) ScrollBy(Qt::Horizontal, -horizontal->singleStep()); return;
      case Qt::Key_Home: if (h) ScrollBy(Qt::Horizontal, -static_cast<int>(width * kFitShare)); return;
      case Qt::Key_End: if (h) ScrollBy(Qt::Horizontal, static_cast<int>(width * kFitShare)); return;
      default: break;
    }
  }
  QDialog::keyPressEvent(event);
}

void TFormPreview::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!placed_) {
    placed_ = true;
    // Opens maximised until the user gave it a placement of its own.
    const TIniFile ini(SettingsFilePath());
    if (ini.KeyExists(PlacementSection(this).toStdString(), "WindowState")) {
      RestoreFormPlacement(this);
    } else {
      setWindowState(windowState() | Qt::WindowMaximized);
    }
  }
  ShowPage(page_);
}

void TFormPreview::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  ShowPage(page_);
}

void TFormPreview::done(int result) {
  SaveFormPlacement(this);
  QDialog::done(result);
}

}  // namespace quoxa
