// The configuration list as the settings file gives it, read without loading anything:
// "標準" first, then the file's sections in file order, without the settings' own section.
#pragma once

#include <QStringList>

#include "core/inifile.h"

QStringList ConfigNamesIn(const platform::IniFile &settings);
