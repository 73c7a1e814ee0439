#include "corelanguage.h"

#include <QRegularExpression>
#include <functional>
#include <thread>
#include <vector>

#include "applyfailures.h"
#include "assignrule.h"
#include "backups.h"
#include "core/inifile.h"
#include "earchiver.h"
#include "gamefolder.h"
#include "library.h"
#include "media/playercommand.h"
#include "media/soundfont.h"
#include "musicset.h"
#include "packageindex.h"
#include "scenetable.h"
#include "scenetext.h"
#include "storedform.h"
#include "storeworld.h"

namespace {

QString Thrown(const std::function<void()> &action) {
  try {
    action();
  } catch (const std::exception &e) {
    return QString::fromStdString(e.what());
  }
  return QStringLiteral("(nothing thrown)");
}

QString FromStd(const std::string &text) { return QString::fromStdString(text); }

bool HasJapanese(const QString &text) {
  static const QRegularExpression japanese(
      QStringLiteral("[\\x{3000}-\\x{30ff}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
  return text.contains(japanese);
}

struct Message {
  const char *what;
  std::function<QString()> text;
  const char *japanese;
  const char *english;
};

const Message kMessages[] = {
    {"apply question", [] { return ApplyQuestion(false, QStringLiteral("Night")); }, "Nightを適用しますか？",
     "Apply Night?"},
    {"refusal of apply", [] { return RefusalText(TRefusal::NoBackup); }, "バックアップがありません",
     "there is no backup"},
    {"copy failure", [] { return FailureReasonText(platform::CopyFailure::DiskFull); },
     "ディスクの空き容量が足りません", "the disk is full"},
    {"assignment refused", [] { return AssignRefusal(MidiMusicSet(), QStringLiteral("town.mp3")); },
     "town.mp3 は割り当てられません.\nMIDI の場面には MIDI ファイル (.mid) だけを割り当てられます.",
     "town.mp3 can't be assigned.\nOnly MIDI files (.mid) can be assigned to MIDI scenes."},
    {"own files without backup", [] { return OurFilesNotBackedUpText({QStringLiteral("C:\\a.mid")}); },
     "次の音楽ファイルのバックアップがありません.\n今のファイルは Melodeck が書き込んだものなので, "
     "バックアップにはしませんでした.\n標準の設定でもこのファイルはそのままです.\n\nC:\\a.mid",
     "These music files have no backup.\nThe current files were written by Melodeck, so they were not taken as "
     "backups.\nThe configuration 標準 (the game's own music) leaves these files as they are, too.\n\nC:\\a.mid"},
    {"package error", [] { return UnsafeIndexValueReason(QStringLiteral("..\\x.mid")); },
     "パッケージの外を指しています", "points outside the package"},
    {"game not found",
     [] {
       return GameLookupText({std::nullopt, TGameLookup::NotFound, QStringLiteral("C:\\UO"), QString()});
     },
     "C:\\UO\nが見つかりません.", "C:\\UO\nis not found."},
    {"archive error", [] { return Thrown([] { archives::ReadOptions("Bogus=1"); }); },
     "保存された設定に Bogus という項目はありません。", "The stored settings have no item named Bogus."},
    {"missing library", [] { return FromStd(archives::TArchiverLibrary::Of(archives::ArcLib::Unlha32).MissingText()); },
     "Lha 形式書庫を扱うには UNLHA32.DLL が 必要です。", "UNLHA32.DLL is needed for LHA archives."},
    {"missing entry", [] { return FromStd(archives::MissingEntryText("UnlhaGetVersion")); },
     "UnlhaGetVersion のエントリが見つかりません。", "The entry UnlhaGetVersion is not found."},
    {"settings not written", [] { return Thrown([] { throw platform::EIniFileException("C:\\m.ini"); }); },
     "C:\\m.ini に書き込めません", "Can't write to C:\\m.ini"},
    {"SoundFont missing", [] { return FromStd(platform::FindSoundFont("/no/font.sf2", {}).error); },
     "サウンドフォント /no/font.sf2 が見つかりません", "The SoundFont /no/font.sf2 is not found"},
    {"player command refused", [] { return FromStd(platform::FormatCommand("play %q", "/a.mid").error); },
     "関連づけられたコマンド \"play %q\" の書式が正しくありません (%q は使えません)",
     "The associated command \"play %q\" is malformed (%q can't be used)"},
};

TEST_F(CoreLanguage, MessagesShowInTheChosenLanguage) {
  ASSERT_TRUE(platform::UseLanguage(false));
  for (const Message &m : kMessages) EXPECT_EQ(m.text(), QString::fromUtf8(m.english)) << m.what;
  platform::UseLanguage(true);  // no translation file is needed for Japanese
  ASSERT_TRUE(platform::JapaneseShown());
  for (const Message &m : kMessages) EXPECT_EQ(m.text(), QString::fromUtf8(m.japanese)) << m.what;
}

// Conversions report their errors from worker threads: each of them gets the shown language.
TEST_F(CoreLanguage, TextsMadeOnWorkerThreadsAreInTheShownLanguage) {
  ASSERT_TRUE(platform::UseLanguage(false));
  std::vector<std::string> errors(8);
  std::vector<std::thread> workers;
  for (size_t i = 0; i < errors.size(); ++i)
    workers.emplace_back([&errors, i] {
      for (int n = 0; n < 200; ++n) errors[i] = platform::FindSoundFont("/no/" + std::to_string(i) + ".sf2", {}).error;
    });
  for (std::thread &worker : workers) worker.join();
  for (size_t i = 0; i < errors.size(); ++i)
    EXPECT_EQ(errors[i], "The SoundFont /no/" + std::to_string(i) + ".sf2 is not found");
}

// Scene names and descriptions are shown from a table: each one needs its entry in the
// translations, while a name the user typed shows as typed.
TEST_F(CoreLanguage, EveryBuiltInSceneTextHasItsTranslation) {
  ASSERT_TRUE(platform::UseLanguage(false));
  for (const TScene &scene : MidiMusicSet().Scenes) {
    EXPECT_FALSE(HasJapanese(ShownSceneName(scene))) << scene.FileName.toStdString();
    EXPECT_FALSE(HasJapanese(ShownSceneDetail(scene))) << scene.FileName.toStdString();
  }
}

// What the scene table holds, and the scene names file stores, is the same in either language.
TEST_F(CoreLanguage, TheSceneTableKeepsTheNamesAsWritten) {
  ASSERT_TRUE(platform::UseLanguage(false));
  const TSceneTable english = BuiltInSceneTable();
  platform::UseLanguage(true);
  const TSceneTable japanese = BuiltInSceneTable();
  for (int i = 0; i < english.size(); ++i) {
    EXPECT_EQ(english[i].Name, japanese[i].Name);
    EXPECT_EQ(english[i].Detail, japanese[i].Detail);
  }
  EXPECT_EQ(english[1].Name, QStringLiteral("ブリティン"));
}

TEST_F(CoreLanguage, ASceneNameShowsTranslatedOnlyWhenItIsABuiltInOne) {
  struct Case {
    const char *name, *detail;
    const char *englishName, *englishDetail;
  };
  const Case cases[] = {
      {"ブリティン", "", "Britain", ""},
      {"タイトル", "タイトル", "Title", "Title"},  // a description taken from the name
      {"ランダム1", "特定のBGMが選択されなかった場合", "Random 1", "When no particular music is chosen"},
      {"わたしの曲", "夜に聴く", "わたしの曲", "夜に聴く"},
      {"Approach", "未使用", "Approach", "Unused"},
      {"ブリティン / タイトル / わたしの曲", "番号 9, 10", "Britain / Title / わたしの曲",
       "Number 9, 10"},  // a digital track
      {"わたしの曲", "番号 なし", "わたしの曲", "番号 なし"},
  };
  for (const Case &c : cases) {
    const TScene scene{QString::fromUtf8(c.name), QStringLiteral("x.mid"), QString(), QString::fromUtf8(c.detail)};
    ASSERT_TRUE(platform::UseLanguage(false));
    EXPECT_EQ(ShownSceneName(scene), QString::fromUtf8(c.englishName)) << c.name;
    EXPECT_EQ(ShownSceneDetail(scene), QString::fromUtf8(c.englishDetail)) << c.name;
    platform::UseLanguage(true);  // no translation file is needed for Japanese
    ASSERT_TRUE(platform::JapaneseShown());
    EXPECT_EQ(ShownSceneName(scene), scene.Name) << c.name;
    EXPECT_EQ(ShownSceneDetail(scene), scene.Detail) << c.name;
  }
}

// The scene names file written under one language reads the same under the other: a scene
// whose description alone the user changed keeps its built-in name, shown in either language.
TEST_F(CoreLanguage, TheSceneNamesFileIsTheSameInEitherLanguage) {
  ASSERT_TRUE(platform::UseLanguage(false));
  StoreWorld w;  // its scene table made under English
  {
    auto store = w.MakeStore();
    store->LoadSceneNames();
    w.scenes[1].Detail = QStringLiteral("Rainy nights");
    store->WriteSceneName(1);
  }
  platform::UseLanguage(true);
  TSceneTable again = BuiltInSceneTable();
  TConfigStore reader(w.programPath, w.folders, again);
  reader.LoadSceneNames();
  EXPECT_EQ(again[1].Name, QStringLiteral("ブリティン"));
  EXPECT_EQ(ShownSceneName(again[1]), QStringLiteral("ブリティン"));
  EXPECT_EQ(again[1].Detail, QStringLiteral("Rainy nights"));
  ASSERT_TRUE(platform::UseLanguage(false));
  EXPECT_EQ(ShownSceneName(again[1]), QStringLiteral("Britain"));
}

// The command line's texts are written in English and shown in Japanese under Japanese.
TEST_F(CoreLanguage, TheCommandLinesGameLookupFollowsTheLanguage) {
  const TGameLookup lookup{std::nullopt, TGameLookup::SettingsWithoutFolder, QStringLiteral("C:\\UO"),
                           QStringLiteral("C:\\cuo\\settings.json")};
  ASSERT_TRUE(platform::UseLanguage(false));
  EXPECT_EQ(GameLookupLine(lookup),
            QStringLiteral("C:\\UO names no game folder (ultimaonlinedirectory) (the ultimaonlinedirectory of "
                           "C:\\cuo\\settings.json)"));
  ASSERT_TRUE(platform::UseLanguage(true));
  EXPECT_EQ(GameLookupLine(lookup), QString::fromUtf8("C:\\UO にゲームのフォルダ (ultimaonlinedirectory) がありません "
                                                      "(C:\\cuo\\settings.json の ultimaonlinedirectory)"));
}

}  // namespace
