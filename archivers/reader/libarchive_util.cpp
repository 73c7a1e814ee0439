#include "libarchive_util.h"

namespace arc {

ScopedLocale::ScopedLocale(const char *name) {
  locale_ = newlocale(LC_ALL_MASK, name, nullptr);
  if (locale_) previous_ = uselocale(locale_);
}

ScopedLocale::~ScopedLocale() {
  if (!locale_) return;
  uselocale(previous_);
  freelocale(locale_);
}

}  // namespace arc
