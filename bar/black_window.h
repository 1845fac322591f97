// The bar's window: a green felt card table with the house's five places above, the player's
// eight below, "Last Game" across the middle once a game is settled, the cash and the pot at the
// top and the buttons below the table.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "app/screen_window.h"
#include "bar/black.h"

namespace morvath {

// The table, the cards and the cover are drawn in design pixels, enlarged to the layout scale
// they were built at.

// The felt and its wooden rail.
class FeltTable : public QWidget {
  Q_OBJECT
 public:
  explicit FeltTable(QWidget* parent = nullptr);
  // The width of the wooden rail around the felt.
  static constexpr int kRail = 14;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double scale_;
};

// One place for a card. A number from 1 to 10 is a face-up card; "0" is a free place, shown as a
// faint empty card; any other text is shown on a plain card.
class CardView : public QWidget {
  Q_OBJECT
 public:
  // suit picks the decoration of the card's pips (0..3); the game's cards have no suits.
  CardView(int suit, QWidget* parent = nullptr);
  void setCaption(const QString& caption);
  const QString& caption() const { return caption_; }

  static constexpr int kWidth = 80;
  static constexpr int kHeight = 112;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int suit_;
  QString caption_;
  double scale_;
};

// The cover over the card area before the first game: a spread of face-down cards on the felt.
class TableCover : public QWidget {
  Q_OBJECT
 public:
  explicit TableCover(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double scale_;
};

class BlackWindow : public ScreenWindow {
  Q_OBJECT
 public:
  BlackWindow(Frontend& frontend, Black& black);
  void sync() override;

 protected:
  // The cash and the pot, each card of the player's as it is dealt, the opponent's cards once
  // they are shown, and the totals of both hands.
  std::vector<SpokenLine> spokenLines() const override;

 private:
  struct Place {
    CardView* view;
    const Label* label;
  };
  Black& black_;
  std::vector<Place> places_;
  TableCover* cover_;
};

}  // namespace morvath
