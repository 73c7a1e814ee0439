// Archive components made per operation: nothing of one archive's use (its format, its driver,
// a listing left open) carries over to the next.
#pragma once

#include <QString>
#include <memory>

#include "archivefile.h"

// A fresh component as the program uses it: automatic detection, attributes kept, no progress
// window, recursion into folders, folders kept, the strongest LHA method. No file name yet.
std::unique_ptr<archives::TArchiveFile> MakeArchiveFile();

// A fresh component for the existing archive at path (Windows path), its format taken from the
// file's bytes: the extension's format when the bytes are of it, else the format the bytes
// show (whatever the name), else the extension's. Errors of the archive component (EArchiver:
// a library that is missing) are raised.
std::unique_ptr<archives::TArchiveFile> OpenArchiveFile(const QString &path);
