// The caption of a digital track's row: the places in the game its numbers stand for.
#pragma once

#include <QString>

#include "digitalindex.h"

// The MIDI file of the scene a digital number 0-48 stands for ("9" -> "britain1.mid"); empty for
// any other number. The digital numbers follow the servers' order of the MIDI scenes, not the
// alphabetical order of the MIDI music set.
QString MidiFileOfDigitalNumber(int number);

// The names of the MIDI scenes its numbers 0-48 stand for, in the order of its numbers, each once,
// joined with " / "; the track's file name ("name.mp3") stands for any number above 48 and for a
// track without numbers.
QString DigitalTrackCaption(const TDigitalTrack &track);
