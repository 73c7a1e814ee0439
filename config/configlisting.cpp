#include "configlisting.h"

#include "configstore.h"
#include "qtcore/qstr.h"

QStringList ConfigNamesIn(const platform::IniFile &settings) {
  QStringList names;
  for (const auto &s : settings.ReadSections()) names << platform::QS(s);
  for (int i = 0; i < names.size(); ++i)
    if (names[i].compare(QLatin1String(kSettingsSection), Qt::CaseInsensitive) == 0) {
      names.removeAt(i);
      break;
    }
  const qsizetype standard = names.indexOf(kStandardConfig);
  if (standard >= 0) names.removeAt(standard);
  names.insert(0, kStandardConfig);
  return names;
}
