// Every command-line parser of the libraries: a user's "UserOptions" text reaches them verbatim.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lhacommand.h"
#include "tarcommand.h"
#include "zipwrite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string_view line(reinterpret_cast<const char *>(data), size);
  // Response files are read from disk: keep the fuzzer off the file system.
  if (line.find('@') != std::string_view::npos) return 0;
  arc::LhaCommand lha;
  arc::ParseLhaCommand(line, lha);
  zip::ZipCommand zip;
  zip::ParseZipCommand(line, zip);
  tar::TarCommand tar;
  tar::ParseTarCommand(line, tar);
  return 0;
}
