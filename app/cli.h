// The command line: the window-free front end. It runs under a QCoreApplication only, so it
// needs no display, and it calls the same operations as the window's menu commands.
#pragma once

#include <QString>

// Exit statuses of the command line.
enum TExitCode : int {
  ecOK = 0,
  ecError = 1,           // bad usage, the program's path unknown, the game not found
  ecUnknownConfig = 2,   // --apply NAME: no such configuration
  ecCopiesFailed = 3,    // some copies failed or their files are missing (also the plan's, and an
                         // imported package's)
  ecAnotherRunning = 4,  // the window (or another command) is running
  ecNotSetUp = 5,        // no settings yet: the window must be started once
};

// Whether argv asks for the command line (any argument beginning with "-") rather than the window.
// "--game DIR" alone opens the window on that game.
bool IsCommandLine(int argc, char **argv);
// DIR when argv is "--game DIR" (or "--game=DIR") and nothing else; empty otherwise.
QString WindowGameArgument(int argc, char **argv);

// Parses argv and runs the command; answers the exit status.
int RunCommandLine(int argc, char **argv);
