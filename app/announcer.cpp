#include "app/announcer.h"

#include <QAccessible>
#include <QLabel>
#include <QtGlobal>

namespace morvath {

Announcer::Announcer(QWidget* host) : host_(host) {
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
  // Without an announcement event, a screen reader says what changed only when the keyboard
  // focus moves to it (Orca 43 says nothing for a label whose text or name changes, nor for an
  // alert). So the window keeps two labels too small to see; an utterance goes into the one that
  // does not have the focus, which then takes it. They are not buttons: Space and Return press
  // nothing there, the arrow keys still reach the screen first, and Tab passes them by.
  for (int i = 0; i < 2; ++i) {
    QLabel* voice = voices_[i] = new QLabel(host);
    voice->setObjectName("voice");
    voice->setGeometry(i, 0, 1, 1);
    voice->setFocusPolicy(Qt::ClickFocus);
    voice->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
#endif
}

void Announcer::renew(const std::vector<std::string>& keys) {
  for (const std::string& key : keys) said_.erase(key);
}

QString JoinUtterances(const QStringList& parts) {
  QString joined;
  for (const QString& part : parts) {
    if (part.isEmpty()) continue;
    if (!joined.isEmpty()) {
      const QChar end = joined.back();
      joined += (end == '.' || end == '!' || end == '?' || end == ':') ? " " : ". ";
    }
    joined += part;
  }
  return joined;
}

QString Announcer::update(const std::vector<SpokenLine>& lines, bool opened, bool newsAgain) {
  std::vector<bool> say(lines.size(), false);
  bool anything = false;
  bool news = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const SpokenLine& line = lines[i];
    if (line.text.isEmpty()) continue;
    auto it = said_.find(line.key);
    say[i] = opened || it == said_.end() || it->second != line.text;
    anything = anything || say[i];
    news = news || (say[i] && line.kind == SpokenLine::Kind::News);
  }
  // The player's action wrote its news again as it was (a step against the same wall).
  if (!anything && newsAgain) {
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].kind == SpokenLine::Kind::News && !lines[i].text.isEmpty()) say[i] = news = true;
  }
  if (news)
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].kind == SpokenLine::Kind::Status && !lines[i].text.isEmpty()) say[i] = true;

  said_.clear();
  QStringList parts;
  for (size_t i = 0; i < lines.size(); ++i) {
    said_[lines[i].key] = lines[i].text;
    if (say[i]) parts << lines[i].text.simplified();
  }
  return JoinUtterances(parts);
}

void Announcer::speak(const QString& text) {
  last_ = text;
  ++spokenCount_;
  // Only while a screen reader listens: otherwise the focus stays where the player or the
  // opening screen left it.
  if (!QAccessible::isActive()) return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  QAccessibleAnnouncementEvent event(host_->window(), text);
  QAccessible::updateAccessibility(&event);
#else
  // The voice that does not hold the focus (a screen reader says nothing when it stays put).
  QLabel* voice = host_->window()->focusWidget() == voices_[0] ? voices_[1] : voices_[0];
  voice->setAccessibleName(text);
  voice->setFocus(Qt::OtherFocusReason);
#endif
}

}  // namespace morvath
