#include "lockfolder.h"

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool PrivateOf(const struct stat &st, uid_t uid) {
  return S_ISDIR(st.st_mode) && st.st_uid == uid && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

bool IsPrivateFolderOf(const std::string &dir, uid_t uid) {
  struct stat st;
  return !dir.empty() && lstat(dir.c_str(), &st) == 0 && PrivateOf(st, uid);
}

std::string UserLockFolder(uid_t uid, const std::string &runtimeBase, const std::string &tmpBase) {
  const std::string id = std::to_string(uid);
  if (const std::string runtime = runtimeBase + "/" + id; IsPrivateFolderOf(runtime, uid)) return runtime;
  const std::string own = tmpBase + "/melodeck-" + id;
  if (mkdir(own.c_str(), 0700) == 0 && uid != getuid()) {
    // The superuser makes the folder for the user it acts for. Nobody else can have replaced
    // it meanwhile: the temporary folder lets only an entry's owner rename or remove it.
    if (lchown(own.c_str(), uid, static_cast<gid_t>(-1)) != 0) {
      rmdir(own.c_str());  // a folder the user could not use would keep its copies unguarded
      return std::string();
    }
  }
  return IsPrivateFolderOf(own, uid) ? own : std::string();
}

uid_t LockOwner(const std::string &prefixLinuxPath) {
  const uid_t self = getuid();
  struct stat st;
  if (self != 0 || prefixLinuxPath.empty() || stat(prefixLinuxPath.c_str(), &st) != 0) return self;
  return st.st_uid;
}

}  // namespace platform
