// What a scene takes: a scene's music set decides which files and archive entries can become
// its source. The window asks before it assigns; the command line can ask the same.
#pragma once

#include <QString>

#include "musicset.h"

// What the set's scenes take, as messages name it: "MIDI ファイル (.mid)"; several kinds are
// joined: "MP3・WAV ファイル (.mp3, .wav)".
QString TakenSourcesText(const TMusicSet &set);

// Why a source (its stored text: a path, or "archive|entry") can't be assigned to a scene of
// the set, naming the file and what the set's scenes take; empty when the set takes it.
QString AssignRefusal(const TMusicSet &set, const QString &sourceText);
