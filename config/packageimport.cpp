#include "packageimport.h"

#include "archivefactory.h"
#include "core/fileops.h"
#include "core/inifile.h"
#include "packageindex.h"
#include "qtcore/qstr.h"

using platform::QS;
using platform::SS;

namespace {

constexpr int kMaxImportFolder = 65535;
const QString kScratchName = QStringLiteral("package.ini");

// The import folder goes again unless the configuration that refers to it was stored, and so
// does the "Package" folder when this import made it and nothing else is in it.
class TImportFolderGuard {
 public:
  explicit TImportFolderGuard(QString path)
      : path_(std::move(path)),
        parent_(path_.left(path_.lastIndexOf('\\'))),
        parentExisted_(platform::DirectoryExists(SS(parent_))) {}
  ~TImportFolderGuard() {
    if (kept_) return;
    platform::DeleteTree(SS(path_));
    if (!parentExisted_) platform::RemoveDirectory(SS(parent_));
  }
  TImportFolderGuard(const TImportFolderGuard &) = delete;
  TImportFolderGuard &operator=(const TImportFolderGuard &) = delete;
  void Keep() { kept_ = true; }

 private:
  QString path_;
  QString parent_;
  bool parentExisted_;
  bool kept_ = false;
};

// The section of the package's index, extracted alone into the work folder; empty when the
// file is no package. An index left by an earlier import is removed first, so that only this
// package's own can be read.
QString ReadIndexSection(archives::TArchiveFile &archive, const QString &work) {
  INDIVIDUALINFO entry{};
  const bool found = archive.OpenArchive(nullptr, 0) && archive.FindFirst(SS(kPackageIndex), entry) == 0;
  archive.CloseArchive();
  if (!found) return {};
  const QString index = work + "\\" + kPackageIndex;
  if (platform::FileExists(SS(index)) && !platform::DeleteFile(SS(index))) return {};
  const archives::TStringList files{SS(kPackageIndex)};
  archive.Extract(nullptr, nullptr, SS(work), &files);
  const std::vector<std::string> sections = platform::IniFile(SS(index)).ReadSections();
  return sections.empty() ? QString() : QS(sections.front());
}

// A name the package's configuration may be stored under. A taken name is asked about; a name
// the settings file can't take as a configuration (the settings section's own, characters a
// file name can't hold) has to be replaced by the user.
bool SettleName(TSession &s, QString &name) {
  TConfigStore &store = s.Store;
  if (store.FindConfig(name) >= 0) return store.AskConfigName(name);
  if (store.CheckImportName(name))
    return s.Dialogs.Message(QStringLiteral("%1を読み込みますか？").arg(name), platform::TMsgType::Confirmation,
                             platform::mbOKCancel) == platform::TModalResult::OK;
  QString entered;
  do {
    entered = name;
    if (!s.Dialogs.InputQuery(QStringLiteral("Melodeck"), QStringLiteral("新しい設定名を入力してください"), entered))
      return false;
  } while (!store.CheckImportName(entered));
  name = entered;
  return store.AskConfigName(name);
}

// The package's assignments as full paths below importFolder, in table order. Values that
// would lead outside the package are left out and listed in refused.
platform::IniFile::KeyValues ImportedSources(const TSession &s, const platform::IniFile &index, const QString &section,
                                             const QString &importFolder, QString &refused) {
  platform::IniFile::KeyValues values;
  for (const TScene &scene : s.SceneTable) {
    const QString value = QS(index.ReadString(SS(section), SS(scene.FileName), ""));
    if (value.isEmpty()) continue;
    const QString reason = UnsafeIndexValueReason(value);
    if (reason.isEmpty()) values.emplace_back(SS(scene.FileName), SS(importFolder + "\\" + value));
    else refused += QStringLiteral("\n%1 :  %2 (%3)").arg(scene.Name, value, reason);
  }
  return values;
}

}  // namespace

QString ChooseImportFolder(const QString &programFolder) {
  for (int k = 0; k <= kMaxImportFolder; ++k) {
    const QString folder = programFolder + "Package\\" + QString::asprintf("%.3d", k);
    if (!platform::GetAttributes(SS(folder))) return folder;
  }
  return {};
}

bool IsPackageFile(const QString &path) {
  return path.endsWith(QStringLiteral(".mdk"), Qt::CaseInsensitive) && platform::FileExists(SS(path));
}

bool ImportPackage(TSession &s, const QString &packageFile, const QString &asName) {
  TConfigStore &store = s.Store;
  const auto archive = MakeArchiveFile();
  archive->SetFileName(SS(packageFile));
  archive->SetArchiverType(archives::atLha);
  const QString work = s.WorkFolder.Path();
  if (work.isEmpty()) {
    s.Dialogs.Message(WorkFolderFailureText(s.WorkFolder));
    return false;
  }
  if (!platform::ForceDirectories(SS(work))) return false;
  const QString origName = ReadIndexSection(*archive, work);
  if (origName.isEmpty()) return false;
  QString name = asName.isEmpty() ? origName : asName;
  if (!SettleName(s, name)) return false;

  const QString importFolder = ChooseImportFolder(QS(platform::ExtractFilePath(SS(store.SettingsPath()))));
  if (importFolder.isEmpty()) {
    s.Dialogs.Message(QStringLiteral("パッケージ展開用フォルダを確保できません"));
    return false;
  }
  TImportFolderGuard guard(importFolder);
  if (!platform::ForceDirectories(SS(importFolder))) {
    s.Dialogs.Message(QStringLiteral("ディレクトリを作成できません: ") + importFolder);
    return false;
  }
  const archives::TStringList all{"*"};
  // A package that does not unpack whole (damaged, truncated, or with names that would leave
  // the folder) would give a configuration of missing files.
  if (archive->Extract(nullptr, nullptr, SS(importFolder), &all) != 0) {
    s.Dialogs.Message(QStringLiteral("パッケージファイルを展開できません: ") + packageFile);
    return false;
  }
  const QString indexPath = importFolder + "\\" + kPackageIndex;
  const QString scratchPath = work + "\\" + kScratchName;
  if (!platform::FileExists(SS(indexPath))) return false;
  if (platform::GetAttributes(SS(scratchPath)) && !platform::DeleteFile(SS(scratchPath))) return false;

  QString refused;
  {
    const platform::IniFile index(SS(indexPath));
    platform::IniFile scratch(SS(scratchPath));
    scratch.WriteStrings(SS(name), ImportedSources(s, index, origName, importFolder, refused));
    store.SaveConfig(store.Settings(), store.CurrentConfig);
    store.LoadConfig(scratch, name);
    if (!store.SaveConfig(store.Settings(), name)) throw platform::EIniFileException(store.Settings().FileName());
  }
  guard.Keep();
  store.LoadConfigList();
  store.LoadConfig(store.Settings(), name);
  store.SelectConfig(name);
  if (!refused.isEmpty())
    s.Dialogs.Message(QStringLiteral("次の場面はパッケージの外のファイルを指しているため標準のままにしました") +
                      refused);
  return true;
}
