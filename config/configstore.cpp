#include "configstore.h"

#include <QSet>

#include "backups.h"
#include "configlisting.h"

#include "core/fileops.h"
#include "core/text.h"
#include "sources.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {

QString Join(const QString &folder, const QString &name) { return folder + "\\" + name; }
}  // namespace

TConfigStore::TConfigStore(const QString &programPath, const TGameFolders &folders, TSceneTable &scenes,
                           QObject *parent)
    : QObject(parent),
      programPath_(programPath),
      folders_(folders),
      scenes_(scenes),
      settings_(std::make_unique<platform::IniFile>(SS(SettingsPath()))) {}

TConfigStore::~TConfigStore() = default;

QString TConfigStore::SettingsPath() const { return QS(platform::ChangeFileExt(SS(programPath_), ".ini")); }
QString TConfigStore::ScenesPath() const { return QS(platform::ChangeFileExt(SS(programPath_), ".dat")); }
int TConfigStore::FindConfig(const QString &name) const {
  const QStringList names = list_.stringList();
  for (int i = 0; i < names.size(); ++i)
    if (names[i].compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

// Scene names file: "Name|Detail" per scene file name. A value shorter than three bytes or
// without "|" leaves the name alone.
namespace {

// The scenes' keys, to read the values of a table at once.
std::vector<std::string> SceneKeys(const TSceneTable &scenes) {
  std::vector<std::string> keys;
  for (const TScene &scene : scenes) keys.push_back(SS(scene.FileName));
  return keys;
}

}  // namespace

void TConfigStore::LoadSceneNames() {
  const std::vector<std::string> values =
      platform::IniFile(SS(ScenesPath())).ReadStrings(kSettingsSection, SceneKeys(scenes_), "");
  for (size_t i = 0; i < values.size(); ++i) {
    TScene &scene = scenes_[static_cast<int>(i)];
    const QString value = QS(values[i]);
    const qsizetype bar = value.indexOf('|');
    if (bar >= 0 && platform::Cp932Length(SS(value)) >= 3) {
      scene.Name = value.left(bar);
      scene.Detail = value.mid(bar + 1);
    } else if (scene.Detail.isEmpty()) {
      scene.Detail = scene.Name;
    }
  }
}

void TConfigStore::LoadConfigNames() {
  LoadSceneNames();
  list_.setStringList(ConfigNamesIn(*settings_));
}

TBackupReport TConfigStore::LoadConfigList() {
  LoadConfigNames();
  const QStringList names = list_.stringList();

  const QString last = LastConfig();
  selected_ = std::max(0, FindConfig(last));
  emit ConfigSelected(selected_);
  TBackupReport report = LoadConfig(names[selected_]);
  emit CaptionChanged("Melodeck - " + last);
  return report;
}

void TConfigStore::ReadConfig(const platform::IniFile &file, const QString &name) {
  const std::vector<std::string> sources = name == kStandardConfig
                                               ? std::vector<std::string>(static_cast<size_t>(scenes_.size()))
                                               : file.ReadStrings(SS(name), SceneKeys(scenes_), "");
  for (size_t i = 0; i < sources.size(); ++i) {
    TScene &scene = scenes_[static_cast<int>(i)];
    scene.Source = QS(sources[i]);
    if (scene.Source.isEmpty()) scene.Source = scene.FileName;
  }
  CurrentConfig = name;
}

TBackupReport TConfigStore::MakeMissingBackups() {
  TBackupReport report;
  for (const TScene &scene : scenes_) {
    bool ourFile[2] = {false, false};  // game files without a backup because they are our own
    if (folders_.HasThirdDawn && !platform::FileExists(SS(Join(folders_.DefaultDirTD, scene.FileName))))
      ourFile[1] = BackupSceneFile(TClient::ThirdDawn, scene.FileName) == TBackupState::Ours;
    if (!platform::FileExists(SS(Join(folders_.DefaultDir, scene.FileName))))
      ourFile[0] = BackupSceneFile(TClient::First, scene.FileName) == TBackupState::Ours;
    if (ourFile[0]) report.Ours.push_back(MusicPath(folders_, TClient::First, scene.FileName));
    if (ourFile[1]) report.Ours.push_back(MusicPath(folders_, TClient::ThirdDawn, scene.FileName));
    if (scene.Source != scene.FileName) continue;
    const QString first = TSource::Parse(scene.Source).Resolve(TClient::First, folders_);
    if (!ourFile[0] && !platform::FileExists(SS(first))) report.Missing.push_back(first);
    if (folders_.HasThirdDawn) {
      const QString td = TSource::Parse(scene.Source).Resolve(TClient::ThirdDawn, folders_);
      if (!ourFile[1] && !platform::FileExists(SS(td))) report.Missing.push_back(td);
    }
  }
  return report;
}

TBackupReport TConfigStore::LoadConfig(const platform::IniFile &file, const QString &name) {
  ReadConfig(file, name);
  return MakeMissingBackups();
}

bool TConfigStore::AddConfig(const QString &name, const TAssignments &assignments) {
  if (name.isEmpty() || name == kStandardConfig) return false;
  platform::IniFile::KeyValues values;
  QSet<QString> ours;
  for (const TScene &scene : scenes_) {
    values.emplace_back(SS(scene.FileName), SS(assignments.value(scene.FileName, scene.FileName)));
    ours.insert(scene.FileName.toLower());
  }
  // What it assigns to the scenes of the game's other music sets goes with it.
  for (auto it = assignments.begin(); it != assignments.end(); ++it)
    if (!ours.contains(it.key().toLower())) values.emplace_back(SS(it.key()), SS(it.value()));
  try {
    settings_->ReplaceSection(SS(name), values);
    return true;
  } catch (...) {
    return false;
  }
}

// Every scene's key goes in one replacement of the file: a failure leaves the previous content whole.
bool TConfigStore::SaveConfig(platform::IniFile &file, const QString &name) {
  if (name.isEmpty() || name == kStandardConfig) return true;
  platform::IniFile::KeyValues values;
  values.reserve(static_cast<size_t>(scenes_.size()));
  for (const TScene &scene : scenes_) values.emplace_back(SS(scene.FileName), SS(scene.Source));
  return file.TryWriteStrings(SS(name), values);
}

bool TConfigStore::SaveConfigFrom(const QString &from, const QString &name) {
  if (name.isEmpty() || name == kStandardConfig) return true;
  platform::IniFile::KeyValues values;
  QSet<QString> ours;
  for (const TScene &scene : scenes_) ours.insert(scene.FileName.toLower());
  if (from != kStandardConfig)
    for (const std::string &key : settings_->ReadSection(SS(from)))
      if (!ours.contains(QS(key).toLower())) values.emplace_back(key, settings_->ReadString(SS(from), key, ""));
  for (const TScene &scene : scenes_) values.emplace_back(SS(scene.FileName), SS(scene.Source));
  return settings_->TryWriteStrings(SS(name), values);
}

TBackupState TConfigStore::BackupSceneFile(TClient client, const QString &fileName) {
  return EnsureBackup(folders_, client, fileName, TGameRecord(folders_, SettingsPath()));
}

void TConfigStore::WriteSceneName(int scene) {
  platform::IniFile names(SS(ScenesPath()));
  const TScene &s = scenes_[scene];
  names.WriteString(kSettingsSection, SS(s.FileName), SS(s.Name + "|" + s.Detail));
}

void TConfigStore::SelectConfig(const QString &name) {
  selected_ = FindConfig(name);
  emit ConfigSelected(selected_);
}

void TConfigStore::RecordApplied(const QString &name) {
  settings_->WriteString(kSettingsSection, "LastConfig", SS(name));
  emit CaptionChanged("Melodeck - " + name);
}

QString TConfigStore::LastConfig() const {
  return QS(settings_->ReadString(kSettingsSection, "LastConfig", SS(kStandardConfig)));
}

// Beyond the characters a file name can't hold: the settings section's own name, which would
// take the configuration's keys into the settings and never show in the list.
bool TConfigStore::IsValidConfigName(const QString &name) const {
  if (name.compare(kSettingsSection, Qt::CaseInsensitive) == 0) return false;
  static const QString forbidden = QStringLiteral("\\/:,;*?\"<>|");
  for (QChar c : name)
    if (forbidden.contains(c)) return false;
  if (platform::Cp932Length(SS(name)) < 2) return false;
  if (name.startsWith(' ')) return false;
  return FindConfig(name) < 0;
}
