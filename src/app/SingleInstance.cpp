#include "app/SingleInstance.h"

#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace quoxa {

namespace {

// Bounded waits: a window that hangs never keeps a new start waiting for long.
constexpr int kConnectMs = 500;
constexpr int kAnswerMs = 5000;
// The window's answer once the files are open.
constexpr char kTaken = 'K';

}  // namespace

QString TSingleInstance::SocketName() {
  QString display = qEnvironmentVariable("DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"));
  display.replace('/', '_');
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  const QString dir = !runtime.isEmpty() && QDir(runtime).exists() ? runtime : QDir::tempPath();
  return QDir(dir).filePath(QString("quoxa-%1-%2.socket").arg(getuid()).arg(display));
}

bool TSingleInstance::HandOver(const QStringList& files) {
  QLocalSocket socket;
  socket.connectToServer(SocketName());
  if (!socket.waitForConnected(kConnectMs)) return false;
  // One path a line, an empty line ends the list.
  QByteArray message;
  for (const QString& file : files) message += file.toUtf8() + '\n';
  message += '\n';
  socket.write(message);
  if (!socket.waitForBytesWritten(kConnectMs)) return false;
  while (socket.bytesAvailable() == 0) {
    if (!socket.waitForReadyRead(kAnswerMs)) return false;
  }
  char answer = 0;
  return socket.getChar(&answer) && answer == kTaken;
}

TSingleInstance::TSingleInstance(std::function<void(const QStringList&)> onFiles, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), onFiles_(std::move(onFiles)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  const QString name = SocketName();
  if (!server_->listen(name)) {
    // Nobody answered on it (HandOver failed), so the socket is a dead run's leftover.
    QLocalServer::removeServer(name);
    server_->listen(name);
  }
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        const QByteArray received = socket->property("received").toByteArray() + socket->readAll();
        socket->setProperty("received", received);
        if (!received.endsWith('\n') || !(received.endsWith("\n\n") || received == "\n")) return;
        QStringList files;
        for (const QByteArray& line : received.split('\n')) {
          if (!line.isEmpty()) files << QString::fromUtf8(line);
        }
        // The answer goes first: questions about the files must not keep the new start waiting.
        socket->write(&kTaken, 1);
        socket->flush();
        QTimer::singleShot(0, this, [this, files] { onFiles_(files); });
      });
    }
  });
}

}  // namespace quoxa
