// Reading archives through libarchive for the ZIP, TAR, CAB and RAR libraries: listing them
// as entry records and extracting entries through our own safe destination.
#pragma once

#include <string>
#include <vector>

#include "arcapi.h"
#include "entryrecord.h"
#include "extraction.h"
#include "output.h"

struct archive_entry;

namespace arc {

enum class Family { Zip, Tar, Cab, Rar };

// Every entry of the archive, or an arc::Result: kErrArcFileOpen when the file cannot be
// read, kErrNotArcFile when it is not of the family, else the error of the first entry that
// could not be read (the entries before it are kept).
int ListArchive(const std::string &windowsPath, Family family, std::vector<EntryFacts> &entries);

// Extracts (or tests) the chosen entries. Links and devices are never made.
int ExtractArchive(const ExtractRequest &request, Family family, ARC_HWND progress, Output &out);

// An entry's name: UTF-8 where the archive says so, else its bytes decoded as names of
// other tools are (UTF-8 if valid, else code page 932).
std::string NameOf(::archive_entry *e);

}  // namespace arc

#include "session.h"

namespace arc {

// What the libraries built on this reader export alike: a listing handle (null for a file
// that is not such an archive) and the check (see WantsFullCrcCheck).
HARC OpenListing(Session &session, const char *windowsPath, Family family);
int CheckWithReader(const char *windowsPath, int mode, Family family);

}  // namespace arc
