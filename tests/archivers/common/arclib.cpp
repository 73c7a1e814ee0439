#include "arclib.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/text.h"
#include "names.h"

namespace arctest {

ArcLib::ArcLib(const std::string &fileName, const std::string &prefix, const std::string &commandName) {
  const char *bin = std::getenv("MELODECK_BIN_DIR");
  const std::string path = std::string(bin ? bin : ".") + "/" + fileName;
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    ADD_FAILURE() << "cannot load " << path << ": " << dlerror();
    return;
  }
  auto get = [&](const std::string &name) {
    void *fn = dlsym(handle_, name.c_str());
    if (!fn) ADD_FAILURE() << fileName << " lacks " << name;
    return fn;
  };
  Command = reinterpret_cast<ArcCommandFn>(get(commandName.empty() ? prefix : commandName));
  OpenArchive = reinterpret_cast<ArcOpenArchiveFn>(get(prefix + "OpenArchive"));
  CloseArchive = reinterpret_cast<ArcCloseArchiveFn>(get(prefix + "CloseArchive"));
  FindFirst = reinterpret_cast<ArcFindFirstFn>(get(prefix + "FindFirst"));
  FindNext = reinterpret_cast<ArcFindNextFn>(get(prefix + "FindNext"));
  CheckArchive = reinterpret_cast<ArcCheckArchiveFn>(get(prefix + "CheckArchive"));
  SetOwnerWindowEx = reinterpret_cast<ArcSetOwnerWindowExFn>(get(prefix + "SetOwnerWindowEx"));
  KillOwnerWindowEx = reinterpret_cast<ArcKillOwnerWindowExFn>(get(prefix + "KillOwnerWindowEx"));
  get(prefix + "GetVersion");
  get(prefix + "GetRunning");
}

// Like the program, which loads a library once and keeps it, the tests never unload one: the
// libraries keep process-wide state (converters, owner windows) for as long as they live.
ArcLib::~ArcLib() = default;

void *ArcLib::Symbol(const std::string &name) const { return handle_ ? dlsym(handle_, name.c_str()) : nullptr; }

int ArcLib::Run(const std::string &line, std::string *output) {
  if (!Command) return -1;
  std::vector<char> buf(1 << 16, '\x7F');
  const int r = Command(nullptr, line.c_str(), buf.data(), static_cast<uint32_t>(buf.size()));
  if (output) *output = buf.data();
  return r;
}

std::vector<INDIVIDUALINFO> ArcLib::Records(const std::string &windowsArchive) {
  std::vector<INDIVIDUALINFO> out;
  if (!OpenArchive) return out;
  HARC h = OpenArchive(nullptr, windowsArchive.c_str(), 0);
  if (!h) return out;
  INDIVIDUALINFO info;
  for (int r = FindFirst(h, "*", &info); r == 0; r = FindNext(h, &info)) out.push_back(info);
  CloseArchive(h);
  return out;
}

std::vector<std::string> ArcLib::Names(const std::string &windowsArchive) {
  if (!OpenArchive) return {};
  HARC h = OpenArchive(nullptr, windowsArchive.c_str(), 0);
  if (!h) return {"<open failed>"};
  CloseArchive(h);
  std::vector<std::string> names;
  for (const auto &r : Records(windowsArchive)) names.emplace_back(r.szFileName);
  return names;
}

std::string Win(const std::string &linuxPath) {
  std::string w = "Z:" + linuxPath;
  for (char &c : w)
    if (c == '/') c = '\\';
  return w;
}

std::string Q(const std::string &s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

int Sh(const std::string &command, std::string *out, const std::string &folder) {
  const std::string full = (folder.empty() ? "" : "cd " + Q(folder) + " && ") + "(" + command + ") 2>&1";
  FILE *p = popen(full.c_str(), "r");
  if (!p) return -1;
  std::string text;
  std::array<char, 4096> buf;
  for (size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) text.append(buf.data(), n);
  const int status = pclose(p);
  if (out) *out = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::pair<std::string, std::string>> Tree(const std::string &linuxFolder) {
  namespace fs = std::filesystem;
  std::vector<std::pair<std::string, std::string>> out;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(linuxFolder, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    std::ifstream in(it->path(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string data = ss.str();
    std::string name = fs::relative(it->path(), linuxFolder).string(), decoded;
    if (!arc::IsValidUtf8(name) && platform::Cp932Decode(name, decoded)) name = decoded;
    out.emplace_back(name, std::to_string(data.size()) + " bytes #" + std::to_string(std::hash<std::string>{}(data)));
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace arctest
