// The nine save slots: saving at the inn, loading from the start screen, the slot keys of both
// prompts, clearing, and slots that are empty or half written.
#include <gtest/gtest.h>

#include "combat/battle.h"
#include "combat/cast.h"
#include "core/save_slots.h"
#include "town/inn.h"
#include "town_rig.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

constexpr int kKey3 = key::k0 + 3;
constexpr int kPad3 = key::kPad0 + 3;
constexpr int kLetterA = key::kA;
constexpr int kLetterC = key::kA + 2;

// A hero whose every field differs from a new game's, with awkward text in the names.
Character OddHero() {
  Character c;
  c.Beat = "4";
  c.CharName = "Sir \"Quote\" = ;semi; [Save2] 'Ælfríc' ⚔ 竜 " + std::string(1000, 'x');
  c.Gold = "12345.5";
  c.HP = "77";
  c.MaxHP = "80";
  c.Exp = "9001";
  c.NextLevel = "-3";
  c.Level = "7";
  c.Weapon = "35";
  c.Armor = "15";
  c.Shield = "7";
  c.Strength = "21";
  c.WeaponN = "Broad";
  c.ArmorN = "Whole Plate";
  c.ShieldN = "";
  c.Kills = "123";
  c.SP = "2.5";
  c.MaxSP = "30";
  c.NL = "1627";
  return c;
}

void SaveAtInn(Rig& r, int keyCode) {
  r.g().inn().click("Command1");
  r.g().inn().keyDown(keyCode, 0);
}

void LoadFromStart(Rig& r, int keyCode) {
  r.g().startForm().click("Load");
  r.g().startForm().keyDown(keyCode, 0);
}

std::vector<bool> Spells(Game& g) {
  std::vector<bool> flags;
  for (const char* name : Cast::kSpellButtons) flags.push_back(g.cast().button(name).enabled);
  return flags;
}

TEST(SlotKeys, DigitsOneToNineChooseASlotTheKeypadOnlyWhereAllowed) {
  for (int code = 0; code < 256; ++code) {
    std::string mainRow, keypad;
    if (code >= '1' && code <= '9') mainRow = "Save" + std::string(1, static_cast<char>(code));
    if (code >= key::kPad0 + 1 && code <= key::kPad0 + 9)
      keypad = "Save" + std::to_string(code - key::kPad0);
    EXPECT_EQ(SlotForKey(code, false), mainRow) << code;
    EXPECT_EQ(SlotForKey(code, true), mainRow.empty() ? keypad : mainRow) << code;
  }
}

TEST(Saving, TheInnWritesTheMarkerThenEveryKeyInOrderThenFlushesOnce) {
  Rig r;
  r.newGame();
  r.g().cast().button("SL3").enabled = true;
  r.g().battle().N4.caption = "2";
  r.store.log.clear();
  SaveAtInn(r, kKey3);
  std::vector<std::string> expected = {"LastSave/LastSave"};
  for (const char* key :
       {"Beat",       "CharName", "Gold",  "Health", "MaxHealth", "Exp",        "Next Level",
        "Level",      "Weapon",   "Armor", "Shield", "Strength",  "WeaponName", "ArmorName",
        "ShieldName", "Kills",    "SP",    "MaxSP",  "NL",        "N1",         "N2",
        "N3",         "N4",       "N5",    "S1",     "SL1",       "S2",         "SL2",
        "SL3",        "S3",       "SL4",   "S4",     "SL5",       "S5"})
    expected.push_back(std::string("Save3/") + key);
  expected.push_back("flush");
  EXPECT_EQ(r.store.log, expected);
  EXPECT_EQ(r.slot("LastSave", "LastSave"), "Save3");
  EXPECT_EQ(r.slot("Save3", "SL3"), "True");
  EXPECT_EQ(r.slot("Save3", "S3"), "False");
  EXPECT_EQ(r.slot("Save3", "N4"), "2");
  EXPECT_EQ(r.slot("Save3", "Next Level"), "500");
  EXPECT_EQ(r.slot("Save3", "ShieldName"), "");
  EXPECT_FALSE(r.g().inn().Message.visible);
  EXPECT_EQ(r.dialogs.last().text, "Your game was saved.");
  EXPECT_EQ(r.dialogs.last().title, "Keep of the Morvath");
}

TEST(Saving, ASaveTheDiskDidNotTakeIsToldAndTheEarlierSaveStays) {
  struct Case {
    Flushed result;
    const char* text;
  };
  for (const Case& c : {Case{Flushed::Failed, kSaveFailed}, Case{Flushed::Busy, kSaveBusy}}) {
    SCOPED_TRACE(c.text);
    Rig r;
    r.newGame();
    SaveAtInn(r, kKey3);
    const auto before = r.store.values;
    r.g().ch().Gold = "999";
    r.g().ch().CharName = "Brenna";
    r.g().cast().button("S1").enabled = true;
    r.g().battle().N2.caption = "4";
    // Over the earlier save, and into a slot never saved.
    for (int slotKey : {kKey3, key::k0 + 5}) {
      r.dialogs.boxes.clear();
      r.store.flushResults.push_back(c.result);
      SaveAtInn(r, slotKey);
      ASSERT_EQ(r.dialogs.boxes.size(), 1u);
      EXPECT_EQ(r.dialogs.last().text, c.text);
      EXPECT_EQ(r.dialogs.last().title, "Error");
      EXPECT_FALSE(r.g().inn().Message.visible);
      EXPECT_EQ(r.slot("LastSave", "LastSave"), "Save3");
      EXPECT_EQ(r.slot("Save3", "Gold"), "100");
    }
    // The slot never saved reads as empty again, every key of it; the rest is as it was.
    for (const auto& [key, value] : r.store.values) {
      if (std::get<1>(key) == "Save5") {
        EXPECT_EQ(value, "") << std::get<2>(key);
      }
    }
    std::erase_if(r.store.values, [](const auto& kv) { return std::get<1>(kv.first) == "Save5"; });
    EXPECT_EQ(r.store.values, before);
    // The death screen's reload finds the save that is on the disk.
    EXPECT_EQ(LoadSave(r.g(), r.slot("LastSave", "LastSave")), "Successful!");
    EXPECT_EQ(r.g().ch().CharName, "Arden");
    EXPECT_EQ(r.g().ch().Gold, "100");
  }
}

TEST(Loading, ASaveFileThatCouldNotBeReadSaysSoAndWhereItIsKept) {
  const std::string kept = "/home/player/.config/KeepOfTheMorvath/ZARQ.ini.damaged-20261210";
  const std::string text = "The save file could not be read. It is kept as " + kept + ".";
  Rig r;
  r.newGame();
  SaveAtInn(r, key::k0 + 1);
  r.store.values[{"ZARQ", "Save2", "CharName"}] = "Half";  // a name but no health
  r.store.unreadableFiles["ZARQ"] = kept;
  r.g().show(ScreenId::aaStartForm);
  r.g().hide(ScreenId::Caves);
  for (int slot : {2, 3}) {
    r.dialogs.boxes.clear();
    LoadFromStart(r, key::k0 + slot);
    EXPECT_EQ(r.dialogs.texts(), std::vector<std::string>{text}) << slot;
    EXPECT_EQ(r.dialogs.last().title, "Error");
    EXPECT_TRUE(r.g().startForm().visible);
  }
  r.dialogs.boxes.clear();
  EXPECT_EQ(LoadSave(r.g(), ""), "");
  EXPECT_EQ(r.dialogs.texts(), std::vector<std::string>{text});
  // What could be read of the file still loads, without a word.
  r.dialogs.boxes.clear();
  LoadFromStart(r, key::k0 + 1);
  EXPECT_TRUE(r.dialogs.boxes.empty());
  EXPECT_TRUE(r.g().caves().visible);
}

TEST(Saving, AHeroWithOddTextComesBackFieldByField) {
  Rig r;
  r.newGame();
  Character& c = r.g().ch();
  c = OddHero();
  c.MaxDamage = "56";  // the totals are not part of a save
  c.MaxDefence = "22";
  const std::vector<std::string> counts = {"3", "0", "12", "1", "1000000"};
  for (int kind = 1; kind <= 5; ++kind) r.g().battle().potionCount(kind).caption = counts[kind - 1];
  for (const char* name : {"S1", "SL2", "S4", "SL5"}) r.g().cast().button(name).enabled = true;
  const std::vector<bool> spells = Spells(r.g());
  SaveAtInn(r, kPad3);
  EXPECT_EQ(r.slot("LastSave", "LastSave"), "Save3");

  // Another game in the same run, with other spells and potions, then back to the start.
  r.newGame("Other");
  r.g().cast().button("S2").enabled = true;
  r.g().cast().button("SL1").enabled = true;
  r.g().battle().N2.caption = "9";
  r.g().show(ScreenId::aaStartForm);
  r.g().hide(ScreenId::Caves);
  r.music.log.clear();
  LoadFromStart(r, kKey3);

  Character expected = OddHero();
  expected.MaxDamage = "";  // as the new game left them
  expected.MaxDefence = "";
  EXPECT_EQ(c.CharName, expected.CharName);
  EXPECT_EQ(c, expected);
  for (int kind = 1; kind <= 5; ++kind)
    EXPECT_EQ(r.g().battle().potionCount(kind).caption, counts[kind - 1]);
  EXPECT_EQ(Spells(r.g()), spells);
  EXPECT_TRUE(r.g().caves().visible);
  EXPECT_FALSE(r.g().startForm().visible);
  EXPECT_FALSE(r.g().startForm().Message.visible);
  EXPECT_EQ(r.g().caves().Message.caption, kFountainText);
  EXPECT_EQ(r.g().caves().Char.left, 2760);
  EXPECT_EQ(r.g().caves().Char.top, 3840);
  EXPECT_EQ(r.g().caves().LeftX.caption, "5");
  EXPECT_EQ(r.g().caves().TopY.caption, "2");
  EXPECT_EQ(r.music.log,
            (std::vector<std::string>{"close", "file=" + r.tune("Outside.mid"), "open", "play"}));
}

TEST(Loading, AHeroSavedWithoutSpellsForgetsTheSpellsOfTheRunBefore) {
  Rig r;
  r.newGame();
  SaveAtInn(r, key::k0 + 1);
  for (const char* name : Cast::kSpellButtons) r.g().cast().button(name).enabled = true;
  r.g().show(ScreenId::aaStartForm);
  LoadFromStart(r, key::k0 + 1);
  EXPECT_EQ(Spells(r.g()), std::vector<bool>(10, false));
}

TEST(Loading, SpellFlagsLoadAsKnownOnlyWhenTheyReadTrue) {
  for (const char* text : {"True", "true", "TRUE"}) EXPECT_TRUE(SpellFlag(text)) << text;
  for (const char* text : {"False", "", "1", "-1", "yes", " True", "Truee", "Tru"})
    EXPECT_FALSE(SpellFlag(text)) << text;
}

TEST(Loading, EachSpellFlagGoesToTheButtonOfItsOwnName) {
  for (const char* name : Cast::kSpellButtons) {
    SCOPED_TRACE(name);
    Rig r;
    r.newGame();
    r.g().cast().button(name).enabled = true;
    SaveAtInn(r, key::k0 + 5);
    r.g().cast().forgetAllSpells();
    r.g().show(ScreenId::aaStartForm);
    LoadFromStart(r, key::k0 + 5);
    for (const char* other : Cast::kSpellButtons)
      EXPECT_EQ(r.g().cast().button(other).enabled, std::string(other) == name) << other;
  }
}

TEST(SavePrompt, ALetterSavesNothingEmptiesTheMarkerAndKeepsThePrompt) {
  Rig r;
  r.newGame();
  SaveAtInn(r, kKey3);
  r.dialogs.boxes.clear();
  r.store.log.clear();
  SaveAtInn(r, kLetterA);
  EXPECT_EQ(r.store.log, (std::vector<std::string>{"LastSave/LastSave", "flush"}));
  EXPECT_EQ(r.slot("LastSave", "LastSave"), "");
  EXPECT_TRUE(r.g().inn().Message.visible);
  EXPECT_TRUE(r.dialogs.boxes.empty());
  // The death screen's reload now finds no save, although Save3 is still there.
  EXPECT_EQ(LoadSave(r.g(), r.slot("LastSave", "LastSave")), "");
  EXPECT_EQ(r.dialogs.last().text, "There is no save in that slot.");
  EXPECT_EQ(r.dialogs.last().title, "Error");
  EXPECT_EQ(r.slot("Save3", "CharName"), "Arden");
}

TEST(SavePrompt, KeysOnlyCountWhileThePromptIsShown) {
  Rig r;
  r.newGame();
  EXPECT_TRUE(r.g().inn().readsKeys());
  EXPECT_FALSE(r.g().inn().Message.visible);
  r.g().inn().keyDown(kKey3, 0);
  EXPECT_TRUE(r.store.log.empty());
  r.g().inn().click("Command1");
  EXPECT_TRUE(r.g().inn().Message.visible);
  EXPECT_EQ(r.g().inn().Message.caption,
            std::string(19, ' ') + "Save in which slot? (Type a number between 1 & 9)");
}

TEST(SavePrompt, ThePromptIsGoneWhenTheSavedMessageShows) {
  Rig r;
  r.newGame();
  bool promptShown = true;
  std::string markerAtBox;
  r.dialogs.onMessage = [&](const std::string&) {
    promptShown = r.g().inn().Message.visible;
    markerAtBox = r.slot("Save9", "CharName");
  };
  SaveAtInn(r, key::kPad0 + 9);
  EXPECT_FALSE(promptShown);
  EXPECT_EQ(markerAtBox, "Arden");
}

TEST(LoadPrompt, TheKeypadChoosesNoSlotAndCClosesThePromptAndEmptiesTheMarker) {
  Rig r;
  r.newGame();
  SaveAtInn(r, kKey3);
  r.g().show(ScreenId::aaStartForm);
  r.g().hide(ScreenId::Caves);
  r.dialogs.boxes.clear();
  LoadFromStart(r, kPad3);
  EXPECT_EQ(r.slot("LastSave", "LastSave"), "");
  EXPECT_TRUE(r.g().startForm().Message.visible);
  EXPECT_TRUE(r.g().startForm().visible);
  EXPECT_TRUE(r.dialogs.boxes.empty());

  r.store.values[{"ZARQ", "LastSave", "LastSave"}] = "Save3";
  r.g().startForm().keyDown(kLetterC, 0);
  EXPECT_FALSE(r.g().startForm().Message.visible);
  EXPECT_EQ(r.slot("LastSave", "LastSave"), "");
  EXPECT_TRUE(r.g().startForm().visible);
  EXPECT_TRUE(r.dialogs.boxes.empty());
}

TEST(LoadPrompt, AnEmptySlotOverwritesOnlyProgressAndNameAndKeepsThePrompt) {
  Rig r;
  r.newGame();
  r.g().ch().Beat = "6";
  r.store.values[{"ZARQ", "Save4", "Beat"}] = "2";
  r.store.values[{"ZARQ", "Save4", "Gold"}] = "999";  // a cleared slot keeps stray values
  r.g().show(ScreenId::aaStartForm);
  r.g().hide(ScreenId::Caves);
  Character expected = r.g().ch();
  expected.Beat = "2";
  expected.CharName = "";
  r.music.log.clear();
  LoadFromStart(r, key::k0 + 4);
  EXPECT_EQ(r.g().ch(), expected);
  EXPECT_EQ(r.slot("LastSave", "LastSave"), "Save4");
  EXPECT_EQ(r.dialogs.last().text, "There is no save in that slot.");
  EXPECT_EQ(r.dialogs.last().title, "Error");
  EXPECT_TRUE(r.g().startForm().Message.visible);
  EXPECT_TRUE(r.g().startForm().visible);
  EXPECT_FALSE(r.g().caves().visible);
  EXPECT_TRUE(r.music.log.empty());
}

TEST(LoadPrompt, ASlotWithANameButNoHealthIsReadThroughButNotEntered) {
  Rig r;
  r.newGame();
  SaveAtInn(r, key::k0 + 2);
  r.store.values[{"ZARQ", "Save2", "Health"}] = "";
  r.store.values[{"ZARQ", "Save2", "Gold"}] = "4321";
  r.g().caves().Message.caption = "somewhere else";
  r.g().caves().LeftX.caption = "9";
  r.g().show(ScreenId::aaStartForm);
  r.g().hide(ScreenId::Caves);
  r.music.log.clear();
  bool promptAtBox = true;
  r.dialogs.onMessage = [&](const std::string&) {
    promptAtBox = r.g().startForm().Message.visible;
  };
  LoadFromStart(r, key::k0 + 2);
  EXPECT_EQ(r.g().ch().Gold, "4321");  // the whole slot was read
  EXPECT_EQ(r.g().ch().HP, "");
  EXPECT_EQ(r.g().caves().Message.caption, kFountainText);  // the map prepared
  EXPECT_EQ(r.g().caves().LeftX.caption, "5");
  EXPECT_EQ(r.music.log,
            (std::vector<std::string>{"close", "file=" + r.tune("Outside.mid"), "open", "play"}));
  EXPECT_EQ(r.dialogs.last().text, "There is no save in that slot.");
  EXPECT_FALSE(promptAtBox);  // the prompt closed before the message
  EXPECT_TRUE(r.g().startForm().visible);
  EXPECT_FALSE(r.g().caves().visible);
}

TEST(LoadPrompt, WithMusicOffALoadSendsNoMusicCommand) {
  Rig r;
  r.newGame();
  SaveAtInn(r, key::k0 + 1);
  r.g().toggleMusic();
  r.g().show(ScreenId::aaStartForm);
  r.music.log.clear();
  LoadFromStart(r, key::k0 + 1);
  EXPECT_TRUE(r.g().caves().visible);
  EXPECT_TRUE(r.music.log.empty());
}

TEST(ClearSaves, EverySlotThenReadsAsEmptyButStrayValuesStay) {
  Rig r;
  r.newGame();
  r.g().cast().button("S5").enabled = true;
  r.g().battle().N5.caption = "3";
  for (int slot = 1; slot <= 9; ++slot) SaveAtInn(r, key::k0 + slot);
  r.dialogs.boxes.clear();
  r.store.log.clear();
  r.g().inn().click("DeleteSaves");
  EXPECT_TRUE(r.dialogs.boxes.empty());
  EXPECT_EQ(r.store.log.size(), 9u * 17u + 1u);
  EXPECT_EQ(r.store.log.back(), "flush");
  for (int slot = 1; slot <= 9; ++slot) {
    const std::string section = "Save" + std::to_string(slot);
    for (const char* key : {"CharName", "Gold", "Health", "MaxHealth", "Next Level", "Level",
                            "Weapon", "Armor", "Shield", "Strength", "WeaponName", "ArmorName",
                            "ShieldName", "Kills", "SP", "MaxSP", "NL"})
      EXPECT_EQ(r.slot(section, key), "") << section << " " << key;
    EXPECT_EQ(r.slot(section, "Beat"), "0");
    EXPECT_EQ(r.slot(section, "Exp"), "0");
    EXPECT_EQ(r.slot(section, "N5"), "3");
    EXPECT_EQ(r.slot(section, "S5"), "True");
  }
  EXPECT_EQ(r.slot("LastSave", "LastSave"), "Save9");
  for (int slot = 1; slot <= 9; ++slot) {
    r.dialogs.boxes.clear();
    r.g().show(ScreenId::aaStartForm);
    LoadFromStart(r, key::k0 + slot);
    EXPECT_EQ(r.dialogs.texts(), std::vector<std::string>{"There is no save in that slot."});
  }
  // The next save into a cleared slot makes it whole again.
  r.g().ch() = OddHero();
  SaveAtInn(r, key::k0 + 6);
  r.g().ch() = Character{};
  r.g().show(ScreenId::aaStartForm);
  r.g().hide(ScreenId::Caves);
  LoadFromStart(r, key::k0 + 6);
  EXPECT_EQ(r.g().ch(), OddHero());
  EXPECT_TRUE(r.g().caves().visible);
}

TEST(LoadSave, AnEmptySectionReadsNothingAndAFullOneSucceeds) {
  Rig r;
  r.newGame();
  SaveAtInn(r, key::k0 + 7);
  r.g().ch().Beat = "8";
  r.g().ch().CharName = "Kept";
  r.dialogs.boxes.clear();
  EXPECT_EQ(LoadSave(r.g(), ""), "");
  EXPECT_EQ(r.dialogs.texts(), std::vector<std::string>{"There is no save in that slot."});
  EXPECT_EQ(r.dialogs.last().title, "Error");
  EXPECT_EQ(r.g().ch().Beat, "8");
  EXPECT_EQ(r.g().ch().CharName, "Kept");
  r.g().hide(ScreenId::Caves);
  EXPECT_EQ(LoadSave(r.g(), "Save7"), "Successful!");
  EXPECT_EQ(r.g().ch().CharName, "Arden");
  EXPECT_TRUE(r.g().caves().visible);
  EXPECT_EQ(LoadSave(r.g(), "Save8"), "");
}

}  // namespace
}  // namespace morvath::test
