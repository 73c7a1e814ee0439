// The options menu's language items: automatic (the desktop's language), Japanese, English.
// The choice is kept in the settings at once; the program shows it from its next start.
#include <exception>

#include "configstore.h"
#include "formmain.h"
#include "menuitems.h"
#include "qt/application.h"

void TFormMain::BuildLanguageMenu() {
  MainMenuOptions->addSeparator()->setObjectName("N11");
  // The same in every language, so that a user who can't read the one shown still finds it.
  MainMenuLanguageMenu = AddSubMenu(MainMenuOptions, MainMenuLanguage, "MainMenuLanguage",
                                    QStringLiteral("言語 / Language"));  // notr: both languages
  MainMenuLanguageAuto =
      AddItem(MainMenuLanguageMenu, "MainMenuLanguageAuto", QStringLiteral("自動"));  // notr: the same in both
  MainMenuLanguageJa =
      AddItem(MainMenuLanguageMenu, "MainMenuLanguageJa", QStringLiteral("日本語"));  // notr: its own name
  MainMenuLanguageEn = AddItem(MainMenuLanguageMenu, "MainMenuLanguageEn", QStringLiteral("English"));
  for (QAction *item : {MainMenuLanguageAuto, MainMenuLanguageJa, MainMenuLanguageEn}) {
    menuitems::SetGroup(item, 2);
    connect(item, &QAction::triggered, this, [this, item] { MainMenuLanguageClick(item); });
  }
}

void TFormMain::MainMenuLanguageClick(QAction *item) {
  const platform::TLanguageChoice choice = item == MainMenuLanguageJa   ? platform::TLanguageChoice::Japanese
                                           : item == MainMenuLanguageEn ? platform::TLanguageChoice::English
                                                                        : platform::TLanguageChoice::Automatic;
  if (choice == options_.Language) return;
  try {
    Store().Settings().WriteString(kSettingsSection, platform::kLanguageKey, platform::StoredLanguageChoice(choice));
  } catch (const std::exception &e) {
    dialogs_.Message(platform::ExceptionBoxText(QString::fromUtf8(e.what())), platform::TMsgType::Error);
    return;
  }
  options_.Language = choice;
  options_.LanguageAsStored = platform::StoredLanguageChoice(choice);
  ShowOptions();
  // Said in both languages: the one shown now may be the one the user can't read.
  dialogs_.Message(
      QStringLiteral("言語の変更は, 次に Melodeck を起動したときから有効になります.\n"  // notr: both languages
                     "The new language is shown the next time Melodeck starts."));      // notr: both languages
}
