// Run-time figures of the real front end, offscreen: how long each handler takes with its screen
// change and repaint, and how much CPU the game uses while the player does nothing on the map and
// in the maze (whose guards keep moving). Boxes are answered at once so they do not count.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/fluid_music_device.h"
#include "app/frontend.h"
#include "app/silent_music_device.h"
#include "app/theme.h"
#include "combat/battle.h"
#include "combat/catalogue.h"
#include "core/game.h"
#include "core/screen.h"
#include "scripts/offscreen_game.h"
#include "shell/start_form.h"
#include "world/cave_screen.h"
#include "world/caves.h"

namespace {

using namespace morvath;
using namespace morvath::tools;
double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU share of one core while the event loop idles for the given time.
double IdleCpu(int milliseconds) {
  const double before = CpuSeconds();
  QElapsedTimer wall;
  wall.start();
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
  return 100.0 * (CpuSeconds() - before) / (wall.elapsed() / 1000.0);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(assets);
  ApplyTheme(app);
  const int idleMs = argc > 1 ? std::atoi(argv[1]) : 10000;

  InstantDialogs dialogs;
  SilentMusicDevice music;
  ForgetfulStore store;
  FixedRandom random;
  Game game(dialogs, music, store, random, "/tmp");
  Frontend frontend(game);

  std::vector<std::pair<double, std::string>> timings;
  auto timed = [&](const std::string& what, const std::function<void()>& handler) {
    QElapsedTimer t;
    t.start();
    frontend.run(handler);
    QApplication::processEvents();  // the repaint that follows
    timings.emplace_back(t.nsecsElapsed() / 1e6, what);
  };
  auto key = [&](int code) {
    timed("key " + std::to_string(code), [&] { game.front()->keyDown(code, 0); });
  };

  // The program start is the start-up benchmark's business (it includes Qt's first font setup).
  frontend.run([&] { game.start(); });
  frontend.prebuildWindows();  // as the game does once the start screen is up
  for (int i = 0; i < 40; ++i) QApplication::processEvents();
  timed("new game", [&] { game.startForm().click("New"); });
  timed("inventory", [&] { game.caves().click("MenuInventory"); });
  // Around the town: into every shop and the inn and out again.
  for (int code : {key::kRight, key::kRight}) key(code);  // weapon shop
  timed("leave weapon shop", [&] { game.front()->click("Exit"); });
  for (int code : {key::kLeft, key::kLeft, key::kLeft, key::kLeft}) key(code);  // armor shop
  timed("leave armor shop", [&] { game.front()->click("Exit"); });
  for (int code : {key::kRight, key::kUp, key::kRight}) key(code);  // magic shop
  timed("leave magic shop", [&] { game.front()->click("Exit"); });
  for (int code : {key::kDown, key::kDown}) key(code);  // the inn
  timed("leave inn", [&] { game.front()->click("Exit"); });
  for (int i = 0; i < 6; ++i) key(key::kUp);
  timed("fight starts", [&] { Encounter(game, ScreenId::Caves, "Polar Bear"); });
  for (int i = 0; i < 5 && game.battle().visible; ++i)
    timed("attack", [&] { game.battle().click("Attack"); });
  auto only = [&](ScreenId id) {
    for (Screen* s : game.screens()) s->visible = false;
    game.screen(id).visible = true;
    game.battle().enabled = true;
    frontend.refresh();
  };
  only(ScreenId::Caves);

  std::sort(timings.begin(), timings.end());
  double total = 0;
  for (auto& [ms, what] : timings) total += ms;
  std::printf("handlers: %zu timed, median %.2f ms, slowest %.2f ms (%s), target < 16 ms\n",
              timings.size(), timings[timings.size() / 2].first, timings.back().first,
              timings.back().second.c_str());
  for (auto& [ms, what] : timings)
    if (what == "new game" || what == "fight starts")
      std::printf("  %s: %.2f ms\n", what.c_str(), ms);

  std::printf("idle CPU on the map: %.2f %% of a core over %.1f s (target < 1 %%)\n",
              IdleCpu(idleMs), idleMs / 1000.0);
  // Into the maze: its guard clock ticks every 250 ms.
  game.ch().Beat = "4";
  only(ScreenId::Cave3);
  frontend.run([&] { game.cave(ScreenId::Cave3).click("Command6"); });
  const bool inMaze = game.front() == &game.screen(ScreenId::UpperKeep);
  std::printf("idle CPU in the maze%s: %.2f %% of a core over %.1f s (target < 1 %%)\n",
              inMaze ? " (guards moving)" : " (NOT REACHED)", IdleCpu(idleMs), idleMs / 1000.0);

  // The music device as the game builds it (with whatever sound card the machine has): the
  // game's thread never waits for the synthesizer (the tests hold its worker up to show it);
  // here are the times the game's thread spends building it and giving it commands.
  {
    QElapsedTimer t;
    t.start();
    auto device = std::make_unique<FluidMusicDevice>();
    const double built = t.nsecsElapsed() / 1e6;
    double slowest = 0;
    for (int round = 0; round < 3; ++round) {
      for (const char* cmd : {"open", "play", "stop", "play", "close", "open", "play"}) {
        device->setFileName("Music/Death.MID");
        t.restart();
        device->command(cmd);
        slowest = std::max(slowest, t.nsecsElapsed() / 1e6);
      }
    }
    device->command("close");
    device->waitUntilReady(60000);
    std::printf(
        "music device: built in %.2f ms (target < 20 ms), slowest of 21 commands %.3f ms "
        "(target < 10 ms)\n",
        built, slowest);
  }

  // Music: the CPU the synthesizer needs for one second of the busiest tune, and of the map's
  // tune (the one the desktop test measures while it plays on a sound server).
  for (const char* name : {"FightMusic.rmi", "Outside.mid"}) {
    std::ifstream file(std::string("Music/") + name, std::ios::binary);
    const std::string tune((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    const double before = CpuSeconds();
    const auto stats =
        FluidMusicDevice::renderOffline(tune, "/usr/share/sounds/sf2/TimGM6mb.sf2", 44100L * 30);
    const double cpu = CpuSeconds() - before;
    const double seconds = stats.frames / 44100.0;
    if (seconds > 0)
      std::printf("music synthesis: %.2f %% of a core (%s, %.0f s rendered, target < 5 %%)\n",
                  100.0 * cpu / seconds, name, seconds);
    else
      std::printf("music synthesis: not measured (no FluidSynth, soundfont or %s)\n", name);
  }
  return 0;
}
