// Playing scenes and files with the built-in player or the desktop's player.
#include "formmain.h"

void TFormMain::PlayFile() {}
void TFormMain::StopPlaying() {}
void TFormMain::CloseExternalPlayers() {}
void TFormMain::ToolButtonPlayClick() {}
void TFormMain::ToolButtonStopClick() {}
void TFormMain::PopupMenuTreePlayClick() {}
