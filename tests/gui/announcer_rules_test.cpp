// The announcer's rules, step by step on one window's lines: what each kind of change makes it
// say, and that what was said is not said again.
#include <gtest/gtest.h>

#include <QWidget>
#include <vector>

#include "app/announcer.h"

namespace morvath::test {
namespace {

using Kind = SpokenRow::Kind;

struct Step {
  const char* what;
  bool opened;
  // The words of the heading, the news line, the status line and a silent line, and which of the
  // first three a command wrote ("h", "n", "s").
  const char* heading;
  const char* news;
  const char* status;
  const char* written;
  const char* said;
};

const Step kSteps[] = {
    {"the window opens: all but the silent line", true, "Orc", "", "10 of 10", "", "Orc. 10 of 10"},
    {"nothing changed", false, "Orc", "", "10 of 10", "", ""},
    {"news: with the status", false, "Orc", "It struck", "10 of 10", "", "It struck. 10 of 10"},
    {"the same news again, not written", false, "Orc", "It struck", "10 of 10", "", ""},
    {"the same news written anew", false, "Orc", "It struck", "10 of 10", "n",
     "It struck. 10 of 10"},
    {"the status changed alone", false, "Orc", "It struck", "7 of 10", "", "7 of 10"},
    {"the status written alone, as it was", false, "Orc", "It struck", "7 of 10", "s", "7 of 10"},
    {"the heading changed", false, "Bear", "It struck", "7 of 10", "", "Bear"},
    {"the heading written, as it was", false, "Bear", "It struck", "7 of 10", "h", "Bear"},
    {"a line emptied says nothing", false, "Bear", "", "7 of 10", "", ""},
    {"an empty line written says nothing", false, "Bear", "", "7 of 10", "n", ""},
    {"a line back from empty is news", false, "Bear", "It struck", "7 of 10", "",
     "It struck. 7 of 10"},
    {"two changes in one utterance", false, "Wolf", "It missed", "7 of 10", "",
     "Wolf. It missed. 7 of 10"},
    {"opened again: everything, once", true, "Wolf", "It missed", "7 of 10", "nsh",
     "Wolf. It missed. 7 of 10"},
};

TEST(AnnouncerRules, EachKindOfChangeIsSaidOnce) {
  QWidget host;
  Announcer announcer(&host);
  int silent = 0;
  for (const Step& step : kSteps) {
    SCOPED_TRACE(step.what);
    const QString written = step.written;
    // The silent line changes at every step: it is never said.
    const std::vector<SpokenLine> lines = {
        {"heading", step.heading, Kind::Heading, written.contains('h')},
        {"news", step.news, Kind::News, written.contains('n')},
        {"status", step.status, Kind::Status, written.contains('s')},
        {"silent", QString::number(++silent), Kind::Silent, true},
    };
    EXPECT_EQ(announcer.update(lines, step.opened).toStdString(), step.said);
  }
}

}  // namespace
}  // namespace morvath::test
