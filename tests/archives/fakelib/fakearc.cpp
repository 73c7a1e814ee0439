// A stand-in for every archiver library: exports the functions of every prefix, records each
// call and answers with scripted results. Built once; the tests copy it under each library's
// file name, so that each copy loads separately with its own record.
#include "fakearc.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "arcapi.h"

namespace {

struct Call {
  std::string function;
  const void *window = nullptr;
  std::string text;
  uint32_t mode = 0;
  uint32_t size = 0;
  const void *handle = nullptr;
};

struct State {
  std::vector<Call> calls;
  std::map<std::string, int> results;
  std::vector<std::string> entries;
  std::string output;
  int progress = 0;
  std::vector<int> answers;
  ARC_HWND sink = nullptr;
  size_t next = 0;
  int handleObject = 0;  // its address is the handle of an open listing
};

State &S() {
  static State s;
  return s;
}

int Result(const std::string &suffix, int fallback) {
  auto it = S().results.find(suffix);
  return it == S().results.end() ? fallback : it->second;
}

void Record(const char *function, const void *window, const char *text, uint32_t mode, uint32_t size,
            const void *handle) {
  S().calls.push_back({function, window, text ? text : "", mode, size, handle});
}

int Command(const char *function, ARC_HWND window, const char *cmd, char *out, uint32_t size) {
  Record(function, window, cmd, out ? 1 : 0, size, nullptr);
  for (int i = 0; i < S().progress; ++i) {
    if (!S().sink || !S().sink->deliver) break;
    EXTRACTINGINFOEX info;
    std::memset(&info, 0, sizeof info);
    info.exinfo.dwFileSize = 100;
    info.exinfo.dwWriteSize = static_cast<uint32_t>(10 * i);
    std::snprintf(info.exinfo.szSourceFileName, sizeof info.exinfo.szSourceFileName, "entry%d.mid", i);
    const int answer = S().sink->deliver(S().sink->context, ARC_WM_ARCEXTRACT, static_cast<uintptr_t>(i), &info);
    S().answers.push_back(answer);
    if (answer) return Result("Aborted", 0x8020);
  }
  if (out && size > 0) {
    const size_t n = std::min<size_t>(S().output.size(), size - 1);
    std::memcpy(out, S().output.data(), n);
    out[n] = '\0';
  }
  return Result("", 0);
}

#ifndef FAKEARC_COMMAND_ONLY
HARC Handle() { return reinterpret_cast<HARC>(&S().handleObject); }

HARC Open(const char *function, ARC_HWND window, const char *path, uint32_t mode) {
  const HARC handle = Result("OpenArchive", 1) ? Handle() : nullptr;
  Record(function, window, path, mode, 0, handle);
  return handle;
}

int Close(const char *function, HARC handle) {
  Record(function, nullptr, nullptr, 0, 0, handle);
  return Result("CloseArchive", 0);
}

int Fill(HARC handle, LPINDIVIDUALINFO entry) {
  if (handle != Handle() || S().next >= S().entries.size()) return -1;
  std::memset(entry, 0, sizeof *entry);
  std::snprintf(entry->szFileName, sizeof entry->szFileName, "%s", S().entries[S().next++].c_str());
  return 0;
}

int First(const char *function, HARC handle, const char *wildcard, LPINDIVIDUALINFO entry) {
  Record(function, nullptr, wildcard, 0, 0, handle);
  S().next = 0;
  return Fill(handle, entry);
}

int Next(const char *function, HARC handle, LPINDIVIDUALINFO entry) {
  Record(function, nullptr, nullptr, 0, 0, handle);
  return Fill(handle, entry);
}

int Check(const char *function, const char *path, int mode) {
  Record(function, nullptr, path, static_cast<uint32_t>(mode), 0, nullptr);
  return Result("CheckArchive", 1);
}

int SetOwner(const char *function, ARC_HWND window, ARCHIVERPROC callback) {
  Record(function, window, callback ? "callback" : "", 0, 0, nullptr);
  S().sink = window;
  return Result("SetOwnerWindowEx", 1);
}

int KillOwner(const char *function, ARC_HWND window) {
  Record(function, window, nullptr, 0, 0, nullptr);
  S().sink = nullptr;
  return Result("KillOwnerWindowEx", 1);
}
#endif

}  // namespace

#define FAKE_COMMAND(prefix)                                                        \
  ARCAPI_EXPORT int prefix(ARC_HWND w, const char *cmd, char *out, uint32_t size) { \
    return Command(#prefix, w, cmd, out, size);                                     \
  }

#define FAKE_LISTING(prefix)                                                                                        \
  HARC prefix##OpenArchive(ARC_HWND w, const char *path, uint32_t mode) {                                           \
    return Open(#prefix "OpenArchive", w, path, mode);                                                              \
  }                                                                                                                 \
  int prefix##CloseArchive(HARC h) { return Close(#prefix "CloseArchive", h); }                                     \
  int prefix##FindFirst(HARC h, const char *wild, LPINDIVIDUALINFO e) {                                             \
    return First(#prefix "FindFirst", h, wild, e);                                                                  \
  }                                                                                                                 \
  int prefix##FindNext(HARC h, LPINDIVIDUALINFO e) { return Next(#prefix "FindNext", h, e); }                       \
  int prefix##CheckArchive(const char *path, int mode) { return Check(#prefix "CheckArchive", path, mode); }        \
  int prefix##SetOwnerWindowEx(ARC_HWND w, ARCHIVERPROC cb) { return SetOwner(#prefix "SetOwnerWindowEx", w, cb); } \
  int prefix##KillOwnerWindowEx(ARC_HWND w) { return KillOwner(#prefix "KillOwnerWindowEx", w); }

// The partial build (FAKEARC_COMMAND_ONLY) has only the command entries, for the cases of a
// library that lacks a function.
#ifdef FAKEARC_COMMAND_ONLY
#define FAKE_PREFIX(prefix) FAKE_COMMAND(prefix)
#else
#define FAKE_PREFIX(prefix) ARCAPI_DECLARE_EXPORTS(prefix) FAKE_COMMAND(prefix) FAKE_LISTING(prefix)
#endif

FAKE_PREFIX(Unlha)
FAKE_PREFIX(UnZip)
FAKE_PREFIX(Unzip)
FAKE_PREFIX(Zip)
FAKE_PREFIX(Cab)
FAKE_PREFIX(Unarj)
FAKE_PREFIX(Tar)
FAKE_PREFIX(Unrar)

#ifndef FAKEARC_COMMAND_ONLY
ARCAPI_EXPORT int TarGetArchiveType(const char *path) {
  Record("TarGetArchiveType", nullptr, path, 0, 0, nullptr);
  return Result("GetArchiveType", 0);
}
#endif

ARCAPI_EXPORT void FakeArcReset(void) { S() = State(); }

ARCAPI_EXPORT void FakeArcSetResult(const char *suffix, int value) { S().results[suffix] = value; }

ARCAPI_EXPORT void FakeArcSetEntries(const char *names) {
  S().entries.clear();
  std::string all = names;
  size_t start = 0;
  while (start <= all.size() && !all.empty()) {
    size_t end = all.find('\n', start);
    if (end == std::string::npos) end = all.size();
    S().entries.push_back(all.substr(start, end - start));
    start = end + 1;
  }
}

ARCAPI_EXPORT void FakeArcSetOutput(const char *text) { S().output = text; }

ARCAPI_EXPORT void FakeArcSetProgress(int count) { S().progress = count; }

ARCAPI_EXPORT int FakeArcCallCount(void) { return static_cast<int>(S().calls.size()); }

ARCAPI_EXPORT const FakeArcCall *FakeArcCallAt(int index) {
  if (index < 0 || static_cast<size_t>(index) >= S().calls.size()) return nullptr;
  const Call &c = S().calls[static_cast<size_t>(index)];
  static FakeArcCall view;
  view = {c.function.c_str(), c.window, c.text.c_str(), c.mode, c.size, c.handle};
  return &view;
}

ARCAPI_EXPORT int FakeArcAnswerCount(void) { return static_cast<int>(S().answers.size()); }

ARCAPI_EXPORT int FakeArcAnswerAt(int index) { return S().answers.at(static_cast<size_t>(index)); }
