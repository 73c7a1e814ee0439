#include "error.h"

namespace lha {

const char *errorText(Error e) {
  switch (e) {
    case Error::None:
      return "no error";
    case Error::Truncated:
      return "archive is truncated";
    case Error::BadHeader:
      return "invalid LHA header";
    case Error::HeaderChecksum:
      return "LHA header checksum error";
    case Error::NotAnArchive:
      return "not an LHA archive";
    case Error::UnsupportedMethod:
      return "unsupported compression method";
    case Error::BadData:
      return "corrupt compressed data";
    case Error::DataCrc:
      return "CRC error in unpacked data";
    case Error::TooLarge:
      return "entry too large";
    case Error::Io:
      return "read or write error";
    case Error::Aborted:
      return "aborted";
    case Error::InvalidArgument:
      return "invalid argument";
  }
  return "unknown error";
}

}  // namespace lha
