#include "packageimport.h"

#include <gtest/gtest.h>

#include <set>

#include "coredialogs.h"
#include "apply.h"
#include "core/text.h"
#include "extraction.h"
#include "rawarchives.h"
#include "packageexport.h"
#include "packageworld.h"
#include "sources.h"

using platform::TModalResult;
using testsupport::TestWorld;

namespace {

std::string Cp932(const std::string &utf8) {
  std::string out;
  EXPECT_TRUE(platform::Cp932Encode(utf8, out));
  return out;
}

// The contents of the file a scene plays, an archive entry extracted.
std::string SceneBytes(PackageWorld &p, int scene) {
  const TSource source = TSource::Parse(p.s->SceneTable[scene].Source);
  const QString file =
      source.IsEntry() ? ExtractSource(source, true, p.s->WorkFolder) : source.Resolve(TClient::First, p.s->Folders);
  return TestWorld::ReadFile(p.Linux(file));
}

std::map<std::string, std::string> GameMusic(PackageWorld &p) {
  std::map<std::string, std::string> files;
  for (const std::string &f : testsupport::GameMusicFiles())
    files[f] = TestWorld::ReadFile(p.Linux(p.s->Folders.MusicDir + "\\" + QString::fromStdString(f)));
  return files;
}

}  // namespace

class Import : public testing::Test, public PackageWorld {
 protected:
  Import() : PackageWorld("[Summer]\r\napproach.mid=C:\\keep.mid\r\n") {}

  // A package made by jlha from files (name → data, index.ini first), at "C:\dl\<name>".
  QString JlhaPackage(const std::string &name, const std::vector<std::pair<std::string, std::string>> &files) {
    const std::string dir = w.Linux("stage_" + name);
    std::string names;
    for (const auto &[file, data] : files) {
      const std::string path = dir + "/" + file;
      TestWorld::MakeDirs(path.substr(0, path.rfind('/')));
      TestWorld::WriteFile(path, data);
      names += " " + arctest::Q(file);
    }
    const QString package = Put("dl/" + name, "");
    std::remove(Linux(package).c_str());
    std::string out;
    EXPECT_EQ(arctest::Sh("jlha a " + arctest::Q(Linux(package)) + names, &out, dir), 0) << out;
    return package;
  }
  QString IndexedPackage(const std::string &name, const std::string &index) {
    return JlhaPackage(name, {{"index.ini", Cp932(index)},
                              {"town.mid", testsupport::MakeMidiTune(7)},
                              {"sub/fight.mid", testsupport::MakeMidiTune(8)}});
  }
  QString PackageFolder(int n) const {
    return QString::fromStdString(w.world.Windows("prog")) + QString::asprintf("\\Package\\%.3d", n);
  }
  bool PackagesLeft() const { return TestWorld::Exists(ProgLinux("Package/000")); }
  QString Source(const char *fileName) { return s->SceneTable[Scene(fileName)].Source; }
};

TEST(ImportRoundTrip, AnExportedConfigurationComesBackWithTheSameFilesOnAnotherPrefix) {
  const QString name = QString::fromUtf8("夏の曲");
  std::string package;
  std::map<int, std::string> originals;
  std::map<std::string, std::string> applied;
  {
    PackageWorld a;
    a.Assign("approach.mid", a.Tune("曲/町.mid", 1));
    a.Assign("britain1.mid", a.Tune("曲/甲/戦い.mid", 2));
    a.Assign("britain2.mid", a.Tune("曲/乙/戦い.mid", 3));
    const QString set = a.Lzh("書庫/集め.lzh", {{"cave/deep.mid", testsupport::MakeMidiTune(4)}, {"b.mid", "B"}});
    a.Assign("combat1.mid", set + "|cave/deep.mid");
    a.Assign("combat2.mid", "britain1.mid");
    a.Assign("yew.mid", a.Tune("曲/甲/戦い.mid", 2));
    a.StoreAs(name);
    for (int i = 0; i < a.s->SceneTable.size(); ++i) originals[i] = SceneBytes(a, i);
    const QString mdk = a.Put("out/夏.mdk", "");
    ExportPackage(*a.s, mdk);
    ASSERT_EQ(a.w.dialogs.Texts(), QStringList{QString::fromUtf8("パッケージファイルを作成しました")});
    package = TestWorld::ReadFile(a.Linux(mdk));
    ApplyConfig(*a.s);
    applied = GameMusic(a);
  }
  testsupport::FakePrefixOptions other;
  other.firstDir = "C:\\Games\\UO";
  PackageWorld b("", other);
  const QString mdk = b.Put("dl/夏.mdk", package);
  b.w.dialogs.Answer(TModalResult::OK);
  ASSERT_TRUE(ImportPackage(*b.s, mdk));
  EXPECT_EQ(b.w.dialogs.Texts(), QStringList{QString::fromUtf8("夏の曲を読み込みますか？")});
  EXPECT_EQ(b.s->Store.CurrentConfig, name);
  EXPECT_EQ(b.s->Store.ConfigNames().value(b.s->Store.SelectedConfig()), name);
  EXPECT_EQ(b.s->Store.Settings().ReadSection(name.toStdString()).size(), 49u);
  const QString folder = QString::fromStdString(b.w.world.Windows("prog")) + "\\Package\\000\\";
  EXPECT_EQ(b.s->SceneTable[b.Scene("combat1.mid")].Source, folder + QString::fromUtf8("集め.lzh|cave/deep.mid"));
  EXPECT_EQ(b.s->SceneTable[b.Scene("britain2.mid")].Source, folder + QString::fromUtf8("001\\戦い.mid"));
  for (int i = 0; i < b.s->SceneTable.size(); ++i) EXPECT_EQ(SceneBytes(b, i), originals[i]) << i;
  ApplyConfig(*b.s);
  EXPECT_EQ(GameMusic(b), applied);
}

TEST_F(Import, APackageMadeByJlhaWithAHandWrittenIndexImports) {
  const QString package =
      IndexedPackage("hand.mdk", "[手書き]\r\nbritain1.mid=town.mid\r\ncombat1.mid=sub\\fight.mid\r\nyew.mid=\r\n");
  w.dialogs.Answer(TModalResult::OK);
  ASSERT_TRUE(ImportPackage(*this->s, package));
  EXPECT_EQ(Source("britain1.mid"), PackageFolder(0) + "\\town.mid");
  EXPECT_EQ(Source("combat1.mid"), PackageFolder(0) + "\\sub\\fight.mid");
  EXPECT_EQ(Source("yew.mid"), "yew.mid");
  EXPECT_EQ(TestWorld::ReadFile(Linux(Source("combat1.mid"))), testsupport::MakeMidiTune(8));
  EXPECT_EQ(s->Store.ConfigNames(), (QStringList{"標準", "Summer", "手書き"}));
  EXPECT_EQ(QString::fromStdString(s->Store.Settings().ReadString("Summer", "approach.mid", "")), "C:\\keep.mid");
}

TEST_F(Import, FilesThatAreNoWholePackageLeaveNoConfigurationAndNoFolder) {
  const QString good = IndexedPackage("good.mdk", "[Broken]\r\nbritain1.mid=town.mid\r\n");
  const std::string bytes = TestWorld::ReadFile(Linux(good));
  TestWorld::MakeDirs(w.Linux("zipsrc"));
  TestWorld::WriteFile(w.Linux("zipsrc/index.ini"), "[Zipped]\r\nbritain1.mid=town.mid\r\n");
  ASSERT_EQ(arctest::Sh("zip -q z.zip index.ini", nullptr, w.Linux("zipsrc")), 0);
  const struct {
    QString file;
    bool asks;  // the index was read: the name is asked before the rest is unpacked
  } cases[] = {
      {Put("dl/zip.mdk", TestWorld::ReadFile(w.Linux("zipsrc/z.zip"))), false},
      {JlhaPackage("noindex.mdk", {{"town.mid", "x"}}), false},
      {Put("dl/truncated.mdk", bytes.substr(0, bytes.size() - 200)), true},
      {Put("dl/empty.mdk", ""), false},
      {Put("dl/text.mdk", "[Text]\r\nbritain1.mid=town.mid\r\n"), false},
      {Put("dl/x", "").chopped(1) + "missing.mdk", false},
  };
  for (const auto &c : cases) {
    w.dialogs.Clear();
    if (c.asks) w.dialogs.Answer(TModalResult::OK);
    EXPECT_FALSE(ImportPackage(*s, c.file)) << c.file.toStdString();
    EXPECT_TRUE(w.dialogs.AllAnswersUsed()) << c.file.toStdString();
    EXPECT_EQ(w.dialogs.Texts().size(), c.asks ? 2 : 0) << c.file.toStdString();
    EXPECT_EQ(s->Store.ConfigNames(), (QStringList{"標準", "Summer"})) << c.file.toStdString();
    EXPECT_FALSE(PackagesLeft()) << c.file.toStdString();
  }
}

TEST_F(Import, TwiceGivesTwoFoldersAndTheSecondOverwritesOnYes) {
  const QString package = IndexedPackage("twice.mdk", "[Twice]\r\nbritain1.mid=town.mid\r\n");
  w.dialogs.Answer(TModalResult::OK);
  ASSERT_TRUE(ImportPackage(*s, package));
  w.dialogs.Answer(TModalResult::Yes);
  ASSERT_TRUE(ImportPackage(*s, package));
  EXPECT_EQ(arctest::Tree(ProgLinux("Package/000")), arctest::Tree(ProgLinux("Package/001")));
  EXPECT_EQ(arctest::Tree(ProgLinux("Package/000")).size(), 3u);
  EXPECT_EQ(Source("britain1.mid"), PackageFolder(1) + "\\town.mid");
  EXPECT_EQ(QString::fromStdString(s->Store.Settings().ReadString("Twice", "britain1.mid", "")),
            PackageFolder(1) + "\\town.mid");
  EXPECT_EQ(s->Store.ConfigNames(), (QStringList{"標準", "Summer", "Twice"}));
}

TEST_F(Import, ATakenNameIsAskedAboutAndTheIndexIsStillReadUnderItsOwnName) {
  const QString package = IndexedPackage("summer.mdk", "[summer]\r\nbritain1.mid=town.mid\r\n");
  w.dialogs.Answer(TModalResult::No);
  w.dialogs.AnswerInput("Autumn");
  ASSERT_TRUE(ImportPackage(*s, package));
  EXPECT_EQ(s->Store.ConfigNames(), (QStringList{"標準", "Summer", "Autumn"}));
  EXPECT_EQ(s->Store.CurrentConfig, "Autumn");
  EXPECT_EQ(Source("britain1.mid"), PackageFolder(0) + "\\town.mid");
  EXPECT_EQ(QString::fromStdString(s->Store.Settings().ReadString("Summer", "approach.mid", "")), "C:\\keep.mid");

  w.dialogs.Answer(TModalResult::Cancel);
  EXPECT_FALSE(ImportPackage(*s, package));
  EXPECT_FALSE(TestWorld::Exists(ProgLinux("Package/001")));
}

TEST_F(Import, ANewNameIsConfirmedAndCancelLeavesNoFolder) {
  const QString package = IndexedPackage("new.mdk", "[Winter]\r\nbritain1.mid=town.mid\r\n");
  w.dialogs.Answer(TModalResult::Cancel);
  EXPECT_FALSE(ImportPackage(*s, package));
  EXPECT_EQ(w.dialogs.Texts(), QStringList{"Winterを読み込みますか？"});
  EXPECT_EQ(w.dialogs.Shown()[0].buttons, platform::mbOKCancel);
  EXPECT_FALSE(TestWorld::Exists(ProgLinux("Package")));
  EXPECT_EQ(s->Store.ConfigNames(), (QStringList{"標準", "Summer"}));
}

// The standard configuration is never stored: such a package needs another name, and without
// one nothing is imported and nothing is left behind.
TEST_F(Import, AStandardNamedPackageLeavesTheStandardConfigurationAsItIs) {
  const QString package = IndexedPackage("std.mdk", "[標準]\r\nbritain1.mid=town.mid\r\n");
  w.dialogs.CancelInput();
  EXPECT_FALSE(ImportPackage(*s, package));
  EXPECT_EQ(w.dialogs.Texts(), (QStringList{"\"標準\" は有効な名前ではありません", "新しい設定名を入力してください"}));
  EXPECT_FALSE(s->Store.Settings().SectionExists("標準"));
  EXPECT_EQ(s->Store.CurrentConfig, kStandardConfig);
  EXPECT_EQ(s->Store.SelectedConfig(), 0);
  for (const TScene &scene : s->SceneTable) EXPECT_EQ(scene.Source, scene.FileName);
  EXPECT_FALSE(TestWorld::Exists(ProgLinux("Package")));

  w.dialogs.AnswerInput("Winter");
  EXPECT_TRUE(ImportPackage(*s, package));
  EXPECT_FALSE(s->Store.Settings().SectionExists("標準"));
  EXPECT_EQ(s->Store.CurrentConfig, "Winter");
  EXPECT_EQ(Source("britain1.mid"), PackageFolder(0) + "\\town.mid");
}

TEST_F(Import, ANameTheSettingsCannotHoldIsReplacedByTheUser) {
  const QString package = IndexedPackage("settings.mdk", "[melodeck]\r\nbritain1.mid=town.mid\r\n");
  w.dialogs.AnswerInput("x");  // too short: asked again
  w.dialogs.AnswerInput("Spring");
  ASSERT_TRUE(ImportPackage(*s, package));
  EXPECT_EQ(w.dialogs.Texts(), (QStringList{"\"melodeck\" は有効な名前ではありません", "新しい設定名を入力してください",
                                            "\"x\" は有効な名前ではありません", "新しい設定名を入力してください"}));
  EXPECT_EQ(s->Store.CurrentConfig, "Spring");
  EXPECT_FALSE(s->Store.Settings().ValueExists("melodeck", "britain1.mid"));
}

TEST_F(Import, IndexValuesLeadingOutsideThePackageGiveNoKeyAndAreListed) {
  const QString package = IndexedPackage(
      "evil.mdk",
      "[Evil]\r\napproach.mid=town.mid\r\nbritain1.mid=..\\..\\melodeck.ini\r\nbritain2.mid=C:\\windows\\x.mid\r\n"
      "combat1.mid=\\\\server\\share\\x.mid\r\ncombat2.mid=set.lzh|../../x.mid\r\n");
  w.dialogs.Answer(TModalResult::OK);
  ASSERT_TRUE(ImportPackage(*s, package));
  EXPECT_EQ(Source("approach.mid"), PackageFolder(0) + "\\town.mid");
  for (const char *f : {"britain1.mid", "britain2.mid", "combat1.mid", "combat2.mid"}) EXPECT_EQ(Source(f), f);
  const QStringList texts = w.dialogs.Texts();
  ASSERT_EQ(texts.size(), 2);
  const QStringList lines = texts[1].split('\n');
  ASSERT_EQ(lines.size(), 5) << texts[1].toStdString();
  EXPECT_EQ(lines[1],
            s->SceneTable[Scene("britain1.mid")].Name + " :  ..\\..\\melodeck.ini (パッケージの外を指しています)");
  EXPECT_EQ(lines[4], s->SceneTable[Scene("combat2.mid")].Name + " :  set.lzh|../../x.mid (書庫の外を指しています)");
}

TEST_F(Import, StoredNamesLeavingTheFolderRefuseThePackageAndLandNowhere) {
  // No packing command stores such names: the archive is made by our codec directly.
  const QString package = Put("dl/names.mdk", "");
  TestWorld::WriteFile(Linux(package), arctest::MakeLha({{"index.ini", "[Names]\r\napproach.mid=x.mid\r\n"},
                                                         {"../escape.mid", "payload"},
                                                         {"../../prog/escape.mid", "payload"},
                                                         {"x.mid", "x"}}));
  w.dialogs.Answer(TModalResult::OK);
  EXPECT_FALSE(ImportPackage(*s, package));
  EXPECT_EQ(w.dialogs.Texts().value(1), "パッケージファイルを展開できません: " + package);
  EXPECT_FALSE(TestWorld::Exists(ProgLinux("Package")));
  EXPECT_FALSE(TestWorld::Exists(ProgLinux("escape.mid")));
  EXPECT_FALSE(TestWorld::Exists(w.Linux("escape.mid")));
  EXPECT_EQ(s->Store.ConfigNames(), (QStringList{"標準", "Summer"}));
}

// The index comes from the package being imported, never from an earlier import.
TEST_F(Import, AnIndexThatDoesNotArriveIsNotReplacedByAnOldOne) {
  TestWorld::MakeDirs(Linux(WorkFolder()));
  TestWorld::WriteFile(Linux(WorkFolder() + "\\index.ini"), "[Old]\r\napproach.mid=x.mid\r\n");
  const QString package = Put("dl/crc.mdk", "");
  TestWorld::WriteFile(Linux(package),
                       arctest::MakeLha({{"index.ini", "[New]\r\napproach.mid=x.mid\r\n"}, {"x.mid", "x"}}));
  std::string bytes = TestWorld::ReadFile(Linux(package));
  bytes.replace(bytes.find("[New]"), 5, "[Nex]");  // the entry's CRC no longer holds
  TestWorld::WriteFile(Linux(package), bytes);
  EXPECT_FALSE(ImportPackage(*s, package));
  EXPECT_TRUE(w.dialogs.Texts().isEmpty());
  EXPECT_FALSE(TestWorld::Exists(Linux(WorkFolder() + "\\index.ini")));
}

TEST_F(Import, AStopAfterUnpackingRemovesTheFolderAgain) {
  // The index unpacks and the name is settled; then the music entry fails its check.
  const QString package = Put("dl/late.mdk", "");
  TestWorld::WriteFile(Linux(package), arctest::MakeLha({{"index.ini", "[Late]\r\nbritain1.mid=town.mid\r\n"},
                                                         {"town.mid", "melody-bytes"}}));
  std::string bytes = TestWorld::ReadFile(Linux(package));
  bytes.replace(bytes.find("melody-bytes"), 12, "melodz-bytes");
  TestWorld::WriteFile(Linux(package), bytes);
  w.dialogs.Answer(TModalResult::OK);
  EXPECT_FALSE(ImportPackage(*s, package));
  EXPECT_FALSE(PackagesLeft());
  EXPECT_EQ(s->Store.ConfigNames(), (QStringList{"標準", "Summer"}));

  TestWorld::MakeDirs(ProgLinux("Package/000"));
  TestWorld::WriteFile(ProgLinux("Package/001"), "a file, not a folder");
  EXPECT_EQ(ChooseImportFolder(QString::fromStdString(w.world.Windows("prog")) + "\\"), PackageFolder(2));
}

TEST(PackageFile, OnlyExistingMdkFilesWithoutRegardToCase) {
  StoreWorld w;
  for (const char *name : {"a.mdk", "b.MDK", "c.Mdk", "d.txt", "e.mdk.txt", "mdk"}) {
    testsupport::TestWorld::WriteFile(w.Linux(name), "x");
    const QString path = QString::fromStdString(w.world.Windows(name));
    EXPECT_EQ(IsPackageFile(path), name[0] <= 'c') << name;
  }
  EXPECT_FALSE(IsPackageFile(QString::fromStdString(w.world.Windows("gone.mdk"))));
}

// The package's assignments go straight into the settings file: nothing is written into the
// work folder but the index, and what is in the way there stops nothing.
TEST_F(Import, TheConfigurationIsAddedWithoutAScratchFile) {
  const QString package = IndexedPackage("direct.mdk", "[Direct]\r\nbritain1.mid=town.mid\r\n");
  struct {
    const char *what;
    std::string inTheWay;  // below the work folder, made before the import
    TModalResult answer;   // to "import?", then to "taken: overwrite?"
  } cases[] = {
      {"an empty work folder", "", TModalResult::OK},
      {"a folder where a scratch file once went", "package.ini/held", TModalResult::Yes},
  };
  for (const auto &c : cases) {
    s->WorkFolder.Remove();
    if (!c.inTheWay.empty()) TestWorld::MakeDirs(Linux(WorkFolder()) + "/" + c.inTheWay);
    w.dialogs.Clear();
    w.dialogs.Answer(c.answer);
    EXPECT_TRUE(ImportPackage(*s, package)) << c.what;
    EXPECT_TRUE(w.dialogs.AllAnswersUsed()) << c.what;
    EXPECT_EQ(Source("britain1.mid").right(9), "\\town.mid") << c.what;
    EXPECT_EQ(s->Store.Settings().ReadSection("Direct").size(), 49u) << c.what;
    EXPECT_EQ(s->Store.Settings().ReadString("Direct", "yew.mid", ""), "yew.mid") << c.what;
    std::set<std::string> files;
    for (const auto &[path, data] : arctest::Tree(Linux(WorkFolder())))
      if (c.inTheWay.empty() || path.rfind("package.ini", 0) != 0) files.insert(path);
    EXPECT_EQ(files, (std::set<std::string>{"index.ini"})) << c.what;
  }
}

// A digital track's source of any kind (sound to be converted, a MIDI tune, an archive's entry)
// travels with the package and comes back with the same bytes.
TEST(ImportRoundTrip, DigitalTracksKeepSourcesOfEveryKind) {
  const QString name = QString::fromUtf8("どこでも");
  const std::pair<const char *, std::string> tracks[] = {
      {"turfin.mp3", "RIFF....WAVEfmt "}, {"britainpos.mp3", testsupport::MakeMidiTune(5)}, {"stones.mp3", "fLaC"}};
  std::string package;
  {
    PackageWorld a;
    a.Assign("yew.mid", a.Tune("tunes/yew.mid", 1));
    a.StoreAs(name);
    const QString sources[] = {a.Put("tunes/town.wav", tracks[0].second), a.Tune("tunes/dawn.mid", 5),
                               a.Lzh("tunes/set.lzh", {{"deep/stones.flac", tracks[2].second}}) + "|deep/stones.flac"};
    for (int i = 0; i < 3; ++i)
      a.s->Store.Settings().WriteString(name.toStdString(), tracks[i].first, sources[i].toStdString());
    const QString mdk = a.Put("out/any.mdk", "");
    ASSERT_TRUE(ExportPackage(*a.s, mdk));
    package = TestWorld::ReadFile(a.Linux(mdk));
  }
  PackageWorld b;
  const QString mdk = b.Put("dl/any.mdk", package);
  b.w.dialogs.Answer(TModalResult::OK);
  ASSERT_TRUE(ImportPackage(*b.s, mdk));
  for (const auto &[key, bytes] : tracks) {
    const TSource source =
        TSource::Parse(QString::fromStdString(b.s->Store.Settings().ReadString(name.toStdString(), key, "")));
    ASSERT_TRUE(source.Path().startsWith(QString::fromStdString(b.w.world.Windows("prog")) + "\\Package\\000\\"))
        << key << ": " << source.Text().toStdString();
    const QString file = source.IsEntry() ? ExtractSource(source, true, b.s->WorkFolder) : source.Path();
    EXPECT_EQ(TestWorld::ReadFile(b.Linux(file)), bytes) << key;
  }
}
