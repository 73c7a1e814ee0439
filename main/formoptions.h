// The window's options: one value, read from the settings file when the window is created and
// written back when it closes, each key in the same fixed order. The menu check marks show it.
#pragma once

#include <QRect>
#include <optional>
#include <string>

#include "core/inifile.h"
#include "qtcore/language.h"

struct TFormOptions {
  bool FileJump = false;                  // the tree follows the selected scene's file
  bool Assign = false;                    // play with the desktop's player instead of the built-in one
  bool WithClose = true;                  // the desktop's players close with the window
  bool AtPlay = true;                     // a double click in the tree plays the file...
  bool AtAssign = false;                  // ...or assigns it (at most one of the two is on)
  bool ToolBars[3] = {true, true, true};  // general, configurations, player
  // The window's place and size as stored; a coordinate not stored stays unset.
  std::optional<int> Top, Left, Width, Height;
  // The language the program starts in next time.
  platform::TLanguageChoice Language = platform::TLanguageChoice::Automatic;
  // The value read for it, written back as it was while the choice stays the same: a value of
  // a later version (another language) outlives this window.
  std::string LanguageAsStored;

  void ChooseAtPlay() { AtPlay = true, AtAssign = false; }
  void ChooseAtAssign() { AtPlay = false, AtAssign = true; }

  // Each key read on its own; one that is not stored (or not a number) keeps the default.
  static TFormOptions Load(const platform::IniFile &ini);
  // One replacement of the file for all thirteen keys: either all of them reach it or none does.
  void Save(platform::IniFile &ini) const;
};
