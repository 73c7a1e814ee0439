// The options as the window reads, shows and writes them: read when the window is created,
// shown by the menu check marks, written when the window closes.
#include "formmain.h"
#include "formoptions.h"
#include "menuitems.h"

// Size and position are applied as stored, without testing them against the screen; with
// neither coordinate stored the window manager places the window.
void TFormMain::ReadSettings() {
  options_ = TFormOptions::Load(Store().Settings());
  QRect g = geometry();
  g.setSize({options_.Width.value_or(width()), options_.Height.value_or(height())});
  if (options_.Left) g.moveLeft(*options_.Left);
  if (options_.Top) g.moveTop(*options_.Top);
  if (options_.Top || options_.Left) setGeometry(g);
  else resize(g.size());
  ShowOptions();
}

void TFormMain::WriteSettings() {
  const QRect g = geometry();
  options_.Top = g.top();
  options_.Left = g.left();
  options_.Width = g.width();
  options_.Height = g.height();
  options_.Save(Store().Settings());
}

void TFormMain::ShowOptions() {
  menuitems::SetChecked(MainMenuFileJump, options_.FileJump, imageList_);
  ToolButtonFileJump->setChecked(options_.FileJump);
  menuitems::SetChecked(MainMenuAssign, options_.Assign, imageList_);
  menuitems::SetChecked(MainMenuWithClose, options_.WithClose, imageList_);
  for (QAction *item : {MainMenuAtPlay, MainMenuAtAssign}) {
    menuitems::SetCheckedFlag(item, false);
    menuitems::SetImage(item, imageList_, -1);
  }
  if (options_.AtAssign) menuitems::ChooseRadio(MainMenuAtAssign, imageList_);
  else if (options_.AtPlay) menuitems::ChooseRadio(MainMenuAtPlay, imageList_);
  QAction *bars[] = {MainMenuToolBarMisc, MainMenuToolBarConfig, MainMenuToolBarPlayer};
  for (int i = 0; i < 3; ++i) menuitems::SetChecked(bars[i], options_.ToolBars[i], imageList_);
  for (QAction *item : {MainMenuLanguageAuto, MainMenuLanguageJa, MainMenuLanguageEn}) {
    menuitems::SetCheckedFlag(item, false);
    menuitems::SetImage(item, imageList_, -1);
  }
  menuitems::ChooseRadio(options_.Language == platform::TLanguageChoice::Japanese  ? MainMenuLanguageJa
                         : options_.Language == platform::TLanguageChoice::English ? MainMenuLanguageEn
                                                                                   : MainMenuLanguageAuto,
                         imageList_);
}

// Stop is on while something plays; the player choice is locked while the built-in one plays.
void TFormMain::ShowPlayerState() {
  ToolButtonStop->setEnabled(players_->IsPlaying());
  MainMenuAssign->setEnabled(!players_->LocksPlayerChoice());
}
