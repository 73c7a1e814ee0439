#include "requirements.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace testsupport {

namespace {

bool IsFolder(const std::string &path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool OnPath(std::string_view tool) {
  const char *path = std::getenv("PATH");
  std::string_view rest = path ? path : "";
  while (!rest.empty()) {
    const size_t colon = rest.find(':');
    const std::string_view dir = rest.substr(0, colon);
    const std::string candidate = std::string(dir.empty() ? "." : dir) + "/" + std::string(tool);
    if (access(candidate.c_str(), X_OK) == 0 && !IsFolder(candidate)) return true;
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
  }
  return false;
}

}  // namespace

std::string FixturesDir() {
  const char *shared = std::getenv("MELODECK_SHARED_DIR");
  if (!shared || !*shared) return "";
  const std::string dir = std::string(shared) + "/fixtures";
  return IsFolder(dir) ? dir : "";
}

std::string MissingFixtures() {
  const char *shared = std::getenv("MELODECK_SHARED_DIR");
  const std::string hint = " (a folder \"shared\" beside the clone, or MELODECK_SHARED_DIR, points the tests at them)";
  if (!shared || !*shared) return kMissingFixtures + std::string(": MELODECK_SHARED_DIR is not set") + hint;
  if (FixturesDir().empty()) return kMissingFixtures + std::string(": no folder ") + shared + "/fixtures" + hint;
  return "";
}

std::string MissingTools(std::initializer_list<const char *> tools) {
  std::string missing;
  for (const char *tool : tools)
    if (!OnPath(tool)) missing += std::string(missing.empty() ? "" : ", ") + tool;
  return missing.empty() ? "" : "needs tools that are not installed: " + missing;
}

}  // namespace testsupport
