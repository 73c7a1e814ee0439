// Settings files with lines that can't be read (bytes the file's encoding can't decode, garbage,
// a line cut short): those lines give nothing, so their configurations or values are missing.
// Before anything writes the file, a copy of it as it is is kept beside it under a dated name,
// and the front end says which lines are damaged. The lines themselves stay in the file.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

struct TDamagedSettings {
  QString File;            // the settings file (Windows path)
  std::vector<int> Lines;  // the damaged lines, numbered from 1
  QString KeptAs;          // the copy as it was; empty when it could not be made
};

// Nothing when the file is whole, missing, or its damaged lines were told already: a copy kept
// earlier beside it holds each of them. keep: false for a caller that writes nothing (the copy
// is then not made and KeptAs stays empty).
std::optional<TDamagedSettings> KeepDamagedSettings(const QString &windowsPath, bool keep = true,
                                                    const QDateTime &now = QDateTime::currentDateTime());
