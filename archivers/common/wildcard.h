// Choosing entries by the names a command line or FindFirst gives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace arc {

// platform::WildcardMatch over entry names: a folder's trailing "/" (or "\") is no part of its
// name, and an empty pattern (FindFirst without one) matches every entry.
bool EntryMatches(std::string_view pattern, std::string_view name);

// Patterns as the ZIP drivers send them write "[" as "[[]"; this gives the plain name.
std::string UnescapeBrackets(std::string_view pattern);

// Which entries a command's file list selects: none given means all; a pattern selects the
// entries it matches and, when it names a folder, everything below that folder.
class EntrySelector {
 public:
  explicit EntrySelector(std::vector<std::string> patterns);
  bool Selects(std::string_view entryName) const;
  bool All() const { return patterns_.empty(); }

 private:
  std::vector<std::string> patterns_;  // "/" separators, no trailing "/"
};

// Excluding patterns ("-jx" and alike), matched against the whole path and its last part.
class Exclusions {
 public:
  void Add(std::string pattern);
  bool Excludes(std::string_view path) const;

 private:
  std::vector<std::string> patterns_;
};

}  // namespace arc
