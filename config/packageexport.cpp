#include "packageexport.h"

#include <QSet>

#include "archivefactory.h"
#include "core/fileops.h"
#include "core/inifile.h"
#include "gamesets.h"
#include "packageindex.h"
#include "qtcore/qstr.h"
#include "sources.h"

using platform::QS;
using platform::SS;

namespace {

constexpr int kMaxRenames = 255;

// The last component of a path, "/" between components as well as "\\" (a path written by hand).
QString FileNameOf(const QString &path) {
  return path.mid(std::max({path.lastIndexOf('\\'), path.lastIndexOf('/'), path.lastIndexOf(':')}) + 1);
}

bool SamePath(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString SelectedConfigName(const TConfigStore &store) {
  const QStringList names = store.ConfigNames();
  const int index = store.SelectedConfig();
  return index >= 0 && index < names.size() ? names[index] : QString();
}

struct TCandidate {
  int Scene;  // -1: a scene of another music set
  QString Key;
  TSource Assigned;
  QString Path;
};

// Scenes whose file is not the game's own and exists, in table order; then the keys of the
// game's other music sets that the stored configuration gives a file of its own (a bare name
// stands for the game's own file).
std::vector<TCandidate> Candidates(const TSession &s) {
  std::vector<TCandidate> scenes;
  QSet<QString> ours;
  for (int i = 0; i < s.SceneTable.size(); ++i) {
    const TSource source = TSource::Parse(s.SceneTable[i].Source);
    const QString path = source.Resolve(TClient::First, s.Folders);
    const QString standard = s.Folders.DefaultDir + "\\" + s.SceneTable[i].FileName;
    ours.insert(s.SceneTable[i].FileName.toLower());
    if (!SamePath(path, standard) && platform::FileExists(SS(path)))
      scenes.push_back({i, s.SceneTable[i].FileName, source, path});
  }
  const QString config = SelectedConfigName(s.Store);
  if (config.isEmpty() || config == kStandardConfig) return scenes;
  const platform::IniFile &settings = s.Store.Settings();
  for (const std::string &k : settings.ReadSection(SS(config))) {
    const QString key = QS(k).toLower();
    if (ours.contains(key) || !IsSceneKey(key)) continue;
    ours.insert(key);
    const TSource source = TSource::Parse(QS(settings.ReadString(SS(config), k, "")));
    const QString &path = source.Path();
    if ((path.contains('\\') || path.contains(':')) && platform::FileExists(SS(path)))
      scenes.push_back({-1, key, source, path});
  }
  return scenes;
}

}  // namespace

QString PrepareExportFolder(const QString &workFolder) {
  if (workFolder.isEmpty()) return {};
  QString path = workFolder + "\\Export";
  for (int k = 0; platform::DirectoryExists(SS(path)); ++k) {
    if (!platform::DeleteTree(SS(path))) path += QString::number(k);
    if (k > kMaxRenames) return {};
  }
  return path;
}

std::vector<TPackageCopy> PlanPackageCopies(const TSession &s, const QString &exportFolder, QString &failed) {
  const std::vector<TCandidate> scenes = Candidates(s);
  QStringList paths;
  for (const TCandidate &c : scenes) paths << c.Path;

  std::vector<TPackageCopy> copies;
  QStringList numbered;  // paths that need a folder of their own, in order of first appearance
  for (size_t c = 0; c < scenes.size(); ++c) {
    const QString &path = paths[c];
    const QString name = FileNameOf(path);
    bool unique = true;
    for (const QString &other : paths)
      if (!SamePath(other, path) && FileNameOf(other).compare(name, Qt::CaseInsensitive) == 0) unique = false;
    QString folder = exportFolder;
    if (!unique) {
      qsizetype n = 0;
      while (n < numbered.size() && !SamePath(numbered[n], path)) ++n;
      if (n == numbered.size()) numbered << path;
      folder = exportFolder + "\\" + QString::asprintf("%.3d", static_cast<int>(n));
      if (!platform::ForceDirectories(SS(folder))) {
        failed = folder;
        return {};
      }
    }
    copies.push_back({scenes[c].Scene, scenes[c].Key, path, folder + "\\" + name, scenes[c].Assigned});
  }
  return copies;
}

TExportReport WritePackage(TSession &s, const QString &packageFile) {
  const QString config = SelectedConfigName(s.Store);
  if (config.isEmpty()) return {TExportResult::NoConfiguration};
  if (s.WorkFolder.Path().isEmpty()) {
    return {TExportResult::NoWorkFolder};
  }
  const QString exportFolder = PrepareExportFolder(s.WorkFolder.Path());
  if (exportFolder.isEmpty() && !s.WorkFolder.Path().isEmpty()) {
    return {TExportResult::NotEmptied};
  }
  // Without a work folder (temporary folder's path too long) there is nowhere to stage.
  if (exportFolder.isEmpty() || !platform::ForceDirectories(SS(exportFolder))) {
    return {TExportResult::NoFolder};
  }
  QString failed;
  const std::vector<TPackageCopy> copies = PlanPackageCopies(s, exportFolder, failed);
  if (!failed.isEmpty()) {
    return {TExportResult::NoFolder, failed};
  }

  // A file used by several scenes is copied once: a second copy could not replace the first
  // when the original is read-only (copies keep the permission bits).
  platform::IniFile::KeyValues keys;
  QSet<QString> copied;
  for (const TPackageCopy &c : copies) {
    const QString destination = c.Destination.toCaseFolded();
    if (!copied.contains(destination)) {
      if (!platform::CopyFile(SS(c.Source), SS(c.Destination), false)) continue;
      copied.insert(destination);
    }
    const TSource value = c.Assigned.WithPath(c.Destination.mid(exportFolder.size() + 1));
    keys.emplace_back(SS(c.Key), SS(value.Text()));
  }
  // An index without a key would make a package that no import accepts.
  if (keys.empty()) {
    return {TExportResult::NothingToPack};
  }
  platform::IniFile(SS(exportFolder + "\\" + kPackageIndex)).WriteStrings(SS(config), keys);

  if (platform::FileExists(SS(packageFile)) && !platform::DeleteFile(SS(packageFile))) {
    return {TExportResult::NotReplaced};
  }
  const auto archive = MakeArchiveFile();
  archive->SetFileName(SS(packageFile));
  archive->SetArchiverType(archives::atLha);
  const archives::TStringList all{"*"};
  const bool packed = archive->Pack(nullptr, nullptr, SS(exportFolder), &all) == 0;
  return {packed ? TExportResult::Written : TExportResult::NotPacked};
}
