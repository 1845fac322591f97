// Keep of the Morvath: wires the game core to Qt and starts the start screen.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/clock_random.h"
#include "app/first_paint.h"
#include "app/fluid_music_device.h"
#include "app/frontend.h"
#include "app/layout_scale.h"
#include "app/qt_dialogs.h"
#include "app/qt_settings_store.h"
#include "app/session_end.h"
#include "app/theme.h"
#include "app/tune_folder.h"
#include "core/game.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The pictures are compiled into a static library; bring them in explicitly.
  Q_INIT_RESOURCE(assets);
  QApplication::setOrganizationName("KeepOfTheMorvath");
  QApplication::setApplicationName("morvath");
  QGuiApplication::setDesktopFileName("morvath");
  // One layout scale for the whole run, from the screen the windows open on: the largest window
  // fits it with its frame, and a large screen shows everything larger.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    morvath::SetLayoutScale(morvath::ChooseLayoutScale(screen->availableGeometry().size()));
  }
  morvath::ApplyTheme(app);

  morvath::QtDialogs dialogs;
  morvath::FluidMusicDevice::Config musicConfig;
  musicConfig.startLater = true;                 // started once the start screen is up
  morvath::FluidMusicDevice music(musicConfig);  // outlives the game
  morvath::QtSettingsStore store("KeepOfTheMorvath");
  morvath::ClockRandom random;
  morvath::Game game(dialogs, music, store, random, morvath::TuneFolder().toStdString());
  morvath::Frontend frontend(game);
  dialogs.setHooks([&frontend] { frontend.refreshBeforeBox(); },
                   [&frontend] { return frontend.modalParent(); }, &frontend.handover());
  // The end of a tune raises the game's end-of-tune flag (an ended tower tune starts over).
  QObject::connect(&music, &morvath::FluidMusicDevice::tuneEnded, &frontend,
                   [&frontend, &game] { frontend.run([&game] { game.tuneEnded(); }); });

  // Once the start screen is on the screen: the window icon and the synthesizer, which are not
  // worth making the player wait for. The start-up benchmark leaves at that moment, or (its
  // memory figure, MORVATH_BENCH=built) once every window has been built in the idle turns.
  bool painted = false;
  morvath::FirstPaint firstPaint([&app, &music, &store, &frontend, &painted] {
    if (const QByteArray bench = qgetenv("MORVATH_BENCH"); !bench.isEmpty()) {
      const auto leave = [] {
        std::puts("shown");
        std::fflush(stdout);
        // Every event loop ends, a box's too (quit() would first ask the windows to close).
        QCoreApplication::exit(0);
      };
      if (bench == "built")
        frontend.prebuildWindows(leave);
      else
        leave();
      return;
    }
    morvath::ApplyWindowIcon(app);
    music.start();
    painted = true;
    store.flush();  // the start counter
    frontend.prebuildWindows();
  });
  // A logout or a kill ends the game as "E&xit" answered Yes would, with every save on disk.
  morvath::SessionEnd sessionEnd([&] {
    frontend.run([&game] { game.stopMusic(), game.endProgram(); });
    store.flush();
  });
  QTimer::singleShot(0, &frontend, [&] {
    frontend.run([&game] { game.start(); });
    // A first start writes its count after the story, long after the first paint: it goes to
    // disk at once, so that a session that ends without a clean exit still counts it.
    if (painted) store.flush();
  });
  return app.exec();
}
