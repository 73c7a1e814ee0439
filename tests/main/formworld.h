// A main window on a fake prefix with its own program folder, scripted dialogs and no exit wait.
#pragma once

#include <memory>

#include "controls.h"
#include "formmain.h"
#include "midigen.h"
#include "storeworld.h"

struct FormWorld : StoreWorld {
  explicit FormWorld(const std::string &settings = "") : StoreWorld({}, false) {
    testsupport::TestWorld::WriteFile(Linux("prog/melodeck.ini"), settings);
  }
  // set: the music the window shows, the MIDI set unless a test makes another.
  TFormMain &Open(bool show = true, const TMusicSet &set = MidiMusicSet()) {
    form = std::make_unique<TFormMain>(programPath, folders, dialogs, nullptr, nullptr, set);
    form->SetExitWait(0);
    if (show) form->show();
    return *form;
  }
  // The window over games, the chosen one shown.
  TFormMain &OpenGames(const std::vector<TGame> &games, int chosen = 0) {
    form = std::make_unique<TFormMain>(programPath, games, chosen, dialogs, nullptr, nullptr);
    form->SetExitWait(0);
    form->show();
    return *form;
  }
  void Close() {
    if (form) form->close();
    form.reset();
  }
  // Something plays: a tune through the built-in player, which renders it to a file.
  void PlaySomething(TFormMain &f) {
    f.Players().Options().renderFile = Linux("playing.raw");
    testsupport::TestWorld::WriteFile(Linux("playing.mid"), testsupport::MakeMidiTune(1));
    f.PlaySource(QString::fromStdString(world.Windows("playing.mid")));
    EXPECT_TRUE(f.Players().IsPlaying());
  }
  std::string Settings() const { return testsupport::TestWorld::ReadFile(Linux("prog/melodeck.ini")); }
  std::unique_ptr<TFormMain> form;
};
