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

int UnZipCloseArchive(HARC archive) { return zip::State().Close(archive) ? arc::kOk : arc::kErrHarcIsNotOpened; }

int UnZipFindFirst(HARC archive, const char *wildcard, LPINDIVIDUALINFO entry) {
  return zip::State().FindFirst(archive, wildcard, entry);
}

int UnZipFindNext(HARC archive, LPINDIVIDUALINFO entry) { return zip::State().FindNext(archive, entry); }

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

int UnZipSetOwnerWindowEx(ARC_HWND window, ARCHIVERPROC) { return zip::State().SetOwner(window); }

int UnZipKillOwnerWindowEx(ARC_HWND window) { return zip::State().KillOwner(window); }

uint16_t UnZipGetVersion(void) { return 100; }

int UnZipGetRunning(void) { return zip::State().Running(); }
