#include "core/game.h"

#include <stdexcept>
#include <string_view>
#include <utility>

#include "bar/black.h"
#include "combat/battle.h"
#include "combat/cast.h"
#include "combat/dead.h"
#include "core/inventory.h"
#include "core/text.h"
#include "shell/start_form.h"
#include "town/armor_shop.h"
#include "town/inn.h"
#include "town/magic_shop.h"
#include "town/weapon_shop.h"
#include "world/cave_screen.h"
#include "world/caves.h"
#include "world/upper_keep.h"

namespace morvath {
namespace {

constexpr ScreenId kCaveIds[7] = {ScreenId::Cave1, ScreenId::Cave2,  ScreenId::Cave3,
                                  ScreenId::Cave4, ScreenId::Tower1, ScreenId::Tower2,
                                  ScreenId::Tower3};

// The screens whose music item carries the check mark, in the order the marks are set.
constexpr ScreenId kMusicMenuOrder[14] = {
    ScreenId::aaStartForm, ScreenId::ArmorShop, ScreenId::Battle, ScreenId::Cave1,
    ScreenId::Cave2,       ScreenId::Cave3,     ScreenId::Cave4,  ScreenId::Caves,
    ScreenId::Inn,         ScreenId::Tower1,    ScreenId::Tower2, ScreenId::Tower3,
    ScreenId::WeaponShop,  ScreenId::MagicShop};

}  // namespace

std::string_view ScreenName(ScreenId id) {
  static constexpr std::string_view kNames[] = {
      "aaStartForm", "Caves",     "Battle",    "Cast",   "Dead",   "Inventory", "Cave1",
      "Cave2",       "Cave3",     "Cave4",     "Tower1", "Tower2", "Tower3",    "UpperKeep",
      "WeaponShop",  "ArmorShop", "MagicShop", "Inn",    "Black"};
  return kNames[static_cast<int>(id)];
}

Game::Game(Dialogs& dialogs, MusicDevice& music, SettingsStore& store, Random& random,
           std::string tuneFolder)
    : dialogs_(dialogs),
      music_(music),
      store_(store),
      random_(random),
      tuneFolder_(std::move(tuneFolder)) {
  start_ = std::make_unique<StartForm>(*this);
  inventory_ = std::make_unique<Inventory>(*this);
  caves_ = std::make_unique<Caves>(*this);
  battle_ = std::make_unique<Battle>(*this);
  cast_ = std::make_unique<Cast>(*this);
  dead_ = std::make_unique<Dead>(*this);
  for (int i = 0; i < 7; ++i) caveScreens_[i] = std::make_unique<CaveScreen>(*this, kCaveIds[i]);
  upperKeep_ = std::make_unique<UpperKeep>(*this);
  weaponShop_ = std::make_unique<WeaponShop>(*this);
  armorShop_ = std::make_unique<ArmorShop>(*this);
  magicShop_ = std::make_unique<MagicShop>(*this);
  inn_ = std::make_unique<Inn>(*this);
  black_ = std::make_unique<Black>(*this);
}

Game::~Game() = default;

void Game::start() {
  start_->Form_Load();
}

Character& Game::ch() {
  return inventory_->ch;
}

CaveScreen& Game::cave(ScreenId id) {
  for (int i = 0; i < 7; ++i)
    if (kCaveIds[i] == id) return *caveScreens_[i];
  throw std::out_of_range("not a cave or tower screen");
}

Screen& Game::screen(ScreenId id) {
  switch (id) {
    case ScreenId::aaStartForm:
      return *start_;
    case ScreenId::Caves:
      return *caves_;
    case ScreenId::Battle:
      return *battle_;
    case ScreenId::Cast:
      return *cast_;
    case ScreenId::Dead:
      return *dead_;
    case ScreenId::Inventory:
      return *inventory_;
    case ScreenId::UpperKeep:
      return *upperKeep_;
    case ScreenId::WeaponShop:
      return *weaponShop_;
    case ScreenId::ArmorShop:
      return *armorShop_;
    case ScreenId::MagicShop:
      return *magicShop_;
    case ScreenId::Inn:
      return *inn_;
    case ScreenId::Black:
      return *black_;
    default:
      return cave(id);
  }
}

std::vector<Screen*> Game::screens() {
  std::vector<Screen*> all;
  for (ScreenId id : kAllScreens) all.push_back(&screen(id));
  return all;
}

void Game::show(ScreenId id) {
  screen(id).visible = true;
}
void Game::hide(ScreenId id) {
  screen(id).visible = false;
}

Screen* Game::front() {
  for (ScreenId id : kAllScreens) {
    if (IsOverlay(id)) continue;
    Screen& s = screen(id);
    if (s.visible) return &s;
  }
  return nullptr;
}

Answer Game::msg(const std::string& text, const std::string& title, Buttons buttons, Icon icon) {
  return dialogs_.message(text, title, buttons, icon);
}

std::string Game::input(const std::string& prompt, const std::string& title,
                        const std::string& defaultText) {
  return dialogs_.input(prompt, title, defaultText);
}

bool Game::musicOn() const {
  return start_->Music.caption == "on";
}

std::string Game::tunePath(const std::string& tuneName) const {
  return tuneFolder_ + "/Music/" + tuneName;
}

void Game::stopMusic() {
  music_.command("close");
}

void Game::playTune(const std::string& tuneName) {
  if (!musicOn()) return;
  stopMusic();
  music_.setFileName(tunePath(tuneName));
  music_.command("open");
  music_.command("play");
}

std::string& Game::musicFinish() {
  return start_->MusicFinish.caption;
}

void Game::tuneEnded() {
  musicFinish() = "True";
}

void Game::setMusicChecks(bool checked) {
  for (ScreenId id : kMusicMenuOrder) {
    Screen& s = screen(id);
    if (!s.musicItem().empty()) s.menu(s.musicItem()).checked = checked;
  }
}

void Game::toggleMusic() {
  if (musicOn()) {
    start_->Music.caption = "off";
    setMusicChecks(false);
    music_.command("stop");  // TurnOff
  } else {
    start_->Music.caption = "on";
    setMusicChecks(true);
    msg("Music will turn on the next time the program tells it to do so.");  // TurnOn
  }
}

void Game::exitQuestion() {
  const Answer answer =
      msg("Are you sure you want to exit Keep of the Morvath? Unsaved changes will be lost.",
          "Exit?", Buttons::YesNo, Icon::Stop);
  if (answer == Answer::Yes) endProgram();
}

void Game::endProgram() {
  ended_ = true;
  dialogs_.quit();
}

void Game::showInventory() {
  inventory_->visible = true;
  ++inventory_->frontRequests;  // an open inventory hidden behind the screen comes back in front
}

void Game::EndGame() {
  Character& c = ch();
  for (std::string* field : {&c.HP, &c.MaxHP, &c.SP, &c.MaxSP, &c.Strength, &c.Weapon, &c.WeaponN,
                             &c.Armor, &c.ArmorN, &c.Shield, &c.ShieldN, &c.Kills, &c.NextLevel,
                             &c.Level, &c.Gold, &c.Exp, &c.MaxDamage, &c.MaxDefence})
    field->clear();
  battle_->setPotionCounts("0");
  hide(ScreenId::Battle);
  music_.command("stop");
  music_.command("close");
}

void Game::placeAtFountain() {
  Caves& map = *caves_;
  map.LeftX.caption = "5";
  map.TopY.caption = "2";
  map.Char.left = 2760;
  map.Char.top = 3840;
  map.Message.caption = kFountainText;
}

}  // namespace morvath
