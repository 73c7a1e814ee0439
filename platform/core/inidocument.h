// The text of an INI file as lines, with an index of sections and keys. Pure: no file access.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

class IniDocument {
 public:
  static IniDocument Parse(std::string_view bytes);
  std::string Serialize() const;  // CR LF lines; code page 932, or UTF-8 with BOM when needed

  const std::string *Find(std::string_view section, std::string_view key) const;  // raw value
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;
  bool HasSection(std::string_view section) const;

  void Set(std::string_view section, std::string_view key, std::string_view value);
  void Remove(std::string_view section, std::string_view key);
  void EraseSection(std::string_view section);
  bool Utf8() const { return utf8_; }

  // Lines that give nothing to a reader, as numbered in the file (from 1) with their bytes:
  // bytes the file's encoding cannot decode, and text that is neither a section, a key, a
  // comment nor blank (garbage, a line cut short). They are kept as they are when written.
  struct DamagedLine {
    size_t number;
    std::string bytes;
  };
  std::vector<DamagedLine> DamagedLines() const;

 private:
  enum class Kind { Other, Section, Key };
  struct Line {
    Kind kind = Kind::Other;
    bool decoded = true;  // false: bytes kept as read, never touched
    bool cp932 = true;    // the text fits code page 932
    std::string bytes;    // as in the file (encoding of the file it came from), or empty
    bool bytesUtf8 = false;
    std::string text;   // UTF-8
    std::string name;   // section or key name, trimmed
    std::string value;  // key value, trimmed
  };
  struct SectionIndex {
    size_t header;                                 // line of "[name]"
    size_t end;                                    // one past its last line
    std::unordered_map<std::string, size_t> keys;  // folded key → first line
  };

  static Line MakeLine(std::string text);
  static void Classify(Line &line);
  void Reindex();
  const SectionIndex *FindSection(std::string_view section) const;
  size_t InsertionPoint(const SectionIndex &s) const;

  std::vector<Line> lines_;
  std::vector<SectionIndex> sections_;
  std::unordered_map<std::string, size_t> sectionByName_;  // folded → first in sections_
  bool utf8_ = false;
};

}  // namespace platform
