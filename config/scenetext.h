// Scene names and descriptions as the user reads them. The scene table keeps the built-in ones
// as they are written in the music sets, and the scene names file keeps what the user typed;
// either is shown through the translations, so that a built-in name (or a name the user typed
// that is one of them) reads in the shown language and any other name as it was typed. A
// digital track's caption (MIDI scene names joined by " / ") shows each name so.
#pragma once

#include <QString>

#include "scene.h"

QString ShownSceneName(const TScene &scene);
QString ShownSceneDetail(const TScene &scene);
