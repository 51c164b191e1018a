#pragma once
// One window per user and display: a later start of the program hands its files to the
// window that runs already, over a local socket, and ends.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;

namespace quoxa {

class TSingleInstance : public QObject {
  Q_OBJECT

 public:
  // The socket of this user on this display.
  static QString SocketName();

  // Hands the files (absolute paths; none only raises the window) to the running window. True
  // when one took them.
  static bool HandOver(const QStringList& files);

  // Listens for later starts; each one's files go to onFiles. A socket that a crashed run left
  // behind is replaced.
  TSingleInstance(std::function<void(const QStringList&)> onFiles, QObject* parent = nullptr);

 private:
  QLocalServer* server_;
  std::function<void(const QStringList&)> onFiles_;
};

}  // namespace quoxa
