#include "assignrule.h"

#include <QCoreApplication>
#include <QStringList>

#include "musicfiles.h"
#include "sources.h"

QString TakenSourcesText(const TMusicSet &set) {
  QStringList kinds;
  for (const QString &extension : set.SourceExtensions)
    if (const QString kind = MusicFileKind(extension); !kinds.contains(kind)) kinds << kind;
  // The separator of the kinds' names is the shown language's.
  return QCoreApplication::translate("Assign", "%1 ファイル (%2)")
      .arg(kinds.join(QCoreApplication::translate("Assign", "・")), set.SourceExtensions.join(QStringLiteral(", ")));
}

QString AssignRefusal(const TMusicSet &set, const QString &sourceText) {
  const QString name = TSource::Parse(sourceText).DisplayName();
  if (set.Takes(name)) return {};
  // A Latin name is set apart from the kana that follow it.
  const QString scenes = set.Name + (!set.Name.isEmpty() && set.Name.back().unicode() < 0x80 ? " " : "");
  if (set.SourceExtensions.isEmpty())
    return QCoreApplication::translate("Assign", "%1 は割り当てられません.\n%2の場面にはファイルを割り当てられません.")
        .arg(name, scenes);
  return QCoreApplication::translate("Assign", "%1 は割り当てられません.\n%2の場面には %3 だけを割り当てられます.")
      .arg(name, scenes, TakenSourcesText(set));
}
