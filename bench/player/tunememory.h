// The resident memory of the built-in player with a chosen SoundFont: idle before the player is
// made, and after it has played a tune to its end, each measured in a process of its own (this
// program run again) so that no other benchmark's memory counts.
#pragma once

namespace benchplayer {

// The run of this program that plays: argv is {program, kPlayTuneArgument, SoundFont, tune,
// sound output, result file}. Its exit status.
constexpr const char *kPlayTuneArgument = "--play-tune";
int PlayTuneAndWriteMemory(char **argv);

}  // namespace benchplayer
