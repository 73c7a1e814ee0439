#include "musicset.h"

namespace {

TMusicSet MakeMidiMusicSet() {
  struct Row {
    const char *name, *file, *detail;
  };
  static const Row rows[] = {
      {"Approach", "approach.mid", "未使用"},
      {"ブリティン", "britain1.mid", ""},
      {"Britain2", "britain2.mid", "未使用"},
      {"ブラックソーン城", "btcastle.mid", ""},
      {"バッカニアーズデン", "bucsden.mid", ""},
      {"Cave01", "cave01.mid", "未使用"},
      {"戦闘1", "combat1.mid", ""},
      {"戦闘2", "combat2.mid", ""},
      {"戦闘3", "combat3.mid", ""},
      {"コーブ", "cove.mid", ""},
      {"フィールド1", "create1.mid", ""},
      {"死亡", "death.mid", ""},
      {"フィールド2", "dragflit.mid", ""},
      {"ダンジョン1", "dungeon2.mid", ""},
      {"ダンジョン2", "dungeon9.mid", ""},
      {"フィールド3", "forest_a.mid", "森・森周辺など"},
      {"Intown01", "intown01.mid", "未使用"},
      {"ジェローム", "jhelom.mid", ""},
      {"ジャングル", "jungle_a.mid", ""},
      {"ロードブリティッシュ城", "lbcastle.mid", ""},
      {"フィールド4", "linelle.mid", ""},
      {"マジンシア", "magincia.mid", ""},
      {"ミノック", "minoc.mid", ""},
      {"ムーングロー", "moonglow.mid", ""},
      {"フィールド5", "mountn_a.mid", "デシート島・ヒスロス島など"},
      {"ニュジェルン", "nujelm.mid", ""},
      {"オクロー", "ocllo.mid", ""},
      {"ランダム1", "oldult01.mid", "特定のBGMが選択されなかった場合"},
      {"ランダム2", "oldult02.mid", "特定のBGMが選択されなかった場合"},
      {"ランダム3", "oldult03.mid", "特定のBGMが選択されなかった場合"},
      {"ランダム4", "oldult04.mid", "特定のBGMが選択されなかった場合"},
      {"ランダム5", "oldult05.mid", "特定のBGMが選択されなかった場合"},
      {"ランダム6", "oldult06.mid", "特定のBGMが選択されなかった場合"},
      {"フィールド6", "plains_a.mid", "Wrong近辺など"},
      {"航海", "sailing.mid", ""},
      {"Samlethe", "samlethe.mid", "未使用"},
      {"サーパンツ・ホールド", "serpents.mid", ""},
      {"スカラ・ブレイ", "skarabra.mid", ""},
      {"タイトル", "stones2.mid", ""},
      {"沼地", "swamp_a.mid", ""},
      {"街1", "tavern01.mid", "街のメインテーマ終了後など"},
      {"街2", "tavern02.mid", "街のメインテーマ終了後など"},
      {"街3", "tavern03.mid", "街のメインテーマ終了後など"},
      {"街4", "tavern04.mid", "街のメインテーマ終了後など"},
      {"トリンシック", "trinsic.mid", ""},
      {"ベスパー", "vesper.mid", ""},
      {"Victory", "victory.mid", "未使用"},
      {"ウインド", "wind.mid", ""},
      {"ユー", "yew.mid", ""},
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
