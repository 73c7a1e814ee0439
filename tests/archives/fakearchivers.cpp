#include "fakearchivers.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "library.h"

namespace archivetest {

namespace {
template <class Fn>
Fn Control(void *handle, const char *name) {
  auto fn = reinterpret_cast<Fn>(dlsym(handle, name));
  if (!fn) throw std::runtime_error(std::string("fake library lacks ") + name);
  return fn;
}
}  // namespace

FakeLib::FakeLib(const std::string &linuxPath, bool full) : path_(linuxPath) {
  std::filesystem::copy_file(full ? FAKEARC_PATH : FAKEARC_COMMANDONLY_PATH, path_,
                             std::filesystem::copy_options::overwrite_existing);
  handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) throw std::runtime_error(dlerror());
  Control<FakeArcResetFn>(handle_, "FakeArcReset")();
}

FakeLib::~FakeLib() {
  if (handle_) dlclose(handle_);
}

void FakeLib::SetResult(const std::string &suffix, int value) const {
  Control<FakeArcSetResultFn>(handle_, "FakeArcSetResult")(suffix.c_str(), value);
}

void FakeLib::SetEntries(const std::vector<std::string> &names) const {
  std::string all;
  for (const auto &n : names) all += (all.empty() ? "" : "\n") + n;
  Control<FakeArcSetEntriesFn>(handle_, "FakeArcSetEntries")(all.c_str());
}

void FakeLib::SetOutput(const std::string &text) const {
  Control<FakeArcSetOutputFn>(handle_, "FakeArcSetOutput")(text.c_str());
}

void FakeLib::SetProgress(int count) const { Control<FakeArcSetProgressFn>(handle_, "FakeArcSetProgress")(count); }

std::vector<Call> FakeLib::Calls() const {
  std::vector<Call> out;
  const int n = Control<FakeArcCallCountFn>(handle_, "FakeArcCallCount")();
  auto at = Control<FakeArcCallAtFn>(handle_, "FakeArcCallAt");
  for (int i = 0; i < n; ++i) {
    const FakeArcCall *c = at(i);
    out.push_back({c->function, c->window, c->text, c->mode, c->size, c->handle});
  }
  return out;
}

std::vector<std::string> FakeLib::Functions() const {
  std::vector<std::string> out;
  for (const auto &c : Calls()) out.push_back(c.function);
  return out;
}

std::vector<int> FakeLib::Answers() const {
  std::vector<int> out;
  const int n = Control<FakeArcAnswerCountFn>(handle_, "FakeArcAnswerCount")();
  for (int i = 0; i < n; ++i) out.push_back(Control<FakeArcAnswerAtFn>(handle_, "FakeArcAnswerAt")(i));
  return out;
}

Call FakeLib::Last(const std::string &function) const {
  const auto calls = Calls();
  for (auto it = calls.rbegin(); it != calls.rend(); ++it)
    if (it->function == function) return *it;
  ADD_FAILURE() << path_ << ": no call of " << function;
  return {};
}

FakeArchivers::FakeArchivers(testsupport::TestWorld &world, const std::string &folder) : folder_(world.Linux(folder)) {
  testsupport::TestWorld::MakeDirs(folder_);
  archives::TArchiverLibrary::FreeAll();
  archives::TArchiverLibrary::SetSearchFolder(folder_);
}

FakeArchivers::~FakeArchivers() {
  archives::TArchiverLibrary::FreeAll();
  archives::TArchiverLibrary::SetSearchFolder("");
}

FakeLib &FakeArchivers::Install(const std::string &fileName, bool commandOnly) {
  auto &slot = libs_[fileName];
  slot = std::make_unique<FakeLib>(folder_ + "/" + fileName, !commandOnly);
  return *slot;
}

InFolder::InFolder(const std::string &linuxFolder) : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(linuxFolder);
}

InFolder::~InFolder() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

}  // namespace archivetest
