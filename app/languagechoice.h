// The language the program starts in: the one chosen in the settings, else the locale's.
#pragma once

#include <QString>

// settingsBase: the settings' path without its extension, as SettingsBasePath gives it; empty
// (no settings yet, or none to be had) leaves the choice to the locale. Needs the application.
void ChooseLanguage(const QString &settingsBase);
