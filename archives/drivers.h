// The archive formats and the driver class of each.
#pragma once

#include <memory>

#include "archiver.h"

namespace archives {

enum TArchiverType : int { atLha, atZip, atCab, atArj, atTar, atTgz, atBZ2, atRar, atNone, atAutoDetect };

// Whether the type selects a driver (atLha … atRar).
inline bool IsConcreteType(TArchiverType type) { return type >= atLha && type <= atRar; }

class DriverFactory {
 public:
  // A fresh driver of a concrete type with its library loaded. Raises the driver's
  // missing-library message (EArchiver); null for any other type.
  static std::unique_ptr<TArchiver> Create(TArchiverType type);
};

inline std::unique_ptr<TArchiver> CreateArchiver(TArchiverType type) { return DriverFactory::Create(type); }

}  // namespace archives
