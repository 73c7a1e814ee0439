#include "configstore.h"

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
                           platform::Dialogs &dialogs, QObject *parent)
    : QObject(parent),
      programPath_(programPath),
      folders_(folders),
      scenes_(scenes),
      dialogs_(dialogs),
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
void TConfigStore::LoadSceneNames() {
  platform::IniFile names(SS(ScenesPath()));
  for (TScene &scene : scenes_) {
    const QString value = QS(names.ReadString(kSettingsSection, SS(scene.FileName), ""));
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

void TConfigStore::LoadConfigList() {
  LoadConfigNames();
  const QStringList names = list_.stringList();

  const QString last = LastConfig();
  selected_ = std::max(0, FindConfig(last));
  emit ConfigSelected(selected_);
  LoadConfig(*settings_, names[selected_]);
  emit CaptionChanged("Melodeck - " + last);
}

bool TConfigStore::LoadConfig(platform::IniFile &file, const QString &name) {
  QString missing;
  std::vector<QString> ours;  // game files without a backup because they are our own
  for (int i = 0; i < kSceneCount; ++i) {
    TScene &scene = scenes_[i];
    const std::string fileName = SS(scene.FileName);
    bool ourFile[2] = {false, false};
    if (folders_.HasThirdDawn && !platform::FileExists(SS(Join(folders_.DefaultDirTD, scene.FileName))))
      ourFile[1] = BackupSceneFile(TClient::ThirdDawn, scene.FileName) == TBackupState::Ours;
    if (!platform::FileExists(SS(Join(folders_.DefaultDir, scene.FileName))))
      ourFile[0] = BackupSceneFile(TClient::First, scene.FileName) == TBackupState::Ours;
    if (ourFile[0]) ours.push_back(Join(folders_.MusicDir, scene.FileName));
    if (ourFile[1]) ours.push_back(Join(folders_.MusicDirTD, scene.FileName));
    scene.Source = name == kStandardConfig ? QString() : QS(file.ReadString(SS(name), fileName, ""));
    if (scene.Source.isEmpty()) {
      scene.Source = scene.FileName;
      const QString first = TSource::Parse(scene.Source).Resolve(TClient::First, folders_);
      if (!ourFile[0] && !platform::FileExists(SS(first))) missing += first + "\n";
      if (folders_.HasThirdDawn) {
        const QString td = TSource::Parse(scene.Source).Resolve(TClient::ThirdDawn, folders_);
        if (!ourFile[1] && !platform::FileExists(SS(td))) missing += td + "\n";
      }
    }
  }
  CurrentConfig = name;
  // One message: the backups that are missing, then the game files that are our own.
  QString text = missing.isEmpty() ? QString() : "バックアップファイルがありません.\n" + missing;
  if (!ours.empty()) text += (text.isEmpty() ? "" : "\n") + OurFilesNotBackedUpText(ours);
  if (!text.isEmpty()) dialogs_.Message(text);
  return missing.isEmpty() && ours.empty();
}

// All 49 keys go in one replacement of the file: a failure leaves the previous content whole.
bool TConfigStore::SaveConfig(platform::IniFile &file, const QString &name) {
  if (name.isEmpty() || name == kStandardConfig) return true;
  platform::IniFile::KeyValues values;
  values.reserve(kSceneCount);
  for (const TScene &scene : scenes_) values.emplace_back(SS(scene.FileName), SS(scene.Source));
  return file.TryWriteStrings(SS(name), values);
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

bool TConfigStore::CheckImportName(const QString &name) {
  if (!name.isEmpty() && name != kStandardConfig && IsValidConfigName(name)) return true;
  dialogs_.Message(QStringLiteral("\"%1\" は有効な名前ではありません").arg(name));
  return false;
}

bool TConfigStore::AskConfigName(QString &name) {
  if (FindConfig(name) < 0) return true;
  const auto answer = dialogs_.Message(
      QStringLiteral("設定 \"%1\" はすでに使われています\n上書きしますか？\n\n別の名前で登録する場合は \"いいえ\" "
                     "を選択してください")
          .arg(name),
      platform::TMsgType::Confirmation, platform::mbYesNoCancel);
  if (answer == platform::TModalResult::Cancel) return false;
  if (answer != platform::TModalResult::No) return true;
  QString entered;
  do {
    entered = name;
    if (!dialogs_.InputQuery("Melodeck", "新しい設定名を入力してください", entered)) return false;
  } while (!CheckImportName(entered));
  const bool go = AskConfigName(entered);
  name = entered;
  return go;
}
