#include "scenetext.h"

#include <QCoreApplication>

namespace {

QString Shown(const QString &text) {
  if (text.isEmpty()) return text;
  const QByteArray source = text.toUtf8();
  return QCoreApplication::translate("Scenes", source.constData());
}

}  // namespace

QString ShownSceneName(const TScene &scene) { return Shown(scene.Name); }
QString ShownSceneDetail(const TScene &scene) { return Shown(scene.Detail); }
