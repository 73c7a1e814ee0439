// The games the window serves and the music set it shows: the game selector and the music-set
// selector beside the configuration box, each hidden while there is only one choice.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QObject>
#include <set>
#include <vector>

#include "gamesets.h"

class TGameChoice : public QObject {
  Q_OBJECT
 public:
  // gameItem, setItem: the tool-bar items that show the boxes.
  TGameChoice(QComboBox &gameBox, QAction &gameItem, QComboBox &setBox, QAction &setItem, QObject *parent);

  // The games and the chosen one's music sets (read already), its first set chosen; without
  // games, sets holds the one set of a window made over given folders.
  void SetGames(std::vector<TGame> games, int chosen, std::vector<TGameSet> sets);

  const std::vector<TGame> &Games() const { return games_; }
  int GameIndex() const { return game_; }
  const std::vector<TGameSet> &Sets() const { return sets_; }
  int SetIndex() const { return set_; }
  const TGameSet &Set() const { return sets_.at(static_cast<size_t>(set_)); }

  // The user's choices: false when it is the one shown already.
  bool ChooseGame(int index);
  bool ChooseSet(int index);
  // A game added by the user, or the one of the same folder found already; answers its index.
  int AddGame(const TGame &game);

  // True the first time it is asked for the set shown: what its index holds is told once.
  bool FirstTimeShown() { return told_.insert(Set().Folders.MusicDir.toLower()).second; }

  // What the caption adds to the configuration's name: the game's, when there are several.
  QString CaptionOf(const QString &caption) const;

 private:
  void ReadSets();
  void ShowBoxes();

  QComboBox &gameBox_, &setBox_;
  QAction &gameItem_, &setItem_;
  std::vector<TGame> games_;
  int game_ = -1;
  std::vector<TGameSet> sets_;
  int set_ = 0;
  std::set<QString> told_;
};
