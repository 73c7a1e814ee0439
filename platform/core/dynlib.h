// Shared libraries loaded at run time by file name, and the folder of the running program
// (where such libraries are installed beside it).
#pragma once

#include <string>

namespace platform {

class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  ~DynamicLibrary();  // closes the library
  DynamicLibrary(const DynamicLibrary &) = delete;
  DynamicLibrary &operator=(const DynamicLibrary &) = delete;

  // A name with a "/" is opened as that Linux path; a bare name goes through the system's
  // library search path. Binds every symbol at once, so a broken library fails here.
  bool Open(const std::string &linuxPathOrName);
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }
  // The Linux path of the file actually loaded (also for a bare name).
  const std::string &LinuxPath() const { return path_; }
  // Null when the library has no such symbol.
  void *Symbol(const std::string &name) const;

 private:
  void *handle_ = nullptr;
  std::string path_;
};

// The Linux folder of the running executable (/proc/self/exe), without a trailing "/".
std::string ProgramLinuxFolder();

}  // namespace platform
