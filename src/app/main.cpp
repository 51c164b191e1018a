// QUOXA: a hex editor.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("QUOXA");
  QMainWindow window;
  window.setWindowTitle("QUOXA");
  window.resize(800, 500);
  window.show();
  return QApplication::exec();
}
