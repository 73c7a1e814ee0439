// Result codes of the archiver interface. The values are the published ones, so that a caller
// that knows them from other libraries of this interface reads ours alike.
#pragma once

namespace arc {

enum Result : int {
  kOk = 0,
  kErrDiskSpace = 0x8005,
  kErrReadOnly = 0x8006,
  kErrUserSkip = 0x8007,
  kErrUnknownType = 0x8008,
  kErrMethod = 0x8009,
  kErrFileCrc = 0x800C,
  kErrFileOpen = 0x800D,
  kErrMoreFresh = 0x800E,
  kErrNotExist = 0x800F,
  kErrAlreadyExist = 0x8010,
  kErrTooManyFiles = 0x8011,
  kErrMakeDirectory = 0x8012,
  kErrCannotWrite = 0x8013,
  kErrHuffmanCode = 0x8014,
  kErrHeaderCrc = 0x8016,
  kErrHeaderBroken = 0x8017,
  kErrArcFileOpen = 0x8018,
  kErrNotArcFile = 0x8019,
  kErrCannotRead = 0x801A,
  kErrFileStyle = 0x801B,
  kErrCommandName = 0x801C,
  kErrMoreHeapMemory = 0x801D,
  kErrAlreadyRunning = 0x801F,
  kErrUserCancel = 0x8020,
  kErrHarcIsNotOpened = 0x8021,
  kErrNotSearchMode = 0x8022,
  kErrNotSupport = 0x8023,
  kErrTmpOpen = 0x8025,
  kErrLongFileName = 0x8026,
  kErrResponseRead = 0x802A,
  kErrNotFilename = 0x802B,  // also: a stored name that would leave the destination folder
  kErrTmpCopy = 0x802C,
  kErrEof = 0x802D,
  kErrNotFindFile = 0x8031,
};

// The first failure wins: later ones are usually consequences of it.
inline void Keep(int &result, int next) {
  if (result == kOk) result = next;
}

}  // namespace arc
