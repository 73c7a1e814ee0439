#include "languagechoice.h"

#include "configstore.h"
#include "core/fileops.h"
#include "core/inifile.h"
#include "core/winpath.h"
#include "qtcore/language.h"
#include "qtcore/qstr.h"

void ChooseLanguage(const QString &settingsBase) {
  platform::TLanguageChoice choice = platform::TLanguageChoice::Automatic;
  if (!settingsBase.isEmpty()) {
    const std::string settings = platform::ChangeFileExt(platform::SS(settingsBase), ".ini");
    if (platform::FileExists(settings))
      choice = platform::LanguageChoiceOf(
          platform::IniFile(settings).ReadString(kSettingsSection, platform::kLanguageKey, ""));
  }
  platform::UseLanguage(platform::ShowsJapanese(choice, platform::MessagesLocaleName()));
}
