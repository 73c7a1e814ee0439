// Why a copy was not made, in the command line's words.
#pragma once

#include <QString>

#include "core/copyfailure.h"

// Empty when the reason is not known.
QString CopyFailureInEnglish(platform::CopyFailure reason);
