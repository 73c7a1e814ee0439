// The windows are designed with Windows' Japanese fonts; these map them to fonts a Linux
// desktop has, so Japanese text renders everywhere.
#pragma once

namespace platform {

// Idempotent; call before the first window is made.
void InstallFontSubstitutes();

}  // namespace platform
