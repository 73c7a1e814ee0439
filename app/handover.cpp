#include "handover.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

#include "core/instancelock.h"
#include "core/winpath.h"
#include "qtcore/qstr.h"

namespace {
constexpr int kWaitMs = 5000;
constexpr qint64 kMaxLine = 64 * 1024;  // a path; anything longer is not one
}  // namespace

QString HandOverSocketPath() {
  const std::string folder = platform::InstanceLock::Folder();
  return folder.empty() ? QString() : platform::QS(folder) + "/melodeck.sock";
}

THandOverServer::THandOverServer(QObject *parent) : QObject(parent) {
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket *socket = server_.nextPendingConnection()) {
      connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
      connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
          if (socket->bytesAvailable() > kMaxLine) socket->abort();
          return;
        }
        const QString path = QString::fromUtf8(socket->readLine(kMaxLine)).chopped(1);
        socket->write("ok\n");
        socket->flush();
        socket->disconnectFromServer();
        if (!path.isEmpty()) emit PackageHandedOver(path);
      });
    }
  });
}

bool THandOverServer::Listen() {
  // Whoever holds the instance lock owns the name: a socket file left by a copy that ended
  // without removing it is taken over.
  const QString path = HandOverSocketPath();
  if (path.isEmpty()) return false;
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(path);
  return server_.listen(path);
}

QString PackageWindowsPath(const QString &fileName) {
  return platform::QS(platform::ToWindows(platform::SS(QDir::cleanPath(QFileInfo(fileName).absoluteFilePath()))));
}

bool HandOverPackage(const QString &fileName) {
  const QString windowsPath = PackageWindowsPath(fileName);
  if (windowsPath.isEmpty() || HandOverSocketPath().isEmpty()) return false;
  QLocalSocket socket;
  socket.connectToServer(HandOverSocketPath());
  if (!socket.waitForConnected(kWaitMs)) return false;
  socket.write(windowsPath.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(kWaitMs)) return false;
  while (!socket.canReadLine())
    if (!socket.waitForReadyRead(kWaitMs)) return false;
  return socket.readLine() == "ok\n";
}
