// Music files: the kinds of file the folder tree offers as sources, on disk and inside
// archives, whichever music set the scene list shows, and the names the program gives them.
#pragma once

#include <QString>
#include <QStringList>

// The extensions (lower case, with the dot) of the music files a scene of some set may take:
// MIDI, MP3, and the audio formats a digital scene takes once converted (WAV, FLAC, Ogg
// Vorbis, Opus).
const QStringList &MusicFileExtensions();

// Whether a file or archive entry of this name is a music file: its extension, case ignored,
// is one of MusicFileExtensions(). A name without a dot after its last "/" or "\" is none.
bool IsMusicFileName(const QString &name);

// The kind of file an extension (with the dot, any case) stands for, as messages name it:
// "MIDI" for ".mid", "MP3" for ".mp3"; an unknown extension in capitals without the dot.
QString MusicFileKind(const QString &extension);
