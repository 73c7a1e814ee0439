#include "classicuosettings.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "core/fullpath.h"
#include "core/winpath.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {

constexpr char kFolderKey[] = "ultimaonlinedirectory";

bool HasControlCharacter(const QString &s) {
  for (const QChar c : s)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
  return false;
}

bool IsWindowsPath(const QString &s) {
  return (s.size() >= 2 && s[1] == ':' && s[0].isLetter() && s[0].unicode() < 0x80) || s.startsWith('\\');
}

}  // namespace

TClassicUoFolder ReadClassicUoFolder(const QByteArray &bytes) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);  // a byte order mark is skipped
  TClassicUoFolder folder;
  if (error.error != QJsonParseError::NoError || !doc.isObject()) return folder;
  folder.Result = TClassicUoFolder::NoFolder;
  const QJsonObject object = doc.object();
  QJsonValue value = object.value(QLatin1String(kFolderKey));
  if (value.isUndefined())
    for (auto it = object.begin(); it != object.end(); ++it)
      if (it.key().compare(QLatin1String(kFolderKey), Qt::CaseInsensitive) == 0) {
        value = it.value();
        break;
      }
  const QString path = value.toString();
  if (!value.isString() || path.trimmed().isEmpty() || HasControlCharacter(path)) return folder;
  folder.Result = TClassicUoFolder::Found;
  folder.Value = path;
  return folder;
}

QString ClassicUoFolderPath(const QString &value, const QString &jsonFolder) {
  if (value.startsWith('/')) return QS(platform::ToWindows(platform::NormalizeLinuxPath(SS(value))));
  QString windows = value;
  windows.replace('/', '\\');
  if (!IsWindowsPath(windows)) windows = jsonFolder + "\\" + windows;
  return QS(platform::ExpandFileName(SS(windows)));
}
