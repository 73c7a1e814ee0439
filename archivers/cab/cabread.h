// Unpacking cabinets through libgcab, which knows every compression cabinets use in practice
// (none, MSZIP, LZX, every LZX window size). Listing stays with libarchive (reader.h): it
// copes with damaged headers, and its names are the ones FindFirst shows; the names here are
// decoded the same way, so a listed name always extracts.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "arcapi.h"
#include "entryrecord.h"
#include "output.h"
#include "reader.h"

namespace cab {

// What a sink does with an entry offered to it.
enum class Want { Skip, Take, Stop };

class EntrySink {
 public:
  virtual ~EntrySink() = default;
  // Called for every entry, in the order of the data, before it is unpacked. unpackable is
  // false for an entry of a folder packed with a method libgcab lacks: it is never taken.
  virtual Want Offer(const arc::EntryFacts &facts, bool unpackable) = 0;
  // A taken entry's data, whole and with every block's checksum checked, readable at fd from
  // its start. Returns an arc::Result; kErrUserCancel stops the unpacking.
  virtual int Take(const arc::EntryFacts &facts, int fd) = 0;
  // A taken entry whose data could not be unpacked; why is libgcab's word for it.
  virtual void Broken(const arc::EntryFacts &facts, const std::string &why) = 0;
};

// Unpacks the entries the sink takes from a cabinet held in memory. The bytes are changed
// (blocks without a checksum get one, see cabimage.h), so they are a private copy. Data is
// unpacked into a private temporary folder, one entry at a time. Returns kOk, kErrNotArcFile
// (no cabinet), kErrHeaderBroken, kErrFileCrc (the first broken entry ends the unpacking, as a
// compressed folder cannot be read past it), kErrUserCancel, kErrTmpOpen, or the first error
// a Take returned.
int UnpackCabinet(std::span<uint8_t> file, EntrySink &sink, arc::Output &out);

// The cabinet's entries, as arc::ListArchive gives them. libarchive reads each entry's data
// while listing (skipping it can crash on a damaged folder) and stops at the first it cannot
// unpack, LZX with some window sizes among them; when it stops so, the entries come from the
// headers as libgcab reads them, and the headers alone decide whether the cabinet is broken.
int ListCabinet(const std::string &windowsPath, std::vector<arc::EntryFacts> &entries);

// "-x" and "-t" of libcab32.so, and CheckArchive's full check (request.testOnly).
int ExtractCabinet(const arc::ExtractRequest &request, ARC_HWND progress, arc::Output &out);

}  // namespace cab
