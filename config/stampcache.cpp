#include "stampcache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <map>
#include <mutex>
#include <sstream>
#include <tuple>
#include <vector>

#include "core/atomicfile.h"
#include "core/fileops.h"

namespace {

struct TIdentity {
  unsigned long long Device = 0, Inode = 0;
  long long Size = 0, MtimeS = 0, MtimeNs = 0, CtimeS = 0, CtimeNs = 0;
  auto Tie() const { return std::tie(Device, Inode, Size, MtimeS, MtimeNs, CtimeS, CtimeNs); }
  bool operator<(const TIdentity &o) const { return Tie() < o.Tie(); }
};

constexpr size_t kMostStamps = 20000;

struct TCache {
  std::mutex Lock;
  std::map<TIdentity, TFileStamp> Stamps;
  std::string File;
  bool Changed = false;
};

TCache &Cache() {
  static TCache cache;
  return cache;
}

std::optional<TIdentity> IdentityOf(const std::string &linuxPath) {
  struct stat st {};
  if (linuxPath.empty() || stat(linuxPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return TIdentity{st.st_dev,          st.st_ino,         st.st_size,        st.st_mtim.tv_sec,
                   st.st_mtim.tv_nsec, st.st_ctim.tv_sec, st.st_ctim.tv_nsec};
}

// The stamp of a regular file's bytes, read in blocks into one buffer: no copy of a large file
// is held. (A mapping would end the program should another truncate the file meanwhile.)
std::optional<TFileStamp> BlockStamp(const std::string &linuxPath) {
  if (linuxPath.empty()) return std::nullopt;
  const int fd = open(linuxPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  constexpr size_t kBlock = size_t{1} << 20;  // a multiple of the hash's word
  static thread_local std::vector<char> buffer(kBlock);
  THashState hash;
  qint64 size = 0;
  for (;;) {
    size_t filled = 0;
    while (filled < kBlock) {
      const ssize_t n = read(fd, buffer.data() + filled, kBlock - filled);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        close(fd);
        return std::nullopt;
      }
      if (n == 0) break;
      filled += static_cast<size_t>(n);
    }
    hash.Add(buffer.data(), filled);
    size += static_cast<qint64>(filled);
    if (filled < kBlock) break;
  }
  close(fd);
  return TFileStamp{size, hash.Hex()};
}

}  // namespace

void UseStampFile(const std::string &linuxPath) {
  TCache &c = Cache();
  const std::lock_guard lock(c.Lock);
  c.File = linuxPath;
  c.Stamps.clear();
  c.Changed = false;
  const auto text = linuxPath.empty() ? std::nullopt : platform::ReadLinuxFile(linuxPath);
  if (!text) return;
  std::istringstream in(*text);
  std::string line;
  while (std::getline(in, line) && c.Stamps.size() < kMostStamps) {
    TIdentity id;
    long long size = -1;
    std::string hash;
    std::istringstream fields(line);
    if (!(fields >> id.Device >> id.Inode >> id.Size >> id.MtimeS >> id.MtimeNs >> id.CtimeS >> id.CtimeNs >> size >>
          hash) ||
        hash.size() != 16 || size != id.Size)
      continue;
    c.Stamps[id] = {size, QByteArray::fromStdString(hash)};
  }
}

void SaveStampFile() {
  TCache &c = Cache();
  const std::lock_guard lock(c.Lock);
  if (c.File.empty() || !c.Changed) return;
  std::ostringstream out;
  for (const auto &[id, stamp] : c.Stamps)
    out << id.Device << ' ' << id.Inode << ' ' << id.Size << ' ' << id.MtimeS << ' ' << id.MtimeNs << ' ' << id.CtimeS
        << ' ' << id.CtimeNs << ' ' << stamp.Size << ' ' << stamp.Hash.toStdString() << '\n';
  if (platform::WriteFileAtomically(c.File, out.str())) c.Changed = false;
}

void LearnCopyStamp(const std::string &sourceLinuxPath, const std::string &targetLinuxPath, const TFileStamp &copied,
                    double now) {
  const auto source = IdentityOf(sourceLinuxPath), target = IdentityOf(targetLinuxPath);
  if (!source || !target || target->Size != source->Size || target->MtimeS != source->MtimeS ||
      target->MtimeNs != source->MtimeNs ||
      static_cast<double>(target->MtimeS) + static_cast<double>(target->MtimeNs) / 1e9 + 0.1 > now)
    return;
  TCache &c = Cache();
  const std::lock_guard lock(c.Lock);
  const auto known = c.Stamps.find(*source);
  if (known == c.Stamps.end() || known->second != copied) return;
  if (c.Stamps.size() >= kMostStamps) c.Stamps.erase(c.Stamps.begin());
  c.Stamps[*target] = known->second;
  c.Changed = true;
}

std::optional<TFileStamp> KnownStamp(const std::string &linuxPath) {
  const auto id = IdentityOf(linuxPath);
  if (!id) return std::nullopt;
  TCache &c = Cache();
  const std::lock_guard lock(c.Lock);
  const auto it = c.Stamps.find(*id);
  return it == c.Stamps.end() ? std::nullopt : std::optional<TFileStamp>(it->second);
}

double SecondsNow() {
  timespec t{};
  clock_gettime(CLOCK_REALTIME, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

std::optional<TFileStamp> ReadStamp(const std::string &linuxPath, double now) {
  const auto before = IdentityOf(linuxPath);
  const auto stamp = BlockStamp(linuxPath);
  if (!stamp) return std::nullopt;
  // Learnt only when the file was not changed while it was read, nor within the last second.
  const auto after = IdentityOf(linuxPath);
  if (!before || !after || before->Size != stamp->Size || after->Tie() != before->Tie() ||
      static_cast<double>(before->CtimeS) + static_cast<double>(before->CtimeNs) / 1e9 + 0.1 > now)
    return stamp;
  TCache &c = Cache();
  const std::lock_guard lock(c.Lock);
  if (c.Stamps.size() >= kMostStamps) c.Stamps.erase(c.Stamps.begin());
  c.Stamps[*before] = *stamp;
  c.Changed = true;
  return stamp;
}
