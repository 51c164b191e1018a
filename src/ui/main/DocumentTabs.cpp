#include "ui/main/DocumentTabs.h"

#include <QAction>
#include <QMenu>
#include <QTabBar>

#include "core/Document.h"
#include "core/TextFormat.h"
#include "ui/main/DocumentCommands.h"

namespace quoxa {

TDocumentTabs::TDocumentTabs(TDocumentCommands& documents, QMenu* windowMenu, QWidget* parent,
                             std::function<void()> onClose)
    : QObject(parent), documents_(documents), bar_(new QTabBar(parent)), menu_(windowMenu) {
  bar_->setObjectName("DocumentTabs");
  bar_->setDocumentMode(true);
  bar_->setTabsClosable(true);
  bar_->setExpanding(false);
  bar_->setUsesScrollButtons(true);
  // The keys stay with the grids; the tabs are clicked or switched by their shortcuts.
  bar_->setFocusPolicy(Qt::NoFocus);
  bar_->hide();
  connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
    if (!refreshing_) documents_.Activate(index);
  });
  connect(bar_, &QTabBar::tabCloseRequested, this, [this, onClose](int index) {
    documents_.Activate(index);
    onClose();
  });

  next_ = menu_->addAction("&Next document");
  next_->setShortcuts({QKeySequence("Ctrl+Tab"), QKeySequence("Ctrl+PgDown")});
  next_->setStatusTip("Show the next open document");
  connect(next_, &QAction::triggered, this, [this] { documents_.ActivateNext(1); });
  previous_ = menu_->addAction("&Previous document");
  previous_->setShortcuts({QKeySequence("Ctrl+Shift+Tab"), QKeySequence("Ctrl+PgUp")});
  previous_->setStatusTip("Show the previous open document");
  connect(previous_, &QAction::triggered, this, [this] { documents_.ActivateNext(-1); });
  menu_->addSeparator();
  connect(menu_, &QMenu::aboutToShow, this, &TDocumentTabs::FillMenu);
  Refresh();
}

QString TDocumentTabs::Label(const TDocument& doc) {
  const QString name = QString::fromStdString(FileNameOnly(doc.FileName));
  return doc.Modified ? "*" + name : name;
}

bool TDocumentTabs::Refresh() {
  refreshing_ = true;
  const int count = documents_.Count();
  while (bar_->count() > count) bar_->removeTab(bar_->count() - 1);
  while (bar_->count() < count) bar_->addTab(QString());
  for (int i = 0; i < count; ++i) {
    const TDocument& doc = documents_.At(i);
    const QString label = Label(doc);
    if (bar_->tabText(i) != label) bar_->setTabText(i, label);
    const QString path = QString::fromStdString(doc.FileName);
    if (bar_->tabToolTip(i) != path) bar_->setTabToolTip(i, path);
  }
  bar_->setCurrentIndex(documents_.ActiveIndex());
  refreshing_ = false;
  // With one document the window looks as it always did; its keys stay the grids' own.
  const bool several = count > 1;
  next_->setEnabled(several);
  previous_->setEnabled(several);
  // Nor does its menu bar change (a narrow layout keeps its width).
  menu_->menuAction()->setVisible(several);
  if (bar_->isHidden() == several) {
    bar_->setVisible(several);
    return true;
  }
  return false;
}

void TDocumentTabs::FillMenu() {
  const QList<QAction*> actions = menu_->actions();
  for (qsizetype i = 3; i < actions.size(); ++i) {
    menu_->removeAction(actions[i]);
    actions[i]->deleteLater();
  }
  for (int i = 0; i < documents_.Count(); ++i) {
    const TDocument& doc = documents_.At(i);
    if (!doc.ViewReady) continue;
    // The first nine get a digit to choose them by.
    const QString number = i < 9 ? QString("&%1 ").arg(i + 1) : QString();
    QAction* entry = menu_->addAction(number + Label(doc).replace("&", "&&"));
    entry->setCheckable(true);
    entry->setChecked(i == documents_.ActiveIndex());
    entry->setStatusTip(QString::fromStdString(doc.FileName));
    connect(entry, &QAction::triggered, this, [this, i] { documents_.Activate(i); });
  }
}

}  // namespace quoxa
