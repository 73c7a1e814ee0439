#include "packageimport.h"

#include "archivefactory.h"
#include "core/fileops.h"
#include "core/inifile.h"
#include "packageindex.h"
#include "packagestart.h"
#include "qtcore/qstr.h"
#include "sources.h"

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

// A name the configuration can be stored under without a question: not the standard
// configuration, not in use, and one the settings file can take.
bool IsFreeName(const TConfigStore &store, const QString &name) {
  return !name.isEmpty() && name != kStandardConfig && store.IsValidConfigName(name);
}

// Asks for names until one is free; the box starts with the name asked about each time.
bool AskNewName(const TConfigStore &store, TImportQuestions &questions, QString &name, std::optional<QString> refused) {
  for (;;) {
    QString entered = name;
    if (!questions.NewName(refused, entered)) return false;
    if (IsFreeName(store, entered)) {
      name = entered;
      return true;
    }
    refused = entered;
  }
}

// A name the package's configuration may be stored under. A taken name is asked about; a name
// that can't be stored (the standard configuration, which is never stored, the settings
// section's own, characters a file name can't hold) has to be replaced.
bool SettleName(const TConfigStore &store, TImportQuestions &questions, QString &name) {
  if (name != kStandardConfig && store.FindConfig(name) >= 0) {
    switch (questions.NameTaken(name)) {
      case TImportQuestions::TTaken::Overwrite:
        return true;
      case TImportQuestions::TTaken::Cancel:
        return false;
      case TImportQuestions::TTaken::Rename:
        return AskNewName(store, questions, name, std::nullopt);
    }
  }
  if (IsFreeName(store, name)) return questions.Confirm(name);
  return AskNewName(store, questions, name, name);
}

// The scenes left standard, one line each, and why.
struct TLeftStandard {
  QString lines;
  int refused = 0;
  int missing = 0;
};

// The package's assignments as full paths below importFolder, in table order. Values that
// would lead outside the package, and values whose file did not arrive, are left out and
// listed in left.
platform::IniFile::KeyValues ImportedSources(const TSession &s, const platform::IniFile &index, const QString &section,
                                             const QString &importFolder, TLeftStandard &left) {
  platform::IniFile::KeyValues values;
  for (const TScene &scene : s.SceneTable) {
    const QString value = QS(index.ReadString(SS(section), SS(scene.FileName), ""));
    if (value.isEmpty()) continue;
    const TSource packaged = TSource::Parse(value);
    const TSource source = packaged.WithPath(importFolder + "\\" + packaged.Path());
    QString reason = UnsafeIndexValueReason(value);
    if (!reason.isEmpty()) {
      ++left.refused;
    } else if (!platform::FileExists(SS(source.Path()))) {
      reason = QStringLiteral("パッケージにありません");
      ++left.missing;
    } else {
      values.emplace_back(SS(scene.FileName), SS(source.Text()));
      continue;
    }
    left.lines += QStringLiteral("\n%1 :  %2 (%3)").arg(scene.Name, value, reason);
  }
  return values;
}

void TellLeftStandard(TSession &s, const QString &packageFile, const TLeftStandard &left) {
  if (left.lines.isEmpty()) return;
  if (left.missing)
    s.Dialogs.Message(
        QStringLiteral("パッケージファイルが壊れています: %1\n次の場面は標準のままにしました").arg(packageFile) +
        left.lines);
  else
    s.Dialogs.Message(QStringLiteral("次の場面はパッケージの外のファイルを指しているため標準のままにしました") +
                      left.lines);
}

TImportReport Stop(TImportResult result) {
  TImportReport report;
  report.Result = result;
  return report;
}

// A package that does not unpack whole would give a configuration of missing files.
TImportReport RefuseDamaged(TSession &s, const QString &packageFile) {
  s.Dialogs.Message(QStringLiteral("パッケージファイルを展開できません: ") + packageFile);
  return Stop(TImportResult::Damaged);
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
  switch (CheckPackageStart(packageFile)) {
    case TPackageStart::Header:
      break;
    case TPackageStart::NotAnArchive:
      return Stop(TImportResult::NotAnArchive);
    case TPackageStart::Damaged:
      return RefuseDamaged(s, packageFile);
  }
  const auto archive = MakeArchiveFile();
  archive->SetFileName(SS(packageFile));
  archive->SetArchiverType(archives::atLha);
  const QString work = s.WorkFolder.Path();
  if (work.isEmpty()) {
    s.Dialogs.Message(WorkFolderFailureText(s.WorkFolder));
    return Stop(TImportResult::NoWorkFolder);
  }
  if (!platform::ForceDirectories(SS(work))) return Stop(TImportResult::NoWorkFolder);
  TImportResult indexResult;
  const QString origName = ReadIndexSection(*archive, work, indexResult);
  if (origName.isEmpty()) return Stop(indexResult);
  QString name = asName.isEmpty() ? origName : asName;
  if (!SettleName(store, questions, name)) return Stop(TImportResult::Cancelled);

  const QString importFolder = ChooseImportFolder(QS(platform::ExtractFilePath(SS(store.SettingsPath()))));
  if (importFolder.isEmpty()) {
    s.Dialogs.Message(QStringLiteral("パッケージ展開用フォルダを確保できません"));
    return Stop(TImportResult::NoImportFolder);
  }
  TImportFolderGuard guard(importFolder);
  if (!platform::ForceDirectories(SS(importFolder))) {
    s.Dialogs.Message(QStringLiteral("ディレクトリを作成できません: ") + importFolder);
    return Stop(TImportResult::NoImportFolder);
  }
  const archives::TStringList all{"*"};
  // Damaged, cut inside an entry, or with names that would leave the folder.
  if (archive->Extract(nullptr, nullptr, SS(importFolder), &all) != 0) return RefuseDamaged(s, packageFile);
  const QString indexPath = importFolder + "\\" + kPackageIndex;
  const QString scratchPath = work + "\\" + kScratchName;
  if (!platform::FileExists(SS(indexPath))) return Stop(TImportResult::Damaged);
  if (platform::GetAttributes(SS(scratchPath)) && !platform::DeleteFile(SS(scratchPath)))
    return Stop(TImportResult::NoScratch);

  TLeftStandard left;
  {
    const platform::IniFile index(SS(indexPath));
    platform::IniFile scratch(SS(scratchPath));
    scratch.WriteStrings(SS(name), ImportedSources(s, index, origName, importFolder, left));
    store.SaveConfig(store.Settings(), store.CurrentConfig);
    store.LoadConfig(scratch, name);
    if (!store.SaveConfig(store.Settings(), name)) throw platform::EIniFileException(store.Settings().FileName());
  }
  guard.Keep();
  // The scene table holds the new configuration already: the list alone is read again.
  store.LoadConfigNames();
  store.SelectConfig(name);
  TellLeftStandard(s, packageFile, left);
  TImportReport report = Stop(left.missing ? TImportResult::Incomplete : TImportResult::Imported);
  report.Name = name;
  report.Refused = left.refused;
  report.Missing = left.missing;
  return report;
}

bool ImportPackage(TSession &s, const QString &packageFile, const QString &asName) {
  TDialogImportQuestions questions(s.Dialogs);
  return ImportPackage(s, packageFile, questions, asName).Stored();
}
