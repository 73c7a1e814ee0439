// The package index: one section named after the configuration, keys scene file names, values
// paths relative to the package ("000\town.mid", or "set.lzh|cave/deep.mid" for an entry).
#pragma once

#include <QString>

inline const QString kPackageIndex = QStringLiteral("index.ini");

// Why an index value may not become a Source of the importing configuration; empty when it may.
// The value's path must stay inside the package's folder: no "..", no root, no drive, no
// "\\server"; an entry part after "|" must stay inside its archive.
QString UnsafeIndexValueReason(const QString &value);
