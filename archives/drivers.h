// The archive formats: one row per format naming its driver class, its stored name, the
// extensions and the content probe that select it, and its rank when probes disagree. The
// factory, type detection and the stored form all read this table.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "archiver.h"

namespace archives {

enum TArchiverType : int { atLha, atZip, atCab, atArj, atTar, atTgz, atBZ2, atRar, atNone, atAutoDetect };

// A format's test of a file's contents: the probe's answer for the file (0 when its library is
// missing; never raises) and the answers that select the format. Formats served by one library
// share its probe, which runs once per detection.
struct ContentProbe {
  int (*answer)(const std::string &path);
  int first, last;
};

struct DriverInfo {
  TArchiverType type;
  const char *name;             // the stored form's name: "atLha"
  std::string_view extensions;  // lower case, blank-separated: ".tgz .taz .gz .z"
  ContentProbe probe;
  int precedence;                          // when several probes answer yes, the lowest wins
  std::unique_ptr<TArchiver> (*create)();  // the driver, its library not yet loaded
};

class DriverFactory {
 public:
  // Every format, in the order of TArchiverType.
  static std::span<const DriverInfo> Table();
  // A fresh driver of a concrete type with its library loaded. Raises the driver's
  // missing-library message (EArchiver); null for any other type.
  static std::unique_ptr<TArchiver> Create(TArchiverType type);
};

// The row of a concrete type; null for atNone, atAutoDetect and values outside the enum.
const DriverInfo *FindDriver(TArchiverType type);

// Whether the type selects a driver (atLha … atRar).
inline bool IsConcreteType(TArchiverType type) { return FindDriver(type) != nullptr; }

// The stored name of any TArchiverType value ("atLha" … "atAutoDetect"); empty for a value
// outside the enum. TypeFromName answers -1 for a name that is none of them.
std::string_view TypeName(TArchiverType type);
int TypeFromName(std::string_view name);

inline std::unique_ptr<TArchiver> CreateArchiver(TArchiverType type) { return DriverFactory::Create(type); }

}  // namespace archives
