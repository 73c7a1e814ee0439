// The listing functions both ZIP libraries export under the prefix "UnZip": one shared reader.
#include "arcapi.h"
#include "errors.h"
#include "reader.h"
#include "ziplisting.h"

ARCAPI_EXPORT HARC UnZipOpenArchive(ARC_HWND, const char *, uint32_t);
ARCAPI_EXPORT int UnZipCloseArchive(HARC);
ARCAPI_EXPORT int UnZipFindFirst(HARC, const char *, LPINDIVIDUALINFO);
ARCAPI_EXPORT int UnZipFindNext(HARC, LPINDIVIDUALINFO);
ARCAPI_EXPORT int UnZipCheckArchive(const char *, int);
ARCAPI_EXPORT int UnZipSetOwnerWindowEx(ARC_HWND, ARCHIVERPROC);
ARCAPI_EXPORT int UnZipKillOwnerWindowEx(ARC_HWND);
ARCAPI_EXPORT uint16_t UnZipGetVersion(void);
ARCAPI_EXPORT int UnZipGetRunning(void);

HARC UnZipOpenArchive(ARC_HWND, const char *path, uint32_t) {
  auto listing = std::make_unique<arc::Listing>();
  if (!path || zip::ListZip(path, listing->entries) != arc::kOk) return nullptr;
  return zip::State().Add(std::move(listing));
}

int UnZipCheckArchive(const char *path, int mode) {
  std::vector<arc::EntryFacts> entries;
  if (!path || zip::ListZip(path, entries) != arc::kOk) return 0;
  if (!arc::WantsFullCrcCheck(mode)) return 1;
  arc::ExtractRequest request;
  request.archive = path;
  request.testOnly = true;
  arc::Output none(nullptr, 0);
  return arc::ExtractArchive(request, arc::Family::Zip, nullptr, none) == arc::kOk;
}

ARC_SESSION_EXPORTS(UnZip, zip::State)
