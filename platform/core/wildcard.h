// Windows wildcard matching of names, the one rule for file lists and archive entries alike.
#pragma once

#include <string_view>

namespace platform {

// "*" matches any run of characters, "?" exactly one; case is ignored (Unicode simple case
// folding, as Windows compares names); "\" and "/" are the same character. "*" and "*.*"
// match every name, also one without a dot. An empty pattern matches only an empty name.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace platform
