#include "wildcard.h"

#include "core/wildcard.h"

namespace arc {

namespace {

std::string_view WithoutTrailingSeparators(std::string_view s) {
  while (!s.empty() && (s.back() == '/' || s.back() == '\\')) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string UnescapeBrackets(std::string_view pattern) {
  std::string out;
  for (size_t i = 0; i < pattern.size();) {
    if (pattern.substr(i, 3) == "[[]") {
      out += '[';
      i += 3;
    } else {
      out += pattern[i++];
    }
  }
  return out;
}

bool EntryMatches(std::string_view pattern, std::string_view name) {
  pattern = WithoutTrailingSeparators(pattern);
  return pattern.empty() || platform::WildcardMatch(pattern, WithoutTrailingSeparators(name));
}

EntrySelector::EntrySelector(std::vector<std::string> patterns) {
  for (auto &p : patterns) {
    std::string n = p;
    for (char &c : n)
      if (c == '\\') c = '/';
    while (!n.empty() && n.back() == '/') n.pop_back();
    if (n.empty() || n == "*" || n == "*.*") {
      patterns_.clear();
      return;
    }
    patterns_.push_back(std::move(n));
  }
}

bool EntrySelector::Selects(std::string_view entryName) const {
  if (patterns_.empty()) return true;
  const std::string_view name = WithoutTrailingSeparators(entryName);
  for (const auto &pattern : patterns_) {
    if (platform::WildcardMatch(pattern, name)) return true;
    // A folder's name selects what lies below it.
    for (size_t slash = name.find_first_of("/\\"); slash != std::string_view::npos;
         slash = name.find_first_of("/\\", slash + 1))
      if (platform::WildcardMatch(pattern, name.substr(0, slash))) return true;
  }
  return false;
}

void Exclusions::Add(std::string pattern) {
  if (!pattern.empty()) patterns_.push_back(std::move(pattern));
}

bool Exclusions::Excludes(std::string_view path) const {
  const size_t slash = path.find_last_of("/\\");
  const std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
  for (const auto &p : patterns_)
    if (EntryMatches(p, path) || EntryMatches(p, last)) return true;
  return false;
}

}  // namespace arc
