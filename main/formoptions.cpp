#include "formoptions.h"

#include <limits>

#include "configstore.h"

TFormOptions TFormOptions::Load(const platform::IniFile &ini) {
  TFormOptions o;
  auto flag = [&](const char *key, bool def) { return ini.ReadBool(kSettingsSection, key, def); };
  auto number = [&](const char *key) -> std::optional<int> {
    constexpr int kNone = std::numeric_limits<int>::min();
    const int value = ini.ReadInteger(kSettingsSection, key, kNone);
    return value == kNone ? std::nullopt : std::optional<int>(value);
  };
  o.FileJump = flag("FileJump", false);
  o.Assign = flag("Assign", false);
  o.WithClose = flag("WithClose", true);
  // Like radio items chosen in turn: a stored AtAssign wins over AtPlay; neither may be on.
  o.AtPlay = flag("AtPlay", true);
  o.AtAssign = flag("AtAssign", false);
  if (o.AtAssign) o.AtPlay = false;
  o.Top = number("Top");
  o.Left = number("Left");
  o.Width = number("Width");
  o.Height = number("Height");
  o.ToolBars[0] = flag("ToolBar1", true);
  o.ToolBars[1] = flag("ToolBar2", true);
  o.ToolBars[2] = flag("ToolBar3", true);
  o.LanguageAsStored = ini.ReadString(kSettingsSection, platform::kLanguageKey, "");
  o.Language = platform::LanguageChoiceOf(o.LanguageAsStored);
  return o;
}

void TFormOptions::Save(platform::IniFile &ini) const {
  platform::IniFile::KeyValues values;
  auto flag = [&](const char *key, bool on) { values.emplace_back(key, on ? "1" : "0"); };
  auto number = [&](const char *key, const std::optional<int> &value) {
    values.emplace_back(key, std::to_string(value.value_or(0)));
  };
  flag("FileJump", FileJump);
  flag("Assign", Assign);
  flag("WithClose", WithClose);
  flag("AtPlay", AtPlay);
  flag("AtAssign", AtAssign);
  number("Top", Top);
  number("Left", Left);
  number("Width", Width);
  number("Height", Height);
  flag("ToolBar1", ToolBars[0]);
  flag("ToolBar2", ToolBars[1]);
  flag("ToolBar3", ToolBars[2]);
  values.emplace_back(platform::kLanguageKey, platform::LanguageChoiceOf(LanguageAsStored) == Language
                                                  ? LanguageAsStored
                                                  : platform::StoredLanguageChoice(Language));
  ini.WriteStrings(kSettingsSection, values);
}
