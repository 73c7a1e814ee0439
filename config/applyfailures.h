// The texts that tell what an apply could not copy, and why.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "apply.h"

// A path as a message shows it, from the Windows path the apply works with.
using TShownPath = std::function<QString(const QString &windowsPath)>;

// Why a copy was not made, in the window's words; empty when the reason is not known.
QString FailureReasonText(platform::CopyFailure reason);
// Why a copy was refused to keep the game's own music safe, in the window's words.
QString RefusalText(TRefusal refusal);

// "\n<scene name> :  <target> (<reason>)" for each copy that failed and
// "\n<scene name> :  <source> (<reason>)" for each missing source (an archive entry once for
// both clients); without " (…)" when the reason is not known.
QString FailureLines(const std::vector<TApplyOutcome> &outcomes, const TShownPath &shown);

// The messages for failure lines: none without lines; the list; and the advice to look for a
// file in use or write-protected when some copy failed for that or an unknown reason.
std::vector<QString> FailureMessages(const QString &lines, const std::vector<TApplyOutcome> &outcomes);
