// The stored form of the archive component and its switch set: plain text, one property a
// line, "Name = value". Numbers are decimal; strings are double-quoted with C escapes for
// '"', '\' and control bytes, or the bare word "unset" for the unset marker; a list is its
// quoted strings one after another; a set is "[a, b]"; an enumeration value is its name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"

namespace archives {

struct StoredProperty {
  std::string name;
  std::string value;  // as written, still quoted
};

// Splits a stored form into its properties. Raises EArchiver on a line without "=".
std::vector<StoredProperty> ParseStoredForm(std::string_view text);

std::string StoreString(std::string_view s);  // quoted, or "unset" for the unset marker
std::string StoreStrings(const TStringList &list);

// Raises EArchiver: the property's value is not of its form.
[[noreturn]] void ThrowMalformed(const StoredProperty &p);
// Raises EArchiver: no property of the property's name is known.
[[noreturn]] void ThrowUnknownProperty(const StoredProperty &p);

// Each raises EArchiver naming the property when the value is not of its form.
int64_t ReadStoredNumber(const StoredProperty &p, int64_t low, int64_t high);
std::string ReadStoredString(const StoredProperty &p);
TStringList ReadStoredStrings(const StoredProperty &p);
std::vector<std::string> ReadStoredSet(const StoredProperty &p);  // the names inside "[...]"

// TArchiverOptions in its stored form, every line prefixed by prefix. Every numeric switch
// that is -1 is left out except jyc, which is always written.
std::string StoreOptions(const TArchiverOptions &options, std::string_view prefix = {});
// Applies one property (its name without the prefix); false when no such property exists.
bool ReadOptionsProperty(TArchiverOptions &options, const StoredProperty &p);
// A whole stored form of a switch set; properties left out keep their defaults.
TArchiverOptions ReadOptions(std::string_view text);

}  // namespace archives
