#include "packageimport.h"

#include <QSet>

#include "scenetext.h"
#include "archivefactory.h"
#include "core/fileops.h"
#include "core/inifile.h"
#include "gamesets.h"
#include "importname.h"
#include "packageindex.h"
#include "packagestart.h"
#include "qtcore/qstr.h"
#include "sources.h"

using platform::QS;
using platform::SS;

namespace {

constexpr int kMaxImportFolder = 65535;

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

// The section of the package's index, extracted alone into the work folder; empty, with the
// reason in result, when there is none. An index left by an earlier import is removed first,
// so that only this package's own can be read.
QString ReadIndexSection(archives::TArchiveFile &archive, const QString &work, TImportResult &result) {
  INDIVIDUALINFO entry{};
  const bool found = archive.OpenArchive(nullptr, 0) && archive.FindFirst(SS(kPackageIndex), entry) == 0;
  archive.CloseArchive();
  result = TImportResult::NoIndex;
  if (!found) return {};
  const QString index = work + "\\" + kPackageIndex;
  result = TImportResult::NoScratch;
  if (platform::FileExists(SS(index)) && !platform::DeleteFile(SS(index))) return {};
  const archives::TStringList files{SS(kPackageIndex)};
  archive.Extract(nullptr, nullptr, SS(work), &files);
  result = TImportResult::Damaged;
  if (!platform::FileExists(SS(index))) return {};
  const std::vector<std::string> sections = platform::IniFile(SS(index)).ReadSections();
  result = TImportResult::NoConfiguration;
  return sections.empty() ? QString() : QS(sections.front());
}

// The package's assignments as full paths below importFolder. Values that would lead outside
// the package, and values whose file did not arrive, are left out and listed in the report.
// The scenes of the session's set, then those of the game's other sets that the index names (by
// their keys: their names are not known here).
std::vector<TScene> ScenesToImport(const TSession &s, const platform::IniFile &index, const QString &section) {
  std::vector<TScene> scenes(s.SceneTable.begin(), s.SceneTable.end());
  QSet<QString> ours;
  for (const TScene &scene : scenes) ours.insert(scene.FileName.toLower());
  for (const std::string &k : index.ReadSection(SS(section))) {
    const QString key = QS(k).toLower();
    if (ours.contains(key) || !IsSceneKey(key)) continue;
    ours.insert(key);
    scenes.push_back({key, key, QString(), QString()});
  }
  return scenes;
}

TAssignments ImportedSources(const TSession &s, const platform::IniFile &index, const QString &section,
                             const QString &importFolder, TImportReport &report) {
  TAssignments values;
  for (const TScene &scene : ScenesToImport(s, index, section)) {
    const QString value = QS(index.ReadString(SS(section), SS(scene.FileName), ""));
    if (value.isEmpty()) continue;
    const TSource packaged = TSource::Parse(value);
    const TSource source = packaged.WithPath(importFolder + "\\" + packaged.Path());
    const QString unsafe = UnsafeIndexValueReason(value);
    if (!unsafe.isEmpty()) {
      ++report.Refused;
    } else if (!platform::FileExists(SS(source.Path()))) {
      ++report.Missing;
    } else {
      values.insert(scene.FileName, source.Text());
      continue;
    }
    report.LeftStandard.push_back({ShownSceneName(scene), value, unsafe});
  }
  return values;
}

TImportReport Stop(TImportResult result, const QString &packageFile) {
  TImportReport report;
  report.Result = result;
  report.PackageFile = packageFile;
  return report;
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

TImportReport ImportPackage(TSession &s, const QString &packageFile, TImportQuestions &questions,
                            const QString &asName) {
  TConfigStore &store = s.Store;
  const auto stop = [&](TImportResult result) { return Stop(result, packageFile); };
  switch (CheckPackageStart(packageFile)) {
    case TPackageStart::Header:
      break;
    case TPackageStart::NotAnArchive:
      return stop(TImportResult::NotAnArchive);
    case TPackageStart::Damaged:
      return stop(TImportResult::Damaged);
  }
  const auto archive = MakeArchiveFile();
  archive->SetFileName(SS(packageFile));
  archive->SetArchiverType(archives::atLha);
  const QString work = s.WorkFolder.Path();
  if (work.isEmpty()) return stop(TImportResult::NoWorkFolder);
  if (!platform::ForceDirectories(SS(work))) {
    TImportReport report = stop(TImportResult::NoWorkFolder);
    report.Folder = work;
    return report;
  }
  TImportResult indexResult;
  const QString origName = ReadIndexSection(*archive, work, indexResult);
  if (origName.isEmpty()) {
    TImportReport report = stop(indexResult);
    report.IndexDamaged = indexResult == TImportResult::Damaged;
    return report;
  }
  QString name = asName.isEmpty() ? origName : asName;
  if (!SettleImportName(store, questions, name)) return stop(TImportResult::Cancelled);

  const QString importFolder = ChooseImportFolder(QS(platform::ExtractFilePath(SS(store.SettingsPath()))));
  if (importFolder.isEmpty()) return stop(TImportResult::NoImportFolder);
  TImportFolderGuard guard(importFolder);
  if (!platform::ForceDirectories(SS(importFolder))) {
    TImportReport report = stop(TImportResult::NoImportFolder);
    report.Folder = importFolder;
    return report;
  }
  const archives::TStringList all{"*"};
  // Damaged, cut inside an entry, or with names that would leave the folder.
  if (archive->Extract(nullptr, nullptr, SS(importFolder), &all) != 0) return stop(TImportResult::Damaged);
  const QString indexPath = importFolder + "\\" + kPackageIndex;
  if (!platform::FileExists(SS(indexPath))) {
    TImportReport report = stop(TImportResult::Damaged);
    report.IndexDamaged = true;
    return report;
  }

  TImportReport report = stop(TImportResult::Imported);
  const TAssignments sources = ImportedSources(s, platform::IniFile(SS(indexPath)), origName, importFolder, report);
  store.SaveConfig(store.Settings(), store.CurrentConfig);
  if (!store.AddConfig(name, sources)) throw platform::EIniFileException(store.Settings().FileName());
  guard.Keep();
  report.Backups = store.LoadConfig(name);
  store.LoadConfigNames();
  store.SelectConfig(name);
  if (report.Missing) report.Result = TImportResult::Incomplete;
  report.Name = name;
  return report;
}
