#include "importname.h"

#include <optional>

namespace {

// Asks for names until one is free; the box starts with the name asked about each time.
bool AskNewName(const TConfigStore &store, TImportQuestions &questions, QString &name, std::optional<QString> refused) {
  for (;;) {
    QString entered = name;
    if (!questions.NewName(refused, entered)) return false;
    if (IsFreeImportName(store, entered)) {
      name = entered;
      return true;
    }
    refused = entered;
  }
}

bool IsTaken(const TConfigStore &store, const QString &name) {
  return name != kStandardConfig && store.FindConfig(name) >= 0;
}

}  // namespace

bool IsFreeImportName(const TConfigStore &store, const QString &name) {
  return !name.isEmpty() && name != kStandardConfig && store.IsValidConfigName(name);
}

bool SettleTakenName(const TConfigStore &store, TImportQuestions &questions, QString &name) {
  if (!IsTaken(store, name)) return true;
  switch (questions.NameTaken(name)) {
    case TImportQuestions::TTaken::Overwrite:
      return true;
    case TImportQuestions::TTaken::Cancel:
      return false;
    case TImportQuestions::TTaken::Rename:
      break;
  }
  return AskNewName(store, questions, name, std::nullopt);
}

bool SettleImportName(const TConfigStore &store, TImportQuestions &questions, QString &name) {
  if (IsTaken(store, name)) return SettleTakenName(store, questions, name);
  if (IsFreeImportName(store, name)) return questions.Confirm(name);
  return AskNewName(store, questions, name, name);
}
