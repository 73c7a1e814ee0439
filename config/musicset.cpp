#include "musicset.h"

#include <QCoreApplication>

namespace {

TMusicSet MakeMidiMusicSet() {
  // The names and descriptions stay as written here: they are shown translated
  // (ShownSceneName), and a name the user gives is stored as typed.
  struct Row {
    const char *name, *file, *detail;
  };
  static const Row rows[] = {
      {"Approach", "approach.mid", QT_TRANSLATE_NOOP("Scenes", "未使用")},
      {QT_TRANSLATE_NOOP("Scenes", "ブリティン"), "britain1.mid", ""},
      {"Britain2", "britain2.mid", QT_TRANSLATE_NOOP("Scenes", "未使用")},
      {QT_TRANSLATE_NOOP("Scenes", "ブラックソーン城"), "btcastle.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "バッカニアーズデン"), "bucsden.mid", ""},
      {"Cave01", "cave01.mid", QT_TRANSLATE_NOOP("Scenes", "未使用")},
      {QT_TRANSLATE_NOOP("Scenes", "戦闘1"), "combat1.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "戦闘2"), "combat2.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "戦闘3"), "combat3.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "コーブ"), "cove.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "フィールド1"), "create1.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "死亡"), "death.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "フィールド2"), "dragflit.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "ダンジョン1"), "dungeon2.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "ダンジョン2"), "dungeon9.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "フィールド3"), "forest_a.mid", QT_TRANSLATE_NOOP("Scenes", "森・森周辺など")},
      {"Intown01", "intown01.mid", QT_TRANSLATE_NOOP("Scenes", "未使用")},
      {QT_TRANSLATE_NOOP("Scenes", "ジェローム"), "jhelom.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "ジャングル"), "jungle_a.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "ロードブリティッシュ城"), "lbcastle.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "フィールド4"), "linelle.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "マジンシア"), "magincia.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "ミノック"), "minoc.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "ムーングロー"), "moonglow.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "フィールド5"), "mountn_a.mid",
       QT_TRANSLATE_NOOP("Scenes", "デシート島・ヒスロス島など")},
      {QT_TRANSLATE_NOOP("Scenes", "ニュジェルン"), "nujelm.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "オクロー"), "ocllo.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "ランダム1"), "oldult01.mid",
       QT_TRANSLATE_NOOP("Scenes", "特定のBGMが選択されなかった場合")},
      {QT_TRANSLATE_NOOP("Scenes", "ランダム2"), "oldult02.mid",
       QT_TRANSLATE_NOOP("Scenes", "特定のBGMが選択されなかった場合")},
      {QT_TRANSLATE_NOOP("Scenes", "ランダム3"), "oldult03.mid",
       QT_TRANSLATE_NOOP("Scenes", "特定のBGMが選択されなかった場合")},
      {QT_TRANSLATE_NOOP("Scenes", "ランダム4"), "oldult04.mid",
       QT_TRANSLATE_NOOP("Scenes", "特定のBGMが選択されなかった場合")},
      {QT_TRANSLATE_NOOP("Scenes", "ランダム5"), "oldult05.mid",
       QT_TRANSLATE_NOOP("Scenes", "特定のBGMが選択されなかった場合")},
      {QT_TRANSLATE_NOOP("Scenes", "ランダム6"), "oldult06.mid",
       QT_TRANSLATE_NOOP("Scenes", "特定のBGMが選択されなかった場合")},
      {QT_TRANSLATE_NOOP("Scenes", "フィールド6"), "plains_a.mid", QT_TRANSLATE_NOOP("Scenes", "Wrong近辺など")},
      {QT_TRANSLATE_NOOP("Scenes", "航海"), "sailing.mid", ""},
      {"Samlethe", "samlethe.mid", QT_TRANSLATE_NOOP("Scenes", "未使用")},
      {QT_TRANSLATE_NOOP("Scenes", "サーパンツ・ホールド"), "serpents.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "スカラ・ブレイ"), "skarabra.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "タイトル"), "stones2.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "沼地"), "swamp_a.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "街1"), "tavern01.mid", QT_TRANSLATE_NOOP("Scenes", "街のメインテーマ終了後など")},
      {QT_TRANSLATE_NOOP("Scenes", "街2"), "tavern02.mid", QT_TRANSLATE_NOOP("Scenes", "街のメインテーマ終了後など")},
      {QT_TRANSLATE_NOOP("Scenes", "街3"), "tavern03.mid", QT_TRANSLATE_NOOP("Scenes", "街のメインテーマ終了後など")},
      {QT_TRANSLATE_NOOP("Scenes", "街4"), "tavern04.mid", QT_TRANSLATE_NOOP("Scenes", "街のメインテーマ終了後など")},
      {QT_TRANSLATE_NOOP("Scenes", "トリンシック"), "trinsic.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "ベスパー"), "vesper.mid", ""},
      {"Victory", "victory.mid", QT_TRANSLATE_NOOP("Scenes", "未使用")},
      {QT_TRANSLATE_NOOP("Scenes", "ウインド"), "wind.mid", ""},
      {QT_TRANSLATE_NOOP("Scenes", "ユー"), "yew.mid", ""},
  };
  TMusicSet set{QStringLiteral("midi"), QStringLiteral("MIDI"), {}, 0, {QStringLiteral(".mid")}};
  for (const Row &row : rows) {
    if (QLatin1String(row.file) == QLatin1String("stones2.mid")) set.TitleScene = static_cast<int>(set.Scenes.size());
    set.Scenes.push_back(
        {QString::fromUtf8(row.name), QString::fromUtf8(row.file), QString(), QString::fromUtf8(row.detail)});
  }
  return set;
}

}  // namespace

bool TMusicSet::Takes(const QString &name) const {
  const qsizetype dot = name.lastIndexOf('.');
  if (dot < 0 || name.indexOf('/', dot) >= 0 || name.indexOf('\\', dot) >= 0) return false;
  return SourceExtensions.contains(name.mid(dot).toLower());
}

const TMusicSet &MidiMusicSet() {
  static const TMusicSet set = MakeMidiMusicSet();
  return set;
}
