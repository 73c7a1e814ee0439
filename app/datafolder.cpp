#include "datafolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "core/winpath.h"
#include "qtcore/qstr.h"

namespace {

std::string Folder(const std::string &path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string &path) { return path.substr(path.rfind('/') + 1); }

// mkdir -p with the mode the XDG rules ask for.
bool MakeFolders(const std::string &path) {
  for (size_t i = 1; i <= path.size(); ++i)
    if (i == path.size() || path[i] == '/') {
      const std::string part = path.substr(0, i);
      if (access(part.c_str(), F_OK) != 0 && mkdir(part.c_str(), 0700) != 0) return false;
    }
  return true;
}

// A folder of the running user's own that it may write to.
bool OwnWritableFolder(const std::string &folder) {
  struct stat st;
  return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
         access(folder.c_str(), W_OK) == 0;
}

std::string XdgDataHome() {
  const char *data = getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return data;
  const char *home = getenv("HOME");
  return std::string(home && *home ? home : "/") + "/.local/share";
}

}  // namespace

bool IsSystemFolder(const std::string &linuxFolder) {
  static const char *const kSystem[] = {"/usr",    "/opt", "/bin",  "/sbin", "/lib", "/lib32", "/lib64",
                                        "/libx32", "/etc", "/snap", "/app",  "/nix", "/gnu",   "/var/lib/flatpak"};
  if (linuxFolder.empty() || linuxFolder == "/") return true;
  for (const std::string system : kSystem)
    if (linuxFolder.compare(0, system.size(), system) == 0 &&
        (linuxFolder.size() == system.size() || linuxFolder[system.size()] == '/'))
      return true;
  return false;
}

QString SettingsBasePath(const std::string &programLinuxPath) {
  const std::string folder = Folder(programLinuxPath);
  std::string name = BaseName(programLinuxPath);
  if (const size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  const bool portable = !IsSystemFolder(folder) &&
                        (access((folder + "/" + name + ".ini").c_str(), F_OK) == 0 || OwnWritableFolder(folder));
  if (portable) return platform::QS(platform::ToWindows(programLinuxPath));
  const std::string data = platform::NormalizeLinuxPath(XdgDataHome() + "/melodeck");
  if (!MakeFolders(data)) return QString();
  return platform::QS(platform::ToWindows(data + "/" + name));
}
