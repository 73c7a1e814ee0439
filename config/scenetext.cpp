#include "scenetext.h"

#include <QCoreApplication>
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

}  // namespace

QString ShownSceneName(const TScene &scene) { return Shown(scene.Name); }
QString ShownSceneDetail(const TScene &scene) { return Shown(scene.Detail); }
