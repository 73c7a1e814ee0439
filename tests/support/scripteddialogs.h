// Dialogs for tests: answers come from a script, and every box shown is recorded with its
// exact text, so tests can assert what the user would have read.
#pragma once

#include <QStringList>
#include <deque>
#include <vector>

#include "qtcore/dialogs.h"

namespace testsupport {

struct ShownDialog {
  enum Kind { Message, Input, Open, Save, Folder } kind;
  QString text;  // message text, or the input prompt, or the file dialog title
  QString caption;
  platform::TMsgType type = platform::TMsgType::Information;
  unsigned buttons = 0;
  QString value;   // pre-filled input text / initial file name
  QString folder;  // the file dialog's start folder
};

class ScriptedDialogs : public platform::Dialogs {
 public:
  // Queue the answers, in the order the boxes will come.
  void Answer(platform::TModalResult r) { messages_.push_back(r); }
  void AnswerInput(QString text) { inputs_.push_back({true, std::move(text)}); }
  void CancelInput() { inputs_.push_back({false, {}}); }
  void AnswerFile(QString windowsPath) { files_.push_back(std::move(windowsPath)); }  // also a folder dialog's

  const std::vector<ShownDialog> &Shown() const { return shown_; }
  QStringList Texts() const;  // the texts of every box, in order
  void Clear() { shown_.clear(); }
  bool AllAnswersUsed() const { return messages_.empty() && inputs_.empty() && files_.empty(); }

  platform::TModalResult Message(const QString &text, platform::TMsgType type, unsigned buttons,
                                 const QString &caption) override;
  bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;
  QString OpenFile(const platform::TFileDialogOptions &options) override;
  QString SaveFile(const platform::TFileDialogOptions &options) override;
  QString ChooseFolder(const platform::TFileDialogOptions &options) override;

 private:
  std::deque<platform::TModalResult> messages_;
  std::deque<std::pair<bool, QString>> inputs_;
  std::deque<QString> files_;
  std::vector<ShownDialog> shown_;
};

}  // namespace testsupport
