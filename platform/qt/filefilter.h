// File dialog filters: the program's "説明|*.a;*.b|…" pairs in the form Qt's dialogs read.
#pragma once

#include <QString>

namespace platform {

// "Text|*.a;*.b|Other|*.c" → "Text (*.a *.b);;Other (*.c)". A description that already ends
// in its own list of patterns ("Packages(*.mdk)") gets the dialog's list in its stead, so the
// patterns are shown once.
QString QtFileFilter(const QString &filter);

}  // namespace platform
