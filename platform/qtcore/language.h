// The language the program shows: Japanese or English. The user's choice in the settings
// (automatic, Japanese, English) decides; automatic follows the locale the environment names for
// messages ("ja…" is Japanese, anything else English). The texts are written in Japanese in the
// window and the core and in English on the command line; the other language comes from the
// translation files built beside the program (melodeck_en.qm, melodeck_ja.qm).
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace platform {

enum class TLanguageChoice { Automatic, Japanese, English };

// The settings' key (in the program's own section) and its values: "" automatic, "ja", "en".
// Anything else reads as automatic, so that a later language doesn't stop an older program.
inline constexpr char kLanguageKey[] = "Language";
TLanguageChoice LanguageChoiceOf(std::string_view stored);
std::string StoredLanguageChoice(TLanguageChoice choice);

// The locale the environment names for messages, as the C library reads it: LC_ALL, else
// LC_MESSAGES, else LANG; empty when none is set.
QString MessagesLocaleName();

// Whether the program shows Japanese for choice under the locale named localeName.
bool ShowsJapanese(TLanguageChoice choice, const QString &localeName);

// Loads the language's translations into the running application, replacing those of an earlier
// call, and points platform::translate at them: for Japanese the command line's texts and Qt's
// own (the buttons of its dialogs), for English the window's and the core's texts. Needs the
// QCoreApplication. False when the program's translation file isn't found; its texts then show
// as written.
bool UseLanguage(bool japanese);

// What the last UseLanguage chose; Japanese before any call (the texts as written).
bool JapaneseShown();

// Where the translation files are: "translations" beside the program, else
// ../share/melodeck/translations from it (installed). Empty when neither holds them.
QString TranslationsFolder();

}  // namespace platform
