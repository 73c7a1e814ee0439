#include "wildcard.h"

#include "core/text.h"

namespace arc {

namespace {

std::u32string Normalise(std::string_view s) {
  const std::string folded = platform::FoldCase(s);
  std::u32string out;
  size_t i = 0;
  while (i < folded.size()) {
    char32_t c = platform::NextCodePoint(folded, i);
    out += c == U'\\' ? U'/' : c;
  }
  while (!out.empty() && out.back() == U'/') out.pop_back();
  return out;
}

// Iterative matching with one back-tracking point: linear in practice, never exponential,
// whatever a hostile pattern holds.
bool Match(const std::u32string &p, const std::u32string &n) {
  size_t pi = 0, ni = 0, star = std::u32string::npos, mark = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == U'*') {
      star = pi++;
      mark = ni;
    } else if (star != std::u32string::npos) {
      pi = star + 1;
      ni = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == U'*') ++pi;
  return pi == p.size();
}

bool IsAll(const std::u32string &p) { return p.empty() || p == U"*" || p == U"*.*"; }

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

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  const std::u32string p = Normalise(pattern);
  return IsAll(p) || Match(p, Normalise(name));
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
  const std::u32string name = Normalise(entryName);
  for (const auto &pattern : patterns_) {
    const std::u32string p = Normalise(pattern);
    if (Match(p, name)) return true;
    // A folder's name selects what lies below it.
    for (size_t slash = name.find(U'/'); slash != std::u32string::npos; slash = name.find(U'/', slash + 1))
      if (Match(p, name.substr(0, slash))) return true;
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
    if (WildcardMatch(p, path) || WildcardMatch(p, last)) return true;
  return false;
}

}  // namespace arc
