// Why a copy was not made, in the command line's words.
#pragma once

#include <QString>

#include "apply.h"
#include "core/copyfailure.h"

// In the language shown; empty when the reason is not known.
QString CopyFailureReason(platform::CopyFailure reason);

// Why a copy was refused to keep the game's own music safe.
QString RefusalReason(TRefusal refusal);
