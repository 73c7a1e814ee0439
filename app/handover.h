// Handing a package to the running window: a second "melodeck FILE.mdk" finds the window's
// local socket beside the instance lock, in the user's lock folder, sends the package's
// Windows path and ends; the window comes to the front and imports it.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// The socket's file: <lock folder>/melodeck.sock (the folder is the user's own, mode 0700);
// empty when there is no lock folder, and then there is no hand-over.
QString HandOverSocketPath();

// The window's side; listens while it exists. Only the holder of the instance lock makes one.
class THandOverServer : public QObject {
  Q_OBJECT
 public:
  explicit THandOverServer(QObject *parent = nullptr);
  // False when the socket can't be made (the window works on, without hand-over).
  bool Listen();

 signals:
  void PackageHandedOver(const QString &windowsPath);

 private:
  void Receive();
  QLocalServer server_;
};

// The Windows path of a file named on the command line (relative to the current folder).
QString PackageWindowsPath(const QString &fileName);

// The second copy's side: sends the package's path (relative paths are taken from the current
// folder) and waits until the window has it. False when no window answers.
bool HandOverPackage(const QString &fileName);
