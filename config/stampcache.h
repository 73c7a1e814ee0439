// Stamps of files known by their identity: the device, the inode, the size and the times of the
// last change of content (mtime) and of the inode (ctime). Whatever writes a file changes its
// ctime, which no program can set back, so a file whose identity is unchanged still has the bytes
// its stamp was taken from, and need not be read and hashed again. The cache is kept for the
// process and, once a file is named, in that file between runs.
#pragma once

#include <QString>
#include <ctime>
#include <optional>
#include <string>

#include "writtenrecord.h"

// Where the stamps are kept between runs (a Linux path; empty: for this process only). The stamps
// known so far are forgotten and what the file holds is read.
void UseStampFile(const std::string &linuxPath);
// Writes the stamps learnt since to the file named (at once, whole); nothing without one.
void SaveStampFile();

// The stamp of the file at linuxPath by its identity, when it is known.
std::optional<TFileStamp> KnownStamp(const std::string &linuxPath);
// Seconds since the epoch, to the nanosecond.
double SecondsNow();
// Reads and stamps the file, learning its stamp when its inode changed a tenth of a second or
// more before now: a file changed within the clock's tick of being read could keep its identity,
// and the times of files move in ticks of at most a hundredth of a second.
std::optional<TFileStamp> ReadStamp(const std::string &linuxPath, double now = SecondsNow());
// A copy just put in place, which took its source's modification time: target holds the bytes
// of source, stamped copied, which is learnt for target's identity without reading it again.
// Only while source is unchanged since that stamp was learnt for it, and target still has that
// modification time, a tenth of a second or more before now: a write to target since would
// have set a time of its own.
void LearnCopyStamp(const std::string &sourceLinuxPath, const std::string &targetLinuxPath, const TFileStamp &copied,
                    double now = SecondsNow());
