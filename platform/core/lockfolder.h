// Where a user's instance lock (and the window's hand-over socket beside it) lives. The place
// depends on the user alone, never on the caller's environment, so that a window of a desktop
// session, a command from cron, over ssh or under sudo all meet at the same lock.
#pragma once

#include <sys/types.h>

#include <string>

namespace platform {

// The folder of uid's lock: runtimeBase/<uid> when that is a private folder of the user (the
// session's runtime folder), else tmpBase/melodeck-<uid>, made with mode 0700 (and given to
// uid when the superuser makes it). Empty when neither is a private folder of the user: a
// real folder, not a link, owned by uid, that nobody else may write to.
std::string UserLockFolder(uid_t uid, const std::string &runtimeBase = "/run/user",
                           const std::string &tmpBase = "/tmp");

// Whose lock guards a Wine prefix: the running user's own; for the superuser working on
// another user's prefix (sudo), that user's, so that it waits for the user's window.
uid_t LockOwner(const std::string &prefixLinuxPath);

// Whether dir is a private folder of uid (see UserLockFolder).
bool IsPrivateFolderOf(const std::string &dir, uid_t uid);

}  // namespace platform
