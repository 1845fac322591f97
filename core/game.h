// The game: owns every screen, the ports, and the few actions all screens share (showing and
// hiding screens, message boxes, music, the exit question, the end-of-game reset).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/character.h"
#include "core/ports.h"
#include "core/screen_id.h"

namespace morvath {

class Screen;
class StartForm;
class Inventory;
class Caves;
class Battle;
class Cast;
class Dead;
class CaveScreen;
class UpperKeep;
class WeaponShop;
class ArmorShop;
class MagicShop;
class Inn;
class Black;

// The game's own title, shown by every message box that has no title of its own.
inline constexpr const char* kGameTitle = "Keep of the Morvath";

// The tunes, relative to the Music folder below the tune folder.
namespace tune {
inline constexpr const char* kTemple = "Temple.mid";
inline constexpr const char* kOutside = "Outside.mid";
inline constexpr const char* kOutsideTower = "Outside.MID";
inline constexpr const char* kOutsideReturn = "Outside.rmi";
inline constexpr const char* kFight = "FightMusic.rmi";
inline constexpr const char* kDeath = "Death.MID";
}  // namespace tune

// The fountain of Makar, where new and loaded games begin.
inline constexpr const char* kFountainText =
    "You are next to the beautiful fountain of Makar. East is the Weapon Shop, West is the Armor "
    "Shop, South the inn and north the Magic Shop.";

class Game {
 public:
  // tuneFolder is the folder whose "Music" subfolder holds the tunes (every tune is named by it,
  // and the music rules compare those names exactly).
  Game(Dialogs& dialogs, MusicDevice& music, SettingsStore& store, Random& random,
       std::string tuneFolder);
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Program start: loads and shows the start screen.
  void start();

  // Ports.
  Dialogs& dialogs() { return dialogs_; }
  MusicDevice& music() { return music_; }
  SettingsStore& store() { return store_; }
  // A fresh random number R, uniform in [0, 1).
  double R() { return random_.next(); }

  // The character record (held by the inventory screen).
  Character& ch();

  // The screens.
  StartForm& startForm() { return *start_; }
  Inventory& inventory() { return *inventory_; }
  Caves& caves() { return *caves_; }
  Battle& battle() { return *battle_; }
  Cast& cast() { return *cast_; }
  Dead& dead() { return *dead_; }
  CaveScreen& cave(ScreenId id);  // Cave1..Cave4, Tower1..Tower3
  UpperKeep& upperKeep() { return *upperKeep_; }
  WeaponShop& weaponShop() { return *weaponShop_; }
  ArmorShop& armorShop() { return *armorShop_; }
  MagicShop& magicShop() { return *magicShop_; }
  Inn& inn() { return *inn_; }
  Black& black() { return *black_; }
  Screen& screen(ScreenId id);
  std::vector<Screen*> screens();

  // Shows or hides a screen. Moving between places shows the next screen, then hides this one.
  void show(ScreenId id);
  void hide(ScreenId id);
  // The game screen in front: the visible screen other than the inventory and spell windows
  // (the combat screen while the spell window stands on it). None before the start.
  Screen* front();

  // Message boxes. The title defaults to the game's own; pass "" for an empty title bar.
  Answer msg(const std::string& text, const std::string& title = kGameTitle,
             Buttons buttons = Buttons::Ok, Icon icon = Icon::None);
  std::string input(const std::string& prompt, const std::string& title = kGameTitle,
                    const std::string& defaultText = "");

  // Music. musicOn: the switch on the start screen reads "on".
  bool musicOn() const;
  // The tune folder followed by "/Music/" and the tune's name.
  std::string tunePath(const std::string& tuneName) const;
  // StopMusic: "close" the device.
  void stopMusic();
  // The usual recipe: only with music on, StopMusic, set the file, "open", "play".
  void playTune(const std::string& tuneName);
  // The start screen's end-of-tune flag.
  std::string& musicFinish();
  // The device reports that the tune has ended.
  void tuneEnded();
  // "Music o&n" on any screen.
  void toggleMusic();

  // The common exit question; Yes ends the program.
  void exitQuestion();
  // Ends the program at once (after the current handler).
  void endProgram();
  bool ended() const { return ended_; }

  // "&Inventory": shows the inventory window on top of the current screen.
  void showInventory();

  // EndGame: the end-of-game reset.
  void EndGame();
  // Puts the character on the map by the fountain of Makar.
  void placeAtFountain();

 private:
  void setMusicChecks(bool checked);

  Dialogs& dialogs_;
  MusicDevice& music_;
  SettingsStore& store_;
  Random& random_;
  std::string tuneFolder_;
  bool ended_ = false;

  std::unique_ptr<StartForm> start_;
  std::unique_ptr<Inventory> inventory_;
  std::unique_ptr<Caves> caves_;
  std::unique_ptr<Battle> battle_;
  std::unique_ptr<Cast> cast_;
  std::unique_ptr<Dead> dead_;
  std::unique_ptr<CaveScreen> caveScreens_[7];
  std::unique_ptr<UpperKeep> upperKeep_;
  std::unique_ptr<WeaponShop> weaponShop_;
  std::unique_ptr<ArmorShop> armorShop_;
  std::unique_ptr<MagicShop> magicShop_;
  std::unique_ptr<Inn> inn_;
  std::unique_ptr<Black> black_;
};

}  // namespace morvath
