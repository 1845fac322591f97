#include "town/inn.h"

#include <cmath>

#include "bar/black.h"
#include "core/game.h"
#include "core/save_slots.h"
#include "core/text.h"

namespace morvath {

Inn::Inn(Game& game)
    : Screen(game, ScreenId::Inn, "Elkwood Inn"),
      Label1(addLabel("Label1", "Elkwood Inn")),
      Message(addLabel("Message", kSavePrompt, false)),
      Rest(addButton("Rest", "&Rest for 25 gold (HP Restore)", [this] { Rest_Click(); })),
      Meditate(addButton("Meditate", "&Restore Spell Points", [this] { Meditate_Click(); })),
      Command1(addButton("Command1", "&Save Game", [this] { Command1_Click(); })),
      DeleteSaves(addButton("DeleteSaves", "&Clear Saves", [this] { DeleteSaves_Click(); })),
      ToBar(addButton("ToBar", "Go to the &Bar", [this] { ToBar_Click(); })),
      Exit(addButton("Exit", "&Exit Elkwood Inn", [this] { Exit_Click(); })) {
  addFileExitMenu("MFile", "MMExit");
  onClick("MMExit", [this] { MMExit_Click(); });
  addMusicMenu("Options", "muscion");
  addInventoryMenu("MInventory");
}

void Inn::Rest_Click() {
  Character& c = game_.ch();
  const double gold = Val(c.Gold);
  if (gold >= kRestNeeds) {
    c.Gold = Str(gold - kRestPrice);
    c.HP = c.MaxHP;
    game_.msg("You feel fully revived after your rest at the Elkwood Inn.", "You're Healed");
  } else {
    game_.msg("You don't have enough gold to rest at the inn. Come back when you have more money.",
              "Not Enough Gold");
  }
}

void Inn::Meditate_Click() {
  Character& c = game_.ch();
  const double missing = Val(c.MaxSP) - Val(c.SP);
  const std::string answer = game_.input(
      "For how many spell points would you like to be restored? (WARNING: If you go above " +
      Str(missing) + " then you will be charged a little more for nothing)");
  const double points = Val(answer);
  // Nothing, and no fewer than nothing, is bought: a negative answer would be a negative price
  // that pays the player gold for spell points taken away.
  if (points <= 0) return;
  const double cost = kSpellPointPrice * points;
  const Answer ok = game_.msg(
      "It will cost " + Str(cost) + " to restore " + Str(points) + " spell points. Is this OK?",
      "SP Restore", Buttons::OkCancel);
  if (ok != Answer::Ok) {
    game_.msg("Well, I'll be seeing you!!");
    return;
  }
  const double gold = Val(c.Gold);
  // An answer so large that its price is beyond any number is beyond any purse as well.
  if (!std::isfinite(cost) || gold < cost) {
    game_.msg("Sorry, but you have'nt the gold.", "Not enough gold");
    return;
  }
  c.Gold = Str(gold - cost);
  c.SP = Str(Val(c.SP) + points);
  // The whole price is kept even for points above the maximum: the warning said so.
  if (Val(c.SP) > Val(c.MaxSP)) c.SP = c.MaxSP;
}

void Inn::Command1_Click() {
  Message.caption = kSavePrompt;
  Message.visible = true;
}

void Inn::keyDown(int keyCode, int) {
  if (!Message.visible) return;
  const std::string section = SlotForKey(keyCode, true);
  SettingsStore& store = game_.store();
  const std::string lastBefore = store.read(kSaveApp, "LastSave", "LastSave");
  // The marker is written even when the key chose no slot; a later reload then finds no save.
  store.write(kSaveApp, "LastSave", "LastSave", section);
  if (section.empty()) {
    store.flush();
    return;
  }
  const Flushed saved = SaveSlot(game_, section);
  Message.visible = false;
  if (saved == Flushed::Written) {
    game_.msg("Your game was saved.", kGameTitle);
    return;
  }
  // Nothing reached the disk: the death screen's reload goes on finding the save it found before.
  store.write(kSaveApp, "LastSave", "LastSave", lastBefore);
  game_.msg(saved == Flushed::Busy ? kSaveBusy : kSaveFailed, "Error");
}

void Inn::DeleteSaves_Click() {
  ClearSaves(game_);
}

void Inn::ToBar_Click() {
  game_.black().Cash.caption = game_.ch().Gold;
  game_.show(ScreenId::Black);
  game_.hide(ScreenId::Inn);
}

void Inn::Exit_Click() {
  Message.visible = false;
  game_.show(ScreenId::Caves);
  game_.hide(ScreenId::Inn);
}

void Inn::MMExit_Click() {
  Message.visible = false;
  game_.exitQuestion();
}

}  // namespace morvath
