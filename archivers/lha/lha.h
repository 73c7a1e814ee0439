// The LHA codec: a dependency-free library that reads LHA archives (header levels 0 to 3;
// -lh0- -lh1- -lh4- -lh5- -lh6- -lh7- -lzs- -lz4- -lz5- -lhd-) and writes them (-lh0- -lh5-
// -lh6- -lh7-, header levels 0 to 2).
//
//   lha::MemoryInput in(bytes);           // or lha::FdInput in(fd);
//   std::vector<lha::Entry> entries;
//   lha::listArchive(in, entries);
//   lha::ArchiveReader reader(in);
//   reader.extract(entries[0], sink);     // sink: bool(std::span<const std::uint8_t>)
//
//   lha::ArchiveWriter writer(sink);
//   writer.addFile({.name = "music/town.mid"}, source);
//   writer.finish();
#pragma once

#include "archive.h"
#include "crc16.h"
#include "decoder.h"
#include "encoder.h"
#include "error.h"
#include "header.h"
#include "io.h"
