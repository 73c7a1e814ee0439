// Scene names and descriptions as the user reads them. The scene table keeps the built-in ones
// as they are written in the music sets, and the scene names file keeps what the user typed;
// either is shown through the translations, so that a built-in name (or a name the user typed
// that is one of them) reads in the shown language and any other name as it was typed. A
// digital track's caption (MIDI scene names joined by " / ") shows each name so.
#pragma once

#include <QString>
#include <vector>

#include "scene.h"

QString ShownSceneName(const TScene &scene);
QString ShownSceneDetail(const TScene &scene);

// A digital track's description as written in its set: the numbers the servers play it by
// ("番号 1, 8"); empty without numbers. ShownSceneDetail shows it in the shown language.
QString SceneNumbersText(const std::vector<int> &numbers);
