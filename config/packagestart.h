// How a package file begins. A package is an LHA archive whose first entry starts at its first
// byte: unlike an archive the user browses, it is never self-extracting, so bytes in front of
// the first header that can be read are a damaged first entry, which reading on from a later
// header would drop without a word.
#pragma once

#include <QString>

enum class TPackageStart {
  Header,        // an entry header (or the archive's end byte) at the first byte
  NotAnArchive,  // empty, unreadable, or no LHA archive at all
  Damaged,       // LHA headers, but none that can be read at the first byte
};

TPackageStart CheckPackageStart(const QString &packageFile);
