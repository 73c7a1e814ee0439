// Archive entries as files: an archive-entry path ("D:\dl\pack.lzh|music/town.mid") is turned
// into a file in the work folder by extracting the entry there.
#pragma once

#include <QString>

#include "sources.h"
#include "workfolder.h"

// The local file for a Source. A file's path is returned unchanged. For an entry: the entry's
// file below the archive's folder in the work folder, extracted now unless it is already there
// (fresh: any copy there is deleted and the entry extracted again). The path is returned
// whether or not the extraction produced the file; callers test that the file exists.
// Empty when the archive does not exist, the folder can't be made (work.Error() then says
// why), or the entry would name a file outside the work folder (TSource::IsSafeEntryPath).
// The archive is opened for this call alone, its format read from its bytes. Errors of the archive component
// (EArchiver) are raised.
QString ExtractSource(const TSource &source, bool fresh, TWorkFolder &work);
