// A drag source for the real-X11 cases, as a file manager is one: a small window that drags
// the files named on its command line as text/uri-list when the mouse is pressed in it, and
// ends when the drag is over.
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

class DropSource : public QWidget {
 public:
  explicit DropSource(QList<QUrl> urls) : urls_(std::move(urls)) {}

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setUrls(urls_);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction);
    QApplication::quit();
  }

 private:
  QList<QUrl> urls_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QList<QUrl> urls;
  for (const QString& argument : QApplication::arguments().mid(1)) {
    urls << QUrl::fromLocalFile(QFileInfo(argument).absoluteFilePath());
  }
  DropSource source(urls);
  source.setWindowTitle("quoxa drop source");
  source.resize(120, 120);
  source.show();
  return QApplication::exec();
}
