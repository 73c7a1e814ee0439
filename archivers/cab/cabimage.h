// The cabinet file as libgcab is given it. libgcab checks every data block's checksum and
// refuses a block whose checksum field is 0, although the format (and cabextract, and
// libarchive) takes 0 as "no checksum kept"; cabinets made that way exist. So before libgcab
// sees the bytes, each such block gets the checksum of what it holds, which keeps it as
// unchecked as it was and lets libgcab read it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>

namespace cab {

// The cabinet's checksum of data: 32-bit little-endian words XORed onto seed, a tail of one
// to three bytes taken as one more word, its first byte the highest.
uint32_t CabChecksum(std::span<const uint8_t> data, uint32_t seed);

// The offset of the cabinet in a file: 0 for a plain cabinet, else the first cabinet header in
// the first 128 KiB of a self-extracting program (as libarchive finds it); -1 for none.
ptrdiff_t FindCabinet(std::span<const uint8_t> file);

// Fills in the checksum of every data block of every folder whose stored checksum is 0. The
// walk stops quietly where a folder's blocks run past the end: what is broken there is
// libgcab's to report. Returns the number of blocks filled.
size_t FillMissingChecksums(std::span<uint8_t> cabinet);

// libgcab refuses a whole cabinet that holds two entries of one name, which other tools unpack
// one after the other. So before libgcab sees the bytes, each repeated name is overwritten
// with a made-up name of the same length that no entry has. Returns the made-up names, each
// with the name it replaced (the stored bytes). A name too short to make a free one from is
// left.
std::map<std::string, std::string> MakeNamesUnique(std::span<uint8_t> cabinet);

}  // namespace cab
