#include "scenetext.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>

namespace {

// A digital track's caption names the MIDI scenes of its numbers, joined by " / ": each of them
// is shown on its own.
const QString kJoin = QStringLiteral(" / ");

QString Shown(const QString &text) {
  if (text.isEmpty()) return text;
  QStringList parts = text.split(kJoin);
  for (QString &part : parts) {
    const QByteArray source = part.toUtf8();
    part = QCoreApplication::translate("Scenes", source.constData());
  }
  return parts.join(kJoin);
}

const QString kNumbersPrefix = QStringLiteral("番号 ");  // notr: the written form, shown through "番号 %1"

// The numbers of a description SceneNumbersText wrote ("1, 8"); empty for any other text.
QString NumbersOf(const QString &detail) {
  static const QRegularExpression numbers(QStringLiteral("^[0-9]+(, [0-9]+)*$"));
  if (!detail.startsWith(kNumbersPrefix)) return {};
  const QString list = detail.mid(kNumbersPrefix.size());
  return numbers.match(list).hasMatch() ? list : QString();
}

}  // namespace

QString ShownSceneName(const TScene &scene) { return Shown(scene.Name); }

QString ShownSceneDetail(const TScene &scene) {
  if (const QString numbers = NumbersOf(scene.Detail); !numbers.isEmpty())
    return QCoreApplication::translate("Scenes", "番号 %1").arg(numbers);
  return Shown(scene.Detail);
}

QString SceneNumbersText(const std::vector<int> &numbers) {
  QStringList list;
  for (const int n : numbers) list << QString::number(n);
  return list.isEmpty() ? QString() : kNumbersPrefix + list.join(QStringLiteral(", "));
}
