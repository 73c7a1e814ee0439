// The resident memory of the real main window with FluidR3_GM chosen as the SoundFont: idle,
// after playing a tune through the window's own play path, and the peak while the window's apply
// converts 49 MIDI tunes for the 49 tracks of a digital game, with an empty cache. Measured in a
// process of its own (this program run again) so that no other benchmark's memory counts.
#pragma once

#include <string>

namespace benchwindow {

// The run of this program that measures: argv is {program, kMeasureArgument, result file}.
// It writes "idle played playPeak applyPeak afterApply converted" (KiB, and the number of tunes
// the apply converted) to the result file. Its exit status.
constexpr const char *kMeasureArgument = "--measure-window";
int MeasureWindow(int argc, char **argv);

}  // namespace benchwindow
