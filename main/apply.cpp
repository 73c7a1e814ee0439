// Applying a configuration: copying every scene's file over the game's music.
#include "formmain.h"

void TFormMain::MainMenuApplayClick() {}

void TFormMain::MainMenuApplayCloseClick() {
  MainMenuApplayClick();
  close();
}
