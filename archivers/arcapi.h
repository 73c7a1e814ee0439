/* The C interface between Melodeck and its archiver libraries.
 *
 * Every library exports one command entry that takes a command line, plus listing, checking
 * and progress functions, all named by the library's prefix ("Unlha", "UnZip", "Cab", ...):
 * "Unlha", "UnlhaOpenArchive", "UnlhaFindFirst" and so on. The record layouts are the
 * published ones, byte for byte, so that a record can be compared with what other tools of
 * the same interface produce.
 *
 * Strings crossing this interface are UTF-8; paths are canonical Windows paths of the Wine
 * prefix ("C:\\games\\music\\a.mid").
 */
#ifndef MELODECK_ARCAPI_H
#define MELODECK_ARCAPI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Linux has no window messages, so an owner window handed to a library is a message sink.
 * A library that reports progress calls deliver() synchronously, on the calling thread, with
 * ARC_WM_ARCEXTRACT, the state and a pointer to its EXTRACTINGINFOEX record; a non-zero
 * answer asks it to abort. raise() brings the window to the front; it may be null. A null
 * owner window means "no sink": the library reports nothing. */
typedef struct ArcMessageSink {
  int (*deliver)(void *context, unsigned message, uintptr_t state, void *info);
  void (*raise)(void *context);
  void *context;
} ArcMessageSink;

typedef ArcMessageSink *ARC_HWND;

/* An open listing. Opaque: each library points it at its own state. */
typedef struct ArcArchiveHandle *HARC;

/* The registered message "wm_arcextract". Any fixed number would do; this one lies in the
 * range Windows gives registered messages. */
#define ARC_WM_ARCEXTRACT 0xC0DEu

/* States delivered with ARC_WM_ARCEXTRACT. */
#define ARC_ARCEXTRACT_BEGIN 0u /* an entry starts */
#define ARC_ARCEXTRACT_INPROCESS 1u
#define ARC_ARCEXTRACT_END 2u  /* an entry is done */
#define ARC_ARCEXTRACT_OPEN 3u /* the archive is opened */
#define ARC_ARCEXTRACT_COPY 4u

/* Modes of OpenArchive. */
#define ARC_M_LISTING 0x00000000u
#define ARC_M_PROBE 0x00800002u /* no error messages, ignore the settings file */

#define ARC_FNAME_MAX32 512

#pragma pack(push, 1)

typedef struct INDIVIDUALINFO {
  uint32_t dwOriginalSize;
  uint32_t dwCompressedSize;
  uint32_t dwCRC;
  uint32_t uFlag;
  uint32_t uOSType;
  uint16_t wRatio;
  uint16_t wDate;                       /* MS-DOS date */
  uint16_t wTime;                       /* MS-DOS time */
  char szFileName[ARC_FNAME_MAX32 + 1]; /* NUL-terminated, "/" between folder levels */
  char dummy1[3];
  char szAttribute[8];
  char szMode[8];
} INDIVIDUALINFO, *LPINDIVIDUALINFO;

typedef struct EXTRACTINGINFO {
  uint32_t dwFileSize;
  uint32_t dwWriteSize;
  char szSourceFileName[ARC_FNAME_MAX32 + 1];
  char dummy1[3];
  char szDestFileName[ARC_FNAME_MAX32 + 1];
  char dummy[3];
} EXTRACTINGINFO, *LPEXTRACTINGINFO;

typedef struct EXTRACTINGINFOEX {
  EXTRACTINGINFO exinfo;
  uint32_t dwCompressedSize;
  uint32_t dwCRC;
  uint32_t uOSType;
  uint16_t wRatio;
  uint16_t wDate;
  uint16_t wTime;
  char szAttribute[8];
  char szMode[8];
} EXTRACTINGINFOEX, *LPEXTRACTINGINFOEX;

#pragma pack(pop)

/* The callback of SetOwnerWindowEx. Melodeck always passes null: progress goes to the sink. */
typedef int (*ARCHIVERPROC)(ARC_HWND window, uint32_t message, uint32_t state, LPEXTRACTINGINFOEX info);

/* One typedef per exported function, named after its suffix. */
typedef int (*ArcCommandFn)(ARC_HWND window, const char *commandLine, char *output, uint32_t outputSize);
typedef HARC (*ArcOpenArchiveFn)(ARC_HWND window, const char *archivePath, uint32_t mode);
typedef int (*ArcCloseArchiveFn)(HARC archive);
typedef int (*ArcFindFirstFn)(HARC archive, const char *wildcard, LPINDIVIDUALINFO entry);
typedef int (*ArcFindNextFn)(HARC archive, LPINDIVIDUALINFO entry);
typedef int (*ArcCheckArchiveFn)(const char *archivePath, int mode);
typedef int (*ArcSetOwnerWindowExFn)(ARC_HWND window, ARCHIVERPROC callback);
typedef int (*ArcKillOwnerWindowExFn)(ARC_HWND window);
typedef uint16_t (*ArcGetVersionFn)(void);
typedef int (*ArcGetRunningFn)(void);
typedef int (*ArcGetArchiveTypeFn)(const char *archivePath); /* tar32 only */

/* Results of TarGetArchiveType. */
#define ARC_TYPE_TAR 1
#define ARC_TYPE_GZIP_FIRST 2
#define ARC_TYPE_GZIP_LAST 5
#define ARC_TYPE_BZIP2_FIRST 6
#define ARC_TYPE_BZIP2_LAST 7

#ifdef __cplusplus
#define ARCAPI_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define ARCAPI_EXPORT extern __attribute__((visibility("default")))
#endif

/* Declares a library's exports for a prefix, so that a library's definitions are checked
 * against the typedefs above: ARCAPI_DECLARE_EXPORTS(Unlha) declares Unlha,
 * UnlhaOpenArchive, ... UnlhaGetRunning. */
#define ARCAPI_DECLARE_EXPORTS(prefix)                                       \
  ARCAPI_EXPORT int prefix(ARC_HWND, const char *, char *, uint32_t);        \
  ARCAPI_EXPORT HARC prefix##OpenArchive(ARC_HWND, const char *, uint32_t);  \
  ARCAPI_EXPORT int prefix##CloseArchive(HARC);                              \
  ARCAPI_EXPORT int prefix##FindFirst(HARC, const char *, LPINDIVIDUALINFO); \
  ARCAPI_EXPORT int prefix##FindNext(HARC, LPINDIVIDUALINFO);                \
  ARCAPI_EXPORT int prefix##CheckArchive(const char *, int);                 \
  ARCAPI_EXPORT int prefix##SetOwnerWindowEx(ARC_HWND, ARCHIVERPROC);        \
  ARCAPI_EXPORT int prefix##KillOwnerWindowEx(ARC_HWND);                     \
  ARCAPI_EXPORT uint16_t prefix##GetVersion(void);                           \
  ARCAPI_EXPORT int prefix##GetRunning(void);

#ifdef __cplusplus
} /* extern "C" */

#include <cstddef>
static_assert(sizeof(INDIVIDUALINFO) == 558);
static_assert(offsetof(INDIVIDUALINFO, wDate) == 22);
static_assert(offsetof(INDIVIDUALINFO, szFileName) == 26);
static_assert(offsetof(INDIVIDUALINFO, szAttribute) == 542);
static_assert(offsetof(INDIVIDUALINFO, szMode) == 550);
static_assert(sizeof(EXTRACTINGINFO) == 1040);
static_assert(offsetof(EXTRACTINGINFO, szDestFileName) == 524);
static_assert(sizeof(EXTRACTINGINFOEX) == 1074);
static_assert(offsetof(EXTRACTINGINFOEX, dwCompressedSize) == 1040);
static_assert(offsetof(EXTRACTINGINFOEX, szMode) == 1066);
#else
_Static_assert(sizeof(INDIVIDUALINFO) == 558, "INDIVIDUALINFO is 558 bytes");
_Static_assert(sizeof(EXTRACTINGINFO) == 1040, "EXTRACTINGINFO is 1040 bytes");
_Static_assert(sizeof(EXTRACTINGINFOEX) == 1074, "EXTRACTINGINFOEX is 1074 bytes");
#endif

#endif /* MELODECK_ARCAPI_H */
