// Keep of the Morvath: wires the game core to Qt and starts the start screen.
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "app/clock_random.h"
#include "app/frontend.h"
#include "app/qt_dialogs.h"
#include "app/qt_settings_store.h"
#include "app/silent_music_device.h"
#include "app/theme.h"
#include "core/game.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The pictures are compiled into a static library; bring them in explicitly.
  Q_INIT_RESOURCE(assets);
  QApplication::setOrganizationName("KeepOfTheMorvath");
  QApplication::setApplicationName("morvath");
  QGuiApplication::setDesktopFileName("morvath");
  morvath::ApplyTheme(app);

  morvath::QtDialogs dialogs;
  morvath::SilentMusicDevice music;
  morvath::QtSettingsStore store("KeepOfTheMorvath");
  morvath::ClockRandom random;
  morvath::Game game(dialogs, music, store, random, QDir::currentPath().toStdString());
  morvath::Frontend frontend(game);
  dialogs.setHooks([&frontend] { frontend.refresh(); },
                   [&frontend] { return frontend.modalParent(); });

  QTimer::singleShot(0, &frontend, [&] {
    frontend.run([&game] { game.start(); });
    QTimer::singleShot(0, &app, [&app] { morvath::ApplyWindowIcon(app); });
    // The start-up benchmark: report once the start screen has been shown, then leave.
    if (qEnvironmentVariableIsSet("MORVATH_BENCH")) {
      QTimer::singleShot(0, [&app] {
        std::puts("shown");
        std::fflush(stdout);
        app.quit();
      });
    }
  });
  return app.exec();
}
