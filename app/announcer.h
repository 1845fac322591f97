// What a window says to a screen reader. A window declares it once, as a table of spoken rows in
// reading order (which captions and values are read, with which words); the same table names
// the widgets that only paint (a gauge, a card, the hero) and describes buttons for the
// accessibility tree. After every event the announcer compares the rows with what it said last,
// adds what the game reports as written anew, and speaks the difference in one utterance.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class QLabel;
class QWidget;

namespace morvath {

class Screen;

// One row of what a window says: the window's own words and the screen's fields, joined as
// they stand.
struct SpokenRow {
  enum class Kind {
    Heading,  // said when it changes and when the window opens
    News,     // what a command answers: said when it changes or is written anew
    Status,   // said when it changes or is written, and along with any news (the healths)
    Silent,   // never announced: only names or describes a widget
  };
  enum class Names {
    Nothing,
    Name,         // the widget's accessible name (a picture, a gauge, a card)
    Description,  // the widget's accessible description (what a button's name is said with)
  };
  // A part of a row: fixed words, a field's caption (a label's, else a button's), or a value the
  // window words from the game's state, read from the fields named with it.
  struct Part {
    QString words;
    std::string field;
    std::function<QString()> value;
    std::vector<std::string> reads;  // the fields a value is read from
  };

  std::string key;
  Kind kind = Kind::Heading;
  std::vector<Part> parts;
  // Controls that must be shown for the row to be said ("!name": hidden).
  std::vector<std::string> when;
  Names names = Names::Nothing;
  std::string widget;  // the object name of the widget named or described

  // The row also names (or describes) the widget of that object name.
  SpokenRow naming(std::string widgetName, Names how = Names::Name) &&;
  // The row is said only while these controls are shown ("!name": hidden).
  SpokenRow shownWith(std::vector<std::string> controls) &&;
};

// Building rows: Row("YHP", Kind::Status, {Words("Your health "), Field("YHP"), ...}).
SpokenRow Row(std::string key, SpokenRow::Kind kind, std::vector<SpokenRow::Part> parts);
SpokenRow::Part Words(const QString& words);
SpokenRow::Part Field(std::string name);
SpokenRow::Part Value(std::function<QString()> value, std::vector<std::string> reads = {});

// One thing to say as the announcer compares it: its row's key, its words now, when it is said
// and whether a command wrote one of its fields in this event.
struct SpokenLine {
  std::string key;
  QString text;
  SpokenRow::Kind kind = SpokenRow::Kind::Heading;
  bool written = false;
};

// A row's words as the screen stands; empty when a field or value it reads is empty (or when
// forAnnouncer and a control it depends on is not in the state it asks).
QString RowText(const Screen& screen, const SpokenRow& row, bool forAnnouncer);
// The rows to announce as the screen stands, written ones marked from the fields written.
std::vector<SpokenLine> ReadRows(const Screen& screen, const std::vector<SpokenRow>& rows,
                                 const std::set<std::string>& written);

// Utterances joined into one, with a pause between them.
QString JoinUtterances(const QStringList& parts);

class Announcer {
 public:
  // The announcer speaks for the window of host (the window's canvas).
  explicit Announcer(QWidget* host);
  Announcer(const Announcer&) = delete;
  Announcer& operator=(const Announcer&) = delete;

  // Compares the lines with what was said last and gives what is to be said, in one utterance
  // (empty when nothing is): a line whose words changed or that was written anew, every line
  // when the window has just opened, and the status lines along with any news.
  QString update(const std::vector<SpokenLine>& lines, bool opened);
  // Says the text to a screen reader, as this window's (nothing happens while none listens).
  void speak(const QString& text);
  // A box is about to come up: what was said last is put away, so that the screen reader does
  // not say it again when the box gives the window its keyboard back.
  void withdraw();
  // The last utterance spoken, and how many were.
  const QString& lastSpoken() const { return last_; }
  int spokenCount() const { return spokenCount_; }

 private:
  QWidget* host_;
  // The two places the keyboard focus moves between: a screen reader says the one that takes it.
  QLabel* voices_[2] = {nullptr, nullptr};
  std::map<std::string, QString> said_;
  QString last_;
  int spokenCount_ = 0;
};

}  // namespace morvath
