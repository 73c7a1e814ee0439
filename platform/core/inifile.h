// INI files with the platform's private-profile rules: section and key names compare without
// case, a missing key reads as the given default, a key of a missing section appends the
// section at the end, erasing a section removes it with its keys, and every write reaches the
// file at once. Files are code page 932 with CR LF, as Windows tools write them.
//
// Beyond those rules:
// - A write replaces the file atomically (written beside it, flushed, renamed), so a crash
//   never leaves half a file. A read-only file is refused, never replaced.
// - Text that code page 932 cannot hold is kept: the file is written as UTF-8 with a byte-order
//   mark while some line needs it, and read either way.
// - Lines that do not decode are kept byte for byte through every rewrite.
// Reads are served from a parse of the file that is renewed whenever the file changes.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// "%s に書き込めません" (cannot write to %s) with the file's full path.
class EIniFileException : public std::runtime_error {
 public:
  explicit EIniFileException(const std::string &windowsPath);
};

class IniFile {
 public:
  using KeyValues = std::vector<std::pair<std::string, std::string>>;

  explicit IniFile(std::string windowsPath);
  ~IniFile();
  const std::string &FileName() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  // ReadString of each of keys, from one look at the file (a table of many keys).
  std::vector<std::string> ReadStrings(std::string_view section, const std::vector<std::string> &keys,
                                       std::string_view def) const;
  int ReadInteger(std::string_view section, std::string_view key, int def) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  std::vector<std::string> ReadSections() const;                         // file order
  std::vector<std::string> ReadSection(std::string_view section) const;  // key names, file order
  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;

  // Each of these replaces the file or throws EIniFileException, leaving it as it was.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void WriteStrings(std::string_view section, const KeyValues &values);  // one replacement
  // The section holds exactly values afterwards (its other keys go), in one replacement.
  void ReplaceSection(std::string_view section, const KeyValues &values);
  void DeleteKey(std::string_view section, std::string_view key);
  void EraseSection(std::string_view section);

  // As WriteStrings, answering false instead of throwing.
  bool TryWriteStrings(std::string_view section, const KeyValues &values) noexcept;

  struct Document;

 private:
  std::shared_ptr<const Document> Load() const;
  void Store(std::shared_ptr<Document> doc);

  std::string path_;
  mutable std::shared_ptr<const Document> cache_;
};

}  // namespace platform
