// Error codes of the LHA codec. Every failure is reported as one of these, never by a crash.
#pragma once

namespace lha {

enum class Error {
  None = 0,
  Truncated,          // input ended inside a header or inside packed data
  BadHeader,          // a header's fields contradict each other or exceed our limits
  HeaderChecksum,     // level 0/1 checksum byte or level 2/3 header CRC mismatch
  NotAnArchive,       // no LHA header found where one was expected
  UnsupportedMethod,  // the method id names no decoder we have
  BadData,            // packed data that no encoder could have produced
  DataCrc,            // the unpacked data does not match the header's CRC
  TooLarge,           // an entry too large for the header level or for memory
  Io,                 // the byte source or sink reported a failure
  Aborted,            // the sink asked to stop
  InvalidArgument,    // the caller passed something we cannot write
};

// A short English text for logs and for the library wrapper's messages.
const char *errorText(Error e);

}  // namespace lha
