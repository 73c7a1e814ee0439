#include "dynlib.h"

#include <dlfcn.h>
#include <link.h>
#include <limits.h>
#include <unistd.h>

namespace platform {

DynamicLibrary::~DynamicLibrary() { Close(); }

bool DynamicLibrary::Open(const std::string &linuxPathOrName) {
  Close();
  handle_ = dlopen(linuxPathOrName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) return false;
  path_ = linuxPathOrName;
  link_map *map = nullptr;
  if (dlinfo(handle_, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && *map->l_name) path_ = map->l_name;
  return true;
}

void DynamicLibrary::Close() {
  if (handle_) dlclose(handle_);
  handle_ = nullptr;
  path_.clear();
}

void *DynamicLibrary::Symbol(const std::string &name) const { return handle_ ? dlsym(handle_, name.c_str()) : nullptr; }

std::string ProgramLinuxFolder() {
  char buf[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  std::string exe(buf, static_cast<size_t>(n));
  const size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : exe.substr(0, slash);
}

}  // namespace platform
