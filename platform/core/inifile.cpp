#include "inifile.h"

#include <algorithm>
#include <cctype>

#include <sys/stat.h>

#include <cstdlib>

#include "atomicfile.h"
#include "fileops.h"
#include "inidocument.h"
#include "winpath.h"
#include "translate.h"

namespace platform {

struct IniFile::Document {
  IniDocument doc;
  // Identity of the file this parse came from; a change of any of these means a new parse.
  bool exists = false;
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  timespec mtime{};
  timespec ctime{};
  bool unreadable = false;  // the file exists but could not be read whole
};

namespace {

bool SameFile(const IniFile::Document &d, const struct stat &st) {
  return d.exists && d.dev == st.st_dev && d.ino == st.st_ino && d.size == st.st_size &&
         d.mtime.tv_sec == st.st_mtim.tv_sec && d.mtime.tv_nsec == st.st_mtim.tv_nsec &&
         d.ctime.tv_sec == st.st_ctim.tv_sec && d.ctime.tv_nsec == st.st_ctim.tv_nsec;
}

void Remember(IniFile::Document &d, const struct stat &st) {
  d.exists = true;
  d.dev = st.st_dev;
  d.ino = st.st_ino;
  d.size = st.st_size;
  d.mtime = st.st_mtim;
  d.ctime = st.st_ctim;
}

// A value is written as it stands unless reading would change it: blanks at its ends are
// trimmed and a pair of quotes around it dropped when read, so such a value goes in quotes.
std::string QuoteIfNeeded(std::string_view v) {
  if (v.empty()) return {};
  const auto special = [](char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; };
  if (special(v.front()) || special(v.back())) return "\"" + std::string(v) + "\"";
  return std::string(v);
}

// A line break or NUL in a name or value would end the line and start another.
bool FitsOnALine(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// Windows drops one pair of matching quotes around a value when reading it.
std::string Unquote(const std::string &v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

// StrToIntDef with the "0x" prefix that TIniFile-style readers accept.
int ToIntDef(std::string s, int def) {
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = "$" + s.substr(2);
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool neg = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') base = 16, ++i;
  if (i >= s.size()) return def;
  long long v = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    int d = (c >= '0' && c <= '9')                                         ? c - '0'
            : (base == 16 && std::isxdigit(static_cast<unsigned char>(c))) ? (std::tolower(c) - 'a' + 10)
                                                                           : -1;
    if (d < 0) return def;
    v = v * base + d;
    if (v > 0xFFFFFFFFLL) return def;
  }
  if (base == 10 && v > (neg ? 2147483648LL : 2147483647LL)) return def;
  return static_cast<int>(neg ? -v : v);
}

}  // namespace

EIniFileException::EIniFileException(const std::string &windowsPath)
    : std::runtime_error(Args(translate("Files", "%1 に書き込めません"), {windowsPath})) {}

IniFile::IniFile(std::string windowsPath) : path_(std::move(windowsPath)) {}
IniFile::~IniFile() = default;

std::shared_ptr<const IniFile::Document> IniFile::Load() const {
  const std::string linux = ToLinux(path_);
  struct stat st;
  if (linux.empty() || stat(linux.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) {
    if (!cache_ || cache_->exists) cache_ = std::make_shared<Document>();
    return cache_;
  }
  if (cache_ && SameFile(*cache_, st)) return cache_;
  auto d = std::make_shared<Document>();
  if (const auto bytes = ReadLinuxFile(linux)) {
    d->doc = IniDocument::Parse(*bytes);
  } else {
    d->unreadable = true;  // read as empty, and never written over
  }
  Remember(*d, st);
  cache_ = d;
  return cache_;
}

void IniFile::Store(std::shared_ptr<Document> d) {
  const std::string linux = ToLinux(path_);
  if (linux.empty() || d->unreadable || !WriteFileAtomically(linux, d->doc.Serialize())) throw EIniFileException(path_);
  struct stat st;
  if (stat(linux.c_str(), &st) == 0) {
    Remember(*d, st);
    cache_ = std::move(d);
  } else {
    cache_.reset();
  }
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  const std::string *v = Load()->doc.Find(section, key);
  return v ? Unquote(*v) : std::string(def);
}

std::vector<std::string> IniFile::ReadStrings(std::string_view section, const std::vector<std::string> &keys,
                                              std::string_view def) const {
  const std::shared_ptr<const Document> d = Load();
  std::vector<std::string> values;
  values.reserve(keys.size());
  for (const std::string &key : keys) {
    const std::string *v = d->doc.Find(section, key);
    values.push_back(v ? Unquote(*v) : std::string(def));
  }
  return values;
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
  return ToIntDef(ReadString(section, key, ""), def);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

std::vector<std::string> IniFile::ReadSections() const { return Load()->doc.Sections(); }

std::vector<std::string> IniFile::ReadSection(std::string_view section) const { return Load()->doc.Keys(section); }

bool IniFile::SectionExists(std::string_view section) const { return Load()->doc.HasSection(section); }

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  return Load()->doc.Find(section, key) != nullptr;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  WriteStrings(section, {{std::string(key), std::string(value)}});
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteStrings(std::string_view section, const KeyValues &values) {
  auto d = std::make_shared<Document>(*Load());
  if (!FitsOnALine(section)) throw EIniFileException(path_);
  for (const auto &[k, v] : values) {
    if (!FitsOnALine(k) || !FitsOnALine(v)) throw EIniFileException(path_);
    d->doc.Set(section, k, QuoteIfNeeded(v));
  }
  Store(std::move(d));
}

void IniFile::ReplaceSection(std::string_view section, const KeyValues &values) {
  const std::vector<std::string> before = ReadSection(section);
  auto d = std::make_shared<Document>(*Load());
  if (!FitsOnALine(section)) throw EIniFileException(path_);
  // The section keeps its place in the file; keys not among values go.
  for (const std::string &key : before) {
    const bool kept = std::any_of(values.begin(), values.end(), [&key](const auto &kv) {
      return std::equal(key.begin(), key.end(), kv.first.begin(), kv.first.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
      });
    });
    if (!kept) d->doc.Remove(section, key);
  }
  for (const auto &[k, v] : values) {
    if (!FitsOnALine(k) || !FitsOnALine(v)) throw EIniFileException(path_);
    d->doc.Set(section, k, QuoteIfNeeded(v));
  }
  Store(std::move(d));
}

bool IniFile::TryWriteStrings(std::string_view section, const KeyValues &values) noexcept {
  try {
    WriteStrings(section, values);
    return true;
  } catch (...) {
    return false;
  }
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  auto d = std::make_shared<Document>(*Load());
  d->doc.Remove(section, key);
  Store(std::move(d));
}

void IniFile::EraseSection(std::string_view section) {
  auto d = std::make_shared<Document>(*Load());
  d->doc.EraseSection(section);
  Store(std::move(d));
}

}  // namespace platform
