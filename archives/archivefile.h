// TArchiveFile: the component through which the program works with archives. The caller names
// an archive (and, if it wishes, its format), then lists, extracts or packs. The component
// owns one format driver, the switch set, the buffer for the library's text output and, once
// progress is asked for, a message sink that relays the library's progress to OnProgress.
//
// Errors are raised as EArchiver and not caught here; library results other than 0 are
// returned, not raised. One archive can be open for listing at a time.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "arcapi.h"
#include "drivers.h"
#include "options.h"

namespace archives {

class TArchiveFile;

// State is the library's progress state; Abort (false on entry) set to true asks the library
// to stop.
using TArchiverProgressEvent =
    std::function<void(TArchiveFile &Sender, int State, LPEXTRACTINGINFOEX lpEis, bool &Abort)>;

class TArchiveFile {
 public:
  TArchiveFile();  // atAutoDetect without a driver; FileName unset
  ~TArchiveFile();
  TArchiveFile(const TArchiveFile &) = delete;
  TArchiveFile &operator=(const TArchiveFile &) = delete;

  const std::string &FileName() const { return fileName_; }
  // Sets ArchiverType from the name's extension first (a missing library raises and leaves
  // the name unchanged); an unlisted extension leaves driver and type as they are.
  void SetFileName(const std::string &name);

  int OutputSize() const { return static_cast<int>(output_.size()); }
  // The buffer handed to the library becomes n bytes long, starting with a NUL.
  void SetOutputSize(int n);
  // The library's text output of the last command, up to its terminating NUL.
  std::string OutputText() const;

  TArchiverOptions &Options() { return options_; }
  const TArchiverOptions &Options() const { return options_; }
  void SetOptions(const TArchiverOptions &options) { options_ = options; }

  TArchiverType ArchiverType() const { return type_; }
  // atLha … atRar: a fresh driver of that type (its library loaded), which replaces the old
  // one only when it could be made. atNone: nothing changes. atAutoDetect: stored; the
  // driver stays. Anything else raises, except while reading the stored form.
  void SetArchiverType(TArchiverType type);

  // The driver, for reading its CommandLine; null while there is none.
  TArchiver *Archiver() const { return driver_.get(); }

  TArchiverProgressEvent OnProgress;

  // Resolves atAutoDetect from the file's contents, then opens FileName for listing; the
  // handle is kept for FindFirst, FindNext and CloseArchive. Null: not opened.
  HARC OpenArchive(ARC_HWND owner, uint32_t mode);
  int FindFirst(const std::string &wildcard, INDIVIDUALINFO &entry);  // 0: an entry was found
  int FindNext(INDIVIDUALINFO &entry);
  void CloseArchive();

  // Extracts files (null: no list) of FileName into folder with options (null: the
  // component's own). No format detection: the type must be set. 0 = success.
  int Extract(ARC_HWND owner, const TArchiverOptions *options, const std::string &folder, const TStringList *files);
  // Packs files relative to baseFolder into FileName, resolving atAutoDetect first. With
  // PackFilter pfComponent the list is expanded here first; nothing to pack returns 0
  // without calling the library.
  int Pack(ARC_HWND owner, const TArchiverOptions *options, const std::string &baseFolder, const TStringList *files);

  // The stored form: FileName, OutputSize, ArchiverType and every option ("Options.a = 2").
  std::string StoredForm() const;
  // Sets the properties of a stored form in their order; properties left out keep their
  // values. Raises EArchiver on a property that does not exist or a malformed value.
  void ReadStoredForm(std::string_view text);

 private:
  TArchiver &RequireDriver() const;
  void ResolveAutoDetect();
  void StartProgress();
  void StopProgress();
  int Relayed(const std::function<int()> &call);
  static int Deliver(void *context, unsigned message, uintptr_t state, void *info);

  std::string fileName_;
  std::string output_;
  TArchiverOptions options_;
  TArchiverType type_ = atAutoDetect;
  void CloseListing() noexcept;
  std::unique_ptr<TArchiver> driver_;
  HARC handle_ = nullptr;
  std::unique_ptr<ArcMessageSink> progressWindow_;
  std::exception_ptr progressError_;  // raised by OnProgress while a library was calling
  bool reading_ = false;
};

}  // namespace archives
