// ClassicUO's settings.json, outside data: the folder of the game's files it names
// ("ultimaonlinedirectory"). ClassicUO runs natively, so the folder may be a Linux path; a file
// carried over from Windows names a Windows path.
#pragma once

#include <QByteArray>
#include <QString>

struct TClassicUoFolder {
  enum Kind { Found, NotJson, NoFolder };
  Kind Result = NotJson;
  QString Value;  // when Found: the folder as written, never empty, without control characters
};

// Reads the bytes of settings.json (an optional UTF-8 byte order mark first): a JSON object whose
// "ultimaonlinedirectory" (that key, else one equal to it without regard to case) is a string.
TClassicUoFolder ReadClassicUoFolder(const QByteArray &bytes);

// The Windows path of the prefix that a folder of settings.json names: a Linux path ("/home/…"),
// a Windows path ("C:\…", "C:/…", "\…") or a path relative to the folder of settings.json
// (jsonFolder, a Windows path).
QString ClassicUoFolderPath(const QString &value, const QString &jsonFolder);
