#include "wildcard.h"

#include <string>

#include "text.h"

namespace platform {

namespace {

std::u32string Folded(std::string_view s) {
  const std::string folded = FoldCase(s);
  std::u32string out;
  size_t i = 0;
  while (i < folded.size()) {
    const char32_t c = NextCodePoint(folded, i);
    out += c == U'\\' ? U'/' : c;
  }
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

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*" || pattern == "*.*") return true;
  return Match(Folded(pattern), Folded(name));
}

}  // namespace platform
