#include "cli.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "applyconvert.h"
#include "applyfailures.h"
#include "applyguard.h"
#include "applypreview.h"
#include "configlisting.h"
#include "copyfailuretext.h"
#include "coredialogs.h"
#include "core/fileops.h"
#include "core/inifile.h"
#include "core/winpath.h"
#include "damagedsettings.h"
#include "datafolder.h"
#include "gamerunning.h"
#include "gamefolder.h"
#include "gamesets.h"
#include "gameupdates.h"
#include "importanswers.h"
#include "languagechoice.h"
#include "packageexport.h"
#include "packageimport.h"
#include "qtcore/qstr.h"
#include "reporttexts.h"
#include "sources.h"
#include "stampcache.h"
#include "startup.h"
#include "terminaldialogs.h"

using platform::SS;

namespace {

void Out(const QString &line) { std::printf("%s\n", line.toUtf8().constData()); }
void Err(const QString &line) { std::fprintf(stderr, "melodeck: %s\n", line.toUtf8().constData()); }

// Paths are shown as the Linux paths they are: that is what a launcher's log reader can open.
QString Shown(const QString &windowsPath) {
  if (windowsPath.isEmpty()) return QCoreApplication::translate("Cli", "(none)");
  const std::string linux = platform::ToLinux(SS(windowsPath));
  return linux.empty() ? windowsPath : platform::QS(linux);
}

// The core's reports name Windows paths; the command line shows them as its other lines do.
TBackupReport Shown(TBackupReport report) {
  for (QString &path : report.Missing) path = Shown(path);
  for (QString &path : report.Ours) path = Shown(path);
  return report;
}

std::vector<TGameUpdate> Shown(std::vector<TGameUpdate> updates) {
  for (TGameUpdate &u : updates) {
    u.Target = Shown(u.Target);
    u.Backup = Shown(u.Backup);
    u.KeptAs = Shown(u.KeptAs);
  }
  return updates;
}

// A path given on the command line, made absolute against the current folder.
std::string FullPath(const QString &path) { return QFileInfo(path).absoluteFilePath().toStdString(); }

// Which of the game's music folders a copy goes to.
QString ClientName(const TGameSet &set, TClient client) {
  if (set.IsDigital()) return QStringLiteral("digital");
  return client == TClient::First ? "first" : "third-dawn";
}

// Everything the commands share: where the settings are, whether they exist, the game.
struct TContext {
  QString base;  // the store's "program path"
  TGame game;
  std::vector<TGameSet> sets;
  TTerminalDialogs dialogs;
};

// Tracks of the digital music that no command touches, told once.
void TellLeftOutTracks(const TContext &c) {
  for (const TGameSet &set : c.sets) {
    for (const QString &track : set.Ambiguous)
      Err(QCoreApplication::translate("Cli", "digital music: several files are named like %1; the track is left alone")
              .arg(track));
    if (set.SkippedLines == 1)
      Err(QCoreApplication::translate("Cli", "digital music: 1 line of %1 is no track and skipped")
              .arg(Shown(set.Index)));
    else if (set.SkippedLines > 1)
      Err(QCoreApplication::translate("Cli", "digital music: %1 lines of %2 are no track and skipped")
              .arg(QString::number(set.SkippedLines), Shown(set.Index)));
  }
}

// Totals of a command over every music set.
struct TTotals {
  int a = 0, b = 0, c = 0;
};

// Settings files with lines that can't be read: said on standard error; a command that writes
// keeps the file as it is beside it first.
void TellDamagedSettings(const QString &base, bool writes) {
  for (const char *ext : {".ini", ".dat"}) {
    const auto damaged = KeepDamagedSettings(platform::QS(platform::ChangeFileExt(SS(base), ext)), writes);
    if (!damaged) continue;
    QStringList lines;
    for (const int line : damaged->Lines) lines << QString::number(line);
    // One call fills every value: a path holding "%2" stays as it is.
    const bool one = lines.size() == 1;
    const QString file = Shown(damaged->File), numbers = lines.join(QStringLiteral(", "));
    if (damaged->KeptAs.isEmpty())
      Err((one ? QCoreApplication::translate(
                     "Cli", "the settings file %1 has lines that can't be read (line %2); they are not used")
               : QCoreApplication::translate(
                     "Cli", "the settings file %1 has lines that can't be read (lines %2); they are not used"))
              .arg(file, numbers));
    else
      Err((one ? QCoreApplication::translate("Cli",
                                             "the settings file %1 has lines that can't be read (line %2); they "
                                             "are not used; the file as it was is kept as %3")
               : QCoreApplication::translate("Cli",
                                             "the settings file %1 has lines that can't be read (lines %2); they "
                                             "are not used; the file as it was is kept as %3"))
              .arg(file, numbers, Shown(damaged->KeptAs)));
  }
}

// gameArgument: the game for this run (--game), a Linux or Windows path; empty: the chosen one.
int Prepare(TContext &c, bool writes, const QString &gameArgument) {
  const std::string program = platform::ToLinux(platform::ProgramPath());
  if (program.empty()) {
    Err(QCoreApplication::translate("CliStart", "the program's own path can't be read from /proc/self/exe"));
    return ecError;
  }
  c.base = SettingsBasePath(program);
  if (c.base.isEmpty()) {
    Err(QCoreApplication::translate("Cli", "no folder for the settings: $XDG_DATA_HOME/melodeck can't be made"));
    return ecError;
  }
  const QString settings = platform::QS(platform::ChangeFileExt(SS(c.base), ".ini"));
  if (!platform::FileExists(SS(settings))) {
    // The first start asks the user to confirm that the game's music is still its own before
    // it is taken as the backup: only the window asks that.
    Err(QCoreApplication::translate(
            "Cli", "there are no settings yet (%1): start Melodeck's window once and confirm its first question")
            .arg(Shown(settings)));
    return ecNotSetUp;
  }
  TellDamagedSettings(c.base, writes);
  UseStampFile(platform::ToLinux(platform::ChangeFileExt(SS(c.base), ".stamps")));
  std::optional<TGameRequest> request;
  if (!gameArgument.isEmpty()) {
    const TGameLookup lookup = LookUpGameArgument(gameArgument);
    if (!lookup.Game) {
      Err(GameLookupLine(lookup));
      return ecError;
    }
    request = TGameRequest{*lookup.Game, false};
  }
  const auto found = FindGames(TRegistryHives::Load(platform::Paths().Prefix()), settings, request, c.dialogs);
  if (!found) return ecError;
  c.game = found->Games[found->Chosen];
  c.sets = GameSets(c.game);
  if (c.sets.empty()) {
    Err(QCoreApplication::translate("Cli", "the game in %1 has no music to manage").arg(Shown(c.game.Folder)));
    return ecError;
  }
  TellLeftOutTracks(c);
  return ecOK;
}

int List(TContext &c) {
  TSession session(c.base, c.sets.front(), c.dialogs);
  const QStringList names = ConfigNamesIn(session.Store.Settings());
  const QString last = session.Store.LastConfig();
  bool marked = false;
  for (const QString &name : names) {
    const bool applied = !marked && name.compare(last, Qt::CaseInsensitive) == 0;
    marked = marked || applied;
    Out((applied ? "* " : "  ") + name);
  }
  return ecOK;
}

// The configuration's name as listed; empty (after a message) when there is none.
QString FindConfig(const platform::IniFile &settings, const QString &asked) {
  for (const QString &name : ConfigNamesIn(settings))
    if (name.compare(asked, Qt::CaseInsensitive) == 0) return name;
  Err(QCoreApplication::translate("Cli", "there is no configuration \"%1\" (melodeck --list shows them)").arg(asked));
  return QString();
}

// After a copy's line: why an archive entry has no file when the work folder can't be made.
QString NoWorkFolder(TSession &session, const TApplyCopy &copy) {
  if (!copy.Source.isEmpty() || !TSource::Parse(session.SceneTable[copy.Scene].Source).IsEntry() ||
      session.WorkFolder.Error().isEmpty())
    return {};
  return QCoreApplication::translate("Cli", "  (no work folder: %1)").arg(session.WorkFolder.Error());
}

void SayWorkFolderFailure(TSession &session) {
  if (!session.WorkFolder.Error().isEmpty())
    Err(QCoreApplication::translate("Cli", "archive entries can't be extracted: no work folder (%1)")
            .arg(session.WorkFolder.Error()));
}

// After a copy's line of --dry-run: whether its tune is converted first.
QString ConvertNote(const TPlannedCopy &p) {
  switch (p.Convert) {
    case TPlannedConvert::Needed:
      return QCoreApplication::translate("Cli", " (to convert)");
    case TPlannedConvert::Cached:
      return QCoreApplication::translate("Cli", " (converted before, cached)");
    case TPlannedConvert::Fails:
      return QCoreApplication::translate("Cli", " (can't convert: %1)").arg(p.ConvertError);
    case TPlannedConvert::None:
      break;
  }
  return {};
}

// A line for each tune an apply converts, as it is made or found in the cache.
class TConvertLines : public TConvertProgress {
 public:
  explicit TConvertLines(const TGameSet &set) : set_(set) {}
  bool Tick(int, int, const QString &) override { return true; }
  void Finished(const TTuneToConvert &tune, const TConvertedTune &result, int done, int total) override {
    const QString what = !result.Error.isEmpty() ? QCoreApplication::translate("CliStatus", "FAILED")
                         : result.FromCache      ? QCoreApplication::translate("CliStatus", "cached")
                                                 : QCoreApplication::translate("CliStatus", "converted");
    const QString why = result.Error.isEmpty() ? QString() : ": " + result.Error;
    // One call fills every value: a source named with "%5" stays as it is.
    Out(QStringLiteral("%1  %2 %3: %4 (%5/%6%7)")
            .arg(what.leftJustified(9), tune.Track, ClientName(set_, TClient::First), Shown(tune.Source),
                 QString::number(done), QString::number(total), why));
  }

 private:
  const TGameSet &set_;
};

void DryRunSet(TContext &c, const TGameSet &set, const QString &name, TTotals &t) {
  TSession session(c.base, set, c.dialogs);
  int &changes = t.a, &same = t.b, &missing = t.c;
  for (const TPlannedCopy &p : PreviewApply(session, name)) {
    const QString what = p.Change == TPlannedChange::Changes ? QCoreApplication::translate("CliStatus", "change")
                         : p.Change == TPlannedChange::Same  ? QCoreApplication::translate("CliStatus", "same")
                                                             : QCoreApplication::translate("CliStatus", "missing");
    (p.Change == TPlannedChange::Changes ? changes : p.Change == TPlannedChange::Same ? same : missing)++;
    Out(QStringLiteral("%1  %2 %3: %4 -> %5")
            .arg(what, -7)
            .arg(session.SceneTable[p.Copy.Scene].FileName, ClientName(set, p.Copy.Client), Shown(p.Copy.Source),
                 Shown(p.Copy.Target)) +
        ConvertNote(p) + NoWorkFolder(session, p.Copy));
  }
  SayWorkFolderFailure(session);
  session.WorkFolder.Remove();
}

int DryRun(TContext &c, const QString &asked) {
  const QString name = FindConfig(platform::IniFile(platform::ChangeFileExt(SS(c.base), ".ini")), asked);
  if (name.isEmpty()) return ecUnknownConfig;
  TTotals t;
  for (const TGameSet &set : c.sets) DryRunSet(c, set, name, t);
  const int changes = t.a, same = t.b, missing = t.c;
  Out(QCoreApplication::translate("Cli", "%1: %2 would change, %3 unchanged, %4 missing; nothing was written")
          .arg(name, QString::number(changes), QString::number(same), QString::number(missing)));
  return missing ? ecCopiesFailed : ecOK;
}

// Applies the configuration to one music set of the game; false when a copy failed or a file
// was missing.
bool ApplySet(TContext &c, const TGameSet &set, const QString &name, TTotals &t) {
  TSession session(c.base, set, c.dialogs);
  TellGameUpdates(c.dialogs, Shown(AdoptGameUpdates(set.Folders, session.Store.SettingsPath(),
                                                    QDateTime::currentDateTime(), set.Set)));
  // Only the configuration applied is loaded: a missing backup is told once.
  session.Store.LoadSceneNames();
  ShowBackupReport(c.dialogs, Shown(session.Store.LoadConfig(name)));
  TConvertLines convertLines(set);
  const TApplyReport report = ApplyConfig(session, {}, &convertLines);
  for (const TApplyOutcome &o : report.Outcomes) {
    const TApplyCopy &copy = o.Copy;
    const QString what = o.Result == TCopyResult::Copied   ? QCoreApplication::translate("CliStatus", "copied")
                         : o.Result == TCopyResult::Failed ? QCoreApplication::translate("CliStatus", "FAILED")
                                                           : QCoreApplication::translate("CliStatus", "MISSING");
    // An archive entry without a work folder to extract it to: that is its one reason.
    const QString noWorkFolder = NoWorkFolder(session, copy);
    const QString why = o.Result == TCopyResult::Copied || !noWorkFolder.isEmpty() ? QString()
                        : !o.ConvertError.isEmpty()                                ? o.ConvertError
                        : o.Refusal != TRefusal::None                              ? RefusalReason(o.Refusal)
                                                                                   : CopyFailureReason(o.Reason);
    Out(QStringLiteral("%1  %2 %3: %4 -> %5%6")
            .arg(what, -7)
            .arg(session.SceneTable[copy.Scene].FileName, ClientName(set, copy.Client), Shown(copy.Source),
                 Shown(copy.Target), why.isEmpty() ? QString() : " (" + why + ")") +
        noWorkFolder);
  }
  SayWorkFolderFailure(session);
  session.WorkFolder.Remove();
  for (const TKeptFile &k : report.Kept)
    Out(QStringLiteral("%1  %2 %3: %4 -> %5")
            .arg(QCoreApplication::translate("CliStatus", "kept"), -7)
            .arg(session.SceneTable[k.Copy.Scene].FileName, ClientName(set, k.Copy.Client), Shown(k.Copy.Target),
                 Shown(k.KeptAs)));
  if (!report.RecordNotSaved.isEmpty())
    Err(QCoreApplication::translate("Cli", "the record of written files can't be saved (%1): no game file was replaced")
            .arg(Shown(report.RecordNotSaved)));
  t.a += report.Copied;
  t.b += report.Failed;
  t.c += report.Missing;
  // The window's messages on standard error, with the paths of standard output.
  platform::Dialogs &messages = c.dialogs;
  for (const QString &message :
       FailureMessages(FailureLines(report.Outcomes, [](const QString &path) { return Shown(path); }), report.Outcomes))
    messages.Message(message);
  return !(report.Failed || report.Missing);
}

int Apply(TContext &c, const QString &asked) {
  const QString name = FindConfig(platform::IniFile(platform::ChangeFileExt(SS(c.base), ".ini")), asked);
  if (name.isEmpty()) return ecUnknownConfig;
  bool running = false;
  for (const TGameSet &set : c.sets) running = running || IsGameRunning(set.Folders);
  if (running)
    Err(QCoreApplication::translate(
        "Cli", "warning: the game is running; the piece it is playing now does not change until it loads it again"));
  TTotals t;
  bool complete = true;
  for (const TGameSet &set : c.sets) complete = ApplySet(c, set, name, t) && complete;
  Out(QCoreApplication::translate("Cli", "%1: %2 copied, %3 failed, %4 missing")
          .arg(name, QString::number(t.a), QString::number(t.b), QString::number(t.c)));
  return complete ? ecOK : ecCopiesFailed;
}

int Export(TContext &c, const QString &asked, const QString &file) {
  TSession session(c.base, c.sets.front(), c.dialogs);
  // Only the configuration exported is loaded: a missing backup is told once.
  session.Store.LoadConfigNames();
  const QString name = FindConfig(session.Store.Settings(), asked);
  if (name.isEmpty()) return ecUnknownConfig;
  ShowBackupReport(c.dialogs, Shown(session.Store.LoadConfig(name)));
  session.Store.SelectConfig(name);
  const bool written = ExportPackage(session, platform::QS(platform::ToWindows(FullPath(file))));
  session.WorkFolder.Remove();
  return written ? ecOK : ecError;
}

int Import(TContext &c, const QString &file, const QString &as, bool overwrite) {
  TSession session(c.base, c.sets.front(), c.dialogs);
  session.Store.LoadConfigNames();
  const QString package = platform::QS(platform::ToWindows(FullPath(file)));
  if (!IsPackageFile(package)) {
    Err(QCoreApplication::translate("Cli", "not a package file (.mdk): %1").arg(file));
    return ecError;
  }
  TImportAnswers answers(overwrite);
  const TImportReport report = ImportPackage(session, package, answers, as);
  TImportReport shown = report;
  shown.Backups = Shown(report.Backups);
  ShowImportReport(session, shown);
  if (report.Stored()) Out(QCoreApplication::translate("Cli", "imported as \"%1\"").arg(report.Name));
  const QString problem = ImportOutcomeProblem(report, answers, file);
  if (!problem.isEmpty()) Err(problem);
  session.WorkFolder.Remove();
  if (!report.Stored()) return ecError;
  return report.Result == TImportResult::Incomplete ? ecCopiesFailed : ecOK;
}

}  // namespace

QString WindowGameArgument(int argc, char **argv) {
  const QString first = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  if (argc == 3 && first == QLatin1String("--game")) return QString::fromLocal8Bit(argv[2]);
  if (argc == 2 && first.startsWith(QLatin1String("--game="))) return first.mid(7);
  return {};
}

bool IsCommandLine(int argc, char **argv) {
  if (!WindowGameArgument(argc, argv).isEmpty()) return false;
  for (int i = 1; i < argc; ++i)
    if (argv[i][0] == '-') return true;
  return false;
}

int RunCommandLine(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const std::string program = platform::ToLinux(platform::ProgramPath());
  ChooseLanguage(program.empty() ? QString() : SettingsBasePath(program));
  QCoreApplication::setApplicationName(QStringLiteral("melodeck"));
  QCoreApplication::setApplicationVersion(QStringLiteral(MELODECK_VERSION));
  QCommandLineParser parser;
  parser.setApplicationDescription(QCoreApplication::translate(
      "CliHelp",
      "Melodeck: the game's background music, by configuration.\n"
      "Without options the window opens (with FILE.mdk, to import that package).\n"
      "Exit status: 0 done, 1 error, 2 unknown configuration, 3 copies failed or files missing,\n"
      "4 another Melodeck is running, 5 no settings yet (start the window once)."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption list(
      QStringLiteral("list"),
      QCoreApplication::translate("CliHelp", "The configurations, one a line; * marks the last applied."));
  const QCommandLineOption apply(QStringLiteral("apply"),
                                 QCoreApplication::translate("CliHelp", "Applies configuration NAME without a window."),
                                 QStringLiteral("NAME"));
  const QCommandLineOption dryRun(
      QStringLiteral("dry-run"),
      QCoreApplication::translate("CliHelp", "With --apply: show what would be copied; write nothing."));
  const QCommandLineOption exportPackage(
      QStringLiteral("export"),
      QCoreApplication::translate("CliHelp", "Writes configuration NAME with its music as package FILE.mdk."),
      QStringLiteral("NAME"));
  const QCommandLineOption importPackage(QStringLiteral("import"),
                                         QCoreApplication::translate("CliHelp", "Imports package FILE.mdk."),
                                         QStringLiteral("FILE.mdk"));
  const QCommandLineOption as(QStringLiteral("as"),
                              QCoreApplication::translate("CliHelp", "With --import: store it under NAME."),
                              QStringLiteral("NAME"));
  const QCommandLineOption overwrite(
      QStringLiteral("overwrite"),
      QCoreApplication::translate("CliHelp", "With --import: replace a configuration of the same name."));
  const QCommandLineOption game(
      QStringLiteral("game"),
      QCoreApplication::translate("CliHelp",
                                  "The game to work on, by its folder (a Linux path or a Windows path of the prefix); "
                                  "alone: opens the window on it and keeps it."),
      QStringLiteral("DIR"));
  parser.addOptions({list, apply, dryRun, exportPackage, importPackage, as, overwrite, game});
  parser.addPositionalArgument(
      QStringLiteral("FILE.mdk"),
      QCoreApplication::translate("CliHelp",
                                  "A package to import (opens the window); with --export, the package to write."));
  if (!parser.parse(QCoreApplication::arguments())) {
    Err(parser.errorText());
    return ecError;
  }
  if (parser.isSet(QStringLiteral("help"))) parser.showHelp(ecOK);
  if (parser.isSet(QStringLiteral("help-all"))) parser.process(QCoreApplication::arguments());  // shows it, ends
  if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
  const int commands =
      parser.isSet(list) + parser.isSet(apply) + parser.isSet(exportPackage) + parser.isSet(importPackage);
  const qsizetype files = parser.positionalArguments().size();
  if (commands != 1 || (parser.isSet(dryRun) && !parser.isSet(apply)) ||
      ((parser.isSet(as) || parser.isSet(overwrite)) && !parser.isSet(importPackage)) ||
      files != (parser.isSet(exportPackage) ? 1 : 0)) {
    Err(QCoreApplication::translate("Cli",
                                    "give one of --list, --apply NAME [--dry-run], --export NAME FILE.mdk or --import "
                                    "FILE.mdk [--as NAME] [--overwrite] (--help tells more)"));
    return ecError;
  }

  // Commands that write take the instance lock, as the window does, and hold it to the end.
  platform::InstanceLock lock;
  const bool writes =
      (parser.isSet(apply) && !parser.isSet(dryRun)) || parser.isSet(exportPackage) || parser.isSet(importPackage);
  if (writes && !AcquireInstance(lock)) {
    Err(QCoreApplication::translate(
        "Cli", "another Melodeck is running: close its window (or wait for the other command) and try again"));
    return ecAnotherRunning;
  }
  TContext c;
  if (const int status = Prepare(c, writes, parser.value(game)); status != ecOK) return status;
  // What ends a command in the window (an archive error, a settings file that can't be
  // written) ends it here with its message.
  auto run = [&]() -> int {
    if (parser.isSet(list)) return List(c);
    if (parser.isSet(dryRun)) return DryRun(c, parser.value(apply));
    if (parser.isSet(exportPackage))
      return Export(c, parser.value(exportPackage), parser.positionalArguments().first());
    if (parser.isSet(importPackage))
      return Import(c, parser.value(importPackage), parser.value(as), parser.isSet(overwrite));
    return Apply(c, parser.value(apply));
  };
  try {
    return run();
  } catch (const std::exception &e) {
    Err(QString::fromUtf8(e.what()));
    return ecError;
  }
}
