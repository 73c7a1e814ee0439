#include "shownorder.h"

#include <QCollator>
#include <optional>

#include "language.h"

namespace platform {

namespace {

QCollator CollatorOf(const QLocale &locale) {
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

int Compare(const QCollator &collator, const QString &a, const QString &b) {
  const int order = collator.compare(a, b);
  return order != 0 ? order : QString::compare(a, b, Qt::CaseInsensitive);
}

}  // namespace

QLocale ShownCollationLocale() {
  return JapaneseShown() ? QLocale(QLocale::Japanese, QLocale::Japan) : QLocale::system();
}

int CompareNamesIn(const QLocale &locale, const QString &a, const QString &b) {
  return Compare(CollatorOf(locale), a, b);
}

// A collator per thread (a collator is not to be shared between threads), made again when the
// shown language changes.
int CompareShownNames(const QString &a, const QString &b) {
  thread_local std::optional<QCollator> collator;
  thread_local QLocale made;
  const QLocale locale = ShownCollationLocale();
  if (!collator || made != locale) {
    collator = CollatorOf(locale);
    made = locale;
  }
  return Compare(*collator, a, b);
}

}  // namespace platform
