#include "drivers.h"

#include "arj32.h"
#include "cab32.h"
#include "lha32.h"
#include "rar32.h"
#include "tar32.h"
#include "zip32.h"

namespace archives {

namespace {

template <bool (*IsArchive)(const std::string &)>
int YesNo(const std::string &path) {
  return IsArchive(path) ? 1 : 0;
}

constexpr ContentProbe kLhaProbe{YesNo<&TLha32::IsArchive>, 1, 1};
constexpr ContentProbe kZipProbe{YesNo<&TZip32::IsArchive>, 1, 1};
constexpr ContentProbe kCabProbe{YesNo<&TCab32::IsArchive>, 1, 1};
constexpr ContentProbe kArjProbe{YesNo<&TArj32::IsArchive>, 1, 1};
constexpr ContentProbe kRarProbe{YesNo<&TRar32::IsArchive>, 1, 1};
// One TAR library answers for plain, compressed and bzip2 archives alike.
constexpr ContentProbe kTarProbe{&TTar32::ArchiveType, ARC_TYPE_TAR, ARC_TYPE_TAR};
constexpr ContentProbe kTgzProbe{&TTar32::ArchiveType, ARC_TYPE_GZIP_FIRST, ARC_TYPE_GZIP_LAST};
constexpr ContentProbe kBz2Probe{&TTar32::ArchiveType, ARC_TYPE_BZIP2_FIRST, ARC_TYPE_BZIP2_LAST};

// The two values that select no driver, after the formats in the enum.
constexpr const char *kNoneName = "atNone";
constexpr const char *kAutoDetectName = "atAutoDetect";

}  // namespace

std::span<const DriverInfo> DriverFactory::Table() {
  // The driver classes let only this factory make them; the lambdas here share its access.
  static const DriverInfo kTable[] = {
      {atLha, "atLha", ".lzh", kLhaProbe, 0, [] { return std::unique_ptr<TArchiver>(new TLha32); }},
      {atZip, "atZip", ".zip", kZipProbe, 1, [] { return std::unique_ptr<TArchiver>(new TZip32); }},
      {atCab, "atCab", ".cab", kCabProbe, 2, [] { return std::unique_ptr<TArchiver>(new TCab32); }},
      {atArj, "atArj", ".arj", kArjProbe, 3, [] { return std::unique_ptr<TArchiver>(new TArj32); }},
      {atTar, "atTar", ".tar", kTarProbe, 5, [] { return std::unique_ptr<TArchiver>(new TTar32); }},
      {atTgz, "atTgz", ".tgz .taz .gz .z", kTgzProbe, 6, [] { return std::unique_ptr<TArchiver>(new TTgz32); }},
      {atBZ2, "atBZ2", ".bz2", kBz2Probe, 7, [] { return std::unique_ptr<TArchiver>(new TBZ232); }},
      {atRar, "atRar", ".rar", kRarProbe, 4, [] { return std::unique_ptr<TArchiver>(new TRar32); }},
  };
  return kTable;
}

const DriverInfo *FindDriver(TArchiverType type) {
  for (const DriverInfo &row : DriverFactory::Table())
    if (row.type == type) return &row;
  return nullptr;
}

std::unique_ptr<TArchiver> DriverFactory::Create(TArchiverType type) {
  const DriverInfo *row = FindDriver(type);
  if (!row) return nullptr;
  std::unique_ptr<TArchiver> driver = row->create();
  driver->LoadDLL();
  return driver;
}

std::string_view TypeName(TArchiverType type) {
  if (const DriverInfo *row = FindDriver(type)) return row->name;
  if (type == atNone) return kNoneName;
  if (type == atAutoDetect) return kAutoDetectName;
  return {};
}

int TypeFromName(std::string_view name) {
  for (const DriverInfo &row : DriverFactory::Table())
    if (name == row.name) return row.type;
  if (name == kNoneName) return atNone;
  if (name == kAutoDetectName) return atAutoDetect;
  return -1;
}

}  // namespace archives
