#include "app/screen_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcutEvent>
#include <cmath>
#include <utility>

#include "app/frontend.h"
#include "app/layout_scale.h"
#include "app/theme.h"

namespace morvath {

ScreenWindow::ScreenWindow(Frontend& frontend, Screen& screen, QSize canvasSize)
    : frontend_(frontend), screen_(screen), canvas_(new QWidget(this)), announcer_(canvas_) {
  setWindowTitle(QString::fromStdString(screen.title()));
  setObjectName(QString::fromUtf8(ScreenName(screen.id()).data(),
                                  static_cast<int>(ScreenName(screen.id()).size())));
  canvas_->setObjectName("canvas");
  canvas_->setFixedSize(Scaled(canvasSize));
  setCentralWidget(canvas_);
  buildMenus();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void ScreenWindow::send(std::function<void()> handler) {
  // A screen the game has already left can still stand for a moment while the next one opens
  // (a guard's attack in the maze): a click or mnemonic that reaches it then is not the player's
  // answer to that screen any more, and would open a second screen beside the fight.
  if (!frontend_.takesInput(*this)) return;
  frontend_.run(handler);
}

void ScreenWindow::buildMenus() {
  for (const MenuItem& top : screen_.menus()) {
    if (!top.parent.empty()) continue;
    bool hasItems = false;
    for (const MenuItem& item : screen_.menus()) hasItems = hasItems || item.parent == top.name;
    if (!hasItems) {
      QAction* action = menuBar()->addAction(QString::fromStdString(top.caption));
      const std::string name = top.name;
      connect(action, &QAction::triggered, this,
              [this, name] { send([this, name] { screen_.click(name); }); });
      menus_.push_back({action, name});
      continue;
    }
    QMenu* menu = menuBar()->addMenu(QString::fromStdString(top.caption));
    for (const MenuItem& item : screen_.menus()) {
      if (item.parent != top.name) continue;
      QAction* action = menu->addAction(QString::fromStdString(item.caption));
      if (!item.shortcut.empty())
        action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
      action->setCheckable(item.checkable);
      const std::string name = item.name;
      connect(action, &QAction::triggered, this,
              [this, name] { send([this, name] { screen_.click(name); }); });
      menus_.push_back({action, name});
    }
  }
}

void ScreenWindow::place(QWidget* widget, QRect geometry) {
  widget->setGeometry(Scaled(geometry));
}

void ScreenWindow::setCanvasSize(QSize size) {
  canvas_->setFixedSize(Scaled(size));
}

QPushButton* ScreenWindow::bindButton(const std::string& name, QRect geometry) {
  auto* button = new QPushButton(canvas_);
  button->setGeometry(Scaled(geometry));
  button->setObjectName(QString::fromStdString(name));
  // On a screen that reads the whole keyboard a button never holds the focus: Space or Return
  // would press it ("&End Game" on the map wipes the hero). Clicks and mnemonics still work.
  // A mnemonic shared by two controls ("&Rest" and "&Restore Spell Points" at the inn) picks one
  // of them in turn, which the player then presses with Space; once pressed, the button
  // lets the focus go again.
  if (screen_.readsKeys()) {
    button->setFocusPolicy(Qt::NoFocus);
    button->installEventFilter(this);
  }
  connect(button, &QPushButton::clicked, this, [this, button, name] {
    if (screen_.readsKeys()) button->clearFocus();
    send([this, name] { screen_.click(name); });
  });
  buttons_.push_back({button, name});
  return button;
}

ClickLabel* ScreenWindow::bindLabel(const std::string& name, QRect geometry, const char* role) {
  auto* label = new ClickLabel(canvas_);
  label->setGeometry(Scaled(geometry));
  label->setObjectName(QString::fromStdString(name));
  ApplyRole(label, role);
  // A label of a spoken role is said by itself while it is shown.
  if (!ownSpeech_ && RoleIsSpoken(role)) {
    auto shown = [this, name] {
      const Label& l = screen_.label(name);
      return l.visible && l.caption != screen_.title() ? QString::fromStdString(l.caption)
                                                       : QString();
    };
    speech_.push_back(Row(name, SpokenRow::Kind::Heading, {Value(shown, {name})}));
  }
  label->setClickable(screen_.hasClick(name) || screen_.hasDoubleClick(name));
  if (screen_.hasDoubleClick(name)) label->setKeyboardDoubleClick();
  connect(label, &ClickLabel::clicked, this, [this, name] {
    if (screen_.hasClick(name)) send([this, name] { screen_.click(name); });
  });
  connect(label, &ClickLabel::doubleClicked, this, [this, name] {
    if (screen_.hasDoubleClick(name)) send([this, name] { screen_.doubleClick(name); });
  });
  labels_.push_back({label, name});
  return label;
}

PixelView* ScreenWindow::bindPicture(const std::string& name, const QImage& image, int scale,
                                     QPoint origin) {
  const double screenScale = scale * LayoutScale();
  auto* view = new PixelView(image, screenScale, canvas_);
  view->setObjectName(QString::fromStdString(name));
  connect(view, &PixelView::clicked, this, [this, name] {
    if (screen_.hasClick(name)) send([this, name] { screen_.click(name); });
  });
  pictures_.push_back({view, name, screenScale, Scaled(origin)});
  return view;
}

GaugeView* ScreenWindow::bindGauge(const std::string& name, QRect geometry) {
  auto* gauge = new GaugeView(canvas_);
  gauge->setGeometry(Scaled(geometry));
  gauge->setObjectName(QString::fromStdString(name));
  connect(gauge, &GaugeView::clicked, this, [this, name] {
    if (screen_.hasClick(name)) send([this, name] { screen_.click(name); });
  });
  gauges_.push_back({gauge, name});
  return gauge;
}

ClickLabel* ScreenWindow::addText(const QString& text, QRect geometry, const char* role,
                                  const std::string& clickName) {
  auto* label = new ClickLabel(canvas_);
  label->setText(text);
  label->setGeometry(Scaled(geometry));
  ApplyRole(label, role);
  if (!clickName.empty()) {
    label->setObjectName(QString::fromStdString(clickName));
    label->setClickable(screen_.hasClick(clickName) || screen_.hasDoubleClick(clickName));
    connect(label, &ClickLabel::clicked, this, [this, clickName] {
      if (screen_.hasClick(clickName)) send([this, clickName] { screen_.click(clickName); });
    });
    connect(label, &ClickLabel::doubleClicked, this, [this, clickName] {
      if (screen_.hasDoubleClick(clickName))
        send([this, clickName] { screen_.doubleClick(clickName); });
    });
  }
  return label;
}

void ScreenWindow::sync() {
  for (auto& b : buttons_) {
    const Button& state = screen_.button(b.name);
    const QString caption = QString::fromStdString(state.caption);
    if (b.widget->text() != caption) b.widget->setText(caption);
    b.widget->setEnabled(state.enabled);
    b.widget->setVisible(state.visible);
  }
  for (auto& l : labels_) {
    const Label& state = screen_.label(l.name);
    const QString caption = QString::fromStdString(state.caption);
    if (l.widget->text() != caption) l.widget->setText(caption);
    l.widget->setVisible(state.visible);
  }
  for (auto& p : pictures_) {
    const Picture& state = screen_.picture(p.name);
    // Whole pixels of the picture's grid, as the picture under it is drawn.
    auto at = [&p](int twips) { return static_cast<int>(std::floor(twips * p.scale / 15)); };
    p.widget->move(p.origin + QPoint(at(state.left), at(state.top)));
    p.widget->setVisible(state.visible);
  }
  for (auto& g : gauges_) {
    const Gauge& state = screen_.gauge(g.name);
    g.widget->setBar(state.drawn, state.boxWidth, state.colour);
  }
  for (auto& m : menus_) {
    const MenuItem& state = screen_.menu(m.name);
    if (state.checkable) m.action->setChecked(state.checked);
  }
  for (const SpokenRow& row : speech_) giveName(row);
}

void ScreenWindow::giveName(const SpokenRow& row) {
  if (row.names == SpokenRow::Names::Nothing) return;
  QWidget*& widget = named_[row.widget];
  if (!widget) widget = canvas_->findChild<QWidget*>(QString::fromStdString(row.widget));
  if (!widget) return;
  const QString text = RowText(screen_, row, false);
  if (row.names == SpokenRow::Names::Name)
    SetSpokenName(widget, text);
  else if (widget->accessibleDescription() != text)
    widget->setAccessibleDescription(text);
}

QString ScreenWindow::announce(bool opened) {
  return announcer_.update(ReadRows(screen_, speech_, screen_.takeWritten()), opened);
}

// A widget has its spoken name and description from the moment it is declared, before a screen
// reader first asks for it: Orca 48 keeps the description it read first and says no later one.
void ScreenWindow::speakOnly(std::vector<SpokenRow> rows) {
  speech_ = std::move(rows);
  ownSpeech_ = true;
  for (const SpokenRow& row : speech_) giveName(row);
}

void ScreenWindow::alsoSpeak(SpokenRow row) {
  speech_.push_back(std::move(row));
  giveName(speech_.back());
}

void ScreenWindow::keyPressEvent(QKeyEvent* event) {
  // A screen that goes on at a click anywhere goes on at Return or Space too.
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
      !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) &&
      screen_.hasClick("")) {
    send([this] { screen_.click(""); });
    return;
  }
  QMainWindow::keyPressEvent(event);
}

bool ScreenWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->isAmbiguous())
    if (auto* button = qobject_cast<QPushButton*>(watched); button && button->isEnabled())
      button->setFocus(Qt::ShortcutFocusReason);
  return QMainWindow::eventFilter(watched, event);
}

void ScreenWindow::closeEvent(QCloseEvent* event) {
  // The game decides what its close boxes do; the window itself never closes.
  event->ignore();
  send([this] { screen_.closeBox(); });
}

void ScreenWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && screen_.hasClick(""))
    send([this] { screen_.click(""); });
  QMainWindow::mousePressEvent(event);
}

void ScreenWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  // The first press of a double-click was the window's click already; by default a widget takes
  // the double-click for one more press, which would be a second click.
  if (event->button() == Qt::LeftButton && screen_.hasClick("")) {
    event->accept();
    return;
  }
  QMainWindow::mouseDoubleClickEvent(event);
}

}  // namespace morvath
