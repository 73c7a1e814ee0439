#include "scripteddialogs.h"

#include <gtest/gtest.h>

using platform::TModalResult;

namespace testsupport {

QStringList ScriptedDialogs::Texts() const {
  QStringList out;
  for (const auto &s : shown_) out << s.text;
  return out;
}

TModalResult ScriptedDialogs::Message(const QString &text, platform::TMsgType type, unsigned buttons,
                                      const QString &caption) {
  shown_.push_back({ShownDialog::Message, text, caption, type, buttons, {}, {}});
  if (messages_.empty()) {
    // An OK-only box needs no script; a question does.
    if (buttons != platform::mbOK) ADD_FAILURE() << "unscripted question: " << text.toStdString();
    return buttons == platform::mbOK ? TModalResult::OK : TModalResult::Cancel;
  }
  const TModalResult r = messages_.front();
  messages_.pop_front();
  return r;
}

bool ScriptedDialogs::InputQuery(const QString &caption, const QString &prompt, QString &value) {
  shown_.push_back({ShownDialog::Input, prompt, caption, platform::TMsgType::Information, 0, value, {}});
  if (inputs_.empty()) {
    ADD_FAILURE() << "unscripted input box: " << prompt.toStdString();
    return false;
  }
  auto [ok, text] = inputs_.front();
  inputs_.pop_front();
  if (ok) value = text;
  return ok;
}

QString ScriptedDialogs::OpenFile(const platform::TFileDialogOptions &options) {
  shown_.push_back(
      {ShownDialog::Open, options.title, {}, platform::TMsgType::Information, 0, options.fileName, options.initialDir});
  if (files_.empty()) return {};
  QString f = files_.front();
  files_.pop_front();
  return f;
}

QString ScriptedDialogs::SaveFile(const platform::TFileDialogOptions &options) {
  shown_.push_back(
      {ShownDialog::Save, options.title, {}, platform::TMsgType::Information, 0, options.fileName, options.initialDir});
  if (files_.empty()) return {};
  QString f = files_.front();
  files_.pop_front();
  return f;
}

QString ScriptedDialogs::ChooseFolder(const platform::TFileDialogOptions &options) {
  shown_.push_back(
      {ShownDialog::Folder, options.title, {}, platform::TMsgType::Information, 0, {}, options.initialDir});
  if (files_.empty()) return {};
  QString f = files_.front();
  files_.pop_front();
  return f;
}

}  // namespace testsupport
