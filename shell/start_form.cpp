#include "shell/start_form.h"

#include "combat/battle.h"
#include "combat/cast.h"
#include "core/game.h"
#include "core/save_slots.h"
#include "core/text.h"
#include "world/caves.h"

namespace morvath {
namespace {

constexpr const char* kStartApp = "ZARQSTART";

}  // namespace

StartForm::StartForm(Game& game)
    : Screen(game, ScreenId::aaStartForm, kGameTitle),
      Label2(addLabel("Label2", "Keep of the Morvath")),
      Label3(addLabel("Label3", "Version 2.80")),
      Message(addLabel("Message", kLoadPrompt, false)),
      Music(addLabel("Music", "on", false)),
      MusicFinish(addLabel("MusicFinish", "", false)),
      New(addButton("New", "&New Game", [this] { New_Click(); })),
      Load(addButton("Load", "&Load Game", [this] { Load_Click(); })),
      Command1(addButton("Command1", "E&xit", [this] { Command1_Click(); })) {
  addPicture("Logo");
  addMenu("MFile", "&File", "");
  addMenu("MMExit", "E&xit", "MFile", [this] { MMExit_Click(); });
  addMenu("MNUStory", "S&tory", "", [this] { MNUStory_Click(); });
  addMusicMenu("MOp", "musicon");
}

void StartForm::Form_Load() {
  // The random source is seeded from the clock by the program before the game starts.
  visible = true;
  game_.playTune(tune::kTemple);
  // The counter counts program starts. An absent, empty or unreadable counter counts as the
  // first start, so a damaged value shows the story again rather than breaking the count.
  const std::string stored = game_.store().read(kStartApp, "Start", "Start");
  const double counter = IsNumber(stored) ? Val(stored) : 1.0;
  if (counter == 1) {
    // A session that ends while the story or the about box stands (a logout, a kill) ends the
    // program there: this start has not told them, and the next one tells them again.
    game_.msg(kFirstStory, "The Story");
    if (game_.ended()) return;
    MSGAbout();
    if (game_.ended()) return;
  }
  // Written now, stored on disk by the store in its own time: the start screen does not wait.
  game_.store().write(kStartApp, "Start", "Start", Str(counter + 1));
}

void StartForm::MSGAbout() {
  game_.msg(kAbout);
}

void StartForm::keyDown(int keyCode, int shift) {
  constexpr int kAll = key::kShift | key::kCtrl | key::kAlt;
  if ((shift & kAll) == kAll) {
    game_.store().write(kStartApp, "Start", "Start", "1");
    game_.store().flush();
    game_.dialogs().beep();
  }
  if (Message.visible) LoadPromptKey(game_, keyCode);
}

void StartForm::New_Click() {
  Message.visible = false;
  const std::string name = game_.input("What is your name?", "Enter Name", "");
  if (name.empty()) return;
  game_.EndGame();
  game_.placeAtFountain();
  Character& c = game_.ch();
  c.CharName = name;
  c.Gold = "100";
  c.Beat = "0";
  c.Exp = "0";
  c.HP = "10";
  c.MaxHP = "10";
  c.NextLevel = "500";
  c.Level = "1";
  c.SP = "2";
  c.MaxSP = "2";
  c.Armor = "2";
  c.Weapon = "1";
  c.Strength = "6";
  c.Kills = "0";
  c.Shield = "0";
  c.WeaponN = "Stick";
  c.ArmorN = "Clothes";
  c.ShieldN = "";
  c.NL = "500";
  game_.show(ScreenId::Caves);
  game_.hide(ScreenId::aaStartForm);
  if (game_.musicOn()) {
    game_.music().setFileName(game_.tunePath(tune::kOutside));
    game_.music().command("open");
    game_.music().command("play");
  }
  game_.battle().setPotionCounts("0");
  // A new hero starts without the spells of the hero before.
  game_.cast().forgetAllSpells();
}

void StartForm::Load_Click() {
  Message.visible = true;
}

void StartForm::Command1_Click() {
  Message.visible = false;
  game_.endProgram();
}

void StartForm::MMExit_Click() {
  Message.visible = false;
  const Answer answer =
      game_.msg("Are you sure you want to exit Keep of the Morvath? Unsaved changes will be lost.",
                "Exit?", Buttons::YesNo, Icon::Stop);
  if (answer == Answer::Yes) {
    game_.stopMusic();
    game_.endProgram();
  }
}

void StartForm::MNUStory_Click() {
  game_.msg(kMenuStory, "The Story");
}

void StartForm::closeBox() {
  game_.endProgram();
}

}  // namespace morvath
