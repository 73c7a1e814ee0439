// The commands of the LHA library, each taking a parsed command line.
#pragma once

#include "arcapi.h"
#include "lhacommand.h"
#include "output.h"

namespace unlha {

// x, e (without folders) and t (test only).
int Extract(const arc::LhaCommand &cmd, ARC_HWND progress, arc::Output &out);
// a, u, f and d: a new archive is written and replaces the old one only when complete.
int Update(const arc::LhaCommand &cmd, ARC_HWND progress, arc::Output &out);
// l and v: one line per entry into the output buffer.
int List(const arc::LhaCommand &cmd, arc::Output &out);

}  // namespace unlha
