// The program's settings in section "melodeck" of the settings file, read when the window is
// created and written when it closes, each in the same fixed order.
#include <limits>

#include "formmain.h"
#include "menuitems.h"

namespace {}

void TFormMain::ReadSettings() {
  platform::IniFile &ini = Store().Settings();
  auto flag = [&](const char *key, bool def) { return ini.ReadBool(kSettingsSection, key, def); };
  menuitems::SetChecked(MainMenuFileJump, flag("FileJump", false), ImageList);
  menuitems::SetChecked(MainMenuAssign, flag("Assign", false), ImageList);
  menuitems::SetChecked(MainMenuWithClose, flag("WithClose", true), ImageList);
  if (flag("AtPlay", true)) menuitems::ChooseRadio(MainMenuAtPlay, ImageList);
  if (flag("AtAssign", false)) menuitems::ChooseRadio(MainMenuAtAssign, ImageList);
  // Each of the four values is read on its own; one that is not stored (or not a number) keeps
  // the window's own, and with neither coordinate stored the window manager places the window.
  // Size and position are applied as stored, without testing them against the screen.
  constexpr int kNone = std::numeric_limits<int>::min();
  const int top = ini.ReadInteger(kSettingsSection, "Top", kNone);
  const int left = ini.ReadInteger(kSettingsSection, "Left", kNone);
  QRect g = geometry();
  g.setSize(
      {ini.ReadInteger(kSettingsSection, "Width", width()), ini.ReadInteger(kSettingsSection, "Height", height())});
  if (left != kNone) g.moveLeft(left);
  if (top != kNone) g.moveTop(top);
  if (top != kNone || left != kNone) setGeometry(g);
  else resize(g.size());
  menuitems::SetChecked(MainMenuToolBarMisc, flag("ToolBar1", true), ImageList);
  menuitems::SetChecked(MainMenuToolBarConfig, flag("ToolBar2", true), ImageList);
  menuitems::SetChecked(MainMenuToolBarPlayer, flag("ToolBar3", true), ImageList);
}

// One replacement of the file for all twelve keys: written in this order, and either all of
// them reach the file or none does.
void TFormMain::WriteSettings() {
  platform::IniFile::KeyValues values;
  auto flag = [&](const char *key, QAction *item) { values.emplace_back(key, menuitems::Checked(item) ? "1" : "0"); };
  auto number = [&](const char *key, int value) { values.emplace_back(key, std::to_string(value)); };
  flag("FileJump", MainMenuFileJump);
  flag("Assign", MainMenuAssign);
  flag("WithClose", MainMenuWithClose);
  flag("AtPlay", MainMenuAtPlay);
  flag("AtAssign", MainMenuAtAssign);
  const QRect g = geometry();
  number("Top", g.top());
  number("Left", g.left());
  number("Width", g.width());
  number("Height", g.height());
  flag("ToolBar1", MainMenuToolBarMisc);
  flag("ToolBar2", MainMenuToolBarConfig);
  flag("ToolBar3", MainMenuToolBarPlayer);
  Store().Settings().WriteStrings(kSettingsSection, values);
}
