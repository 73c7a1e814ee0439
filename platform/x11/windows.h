// The top-level windows of the X display, seen the way a Windows program sees its desktop's
// windows. The game client runs under Wine, so its windows are X windows of another process;
// these calls find it and ask it to close. Each call opens its own connection to the display and
// closes it again: they are rare, and a long-lived connection would outlive a restarted X server.
// Without a display (no DISPLAY, or no server behind it) every call answers empty or false.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct TopWindow {
  uint32_t id = 0;
  bool owned = false;        // WM_TRANSIENT_FOR is set: a dialog or tool window of another one
  bool visible = false;      // shown by its program; minimised or on another desktop counts too
  std::string instanceName;  // WM_CLASS, first string
  std::string className;     // WM_CLASS, second string; under Wine both are the exe's name
  std::string title;         // UTF-8
  int32_t pid = -1;          // _NET_WM_PID, -1 when the window doesn't tell
};

// The window manager's client list when a live EWMH window manager keeps one, else the root
// window's children (with no window manager, those are the programs' own windows).
std::vector<TopWindow> EnumTopWindows();

// True when a visible, owner-less top-level window has the game's class name ("Ultima Online"
// or "Ultima Online Third Dawn", exactly), or a class name equal, ignoring ASCII case, to one of
// exeNames (e.g. "client.exe"): Wine names a window's X class after the exe.
bool IsGameRunning(const std::vector<std::string> &exeNames);

// Asks window id to close, as its close button would: _NET_CLOSE_WINDOW to the window manager
// when a live one supports it, else WM_DELETE_WINDOW to the window when it takes that message.
// False when the window doesn't exist or neither way is open; true says only that it was asked.
bool CloseWindow(uint32_t id);

// Asks the first visible, owner-less top-level window whose _NET_WM_PID is pid to close, as
// CloseWindow does, and doesn't wait for it. True when such a window was found, whether or not
// it could be asked; false without a display, and for a program that shows no window or
// doesn't tell its pid (a player that handed the file to an instance already running, say).
bool CloseProcessWindow(int32_t pid);

}  // namespace platform
