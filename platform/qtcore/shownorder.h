// The order in which lists show names (configurations, scenes, archive entries, files): the
// collation of the shown language, Japanese when the program shows Japanese, else the user's
// own locale's. Case is ignored; names the collation takes as equal (hiragana and katakana,
// full and half width) are told apart by a comparison that still sees those differences, so
// that only names that differ in case alone compare equal.
#pragma once

#include <QLocale>
#include <QString>

namespace platform {

// <0, 0 or >0 as a comes before, with or after b in the shown language's order.
int CompareShownNames(const QString &a, const QString &b);

// The same in the given locale's order (the shown order is this with the locale chosen).
int CompareNamesIn(const QLocale &locale, const QString &a, const QString &b);

// The locale whose collation lists follow: Japanese when the program shows Japanese, else the
// system's.
QLocale ShownCollationLocale();

}  // namespace platform
