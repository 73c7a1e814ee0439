// Runs the built melodeck program as a process of its own, the way a launcher does: from a
// program folder of the test's own (a hard link of the binary, so that its settings land there),
// with no display at all and the test's prefix, runtime and temporary folders.
#pragma once

#include <string>
#include <vector>

#include "testworld.h"

// The music folders of the test prefix's two clients, relative to the test's world.
inline const std::string kFirst = "prefix/drive_c/Program Files/Ultima Online/music";
inline const std::string kThirdDawn = "prefix/drive_c/Program Files/Ultima Online Third Dawn/music";

// The locales a test runs the program under (an extra environment entry): the program's texts in
// English, or in Japanese. Without either the program shows English, as under any other locale.
inline const std::string kEnglish = "LANG=C.UTF-8";
inline const std::string kJapanese = "LANG=ja_JP.UTF-8";

struct ProgramRun {
  int status = -1;  // exit status; -1 when it did not exit normally
  std::string out, err;
};

// The variables of the test's environment that a program a test starts gets: the test's
// prefix, runtime, cache, lock and temporary folders, and the sanitizers' options.
const std::vector<const char *> &PassedEnvironment();

// Places the program in linuxFolder, with its archiver libraries and translations; answers the
// program's path.
std::string PlaceProgram(const std::string &linuxFolder);

// extraEnv: "NAME=value" entries added to the environment; wrapper: a command line put in
// front of the program (e.g. to run it as another user).
ProgramRun RunProgram(const testsupport::TestWorld &world, const std::string &program,
                      const std::vector<std::string> &args, const std::vector<std::string> &extraEnv = {},
                      const std::string &wrapper = "");

// Runs a shell command; its exit status (-1 when it did not exit normally).
int Shell(const std::string &command);
std::string Quote(const std::string &s);

// A checksum of every file and folder name below linuxFolder (contents, names, modes).
std::string TreeChecksum(const std::string &linuxFolder);
