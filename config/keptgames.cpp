#include "keptgames.h"

#include <QRegularExpression>
#include <algorithm>
#include <utility>
#include <vector>

#include "configstore.h"
#include "gamefolder.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {

constexpr char kChosenKey[] = "Game";

// The numbered keys of the kept games as the file spells them, with their numbers.
std::vector<std::pair<long long, std::string>> KeptKeys(const platform::IniFile &settings) {
  static const QRegularExpression numbered(QStringLiteral("^game([0-9]{1,9})$"),
                                           QRegularExpression::CaseInsensitiveOption);
  std::vector<std::pair<long long, std::string>> keys;
  for (const std::string &key : settings.ReadSection(kSettingsSection)) {
    const auto match = numbered.match(QS(key));
    if (match.hasMatch()) keys.push_back({match.captured(1).toLongLong(), key});
  }
  std::stable_sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
  return keys;
}

}  // namespace

QStringList ReadKeptGames(const platform::IniFile &settings) {
  QStringList folders;
  for (const auto &[number, key] : KeptKeys(settings)) {
    const QString folder = QS(settings.ReadString(kSettingsSection, key, "")).trimmed();
    if (folder.isEmpty() || folders.contains(folder, Qt::CaseInsensitive)) continue;
    folders << folder;
  }
  return folders;
}

void WriteKeptGames(platform::IniFile &settings, const QStringList &folders) {
  platform::IniFile::KeyValues values;
  for (qsizetype i = 0; i < folders.size(); ++i) values.push_back({"Game" + std::to_string(i + 1), SS(folders[i])});
  if (!values.empty()) settings.WriteStrings(kSettingsSection, values);
  for (const auto &[number, key] : KeptKeys(settings))
    if (number > folders.size() || QS(key).compare(QStringLiteral("Game%1").arg(number), Qt::CaseInsensitive) != 0)
      settings.DeleteKey(kSettingsSection, key);  // beyond the list, or spelled apart from its key ("Game01")
}

bool KeepGame(platform::IniFile &settings, const QString &folder) {
  QStringList folders = ReadKeptGames(settings);
  if (std::any_of(folders.begin(), folders.end(), [&](const QString &kept) { return SameFolder(kept, folder); }))
    return false;
  folders << folder;
  WriteKeptGames(settings, folders);
  return true;
}

QString ReadChosenGame(const platform::IniFile &settings) {
  return QS(settings.ReadString(kSettingsSection, kChosenKey, "")).trimmed();
}

void WriteChosenGame(platform::IniFile &settings, const QString &folder) {
  settings.WriteString(kSettingsSection, kChosenKey, SS(folder));
}
