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

// One place for a card. A number from 1 to 10 is a face-up card; a free place is shown as a
// faint empty card with its caption; any other text is shown on a plain card.
class CardView : public QWidget {
  Q_OBJECT
 public:
  // suit picks the decoration of the card's pips (0..3); the game's cards have no suits.
  CardView(int suit, QWidget* parent = nullptr);
  // The place's caption, and whether the game counts it a free place.
  void setCard(const QString& caption, bool free);
  const QString& caption() const { return caption_; }
  int suit() const { return suit_; }
  // What a screen reader says for a place of that caption and suit: the value and the suit its
  // pips are drawn in, or that the place is free.
  static QString SpokenName(const QString& caption, bool free, int suit);

  static constexpr int kWidth = 80;
  static constexpr int kHeight = 112;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int suit_;
  QString caption_;
  bool free_ = false;
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

 private:
  struct Place {
    CardView* view;
    const Label* label;
  };
  // A card's words as the game's state stands.
  QString cardWords(const Place& place) const;
  // The cards of a hand face up, in words, joined by commas.
  QString handWords(Black::Side side) const;
  Black& black_;
  std::vector<Place> places_;
  TableCover* cover_;
};

}  // namespace morvath
