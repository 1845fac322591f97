// The combat screen's window: the hero on the left, the opponent on the right, the three message
// lines, the five commands and the potion panel under its cover.
#pragma once

#include <QLabel>
#include <QWidget>
#include <vector>

#include "app/screen_window.h"
#include "combat/battle.h"

namespace morvath {

class BattleWindow : public ScreenWindow {
  Q_OBJECT
 public:
  BattleWindow(Frontend& frontend, Battle& battle);
  void sync() override;

  // The cover over the potion panel (shown while the core's HidePotions picture is).
  QWidget* potionCover() const { return cover_; }

 private:
  // Dresses the opponent's level as a boss's or as a plain monster's.
  void showLevel(bool boss);

  Battle& battle_;
  ClickLabel* level_;
  bool levelIsBoss_ = false;
  QWidget* cover_;
  std::vector<QWidget*> panel_;  // the potion buttons, their counts and "&Cancel Operation"
};

}  // namespace morvath
