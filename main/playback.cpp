// Playing scenes and files with the built-in player or the desktop's player.
#include "formmain.h"
#include "menuitems.h"

void TFormMain::PlayFile() {}

// The controls go back to "nothing playing": the stop button off, the player choice free again.
// With the desktop's player chosen, stopping asks that player to close instead.
void TFormMain::StopPlaying() {
  if (menuitems::Checked(MainMenuAssign)) CloseExternalPlayers();
  else ToolButtonStop->setEnabled(false);
  MainMenuAssign->setEnabled(true);
}

void TFormMain::CloseExternalPlayers() {}
void TFormMain::ToolButtonPlayClick() { PlayFile(); }
void TFormMain::ToolButtonStopClick() { StopPlaying(); }
void TFormMain::PopupMenuTreePlayClick() {}
