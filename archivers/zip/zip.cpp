// The command entry of libzip32j.so.
#include "arcapi.h"
#include "errors.h"
#include "ziplisting.h"
#include "zipwrite.h"

ARCAPI_EXPORT int Zip(ARC_HWND, const char *, char *, uint32_t);

int Zip(ARC_HWND window, const char *commandLine, char *output, uint32_t size) {
  arc::Output out(output, size);
  if (!commandLine) return arc::kErrCommandName;
  arc::Session::Busy busy(zip::State());
  zip::ZipCommand cmd;
  if (int r = zip::ParseZipCommand(commandLine, cmd); r != arc::kOk) return r;
  return zip::RunZip(cmd, zip::State().ProgressWindow(window), out);
}
