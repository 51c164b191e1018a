#include "settings/FormPlacement.h"

#include <QApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QTreeView>
#include <QWidget>

#include "settings/Placement.h"

namespace quoxa {

namespace {

QRect ScreenOf(const QWidget* widget) {
  QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry() : QRect(0, 0, 1024, 768);
}

class HeaderColumns final : public IColumnOwner {
 public:
  HeaderColumns(QWidget* view, QHeaderView* header) : view_(view), header_(header) {}
  std::string Name() const override { return view_->objectName().toStdString(); }
  int Tag() const override { return view_->property("Tag").toInt(); }
  int ColumnCount() const override { return header_->count(); }
  int ColumnWidth(int col) const override { return header_->sectionSize(col); }
  void SetColumnWidth(int col, int width) override { header_->resizeSection(col, width); }

 private:
  QWidget* view_;
  QHeaderView* header_;
};

// The frame the window manager puts around the form. Stored bounds are outer ones, so
// without it every restore would grow the form by its frame and move it up by its title bar.
// A form with a framed parent takes the parent's frame, on saving as on restoring: the manager
// frames them alike, and the form's own frame is not known until it is framed, nor right while
// the manager is still framing it (a busy manager: the form then crept down by its title bar
// from one use to the next).
QMargins FrameMargins(const QWidget* form) {
  const QWidget* parent = form->parentWidget() != nullptr ? form->parentWidget()->window() : nullptr;
  if (parent != nullptr && parent != form && parent->isVisible()) {
    if (const QMargins frame = WindowFrame(parent); !frame.isNull()) return frame;
  }
  if (const QMargins own = WindowFrame(form); !own.isNull()) return own;
  const QWidget* active = QApplication::activeWindow();
  if (active != nullptr && active != form && active->isVisible()) return WindowFrame(active);
  return {};
}

class WidgetForm final : public IPlacedForm {
 public:
  explicit WidgetForm(QWidget* form) : form_(form), screen_(ScreenOf(form)) {}

  std::string SectionName() const override { return PlacementSection(form_).toStdString(); }
  int ScreenWidth() const override { return screen_.width(); }
  int ScreenHeight() const override { return screen_.height(); }
  TRect Bounds() const override {
    const QRect normal = form_->isMaximized() || form_->isMinimized() ? form_->normalGeometry() : form_->geometry();
    const QRect use = (normal.isValid() ? normal : form_->geometry()).marginsAdded(FrameMargins(form_));
    return {use.x() - screen_.x(), use.y() - screen_.y(), use.width(), use.height()};
  }
  void SetBounds(const TRect& b) override {
    const QRect inner = QRect(b.left + screen_.x(), b.top + screen_.y(), b.width, b.height).marginsRemoved(FrameMargins(form_));
    form_->setGeometry(inner.x(), inner.y(), std::max(1, inner.width()), std::max(1, inner.height()));
  }
  int State() const override {
    if (form_->isMinimized()) return 1;
    if (form_->isMaximized()) return 2;
    return 0;
  }
  void SetState(int state) override {
    Qt::WindowStates states = form_->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == 1) states |= Qt::WindowMinimized;
    if (state == 2) states |= Qt::WindowMaximized;
    form_->setWindowState(states);
  }
  bool Sizeable() const override { return form_->minimumSize() != form_->maximumSize(); }
  std::vector<std::unique_ptr<IColumnOwner>> ColumnOwners() override {
    std::vector<std::unique_ptr<IColumnOwner>> owners;
    for (QTableView* grid : form_->findChildren<QTableView*>()) {
      if (!grid->objectName().isEmpty()) owners.push_back(std::make_unique<HeaderColumns>(grid, grid->horizontalHeader()));
    }
    for (QTreeView* list : form_->findChildren<QTreeView*>()) {
      if (!list->objectName().isEmpty()) owners.push_back(std::make_unique<HeaderColumns>(list, list->header()));
    }
    return owners;
  }

 private:
  QWidget* form_;
  QRect screen_;
};

}  // namespace

QMargins WindowFrame(const QWidget* window) {
  const QRect outer = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

QString PlacementSection(const QWidget* form) {
  QString name = QString::fromLatin1(form->metaObject()->className());
  const int colon = name.lastIndexOf(':');
  return colon >= 0 ? name.mid(colon + 1) : name;
}

void RestoreFormPlacement(QWidget* form, const QString& fileName) {
  if (form == nullptr) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->isWindow()) RestoreFormPlacement(window, fileName);
    }
    return;
  }
  WidgetForm adapter(form);
  RestoreFormPlacement(adapter, fileName.toStdString());
}

bool SaveFormPlacement(QWidget* form, const QString& fileName) {
  if (form == nullptr) {
    bool ok = true;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (ok && window->isWindow()) ok = SaveFormPlacement(window, fileName);
    }
    return ok;
  }
  WidgetForm adapter(form);
  return SaveFormPlacement(adapter, fileName.toStdString());
}

}  // namespace quoxa
