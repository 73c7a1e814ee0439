#include "terminaldialogs.h"

#include <QStringList>
#include <cstdio>

using platform::TModalResult;

// Each line of the message gets the program's name in front, so that a launcher's log shows
// where it came from.
TModalResult TTerminalDialogs::Message(const QString &text, platform::TMsgType, unsigned buttons, const QString &) {
  for (const QString &line : text.split('\n'))
    if (!line.isEmpty()) std::fprintf(stderr, "melodeck: %s\n", line.toUtf8().constData());
  if (buttons & platform::mbCancel) return TModalResult::Cancel;
  if (buttons & platform::mbNo) return TModalResult::No;
  return TModalResult::OK;
}
