#include "programrun.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

std::string Quote(const std::string &s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

int Shell(const std::string &command) {
  const int status = system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

namespace {

std::string BinDir() {
  const char *bin = getenv("MELODECK_BIN_DIR");
  if (!bin) throw std::runtime_error("MELODECK_BIN_DIR is not set");
  return bin;
}

}  // namespace

std::string PlaceProgram(const std::string &linuxFolder) {
  testsupport::TestWorld::MakeDirs(linuxFolder);
  const std::string program = linuxFolder + "/melodeck";
  // A hard link where the file system allows it (the test's folder is usually on the same one),
  // else a copy.
  if (link((BinDir() + "/melodeck").c_str(), program.c_str()) != 0 &&
      Shell("cp " + Quote(BinDir() + "/melodeck") + " " + Quote(program)) != 0)
    throw std::runtime_error("can't place the program in " + linuxFolder);
  // The archiver libraries it loads, beside it as in the program's own folder.
  for (const char *library : {"libunlha32.so", "libunzip32.so"})
    if (symlink((BinDir() + "/" + library).c_str(), (linuxFolder + "/" + library).c_str()) != 0)
      throw std::runtime_error("can't place the archiver libraries in " + linuxFolder);
  // Its translations, where it looks for them beside itself.
  if (symlink((BinDir() + "/translations").c_str(), (linuxFolder + "/translations").c_str()) != 0)
    throw std::runtime_error("can't place the translations in " + linuxFolder);
  return program;
}

const std::vector<const char *> &PassedEnvironment() {
  static const std::vector<const char *> names{
      "WINEPREFIX", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "MELODECK_LOCK_DIR", "TMPDIR", "HOME",
      "PATH",       "ASAN_OPTIONS",    "LSAN_OPTIONS",   "UBSAN_OPTIONS"};
  return names;
}

ProgramRun RunProgram(const testsupport::TestWorld &world, const std::string &program,
                      const std::vector<std::string> &args, const std::vector<std::string> &extraEnv,
                      const std::string &wrapper) {
  // Nothing else of the test's environment: no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM.
  std::string command = "env -i";
  for (const char *name : PassedEnvironment())
    if (const char *value = getenv(name)) command += " " + Quote(std::string(name) + "=" + value);
  for (const auto &e : extraEnv) command += " " + Quote(e);
  command += " " + wrapper + " timeout 60 " + Quote(program);
  for (const auto &a : args) command += " " + Quote(a);
  const std::string out = world.Linux("run.out"), err = world.Linux("run.err");
  ProgramRun run;
  run.status = Shell(command + " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null");
  run.out = testsupport::TestWorld::ReadFile(out);
  run.err = testsupport::TestWorld::ReadFile(err);
  return run;
}

std::string TreeChecksum(const std::string &linuxFolder) {
  const std::string sum = linuxFolder + "/../tree.sum";
  Shell("cd " + Quote(linuxFolder) + " && find . -printf '%p %m %y %s\\n' | LC_ALL=C sort >" + Quote(sum) +
        " && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 -r sha256sum >>" + Quote(sum));
  return testsupport::TestWorld::ReadFile(sum);
}
