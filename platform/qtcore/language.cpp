#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <atomic>
#include <cstdlib>

#include "core/translate.h"

namespace platform {
namespace {

std::atomic<bool> gJapanese{true};

// The translators of the last choice; replaced by the next.
QTranslator *gProgram = nullptr;
QTranslator *gQt = nullptr;

std::string TranslateWithQt(const char *context, const char *sourceText) {
  return QCoreApplication::translate(context, sourceText).toStdString();
}

void Remove(QTranslator *&translator) {
  if (translator == nullptr) return;
  QCoreApplication::removeTranslator(translator);
  delete translator;
  translator = nullptr;
}

QTranslator *Load(const QString &file, const QString &folder) {
  auto *translator = new QTranslator;
  if (translator->load(file, folder) && QCoreApplication::installTranslator(translator)) return translator;
  delete translator;
  return nullptr;
}

}  // namespace

TLanguageChoice LanguageChoiceOf(std::string_view stored) {
  if (stored == "ja") return TLanguageChoice::Japanese;
  if (stored == "en") return TLanguageChoice::English;
  return TLanguageChoice::Automatic;
}

std::string StoredLanguageChoice(TLanguageChoice choice) {
  switch (choice) {
    case TLanguageChoice::Japanese:
      return "ja";
    case TLanguageChoice::English:
      return "en";
    case TLanguageChoice::Automatic:
      break;
  }
  return "";
}

QString MessagesLocaleName() {
  for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char *value = std::getenv(name);
    if (value != nullptr && *value != '\0') return QString::fromLocal8Bit(value);
  }
  return {};
}

bool ShowsJapanese(TLanguageChoice choice, const QString &localeName) {
  if (choice != TLanguageChoice::Automatic) return choice == TLanguageChoice::Japanese;
  return localeName.startsWith(QStringLiteral("ja"));
}

QString TranslationsFolder() {
  const QString dir = QCoreApplication::applicationDirPath();
  for (const QString &candidate : {dir + "/translations", dir + "/../share/melodeck/translations"})
    if (QFileInfo::exists(candidate + "/melodeck_en.qm")) return QDir::cleanPath(candidate);
  return {};
}

bool UseLanguage(bool japanese) {
  Remove(gProgram);
  Remove(gQt);
  gJapanese = japanese;
  const QString folder = TranslationsFolder();
  if (!folder.isEmpty())
    gProgram = Load(japanese ? QStringLiteral("melodeck_ja") : QStringLiteral("melodeck_en"), folder);
  if (japanese) gQt = Load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  SetTranslator(gProgram != nullptr ? &TranslateWithQt : nullptr);
  return gProgram != nullptr;
}

bool JapaneseShown() { return gJapanese; }

}  // namespace platform
