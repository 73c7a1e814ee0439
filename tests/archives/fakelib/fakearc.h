/* Control of the fake archiver library used by the archive tests. Each copy of the library
 * (loaded under one archiver library's file name) has its own script and call record. */
#ifndef MELODECK_FAKEARC_H
#define MELODECK_FAKEARC_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct FakeArcCall {
  const char *function; /* the exported name that was called, e.g. "UnzipOpenArchive" */
  const void *window;   /* owner window, or the sink given to SetOwnerWindowEx */
  const char *text;     /* command line, archive path or wildcard */
  uint32_t mode;        /* open/check mode; for a command, 1 when an output buffer was given */
  uint32_t size;        /* output buffer size */
  const void *handle;   /* the handle passed or returned */
} FakeArcCall;

/* Forgets the record and restores every default result. */
typedef void (*FakeArcResetFn)(void);
/* The result of every function with this suffix ("" for the command entry, "OpenArchive",
 * "CheckArchive", "GetArchiveType", ...). For "OpenArchive" 0 means a null handle. */
typedef void (*FakeArcSetResultFn)(const char *suffix, int value);
/* Entries for FindFirst/FindNext, separated by "\n". */
typedef void (*FakeArcSetEntriesFn)(const char *names);
/* Text a command writes into the output buffer. */
typedef void (*FakeArcSetOutputFn)(const char *text);
/* Progress messages each command delivers to the registered sink (states 0, 1, ...). */
typedef void (*FakeArcSetProgressFn)(int count);
typedef int (*FakeArcCallCountFn)(void);
typedef const FakeArcCall *(*FakeArcCallAtFn)(int index);
/* The sink's answers to the progress messages delivered so far. */
typedef int (*FakeArcAnswerCountFn)(void);
typedef int (*FakeArcAnswerAtFn)(int index);

#ifdef __cplusplus
}
#endif

#endif
