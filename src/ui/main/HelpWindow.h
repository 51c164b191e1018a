#pragma once
// The help viewer: HTML topics in the program's resources, shown by number in one
// help window or as a popup.

#include <QPoint>
#include <QString>
#include <QWidget>

class QTextBrowser;

namespace quoxa {

class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit THelpWindow(QWidget* parent = nullptr);

  void ShowTopic(int topic);
  int Topic() const { return topic_; }
  QTextBrowser* Browser() const { return browser_; }

  // Makes the help a window of the modal dialog it was asked from, so that the dialog does
  // not block it and it stays on top of the dialog; when the dialog goes, the help stays
  // open on its own. nullptr: a window on its own.
  void Attach(QWidget* modal);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTextBrowser* browser_;
  int topic_ = 0;
};

// The topic's HTML, or an empty string when the help has no such topic.
QString HelpTopicHtml(int topic);
// Opens (or raises) the one help window at a topic and returns it; the program
// installs it as the help seam's viewer.
THelpWindow* OpenHelpWindow(int topic);
// The help window when it has been opened.
THelpWindow* CurrentHelpWindow();
// The topic as a popup at a screen position (context help).
void ShowHelpPopup(int topic, const QPoint& globalPos, QWidget* widget);

}  // namespace quoxa
