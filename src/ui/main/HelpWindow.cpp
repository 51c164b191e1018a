#include "ui/main/HelpWindow.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWhatsThis>

#include "core/HelpTopics.h"
#include "widgets/DialogPlacement.h"

// Resources of a static library are registered by name before first use.
static void InitHelpResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(help);
    return true;
  }();
  (void)done;
}

namespace quoxa {

namespace {

QPointer<THelpWindow> helpWindow;

QString TopicPath(int topic) { return QStringLiteral(":/help/t%1.html").arg(topic); }

const char* kMissingTopic =
    "<html><body><h2>No help for this topic</h2><p>The help has no page for topic %1 yet.</p>"
    "<p><a href=\"t1.html\">Contents</a></p></body></html>";

}  // namespace

QString HelpTopicHtml(int topic) {
  InitHelpResources();
  QFile file(TopicPath(topic));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
  InitHelpResources();
  setObjectName("HelpWindow");
  setWindowTitle("QUOXA Help");
  browser_->setOpenExternalLinks(false);
  browser_->setSearchPaths({QStringLiteral(":/help")});

  auto* back = new QPushButton("&Back", this);
  auto* forward = new QPushButton("&Forward", this);
  auto* contents = new QPushButton("&Contents", this);
  auto* close = new QPushButton("Close", this);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
  connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(help::kContents); });
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
    bool ok = false;
    const int topic = url.fileName().mid(1).section('.', 0, 0).toInt(&ok);
    if (ok) topic_ = topic;
  });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(back);
  buttons->addWidget(forward);
  buttons->addWidget(contents);
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_, 1);
  resize(620, 560);
}

void THelpWindow::ShowTopic(int topic) {
  topic_ = topic;
  if (QFile::exists(TopicPath(topic))) {
    browser_->setSource(QUrl(QStringLiteral("qrc") + TopicPath(topic)));
  } else {
    browser_->setHtml(QString::fromLatin1(kMissingTopic).arg(topic));
  }
}

void THelpWindow::Attach(QWidget* modal) {
  QWidget* owner = parentWidget();
  if (owner == modal) return;
  if (owner != nullptr) owner->removeEventFilter(this);
  const bool shown = isVisible();
  setParent(modal, Qt::Window);
  if (modal != nullptr) modal->installEventFilter(this);
  if (shown) {
    // Back on its own when the dialog closes: shown again, leaving the activation to the
    // window the dialog returns to.
    setAttribute(Qt::WA_ShowWithoutActivating, modal == nullptr);
    show();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
  }
}

bool THelpWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Hide) Attach(nullptr);
  return QWidget::eventFilter(watched, event);
}

THelpWindow* OpenHelpWindow(int topic) {
  if (helpWindow.isNull()) {
    helpWindow = new THelpWindow();
    helpWindow->setAttribute(Qt::WA_DeleteOnClose);
  }
  QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal != helpWindow && !helpWindow->isAncestorOf(modal)) {
    helpWindow->Attach(modal);
    CenterOverActiveWindow(helpWindow);
  } else if (!helpWindow->isVisible()) {
    CenterOverActiveWindow(helpWindow);
  }
  helpWindow->ShowTopic(topic);
  helpWindow->show();
  helpWindow->raise();
  helpWindow->activateWindow();
  return helpWindow;
}

THelpWindow* CurrentHelpWindow() { return helpWindow.data(); }

void ShowHelpPopup(int topic, const QPoint& globalPos, QWidget* widget) {
  QString html = HelpTopicHtml(topic);
  if (html.isEmpty()) html = QString::fromLatin1(kMissingTopic).arg(topic);
  QWhatsThis::showText(globalPos, html, widget);
}

}  // namespace quoxa
