#include "assignrule.h"

#include <QStringList>

#include "musicfiles.h"
#include "sources.h"

QString TakenSourcesText(const TMusicSet &set) {
  QStringList kinds;
  for (const QString &extension : set.SourceExtensions)
    if (const QString kind = MusicFileKind(extension); !kinds.contains(kind)) kinds << kind;
  return kinds.join(QStringLiteral("・")) + QStringLiteral(" ファイル (") +
         set.SourceExtensions.join(QStringLiteral(", ")) + ")";
}

QString AssignRefusal(const TMusicSet &set, const QString &sourceText) {
  const QString name = TSource::Parse(sourceText).DisplayName();
  if (set.Takes(name)) return {};
  // A Latin name is set apart from the kana that follow it.
  const QString scenes = set.Name + (!set.Name.isEmpty() && set.Name.back().unicode() < 0x80 ? " " : "");
  const QString refused = QStringLiteral("%1 は割り当てられません.\n").arg(name);
  if (set.SourceExtensions.isEmpty())
    return refused + QStringLiteral("%1の場面にはファイルを割り当てられません.").arg(scenes);
  return refused + QStringLiteral("%1の場面には %2 だけを割り当てられます.").arg(scenes, TakenSourcesText(set));
}
