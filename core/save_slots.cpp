#include "core/save_slots.h"

#include <cctype>
#include <string_view>
#include <utility>
#include <vector>

#include "combat/battle.h"
#include "combat/cast.h"
#include "core/game.h"
#include "core/screen.h"
#include "shell/start_form.h"

namespace morvath {
namespace {

struct FieldKey {
  const char* key;
  std::string Character::*field;
};

// The character's part of a slot, in the order a save writes it.
constexpr FieldKey kFieldKeys[] = {
    {"Beat", &Character::Beat},
    {"CharName", &Character::CharName},
    {"Gold", &Character::Gold},
    {"Health", &Character::HP},
    {"MaxHealth", &Character::MaxHP},
    {"Exp", &Character::Exp},
    {"Next Level", &Character::NextLevel},
    {"Level", &Character::Level},
    {"Weapon", &Character::Weapon},
    {"Armor", &Character::Armor},
    {"Shield", &Character::Shield},
    {"Strength", &Character::Strength},
    {"WeaponName", &Character::WeaponN},
    {"ArmorName", &Character::ArmorN},
    {"ShieldName", &Character::ShieldN},
    {"Kills", &Character::Kills},
    {"SP", &Character::SP},
    {"MaxSP", &Character::MaxSP},
    {"NL", &Character::NL},
};

constexpr const char* kPotionKeys[] = {"N1", "N2", "N3", "N4", "N5"};
// Spell flags as a save writes them, and as a load reads them.
constexpr const char* kSpellSaveOrder[] = {"S1", "SL1", "S2", "SL2", "SL3",
                                           "S3", "SL4", "S4", "SL5", "S5"};
constexpr const char* kSpellLoadOrder[] = {"S1",  "SL1", "S2", "SL2", "S3",
                                           "SL3", "SL4", "S4", "SL5", "S5"};

std::string Read(Game& game, const std::string& section, const char* key) {
  return game.store().read(kSaveApp, section, key);
}

}  // namespace

std::string SlotForKey(int keyCode, bool keypadAllowed) {
  if (keyCode >= key::k0 + 1 && keyCode <= key::k0 + 9)
    return "Save" + std::to_string(keyCode - key::k0);
  if (keypadAllowed && keyCode >= key::kPad0 + 1 && keyCode <= key::kPad0 + 9)
    return "Save" + std::to_string(keyCode - key::kPad0);
  return "";
}

Flushed SaveSlot(Game& game, const std::string& section) {
  SettingsStore& store = game.store();
  Character& c = game.ch();
  // The slot as it is now, put back when the disk does not take the new one: what the game
  // reads of a slot is then what the disk holds, and a reload in this run finds the earlier save.
  std::vector<std::pair<const char*, std::string>> before;
  const auto write = [&](const char* key, const std::string& value) {
    before.emplace_back(key, store.read(kSaveApp, section, key));
    store.write(kSaveApp, section, key, value);
  };
  for (const FieldKey& fk : kFieldKeys) write(fk.key, c.*(fk.field));
  for (const char* key : kPotionKeys) write(key, game.battle().label(key).caption);
  for (const char* key : kSpellSaveOrder)
    write(key, game.cast().button(key).enabled ? "True" : "False");
  // One flush for the whole slot: the store writes it in one piece or not at all.
  const Flushed result = store.flush();
  if (result != Flushed::Written)
    for (const auto& [key, value] : before) store.write(kSaveApp, section, key, value);
  return result;
}

std::string NoSaveText(Game& game) {
  const std::string kept = game.store().unreadable(kSaveApp);
  if (kept.empty()) return kNoSave;
  return "The save file could not be read. It is kept as " + kept + ".";
}

bool SpellFlag(const std::string& text) {
  static constexpr std::string_view kTrue = "true";
  if (text.size() != kTrue.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != kTrue[i]) return false;
  return true;
}

LoadResult RunLoadSteps(Game& game, const std::string& section,
                        const std::function<void()>& afterRead) {
  Character& c = game.ch();
  c.Beat = Read(game, section, "Beat");
  c.CharName = Read(game, section, "CharName");
  if (c.CharName.empty()) {
    game.msg(NoSaveText(game), "Error");
    return LoadResult::EmptySlot;
  }
  for (const FieldKey& fk : kFieldKeys) {
    if (fk.field == &Character::Beat || fk.field == &Character::CharName) continue;
    c.*(fk.field) = Read(game, section, fk.key);
  }
  for (const char* key : kPotionKeys) game.battle().label(key).caption = Read(game, section, key);
  for (const char* key : kSpellLoadOrder)
    game.cast().button(key).enabled = SpellFlag(Read(game, section, key));
  game.placeAtFountain();
  if (game.musicOn()) {
    game.stopMusic();
    game.music().setFileName(game.tunePath(tune::kOutside));
    game.music().command("open");
    game.music().command("play");
  }
  if (afterRead) afterRead();
  if (c.HP.empty()) {
    game.msg(NoSaveText(game), "Error");
    return LoadResult::NoHealth;
  }
  game.show(ScreenId::Caves);
  game.hide(ScreenId::aaStartForm);
  return LoadResult::Loaded;
}

std::string LoadSave(Game& game, const std::string& section) {
  if (section.empty()) {
    game.msg(NoSaveText(game), "Error");
    return "";
  }
  return RunLoadSteps(game, section) == LoadResult::Loaded ? "Successful!" : "";
}

void LoadPromptKey(Game& game, int keyCode) {
  StartForm& start = game.startForm();
  if (keyCode == key::kA + ('C' - 'A')) start.Message.visible = false;
  const std::string section = SlotForKey(keyCode, false);
  game.store().write(kSaveApp, "LastSave", "LastSave", section);
  game.store().flush();
  if (section.empty()) return;
  // The prompt closes once the load has read the slot, even when the slot then turns out to
  // have no health in it; an empty slot leaves it open for another key.
  RunLoadSteps(game, section, [&start] { start.Message.visible = false; });
}

void ClearSaves(Game& game) {
  static constexpr const char* kCleared[] = {
      "CharName",   "Gold",  "Health", "MaxHealth", "Next Level", "Level",
      "Weapon",     "Armor", "Shield", "Strength",  "WeaponName", "ArmorName",
      "ShieldName", "Kills", "SP",     "MaxSP",     "NL"};
  for (int slot = 1; slot <= 9; ++slot) {
    const std::string section = "Save" + std::to_string(slot);
    for (const char* key : kCleared) game.store().write(kSaveApp, section, key, "");
  }
  game.store().flush();
}

}  // namespace morvath
