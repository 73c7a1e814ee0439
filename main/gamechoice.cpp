#include "gamechoice.h"

#include <QSignalBlocker>

TGameChoice::TGameChoice(QComboBox &gameBox, QAction &gameItem, QComboBox &setBox, QAction &setItem, QObject *parent)
    : QObject(parent), gameBox_(gameBox), setBox_(setBox), gameItem_(gameItem), setItem_(setItem) {}

void TGameChoice::SetGames(std::vector<TGame> games, int chosen, std::vector<TGameSet> sets) {
  games_ = std::move(games);
  game_ = games_.empty() ? -1 : std::clamp(chosen, 0, static_cast<int>(games_.size()) - 1);
  sets_ = std::move(sets);
  set_ = 0;
  ShowBoxes();
}

void TGameChoice::ReadSets() {
  sets_ = game_ < 0 ? std::vector<TGameSet>() : GameSets(games_[static_cast<size_t>(game_)]);
  set_ = 0;
  ShowBoxes();
}

bool TGameChoice::ChooseGame(int index) {
  if (index == game_ || index < 0 || index >= static_cast<int>(games_.size())) return false;
  game_ = index;
  ReadSets();
  return !sets_.empty();
}

bool TGameChoice::ChooseSet(int index) {
  if (index == set_ || index < 0 || index >= static_cast<int>(sets_.size())) return false;
  set_ = index;
  ShowBoxes();
  return true;
}

int TGameChoice::AddGame(const TGame &game) {
  for (size_t i = 0; i < games_.size(); ++i)
    if (games_[i].Folder.compare(game.Folder, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  games_.push_back(game);
  ShowBoxes();
  return static_cast<int>(games_.size()) - 1;
}

QString TGameChoice::CaptionOf(const QString &caption) const {
  if (games_.size() < 2 || game_ < 0) return caption;
  return caption + QStringLiteral(" - ") + games_[static_cast<size_t>(game_)].Name;
}

void TGameChoice::ShowBoxes() {
  const QSignalBlocker blockGames(&gameBox_), blockSets(&setBox_);
  gameBox_.clear();
  for (const TGame &game : games_) gameBox_.addItem(game.Name, game.Folder);
  gameBox_.setCurrentIndex(game_);
  setBox_.clear();
  for (const TGameSet &set : sets_) setBox_.addItem(set.Set.Name, set.Set.Id);
  setBox_.setCurrentIndex(set_);
  gameItem_.setVisible(games_.size() > 1);
  setItem_.setVisible(sets_.size() > 1);
}
