// Starting the associated player as a process of its own, and ending it again.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace platform {

// The arguments of a command line, never through a shell: blanks (space, tab, line break)
// separate arguments; double quotes group, and inside them a backslash takes the next '"',
// '`', '$' or '\' literally (the rule of desktop entries' Exec lines); anything else,
// backslashes and single quotes outside double quotes included, is taken as it stands. An
// unclosed quote runs to the end. "" is an empty argument.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

struct StartedProcess {
  pid_t pid = 0;      // 0 when nothing was started
  std::string error;  // why, for a message box
};

// Starts the command line's first argument (looked up along PATH when it names no folder)
// with the rest as its arguments, this program's environment and current folder, no open
// files beyond standard input, output and error, default signal handling and a session of its
// own (so a terminal's Ctrl+C for this program doesn't reach it). Doesn't wait for it.
StartedProcess StartDetached(std::string_view commandLine);

// Ends a player that StartDetached started, with SIGTERM, when it still runs. Any other pid,
// and one of ours that has ended, is never signalled. The rule holds because a child's pid
// can't be taken by another process before its parent has collected it: the program collects
// its players only here and in StartDetached, after it has seen them end. True when the
// signal was sent.
bool TerminateStartedPlayer(pid_t pid);

// Collects the players StartDetached started that have ended since, so that none of them
// lingers as a zombie; pids it did not start are never waited for. Answers how many of its
// players still run.
size_t CollectEndedPlayers();

// Whether pid is a player StartDetached started that has not been collected yet (it may have
// ended since). A collected pid may already belong to another process.
bool IsStartedPlayer(pid_t pid);

}  // namespace platform
