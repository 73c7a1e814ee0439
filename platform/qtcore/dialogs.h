// Every question and message the program puts to the user goes through Dialogs: message boxes
// with fixed button sets, input boxes and file dialogs. The Qt implementation shows real
// dialogs; tests script the answers and read the exact texts.
#pragma once

#include <QString>

namespace platform {

enum class TMsgType { Information, Warning, Error, Confirmation };

enum TMsgButton : unsigned { mbOK = 1, mbCancel = 2, mbYes = 4, mbNo = 8 };
constexpr unsigned mbYesCancel = mbYes | mbCancel;
constexpr unsigned mbOKCancel = mbOK | mbCancel;
constexpr unsigned mbYesNoCancel = mbYes | mbNo | mbCancel;

enum class TModalResult { None, OK, Cancel, Yes, No };

// Paths in and out are Windows paths of the program's namespace.
struct TFileDialogOptions {
  QString title;
  QString filter;      // "説明|*.mdk|…" pairs, as the program designs them
  QString defaultExt;  // without the dot
  QString initialDir;
  QString fileName;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows text with the given buttons; answers the one pressed (Cancel, or OK for an OK-only
  // box, when the box is closed another way).
  virtual TModalResult Message(const QString &text, TMsgType type = TMsgType::Information, unsigned buttons = mbOK,
                               const QString &caption = QStringLiteral("Melodeck")) = 0;
  // An input box; false when cancelled. value holds the pre-filled text and, on OK, the answer.
  virtual bool InputQuery(const QString &caption, const QString &prompt, QString &value) = 0;
  // File dialogs; an empty string when cancelled.
  virtual QString OpenFile(const TFileDialogOptions &options) = 0;
  virtual QString SaveFile(const TFileDialogOptions &options) = 0;
  // A folder dialog (title and initialDir of options); an empty string when cancelled.
  virtual QString ChooseFolder(const TFileDialogOptions &options) = 0;
};

}  // namespace platform
