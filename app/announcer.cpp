#include "app/announcer.h"

#include <QAccessible>
#include <QLabel>
#include <QtGlobal>
#include <utility>

#include "core/screen.h"

namespace morvath {

SpokenRow SpokenRow::naming(std::string widgetName, Names how) && {
  widget = std::move(widgetName);
  names = how;
  return std::move(*this);
}

SpokenRow SpokenRow::shownWith(std::vector<std::string> controls) && {
  when = std::move(controls);
  return std::move(*this);
}

SpokenRow Row(std::string key, SpokenRow::Kind kind, std::vector<SpokenRow::Part> parts) {
  SpokenRow row;
  row.key = std::move(key);
  row.kind = kind;
  row.parts = std::move(parts);
  return row;
}

SpokenRow::Part Words(const QString& words) {
  SpokenRow::Part part;
  part.words = words;
  return part;
}

SpokenRow::Part Field(std::string name) {
  SpokenRow::Part part;
  part.field = std::move(name);
  return part;
}

SpokenRow::Part Value(std::function<QString()> value, std::vector<std::string> reads) {
  SpokenRow::Part part;
  part.value = std::move(value);
  part.reads = std::move(reads);
  return part;
}

namespace {

// A label's caption, else a button's; a name of neither is a programming error.
const std::string& Caption(const Screen& screen, const std::string& name) {
  return screen.hasLabel(name) ? screen.label(name).caption : screen.button(name).caption;
}

bool Shown(const Screen& screen, const std::string& name) {
  if (screen.hasLabel(name)) return screen.label(name).visible;
  if (screen.hasButton(name)) return screen.button(name).visible;
  return screen.picture(name).visible;
}

}  // namespace

QString RowText(const Screen& screen, const SpokenRow& row, bool forAnnouncer) {
  if (forAnnouncer)
    for (const std::string& control : row.when) {
      const bool hidden = !control.empty() && control[0] == '!';
      if (Shown(screen, hidden ? control.substr(1) : control) == hidden) return {};
    }
  QString text;
  for (const SpokenRow::Part& part : row.parts) {
    QString piece = part.words;
    if (!part.field.empty()) piece = QString::fromStdString(Caption(screen, part.field));
    if (part.value) piece = part.value();
    if (piece.isEmpty() && part.words.isEmpty()) return {};
    text += piece;
  }
  return text;
}

std::vector<SpokenLine> ReadRows(const Screen& screen, const std::vector<SpokenRow>& rows,
                                 const std::set<std::string>& written) {
  std::vector<SpokenLine> lines;
  for (const SpokenRow& row : rows) {
    if (row.kind == SpokenRow::Kind::Silent) continue;
    bool wrote = false;
    for (const SpokenRow::Part& part : row.parts) {
      wrote = wrote || written.count(part.field) > 0;
      for (const std::string& field : part.reads) wrote = wrote || written.count(field) > 0;
    }
    lines.push_back({row.key, RowText(screen, row, true), row.kind, wrote});
  }
  return lines;
}

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

QString Announcer::update(const std::vector<SpokenLine>& lines, bool opened) {
  std::vector<bool> say(lines.size(), false);
  bool news = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const SpokenLine& line = lines[i];
    if (line.text.isEmpty() || line.kind == SpokenRow::Kind::Silent) continue;
    auto it = said_.find(line.key);
    say[i] = opened || line.written || it == said_.end() || it->second != line.text;
    news = news || (say[i] && line.kind == SpokenRow::Kind::News);
  }
  if (news)
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].kind == SpokenRow::Kind::Status && !lines[i].text.isEmpty()) say[i] = true;

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

void Announcer::withdraw() {
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
  // The keyboard goes back to the window itself, where a screen opens with it.
  QWidget* window = host_->window();
  for (QLabel* voice : voices_)
    if (voice && window->focusWidget() == voice) window->setFocus(Qt::OtherFocusReason);
#endif
}

}  // namespace morvath
