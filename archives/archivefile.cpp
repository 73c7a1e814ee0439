#include "archivefile.h"

#include <cstdint>
#include <utility>

#include "detect.h"
#include "earchiver.h"
#include "filefilter.h"
#include "storedform.h"
#include "core/translate.h"

namespace archives {

namespace {

// Far above any library's output; a larger stored size is a damaged form, not a wish.
constexpr int64_t kMaxStoredOutputSize = 64 << 20;

}  // namespace

TArchiveFile::TArchiveFile() : fileName_(kUnset) {}

TArchiveFile::~TArchiveFile() { CloseListing(); }

// A listing left open is closed by the library that opened it, before that library's driver
// goes or a new listing replaces the handle; the library would otherwise keep it for good.
void TArchiveFile::CloseListing() noexcept {
  if (driver_ && handle_) {
    try {
      driver_->CloseArchive(handle_);
    } catch (const std::exception &) {
      // The library is gone or lacks the function: nothing is left to close.
    }
  }
  handle_ = nullptr;
}

void TArchiveFile::SetFileName(const std::string &name) {
  SetArchiverType(ArchiverTypeFromExtension(name));
  fileName_ = name;
}

void TArchiveFile::SetOutputSize(int n) { output_.assign(static_cast<size_t>(n > 0 ? n : 0), '\0'); }

std::string TArchiveFile::OutputText() const { return std::string(output_.c_str()); }

void TArchiveFile::SetArchiverType(TArchiverType type) {
  if (IsConcreteType(type)) {
    auto driver = CreateArchiver(type);  // raises before anything changes
    CloseListing();
    driver_ = std::move(driver);
    type_ = type;
  } else if (type == atNone) {
    // Nothing to switch to: the previous driver keeps working.
  } else if (type == atAutoDetect || reading_) {
    type_ = type;
  } else {
    throw EArchiver(platform::translate("Archives", "現在のバージョンではこの形式の書庫をサポートしていません。"));
  }
}

TArchiver &TArchiveFile::RequireDriver() const {
  if (!driver_) throw EArchiver(platform::translate("Archives", "書庫の形式を判別できません。"));
  return *driver_;
}

void TArchiveFile::ResolveAutoDetect() {
  if (type_ == atAutoDetect) SetArchiverType(ArchiverTypeFromContents(fileName_));
}

HARC TArchiveFile::OpenArchive(ARC_HWND owner, uint32_t mode) {
  ResolveAutoDetect();
  CloseListing();
  handle_ = RequireDriver().OpenArchive(owner, fileName_, mode);
  return handle_;
}

int TArchiveFile::FindFirst(const std::string &wildcard, INDIVIDUALINFO &entry) {
  return RequireDriver().FindFirst(handle_, entry, wildcard);
}

int TArchiveFile::FindNext(INDIVIDUALINFO &entry) { return RequireDriver().FindNext(handle_, entry); }

void TArchiveFile::CloseArchive() {
  // A library is never handed a null handle to close.
  HARC handle = std::exchange(handle_, nullptr);
  if (driver_ && handle) driver_->CloseArchive(handle);
}

int TArchiveFile::Extract(ARC_HWND owner, const TArchiverOptions *options, const std::string &folder,
                          const TStringList *files) {
  TArchiver &driver = RequireDriver();
  const TArchiverOptions &o = options ? *options : options_;
  return Relayed(
      [&] { return driver.Extract(owner, fileName_, output_, o.ResFileUsage.Contains(ruOnUnpack), files, folder, o); });
}

int TArchiveFile::Pack(ARC_HWND owner, const TArchiverOptions *options, const std::string &baseFolder,
                       const TStringList *files) {
  ResolveAutoDetect();
  TArchiver &driver = RequireDriver();
  const TArchiverOptions &given = options ? *options : options_;
  if (given.PackFilter == pfComponent) {
    TArchiverOptions copy = given;
    const TStringList expanded = ExpandFileList(copy, files);
    if (expanded.empty()) {
      if (!output_.empty()) output_[0] = '\0';
      return 0;
    }
    return Relayed([&] {
      return driver.Pack(owner, fileName_, output_, copy.ResFileUsage.Contains(ruOnPack), &expanded, baseFolder, copy);
    });
  }
  return Relayed([&] {
    return driver.Pack(owner, fileName_, output_, given.ResFileUsage.Contains(ruOnPack), files, baseFolder, given);
  });
}

// The library is told to stop reporting even when the call raises: it must never keep a sink
// that may outlive this component.
int TArchiveFile::Relayed(const std::function<int()> &call) {
  struct Stop {
    TArchiveFile *self;
    ~Stop() { self->StopProgress(); }
  };
  progressError_ = nullptr;
  StartProgress();
  int result;
  {
    Stop stop{this};
    result = call();
  }
  if (progressError_) std::rethrow_exception(std::exchange(progressError_, nullptr));
  return result;
}

void TArchiveFile::StartProgress() {
  if (!OnProgress || !driver_) return;
  try {
    if (!progressWindow_) progressWindow_.reset(new ArcMessageSink{&TArchiveFile::Deliver, nullptr, this});
    driver_->SetOwnerWindow(progressWindow_.get(), nullptr);
  } catch (const std::exception &) {
    // Progress is a courtesy: the operation runs without it.
  }
}

void TArchiveFile::StopProgress() {
  if (!OnProgress || !driver_) return;
  try {
    driver_->KillOwnerWindow(progressWindow_.get());
  } catch (const std::exception &) {
  }
}

// Called by the library, inside its command: an exception must not unwind through it, so a
// handler's error asks the library to abort and is raised once the library has returned.
int TArchiveFile::Deliver(void *context, unsigned message, uintptr_t state, void *info) {
  auto *self = static_cast<TArchiveFile *>(context);
  if (message != ARC_WM_ARCEXTRACT || !self->OnProgress) return 0;
  bool abort = false;
  try {
    self->OnProgress(*self, static_cast<int>(state), static_cast<LPEXTRACTINGINFOEX>(info), abort);
  } catch (...) {
    if (!self->progressError_) self->progressError_ = std::current_exception();
    return 1;
  }
  return abort ? 1 : 0;
}

std::string TArchiveFile::StoredForm() const {
  std::string out = "FileName = " + StoreString(fileName_) + "\n";
  out += "OutputSize = " + std::to_string(output_.size()) + "\n";
  out += "ArchiverType = ";
  const std::string_view name = TypeName(type_);
  out += name.empty() ? std::to_string(static_cast<int>(type_)) : std::string(name);
  out += "\n";
  return out + StoreOptions(options_, "Options.");
}

void TArchiveFile::ReadStoredForm(std::string_view text) {
  struct Reading {
    bool &flag;
    explicit Reading(bool &f) : flag(f) { flag = true; }
    ~Reading() { flag = false; }
  } reading(reading_);
  for (const StoredProperty &p : ParseStoredForm(text)) {
    if (p.name == "FileName") {
      SetFileName(ReadStoredString(p));
    } else if (p.name == "OutputSize") {
      SetOutputSize(static_cast<int>(ReadStoredNumber(p, 0, kMaxStoredOutputSize)));
    } else if (p.name == "ArchiverType") {
      int type = TypeFromName(p.value);
      if (type < 0) type = static_cast<int>(ReadStoredNumber(p, 0, 255));
      SetArchiverType(static_cast<TArchiverType>(type));
    } else if (p.name.rfind("Options.", 0) == 0) {
      StoredProperty inner{p.name.substr(8), p.value};
      if (!ReadOptionsProperty(options_, inner)) ThrowUnknownProperty(p);
    } else {
      ThrowUnknownProperty(p);
    }
  }
}

}  // namespace archives
