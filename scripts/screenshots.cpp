// Takes the README's screenshots: drives the game into a few states and saves each window, as
// the player sees it, to docs/screenshots/<name>.png.
//
//   screenshots [folder] [WIDTHxHEIGHT [name...]]
//
// With a screen size the windows are drawn at the layout scale the game chooses for a screen
// of that size (QT_SCALE_FACTOR=1.5 with 1280x720 shows a 1920x1080 screen at 150 %); names
// after it keep only those pictures (map, fight, maze, blackjack, ...).
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <deque>
#include <string>

#include "app/frontend.h"
#include "app/layout_scale.h"
#include "app/screen_window.h"
#include "app/silent_music_device.h"
#include "app/theme.h"
#include "bar/black.h"
#include "combat/battle.h"
#include "combat/cast.h"
#include "combat/catalogue.h"
#include "combat/dead.h"
#include "core/character.h"
#include "core/game.h"
#include "core/inventory.h"
#include "core/screen.h"
#include "scripts/offscreen_game.h"
#include "shell/start_form.h"
#include "town/inn.h"
#include "world/cave_screen.h"
#include "world/caves.h"

namespace {

using namespace morvath;
using namespace morvath::tools;

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(assets);
  if (argc > 2) {
    const QStringList size = QString(argv[2]).split('x');
    const QSize screen(size.value(0).toInt(), size.value(1).toInt());
    SetLayoutScale(ChooseLayoutScale(screen));
    std::printf("layout scale %g for a %dx%d screen\n", LayoutScale(), screen.width(),
                screen.height());
  }
  ApplyTheme(app);
  const QString out = argc > 1 ? argv[1] : "docs/screenshots";
  QDir().mkpath(out);

  InstantDialogs dialogs;
  SilentMusicDevice music;
  ForgetfulStore store;
  FixedRandom random;
  Game game(dialogs, music, store, random, "/tmp");
  Frontend frontend(game);
  QStringList wanted;
  for (int i = 3; i < argc; ++i) wanted << argv[i];
  auto shot = [&](ScreenId id, const char* name) {
    if (!wanted.isEmpty() && !wanted.contains(name)) return;
    frontend.refresh();
    QApplication::processEvents();
    ScreenWindow& w = frontend.window(id);
    w.sync();
    const QString path = out + "/" + name + ".png";
    w.grab().save(path);
    std::printf("%s\n", qPrintable(path));
  };
  auto key = [&](int code) { frontend.run([&] { game.front()->keyDown(code, 0); }); };

  frontend.run([&] { game.start(); });
  shot(ScreenId::aaStartForm, "start");
  dialogs.inputs.push_back("Arden");
  frontend.run([&] { game.startForm().click("New"); });
  key(key::kUp);
  key(key::kUp);
  key(key::kRight);
  shot(ScreenId::Caves, "map");
  key(key::kLeft);
  key(key::kDown);
  key(key::kDown);  // the magic shop
  shot(ScreenId::MagicShop, "magic-shop");
  frontend.run([&] { game.front()->click("Exit"); });
  key(key::kDown);
  key(key::kRight);
  key(key::kRight);  // the weapon shop
  shot(ScreenId::WeaponShop, "weapon-shop");
  frontend.run([&] { game.front()->click("MenuInven"); });
  shot(ScreenId::Inventory, "inventory");
  frontend.run([&] { game.inventory().click("MHide"); });
  frontend.run([&] { game.front()->click("Exit"); });
  // A hero some fights further on, so that the picture shows a fight under way.
  Character& hero = game.ch();
  hero.HP = hero.MaxHP = "64";
  hero.SP = "9";
  hero.MaxSP = "12";
  hero.Strength = "18";
  hero.Weapon = "10";
  hero.Armor = "8";
  hero.Shield = "4";
  frontend.run([&] { Encounter(game, ScreenId::Caves, "Polar Bear"); });
  frontend.run([&] { game.battle().click("Attack"); });
  shot(ScreenId::Battle, "fight");
  game.cast().button("SL1").enabled = true;
  game.cast().button("S3").enabled = true;
  frontend.run([&] { game.battle().click("Spell"); });
  shot(ScreenId::Cast, "spells");
  frontend.run([&] { game.cast().click("Command1"); });
  game.battle().visible = false;
  game.ch().Beat = "4";
  game.cave(ScreenId::Cave3).visible = true;
  frontend.run([&] { game.cave(ScreenId::Cave3).click("Command6"); });
  key(key::kDown);
  shot(ScreenId::UpperKeep, "maze");
  frontend.run([&] { game.front()->click("Command11"); });
  shot(ScreenId::Cave3, "cave");
  game.front()->visible = false;
  game.inn().visible = true;
  frontend.run([&] { game.inn().click("Command1"); });
  shot(ScreenId::Inn, "inn");
  game.ch().Gold = "400";
  frontend.run([&] { game.inn().click("ToBar"); });
  dialogs.inputs.push_back("50");
  frontend.run([&] { game.black().click("Play"); });
  frontend.run([&] { game.black().click("Hit"); });
  frontend.run([&] { game.black().click("Stay"); });
  shot(ScreenId::Black, "blackjack");
  game.front()->visible = false;
  game.dead().visible = true;
  shot(ScreenId::Dead, "death");
  return 0;
}
